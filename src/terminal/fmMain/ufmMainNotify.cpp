#include "terminal/fmMain/ufmMain.h"

#include "domain/uCommon.h"
#include "platform/DateUtils.h"
#include "platform/FormatSettings.h"
#include "terminal/fmMain/uMainGuard.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>

namespace {

constexpr const char* cClockFormat = "hh:nn:ss";

} // namespace

// Runs on the user-interface thread for every notification the window is
// subscribed to; nothing a view raises goes further.
void TfmMain::OnNotify(int32_t EventID, TNotifyData Data)
{
    RunLogged("OnNotify", [&] { Dispatch(EventID, Data); });
}

void TfmMain::Dispatch(int32_t EventID, TNotifyData Data)
{
    switch (EventID) {
    case BASE_MAIN_SYSTIME:
        ShowSysTime(Data);
        break;
    case BASE_MAIN_SYMBOLS:
        RefreshSymbolList();
        break;
    case BASE_MAIN_VOLUMES:
        RefreshVolumeList();
        break;
    case BASE_MAIN_TICKERPRICE:
        pcBuyChange();
        pcSellChange();
        break;
    case BASE_MAIN_USERORDERS:
        RefreshOrderListData();
        break;
    case BASE_MAIN_USERORDERSHISTORY:
        RefreshOrderHistoryData();
        break;
    case BASE_MAIN_BALANCES:
        RefreshBalanceUI();
        break;
    case BASE_MAIN_DEPTH:
        RefreshDepth();
        break;
    case BASE_MAIN_MULTI:
        RefreshMultiAccount();
        break;
    case BASE_MAIN_TEST:
        if (Data)
            fControls.dpMarketDepth->setWindowTitle(
                QString::fromUtf8(reinterpret_cast<const char*>(Data)));
        break;
    case BASE_MAIN_CHART_TYPE:
        CheckChartType(Data);
        break;
    case BASE_MAIN_REFRESH_ACTIVE_WINDOW:
        RefreshActiveWindow();
        break;
    case BASE_MAIN_ZOOM_REFRESH:
        RefreshZoom();
        break;
    case BASE_MAIN_INTERVALS_REFRESH:
        RefreshIntervals();
        break;
    case BASE_MAIN_TABS_REFRESH:
        RefreshTabs();
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

void TfmMain::CheckChartType(TNotifyData Data)
{
    const TMainActions& A = fControls.Actions;
    switch (Data) {
    case 0:
        A.acStick->setChecked(true);
        break;
    case 1:
        A.acBar->setChecked(true);
        break;
    case 2:
        A.acLine->setChecked(true);
        break;
    default:
        break;
    }
}

// Filled by the grids, the account views, the order panels and the chart
// commands as they come.
void TfmMain::RefreshSymbolList() {}
void TfmMain::RefreshVolumeList() {}
void TfmMain::RefreshDepth() {}
void TfmMain::RefreshOrderListData() {}
void TfmMain::RefreshOrderHistoryData() {}
void TfmMain::RefreshBalanceUI() {}
void TfmMain::RefreshMultiAccount() {}
void TfmMain::pcBuyChange() {}
void TfmMain::pcSellChange() {}
void TfmMain::RefreshActiveWindow() {}
void TfmMain::RefreshZoom() {}
void TfmMain::RefreshIntervals() {}
void TfmMain::RefreshTabs() {}

// No account grid rows yet, so no selection.
std::string TfmMain::SelectedAccount() const
{
    return {};
}
