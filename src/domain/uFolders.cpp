#include "domain/uFolders.h"

#include "domain/uLog.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>
#include <vector>

TFolders* Folders = nullptr;

namespace {

const char* const cVendorFolder = "Quorvel";
const char* const cProductFolder = "Tavrix";

// An absolute path without a trailing separator.
std::string Clean(const std::filesystem::path& aPath)
{
    std::string Result = aPath.lexically_normal().string();
    while (Result.size() > 1 && Result.back() == '/')
        Result.pop_back();
    return Result;
}

// The variable's value when it names an absolute path, else empty.
std::string AbsoluteFromEnv(const char* aName)
{
    const char* Value = std::getenv(aName);
    return Value && Value[0] == '/' ? std::string(Value) : std::string();
}

std::string HomeFolder()
{
    std::string Home = AbsoluteFromEnv("HOME");
    if (!Home.empty())
        return Home;
    long Size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> Buffer(Size > 0 ? static_cast<size_t>(Size) : 16384);
    passwd Entry{};
    passwd* Found = nullptr;
    if (getpwuid_r(getuid(), &Entry, Buffer.data(), Buffer.size(), &Found) == 0 && Found &&
        Found->pw_dir && Found->pw_dir[0] == '/')
        return Found->pw_dir;
    throw std::runtime_error("the home folder is not known");
}

// $aVariable, or the home folder's aDefault; then the program's own folder.
std::string UserFolder(const char* aVariable, const char* aDefault)
{
    std::filesystem::path Base = AbsoluteFromEnv(aVariable);
    if (Base.empty())
        Base = std::filesystem::path(HomeFolder()) / aDefault;
    return Clean(Base / cVendorFolder / cProductFolder);
}

} // namespace

TFolders::TFolders()
{
    Init();
}

std::string TFolders::ProgramFolder(const std::string& aExeFolder, const std::string& aUserLocal)
{
    return !aExeFolder.empty() && ::access(aExeFolder.c_str(), W_OK) == 0 ? aExeFolder : aUserLocal;
}

void TFolders::Init()
{
    try {
        fFolders[afLocal].clear();
        fFolders[afRoaming].clear();
        fFolders[afUserLocal] = UserFolder("XDG_DATA_HOME", ".local/share");
        fFolders[afUserRoaming] = UserFolder("XDG_CONFIG_HOME", ".config");
        fFolders[afExe] = ProgramFolder(Clean(std::filesystem::path(ExeName()).parent_path()),
                                        fFolders[afUserLocal]);
        for (const std::string& Folder : fFolders)
            if (!Folder.empty())
                std::filesystem::create_directories(Folder);
    } catch (const std::exception& E) {
        WriteLog(std::string("TFolders.Init error: ") + E.what(), mtAlert, 0);
    }
}
