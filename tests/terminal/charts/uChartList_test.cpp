#include "terminal/charts/uChartList.h"

#include "ChartHostFixture.h"
#include "platform/ScriptedMessageBox.h"
#include "support/FileSizeLimit.h"
#include "support/LogCapture.h"
#include "terminal/charts/uChartTemplates.h"
#include "terminal/charts/uChartTiling.h"
#include "terminal/charts/uIndicators.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <tuple>

namespace fs = std::filesystem;

namespace {

using TJson = nlohmann::ordered_json;

struct ChartLayout : testing::Test, TChartHost {
    ChartLayout()
    {
        List.Publisher().Subscribe(&Recorder, 0);
        List.Dialogs() = {[](TBaseIndicatorInfo&) { return true; },
                          [](const TKlineList&, TChartSettingsInfo&) { return true; },
                          [](const std::string&) { return true; }};
    }
    static std::string Text(const std::string& aFile = TChartList::GetFileName())
    {
        std::ifstream Stream(aFile, std::ios::binary);
        std::stringstream Text;
        Text << Stream.rdbuf();
        return Text.str();
    }
    static void Write(const std::string& aText)
    {
        std::ofstream(TChartList::GetFileName(), std::ios::binary) << aText;
    }
    // A chart of aSymbol, its window the active one.
    TChartItem& Selected(const std::string& aSymbol = "BTCUSDT")
    {
        TChartItem& Item = List.Add();
        Item.SetSymbol(aSymbol);
        Item.SetActive(true);
        return Item;
    }
    std::vector<std::string> Symbols() const { return List.AsSymbolList(); }
    fs::path Folder() const { return Templates.DoNotifyFolders(); }
    void WriteTemplate(const std::string& aName, const std::string& aText) const
    {
        std::ofstream(Folder() / aName, std::ios::binary) << aText;
    }
    // What a chart shows of its settings and indicators.
    static TJson Saved(TChartItem& aChart)
    {
        TJson Node = TJson::object();
        aChart.ChartSettings().Save(Node["info"]);
        aChart.IndicatorList().Save(Node["indicators"] = TJson::array());
        return Node;
    }
    TChartItem& WithIndicators(const char* aIndicators)
    {
        TChartItem& Item = List.Add();
        Item.LoadIndicators(TJson::parse(aIndicators));
        return Item;
    }

    TChartTemplates Templates;

