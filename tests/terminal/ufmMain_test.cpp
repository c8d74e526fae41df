#include "terminal/fmMain/ufmMain.h"

#include "domain/uBaseThread.h"
#include "domain/uHttpTransport.h"
#include "domain/uProfile.h"
#include "domain/uSysTime.h"
#include "domain/uUIWriter.h"
#include "domain/uUser.h"
#include "domain/uWorkflow.h"
#include "platform/DateUtils.h"
#include "platform/FormatSettings.h"
#include "platform/TestUIDispatcher.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/VirtualStringTree.h"
#include "support/ServerAddress.h"
#include "support/TempHome.h"
#include "support/TestExchange.h"
#include "terminal/DialogDriver.h"
#include "terminal/MainWindowFixture.h"
#include "terminal/charts/uIndicators.h"

#include "controls/uExPageControl.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {

const QColor cGreen(0x00, 0xFB, 0x9E);
const QColor cRed(0xFF, 0x2B, 0x05);

// The workflow sets the mode by the ping's answer.
TEST_F(TMainWindowTest, OnlineOrOfflineDecidesTheStatusAndWhetherTheQueueIsHeard)
{
    for (const bool Answers : {true, false}) {
        TRecordingMain& W = Open();
        W.SetOnlineMode(Answers);
        EXPECT_EQ(W.IsOnline(), Answers);
        EXPECT_EQ(StatusText(),
                  Answers ? QStringLiteral("Подключено") : QStringLiteral("Отключено"));
        EXPECT_EQ(ClockColour(), Answers ? cGreen : cRed);
        EXPECT_EQ(ClockText(), QString());
        QueueNotify(BASE_MAIN_SYMBOLS, 0);
        EXPECT_EQ(Pump([&] { return !W.Codes.empty(); }, Answers ? 10000 : 200), Answers);
        EXPECT_EQ(W.Codes,
                  Answers ? std::vector<int32_t>{BASE_MAIN_SYMBOLS} : std::vector<int32_t>{});
        Window.reset();
    }
}

// Status and colour of each mode are the test's above; here the clock.
TEST_F(TMainWindowTest, OnlyAnOnlineWindowRunsTheClock)
{
    TfmMain& W = Open();
    for (const bool Online : {false, true, false}) {
        if (Online || W.IsOnline())
            W.SetOnlineMode(Online);
        EXPECT_EQ(ClockColour(), Online ? cGreen : cRed);
        SysTime->SetTime(EncodeTime(10, 0, Online ? 1 : 2, 0));
        EXPECT_EQ(ClockText(), Online ? QStringLiteral("10:00:01") : QString()) << Online;
    }
}

TEST_F(TMainWindowTest, ClockShowsTwoDigitsEachWhateverTheTimeFormat)
{
    const TFormatSettings Saved = GetFormatSettings();
    TFormatSettings Twelve = Saved;
    Twelve.LongTimeFormat = "h:n AM/PM";
    Twelve.TimeSeparator = ':';
    SetFormatSettings(Twelve);
    TfmMain& W = Open();
    struct TCase {
        TDateTime Time;
        const char* Shown;
    };
    const TCase Cases[] = {
        {EncodeTime(9, 5, 7, 0), "09:05:07"},
        {EncodeTime(0, 0, 0, 0), "00:00:00"},
        {EncodeTime(23, 59, 59, 400), "23:59:59"},
        {EncodeDate(2026, 12, 6) + EncodeTime(13, 4, 0, 0), "13:04:00"},
    };
    for (const TCase& Case : Cases) {
        TDateTime Time = Case.Time;
        W.OnNotify(BASE_MAIN_SYSTIME, reinterpret_cast<TNotifyData>(&Time));
        EXPECT_EQ(ClockText().toStdString(), Case.Shown);
    }
    EXPECT_EQ(GetFormatSettings().LongTimeFormat, "hh:nn:ss");
    W.OnNotify(BASE_MAIN_SYSTIME, 0);
    EXPECT_EQ(ClockText(), QStringLiteral("13:04:00"));
    SetFormatSettings(Saved);
}

