#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

// Points HOME and the XDG base folders at a fresh temporary folder for the
// lifetime of the object, and restores them (and removes the folder) after.
class TTempHome {
public:
    TTempHome();
    TTempHome(const TTempHome&) = delete;
    TTempHome& operator=(const TTempHome&) = delete;
    ~TTempHome();

    const std::filesystem::path& Path() const { return fPath; }
    std::filesystem::path ConfigHome() const { return fPath / ".config"; }
    std::filesystem::path DataHome() const { return fPath / ".local" / "share"; }

private:
    void Set(const char* Name, const std::string& Value);

    std::filesystem::path fPath;
    std::map<std::string, std::optional<std::string>> fSaved;
};
