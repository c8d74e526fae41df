#pragma once

#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// Decodes text in the Windows Cyrillic code page (cp1251) to UTF-8. The one
// byte the code page leaves undefined (0x98) becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view Text);

// Fills the "%d" and "%s" of Text with Values, in order. Text may come from
// the user's translation file, so nothing else in it is read as a format:
// every other "%" stays as it is, a placeholder beyond the values stays as
// written, and a value is never searched for placeholders.
std::string FillPlaceholders(std::string_view Text, std::initializer_list<std::string_view> Values);

// Turns the program's Russian interface texts into the chosen language by a
// table read from "<language>.lng" in the per-user roaming folder, and supplies
// that language's agreement text from "<language>.license". A language without
// a table leaves every text as it is.
//
// Keys and values are held as UTF-8. The table is replaced only on the
// user-interface thread at start-up; after that it is read-only, so lookups
// from any thread are safe.
class TTranslator {
public:
    // Answers the per-user roaming folder (no trailing separator), or the
    // empty text while there is none; asked each time a file name is built.
    using TFolderSource = std::function<std::string()>;

    TTranslator() = default;
    explicit TTranslator(TFolderSource RoamingFolder);
    TTranslator(const TTranslator&) = delete;
    TTranslator& operator=(const TTranslator&) = delete;

    const std::string& Language() const { return fLanguage; }
    // Does nothing for the language already set; otherwise loads its table.
    void SetLanguage(const std::string& Value);
    // Reads the current language's table again, as a change of language does.
    void Reload();
    // From now on the folder's file of that name ("english.lng") is read as
    // Bytes, the program's own copy: for a file the folder could not take,
    // which may be missing or stale there.
    void SetBuiltIn(std::string aName, std::string aBytes);

    // The translation of Text, or Text itself when the table has no such key.
    // The first table line with a key wins.
    std::string Translate(std::string_view Text) const;
    // The translation of a text holding "%d" or "%s" placeholders, filled
    // with Values (numbers given as their text) by FillPlaceholders: never
    // used as a printf format.
    std::string Translate(std::string_view Text,
                          std::initializer_list<std::string_view> Values) const;

    // The whole agreement text, each line ended by CR LF; empty without a file.
    std::string GetLicense() const;
    std::string License() const { return GetLicense(); }

    // Empty while there is no roaming folder or the language cannot name a file.
    std::string GetFileName() const;
    std::string GetLicenseFileName() const;

    // The text before the first "=" (empty without one) and after it (the
    // whole text without one).
    static std::string GetParam(std::string_view Line);
    static std::string GetValue(std::string_view Line);

    // Number of distinct keys in the loaded table.
    std::size_t Count() const { return fTable.size(); }

private:
    std::string FileNameFor(std::string_view Extension) const;
    // The language's file of that extension: its built-in copy when one was
    // set, else the folder's; nothing when there is neither.
    std::optional<std::string> ReadLanguageFile(std::string_view Extension) const;

    TFolderSource fRoamingFolder;
    std::string fLanguage;
    // Finds a key given as a view without building a string.
    struct TKeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view Key) const
        {
            return std::hash<std::string_view>{}(Key);
        }
    };

    std::unordered_map<std::string, std::string, TKeyHash, std::equal_to<>> fTable;
    std::map<std::string, std::string, std::less<>> fBuiltIn;
};

// Created first of all services by the main block and freed last.
extern TTranslator* Translator;
