#pragma once

#include <QDockWidget>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QStatusBar;
class QTabBar;
class QTabWidget;
class QToolBar;
class TExPageControl;
class TVirtualStringTree;
class QTimer;

// A dockable panel of the main window: it floats, docks anywhere, closes by
// its own button, and remembers the place it returns to.
class TDockPanel : public QDockWidget {
public:
    TDockPanel(QMainWindow& Window, const char* Name, const QString& Caption,
               Qt::DockWidgetArea DefaultDock);

    Qt::DockWidgetArea DefaultDock() const { return fDefaultDock; }
    void SetDefaultDock(Qt::DockWidgetArea Value) { fDefaultDock = Value; }
    // Docks the panel into Area, also when it floats or sits elsewhere.
    void SetCurrentDock(Qt::DockWidgetArea Area);

private:
    QMainWindow& fWindow;
    Qt::DockWidgetArea fDefaultDock;
};

// Docks a toolbar, floating or not, back into the window's top dock.
void SetCurrentDock(QMainWindow& Window, QToolBar* Toolbar);

// Runs Handler when Watched is resized; lives as long as Watched.
class TResizeWatch : public QObject {
public:
    TResizeWatch(QWidget& Watched, std::function<void()> Handler);

protected:
    bool eventFilter(QObject*, QEvent* Event) override;

private:
    std::function<void()> fHandler;
};

// The window's commands. Those the frame itself reads or sets are named
// here; every one is also in Actions (or actionFull) under its own name.
struct TMainActions {
    std::vector<QAction*> Actions;
    std::vector<QAction*> actionFull;

    QAction* acChartInterval = nullptr;
    QAction* acCharts = nullptr;
    QAction* acStandart = nullptr;
    QAction* acInstruments = nullptr;
    QAction* acMarketView = nullptr;
    QAction* acNavigate = nullptr;
    QAction* acTerminal = nullptr;
    QAction* acMarketDepth = nullptr;
    QAction* acVolumeMonitor = nullptr;
    QAction* acNoZeroBalance = nullptr;
    QAction* acStatusBar = nullptr;
    QAction* acOrderDelete = nullptr;
    QAction* acLogin = nullptr;
    QAction* acMultiAdd = nullptr;
    QAction* acMultiDel = nullptr;
    QAction* acMulti = nullptr;
    QAction* acDeleteSymbol = nullptr;
    QAction* acHideSymbols = nullptr;
    QAction* acShowSymbol = nullptr;
    QAction* acMDMaxMin = nullptr;
    QAction* acMDTime = nullptr;
    QAction* acMDGrid = nullptr;
    QAction* acMDSpred = nullptr;
    QAction* acMDColAutoSize = nullptr;
    // The interval buttons, one radio group; each carries its interval as data.
    std::vector<QAction*> Intervals;
    QAction* acBuy = nullptr;
    QAction* acSell = nullptr;
    QAction* acStick = nullptr;
    QAction* acBar = nullptr;
    QAction* acLine = nullptr;
};

// One sheet of the Buy or Sell panel: the order kind it places, its edits
// (Stop only on the stop-limit sheet) and its button.
struct TOrderSheet {
    const char* Side;
    const char* Type;
    QLineEdit* Stop = nullptr;
    QLineEdit* Price = nullptr;
    QLineEdit* Amount = nullptr;
    QLineEdit* Total = nullptr;
    QPushButton* Button = nullptr;
};

// The banners' pictures: image 0 Russian, image 1 English.
inline constexpr const char* ilBanner[] = {"banner-russian", "banner-english"};
inline constexpr QSize cBannerSize{300, 150};

// Every control of the main window; all are children of the window.
struct TMainControls {
    TMainActions Actions;

    QToolBar* tbIntervals = nullptr;
    QToolBar* tbCharts = nullptr;
    QToolBar* tbStandart = nullptr;
    QToolBar* tbInstruments = nullptr;

    TDockPanel* dpMarketView = nullptr;
    TDockPanel* dpMarketDepth = nullptr;
    TDockPanel* dpNavigate = nullptr;
    TDockPanel* dpVolumeMonitor = nullptr;
    TDockPanel* dpTerminal = nullptr;
    TDockPanel* dpBuy = nullptr;
    TDockPanel* dpSell = nullptr;

    TVirtualStringTree* vstSymbols = nullptr;
    TVirtualStringTree* vstDepth = nullptr;
    TVirtualStringTree* vstNavigate = nullptr;
    TVirtualStringTree* vstVolumeMonitor = nullptr;
    TVirtualStringTree* vstOrders = nullptr;
    TVirtualStringTree* vstBalances = nullptr;
    TVirtualStringTree* vstOrderHistory = nullptr;
    TVirtualStringTree* vstMulti = nullptr;

    TExPageControl* pcTerminal = nullptr;
    // The sheet "Инвестиции"'s banners.
    std::vector<QLabel*> Banners;
    QTabWidget* pcBuy = nullptr;
    QTabWidget* pcSell = nullptr;
    // By page: limit, market, stop-limit.
    std::vector<TOrderSheet> BuySheets;
    std::vector<TOrderSheet> SellSheets;
    // The symbol the Buy and Sell panels trade.
    QLabel* lblBuySymbol = nullptr;
    QLabel* lblSellSymbol = nullptr;

    QWidget* DefaultSheet = nullptr;
    QWidget* pnlClient = nullptr;
    QTabBar* tabCharts = nullptr;
    QWidget* panFull = nullptr;

    QStatusBar* panStatus = nullptr;
    QLabel* StatusText = nullptr;
    QLabel* SysTimePanel = nullptr;

    QMenu* ppmChart = nullptr;
    QMenu* ppIndicator = nullptr;
    QMenu* ppTab = nullptr;
    QMenu* ppmSymbols = nullptr;
    QMenu* miSymbolSet = nullptr;
    QMenu* miSetDelete = nullptr;
    QMenu* tbiNewChartPopup = nullptr;
    QMenu* ppmOrders = nullptr;
    QMenu* ppmBalance = nullptr;
    QMenu* ppmMultiAccount = nullptr;

    QTimer* timerLoginForm = nullptr;
    QTimer* timerCheckZoom = nullptr;

    // The docks and toolbars whose closing refreshes the view commands.
    std::vector<QDockWidget*> Panels() const;
    std::vector<QToolBar*> Toolbars() const;
    // The grids the window empties when it closes.
    std::vector<TVirtualStringTree*> ClosingGrids() const;
};

// Creates the window's commands, menus, toolbars, panels, chart area and
// status bar in Window, with their texts untranslated.
void BuildMainLayout(QMainWindow& Window, TMainControls& Controls);

// The docks' first sizes; they hold only once the window is being shown.
void SizeMainDocks(QMainWindow& Window, const TMainControls& Controls);
