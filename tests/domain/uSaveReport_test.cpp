#include "domain/uSaveReport.h"

#include "domain/uAppSettings.h"
#include "domain/uFolders.h"
#include "domain/uProfile.h"
#include "domain/uSymbolShowList.h"
#include "platform/FileRead.h"
#include "platform/FileWrite.h"
#include "platform/ScriptedMessageBox.h"
#include "support/FileSizeLimit.h"
#include "support/TempHome.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace {

// On a full disk the settings, the accounts file and a symbol group keep
// their old files; the trader is told once per file until a save of it succeeds.
TEST(SaveReported, AFailedSaveKeepsTheOldFileAndIsToldOncePerFileUntilASaveSucceeds)
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
        const char* What;
    } Cases[] = {
        {Settings.GetFileName(), [&] { return Settings.Save(); }, "настройки"},
        {Accounts.FileName(), [&] { return Accounts.SaveToFile(); }, "файл счетов"},
        {Group, [&] { return Symbols.SaveToFile(Group); }, "группу символов"},
    };
    std::size_t Told = 0;
    for (const auto& Case : Cases) {
        WriteFileAtomic(Case.File, "old");
        const auto Full = [&] {
            TFileSizeLimit Limit(8);
            return Case.Save();
        };
        EXPECT_FALSE(Full());
        EXPECT_FALSE(Full());
        EXPECT_EQ(ReadWholeFile(Case.File), "old");
        EXPECT_TRUE(Case.Save());
        EXPECT_FALSE(Full());
        ASSERT_EQ(Box.Shown().size(), Told += 2) << "once, and again after a save";
        EXPECT_EQ(Box.Shown().back().Text,
                  std::string("Не удалось сохранить ") + Case.What + ": File too large");
    }
    delete Folders;
    Folders = nullptr;
}

} // namespace