    struct TRecorder : TDObject {
        std::vector<int32_t> Codes;
        void Notification(int32_t EventID, TNotifyData) override { Codes.push_back(EventID); }
    } Recorder;
    TLogCapture Log;
};

// The left edge saved is the time axis' own, whatever the settings held.
TEST_F(ChartLayout, ALayoutIsWrittenKeyForKeyAndReadBackAsSavedButForTheLeftEdge)
{
    TChartItem& Item = List.Add();
    Item.SetSymbol("BTCUSDT");
    Item.LoadInterval(h1);
    Item.Window()->SetBounds(16, 24, 400, 240);
    TChartSettingsInfo& Settings = Item.ChartSettings();
    Settings.Reset();
    Settings.SetZoom(z2);
    Settings.SetShowGrid(true);
    Settings.SetPinMax(1.5);
    // The time axis is the trader's view once candles were placed on it.
    Item.KlineList().Put(TKline(1700000000000));
    Item.OnNotify(BASE_MAIN_KLINES, 0);
    Item.ChartFullRefresh();
    Item.Chart()->BottomAxis()->SetMinMax(45000, 45001);
    Item.IndicatorList().Add(std::make_unique<TMaIndicatorInfo>());
    List.Save();
    EXPECT_EQ(Text(),
              R"({"charts":[{"symbol":"BTCUSDT","interval":5,"left":16,"top":24,"width":400,)"
              R"("height":240,"state":0,"background":16777215,"text":0,"buy":12644824,)"
              R"("sell":14205169,"series":0,"grid":8421504,"bar":0,"autonomic":false,)"
              R"("chartOnTop":false,"chartShift":false,"chartAutoMove":false,"fixedZoom11":false,)"
              R"("fixedZoom":false,"pinMin":0.0,"pinMax":1.5,"chartType":1,"showOHLC":false,)"
              R"("showAsk":false,"showPeriods":false,"showGrid":true,"showVolume":false,)"
              R"("showTips":false,"zoom":2,"left_bar":45000.0,"indicators":[{"type":"MA",)"
              R"("period":14,"shift":0,"method":0,"price":0,"lineColor":255,"lineStyle":0,)"
              R"("lineWidth":1}]}],"full":false})"
              "\r\n");

    TChartItem& Second = List.Add();
    Second.SetSymbol("ETHBTC");
    Second.Window()->SetState(wsMaximized);
    Second.ChartSettings().SetChartShift(true);
    Second.LoadIndicators(TJson::parse(
        R"([{"type":"ZigZag","depth":7},{"type":"Fractal","period":3,"color":65280},)"
        R"({"type":"Bollinger","period":9,"dev":3},{"type":"MA","method":3,"lineWidth":2}])"));
    List.Save();
    TJson Before = TJson::parse(Text());
    List.Load();
    ASSERT_EQ(Symbols(), (std::vector<std::string>{"BTCUSDT", "ETHBTC"}));
    EXPECT_EQ(List.GetSelected(), &List.Items(0)) << "the first chart is active";
    List.Items(0).KlineList().Put(TKline(1700000000000));
    List.Items(0).OnNotify(BASE_MAIN_KLINES, 0);
    List.Items(0).ChartFullRefresh();
    List.Items(0).Chart()->BottomAxis()->SetMinMax(45100, 45101);
    List.Save();
    TJson After = TJson::parse(Text());
    EXPECT_EQ(After["charts"][0]["left_bar"], 45100.0);
    for (TJson* Layout : {&Before, &After})
        for (TJson& Chart : (*Layout)["charts"])
            Chart.erase("left_bar");
    EXPECT_EQ(After, Before);
}

// Closing the selected chart selects the next in the list, else the one
// before; the main window hears of the selection at once (code 270).
TEST_F(ChartLayout, ClosingTheSelectedChartSelectsTheNextOne)
{
    for (const char* Symbol : {"A", "B", "C", "D"})
        Selected(Symbol);
    List.Items(1).SetActive(true);
    const struct {
        const char* Close;
        const char* Then;
    } Cases[] = {{"B", "C"}, {"A", "C"}, {"D", "C"}, {"C", nullptr}};
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Close);
        const std::vector<std::string> Symbols = this->Symbols();
        const auto At = std::find(Symbols.begin(), Symbols.end(), Case.Close) - Symbols.begin();
        if (std::string(Case.Close) == "D")
            List.Items(int(At)).SetActive(true);
        Recorder.Codes.clear();
        List.Items(int(At)).DestroyWindow();
        TChartItem* Now = List.GetSelected();
        EXPECT_EQ(Now ? Now->Symbol() : "", Case.Then ? Case.Then : "");
        EXPECT_EQ(Recorder.Codes,
                  (std::vector<int32_t>{BASE_MAIN_REFRESH_ACTIVE_WINDOW, BASE_MAIN_TABS_REFRESH}));
    }
}