TEST_F(TMainWindowTest, ChartTypeChecksFollowTheChartAndIgnoreOtherValues)
{
    TfmMain& W = Open();
    const TMainActions& A = W.Controls().Actions;
    struct TCase {
        TNotifyData Type;
        QAction* Checked;
    };
    const TCase Cases[] = {
        {1, A.acBar}, {0, A.acStick}, {2, A.acLine}, {3, A.acLine}, {-1, A.acLine}};
    for (const TCase& Case : Cases) {
        ChartList.Publisher().Notify(BASE_MAIN_CHART_TYPE, Case.Type);
        for (QAction* Action : {A.acStick, A.acBar, A.acLine})
            EXPECT_EQ(Action->isChecked(), Action == Case.Checked)
                << Case.Type << " " << Action->objectName().toStdString();
    }
}

struct TVisibilityCase {
    TWorkflowMode Mode;
    TUserAuth Auth;
    // Shown: toolbars Intervals, Charts, Standart, Instruments; panels
    // MarketView, Navigate, MarketDepth, VolumeMonitor, Terminal.
    const char* Shown;
    bool Trading;  // acTerminal, acOrderDelete, acNoZeroBalance enabled
    bool Accounts; // acLogin, acMultiAdd, acBuy, acSell enabled
};

// Trade mode flags: every toolbar, the market watch, the order book and the
// terminal; volume mode: the volume monitor and no trading; full: both.
const TVisibilityCase cVisibility[] = {
    {wfmTrade, uaAuth, "111110101", true, true},
    {wfmTrade, uaUnauth, "111110100", false, true},
    {wfmTrade, uaUndefined, "111110100", false, true},
    {wfmVolume, uaAuth, "110100010", false, false},
    {wfmVolume, uaUnauth, "110100010", false, false},
    {wfmFull, uaAuth, "111110111", true, true},
    {wfmFull, uaUndefined, "111110110", false, true},
};

TEST_F(TMainWindowTest, ProfileFlagsAndAuthorisationDecideWhatIsShownAndEnabled)
{
    for (const TVisibilityCase& Case : cVisibility) {
        Profile->UIVisible() = TUIVisible(Case.Mode);
        User->Input().SetAuth(Case.Auth);
        TfmMain& W = Open();
        const TMainControls& C = W.Controls();
        const TMainActions& A = C.Actions;
        const std::vector<std::pair<QWidget*, QAction*>> Views = {
            {C.tbIntervals, A.acChartInterval}, {C.tbCharts, A.acCharts},
            {C.tbStandart, A.acStandart},       {C.tbInstruments, A.acInstruments},
            {C.dpMarketView, A.acMarketView},   {C.dpNavigate, A.acNavigate},
            {C.dpMarketDepth, A.acMarketDepth}, {C.dpVolumeMonitor, A.acVolumeMonitor},
            {C.dpTerminal, A.acTerminal}};
        const std::string Where = std::to_string(Case.Mode) + "/" + std::to_string(Case.Auth);
        for (std::size_t I = 0; I < Views.size(); ++I) {
            const auto [View, Action] = Views[I];
            const bool Shown = Case.Shown[I] == '1';
            const std::string Name = Where + " " + View->objectName().toStdString();
            EXPECT_EQ(View->isVisible(), Shown) << Name;
            EXPECT_EQ(Action->isChecked(), Shown) << Name;
            if (Action != A.acTerminal) {
                EXPECT_EQ(Action->isEnabled(), Shown) << Name;
            }
        }
        for (QAction* Action : {A.acTerminal, A.acOrderDelete, A.acNoZeroBalance})
            EXPECT_EQ(Action->isEnabled(), Case.Trading)
                << Where << Action->objectName().toStdString();
        for (QAction* Action : {A.acLogin, A.acMultiAdd, A.acBuy, A.acSell})
            EXPECT_EQ(Action->isEnabled(), Case.Accounts)
                << Where << Action->objectName().toStdString();
        EXPECT_FALSE(A.acMultiDel->isEnabled()) << Where << ": no account selected";
        EXPECT_FALSE(A.acBuy->isChecked());
        EXPECT_FALSE(A.acSell->isChecked());
        EXPECT_TRUE(A.acStatusBar->isChecked());
        Window.reset();
    }
}

