#include "chart/chart/Chart.h"
#include "controls/uMdiWindow.h"
#include "domain/uFolders.h"
#include "domain/uLog.h"
#include "domain/uSaveReport.h"
#include "domain/uUIWriter.h"
#include "terminal/charts/uChartList.h"
#include "terminal/charts/uCharts.h"
#include "terminal/charts/uIndicators.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <stdexcept>
#include <system_error>

// The chart layout file, "charts.json": the root holds "charts", one object
// per chart window in list order, and "full". A chart's object holds its
// symbol, interval, window bounds and state, its 24 settings keys and its
// "indicators".

namespace fs = std::filesystem;

namespace {

using TLayoutJson = TChartSettingsJson;

constexpr char cFileName[] = "charts.json";
constexpr char cUnreadableSuffix[] = ".bad";

// A layout file that cannot be read (as against a failure while it is used).
class EUnreadableLayout : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// A window is never smaller than a minimised one, nor beyond the coordinates
// every drawing path takes.
constexpr int cMinWindowSize = TwinctrlCustomMdiWindow::MinimizedSize;
constexpr int cMaxWindowPos = 32767;

// A window's bounds as the file holds them, each key within its range. The
// load reads them so and the save writes them so, so that a save writes
// what was loaded: a window larger than the host, which the host pushes up
// and left to fit, is written at the corner, not at its pushed place.
struct TBoundsKey {
    const char* Key;
    int Min;
};
constexpr TBoundsKey cBoundsKeys[] = {
    {"left", 0}, {"top", 0}, {"width", cMinWindowSize}, {"height", cMinWindowSize}};

// Unreadable layouts are kept as ".bad", then ".bad.1", ".bad.2" and on: a
// layout kept earlier may be the one the user wants back.
constexpr int cMaxKeptUnreadable = 1000;

const TLayoutJson* Find(const TLayoutJson& aNode, const char* aKey)
{
    const auto It = aNode.find(aKey);
    return It == aNode.end() ? nullptr : &*It;
}

// The number under aKey, truncated and kept within [aMin, aMax]; missing or
// of another type it reads as 0, kept within the range too.
int LayoutInt(const TLayoutJson& aNode, const char* aKey, int aMin, int aMax)
{
    const TLayoutJson* Value = Find(aNode, aKey);
    const double Number = Value && Value->is_number() ? std::trunc(Value->get<double>()) : 0.0;
    return int(std::clamp(Number, double(aMin), double(aMax)));
}

} // namespace

std::string TChartList::GetFileName()
{
    if (!Folders || Folders->Folder(afUserRoaming).empty())
        return {};
    return Folders->Folder(afUserRoaming) + "/" + cFileName;
}

void TChartList::Load()
{
    Load(GetFileName());
}

void TChartList::Load(const std::string& aFileName)
{
    std::error_code Error;
    if (aFileName.empty() || !fs::exists(aFileName, Error))
        return;
    try {
        LoadLayout(aFileName);
    } catch (const EUnreadableLayout& E) {
        WriteLog(std::string("TUserProfile.LoadFromFile error: ") + E.what(), mtAlert, 0);
        KeepUnreadable(aFileName);
    } catch (const std::exception& E) {
        WriteLog(std::string("TUserProfile.LoadFromFile error: ") + E.what(), mtAlert, 0);
    }
}

// The layout written at exit would replace a file the user may still mend:
// it is kept beside it, under the first name of its kind still free.
void TChartList::KeepUnreadable(const std::string& aFileName)
{
    std::string Kept;
    for (int Copy = 0; Copy <= cMaxKeptUnreadable && Kept.empty(); ++Copy) {
        std::string Name = aFileName + cUnreadableSuffix + (Copy ? "." + std::to_string(Copy) : "");
        std::error_code Ignored;
        if (!fs::exists(fs::symlink_status(Name, Ignored)))
            Kept = std::move(Name);
    }
    std::error_code Error;
    if (Kept.empty())
        Error = std::make_error_code(std::errc::file_exists);
    else
        fs::rename(aFileName, Kept, Error);
    const std::string Name =
        fs::path(Kept.empty() ? aFileName + cUnreadableSuffix : Kept).filename().string();
    WriteLog(Error ? "TChartList.Load: the unreadable layout could not be kept as " + Name + ": " +
                         Error.message()
                   : "TChartList.Load: the unreadable layout is kept as " + Name,
             mtAlert, 0);
}

