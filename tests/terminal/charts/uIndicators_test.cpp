#include "terminal/charts/uIndicators.h"

#include "chart/canvas/PlotEngineScope.h"
#include "chart/panel/PlotPanelWidget.h"
#include "chart/series/BubbleSeries.h"
#include "domain/uCollections.h"
#include "support/LogCapture.h"
#include "terminal/charts/uIndicatorCalc.h"

#include <QMenu>
#include <gtest/gtest.h>

namespace {

constexpr std::int64_t cIndicatorMinute = 60000;
constexpr std::int64_t cIndicatorBase = 1700000000000;

// Candles in the list's arrival order: the newest half first.
void FillCandles(TKlineList& List, int Count)
{
    for (int i = 0; i < Count; ++i) {
        const int k = (i + Count / 2) % Count;
        TKline Kline(cIndicatorBase + k * cIndicatorMinute);
        const double Wave = (k * 7) % 11;
        Kline.SetOpen(100 + Wave);
        Kline.SetHigh(102 + Wave);
        Kline.SetLow(99 + Wave - (k % 3));
        Kline.SetClose(101 + Wave);
        List.Put(Kline);
    }
}

// The series' points, and those calculated for it.
using TXY = std::vector<std::pair<double, double>>;
TXY Points(const TChartSeries& Series)
{
    TXY Result;
    for (int i = 0; i < Series.Count(); ++i)
        Result.emplace_back(Series.XValues()[i], Series.YValues()[i]);
    return Result;
}
TXY Points(const std::vector<TIndicatorPoint>& Calculated)
{
    TXY Result;
    for (const TIndicatorPoint& Point : Calculated)
        Result.emplace_back(Point.X, Point.Y);
    return Result;
}

class IndicatorList : public testing::Test {
protected:
    IndicatorList()
    {
        Indicators.SetChart(&Chart);
        FillCandles(Klines, 40);
    }

    template <class T> TIndicatorItem& Add(std::unique_ptr<T> Info)
    {
        TIndicatorItem& Item = Indicators.Add(std::move(Info));
        Item.FillSeries(&Klines);
        return Item;
    }

