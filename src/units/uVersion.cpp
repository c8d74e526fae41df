#include "units/uVersion.h"

#include "TavrixVersion.h"

#include <utility>

namespace {

std::string JoinVersion(const std::array<std::uint16_t, 4>& Parts)
{
    return std::to_string(Parts[0]) + "." + std::to_string(Parts[1]) + "." +
           std::to_string(Parts[2]) + "." + std::to_string(Parts[3]);
}

std::string BuildTypeOf(std::uint32_t Flags)
{
    static constexpr std::pair<std::uint32_t, const char*> cFlags[] = {
        {VS_FF_DEBUG, "debug"},
        {VS_FF_INFOINFERRED, "info inferred"},
        {VS_FF_PATCHED, "patched"},
        {VS_FF_PRERELEASE, "prerelease"},
        {VS_FF_PRIVATEBUILD, "private build"},
        {VS_FF_SPECIALBUILD, "special build"}};
    std::string Text;
    for (const auto& [Flag, Name] : cFlags) {
        if (Flags & Flag) {
            if (!Text.empty())
                Text += ", ";
            Text += Name;
        }
    }
    return Text;
}

std::string FileTypeOf(std::uint32_t Type)
{
    switch (Type) {
    case 0:
        return "unknown";
    case 1:
        return "application";
    case 2:
        return "DLL";
    case 3:
        return "driver";
    case 4:
        return "font";
    case 5:
        return "VXD";
    case 7:
        return "static lib";
    default:
        return {};
    }
}

std::string LanguageName(std::uint16_t LangID)
{
    switch (LangID) {
    case 0:
        return "Language Neutral";
    case 1033:
        return "English (United States)";
    case RusLangID:
        return "Russian (Russia)";
    default:
        return {};
    }
}

} // namespace

bool ReadVersionInfo(const TVersionResource& Version, TFileVersionInfoRecord& Record)
{
    Record = {};
    Record.FileVer = JoinVersion(Version.FileVersion);
    Record.ProductVer = JoinVersion(Version.ProductVersion);
    Record.BuildType = BuildTypeOf(Version.FileFlags);
    Record.FileType = FileTypeOf(Version.FileType);
    Record.LangID = Version.LangID;
    Record.LangCP = Version.LangCP;
    Record.LangName = LanguageName(Version.LangID);

    bool Found = false;
    for (std::size_t Tag = 0; Tag < cFviTagCount; ++Tag) {
        auto It = Version.Strings.find(cFviFieldsDef[Tag]);
        if (It == Version.Strings.end() || It->second.empty())
            continue;
        Record.FieldDef[Tag] = cFviFieldsDef[Tag];
        if (Version.LangID == RusLangID)
            Record.FieldRus[Tag] = cFviFieldsRus[Tag];
        Record.Value[Tag] = It->second;
        Found = true;
    }
    return Found;
}

TVersionResource ProgramVersion()
{
    TVersionResource Version;
    Version.FileVersion = {TAVRIX_VERSION_MAJOR, TAVRIX_VERSION_MINOR, TAVRIX_VERSION_RELEASE,
                           TAVRIX_VERSION_BUILD};
    Version.ProductVersion = Version.FileVersion;
#ifndef NDEBUG
    Version.FileFlags = VS_FF_DEBUG;
#endif
    Version.FileType = VFT_APP;
    Version.LangID = TAVRIX_VERSION_LANG_ID;
    Version.LangCP = TAVRIX_VERSION_LANG_CP;
    std::string Number = JoinVersion(Version.FileVersion);
    Version.Strings = {{"Comments", TAVRIX_COMMENTS},
                       {"CompanyName", TAVRIX_COMPANY_NAME},
                       {"FileDescription", TAVRIX_FILE_DESCRIPTION},
                       {"FileVersion", Number},
                       {"InternalName", TAVRIX_INTERNAL_NAME},
                       {"LegalCopyright", TAVRIX_LEGAL_COPYRIGHT},
                       {"LegalTrademarks", TAVRIX_LEGAL_TRADEMARKS},
                       {"OriginalFilename", TAVRIX_ORIGINAL_FILENAME},
                       {"ProductName", TAVRIX_PRODUCT_NAME},
                       {"ProductVersion", Number}};
    return Version;
}

namespace {

struct TAppVersion {
    TFileVersionInfoRecord Record;
    bool Found = false;
};

TAppVersion LoadAppVersion()
{
    TAppVersion Version;
    Version.Found = ReadVersionInfo(ProgramVersion(), Version.Record);
    return Version;
}

const TAppVersion gAppVersion = LoadAppVersion();

} // namespace

const TFileVersionInfoRecord AppFileInfo = gAppVersion.Record;
const bool AppInfoFound = gAppVersion.Found;