// Only the changes a trader makes on purpose write the layout.
TEST_F(ChartLayout, CommandsThatChangeAChartWriteTheLayoutViewChangesDoNot)
{
    const std::pair<const char*, std::function<void()>> Writes[] = {
        {"new chart", [&] { List.AddNewChart("LTCBTC"); }},
        {"closed chart", [&] { Selected().DestroyWindow(); }},
        {"chart type", [&] { List.acStickExecute(ctLine); }},
        {"zoom in", [&] { List.acZoomInExecute(); }},
        {"zoom out", [&] { List.acZoomOutExecute(); }},
        {"interval", [&] { List.RefreshKlinesByInterval(d1); }},
        {"indicator added", [&] { Selected().AddIndicator(std::make_unique<TMaIndicatorInfo>()); }},
        {"indicator deleted",
         [&] {
             TChartItem& Item = Selected();
             Item.AddIndicator(std::make_unique<TZigZagIndicatorInfo>());
             fs::remove(TChartList::GetFileName());
             Item.IndicatorList().OnSeriesDblClick(&Item.IndicatorList().Items(0).GetSeries(0), 0,
                                                   mbLeft, {}, 0, 0);
             List.acIndicatorDeleteExecute();
         }},
        {"settings accepted", [&] { List.acChartSettingsExecute(); }},
        {"tiled", [&] { List.Mozaic(); }},
    };
    const std::pair<const char*, std::function<void()>> Keeps[] = {
        {"window moved", [&] { Selected().Window()->SetBounds(40, 40, 200, 200); }},
        {"maximised", [&] { List.Maximize(wsMaximized); }},
        {"mouse zoom", [&] { Selected().SetZoom(z3); }},
        {"indicator settings",
         [&] {
             TChartItem& Item = Selected();
             Item.IndicatorList()
                 .Add(std::make_unique<TMaIndicatorInfo>())
                 .FillSeries(&Item.KlineList());
             Item.IndicatorList().OnSeriesDblClick(&Item.IndicatorList().Items(0).GetSeries(0), 0,
                                                   mbLeft, {}, 0, 0);
             List.acIndicatorSettingsExecute();
         }},
        {"auto scroll", [&] { List.acAutoScrollExecute(true); }},
        {"shift to end", [&] { List.acShiftToEndExecute(true); }},
        {"tabs", [&] { List.SetTabsVisible(true); }},
        {"template loaded", [&] { Selected().LoadTemplate((Home.Path() / "none.tpl").string()); }},
        {"layout loaded", [&] { List.Load(); }},
        {"emptied", [&] { List.Clear(); }},
        {"nothing selected", [&] { List.acStickExecute(ctBar); }},
    };
    for (const auto& [What, Action] : Writes) {
        Selected();
        fs::remove(TChartList::GetFileName());
        Action();
        EXPECT_TRUE(fs::exists(TChartList::GetFileName())) << What;
    }
    for (const auto& [What, Action] : Keeps) {
        if (std::string(What) != "nothing selected")
            Selected();
        else
            List.Clear();
        List.Save();
        const fs::file_time_type Written = fs::last_write_time(TChartList::GetFileName());
        fs::last_write_time(TChartList::GetFileName(), Written - std::chrono::hours(1));
        Action();
        EXPECT_EQ(fs::last_write_time(TChartList::GetFileName()), Written - std::chrono::hours(1))
            << What;
    }
}

TEST_F(ChartLayout, ALayoutThatCannotBeUsedEmptiesTheListAndKeepsTheFullMode)
{
    const struct {
        const char* What;
        const char* Text;
        std::vector<std::string> Symbols;
        bool FullMode;
        bool Logged;
    } Cases[] = {
        {"no file", nullptr, {"BTCUSDT"}, true, false},
        {"no charts", R"({"full":false})", {}, true, false},
        {"charts of another type", R"({"charts":{"symbol":"X"},"full":false})", {}, true, false},
        {"not JSON", "{ charts", {}, true, true},
        {"not an object", "[]", {}, true, true},
        {"elements of another type",
         R"({"charts":[3,{"symbol":"ETHBTC"}],"full":"yes"})",
         {"ETHBTC"},
         false,
         false},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.What);
        List.Clear();
        Selected();
        List.Maximize(wsMaximized);
        fs::remove(TChartList::GetFileName());
        if (Case.Text)
            Write(Case.Text);
        Log.Clear();
        List.Load();
        EXPECT_EQ(Symbols(), Case.Symbols);
        EXPECT_EQ(List.FullMode(), Case.FullMode);
        const std::vector<TLogLine> Lines = Log.Lines();
        EXPECT_EQ(!Lines.empty(), Case.Logged);
        const std::string Kept = TChartList::GetFileName() + ".bad";
        if (Case.Logged) {
            EXPECT_EQ(
                Lines,
                (std::vector<TLogLine>{
                    {"TUserProfile.LoadFromFile error: error reading charts.json", mtAlert, 0},
                    {"TChartList.Load: the unreadable layout is kept as charts.json.bad", mtAlert,
                     0}}));
            EXPECT_EQ(Text(Kept), Case.Text) << "kept beside";
            EXPECT_FALSE(fs::exists(TChartList::GetFileName()));
            fs::remove(Kept);
        }
        EXPECT_FALSE(fs::exists(Kept));
    }
}

