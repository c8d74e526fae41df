#include "domain/uAppSettings.h"
#include "domain/uFolders.h"

#include "domain/uProfile.h"
#include "domain/uSymbolShowList.h"
#include "platform/FileRead.h"
#include "platform/FileWrite.h"
#include "platform/ScriptedMessageBox.h"
#include "support/FileSizeLimit.h"
#include "support/TempHome.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace {

struct TSettingsFixture : ::testing::Test {
    TSettingsFixture() { Folders = new TFolders; }
    ~TSettingsFixture() override
    {
        delete Folders;
        Folders = nullptr;
    }
    std::string FileName() const { return Folders->Folder(afUserRoaming) + "/app_settings.json"; }

    TTempHome Home;
};

TEST_F(TSettingsFixture, RoundTripsBothSettingsAsOneLineOfJson)
{
    TAppSettings S;
    EXPECT_EQ(S.GetFileName(), FileName());
    S.Load();
    EXPECT_EQ(S.ServerURL(), cDefaultServer) << "no file: the defaults";
    EXPECT_EQ(S.Language(), "English");

    S.SetServerURL("https://api.example.net");
    S.SetLanguage("Русский");
    S.Save();
    EXPECT_EQ(ReadWholeFile(FileName()),
              "{\"server\":\"https://api.example.net\",\"language\":\"Русский\"}\r\n");

    TAppSettings Again;
    Again.Load();
    EXPECT_EQ(Again.ServerURL(), "https://api.example.net");
    EXPECT_EQ(Again.Language(), "Русский");
}

TEST_F(TSettingsFixture, ReadsWhatTheFileHolds)
{
    const std::string Huge = "{\"language\":\"Russian\"}" + std::string(cMaxReadFileBytes, ' ');
    const struct {
        const char* Content;
        const char* Server;
        const char* Language;
    } Cases[] = {
        {"{\"language\":\"Russian\",\"server\":\"https://a.example\"}", "https://a.example",
         "Russian"},
        {"{\"language\":\"Russian\"}", "", "Russian"},
        {"{\"server\":5,\"language\":\"Russian\"}", "", "Russian"},
        {"{}", "", ""},
        {"[\"Russian\"]", cDefaultServer, "English"},
        {"not json", cDefaultServer, "English"},
        {"{\"language\":", cDefaultServer, "English"},
        {Huge.c_str(), cDefaultServer, "English"}, // refused by the reader
    };
    for (const auto& C : Cases) {
        WriteFileAtomic(FileName(), C.Content);
        TAppSettings S;
        S.Load();
        EXPECT_EQ(S.ServerURL(), C.Server) << C.Content;
        EXPECT_EQ(S.Language(), C.Language) << C.Content;
    }
}

TEST_F(TSettingsFixture, SavingIntoAMissingFolderIsToldAndLeavesNoFile)
{
    std::filesystem::remove_all(Folders->Folder(afUserRoaming));
    TScriptedMessageBox Box;
    TAppSettings S;
    EXPECT_FALSE(S.Save());
    ASSERT_EQ(Box.Shown().size(), 1u);
    EXPECT_EQ(Box.Shown()[0].Text, "Не удалось сохранить настройки: No such file or directory");
    EXPECT_FALSE(std::filesystem::exists(FileName()));
    delete Folders;
    Folders = nullptr;
    TAppSettings NoFolders;
    EXPECT_EQ(NoFolders.GetFileName(), "");
    NoFolders.Load();
    EXPECT_EQ(NoFolders.ServerURL(), cDefaultServer);
}

// On a full disk the settings, the accounts file and a symbol group keep
// their old files; the trader is told once per file until a save of it succeeds.
TEST_F(TSettingsFixture, AFailedSaveKeepsTheOldFileAndIsToldOncePerFileUntilASaveSucceeds)
{
    TScriptedMessageBox Box;
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
}

} // namespace
