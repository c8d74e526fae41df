#include "domain/charts/uCharts.h"

#include "ChartHostFixture.h"
#include "chart/PlotPanelWidget.h"
#include "domain/charts/uIndicators.h"
#include "domain/uProfile.h"
#include "support/LogCapture.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

constexpr std::int64_t cMinute = 60000;
constexpr std::int64_t cBase = 1700000000000 - 1700000000000 % cMinute;

// A candle opening aMinute minutes after cBase: open aOpen, close aClose,
// two above and below the body.
TKline Candle(int aMinute, double aOpen, double aClose)
{
    TKline Kline(cBase + aMinute * cMinute);
    Kline.SetOpen(aOpen);
    Kline.SetClose(aClose);
    Kline.SetHigh(std::max(aOpen, aClose) + 2);
    Kline.SetLow(std::min(aOpen, aClose) - 2);
    return Kline;
}

TDateTime Minute(int aMinute)
{
    return StampToDate(cBase + aMinute * cMinute);
}

struct ChartItem : testing::Test, TChartHost {
    // A chart of BTCUSDT holding rising candles 0..aCount-1, shown.
    TChartItem& Loaded(int aCount)
    {
        TChartItem& Item = List.Add();
        Item.SetSymbol("BTCUSDT");
        for (int M = 0; M < aCount; ++M)
            Item.KlineList().Put(Candle(M, 100 + M, 104 + M));
        Item.OnNotify(BASE_MAIN_KLINES, 0);
        Item.ChartFullRefresh();
        return Item;
    }
    std::vector<TNotifyData> ChartTypes;
    struct TRecorder : TDObject {
        std::vector<TNotifyData>& Types;
        explicit TRecorder(std::vector<TNotifyData>& aTypes) : Types(aTypes) {}
        void Notification(int32_t EventID, TNotifyData Data) override
        {
            if (EventID == BASE_MAIN_CHART_TYPE)
                Types.push_back(Data);
        }
    } Recorder{ChartTypes};
    ChartItem() { List.Publisher().Subscribe(&Recorder, 0); }
};

TEST_F(ChartItem, ANewChartIsCentredAtZoomZeroAndTakesTheFreshChartsLook)
{
    TChartItem& Item = List.Add();
    Item.SetSymbol("ETHBTC");
    Item.RefreshWindowCaption();
    EXPECT_EQ(Item.Window()->Caption(), "ETHBTC 5m (800%)");
    // (800 - 500) / 2 and (600 - 300) / 2, on the window's grid of 8.
    EXPECT_EQ(Item.Window()->BoundsRect(), Bounds(144, 144, 496, 296));
    const TChartSettingsInfo& S = Item.ChartSettings();
    EXPECT_EQ(S.Zoom(), z0);
    EXPECT_EQ(cZoomCandles[S.Zoom()], 31);
    EXPECT_EQ(S.Left(), 0);
    EXPECT_EQ(S.ChartType(), ctCandle);
    EXPECT_EQ((std::vector<TColor>{S.Background(), S.Buy(), S.Sell(), S.Grid()}),
              (std::vector<TColor>{clWhite, 0x82E6B4, 0xB482E6, 0xC4C4C4}));
    const std::vector<TChartSeries*> DrawingOrder = {Item.SerPrice(), Item.SerBuy(), Item.SerSell(),
                                                     Item.SerCandles()};
    EXPECT_EQ(Item.Chart()->SeriesList(), DrawingOrder);
}

TEST_F(ChartItem, CandlesInArrivalOrderEndAsOneSortedSeriesAndAnUpdateChangesItsCandleInPlace)
{
    TChartItem& Item = List.Add();
    Item.SetSymbol("BTCUSDT");
    // The newest page, then an older one repeating the oldest candle held.
    for (int M : {5, 6, 7, 8, 9})
        Item.KlineList().Put(Candle(M, 10, 11));
    Item.OnNotify(BASE_MAIN_KLINES, 0);
    for (int M : {0, 1, 2, 3, 4, 5})
        Item.KlineList().Put(Candle(M, 10, 11));
    Item.OnNotify(BASE_MAIN_KLINES, 0);
    std::vector<double> Expected;
    for (int M = 0; M < 10; ++M)
        Expected.push_back(Minute(M));
    EXPECT_EQ(Dates(Item), Expected);

    Item.KlineList().Put(Candle(9, 10, 42));
    TLogCapture Log;
    Item.KlineList().Put(TKline(0));
    Item.KlineList().Put(TKline(3000000000000)); // no date can show it
    Item.OnNotify(BASE_MAIN_KLINES, 0);
    EXPECT_EQ(Dates(Item), Expected);
    EXPECT_EQ(Item.SerCandles()->CloseValues().Last(), 42);
    EXPECT_EQ(Item.SerCandles()->HighValues().Last(), 44);
    const TLogLine Skipped{"TChartItem.RefreshChart error: opentime = 0, symbol=BTCUSDT", mtAlert,
                           0};
    EXPECT_EQ(Log.Lines(), std::vector<TLogLine>(2, Skipped));

    Item.OnNotify(BASE_MAIN_CHART_CLEAR, 0);
    EXPECT_EQ(Item.SerCandles()->Count(), 0);
}