TEST_F(TMainWindowTest, OrderPanelsWaitHiddenOnTheRightAndLogonShowsTheTerminal)
{
    User->Input().SetAuth(uaUnauth);
    TfmMain& W = Open();
    const TMainControls& C = W.Controls();
    for (TDockPanel* Panel : {C.dpBuy, C.dpSell}) {
        EXPECT_TRUE(Panel->isHidden());
        EXPECT_EQ(W.dockWidgetArea(Panel), Qt::RightDockWidgetArea);
    }
    EXPECT_TRUE(C.dpTerminal->isHidden());

    User->Input().SetAuth(uaAuth);
    User->Input().SetNoZeroBalance(true);
    W.InitUserInterface();
    EXPECT_TRUE(C.dpTerminal->isVisible());
    EXPECT_TRUE(C.Actions.acTerminal->isEnabled());
    EXPECT_TRUE(C.Actions.acTerminal->isChecked());
    EXPECT_TRUE(C.Actions.acNoZeroBalance->isEnabled());
    EXPECT_TRUE(C.Actions.acNoZeroBalance->isChecked());
}

// Sized down as far as it goes, the window keeps each panel whole and apart
// from the others; grown again, the terminal panel gets its height back.
TEST_F(TMainWindowTest, PanelsStayWholeInTheLeastWindowAndGetTheirRoomBack)
{
    TfmMain& W = Open();
    const TMainControls& C = W.Controls();
    User->Input().SetAuth(uaAuth);
    W.InitUserInterface();
    C.dpBuy->show();
    C.dpSell->show();
    W.showNormal();
    W.resize(1500, 940);
    QTest::qWait(50);
    W.resizeDocks({C.dpTerminal}, {186}, Qt::Vertical);
    QTest::qWait(50);
    const int Height = C.dpTerminal->height();

    W.resize(460, 240);
    QTest::qWait(50);
    const QRect Buy = C.dpBuy->geometry();
    EXPECT_FALSE(Buy.intersects(C.dpSell->geometry()));
    for (QWidget* Panel : {C.dpBuy, C.dpSell, C.dpTerminal})
        EXPECT_FALSE(Panel->geometry().intersects(C.panStatus->geometry()))
            << Panel->objectName().toStdString();
    auto* Button = Find<QWidget>("btnBuyLimit");
    EXPECT_EQ(Button->visibleRegion().boundingRect().size(), Button->size());
    EXPECT_GE(C.vstOrders->viewport()->height(), TVirtualStringTree::DefaultNodeHeight);
    EXPECT_LE(C.pcTerminal->TabRectEx(0).Bottom, C.pcTerminal->height());

    W.resize(1500, 940);
    QTest::qWait(50);
    EXPECT_EQ(C.dpTerminal->height(), Height);
}

// A panel's way back is the command test's.
TEST_F(TMainWindowTest, ClosingAPanelOrToolbarClearsItsCheckAndAToolbarReturnsToTheTop)
{
    TfmMain& W = Open();
    const TMainControls& C = W.Controls();
    ASSERT_TRUE(C.Actions.acMarketView->isChecked());
    auto* CloseButton =
        C.dpMarketView->findChild<QAbstractButton*>(QStringLiteral("qt_dockwidget_closebutton"));
    ASSERT_NE(CloseButton, nullptr);
    CloseButton->click();
    EXPECT_TRUE(C.dpMarketView->isHidden());
    EXPECT_FALSE(C.Actions.acMarketView->isChecked());
    EXPECT_TRUE(C.Actions.acMarketDepth->isChecked());

    C.tbCharts->hide();
    EXPECT_FALSE(C.Actions.acCharts->isChecked());
    EXPECT_TRUE(C.Actions.acChartInterval->isChecked());

    QToolBar* Bar = C.tbCharts;
    W.addToolBar(Qt::LeftToolBarArea, Bar);
    Bar->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    SetCurrentDock(W, Bar);
    EXPECT_FALSE(Bar->isFloating());
    EXPECT_EQ(W.toolBarArea(Bar), Qt::TopToolBarArea);
}

