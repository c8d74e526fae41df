#pragma once

#include <string>

// The exchange's public REST base address used until the settings file names another.
inline constexpr char cDefaultServer[] = "https://api.tavrix.exchange";
inline constexpr char cDefaultLanguage[] = "English";

// The two application settings, kept in "app_settings.json" in the per-user
// roaming folder. Read once at start-up; written only when the first start's
// language choice is made. Workers read ServerURL; it is not changed after start-up.
class TAppSettings {
public:
    TAppSettings() = default;

    // The settings file's full path; empty when the folders are not set up.
    std::string GetFileName() const;
    // Takes "server" and "language" from the file when it exists (a missing key
    // gives the empty text). A file that is not a JSON object, is refused by
    // the file reader or cannot be read changes nothing.
    void Load();
    // Writes both settings, replacing the file as a whole. A failure is
    // told to the trader (SaveReported) and keeps the old file; false then.
    bool Save() const;

    const std::string& ServerURL() const { return fServerURL; }
    void SetServerURL(const std::string& aServerURL) { fServerURL = aServerURL; }
    const std::string& Language() const { return fLanguage; }
    void SetLanguage(const std::string& aLanguage) { fLanguage = aLanguage; }

private:
    std::string fServerURL = cDefaultServer;
    std::string fLanguage = cDefaultLanguage;
};

extern TAppSettings* AppSettings;
