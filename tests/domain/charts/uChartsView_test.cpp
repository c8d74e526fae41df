#include "domain/charts/uCharts.h"

#include "ChartHostFixture.h"
#include "chart/PlotPanelWidget.h"
#include "domain/charts/uChartViewCalc.h"
#include "domain/charts/uIndicators.h"
#include "platform/DateUtils.h"
#include "platform/ScriptedMessageBox.h"
#include "platform/qt/Screen.h"

#include <QCoreApplication>
#include <QImage>
#include <gtest/gtest.h>

namespace {

constexpr int64_t cMinute = 60000;
// Odd milliseconds: the records are still found by their exact open times.
constexpr int64_t cBase = 1700000000000 - 1700000000000 % cMinute + 7;
TDateTime gNow = 0;
int gScreenWidth = 1000;

TDateTime Minute(double aMinute)
{
    return StampToDate(cBase) + aMinute / MinsPerDay;
}

struct ChartView : testing::Test, TChartHost {
    // aCount rising one-minute candles (low 98 + M, high 106 + M), the
    // volume of candle M aVolume(M), shown as a history that just arrived.
    TChartItem& Loaded(
        int aCount, double (*aVolume)(int) = [](int M) { return 10.0 + M; })
    {
        TChartItem& Item = List.Add();
        Item.SetSymbol("BTCUSDT");
        Item.SetClock([] { return gNow; });
        Item.SetScreenWidth([] { return gScreenWidth; });
        // Newest first, as history pages come.
        for (int M = aCount - 1; M >= 0; --M) {
            TKline K(cBase + M * cMinute);
            K.SetOpen(100 + M);
            K.SetClose(104 + M);
            K.SetHigh(106 + M);
            K.SetLow(98 + M);
            K.SetVolume(aVolume(M));
            Item.KlineList().Put(K);
        }
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
    ChartView() { gNow = Minute(10000); }
    ~ChartView() override { SetScreenCursor(Qt::ArrowCursor); }
};

TEST_F(ChartView, ANewChartOpensAtItsOldestCandleAndAZoomLevelShowsItsCandlesPerScreen)
{
    for (int Count : {9, 3000}) {
        TChartItem& Item = Loaded(Count);
        EXPECT_EQ(Time(Item).Minimum(), Minute(0)) << Count;
    }
    TChartItem& Item = List.Items(1);
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

TEST_F(ChartView, TheTimeAxisKeepsItsSpanWithinTheOldestCandleAndThePresent)
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

TEST_F(ChartView, ThePriceAxisSpansTheDisplayedCandlesOrThePinsAndFollowsItsDrag)
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

TEST_F(ChartView, TheTimeAxisDragZoomsAndThePlotDragStaysWithinTheEdgesUnlessTheCrosshairIsOn)
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

TEST_F(ChartView, OverlaysShowVolumesDaySeparatorsAndTheBannerWhileLoading)
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

TEST_F(ChartView, TheTitleShowsTheNewestCandleAndAnOverlayFailureIsToldOnce)
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

} // namespace