TEST_F(TMainWindowTest, ClosingStopsTheWorkflowThenSavesAndClosesTheChartsThenListensToNothing)
{
    TfmMain& W = Open();
    W.SetOnlineMode(true);
    const TMainControls& C = W.Controls();
    for (TVirtualStringTree* Grid :
         {C.vstDepth, C.vstSymbols, C.vstOrders, C.vstBalances, C.vstNavigate, C.vstOrderHistory})
        Grid->SetRootNodeCount(3);
    ASSERT_TRUE(C.timerCheckZoom->isActive());

    W.close();
    EXPECT_EQ(Steps, (TSteps{"ChartList.Load", "Workflow.SetState 1", "ChartList.Save",
                             "ChartList.Clear"}));
    EXPECT_EQ(Workflow->State(), wfsClosing);
    for (TVirtualStringTree* Grid :
         {C.vstDepth, C.vstSymbols, C.vstOrders, C.vstBalances, C.vstNavigate, C.vstOrderHistory})
        EXPECT_EQ(Grid->RootNodeCount(), 0) << Grid->objectName().toStdString();
    EXPECT_FALSE(C.timerCheckZoom->isActive());

    const QString Caption = C.dpMarketDepth->windowTitle();
    SysTime->SetTime(EncodeTime(11, 0, 0, 0));
    User->Publisher().Notify(BASE_MAIN_TEST, reinterpret_cast<TNotifyData>("model"));
    ChartList.Publisher().Notify(BASE_MAIN_CHART_TYPE, 1);
    EXPECT_EQ(ClockText(), QString());
    EXPECT_EQ(C.dpMarketDepth->windowTitle(), Caption);
    EXPECT_FALSE(C.Actions.acBar->isChecked());
}

TEST_F(TMainWindowTest, DeinitLeavesOnlyTheChartListHeard)
{
    TfmMain& W = Open();
    W.SetOnlineMode(true);
    W.Deinit();
    SysTime->SetTime(EncodeTime(12, 0, 0, 0));
    User->Publisher().Notify(BASE_MAIN_TEST, reinterpret_cast<TNotifyData>("model"));
    EXPECT_EQ(ClockText(), QString());
    EXPECT_NE(W.Controls().dpMarketDepth->windowTitle(), QStringLiteral("model"));
    ChartList.Publisher().Notify(BASE_MAIN_TEST, reinterpret_cast<TNotifyData>("charts"));
    ChartList.Publisher().Notify(BASE_MAIN_TEST, 0);
    ChartList.Publisher().Notify(9999, 1);
    EXPECT_EQ(W.Controls().dpMarketDepth->windowTitle(), QStringLiteral("charts"));
}

