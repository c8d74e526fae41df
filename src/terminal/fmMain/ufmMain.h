#pragma once

#include "domain/uChartLink.h"
#include "domain/uWorkflowViews.h"
#include "platform/Graphics.h"
#include "terminal/fmBasic/ufrmBasic.h"
#include "terminal/fmMain/ufmMainLayout.h"

#include <QMainWindow>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class IMainChartList;
class QAction;
class QPoint;
class TBaseIndicatorInfo;
class TChartItem;
class QPainter;
class QRect;
class QMenu;
class QTimer;
class QToolBar;
class TVirtualStringTree;
class TUserOrderList;

// Colours of the clock panel and the chart area.
constexpr TColor clStatusRed = 0x052BFF;
constexpr TColor clStatusGreen = 0x9EFB00;
constexpr TColor clBackground = 0xDBCDBF;

// The terminal's main window: the docked panels and toolbars, the chart
// area, the status bar with the connection text and the clock, and the
// dispatch of the numbered notifications to the views.
//
// User-interface thread only. It reads the services through their globals
// (User, Profile, SysTime, UIWriter, Workflow), each only while it exists;
// the chart list is given to it and outlives it. Closing the program's main
// window ends the message loop.
class TfmMain : public TfrmBasicOf<QMainWindow>, public IWorkflowMainForm {
public:
    // Creating the window translates it, hands the chart list its host and
    // menus, subscribes to the list and loads the saved charts.
    explicit TfmMain(IMainChartList& aChartList, QWidget* Parent = nullptr);
    ~TfmMain() override;

    void Show() override { show(); }
    void SetOnlineMode(bool aIsOnline) override;
    bool IsOnline() const { return fIsOnline; }
    void SetStatusColor(TColor aColor);
    // Shows the toolbars and panels the profile allows, parks the order
    // panels hidden on the right, then refreshes the view commands.
    void InitUserInterface() override;
    // The view commands' enabled states from the profile and the
    // authorisation, their checks from what is shown.
    void RefreshUserInterface();
    // Stops listening to the clock and the model.
    void Deinit() override;
    void TranslateForm();

    void OnNotify(int32_t EventID, TNotifyData Data) override;

    // The market watch, order book and volume monitor grids.
    void RefreshSymbolList();
    void RefreshVolumeList();
    void RefreshDepth();
    // The account views.
    void RefreshOrderListData();
    void RefreshOrderHistoryData();
    void RefreshBalanceUI();
    void RefreshMultiAccount();
    // The name of the further account selected in its grid; empty for none.
    std::string SelectedAccount() const;
    // The name of the symbol selected in the market watch; empty for none.
    std::string SelectedSymbol() const;
    // The interval of the checked interval button.
    TChartInterval ChartInterval() const;
    // The order panels' sheet changes.
    void pcBuyChange();
    void pcSellChange();
    // The chart commands' state from the selected chart.
    void RefreshActiveWindow();
    void RefreshZoom();
    void RefreshIntervals();
    void RefreshChartType();
    void RefreshIndicators();
    // The chart tabs and the full-screen bar follow the chart list.
    void RefreshTabs();

    const TMainControls& Controls() const { return fControls; }

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    // The panels are shown and hidden through the window's own commands only.
    QMenu* createPopupMenu() override { return nullptr; }

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void ConnectCloseHandlers();
    void dpClose();
    void Dispatch(int32_t EventID, TNotifyData Data);
    void ShowSysTime(TNotifyData Data);
    void CheckChartType(TNotifyData Data);
    // The history of a chart was loaded: a full refresh a moment later.
    void TimerChartRefresh(TChartID aChartID);
    void OnRefreshTimer(QTimer* aTimer, TChartID aChartID);
    void timerLoginFormTimer();
    void UnsubscribeClockAndModel();

