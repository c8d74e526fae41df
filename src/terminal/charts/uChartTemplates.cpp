#include "terminal/charts/uChartTemplates.h"

#include "domain/uFolders.h"
#include "domain/uLog.h"
#include "domain/uSaveReport.h"
#include "terminal/charts/uCharts.h"
#include "terminal/charts/uIndicators.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

TChartTemplates* ChartTemplates = nullptr;

namespace {

constexpr char cExtension[] = ".tpl";

void LogFolderError(const std::string& aMessage)
{
    WriteLog("TChartTemplates.DoNotifyFolders error: " + aMessage, mtAlert, 0);
}

} // namespace

TChartTemplates::TChartTemplates()
{
    const std::string Templates = Folder();
    if (Templates.empty())
        return;
    std::error_code Error;
    fs::create_directories(Templates, Error);
    if (Error)
        LogFolderError(Templates + ": " + Error.message());
}

std::string TChartTemplates::Folder()
{
    if (!Folders || Folders->Folder(afUserRoaming).empty())
        return {};
    return Folders->Folder(afUserRoaming) + "/Templates";
}

std::string TChartTemplates::TemplateFile(const std::string& aFileName)
{
    const std::string Templates = Folder();
    if (Templates.empty() || aFileName.find('/') != std::string::npos)
        return {};
    return Templates + "/" + aFileName + cExtension;
}

std::string TChartTemplates::DoNotifyFolders() const
{
    std::string Templates = Folder();
    if (Templates.empty())
        LogFolderError("the per-user roaming folder is not known");
    return Templates;
}

std::vector<std::string> TChartTemplates::GetFileList() const
{
    std::vector<std::string> Names;
    const std::string Templates = Folder();
    if (Templates.empty())
        return Names;
    std::error_code Error;
    for (fs::directory_iterator It(Templates, Error), End; !Error && It != End;
         It.increment(Error)) {
        std::string Name = It->path().filename().string();
        std::error_code StatusError;
        if (Name.ends_with(cExtension) && It->is_regular_file(StatusError))
            Names.push_back(std::move(Name));
    }
    std::sort(Names.begin(), Names.end());
    return Names;
}

std::string TChartTemplates::NameOf(const std::string& aFileName)
{
    return aFileName.ends_with(cExtension)
               ? aFileName.substr(0, aFileName.size() - (sizeof(cExtension) - 1))
               : aFileName;
}

void TChartTemplates::Load(const std::string& aFileName, TChartItem& aChart) const
{
    if (const std::string File = TemplateFile(aFileName); !File.empty())
        aChart.LoadTemplate(File);
}

void TChartTemplates::Save(const std::string& aFileName, TChartItem& aChart) const
{
    aChart.SaveTemplate(aFileName);
}

void TChartTemplates::Delete(const std::string& aFileName) const
{
    const std::string File = TemplateFile(aFileName);
    std::error_code Error;
    if (!File.empty() && !fs::is_directory(File, Error))
        fs::remove(File, Error);
}

// A template read and written by its chart. Loading changes the settings
// and, when the template has them, the indicators (fractals sized to the
// price axis at once), shows the settings' colours, grid and candle style,
// and applies the template's zoom level as the zoom commands do (caption
// and zoom commands follow); the chart's edges, candle colours by type and
// the main window's chart-type check are left as they were, and the layout
// is not written.

void TChartItem::LoadTemplate(const std::string& aFileName)
{
    std::error_code Error;
    if (!Ready() || !fs::exists(aFileName, Error))
        return;
    try {
        const TChartSettingsJson Root = LoadChartFile(aFileName);
        const TZoom Zoom = fChartSettings.Zoom();
        if (const auto Info = Root.find("info"); Info != Root.end())
            fChartSettings.Load(*Info);
        if (const auto Indicators = Root.find("indicators");
            Indicators != Root.end() && Indicators->is_array())
            LoadIndicators(*Indicators);
        LoadChartColors();
        // Back to the level shown, so that the template's is applied as a
        // change; SetZoom sizes the fractals, or else it is done here.
        const TZoom Loaded = fChartSettings.Zoom();
        fChartSettings.SetZoom(Zoom);
        if (Loaded != Zoom)
            SetZoom(Loaded);
        else
            UpdateIndicators();
    } catch (const std::exception& E) {
        WriteLog(std::string("TUserProfile.LoadFromFile error: ") + E.what(), mtAlert, 0);
    }
}

// The settings' left edge is written as held, not taken from the time axis.
void TChartItem::SaveTemplate(const std::string& aFileName)
{
    SaveReported(aFileName, cSaveTemplateFailed, [&] {
        TChartSettingsJson Root = TChartSettingsJson::object();
        fChartSettings.Save(Root["info"] = TChartSettingsJson::object());
        fIndicatorList->Save(Root["indicators"] = TChartSettingsJson::array());
        SaveJsonFile(Root, aFileName);
    });
}