TEST_F(TMainWindowTest, EnglishTranslatesTheFramesTextsAndLeavesTheOthers)
{
    TTranslatorScope English("English", Home.ConfigHome() / "Quorvel" / "Tavrix");
    TfmMain& W = Open();
    const TMainControls& C = W.Controls();
    EXPECT_EQ(C.dpMarketView->windowTitle(), QStringLiteral("Symbols"));
    EXPECT_EQ(C.pcTerminal->Pages(10)->GetCaption(), "Investments");
    EXPECT_EQ(C.vstSymbols->HeaderText(1), QStringLiteral("Price"));
    EXPECT_EQ(C.Actions.acMarketView->text(), QStringLiteral("Market Watch"));
    EXPECT_EQ(C.Actions.actionFull[2]->text(), QStringLiteral("Close"));
    EXPECT_EQ(Find<QMenu>("mmFile")->title(), QStringLiteral("File"));
    EXPECT_EQ(StatusText(), QStringLiteral("Disabled"));
    W.SetOnlineMode(true);
    EXPECT_EQ(StatusText(), QStringLiteral("Connected"));

    EXPECT_EQ(C.vstVolumeMonitor->HeaderText(0), QStringLiteral("Символ"));
    EXPECT_EQ(C.dpBuy->windowTitle(), QStringLiteral("Buy"));
    EXPECT_EQ(C.tbIntervals->windowTitle(), QStringLiteral("Период графика"));
}

TEST_F(TMainWindowTest, InvestmentBannersShowThePictureOfTheLanguage)
{
    for (const char* Language : {"English", "Russian"}) {
        TTranslatorScope Scope(Language, Home.ConfigHome() / "Quorvel" / "Tavrix");
        const std::vector<QLabel*>& Banners = Open().Controls().Banners;
        const char* Picture = Language[0] == 'E' ? "banner-english" : "banner-russian";
        ASSERT_EQ(Banners.size(), 8u);
        for (const QLabel* Banner : Banners)
            EXPECT_EQ(Banner->pixmap().toImage(),
                      PicturePixmap(Picture, cBannerSize, Banner->devicePixelRatioF()).toImage());
    }
}

// Offline before the first ping the queue is not heard: the ping test.
TEST_F(TMainWindowTest, UpdateQueueIsHeardInOrderFromTheFirstTimeOnline)
{
    TRecordingMain& W = Open();
    W.SetOnlineMode(true);
    for (int32_t Code : {BASE_MAIN_SYMBOLS, BASE_MAIN_DEPTH, BASE_MAIN_SYMBOLS})
        QueueNotify(Code, 0);
    ASSERT_TRUE(Pump([&] { return W.Codes.size() >= 3; }));
    EXPECT_EQ(W.Codes,
              (std::vector<int32_t>{BASE_MAIN_SYMBOLS, BASE_MAIN_DEPTH, BASE_MAIN_SYMBOLS}));

    W.SetOnlineMode(false);
    QueueNotify(BASE_MAIN_BALANCES, 0);
    ASSERT_TRUE(Pump([&] { return W.Codes.size() >= 4; })) << "the queue stays heard offline";
    EXPECT_EQ(W.Codes.back(), BASE_MAIN_BALANCES);
}

// The full refresh is seen by its indicators: a moving average filled while
// the chart had no candles gets its points.
TEST_F(TMainWindowTest, LoadedHistoryRefreshesItsChartUnlessTheChartIsGone)
{
    TRecordingMain& W = Open();
    TChartItem& Kept = ChartList.Selected("ETHBTC");
    auto Average = std::make_unique<TMaIndicatorInfo>();
    Average->SetPeriod(2);
    TIndicatorItem& Indicator = Kept.IndicatorList().Add(std::move(Average));
    Indicator.FillSeries(&Kept.KlineList());
    for (int Minute = 0; Minute < 5; ++Minute) {
        TKline Candle(1700000040000 + Minute * 60000);
        Candle.SetClose(10 + Minute);
        Kept.KlineList().Put(Candle);
    }
    TChartItem& Closed = ChartList.Add();
    W.OnNotify(MAIN_FORM_CHART_REFRESH, TNotifyData(Kept.Link()->ID()));
    W.OnNotify(MAIN_FORM_CHART_REFRESH, TNotifyData(Closed.Link()->ID()));
    EXPECT_EQ(Indicator.GetSeries(0).Count(), 0) << "the refresh waits for its timer";
    ChartList.Delete(&Closed);
    ASSERT_TRUE(Pump([&] { return Indicator.GetSeries(0).Count() == 3; }));
}

} // namespace