    TChart Chart;
    TKlineList Klines;
    TIndicatorList Indicators;
};

TEST_F(IndicatorList, AFillCreatesTheSeriesOnTheChartWithThePointsOfTheCandlesInTimeOrder)
{
    auto Bands = std::make_unique<TBollingerIndicatorInfo>();
    Bands->SetLineColor(clGreen);
    Bands->SetLineStyle(STYLE_DASHDOT);
    Bands->SetLineWidth(3);
    const TIndicatorPoints Expected = CalculateIndicator(*Bands, SortedCandles(Klines));
    TIndicatorItem& Item = Indicators.Add(std::move(Bands));
    EXPECT_EQ(Item.GetSeriesCount(), 0) << "no series before the first fill";
    Item.FillSeries();
    EXPECT_EQ(Item.GetSeriesCount(), 0) << "nothing without a candle list";
    Item.FillSeries(&Klines);
    ASSERT_EQ(Item.GetSeriesCount(), 3);
    ASSERT_EQ(Chart.SeriesCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const TCustomSeries& Series = Item.GetSeries(i);
        EXPECT_EQ(&Chart.Series(i), &Series);
        EXPECT_EQ(Points(Series), Points(Expected.Series[std::size_t(i)])) << i;
        EXPECT_EQ(Series.SeriesColor(), clGreen);
        EXPECT_EQ(Series.LinePen().Style(), psDashDot);
        EXPECT_EQ(Series.LinePen().Width(), 3);
        EXPECT_EQ(Indicators.FindBySeries(&Series), &Item);
    }
    // New candles and changed settings reach the series on the next refill;
    // values outside their tables draw as the nearest valid ones.
    FillCandles(Klines, 45);
    auto& Info = static_cast<TBollingerIndicatorInfo&>(Item.Info());
    Info.SetLineStyle(static_cast<TLineStyle>(9));
    Info.SetLineWidth(0);
    Indicators.Refresh();
    EXPECT_EQ(Item.GetSeries(1).Count(), 45 - 20);
    EXPECT_EQ(Item.GetSeries(1).LinePen().Style(), psDashDotDot);
    EXPECT_EQ(Item.GetSeries(1).LinePen().Width(), 1);
    EXPECT_EQ(Chart.SeriesCount(), 3) << "the series are made once";
}

TEST_F(IndicatorList, FractalsFillTheirUpAndDownSeriesInTheirColourAndFollowTheRadius)
{
    auto Info = std::make_unique<TFractalIndicatorInfo>();
    Info->SetColor(clTeal);
    const TIndicatorPoints Expected = CalculateIndicator(*Info, SortedCandles(Klines));
    TIndicatorItem& Item = Add(std::move(Info));
    ASSERT_EQ(Item.GetSeriesCount(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Points(Item.GetSeries(i)), Points(Expected.Series[std::size_t(i)])) << i;
        EXPECT_EQ(Item.GetSeries(i).SeriesColor(), clTeal);
    }
    Indicators.Add(std::make_unique<TMaIndicatorInfo>()).FillSeries(&Klines);
    Indicators.UpdateFractals(1.5);
    EXPECT_EQ(static_cast<TFractalIndicatorInfo&>(Item.Info()).Radius(), 1.5);
    for (int i = 0; i < 2; ++i) {
        const auto& Bubbles = dynamic_cast<const TBubbleSeries&>(Item.GetSeries(i));
        ASSERT_GT(Bubbles.Count(), 0);
        EXPECT_EQ(std::vector<double>(Bubbles.RadiusValues().Data(),
                                      Bubbles.RadiusValues().Data() + Bubbles.Count()),
                  std::vector<double>(std::size_t(Bubbles.Count()), 1.5))
            << "every bubble takes the new radius";
    }
}

// Told once, not at every refresh; again only after a fill without it.
TEST_F(IndicatorList, AShiftPastTheCandlesKeepsThePointsBeforeItAndLogsTheErrorOnce)
{
    TLogCapture Log;
    auto Info = std::make_unique<TMaIndicatorInfo>();
    Info->SetShift(3);
    TIndicatorItem& Item = Add(std::move(Info));
    Item.FillSeries();
    Item.FillSeries();
    EXPECT_EQ(Item.GetSeries(0).Count(), 40 - 14 - 3);
    auto& Ma = static_cast<TMaIndicatorInfo&>(Item.Info());
    Ma.SetShift(0);
    Item.FillSeries();
    Ma.SetShift(3);
    Item.FillSeries();
    // The log read last: reading it ends it.
    const TLogLine Told{"TfmBaseMain.RefreshChart Series3 error: List index out of bounds (40)",
                        mtAlert, 0};
    EXPECT_EQ(Log.Lines(), (std::vector<TLogLine>{Told, Told}));
}

TEST_F(IndicatorList, DeletingAnItemTakesItsSeriesOffTheChartAndClearsTheSelection)
{
    TIndicatorItem& Ma = Add(std::make_unique<TMaIndicatorInfo>());
    TIndicatorItem& Bands = Add(std::make_unique<TBollingerIndicatorInfo>());
    TChartSeries* Upper = &Bands.GetSeries(0);
    Upper->RaiseClicked(0, mbLeft, ssDouble, 5, 5);
    EXPECT_EQ(Indicators.Selected(), &Bands);
    Indicators.DeleteItem(nullptr);
    Indicators.DeleteItem(&Bands);
    EXPECT_EQ(Indicators.Selected(), nullptr);
    EXPECT_EQ(Indicators.Count(), 1);
    EXPECT_EQ(Chart.SeriesCount(), 1);
    EXPECT_EQ(Indicators.FindBySeries(Upper), nullptr);
    EXPECT_EQ(Indicators.FindBySeries(&Ma.GetSeries(0)), &Ma);
    {
        TIndicatorList Other;
        Other.SetChart(&Chart);
        Other.Add(std::make_unique<TFractalIndicatorInfo>()).FillSeries(&Klines);
        EXPECT_EQ(Chart.SeriesCount(), 3);
    }
    EXPECT_EQ(Chart.SeriesCount(), 1) << "a freed list takes its series off the chart";
}

TEST_F(IndicatorList, ADoubleClickSelectsTheIndicatorAndOpensItsMenuAtThePointer)
{
    QMenu Menu;
    Menu.addAction(QStringLiteral("Settings"));
    Indicators.SetPmIndicator(&Menu);
    TPlotPanelWidget Widget(Chart);
    Widget.setGeometry(30, 40, 300, 200);
    Widget.show();
    Add(std::make_unique<TMaIndicatorInfo>());
    TIndicatorItem& ZigZag = Add(std::make_unique<TZigZagIndicatorInfo>());
    ZigZag.GetSeries(0).RaiseClicked(1, mbLeft, ssDouble | ssLeft, 20, 10);
    EXPECT_EQ(Indicators.Selected(), &ZigZag);
    EXPECT_TRUE(Menu.isVisible());
    EXPECT_EQ(Menu.pos(), Widget.mapToGlobal(QPoint(20, 10)));
    Menu.hide();
}

TEST_F(IndicatorList, SavingAndLoadingKeepsTheIndicatorsAndSkipsOtherTypes)
{
    TIndicatorItem& Old = Add(std::make_unique<TZigZagIndicatorInfo>());
    Old.GetSeries(0).RaiseClicked(0, mbLeft, ssDouble, 0, 0);
    const TIndicatorJson Node = TIndicatorJson::parse(
        R"([{"type":"MA","period":9,"shift":0,"method":1,"price":3,"lineColor":0,"lineStyle":2,)"
        R"("lineWidth":2},{"type":"RSI","period":14},{"type":"Fractal","period":3,"color":65280}])");
    Indicators.Load(Node);
    EXPECT_EQ(Indicators.Selected(), nullptr) << "a reload clears the selection";
    EXPECT_EQ(Chart.SeriesCount(), 0) << "the old series are off the chart";
    ASSERT_EQ(Indicators.Count(), 2);
    EXPECT_EQ(Indicators.Items(0).GetSeriesCount(), 0) << "the caller fills them";
    TIndicatorJson Saved = TIndicatorJson::array();
    Indicators.Save(Saved);
    TIndicatorJson Expected = Node;
    Expected.erase(1);
    EXPECT_EQ(Saved.dump(), Expected.dump());
    Indicators.Load(TIndicatorJson::object());
    EXPECT_EQ(Indicators.Count(), 2) << "a node that is no array changes nothing";
    Indicators.Load(TIndicatorJson::array());
    EXPECT_EQ(Indicators.Count(), 0);
}

} // namespace