// The layout written at exit replaces an unreadable file no more: it stays
// beside, under ".bad"; a later one never overwrites an earlier one.
TEST_F(ChartLayout, AnUnreadableLayoutIsKeptBesideTheOneWrittenAfter)
{
    for (const std::string Suffix : {".bad", ".bad.1"}) {
        Write("{ " + Suffix);
        List.Load();
        Selected("ETHBTC");
        List.Save();
        EXPECT_EQ(TJson::parse(Text())["charts"][0]["symbol"], "ETHBTC");
    }
    for (const std::string Suffix : {".bad", ".bad.1"})
        EXPECT_EQ(Text(TChartList::GetFileName() + Suffix), "{ " + Suffix);
}

// A load then a save writes what was loaded: a window larger than the host,
// which the host pushes up and left, and a left edge whose candles have not
// come.
TEST_F(ChartLayout, ASaveAfterALoadWritesWhatWasLoaded)
{
    Write(R"({"charts":[{"symbol":"BTCUSDT","left":0,"top":0,"width":1200,"height":32760,)"
          R"("left_bar":45000.25}]})");
    const TJson Written = TJson::parse(Text())["charts"][0];
    List.Load();
    List.Save();
    const TJson Saved = TJson::parse(Text())["charts"][0];
    for (const char* Key : {"left", "top", "width", "height", "left_bar"})
        EXPECT_EQ(Saved[Key], Written[Key]) << Key;
}

// A save that fails keeps the old file and is told; the chart keeps what
// the trader set.
TEST_F(ChartLayout, ASaveThatFailsIsToldOnceAndKeepsTheOldFile)
{
    TScriptedMessageBox Box;
    TChartItem& Item = Selected();
    List.RefreshKlinesByInterval(m3);
    const std::string Before = Text();
    {
        TFileSizeLimit Full(100);
        List.RefreshKlinesByInterval(m5);
        Templates.Save((Folder() / "dark.tpl").string(), Item);
    }
    EXPECT_EQ(Text(), Before);
    EXPECT_EQ(Item.Interval(), m5);
    ASSERT_EQ(Box.Shown().size(), 2u);
    EXPECT_EQ(Box.Shown()[0].Text, "Не удалось сохранить расположение графиков: File too large");
    EXPECT_EQ(Box.Shown()[1].Text, "Не удалось сохранить шаблон: File too large");
}

// An entry written before colours were kept, or by hand, shows the default
// colours, not black on black; one without a left edge opens at the present.
TEST_F(ChartLayout, AnEntryWithoutColoursOrLeftEdgeTakesTheDefaults)
{
    Write(R"({"charts":[{"symbol":"BTCUSDT","chartType":1},)"
          R"({"symbol":"ETHBTC","left_bar":45000.5,"background":0,"buy":255}]})");
    List.Load();
    ASSERT_EQ(List.Count(), 2);
    TChartSettingsInfo Defaults;
    Defaults.Reset();
    const auto Colours = [](const TChartSettingsInfo& S) {
        return std::tuple(S.Background(), S.Buy(), S.Sell(), S.Grid());
    };
    const TChartSettingsInfo& Bare = List.Items(0).ChartSettings();
    EXPECT_EQ(Colours(Bare), Colours(Defaults));
    EXPECT_EQ(List.Items(0).Chart()->BackColor(), clWhite);
    EXPECT_EQ(Bare.Left(), 0) << "never placed";
    const TChartSettingsInfo& Set = List.Items(1).ChartSettings();
    EXPECT_EQ(Colours(Set),
              std::tuple(TColor(clBlack), TColor(255), Defaults.Sell(), Defaults.Grid()));
    EXPECT_EQ(Set.Left(), 45000.5);
}

