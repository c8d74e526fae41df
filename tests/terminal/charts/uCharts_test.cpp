#include "terminal/charts/uCharts.h"

#include "ChartHostFixture.h"
#include "chart/panel/PlotPanelWidget.h"
#include "domain/uProfile.h"
#include "platform/DateUtils.h"
#include "platform/ScriptedMessageBox.h"
#include "platform/qt/Screen.h"
#include "support/LogCapture.h"
#include "terminal/charts/uChartNow.h"
#include "terminal/charts/uChartViewCalc.h"
#include "terminal/charts/uIndicators.h"

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QLineEdit>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace {

constexpr int64_t cMinute = 60000;
// Odd milliseconds: the records are still found by their exact open times.
constexpr int64_t cBase = 1700000000000 - 1700000000000 % cMinute + 7;
TDateTime gNow = 0;
int gScreenWidth = 1000;

// Whole minutes are the candles' own open times; fractions place the axis.
TDateTime Minute(int aMinute)
{
    return StampToDate(cBase + aMinute * cMinute);
}
TDateTime Minute(double aMinute)
{
    return StampToDate(cBase) + aMinute / MinsPerDay;
}

// A candle opening aMinute minutes after cBase: open aOpen, close aClose,
// two above and below the body.
TKline Candle(int aMinute, double aOpen, double aClose, double aVolume = 0)
{
    TKline Kline(cBase + aMinute * cMinute);
    Kline.SetOpen(aOpen);
    Kline.SetClose(aClose);
    Kline.SetHigh(std::max(aOpen, aClose) + 2);
    Kline.SetLow(std::min(aOpen, aClose) - 2);
    Kline.SetVolume(aVolume);
    return Kline;
}

struct ChartItem : testing::Test, TChartHost {
    // aCount rising one-minute candles (low 98 + M, high 106 + M), the
    // volume of candle M aVolume(M), shown as a history that just arrived,
    // the time axis placed at the oldest (unless aLeft says otherwise).
    TChartItem& Loaded(
        int aCount, double (*aVolume)(int) = [](int M) { return 10.0 + M; },
        TDateTime aLeft = Minute(0))
    {
        TChartItem& Item = List.Add();
        Item.SetSymbol("BTCUSDT");
        Item.ChartSettings().SetLeft(aLeft);
        Item.SetClock([] { return gNow; });
        Item.SetScreenWidth([] { return gScreenWidth; });
        // Newest first, as history pages come.
        for (int M = aCount - 1; M >= 0; --M)
            Item.KlineList().Put(Candle(M, 100 + M, 104 + M, aVolume(M)));
        Item.OnNotify(BASE_MAIN_KLINES, 0);
        Item.SetIsLoading(false);
        Item.ChartFullRefresh();
        return Item;
    }
    static TChartAxis& Time(TChartItem& aItem) { return *aItem.Chart()->BottomAxis(); }
    static TChartAxis& Price(TChartItem& aItem) { return *aItem.Chart()->RightAxis(); }
    static QImage Grab(TChartItem& aItem)
    {
        return aItem.Window()->findChild<TPlotPanelWidget*>()->grab().toImage();
    }
    static TColor Pixel(const QImage& aImage, int X, int Y)
    {
        return TColor(FromQRgb(aImage.pixel(X, Y)));
    }
    // A drag through the chart's own mouse handling.
    static void Drag(TChartItem& aItem, TPoint aFrom, std::initializer_list<TPoint> aTo)
    {
        TChart& Chart = *aItem.Chart();
        Chart.MouseDown(mbLeft, ssLeft, aFrom.X, aFrom.Y);
        for (const TPoint& P : aTo)
            Chart.MouseMove(ssLeft, P.X, P.Y);
    }
    ChartItem()
    {
        gNow = Minute(10000);
        List.Publisher().Subscribe(&Recorder, 0);
    }
    ~ChartItem() override { SetScreenCursor(Qt::ArrowCursor); }

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
    EXPECT_EQ(S.Left(), 0);
    EXPECT_EQ(S.ChartType(), ctCandle);
    EXPECT_EQ((std::vector<TColor>{S.Background(), S.Buy(), S.Sell(), S.Grid()}),
              (std::vector<TColor>{clWhite, 0x82E6B4, 0xB482E6, 0xC4C4C4}));
    const std::vector<TChartSeries*> DrawingOrder = {Item.SerPrice(), Item.SerBuy(), Item.SerSell(),
                                                     Item.SerCandles()};
    EXPECT_EQ(Item.Chart()->SeriesList(), DrawingOrder);
}

// Until its candles come, a chart shows the present, not the empty date,
// also after a load that brought none; a page then shows each at its time.
TEST_F(ChartItem, AChartWithoutCandlesShowsThePresentAndAPageItsCandlesInPlace)
{
    TChartItem& Item = List.Add();
    Item.SetSymbol("BTCUSDT");
    Grab(Item);
    EXPECT_GT(Time(Item).Minimum(), ChartNow() - 1);
    Item.SetIsLoading(false);
    Item.ChartFullRefresh();
    EXPECT_NEAR(Time(Item).Maximum(), ChartNow(), 1.0 / MinsPerDay);

    const int Now = int((DateToStamp(ChartNow()) - cBase) / cMinute);
    for (int K = 0; K < 20; ++K)
        Item.KlineList().Put(Candle(Now - 5 * K, 100, 104));
    Item.OnNotify(BASE_MAIN_KLINES, 0);
    Grab(Item);
    EXPECT_LT(Item.SerCandles()->CalcXPos(18), Item.SerCandles()->CalcXPos(19)) << "not piled";
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
    const QImage Image = Grab(Item);
    auto Pixel = [&](double Date, double Value) {
        return ChartItem::Pixel(Image, Time(Item).CalcXPosValue(Date),
                                Price(Item).CalcYPosValue(Value));
    };
    // Candle 10 rises from 110 to 114 (its high 116, its low 108).
    EXPECT_EQ(Pixel(Minute(10), 112), TColor(0x82E6B4)) << "the body";
    EXPECT_EQ(Pixel(Minute(10), 115.5), TColor(clBlack)) << "the wick";
    EXPECT_EQ(Pixel(Minute(10), 117.5), TColor(clWhite)) << "above the high";
    EXPECT_EQ(Pixel((Minute(3) + Minute(4)) / 2, 110.5), TColor(clBlack)) << "the price line";
}

TEST_F(ChartItem, ALivePriceBeyondThePriceAxisWidensItToTheNewestCandle)
{
    TChartItem& Item = Loaded(5);
    Grab(Item);
    ASSERT_EQ(Item.SerCandles()->LastValueIndex(), 4) << "the newest candle in view";
    const double Top = Price(Item).Maximum(), Bottom = Price(Item).Minimum();
    Item.SetChartPrice((Top + Bottom) / 2);
    Item.RefreshChartPrice();
    EXPECT_EQ(Price(Item).Maximum(), Top) << "a price inside keeps the axis";
    Item.SetChartPrice(Top + 50);
    Item.RefreshChartPrice();
    EXPECT_GE(Price(Item).Maximum(), Top + 50);
    Item.SetChartPrice(Bottom - 50);
    Item.RefreshChartPrice();
    EXPECT_LE(Price(Item).Minimum(), Bottom - 50);
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

// A bar chart paints its candles in the bar colour; the settings dialog
// reads the chart back before it opens and must not take that for the buy
// and sell colours.
TEST_F(ChartItem, SettingsOnABarChartKeepTheBuyAndSellColours)
{
    TChartItem& Item = Loaded(20);
    TChartSettingsInfo& S = Item.ChartSettings();
    S.Reset();
    S.SetBar(0x333333);
    Item.LoadSettings(nullptr);
    Item.acStickExecute(ctBar);
    for (bool Ok : {false, true}) {
        List.Dialogs().ExecuteDlgChartSettings = [Ok](const TKlineList&, TChartSettingsInfo&) {
            return Ok;
        };
        Item.acChartSettingsExecute();
        EXPECT_EQ(S.Buy(), TColor(clLtGreen)) << Ok;
        EXPECT_EQ(S.Sell(), TColor(clLtRed)) << Ok;
        EXPECT_EQ(Item.SerCandles()->UpCloseColor(), 0x333333) << Ok;
    }
    Item.acStickExecute(ctCandle);
    EXPECT_EQ(Item.SerCandles()->UpCloseColor(), TColor(clLtGreen));
    EXPECT_EQ(Item.SerCandles()->DownCloseColor(), TColor(clLtRed));
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

// A chart never placed shows its newest candles at the right edge, whole,
// with the shift's fifth of the axis free after them.
TEST_F(ChartItem, ANewChartOpensAtItsNewestCandleAndAZoomLevelShowsItsCandlesPerScreen)
{
    for (const auto& [Count, Shift] : {std::pair{9, false}, std::pair{3000, true}}) {
        TChartItem& Item = Loaded(
            Count, [](int) { return 1.0; }, 0);
        Item.ChartSettings().SetChartShift(Shift);
        Item.ChartFullRefresh();
        const double Free = Shift ? Item.CalcMaxVisibleCandleCount() / 5.0 : 0;
        EXPECT_NEAR(Time(Item).Maximum(), Minute(Count + Free), 1e-9) << Count;
        EXPECT_LT(Time(Item).Minimum(), Minute(Count - 1)) << Count;
    }
    TChartItem& Item = List.Items(1);
    Item.ChartSettings().SetChartShift(false);
    Time(Item).SetMinMax(Minute(0), Minute(31));
    TIndicatorItem& Fractals = Item.IndicatorList().Add(std::make_unique<TFractalIndicatorInfo>());
    Fractals.FillSeries(&Item.KlineList());
    std::vector<int> Widths;
    for (const auto& [Zoom, Candles] : {std::pair{z5, 1000}, std::pair{z0, 31}}) {
        Grab(Item);
        gScreenWidth = Time(Item).IAxisSize;
        Item.SetZoom(Zoom);
        EXPECT_NEAR((Time(Item).Maximum() - Time(Item).Minimum()) * MinsPerDay, Candles, 1e-4);
        EXPECT_EQ(Time(Item).Minimum(), Minute(0)) << "the left end stays";
        Widths.push_back(Item.SerCandles()->CandleWidth());
        // Also below a pixel per candle, where the rounded pixels give none.
        EXPECT_NEAR(Item.CalcMaxVisibleCandleCount(), Candles, 1) << "the capacity";
        EXPECT_EQ(static_cast<TFractalIndicatorInfo&>(Fractals.Info()).Radius(),
                  (Price(Item).Maximum() - Price(Item).Minimum()) / 50);
    }
    EXPECT_EQ(Item.Window()->Caption(), "BTCUSDT 5m (800%)");
    EXPECT_LE(Widths[0], 1);
    EXPECT_GT(Widths[1], 8);
}

// Maximising gives the time axis more pixels: it shows as many more
// candles as the zoom level fits, each as wide as before, up to where it
// ended.
TEST_F(ChartItem, AMaximisedChartShowsTheCandlesItsZoomLevelFits)
{
    TChartItem& Item = Loaded(3000);
    Grab(Item);
    gScreenWidth = 1000;
    Item.OnChartResize();
    const double Before = (Time(Item).Maximum() - Time(Item).Minimum()) * MinsPerDay;
    const int Width = Item.SerCandles()->CandleWidth();
    const double Right = Minute(2000);
    Time(Item).SetMinMax(Right - Before / MinsPerDay, Right);
    Item.Window()->SetState(wsMaximized);
    for (int Round = 0; Round < 3; ++Round)
        QCoreApplication::processEvents();
    Grab(Item);
    const double After = (Time(Item).Maximum() - Time(Item).Minimum()) * MinsPerDay;
    EXPECT_NEAR(After, ZoomCandleCount(z0, Time(Item).IAxisSize, gScreenWidth), 1e-6);
    EXPECT_GT(After, Before * 1.4);
    EXPECT_EQ(Time(Item).Maximum(), Right) << "the newest part shown stays";
    EXPECT_NEAR(Item.SerCandles()->CandleWidth(), Width, 1);
}

TEST_F(ChartItem, TheTimeAxisKeepsItsSpanWithinTheOldestCandleAndThePresent)
{
    // The axis spans 30 minutes from Start; now is minute 35; the shift
    // adds a fifth of the candles the axis holds.
    const struct {
        int Count;
        double Start;
        bool Shift, ByPrice;
        double Expected;
    } Cases[] = {
        {9, -25, false, false, -25}, {10, -25, false, false, 0}, {40, 10, false, false, 5},
        {40, 0, false, false, 0},    {40, 20, true, false, 5},   {40, 20, false, true, 5},
        {40, -20, true, true, 5},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Count << " " << C.Start << " " << C.Shift);
        TChartItem& Item = Loaded(C.Count);
        gNow = Minute(35);
        Item.ChartSettings().SetChartShift(C.Shift);
        Item.ChartSettings().SetChartAutoMove(C.ByPrice);
        Time(Item).SetMinMax(Minute(C.Start), Minute(C.Start + 30));
        const double Shift = C.Shift ? Item.CalcMaxVisibleCandleCount() / 5.0 : 0;
        if (C.ByPrice) {
            Item.SetChartPrice(111);
            Item.OnNotify(BASE_MAIN_TICKERPRICE, 0);
        } else {
            Item.FixLeftSide();
            Item.FixRightSide();
        }
        EXPECT_NEAR(Time(Item).Minimum(), Minute(C.Expected + Shift), 1e-9);
        EXPECT_NEAR(Time(Item).Maximum() - Time(Item).Minimum(), 30 / MinsPerDay, 1e-9);
    }
}

TEST_F(ChartItem, ThePriceAxisSpansTheDisplayedCandlesOrThePinsAndFollowsItsDrag)
{
    TChartItem& Item = Loaded(200);
    const int32_t First = Item.SerCandles()->FirstValueIndex();
    const int32_t Last = Item.SerCandles()->LastValueIndex();
    EXPECT_LT(Last - First, 40);
    EXPECT_EQ(Price(Item).Minimum(), 98 + First);
    EXPECT_EQ(Price(Item).Maximum(), 106 + Last);

    // Ten pixels down widen both ends by 1 %; thirty up would cut candles off.
    const int X = Price(Item).PosAxis() + 5;
    const double Low = Price(Item).Minimum(), High = Price(Item).Maximum();
    Drag(Item, {X, 100}, {{X, 110}});
    EXPECT_EQ(ScreenCursor(), Qt::SizeVerCursor);
    EXPECT_DOUBLE_EQ(Price(Item).Minimum(), Low * 0.99);
    EXPECT_DOUBLE_EQ(Price(Item).Maximum(), High * 1.01);
    Item.Chart()->MouseMove(ssLeft, X, 70);
    EXPECT_EQ(Price(Item).Minimum(), Low);
    // Losing the focus mid-drag ends it.
    QEvent Deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(Item.Chart()->Host(), &Deactivate);
    EXPECT_EQ(ScreenCursor(), Qt::ArrowCursor);
    EXPECT_EQ(Item.ChartClick(), TChartItem::ccNone);

    Item.ChartSettings().SetFixedZoom(true);
    Item.ChartSettings().SetPinMin(50);
    Item.ChartSettings().SetPinMax(500);
    Item.FixChartHeight();
    Drag(Item, {X, 100}, {{X, 150}});
    EXPECT_EQ(Price(Item).Minimum(), 50);
    EXPECT_EQ(Price(Item).Maximum(), 500);
}

TEST_F(ChartItem, TheTimeAxisDragZoomsAndThePlotDragStaysWithinTheEdgesUnlessTheCrosshairIsOn)
{
    TChartItem& Item = Loaded(3000);
    std::vector<TZoom> Zooms;
    const int Y = Time(Item).PosAxis() + 5;
    Item.ChartSettings().SetZoom(z2);
    Drag(Item, {200, Y}, {});
    for (int X : {201, 186, 185, 171, 170}) {
        Item.Chart()->MouseMove(ssLeft, X, Y);
        Zooms.push_back(Item.ChartSettings().Zoom());
    }
    EXPECT_EQ(Zooms, (std::vector<TZoom>{z1, z2, z3, z3, z4}));
    Item.Chart()->MouseUp(mbLeft, 0, 170, Y);

    // Dragged right past the oldest candle, then left past the present: the
    // last step too is brought back.
    gNow = Time(Item).Maximum() + 10 / MinsPerDay;
    for (int Step : {60, -60}) {
        const int Y = Time(Item).PosAxis() - 50;
        Drag(Item, {200, Y}, {{200 + Step, Y}, {200 + 2 * Step, Y}});
        Item.Chart()->MouseUp(mbLeft, 0, 200 + 2 * Step, Y);
        EXPECT_EQ(Step > 0 ? Time(Item).Minimum() : Time(Item).Maximum(),
                  Step > 0 ? Minute(0) : gNow);
    }
    SetScreenCursor(Qt::CrossCursor);
    const double Start = Time(Item).Minimum();
    Drag(Item, {400, 100}, {{300, 100}});
    EXPECT_EQ(Item.Chart()->AllowPanning(), pmNone);
    EXPECT_EQ(Time(Item).Minimum(), Start);
}

TEST_F(ChartItem, OverlaysShowVolumesDaySeparatorsAndTheBannerWhileLoading)
{
    TChartItem& Item = Loaded(40, [](int M) { return M == 20 ? 50.0 : M == 15 ? 30.0 : 10.0; });
    TChartSettingsInfo& S = Item.ChartSettings();
    S.SetShowVolume(true);
    Time(Item).SetMinMax(Minute(0), Minute(21));
    Item.FixChartHeight();
    QImage Image = Grab(Item);
    const int Bottom = Price(Item).IEndPos;
    const int Top = VolumeZoneTop(Price(Item).IStartPos, Bottom);
    // A bar's top pixel is left out; the smallest volume draws none.
    for (const auto& [Candle, BarTop] :
         {std::pair{20, Top}, std::pair{15, VolumeBarTop(30, 10, 50, Top, Bottom)}}) {
        const int X = Item.SerCandles()->CalcXPos(Candle);
        EXPECT_EQ(Pixel(Image, X, BarTop + 1), clBlack) << Candle;
        EXPECT_NE(Pixel(Image, X, BarTop), clBlack) << Candle;
    }
    EXPECT_NE(Pixel(Image, Item.SerCandles()->CalcXPos(10), Bottom - 2), clBlack);

    const auto Banner = [&](bool aLoading) {
        Item.SetIsLoading(aLoading);
        return Grab(Item);
    };
    EXPECT_NE(Banner(true), Banner(false));
    Time(Item).SetMinMax(Minute(22), Minute(39));
    Item.FixChartHeight();
    EXPECT_EQ(Banner(true), Banner(false)) << "equal volumes: no bars and no banner";
    EXPECT_EQ(Price(Item).LabelValue(12345.6), "12345.60000");

    S.SetShowVolume(false);
    S.SetShowPeriods(true);
    S.SetText(0x0000FF);
    for (double Days : {31.5, 32.5}) {
        const TDateTime Day = DateOf(Minute(0));
        Time(Item).SetMinMax(Day + 0.5, Day + Days);
        Image = Grab(Item);
        const int Midnight = Time(Item).CalcXPosValue(Day + 2);
        int Red = 0;
        for (int Y = 100; Y < 110; ++Y)
            Red += Pixel(Image, Midnight, Y) == 0x0000FF;
        EXPECT_EQ(Red > 0 && Red < 10, Days < 32) << "a dotted line, only up to 31 days";
    }
}

TEST_F(ChartItem, TheTitleShowsTheNewestCandleAndAnOverlayFailureIsToldOnce)
{
    TScriptedMessageBox Box;
    TChartItem& Item = Loaded(40);
    Item.ChartSettings().SetShowOHLC(true);
    EXPECT_EQ(Item.ChartTitleText(), "BTCUSDT, 5m  139.00000, 145.00000, 137.00000, 143.00000");
    Item.ChartSettings().SetShowVolume(true);
    Item.KlineList().Clear();
    Item.KlineList().Put(TKline(cBase - cMinute));
    for (int Paint = 0; Paint < 3; ++Paint) {
        Item.Chart()->Invalidate();
        Grab(Item);
    }
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(Box.Shown().size(), 1u);
    EXPECT_EQ(Box.Shown()[0].Text, "kline error");
}

// SHIBBTC trades near 0.0000123: five decimals would write every label and
// value as 0.00001.
TEST_F(ChartItem, ALowPriceShowsTheDecimalsItNeedsOnTheAxisAndInTheTitle)
{
    TChartItem& Item = List.Add();
    Item.SetSymbol("SHIBBTC");
    Item.SetClock([] { return gNow; });
    Item.SetScreenWidth([] { return gScreenWidth; });
    for (int M = 39; M >= 0; --M) {
        TKline Kline(cBase + M * cMinute);
        Kline.SetOpen(0.0000123 + M * 1e-9);
        Kline.SetClose(0.0000124 + M * 1e-9);
        Kline.SetHigh(0.00001245 + M * 1e-9);
        Kline.SetLow(0.0000122 + M * 1e-9);
        Item.KlineList().Put(Kline);
    }
    Item.OnNotify(BASE_MAIN_KLINES, 0);
    Item.SetIsLoading(false);
    Item.ChartFullRefresh();
    // The labels as a paint writes them (the item measures the step on
    // labels of its own, which pass here too and are left out).
    TChart& Chart = *Item.Chart();
    const auto Hook = Chart.OnGetAxisLabel();
    std::set<std::string> Labels;
    int Depth = 0;
    Chart.SetOnGetAxisLabel(
        [&](TChartAxis& Axis, const IChartSeries* Series, int32_t Index, std::string& Text) {
            ++Depth;
            Hook(Axis, Series, Index, Text);
            if (--Depth == 0 && &Axis == &Price(Item))
                Labels.insert(Text);
        });
    Chart.Invalidate();
    Grab(Item);
    ASSERT_GE(Labels.size(), 3u);
    for (const std::string& Label : Labels)
        EXPECT_TRUE(Label.starts_with("0.00001") && Label.size() == 10) << Label;
    // The crosshair's price reads like the labels.
    EXPECT_EQ(Item.CrosshairPrice(Price(Item).CalcYPosValue(0.00001235)), "0.00001235");
    EXPECT_EQ(Item.CrosshairPrice(Price(Item).IEndPos + 1), "");
    Item.ChartSettings().SetShowOHLC(true);
    EXPECT_EQ(Item.ChartTitleText(),
              "SHIBBTC, 5m  0.000012339, 0.000012489, 0.000012239, 0.000012439");
}

// A reload disables the chart meanwhile: its window holds the focus, so the
// chart stays the selected one, and gets the focus back after.
TEST_F(ChartItem, AReloadKeepsTheChartSelected)
{
    (new QLineEdit(&Host))->show();
    QApplication::setActiveWindow(&Host);
    TChartItem& Item = List.Add();
    Item.SetIsLoading(false);
    Item.SetActive(true);
    ASSERT_TRUE(Item.Active());
    Item.SetIsLoading(true);
    EXPECT_TRUE(Item.Active());
    Item.SetIsLoading(false);
    EXPECT_EQ(QApplication::focusWidget(), Item.Chart()->Host());
}

} // namespace
