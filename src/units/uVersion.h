#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// The program's own version record.

enum TFviTags : std::uint8_t {
    fviComments,
    fviCompanyName,
    fviFileDescription,
    fviFileVersion,
    fviInternalName,
    fviLegalCopyright,
    fviLegalTrademarks,
    fviOriginalFilename,
    fviPrivateBuild,
    fviProductName,
    fviProductVersion,
    fviSpecialBuild
};
constexpr std::size_t cFviTagCount = fviSpecialBuild + 1;

// Key names of the version texts, and their Russian display names.
inline constexpr std::array<std::string_view, cFviTagCount> cFviFieldsDef{
    "Comments",     "CompanyName",    "FileDescription", "FileVersion",
    "InternalName", "LegalCopyright", "LegalTrademarks", "OriginalFilename",
    "PrivateBuild", "ProductName",    "ProductVersion",  "SpecialBuild"};
inline constexpr std::array<std::string_view, cFviTagCount> cFviFieldsRus{
    "Комментарий",      "Производитель",     "Описание",        "Версия файла",
    "Внутреннее имя",   "Авторские права",   "Торговые знаки",  "Исходное имя файла",
    "Приватная версия", "Название продукта", "Версия продукта", "Особая версия"};

constexpr std::uint16_t RusLangID = 1049;

// File flags and types of a version's fixed part.
constexpr std::uint32_t VS_FF_DEBUG = 0x01;
constexpr std::uint32_t VS_FF_PRERELEASE = 0x02;
constexpr std::uint32_t VS_FF_PATCHED = 0x04;
constexpr std::uint32_t VS_FF_PRIVATEBUILD = 0x08;
constexpr std::uint32_t VS_FF_INFOINFERRED = 0x10;
constexpr std::uint32_t VS_FF_SPECIALBUILD = 0x20;
constexpr std::uint32_t VFT_APP = 1;

// A version as a program file carries it: four-part versions (most
// significant first), flags, type, one language and its texts by key name.
struct TVersionResource {
    std::array<std::uint16_t, 4> FileVersion{};
    std::array<std::uint16_t, 4> ProductVersion{};
    std::uint32_t FileFlags = 0;
    std::uint32_t FileType = 0;
    std::uint16_t LangID = 0;
    std::uint16_t LangCP = 0;
    std::map<std::string, std::string, std::less<>> Strings;
};

struct TFileVersionInfoRecord {
    std::uint16_t LangID = 0;
    std::uint16_t LangCP = 0;
    std::string LangName;
    std::array<std::string, cFviTagCount> FieldDef;
    std::array<std::string, cFviTagCount> FieldRus;
    std::array<std::string, cFviTagCount> Value;
    std::string FileVer;
    std::string ProductVer;
    std::string BuildType;
    std::string FileType;
};

// The record made from a version; returns whether at least one text was
// stored. Tags absent from the version, or empty, are left empty.
bool ReadVersionInfo(const TVersionResource& Version, TFileVersionInfoRecord& Record);

// The program's version, from the build's configuration.
TVersionResource ProgramVersion();

// Filled when the program starts; not changed afterwards.
extern const TFileVersionInfoRecord AppFileInfo;
extern const bool AppInfoFound;