TEST_F(ChartLayout, LoadedValuesStayWithinTheirRanges)
{
    Write(R"({"charts":[{"symbol":"BTCUSDT","interval":99,"left":-40,"top":1e12,"width":-5,)"
          R"("height":"tall","state":7,"zoom":9,"chartType":1},)"
          R"({"symbol":"ETHBTC","interval":-1,"state":-1,"zoom":-3},)"
          R"({"symbol":7},{"symbol":""},{"interval":3}],"full":false})");
    List.Load();
    ASSERT_EQ(List.Count(), 2) << "the charts without a symbol are skipped";
    EXPECT_EQ(Log.Lines(),
              std::vector<TLogLine>(
                  3, {"TChartList.Load: a chart without a symbol is skipped", mtAlert, 0}));
    TChartItem& Odd = List.Items(0);
    EXPECT_EQ(Odd.Interval(), Month1);
    EXPECT_EQ(Odd.Window()->State(), wsMaximized);
    EXPECT_EQ(Odd.ChartSettings().Zoom(), z5);
    TChartItem& Empty = List.Items(1);
    EXPECT_EQ(Empty.Interval(), m1);
    EXPECT_EQ(Empty.Window()->State(), wsNormal);
    EXPECT_EQ(Empty.ChartSettings().Zoom(), z0);
    const TRect Bounds = Empty.Window()->BoundsRect();
    EXPECT_GE(Bounds.Left, 0);
    EXPECT_GE(Bounds.Width(), TwinctrlCustomMdiWindow::MinimizedSize);
    List.Save();
    const TJson Saved = TJson::parse(Text());
    EXPECT_EQ(Saved["charts"][0]["interval"], 14);
    EXPECT_EQ(Saved["charts"][0]["zoom"], 5);
}