    // The market watch, navigator, order book and volume monitor.
    void ConnectMarketGrids();
    std::string vstSymbolsGetText(int Row, int Column) const;
    std::string vstDepthGetText(int Row, int Column) const;
    std::string vstVolumeMonitorGetText(int Row, int Column) const;
    void vstSymbolsBeforeCellPaint(QPainter& Painter, int Row, const QRect& Cell) const;
    void vstDepthBeforeCellPaint(QPainter& Painter, int Row, const QRect& Cell, int RowLeft) const;
    void vstSymbolsChange();
    void vstVolumeMonitorChange(int Row);
    void acDeleteSymbolExecute();
    void acHideSymbolsExecute();
    void acShowSymbolExecute();
    void acMDMaxMinExecute();
    void acMDTimeExecute();
    void acMDGridExecute();
    void acMDSpredExecute();
    void acMDColAutoSizeExecute();
    void FitShownColumns();
    // Always: also within a second of the last fit.
    void FitSymbolColumns(bool Always);
    // Unless the columns fit their texts, the symbol column stretches over
    // the room the other shown columns leave, but never below its widest
    // symbol: with less room it keeps that width and the grid scrolls.
    void KeepSymbolColumnWidth();
    int SymbolColumnLeast() const;

    // The open orders, balances, order history and further accounts.
    void ConnectAccountGrids();
    std::string vstOrdersGetText(const TUserOrderList& Orders, int Row, int Column) const;
    std::string vstBalancesGetText(int Row, int Column) const;
    std::string vstMultiGetText(int Row, int Column) const;
    void vstMultiChange();
    void RefreshBalanceModel();
    void acOrderDeleteExecute();
    void acNoZeroBalanceExecute();
    void acLoginExecute();
    void acMultiAddExecute();
    void acMultiDelExecute();
    void acMultiExecute();

    // The window's own commands.
    void ConnectCommands();
    // Menu opens at a right click in Grid, the row under the mouse selected
    // first, so that the menu's commands act on the row clicked.
    void ConnectPopup(TVirtualStringTree* Grid, QMenu* Menu);
    QAction* FindAction(const char* Name) const;
    void TogglePanel(QAction& Action, TDockPanel& Panel);
    void ToggleToolbar(QAction& Action, QToolBar& Bar);
    void acStatusBarExecute();
    void ppmSymbolsPopup();
    void acSaveSymbolGroupExecute();
    void tbiNewChartPopup();

    // The chart commands, the chart tabs and the template menus.
    void ConnectChartCommands();
    void ConnectChartMenus();
    void AddIndicator(std::unique_ptr<TBaseIndicatorInfo> aInfo);
    // Action runs Command, then shows the chart's new state at once.
    void OnChartCommand(QAction* Action, std::function<void()> Command);
    // The chart of tab Index; nullptr when that chart has closed since.
    TChartItem* TabChart(int Index) const;
    void SelectChartTab();
    void tabChartsChange(int Index);
    void tabChartsContextPopup(const QPoint& At);
    void acChartCloseExecute();
    void acMarketDepthExExecute();
    void panFullResize();
    void OnTemplatePopup(QMenu* Menu, QMenu* DeleteMenu);
    void acTemplateSaveExecute();

    // The Buy and Sell panels.
    void ConnectOrderPanels();
    void PrefillSheet(const TOrderSheet& Sheet);
    void FillPrices(const TOrderSheet& Sheet);
    void RefreshTotals();
    void OrderButtonClick(const TOrderSheet& Sheet);
    bool RefreshOrderSymbol();
    void OrderSymbolChange();
    double OrderSymbolPrice() const;

    TMainControls fControls;
    IMainChartList& fChartList;
    // The symbol the Buy and Sell panels' prices were filled for.
    std::string fOrderSymbol;
    bool fIsOnline = false;
    bool fShown = false;
    bool fClosed = false;
    std::chrono::steady_clock::time_point fColumnsFitAt;
    // The row of the widest symbol name, and the list revision it was
    // measured for: the names are measured again only when they change.
    mutable int fWidestSymbolRow = -1;
    mutable std::optional<unsigned> fWidestSymbolRevision;
};

// The main window of the running program: the first one created, until it
// is destroyed.
extern TfmMain* fmMain;
