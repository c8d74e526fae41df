#include "terminal/fmMain/ufmMainLayout.h"

#include "terminal/fmMain/ufmMainActions.h"

#include "controls/uExPageControl.h"
#include "platform/qt/VirtualStringTree.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <initializer_list>
#include <utility>

TResizeWatch::TResizeWatch(QWidget& Watched, std::function<void()> Handler)
    : QObject(&Watched), fHandler(std::move(Handler))
{
    Watched.installEventFilter(this);
}

bool TResizeWatch::eventFilter(QObject*, QEvent* Event)
{
    if (Event->type() == QEvent::Resize)
        fHandler();
    return false;
}

namespace {

constexpr int cLeftDockWidth = 220;
constexpr int cBottomDockHeight = 180;
constexpr int cStatusHeight = 20;

QString Text(const char* Utf8)
{
    return QString::fromUtf8(Utf8);
}

// A grid of the window: rows come from the model, so it starts empty.
TVirtualStringTree* CreateGrid(QWidget* Parent, const char* Name,
                               const std::vector<TVirtualColumn>& Columns, bool ShowHeader = true)
{
    auto* Grid = new TVirtualStringTree(Parent);
    Grid->setObjectName(QString::fromLatin1(Name));
    QFont HeaderFont(QStringLiteral("Microsoft JhengHei"));
    HeaderFont.setPixelSize(11);
    Grid->horizontalHeader()->setFont(HeaderFont);
    Grid->SetColumns(Columns);
    Grid->horizontalHeader()->setVisible(ShowHeader);
    return Grid;
}

QWidget* CreateSheet(QTabWidget* Pages, const char* Name, const char* Caption)
{
    auto* Sheet = new QWidget(Pages);
    Sheet->setObjectName(QString::fromLatin1(Name));
    Pages->addTab(Sheet, Text(Caption));
    return Sheet;
}

TVirtualStringTree* CreateOrderGrid(QWidget* Parent, const char* Name)
{
    std::vector<TVirtualColumn> Columns;
    for (const char* Header :
         {"Ордер", "Время", "Тип", "Объем", "Символ", "Цена", "Статус", "Сторона", "S / L"})
        Columns.push_back({.Text = Header, .Width = Columns.empty() ? 123 : 115});
    return CreateGrid(Parent, Name, Columns);
}

// A sheet of the account views' page control filled by Content (or empty).
void AddTerminalSheet(TExPageControl* Pages, const char* Name, const char* Caption,
                      QWidget* Content = nullptr)
{
    auto* Sheet = new TExTabSheet(Pages);
    Sheet->setObjectName(QString::fromLatin1(Name));
    Sheet->SetExPageControl(Pages);
    Sheet->SetCaption(Caption);
    if (!Content)
        return;
    auto* Layout = new QVBoxLayout(Sheet);
    Layout->setContentsMargins(0, 0, 0, 0);
    Content->setParent(Sheet);
    Layout->addWidget(Content);
}

// The scroll box of eight banners in two rows of four; the translation
// gives them their picture.
QScrollArea* CreateBanners(QWidget* Parent, std::vector<QLabel*>& Banners)
{
    constexpr int cBannerCount = 8;
    constexpr int cBannersPerRow = 4;
    auto* Box = new QScrollArea(Parent);
    Box->setObjectName(QStringLiteral("ScrollBox1"));
    Box->setFrameShape(QFrame::NoFrame);
    auto* Content = new QWidget(Box);
    auto* Grid = new QGridLayout(Content);
    Grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (int Index = 0; Index < cBannerCount; ++Index) {
        auto* Banner = new QLabel(Content);
        Banner->setObjectName(QStringLiteral("imgBanner%1").arg(Index + 1));
        Banner->setFixedSize(cBannerSize);
        Grid->addWidget(Banner, Index / cBannersPerRow, Index % cBannersPerRow);
        Banners.push_back(Banner);
    }
    Box->setWidget(Content);
    return Box;
}

// However small the window, the Terminal panel keeps its tab row and, on
// its sheets, a grid's header, one row and the scroll bar beneath. The room
// the tabs and the page frame take is measured as the control lays out its
// sheets, all of one size.
void KeepTerminalRow(TExPageControl* Pages, TVirtualStringTree* Grid)
{
    TExTabSheet* Sheet = Pages->Pages(0);
    new TResizeWatch(*Sheet, [Pages, Sheet, Grid] {
        if (Sheet->height() == 0)
            return;
        Pages->setMinimumHeight(Pages->height() - Sheet->height() +
                                Grid->horizontalHeader()->sizeHint().height() +
                                TVirtualStringTree::DefaultNodeHeight +
                                Grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    });
}

void BuildTerminal(TMainControls& C)
{
    C.pcTerminal = new TExPageControl(C.dpTerminal);
    C.pcTerminal->setObjectName(QStringLiteral("pcTerminal"));
    C.pcTerminal->SetTabPosition(tpBottom);
    C.pcTerminal->ActiveFont().SetName("Tahoma");
    C.vstOrders = CreateOrderGrid(C.pcTerminal, "vstOrders");
    C.vstBalances = CreateGrid(C.pcTerminal, "vstBalances",
                               {{.Text = "Валюта", .Width = 643, .Stretch = true},
                                {.Text = "Свободные", .Width = 200, .Fixed = true},
                                {.Text = "Заблокированные", .Width = 200, .Fixed = true}});
    C.vstOrderHistory = CreateOrderGrid(C.pcTerminal, "vstOrderHistory");
    C.vstMulti = CreateGrid(C.pcTerminal, "vstMulti",
                            {{.Text = "Наименование", .Width = 463},
                             {.Text = "Коефициент", .Width = 80},
                             {.Text = "Баланс", .Width = 250},
                             {.Text = "Открытые ордера", .Width = 250}});
    for (TVirtualStringTree* Grid : {C.vstOrders, C.vstBalances, C.vstOrderHistory, C.vstMulti})
        Grid->setFrameShape(QFrame::NoFrame);
    AddTerminalSheet(C.pcTerminal, "tsTrade", "Торговля", C.vstOrders);
    AddTerminalSheet(C.pcTerminal, "tsActives", "Активы", C.vstBalances);
    AddTerminalSheet(C.pcTerminal, "tsAccountHistory", "История счета", C.vstOrderHistory);
    AddTerminalSheet(C.pcTerminal, "tsMultiaccount", "Мультиаккаунт", C.vstMulti);
    for (const auto& [Name, Caption] :
         {std::pair{"tsNews", "Новости"}, std::pair{"tsMarket", "Маркет"},
          std::pair{"tsSignals", "Сигналы"}, std::pair{"tsLibrary", "Библиотека"},
          std::pair{"tsExperts", "Эксперты"}, std::pair{"tsJournal", "Журнал"}})
        AddTerminalSheet(C.pcTerminal, Name, Caption);
    AddTerminalSheet(C.pcTerminal, "tsInvest", "Инвестиции",
                     CreateBanners(C.pcTerminal, C.Banners));
    C.dpTerminal->setWidget(C.pcTerminal);
    KeepTerminalRow(C.pcTerminal, C.vstOrders);
}

QLineEdit* CreateOrderEdit(QWidget* Sheet, const std::string& Name, const char* Caption, int Row,
                           bool ReadOnly = false)
{
    constexpr int cRowHeight = 28;
    auto* Label = new QLabel(QString::fromLatin1(Caption), Sheet);
    Label->setGeometry(8, 11 + Row * cRowHeight, 52, 17);
    auto* Edit = new QLineEdit(Sheet);
    Edit->setObjectName(QString::fromStdString(Name));
    Edit->setGeometry(64, 8 + Row * cRowHeight, 99, 23);
    Edit->setReadOnly(ReadOnly);
    return Edit;
}

// The Buy or Sell panel's page control: limit, market and stop-limit
// sheets, their captions English and never translated; above them the
// symbol they trade. Each sheet keeps room for its fields and its button.
QTabWidget* CreateOrderPages(TDockPanel* Panel, const char* Name, const char* Side,
                             std::initializer_list<const char*> Sheets,
                             std::vector<TOrderSheet>& Orders, QLabel*& SymbolLabel)
{
    auto* Body = new QWidget(Panel);
    auto* Column = new QVBoxLayout(Body);
    Column->setContentsMargins(0, 4, 0, 0);
    Column->setSpacing(2);
    SymbolLabel = new QLabel(Body);
    SymbolLabel->setObjectName(QString::fromStdString(std::string("lbl") + Side + "Symbol"));
    QFont Bold = SymbolLabel->font();
    Bold.setBold(true);
    SymbolLabel->setFont(Bold);
    SymbolLabel->setIndent(8);
    Column->addWidget(SymbolLabel);
    auto* Pages = new QTabWidget(Body);
    Column->addWidget(Pages, 1);
    Pages->setObjectName(QString::fromLatin1(Name));
    // The sheets cover the page control's frame.
    Pages->setDocumentMode(true);
    const std::string Prefix = std::string("ed") + Side;
    const char* const Captions[] = {"Limit", "Market", "Stop-limit"};
    const char* const Kinds[] = {"Limit", "Market", "StopLimit"};
    const char* const Types[] = {"LIMIT", "MARKET", "STOP_LOSS_LIMIT"};
    int Index = 0;
    for (const char* SheetName : Sheets) {
        QWidget* Sheet = CreateSheet(Pages, SheetName, Captions[Index]);
        const std::string Kind = Prefix + Kinds[Index];
        TOrderSheet Order{.Side = Side[0] == 'B' ? "BUY" : "SELL", .Type = Types[Index]};
        int Row = 0;
        if (Index == 2)
            Order.Stop = CreateOrderEdit(Sheet, Kind + "Stop", "Stop", Row++);
        Order.Price = CreateOrderEdit(Sheet, Kind + "Price", "Price", Row++);
        Order.Price->setEnabled(Index != 1);
        Order.Amount = CreateOrderEdit(Sheet, Kind + "Amount", "Amount", Row++);
        Order.Total = CreateOrderEdit(Sheet, Kind + "Total", "Total", Row++, true);
        Order.Button = new QPushButton(QString::fromLatin1(Side), Sheet);
        Order.Button->setObjectName(
            QString::fromStdString(std::string("btn") + Side + Kinds[Index]));
        Order.Button->setGeometry(8, 8 + Row * 28 + 4, 146, 33);
        Sheet->setMinimumSize(Order.Total->geometry().right() + 8,
                              Order.Button->geometry().bottom() + 8);
        Orders.push_back(Order);
        ++Index;
    }
    Panel->setWidget(Body);
    return Pages;
}

void BuildDocks(QMainWindow& W, TMainControls& C)
{
    C.dpMarketView = new TDockPanel(W, "dpMarketView", Text("Символы"), Qt::LeftDockWidgetArea);
    C.vstSymbols = CreateGrid(C.dpMarketView, "vstSymbols",
                              {{.Text = "Символ", .Width = 162, .Stretch = true},
                               {.Text = "Цена", .Width = 70, .Visible = false},
                               {.Text = "%"},
                               {.Text = "Максимум", .Visible = false},
                               {.Text = "Минимум", .Visible = false},
                               {.Text = "Bid", .Visible = false},
                               {.Text = "Ask", .Visible = false},
                               {.Text = "Время", .Visible = false},
                               {.Text = "Spread", .Visible = false}});
    C.dpMarketView->setWidget(C.vstSymbols);

    C.dpMarketDepth =
        new TDockPanel(W, "dpMarketDepth", Text("Стакан цен"), Qt::LeftDockWidgetArea);
    C.vstDepth = CreateGrid(
        C.dpMarketDepth, "vstDepth",
        {{.Text = "Цена", .Width = 157, .Stretch = true}, {.Text = "Объем", .Width = 55}});
    C.dpMarketDepth->setWidget(C.vstDepth);
    W.splitDockWidget(C.dpMarketView, C.dpMarketDepth, Qt::Vertical);

    C.dpNavigate = new TDockPanel(W, "dpNavigate", Text("Навигатор"), Qt::LeftDockWidgetArea);
    C.vstNavigate =
        CreateGrid(C.dpNavigate, "vstNavigate", {{.Width = 124, .Stretch = true}}, false);
    C.dpNavigate->setWidget(C.vstNavigate);
    W.splitDockWidget(C.dpMarketView, C.dpNavigate, Qt::Horizontal);

    C.dpBuy = new TDockPanel(W, "dpBuy", QStringLiteral("Buy"), Qt::RightDockWidgetArea);
    C.pcBuy =
        CreateOrderPages(C.dpBuy, "pcBuy", "Buy", {"tsBuyLimit", "tbBuyMarket", "tbBuyStopLimit"},
                         C.BuySheets, C.lblBuySymbol);
    C.dpSell = new TDockPanel(W, "dpSell", QStringLiteral("Sell"), Qt::RightDockWidgetArea);
    C.pcSell = CreateOrderPages(C.dpSell, "pcSell", "Sell",
                                {"tsSellLimit", "tsSellMarket", "tsSellStopLimit"}, C.SellSheets,
                                C.lblSellSymbol);

    C.dpVolumeMonitor =
        new TDockPanel(W, "dpVolumeMonitor", Text("Монитор объемов"), Qt::BottomDockWidgetArea);
    C.vstVolumeMonitor = CreateGrid(C.dpVolumeMonitor, "vstVolumeMonitor",
                                    {{.Text = "Символ", .Width = 120, .Fixed = true},
                                     {.Text = "Пинг", .Width = 120, .Fixed = true},
                                     {.Text = "VOL BTC", .Width = 120},
                                     {.Text = "VOL %", .Width = 120},
                                     {.Text = "Recent VOL BTC", .Width = 120},
                                     {.Text = "Recent VOL %", .Width = 120},
                                     {.Text = "Дата", .Width = 327, .Stretch = true}});
    C.dpVolumeMonitor->setWidget(C.vstVolumeMonitor);
    C.dpTerminal = new TDockPanel(W, "dpTerminal", Text("Терминал"), Qt::BottomDockWidgetArea);
    BuildTerminal(C);
    W.splitDockWidget(C.dpVolumeMonitor, C.dpTerminal, Qt::Vertical);
}

// The chart area: the chart windows' host above the chart tabs; and the
// full-screen bar.
void BuildChartArea(QMainWindow& W, TMainControls& C)
{
    C.DefaultSheet = new QWidget(&W);
    C.DefaultSheet->setObjectName(QStringLiteral("DefaultSheet"));
    C.DefaultSheet->setAutoFillBackground(true);
    auto* Layout = new QVBoxLayout(C.DefaultSheet);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    C.pnlClient = new QWidget(C.DefaultSheet);
    C.pnlClient->setObjectName(QStringLiteral("pnlClient"));
    Layout->addWidget(C.pnlClient, 1);
    C.tabCharts = new QTabBar(C.DefaultSheet);
    C.tabCharts->setObjectName(QStringLiteral("tabCharts"));
    C.tabCharts->setShape(QTabBar::RoundedSouth);
    C.tabCharts->setExpanding(false);
    C.tabCharts->setContextMenuPolicy(Qt::CustomContextMenu);
    C.tabCharts->hide();
    Layout->addWidget(C.tabCharts);
    W.setCentralWidget(C.DefaultSheet);

    // At the right end of the menu bar's line, as a maximised child
    // window's buttons are.
    C.panFull = new QWidget(&W);
    C.panFull->setObjectName(QStringLiteral("panFull"));
    auto* Bar = new QToolBar(C.panFull);
    Bar->setObjectName(QStringLiteral("FullScreenToolbar"));
    Bar->setIconSize(QSize(11, 11));
    Bar->setMovable(false);
    Bar->setContentsMargins(0, 0, 0, 0);
    Bar->layout()->setSpacing(0);
    for (QAction* Action : C.Actions.actionFull)
        if (Action->objectName() != QLatin1String("acChartRestore"))
            Bar->addAction(Action);
    const QSize Size = Bar->sizeHint().expandedTo(QSize(56, 18));
    Bar->resize(Size);
    C.panFull->resize(Size);
    C.panFull->hide();
}

QLabel* CreateStatusPanel(QStatusBar* Bar, const char* Name, int Width)
{
    auto* Panel = new QLabel(Bar);
    Panel->setObjectName(QString::fromLatin1(Name));
    Panel->setFixedWidth(Width);
    Panel->setAlignment(Qt::AlignCenter);
    Bar->addWidget(Panel);
    return Panel;
}

void BuildStatusBar(QMainWindow& W, TMainControls& C)
{
    C.panStatus = new QStatusBar(&W);
    C.panStatus->setObjectName(QStringLiteral("panStatus"));
    C.panStatus->setSizeGripEnabled(false);
    C.panStatus->setFixedHeight(cStatusHeight);
    C.StatusText = new QLabel(C.panStatus);
    C.StatusText->setObjectName(QStringLiteral("StatusText"));
    C.StatusText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    C.panStatus->addWidget(C.StatusText, 1);
    CreateStatusPanel(C.panStatus, "Panel1", 20);
    C.SysTimePanel = CreateStatusPanel(C.panStatus, "SysTimePanel", 60);
    C.SysTimePanel->setAutoFillBackground(true);
    CreateStatusPanel(C.panStatus, "Panel2", 20);
    W.setStatusBar(C.panStatus);
}

QTimer* CreateTimer(QMainWindow& W, const char* Name, int Interval)
{
    auto* Timer = new QTimer(&W);
    Timer->setObjectName(QString::fromLatin1(Name));
    Timer->setInterval(Interval);
    return Timer;
}

} // namespace

TDockPanel::TDockPanel(QMainWindow& Window, const char* Name, const QString& Caption,
                       Qt::DockWidgetArea DefaultDock)
    : QDockWidget(Caption, &Window), fWindow(Window), fDefaultDock(DefaultDock)
{
    setObjectName(QString::fromLatin1(Name));
    Window.addDockWidget(DefaultDock, this);
}

void TDockPanel::SetCurrentDock(Qt::DockWidgetArea Area)
{
    setFloating(false);
    fWindow.addDockWidget(Area, this);
}

void SizeMainDocks(QMainWindow& Window, const TMainControls& C)
{
    Window.resizeDocks({C.dpMarketView}, {cLeftDockWidth}, Qt::Horizontal);
    Window.resizeDocks({C.dpVolumeMonitor, C.dpTerminal}, {cBottomDockHeight, cBottomDockHeight},
                       Qt::Vertical);
}

void SetCurrentDock(QMainWindow& Window, QToolBar* Toolbar)
{
    Window.addToolBar(Qt::TopToolBarArea, Toolbar);
}

std::vector<QDockWidget*> TMainControls::Panels() const
{
    return {dpMarketView, dpMarketDepth, dpNavigate, dpVolumeMonitor, dpTerminal, dpBuy, dpSell};
}

std::vector<QToolBar*> TMainControls::Toolbars() const
{
    return {tbIntervals, tbCharts, tbStandart, tbInstruments};
}

std::vector<TVirtualStringTree*> TMainControls::ClosingGrids() const
{
    return {vstDepth, vstSymbols, vstOrders, vstBalances, vstNavigate, vstOrderHistory};
}

void BuildMainLayout(QMainWindow& Window, TMainControls& C)
{
    Window.setDockNestingEnabled(true);
    BuildMainActions(Window, C);
    BuildDocks(Window, C);
    BuildChartArea(Window, C);
    BuildStatusBar(Window, C);
    C.timerLoginForm = CreateTimer(Window, "timerLoginForm", 50);
    C.timerCheckZoom = CreateTimer(Window, "timerCheckZoom", 1000);
}