// A host of 1000 x 600: its thirds and halves are not multiples of 8, and
// three columns do not fill it, so a second row placed by the host's width
// would start off the left edge.
TEST(ChartTiling, OneRowUpToThreeTwoRowsFromFourCellsOnTheGridRowsFromTheLeft)
{
    const struct {
        int Count;
        std::vector<TRect> Cells;
    } Cases[] = {
        {0, {}},
        {1, {Bounds(0, 0, 1000, 600)}},
        {2, {Bounds(0, 0, 496, 600), Bounds(496, 0, 496, 600)}},
        {3, {Bounds(0, 0, 328, 600), Bounds(328, 0, 328, 600), Bounds(656, 0, 328, 600)}},
        {4,
         {Bounds(0, 0, 496, 296), Bounds(496, 0, 496, 296), Bounds(0, 296, 496, 296),
          Bounds(496, 296, 496, 296)}},
        {5,
         {Bounds(0, 0, 328, 296), Bounds(328, 0, 328, 296), Bounds(656, 0, 328, 296),
          Bounds(0, 296, 328, 296), Bounds(328, 296, 328, 296)}},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(MozaicBounds(Case.Count, 1000, 600), Case.Cells) << Case.Count << " charts";
}

TEST(ChartTiling, NewWindowsCascadeFromTheLastAndStartAgainAtTheCorner)
{
    const TRect New = Bounds(150, 150, 500, 300);
    const struct {
        TRect Last;
        TRect Expected;
    } Cases[] = {
        {Bounds(150, 150, 500, 300), Bounds(174, 174, 500, 300)},
        {Bounds(0, 0, 200, 100), Bounds(24, 24, 500, 300)},
        {Bounds(280, 100, 500, 300), Bounds(0, 0, 500, 300)},
        {Bounds(100, 280, 500, 300), Bounds(0, 0, 500, 300)},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(CascadeBounds(Case.Last, New, 800, 600), Case.Expected);
}

// New charts do not stack on one spot; a minimised or maximised window is
// saved with its normal bounds, to which it comes back after loading.
TEST_F(ChartLayout, NewChartsCascadeAndWindowsComeBackToTheirNormalBounds)
{
    std::vector<TRect> Placed;
    for (const char* Symbol : {"A", "B", "C"})
        Placed.push_back(List.AddNewChart(Symbol)->Window()->BoundsRect());
    EXPECT_EQ(Placed[1], CascadeBounds(Placed[0], Placed[0], 800, 600));
    EXPECT_EQ(Placed[2], CascadeBounds(Placed[1], Placed[1], 800, 600));
    List.Items(0).Window()->SetState(wsMinimized);
    List.Items(1).Window()->SetState(wsMaximized);
    List.Save();
    List.Load();
    ASSERT_EQ(List.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        TwinctrlMdiWindow& Window = *List.Items(i).Window();
        Window.SetState(wsNormal);
        EXPECT_EQ(Window.BoundsRect(), Placed[std::size_t(i)]) << i;
    }
}

// On the host of 800 x 600: cells of 264 x 296. A minimised window's cell
// is where its restore puts it, in the file too. Full mode shows the chart
// tabs below the host until the windows are back: they come back to their
// cells all the same.
TEST_F(ChartLayout, TilingPlacesEveryWindowOnItsCellAndLeavesTheFullMode)
{
    List.Mozaic();
    EXPECT_FALSE(fs::exists(TChartList::GetFileName())) << "nothing to tile";
    for (const char* Symbol : {"A", "B", "C", "D", "E"})
        Selected(Symbol);
    const auto Cell = [](int i) { return Bounds(264 * (i % 3), 296 * (i / 3), 264, 296); };
    TwinctrlMdiWindow& Minimised = *List.Items(4).Window();
    Minimised.SetState(wsMinimized);
    List.Mozaic();
    EXPECT_EQ(Minimised.State(), wsMinimized);
    EXPECT_EQ(TJson::parse(Text())["charts"][4]["left"], 264);
    Minimised.SetState(wsNormal);
    EXPECT_EQ(Minimised.BoundsRect(), Cell(4));

    struct TTabs : TDObject {
        TChartHost& Fixture;
        explicit TTabs(TChartHost& aFixture) : Fixture(aFixture) {}
        void Notification(int32_t EventID, TNotifyData) override
        {
            if (EventID == BASE_MAIN_TABS_REFRESH)
                Fixture.Host.resize(800, Fixture.List.FullMode() ? 568 : 600);
        }
    } Tabs(*this);
    List.Publisher().Subscribe(&Tabs, 0);
    List.Maximize(wsMaximized);
    List.Mozaic();
    EXPECT_FALSE(List.FullMode());
    List.Maximize(wsMaximized);
    List.Maximize(wsNormal);
    List.Publisher().Unsubscribe(&Tabs, 0);
    List.Save();
    for (int i = 0; i < List.Count(); ++i) {
        EXPECT_EQ(List.Items(i).Window()->State(), wsNormal);
        EXPECT_TRUE(List.Items(i).Window()->CaptionVisible());
        EXPECT_EQ(List.Items(i).Window()->BoundsRect(), Cell(i)) << i;
        EXPECT_EQ(TJson::parse(Text())["charts"][std::size_t(i)]["top"], Cell(i).Top) << i;
    }
}

TEST_F(ChartLayout, FullModeMaximisesEveryWindowWithoutCaptionAndNewChartsJoinIt)
{
    Selected("A");
    Selected("B");
    List.Maximize(wsMaximized);
    TChartItem* Added = List.AddNewChart("C");
    ASSERT_NE(Added, nullptr);
    EXPECT_EQ(List.GetSelected(), Added);
    for (int i = 0; i < List.Count(); ++i) {
        EXPECT_EQ(List.Items(i).Window()->State(), wsMaximized);
        EXPECT_FALSE(List.Items(i).Window()->CaptionVisible());
    }
    List.Maximize(wsMinimized);
    EXPECT_FALSE(List.FullMode());
    EXPECT_EQ(List.Items(2).Window()->State(), wsMinimized);
    EXPECT_TRUE(List.Items(2).Window()->CaptionVisible());
    EXPECT_EQ(std::count(Recorder.Codes.begin(), Recorder.Codes.end(), BASE_MAIN_TABS_REFRESH), 3)
        << "twice by command, once for the chart added in full mode";
}

// Templates: a chart's look saved apart from the layout.
using ChartTemplate = ChartLayout;

TEST_F(ChartTemplate, ASavedTemplatePutsTheSettingsAndIndicatorsOnAnotherChart)
{
    TChartItem& Source =
        WithIndicators(R"([{"type":"Bollinger","period":9,"dev":3},{"type":"Fractal"}])");
    TChartSettingsInfo& Settings = Source.ChartSettings();
    Settings.Reset();
    Settings.SetBackground(clBlack);
    Settings.SetShowVolume(true);
    Settings.SetZoom(z3);
    Settings.SetLeft(45000.5);
    Source.Chart()->BottomAxis()->SetMinMax(45100, 45101);
    Templates.Save((Folder() / "dark.tpl").string(), Source);
    EXPECT_EQ(Templates.GetFileList(), std::vector<std::string>{"dark.tpl"});

    TChartItem& Target = WithIndicators(R"([{"type":"MA"}])");
    Templates.Load("dark", Target);
    EXPECT_EQ(Saved(Target), Saved(Source)) << "the left edge as held, not the time axis'";
    EXPECT_EQ(Saved(Target)["info"]["left_bar"], 45000.5);
    EXPECT_EQ(Target.Chart()->SeriesCount(), 4 + 3 + 2) << "the moving average's line is gone";
    EXPECT_EQ(Target.Chart()->BackColor(), clBlack);
}

TEST_F(ChartTemplate, OnlyATemplateWithIndicatorsReplacesTheChartsIndicators)
{
    const struct {
        const char* Template;
        std::vector<std::string> Types;
        int Series;
    } Cases[] = {
        {R"({"info":{}})", {"MA", "ZigZag"}, 2},
        {R"({"info":{},"indicators":{"type":"Fractal"}})", {"MA", "ZigZag"}, 2},
        {R"({"info":{},"indicators":[]})", {}, 0},
        {R"({"info":{},"indicators":[{"type":"Fractal"},{"type":"Kagi"}]})", {"Fractal"}, 2},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Template);
        TChartItem& Chart = WithIndicators(R"([{"type":"MA"},{"type":"ZigZag"}])");
        WriteTemplate("t.tpl", Case.Template);
        Templates.Load("t", Chart);
        std::vector<std::string> Types;
        const TJson Shown = Saved(Chart);
        for (const TJson& Indicator : Shown["indicators"])
            Types.push_back(Indicator["type"]);
        EXPECT_EQ(Types, Case.Types);
        EXPECT_EQ(Chart.Chart()->SeriesCount(), 4 + Case.Series);
    }
}

// A template shows its colours, grid, candle style and zoom level (the
// caption and the zoom commands following); the candle colours by chart
// type, the left edge, the main window's check and the layout stay.
TEST_F(ChartTemplate, ALoadChangesTheSettingsAndZoomAndLeavesTheLeftEdgeAndTheLayout)
{
    TChartItem& Chart = List.Add();
    Chart.SetSymbol("BTCUSDT");
    Chart.RefreshWindowCaption();
    Chart.Chart()->BottomAxis()->SetMinMax(45000, 45001);
    WriteTemplate("bars.tpl",
                  R"({"info":{"background":255,"buy":65280,"bar":16711680,"chartType":0,)"
                  R"("zoom":5,"showGrid":true}})");
    Templates.Load("bars", Chart);

    const TCandleSeries& Candles = *Chart.SerCandles();
    EXPECT_EQ(Chart.Chart()->BackColor(), 255);
    EXPECT_EQ(Candles.CandleStyle(), csCandleBar);
    EXPECT_EQ(Candles.UpCloseColor(), 65280) << "the buy colour, not the bar colour of bars";
    EXPECT_EQ(Chart.ChartSettings().Zoom(), z5);
    EXPECT_NEAR(Chart.ChartSettings().Left(), ChartNow() - 1, 1e-3) << "no left edge: a day ago";
    EXPECT_EQ(Chart.Chart()->BottomAxis()->Minimum(), 45000);
    EXPECT_EQ(Chart.Window()->Caption(), "BTCUSDT 5m (25%)");
    EXPECT_EQ(Recorder.Codes, std::vector<int32_t>{BASE_MAIN_ZOOM_REFRESH});
    EXPECT_FALSE(fs::exists(TChartList::GetFileName()));
}

TEST_F(ChartTemplate, AnUnreadableTemplateChangesNothingAndAMissingOneIsIgnored)
{
    TChartItem& Chart = WithIndicators(R"([{"type":"MA"}])");
    const TJson Before = Saved(Chart);
    fs::create_directory(Folder() / "folder.tpl");
    for (const char* Text : {"{ info", "[]", "null"}) {
        WriteTemplate("broken.tpl", Text);
        Log.Clear();
        Templates.Load("broken", Chart);
        EXPECT_EQ(Saved(Chart), Before) << Text;
        EXPECT_EQ(Log.Lines(),
                  (std::vector<TLogLine>{
                      {"TUserProfile.LoadFromFile error: error reading broken.tpl", mtAlert, 0}}))
            << Text;
    }
    Log.Clear();
    for (const char* Name : {"missing", "../broken", "folder"})
        Templates.Load(Name, Chart);
    EXPECT_EQ(Saved(Chart), Before);
    EXPECT_EQ(Log.Lines().size(), 1u) << "only the folder is a file that cannot be read";
}

// Fractals from a template are drawn at once, sized to the price axis.
TEST_F(ChartTemplate, FractalsOfATemplateShowAtOnce)
{
    TChartItem& Chart = List.Add();
    Chart.SetSymbol("BTCUSDT");
    for (int M = 0; M < 20; ++M) {
        TKline Kline(1700000000000 + M * 60000);
        const double Peak = M == 10 ? 20 : 0;
        Kline.SetOpen(100);
        Kline.SetClose(101);
        Kline.SetHigh(102 + Peak);
        Kline.SetLow(99);
        Chart.KlineList().Put(Kline);
    }
    Chart.OnNotify(BASE_MAIN_KLINES, 0);
    Chart.Chart()->RightAxis()->SetMinMax(0, 250);
    WriteTemplate("f.tpl", R"({"info":{},"indicators":[{"type":"Fractal","period":5}]})");
    Templates.Load("f", Chart);
    ASSERT_EQ(Chart.IndicatorList().Count(), 1);
    const TIndicatorItem& Fractals = Chart.IndicatorList().Items(0);
    EXPECT_EQ(static_cast<const TFractalIndicatorInfo&>(Fractals.Info()).Radius(), 5);
    const auto& Up = dynamic_cast<const TBubbleSeries&>(Fractals.GetSeries(0));
    ASSERT_EQ(Up.Count(), 1);
    EXPECT_EQ(Up.RadiusValues()[0], 5);
}

// a.tpl and a.tpl.tpl are two templates, each listed, loaded and deleted
// by its own name.
TEST_F(ChartTemplate, ATemplateIsNamedByItsFileWithoutTheFinalExtension)
{
    EXPECT_EQ(TChartTemplates::NameOf("a.tpl.tpl"), "a.tpl");
    EXPECT_EQ(TChartTemplates::NameOf("a.tpl"), "a");
    EXPECT_EQ(TChartTemplates::NameOf(".tpl"), "");
    EXPECT_EQ(TChartTemplates::NameOf("b.tp"), "b.tp");
    WriteTemplate("a.tpl", R"({"info":{"background":255}})");
    WriteTemplate("a.tpl.tpl", R"({"info":{"background":65280}})");
    TChartItem& Chart = List.Add();
    for (const auto& [File, Color] : {std::pair{"a.tpl", 255}, std::pair{"a.tpl.tpl", 65280}}) {
        Templates.Load(TChartTemplates::NameOf(File), Chart);
        EXPECT_EQ(Chart.ChartSettings().Background(), TColor(Color)) << File;
    }
    Templates.Delete(TChartTemplates::NameOf("a.tpl.tpl"));
    EXPECT_EQ(Templates.GetFileList(), std::vector<std::string>{"a.tpl"});
}

TEST_F(ChartTemplate, TheListHoldsEveryTemplateFileSortedAndDeleteTakesOnlyFiles)
{
    EXPECT_TRUE(fs::is_directory(Folder())) << "made with the templates object";
    EXPECT_TRUE(Templates.GetFileList().empty());
    for (const char* Name :
         {"b.tpl", ".hidden.tpl", "a.tpl.tpl", "x.TPL", "notes.txt", "c.tpl.bak"})
        WriteTemplate(Name, "{}");
    WriteTemplate("read-only.tpl", "{}");
    fs::permissions(Folder() / "read-only.tpl", fs::perms::owner_read);
    fs::create_directory(Folder() / "folder.tpl");
    fs::create_symlink(Folder() / "b.tpl", Folder() / "link.tpl");
    EXPECT_EQ(Templates.GetFileList(),
              (std::vector<std::string>{".hidden.tpl", "a.tpl.tpl", "b.tpl", "link.tpl",
                                        "read-only.tpl"}));

    for (const char* Name : {"read-only", "missing", "folder", "../notes", "a.tpl"})
        Templates.Delete(Name);
    EXPECT_EQ(Templates.GetFileList(),
              (std::vector<std::string>{".hidden.tpl", "b.tpl", "link.tpl"}));
    EXPECT_TRUE(fs::is_directory(Folder() / "folder.tpl"));
    EXPECT_TRUE(fs::exists(Folder() / "notes.txt"));
}

} // namespace
