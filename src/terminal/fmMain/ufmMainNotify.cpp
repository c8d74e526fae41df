#include "terminal/fmMain/ufmMain.h"

#include "domain/uCommon.h"
#include "platform/DateUtils.h"
#include "platform/FormatSettings.h"
#include "terminal/fmBasic/uMainGuard.h"
#include "terminal/fmMain/ufmMainActions.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QTimer>
#include <utility>
#include <vector>

namespace {

constexpr const char* cClockFormat = "hh:nn:ss";
constexpr int cChartRefreshDelay = 50;

} // namespace

// Runs on the user-interface thread for every notification the window is
// subscribed to; nothing a view raises goes further.
void TfmMain::OnNotify(int32_t EventID, TNotifyData Data)
{
    RunLogged("OnNotify", [&] { Dispatch(EventID, Data); });
}

void TfmMain::Dispatch(int32_t EventID, TNotifyData Data)
{
    // The codes whose handler takes nothing from the notification.
    using THandler = void (TfmMain::*)();
    static constexpr std::pair<int32_t, THandler> cRefreshes[] = {
        {BASE_MAIN_SYMBOLS, &TfmMain::RefreshSymbolList},
        {BASE_MAIN_VOLUMES, &TfmMain::RefreshVolumeList},
        {BASE_MAIN_USERORDERS, &TfmMain::RefreshOrderListData},
        {BASE_MAIN_USERORDERSHISTORY, &TfmMain::RefreshOrderHistoryData},
        {BASE_MAIN_BALANCES, &TfmMain::RefreshBalanceUI},
        {BASE_MAIN_DEPTH, &TfmMain::RefreshDepth},
        {BASE_MAIN_MULTI, &TfmMain::RefreshMultiAccount},
        {BASE_MAIN_REFRESH_ACTIVE_WINDOW, &TfmMain::RefreshActiveWindow},
        {BASE_MAIN_ZOOM_REFRESH, &TfmMain::RefreshZoom},
        {BASE_MAIN_INTERVALS_REFRESH, &TfmMain::RefreshIntervals},
        {BASE_MAIN_TABS_REFRESH, &TfmMain::RefreshTabs},
    };
    for (const auto& [Code, Handler] : cRefreshes)
        if (Code == EventID) {
            (this->*Handler)();
            return;
        }
    switch (EventID) {
    case BASE_MAIN_SYSTIME:
        ShowSysTime(Data);
        break;
    case BASE_MAIN_TICKERPRICE:
        pcBuyChange();
        pcSellChange();
        break;
    case BASE_MAIN_TEST:
        if (Data)
            fControls.dpMarketDepth->setWindowTitle(
                QString::fromUtf8(reinterpret_cast<const char*>(Data)));
        break;
    case BASE_MAIN_CHART_TYPE:
        CheckChartType(Data);
        break;
    case MAIN_FORM_CHART_REFRESH:
        TimerChartRefresh(Data);
        break;
    default:
        break;
    }
}

// The clock's time is shown with two digits each for hours, minutes and
// seconds, whatever the locale's time pattern; the program's long time
// format follows, so that later time texts agree with the clock.
void TfmMain::ShowSysTime(TNotifyData Data)
{
    const auto* Time = reinterpret_cast<const TDateTime*>(Data);
    if (!Time)
        return;
    TFormatSettings Settings = GetFormatSettings();
    Settings.LongTimeFormat = cClockFormat;
    SetFormatSettings(Settings);
    fControls.SysTimePanel->setText(
        QString::fromStdString(FormatDateTime(Settings.LongTimeFormat, *Time, Settings)));
}

// The parameter is the chart type: 0 candles, 1 bars, 2 line.
void TfmMain::CheckChartType(TNotifyData Data)
{
    const TMainActions& A = fControls.Actions;
    const std::vector<QAction*> Types{A.acStick, A.acBar, A.acLine};
    if (Data >= 0 && Data < TNotifyData(Types.size()))
        CheckRadio(Types, Types[std::size_t(Data)]);
}

// The chart is looked up by its number when the timer fires: it may have
// been closed meanwhile, and then nothing is refreshed.
void TfmMain::TimerChartRefresh(TChartID aChartID)
{
    auto* Timer = new QTimer(this);
    Timer->setInterval(cChartRefreshDelay);
    connect(Timer, &QTimer::timeout, this,
            [this, Timer, aChartID] { OnRefreshTimer(Timer, aChartID); });
    Timer->start();
}

void TfmMain::OnRefreshTimer(QTimer* aTimer, TChartID aChartID)
{
    aTimer->stop();
    aTimer->deleteLater();
    RunShown([aChartID] {
        // Looked up again for the second pass: a refresh may close the chart.
        for (int Pass = 0; Pass < 2; ++Pass)
            if (IChartItem* Chart = FindChartItem(aChartID))
                Chart->ChartFullRefresh();
    });
}
