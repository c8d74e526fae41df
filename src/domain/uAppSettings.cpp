#include "domain/uAppSettings.h"

#include "domain/uCommon.h"
#include "domain/uFolders.h"
#include "domain/uSaveReport.h"
#include "platform/FileRead.h"

#include <filesystem>
#include <nlohmann/json.hpp>

TAppSettings* AppSettings = nullptr;

namespace {

const char* const cSettingsFileName = "app_settings.json";
const char* const cServerKey = "server";
const char* const cLanguageKey = "language";

// A key's text; empty when the key is missing or holds no text.
std::string TextOf(const nlohmann::ordered_json& aObject, const char* aKey)
{
    const auto Found = aObject.find(aKey);
    return Found != aObject.end() && Found->is_string() ? Found->get<std::string>() : std::string();
}

} // namespace

std::string TAppSettings::GetFileName() const
{
    if (!Folders)
        return std::string();
    return Folders->Folder(afUserRoaming) + "/" + cSettingsFileName;
}

void TAppSettings::Load()
{
    const std::string FileName = GetFileName();
    if (FileName.empty() || !std::filesystem::exists(FileName))
        return;
    nlohmann::ordered_json Node;
    try {
        Node = LoadJsonFile(FileName);
    } catch (const EFileError&) {
        // Refused or unreadable: the settings stay as they were.
        return;
    }
    if (!Node.is_object())
        return;
    fServerURL = TextOf(Node, cServerKey);
    fLanguage = TextOf(Node, cLanguageKey);
}

bool TAppSettings::Save() const
{
    nlohmann::ordered_json Node;
    Node[cServerKey] = fServerURL;
    Node[cLanguageKey] = fLanguage;
    const std::string FileName = GetFileName();
    return SaveReported(FileName, cSaveSettingsFailed, [&] { SaveJsonFile(Node, FileName); });
}
