#include "domain/uSaveReport.h"

#include "domain/uAppSettings.h"
#include "domain/uFolders.h"
#include "domain/uProfile.h"
#include "domain/uSymbolShowList.h"
#include "domain/uTranslator.h"
#include "platform/FileRead.h"
#include "platform/FileWrite.h"
#include "platform/Resources.h"
#include "platform/ScriptedMessageBox.h"
#include "support/FileSizeLimit.h"
#include "support/TempHome.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// A failed save keeps the old file and is told once per file, until a save
// of that file succeeds; in English through the program's table.
TEST(SaveReported, AFailureIsToldOncePerFileUntilASaveOfItSucceeds)
{
    TTempHome Home;
    TScriptedMessageBox Box;
    const std::string A = (Home.Path() / "a.json").string();
    const std::string B = (Home.Path() / "b.json").string();
    const auto Save = [](const std::string& File, std::size_t Bytes) {
        return SaveReported(File, cSaveSettingsFailed,
                            [&] { WriteFileAtomic(File, std::string(Bytes, 'x')); });
    };
    ASSERT_TRUE(Save(A, 10));
    const auto Full = [&](const std::string& File) {
        TFileSizeLimit Limit(1000);
        return Save(File, 5000);
    };
    EXPECT_FALSE(Full(A));
    EXPECT_FALSE(Full(A));
    EXPECT_FALSE(Full(B));
    EXPECT_EQ(ReadWholeFile(A), std::string(10, 'x'));
    EXPECT_TRUE(Save(A, 20));
    EXPECT_FALSE(Full(A));
    EXPECT_FALSE(Full(B));
    const std::vector<TScriptedMessageBox::TShown> Shown = Box.Shown();
    ASSERT_EQ(Shown.size(), 3u);
    EXPECT_EQ(Shown[0].Text, "Не удалось сохранить настройки: File too large");
    EXPECT_EQ(Shown[0].Style, MB_ICONERROR | MB_OK);

    const std::string Folder = Home.Path().string();
    WriteFileAtomic(Folder + "/english.lng", std::string(*FindResource("english.lng")));
    TTranslator English([Folder] { return Folder; });
    English.SetLanguage("English");
    for (const auto& [Text, Name] : {std::pair{cSaveLayoutFailed, "the chart layout"},
                                     {cSaveTemplateFailed, "the template"},
                                     {cSaveGroupFailed, "the symbol group"},
                                     {cSaveSettingsFailed, "the settings"},
                                     {cSaveAccountsFailed, "the accounts file"}})
        EXPECT_EQ(English.Translate(Text, {"Read-only file system"}),
                  std::string("Cannot save ") + Name + ": Read-only file system");
}

// On a full disk the settings, the accounts file and a symbol group keep
// their old files, and the trader is told which could not be saved.
TEST(SaveReported, TheSettingsTheAccountsAndASymbolGroupKeepTheirOldFilesAndAreTold)
{
    TTempHome Home;
    TScriptedMessageBox Box;
    Folders = new TFolders;
    TAppSettings Settings;
    TProfile Accounts((Home.Path() / "config.json").string());
    TSymbolShowList Symbols;
    Symbols.ReloadSymbols({{"ETHBTC"}, {"LTCBTC"}});
    const std::string Group = (Home.Path() / "majors").string();
    const struct {
        std::string File;
        std::function<bool()> Save;
        const char* Told;
    } Cases[] = {
        {Settings.GetFileName(), [&] { return Settings.Save(); }, "настройки"},
        {Accounts.FileName(), [&] { return Accounts.SaveToFile(); }, "файл счетов"},
        {Group, [&] { return Symbols.SaveToFile(Group); }, "группу символов"},
    };
    for (const auto& Case : Cases) {
        WriteFileAtomic(Case.File, "old");
        {
            TFileSizeLimit Full(8);
            EXPECT_FALSE(Case.Save()) << Case.Told;
        }
        EXPECT_EQ(ReadWholeFile(Case.File), "old");
        ASSERT_FALSE(Box.Shown().empty());
        EXPECT_EQ(Box.Shown().back().Text,
                  std::string("Не удалось сохранить ") + Case.Told + ": File too large");
        EXPECT_TRUE(Case.Save()) << Case.Told;
    }
    EXPECT_EQ(Box.Shown().size(), std::size(Cases));
    delete Folders;
    Folders = nullptr;
}

} // namespace