TEST_F(ChartItem, ThePriceDrawsItsLineAcrossTheCandlesAndTheNewestCandleFollowsIt)
{
    // The newest candle: open 109, close 113, high 115, low 107.
    const struct {
        double Price, High, Low, Close;
        int LinePoints;
    } Cases[] = {
        {120, 120, 107, 120, 2}, {100, 115, 100, 100, 2}, {110, 115, 107, 110, 2},
        {0, 115, 107, 113, 0},   {-1, 115, 107, 113, 0},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Price);
        TChartItem& Item = Loaded(10);
        Item.SetChartPrice(Case.Price);
        Item.OnNotify(BASE_MAIN_TICKERPRICE, 0);
        const TCandleSeries& C = *Item.SerCandles();
        EXPECT_EQ(C.HighValues().Last(), Case.High);
        EXPECT_EQ(C.LowValues().Last(), Case.Low);
        EXPECT_EQ(C.CloseValues().Last(), Case.Close);
        EXPECT_EQ(C.HighValues()[8], 114) << "older candles stay";
        const TLineSeries& Line = *Item.SerPrice();
        ASSERT_EQ(Line.Count(), Case.LinePoints);
        if (Case.LinePoints) {
            EXPECT_EQ(Line.XValues()[0], Minute(0));
            EXPECT_EQ(Line.XValues()[1], Minute(9));
            EXPECT_EQ(Line.YValues()[0], Case.Price);
            EXPECT_EQ(Line.YValues()[1], Case.Price);
        }
    }
}

TEST_F(ChartItem, OpenOrdersOfTheMainAccountAndTheChartsSymbolBecomeBubbles)
{
    TProfile Accounts;
    Profile = &Accounts;
    auto Order = [](TConnectionItem& Account, const char* Symbol, const char* Side, double Price,
                    int Minute) {
        TUserOrder& O = Account.UserOrderList().Add();
        O.SetSymbol(Symbol);
        O.SetSide(Side);
        O.SetPrice(Price);
        O.SetTime(cBase + Minute * cMinute);
    };
    TConnectionItem& Main = Accounts.MainProfile();
    Order(Main, "BTCUSDT", "BUY", 101, 1);
    Order(Main, "BTCUSDT", "SELL", 112, 2);
    Order(Main, "BTCUSDT", "buy", 113, 3);
    Order(Main, "ETHBTC", "BUY", 104, 4);
    Order(Accounts.Connections().Add(), "BTCUSDT", "BUY", 105, 5);

    TChartItem& Item = Loaded(10);
    Item.Chart()->RightAxis()->SetMinMax(100, 200);
    Item.OnNotify(BASE_MAIN_USERORDERS, 0);
    using TBubble = std::tuple<double, double, double>;
    auto Bubbles = [](const TBubbleSeries& S) {
        std::vector<TBubble> Result;
        for (int i = 0; i < S.Count(); ++i)
            Result.emplace_back(S.XValues()[i], S.YValues()[i], S.RadiusValues()[i]);
        return Result;
    };
    EXPECT_EQ(Bubbles(*Item.SerBuy()), (std::vector<TBubble>{{Minute(1), 101, 2}}));
    EXPECT_EQ(Bubbles(*Item.SerSell()),
              (std::vector<TBubble>{{Minute(2), 112, 2}, {Minute(3), 113, 2}}));

    Profile = nullptr;
    Item.RefreshOrdersBubbles();
    EXPECT_EQ(Item.SerSell()->Count(), 2) << "no profile: nothing changes";
}

TEST_F(ChartItem, TheChartTypeChoosesTheCandleStyleColoursAndTheCodeTheMainWindowChecks)
{
    const struct {
        TChartType Type;
        TCandleStyle Style;
        TColor Up, Down;
        TNotifyData Notified;
    } Cases[] = {
        {ctBar, csCandleBar, 0x333333, 0x333333, 1},
        {ctCandle, csCandleStick, 0x111111, 0x222222, 0},
        {ctLine, csLine, 0x333333, 0x333333, 2},
        {TChartType(7), csLine, 0x333333, 0x333333, 2},
    };
    TChartItem& Item = List.Add();
    TChartSettingsInfo& S = Item.ChartSettings();
    S.SetBuy(0x111111);
    S.SetSell(0x222222);
    S.SetBar(0x333333);
    for (const auto& Case : Cases) {
        ChartTypes.clear();
        S.SetChartType(Case.Type);
        Item.RefreshChartType();
        const TCandleSeries& C = *Item.SerCandles();
        EXPECT_EQ(C.CandleStyle(), Case.Style) << int(Case.Type);
        EXPECT_EQ(C.UpCloseColor(), Case.Up) << int(Case.Type);
        EXPECT_EQ(C.DownCloseColor(), Case.Down) << int(Case.Type);
        EXPECT_EQ(ChartTypes, std::vector<TNotifyData>{Case.Notified}) << int(Case.Type);
    }
}

