#include "domain/uFolders.h"

#include "support/TempHome.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Sets or unsets a variable for one case; TTempHome restores it afterwards.
void SetVariable(const char* Name, const std::optional<std::string>& Value)
{
    if (Value)
        setenv(Name, Value->c_str(), 1);
    else
        unsetenv(Name);
}

struct TMappingCase {
    const char* Name;
    std::optional<std::string> ConfigHome; // relative to the temporary home when absolute
    std::optional<std::string> DataHome;
    const char* ExpectedRoaming; // below the temporary home
    const char* ExpectedLocal;
};

TEST(TFolders, MapsTheUserFoldersFromTheXdgVariablesOrTheirDefaults)
{
    const TMappingCase Cases[] = {
        {"both set", "/cfg", "/data", "cfg/Quorvel/Tavrix", "data/Quorvel/Tavrix"},
        {"unset", std::nullopt, std::nullopt, ".config/Quorvel/Tavrix",
         ".local/share/Quorvel/Tavrix"},
        {"empty", "", "", ".config/Quorvel/Tavrix", ".local/share/Quorvel/Tavrix"},
        {"relative", "rel/cfg", "%LOCALAPPDATA%", ".config/Quorvel/Tavrix",
         ".local/share/Quorvel/Tavrix"},
        {"trailing separators", "/cfg//", "/data/", "cfg/Quorvel/Tavrix", "data/Quorvel/Tavrix"},
    };
    for (const auto& C : Cases) {
        TTempHome Home;
        const auto Absolute = [&](const std::optional<std::string>& V) {
            return V && !V->empty() && V->front() == '/' ? std::optional(Home.Path().string() + *V)
                                                         : V;
        };
        SetVariable("XDG_CONFIG_HOME", Absolute(C.ConfigHome));
        SetVariable("XDG_DATA_HOME", Absolute(C.DataHome));

        TFolders F;
        const auto Roaming = (Home.Path() / C.ExpectedRoaming).string();
        const auto Local = (Home.Path() / C.ExpectedLocal).string();
        EXPECT_EQ(F.Folder(afUserRoaming), Roaming) << C.Name;
        EXPECT_EQ(F.Folder(afUserLocal), Local) << C.Name;
        EXPECT_EQ(F.Folder(afLocal), "") << C.Name;
        EXPECT_EQ(F.Folder(afRoaming), "") << C.Name;
        EXPECT_TRUE(fs::is_directory(Roaming)) << C.Name;
        EXPECT_TRUE(fs::is_directory(Local)) << C.Name;
        EXPECT_FALSE(fs::exists(fs::current_path() / "%LOCALAPPDATA%")) << C.Name;
        EXPECT_FALSE(fs::exists(fs::current_path() / "rel")) << C.Name;
    }
}

TEST(TFolders, TheProgramFolderIsTheExecutablesOrWhenUnwritableTheUserLocalFolder)
{
    TTempHome Home;
    EXPECT_EQ(TFolders().Folder(afExe), fs::canonical("/proc/self/exe").parent_path().string());
    const auto Writable = (Home.Path() / "bin").string();
    fs::create_directories(Writable);
    EXPECT_EQ(TFolders::ProgramFolder(Writable, "/local"), Writable);
    EXPECT_EQ(TFolders::ProgramFolder((Home.Path() / "gone").string(), "/local"), "/local");
    EXPECT_EQ(TFolders::ProgramFolder("", "/local"), "/local");
    if (geteuid() != 0) {
        chmod(Writable.c_str(), 0500);
        EXPECT_EQ(TFolders::ProgramFolder(Writable, "/local"), "/local");
        chmod(Writable.c_str(), 0700);
    }
}

TEST(TFolders, InitAgainKeepsWhatTheFoldersHold)
{
    TTempHome Home;
    TFolders F;
    const fs::path Kept = fs::path(F.Folder(afUserRoaming)) / "charts.json";
    std::ofstream(Kept) << "[]";
    const auto Before = F.Folders();
    F.Init();
    EXPECT_EQ(F.Folders(), Before);
    EXPECT_EQ(fs::file_size(Kept), 2u);
}

// A folder that cannot be made is logged; nothing escapes, and the entries
// computed so far stay.
TEST(TFolders, AFolderThatCannotBeMadeIsNoException)
{
    TTempHome Home;
    const auto Blocker = Home.Path() / "file";
    std::ofstream(Blocker) << "x";
    setenv("XDG_DATA_HOME", Blocker.c_str(), 1);
    TFolders F;
    EXPECT_EQ(F.Folder(afUserLocal), (Blocker / "Quorvel/Tavrix").string());
    EXPECT_EQ(F.Folder(afUserRoaming), (Home.ConfigHome() / "Quorvel/Tavrix").string());
    EXPECT_FALSE(fs::exists(F.Folder(afUserRoaming)));
}

} // namespace
