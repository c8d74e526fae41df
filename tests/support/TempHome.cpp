#include "support/TempHome.h"

#include <cstdlib>
#include <stdexcept>

TTempHome::TTempHome()
{
    std::string Pattern = (std::filesystem::temp_directory_path() / "tavrix-test-XXXXXX").string();
    if (!mkdtemp(Pattern.data()))
        throw std::runtime_error("cannot create a temporary home folder");
    fPath = Pattern;
    Set("HOME", fPath.string());
    Set("XDG_CONFIG_HOME", ConfigHome().string());
    Set("XDG_DATA_HOME", DataHome().string());
}

TTempHome::~TTempHome()
{
    for (const auto& [Name, Value] : fSaved) {
        if (Value)
            setenv(Name.c_str(), Value->c_str(), 1);
        else
            unsetenv(Name.c_str());
    }
    std::error_code Ignored;
    std::filesystem::remove_all(fPath, Ignored);
}

void TTempHome::Set(const char* Name, const std::string& Value)
{
    if (!fSaved.count(Name)) {
        const char* Old = std::getenv(Name);
        fSaved[Name] = Old ? std::optional<std::string>(Old) : std::nullopt;
    }
    setenv(Name, Value.c_str(), 1);
}