void TChartList::LoadLayout(const std::string& aFileName)
{
    Clear();
    TLayoutJson Root;
    try {
        Root = LoadChartFile(aFileName);
    } catch (const std::exception& E) {
        throw EUnreadableLayout(E.what());
    }
    const TLayoutJson* Charts = Find(Root, "charts");
    if (!Charts || !Charts->is_array())
        return;
    const TLayoutJson* Full = Find(Root, "full");
    fFullMode = Full && Full->is_boolean() && Full->get<bool>();
    for (const TLayoutJson& Chart : *Charts)
        if (Chart.is_object())
            LoadChart(Chart);
    if (!fItems.empty())
        fItems.front()->SetActive(true);
    if (fFullMode)
        Maximize(wsMaximized);
    QueueNotify(BASE_MAIN_REFRESH_ACTIVE_WINDOW, 0);
}

void TChartList::LoadChart(const TLayoutJson& aNode)
{
    const TLayoutJson* Symbol = Find(aNode, "symbol");
    if (!Symbol || !Symbol->is_string() || Symbol->get<std::string>().empty()) {
        WriteLog("TChartList.Load: a chart without a symbol is skipped", mtAlert, 0);
        return;
    }
    TChartItem& Item = Add();
    Item.SetSymbol(Symbol->get<std::string>());
    Item.LoadInterval(TChartInterval(LayoutInt(aNode, "interval", m1, cChartIntervalCount - 1)));
    TwinctrlMdiWindow& Window = *Item.Window();
    int Bounds[std::size(cBoundsKeys)];
    for (std::size_t I = 0; I < std::size(cBoundsKeys); ++I)
        Bounds[I] = LayoutInt(aNode, cBoundsKeys[I].Key, cBoundsKeys[I].Min, cMaxWindowPos);
    Window.SetBounds(Bounds[0], Bounds[1], Bounds[2], Bounds[3]);
    Window.SetState(TWindowState(LayoutInt(aNode, "state", wsNormal, wsMaximized)));
    Item.LoadSettings(&aNode);
    TChartSettingsInfo& Settings = Item.ChartSettings();
    Settings.SetZoom(Settings.Zoom());
    // A chart never placed opens at the present, as a new one does.
    if (const TLayoutJson* Left = Find(aNode, "left_bar");
        !Left || !Left->is_number() || Left->get<double>() == 0)
        Settings.SetLeft(0);
    if (const TLayoutJson* Indicators = Find(aNode, "indicators");
        Indicators && Indicators->is_array())
        Item.LoadIndicators(*Indicators);
    Item.RefreshKlines();
}

void TChartList::Save()
{
    Save(GetFileName());
}

void TChartList::Save(const std::string& aFileName)
{
    SaveReported(aFileName, cSaveLayoutFailed, [&] {
        TLayoutJson Charts = TLayoutJson::array();
        for (const auto& Item : fItems) {
            TLayoutJson Chart = TLayoutJson::object();
            Chart["symbol"] = Item->Symbol();
            Chart["interval"] = int(Item->Interval());
            const TwinctrlMdiWindow* Window = Item->Window();
            // A minimised or maximised window comes back to its own size.
            const TRect Bounds = Window ? Window->NormalBounds() : TRect{};
            const int Values[] = {Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height()};
            for (std::size_t I = 0; I < std::size(cBoundsKeys); ++I)
                Chart[cBoundsKeys[I].Key] =
                    std::clamp(Values[I], cBoundsKeys[I].Min, cMaxWindowPos);
            Chart["state"] = int(Window ? Window->State() : wsNormal);
            Item->KeepLeftEdge();
            Item->ChartSettings().Save(Chart);
            Item->IndicatorList().Save(Chart["indicators"] = TLayoutJson::array());
            Charts.push_back(std::move(Chart));
        }
        TLayoutJson Root = TLayoutJson::object();
        Root["charts"] = std::move(Charts);
        Root["full"] = fFullMode;
        SaveJsonFile(Root, aFileName);
    });
}
