#include "domain/charts/uChartTemplates.h"

#include "ChartHostFixture.h"
#include "domain/charts/uIndicators.h"
#include "support/LogCapture.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

using TJson = nlohmann::ordered_json;

struct ChartTemplate : testing::Test, TChartHost {
    ChartTemplate() { List.Publisher().Subscribe(&Recorder, 0); }

    fs::path Folder() const { return Templates.DoNotifyFolders(); }
    void Write(const std::string& aName, const std::string& aText) const
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
        int Codes = 0;
        void Notification(int32_t, TNotifyData) override { ++Codes; }
    } Recorder;
    TLogCapture Log;
};

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
        Write("t.tpl", Case.Template);
        Templates.Load("t", Chart);
        std::vector<std::string> Types;
        const TJson Shown = Saved(Chart);
        for (const TJson& Indicator : Shown["indicators"])
            Types.push_back(Indicator["type"]);
        EXPECT_EQ(Types, Case.Types);
        EXPECT_EQ(Chart.Chart()->SeriesCount(), 4 + Case.Series);
    }
}

// A template shows its colours, grid and candle style; the candle colours
// by chart type, the view, the main window's check and the layout stay.
TEST_F(ChartTemplate, ALoadChangesTheSettingsAndLeavesTheViewAndTheLayout)
{
    TChartItem& Chart = List.Add();
    Chart.SetSymbol("BTCUSDT");
    Chart.RefreshWindowCaption();
    Chart.Chart()->BottomAxis()->SetMinMax(45000, 45001);
    const auto Caption = Chart.Window()->Caption();
    Write("bars.tpl", R"({"info":{"background":255,"buy":65280,"bar":16711680,"chartType":0,)"
                      R"("zoom":5,"showGrid":true}})");
    Templates.Load("bars", Chart);

    const TCandleSeries& Candles = *Chart.SerCandles();
    EXPECT_EQ(Chart.Chart()->BackColor(), 255);
    EXPECT_EQ(Candles.CandleStyle(), csCandleBar);
    EXPECT_EQ(Candles.UpCloseColor(), 65280) << "the buy colour, not the bar colour of bars";
    EXPECT_EQ(Chart.ChartSettings().Zoom(), z5);
    EXPECT_NEAR(Chart.ChartSettings().Left(), ChartNow() - 1, 1e-3) << "no left edge: a day ago";
    EXPECT_EQ(Chart.Chart()->BottomAxis()->Minimum(), 45000);
    EXPECT_EQ(Chart.Window()->Caption(), Caption);
    EXPECT_EQ(Recorder.Codes, 0);
    EXPECT_FALSE(fs::exists(TChartList::GetFileName()));
}

TEST_F(ChartTemplate, AnUnreadableTemplateChangesNothingAndAMissingOneIsIgnored)
{
    TChartItem& Chart = WithIndicators(R"([{"type":"MA"}])");
    const TJson Before = Saved(Chart);
    fs::create_directory(Folder() / "folder.tpl");
    for (const char* Text : {"{ info", "[]", "null"}) {
        Write("broken.tpl", Text);
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

TEST_F(ChartTemplate, TheListHoldsEveryTemplateFileSortedAndDeleteTakesOnlyFiles)
{
    EXPECT_TRUE(fs::is_directory(Folder())) << "made with the templates object";
    EXPECT_TRUE(Templates.GetFileList().empty());
    for (const char* Name :
         {"b.tpl", ".hidden.tpl", "a.tpl.tpl", "x.TPL", "notes.txt", "c.tpl.bak"})
        Write(Name, "{}");
    Write("read-only.tpl", "{}");
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
