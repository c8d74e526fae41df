#pragma once

#include "domain/uCommon.h"

#include <array>
#include <string>

// One folder path per TAppFolder, without a trailing separator; empty when the
// program has no such folder.
using TSetOfAppFolders = std::array<std::string, 5>;

// The folders the program uses; every file name is built from one of them.
//   afExe         the executable's folder; the per-user local folder instead
//                 when the executable's folder is not writable
//   afLocal,
//   afRoaming     machine-wide folders: none on this system, always empty
//   afUserLocal   $XDG_DATA_HOME (default ~/.local/share)/Quorvel/Tavrix
//   afUserRoaming $XDG_CONFIG_HOME (default ~/.config)/Quorvel/Tavrix
// A variable that is unset, empty or not an absolute path is ignored.
class TFolders {
public:
    // Runs Init.
    TFolders();
    TFolders(const TFolders&) = delete;
    TFolders& operator=(const TFolders&) = delete;

    // Recomputes every entry and creates each non-empty one with its missing
    // parents. A failure is logged; the entries computed so far stay.
    void Init();

    const TSetOfAppFolders& Folders() const { return fFolders; }
    const std::string& Folder(TAppFolder aFolder) const { return fFolders[aFolder]; }

    // aExeFolder when this process may write there, else aUserLocal.
    static std::string ProgramFolder(const std::string& aExeFolder, const std::string& aUserLocal);

private:
    std::string fUserID;
    TSetOfAppFolders fFolders;
};

extern TFolders* Folders;