TEST_F(ChartItem, ALoadedChartDrawsItsCandlesAndPriceLineAtThePixelsOfTheirValues)
{
    TChartItem& Item = Loaded(20);
    Item.SetChartPrice(110.5);
    Item.RefreshChartPrice();
    auto* Widget = Item.Window()->findChild<TPlotPanelWidget*>();
    ASSERT_NE(Widget, nullptr);
    const QImage Image = Widget->grab().toImage();
    const TChartAxis& Time = *Item.Chart()->BottomAxis();
    const TChartAxis& Price = *Item.Chart()->RightAxis();
    auto Pixel = [&](double Date, double Value) {
        return TColor(FromQRgb(Image.pixel(Time.CalcXPosValue(Date), Price.CalcYPosValue(Value))));
    };
    // Candle 10 rises from 110 to 114 (its high 116, its low 108).
    EXPECT_EQ(Pixel(Minute(10), 112), TColor(0x82E6B4)) << "the body";
    EXPECT_EQ(Pixel(Minute(10), 115.5), TColor(clBlack)) << "the wick";
    EXPECT_EQ(Pixel(Minute(10), 117.5), TColor(clWhite)) << "above the high";
    EXPECT_EQ(Pixel((Minute(3) + Minute(4)) / 2, 110.5), TColor(clBlack)) << "the price line";
}

TEST_F(ChartItem, DialogsDecideWhetherAnIndicatorOrNewSettingsTakeEffect)
{
    TChartItem& Item = Loaded(40);
    Item.Chart()->RightAxis()->SetMinMax(100, 200);
    bool Answer = false;
    List.Dialogs().ExecuteDlgIndicator = [&](TBaseIndicatorInfo& Info) {
        EXPECT_EQ(static_cast<TFractalIndicatorInfo&>(Info).Period(), 5) << "shown reset";
        return Answer;
    };
    List.Dialogs().ExecuteDlgChartSettings = [&](const TKlineList&, TChartSettingsInfo& S) {
        if (Answer) {
            S.SetBackground(clBlack);
            S.SetChartType(ctBar);
        }
        return Answer;
    };
    for (bool Ok : {false, true}) {
        SCOPED_TRACE(Ok);
        Answer = Ok;
        ChartTypes.clear();
        auto Fractal = std::make_unique<TFractalIndicatorInfo>();
        Fractal->SetPeriod(9);
        Item.AddIndicator(std::move(Fractal));
        Item.acChartSettingsExecute();
        ASSERT_EQ(Item.IndicatorList().Count(), Ok ? 1 : 0);
        EXPECT_EQ(Item.Chart()->BackColor(), Ok ? clBlack : clWhite);
        EXPECT_EQ(ChartTypes, Ok ? std::vector<TNotifyData>{1} : std::vector<TNotifyData>{});
    }
    const TIndicatorItem& Added = Item.IndicatorList().Items(0);
    EXPECT_EQ(static_cast<const TFractalIndicatorInfo&>(Added.Info()).Radius(), 2);
    EXPECT_EQ(Added.GetSeriesCount(), 2) << "filled from the chart's candles";
}

TEST_F(ChartItem, IndicatorsFollowNewCandlesAndFractalsFromALayoutTakeTheirRadiusAtTheFullRefresh)
{
    TChartItem& Item = Loaded(40);
    TIndicatorList& Indicators = Item.IndicatorList();
    TIndicatorItem& Average = Indicators.Add(std::make_unique<TMaIndicatorInfo>());
    Average.FillSeries(&Item.KlineList());
    // As read from a layout: no radius, filled by the next full refresh.
    TIndicatorItem& Fractals = Indicators.Add(std::make_unique<TFractalIndicatorInfo>());
    Fractals.FillSeries(&Item.KlineList());
    const int Averaged = Average.GetSeries(0).Count();

    // Minute 40 becomes the peak, an up fractal.
    for (const auto& [M, Open] : {std::pair{40, 140}, std::pair{41, 130}, std::pair{42, 120}})
        Item.KlineList().Put(Candle(M, Open, Open + 4));
    Item.OnNotify(BASE_MAIN_KLINES, 0);
    EXPECT_EQ(Average.GetSeries(0).Count(), Averaged + 3) << "refilled with the new candles";

    Item.ChartFullRefresh();
    const TChartAxis& Price = *Item.Chart()->RightAxis();
    const double Radius = (Price.Maximum() - Price.Minimum()) / 50;
    ASSERT_GT(Radius, 0);
    EXPECT_EQ(static_cast<TFractalIndicatorInfo&>(Fractals.Info()).Radius(), Radius);
    const auto& Up = dynamic_cast<const TBubbleSeries&>(Fractals.GetSeries(0));
    ASSERT_GT(Up.Count(), 0);
    EXPECT_EQ(Up.RadiusValues()[0], Radius) << "the bubbles drawn with it";
}

} // namespace
