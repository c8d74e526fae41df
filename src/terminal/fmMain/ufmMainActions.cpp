#include "terminal/fmMain/ufmMainActions.h"

#include "platform/qt/Pictures.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <iterator>

namespace {

enum TActionFlag : unsigned {
    afCheck = 1,    // carries a check
    afStartOff = 2, // disabled until there is a chart to act on
    afNoEffect = 4  // shown but never enabled: there is nothing it could do
};

struct TActionSpec {
    const char* Name;
    const char* Caption;
    int Tag;
    unsigned Flags;
    // The command's picture on the toolbars and in the menus. The intervals
    // show their names; the switches of the toolbars, the status bar, the
    // market watch's columns and the account filters have none, so that
    // their check marks show in the menus.
    const char* Image = nullptr;
};

// The list "Actions" (pictures ilMenus) in its order; the tag of an interval
// is its index.
constexpr TActionSpec cActions[] = {
    {"acNewOrder", "Новый ордер", 0, afStartOff, "order-new"},
    {"acNewChart", "Новый график", 0, 0, "chart-new"},
    {"acCloseChart", "Закрыть график", 0, afStartOff, "chart-close"},
    {"acLogin", "Авторизация", 0, 0, "login"},
    {"acQuit", "Выход", 0, 0, "quit"},
    {"acMultiAdd", "Добавить аккаунт", 0, 0, "account-add"},
    {"acMultiDel", "Удалить аккаунт", 0, 0, "account-delete"},
    {"acMulti", "Мульти-торговля", 0, afCheck},
    {"acOrderDelete", "Удалить ордер", 0, 0, "order-delete"},
    {"acNoZeroBalance", "Без нулевого баланса", 0, afCheck},
    {"acChartInterval", "Период графика", 0, afCheck},
    {"acCharts", "Графики", 0, afCheck},
    {"acStandart", "Стандартная", 0, afCheck},
    {"acInstruments", "Инструменты", 0, afCheck},
    {"acStatusBar", "Статусная строка", 0, afCheck},
    {"acChartPages", "Панель переключения графиков", 0, 0, "chart-tabs"},
    {"acMarketView", "Обзор рынка", 0, afCheck, "market-watch"},
    {"acNavigate", "Навигатор", 0, afCheck, "navigator"},
    {"acTerminal", "Терминал", 0, afCheck, "terminal"},
    {"acMarketDepth", "Стакан цен", 0, afCheck, "market-depth"},
    {"acVolumeMonitor", "Монитор объемов", 0, afCheck, "volume-monitor"},
    {"acBuy", "Ордер Buy", 0, afCheck, "order-buy"},
    {"acSell", "Ордер Sell", 0, afCheck, "order-sell"},
    {"acCursor", "Курсор", 0, 0, "cursor"},
    {"acCross", "Перекрестие", 0, 0, "crosshair"},
    {"acVertLine", "Рисование вертикальной линии", 0, afNoEffect, "line-vertical"},
    {"acHorisontLine", "Горизонтальная линия", 0, afNoEffect, "line-horizontal"},
    {"acTrendLine", "Трендовая линия", 0, afNoEffect, "line-trend"},
    {"acDrawText", "Рисование текста", 0, afNoEffect, "text"},
    {"acSigns", "Знаки", 0, afNoEffect, "signs"},
    {"acZoomIn", "Увеличение", 0, afStartOff, "zoom-in"},
    {"acZoomOut", "Уменьшение", 0, afStartOff, "zoom-out"},
    {"acMozaic", "Графики мозаикой", 0, afStartOff, "tile"},
    {"acAutoScroll", "Автопрокрутка", 0, afCheck | afStartOff, "auto-scroll"},
    {"acShiftToEnd", "Смещение к концу", 0, afCheck | afStartOff, "chart-shift"},
    {"acStick", "Японские свечи", 1, afCheck | afStartOff, "chart-candles"},
    {"acBar", "График Бар", 0, afCheck | afStartOff, "chart-bars"},
    {"acLine", "Линии", 2, afCheck | afStartOff, "chart-line"},
    {"acChartSettings", "Свойства", 0, afStartOff, "settings"},
    {"acIndicatorMA", "MA", 0, afStartOff, "indicator-ma"},
    {"acIndicatorBollinger", "Bollinger", 0, afStartOff, "indicator-bollinger"},
    {"acIndicatorFractal", "Fractal", 0, afStartOff, "indicator-fractal"},
    {"acIndicatorZigZag", "ZigZag", 0, afStartOff, "indicator-zigzag"},
    {"acIndicatorSettings", "Настройка", 0, afStartOff, "settings"},
    {"acIndicatorDelete", "Удалить", 0, afStartOff, "delete"},
    {"acTickChart", "Тиковый график", 0, afNoEffect, "chart-tick"},
    {"acMarketDepthEx", "Стакан цен", 0, afStartOff, "market-depth"},
    {"acSpecification", "Спецификация", 0, afNoEffect, "info"},
    {"acMDSpred", "Спред", 0, afCheck},
    {"acMDColAutoSize", "Авторазмер столбцов", 0, afCheck},
    {"acMDMaxMin", "Максимум/Минимум", 0, afCheck},
    {"acMDTime", "Время", 0, afCheck},
    {"acMDGrid", "Сетка", 0, afCheck},
    {"acDeleteSymbol", "Удалить символ", 0, 0, "delete"},
    {"acHideSymbols", "Скрыть символы", 0, 0, "eye-hidden"},
    {"acShowSymbol", "Показать символы", 0, 0, "eye"},
    {"acSaveSymbolGroup", "Сохранить как...", 0, 0, "save"},
    {"acTemplateSave", "Сохранить шаблон...", 0, afStartOff, "save"},
    {"acTemplateSelect", "", 0, 0},
    {"acTemplateDelete", "", 0, 0},
    {"acM1", "M1", 0, afCheck | afStartOff},
    {"acM5", "M5", 2, afCheck | afStartOff},
    {"acM15", "M15", 3, afCheck | afStartOff},
    {"acM30", "M30", 4, afCheck | afStartOff},
    {"acH1", "H1", 5, afCheck | afStartOff},
    {"acH4", "H4", 7, afCheck | afStartOff},
    {"acH6", "H6", 8, afCheck | afStartOff},
    {"acD1", "D1", 11, afCheck | afStartOff},
    {"acW1", "W1", 13, afCheck | afStartOff},
    {"acMN", "MN", 14, afCheck | afStartOff},
    {"acAbout", "О программе", 0, 0, "info"},
};

// The list "actionFull" (pictures FullScreenImages).
constexpr TActionSpec cActionFull[] = {
    {"acChartMaximize", "Развернуть", 0, afStartOff, "full-restore"},
    {"acChartMinimize", "Свернуть", 0, afStartOff, "full-minimize"},
    {"acChartClose", "Закрыть", 0, afStartOff, "full-close"},
    {"acChartRestore", "Восстановить", 0, afStartOff, "full-restore"},
};

constexpr const char* cIntervals[] = {"acM1", "acM5", "acM15", "acM30", "acH1",
                                      "acH4", "acH6", "acD1",  "acW1",  "acMN"};
constexpr const char* cIndicators[] = {"acIndicatorMA", "acIndicatorBollinger",
                                       "acIndicatorFractal", "acIndicatorZigZag"};
constexpr const char* cChartTypes[] = {"acStick", "acBar", "acLine"};
constexpr const char* cDrawingTools[] = {
    "acCursor", "acCross", "acVertLine", "acHorisontLine", "acTrendLine", "acDrawText", "acSigns"};

// A checkable command shows the check its model gives it: Qt's own toggle
// on a click is undone before any handler runs (handlers are connected
// later, so they run after this), and the handler sets or inverts the check
// itself. A command without an effect keeps its check.
QAction* CreateAction(QMainWindow& Window, const TActionSpec& Spec)
{
    auto* Action = new QAction(QString::fromUtf8(Spec.Caption), &Window);
    Action->setObjectName(QString::fromLatin1(Spec.Name));
    Action->setData(Spec.Tag);
    Action->setCheckable(Spec.Flags & afCheck);
    Action->setEnabled(!(Spec.Flags & (afStartOff | afNoEffect)));
    if (Spec.Image)
        Action->setIcon(PictureIcon(Spec.Image));
    if (Action->isCheckable())
        QObject::connect(Action, &QAction::triggered, Action,
                         [Action](bool Checked) { Action->setChecked(!Checked); });
    return Action;
}

// Builds one menu or toolbar from action names: "-" is a separator.
class TMenuFiller {
public:
    explicit TMenuFiller(QMainWindow& Window) : fWindow(Window) {}

    QAction* Find(const char* Name) const
    {
        return fWindow.findChild<QAction*>(QString::fromLatin1(Name), Qt::FindDirectChildrenOnly);
    }

    template <class TTarget>
    void Add(TTarget* Target, std::initializer_list<const char*> Names) const
    {
        for (const char* Name : Names)
            AddOne(Target, Name);
    }

    template <class TTarget, std::size_t N>
    void Add(TTarget* Target, const char* const (&Names)[N]) const
    {
        for (const char* Name : Names)
            AddOne(Target, Name);
    }

    static QMenu* SubMenu(QWidget* Parent, const char* Name, const char* Title,
                          const char* Image = nullptr)
    {
        auto* Menu = new QMenu(QString::fromUtf8(Title), Parent);
        Menu->setObjectName(QString::fromLatin1(Name));
        if (Image)
            Menu->setIcon(PictureIcon(Image));
        return Menu;
    }

    // A template submenu: the save command, its delete submenu, a separator;
    // the templates themselves are listed when it opens.
    QMenu* TemplateMenu(QWidget* Parent, const char* Name, const char* Title,
                        const char* DeleteName) const
    {
        QMenu* Menu = SubMenu(Parent, Name, Title, "template");
        Add(Menu, {"acTemplateSave"});
        Menu->addMenu(SubMenu(Menu, DeleteName, "Удалить шаблон", "delete"));
        Menu->addSeparator();
        return Menu;
    }

private:
    template <class TTarget> void AddOne(TTarget* Target, const char* Name) const
    {
        if (Name[0] == '-')
            Target->addSeparator();
        else
            Target->addAction(Find(Name));
    }

    QMainWindow& fWindow;
};

QMenu* MenuOf(QWidget* Parent, const char* Name, const char* Title, const TMenuFiller& Filler,
              std::initializer_list<const char*> Names)
{
    QMenu* Menu = TMenuFiller::SubMenu(Parent, Name, Title);
    Filler.Add(Menu, Names);
    return Menu;
}

// A menu item of its own (its caption is translated with the menus') that
// runs Command and shows its check and enabled state.
void AddMirrorItem(QMenu* Menu, const char* Name, QAction* Command)
{
    auto* Item = new QAction(Command->icon(), Command->text(), Menu);
    Item->setObjectName(QString::fromLatin1(Name));
    Item->setCheckable(Command->isCheckable());
    const auto Follow = [Item, Command] {
        Item->setChecked(Command->isChecked());
        Item->setEnabled(Command->isEnabled());
    };
    Follow();
    QObject::connect(Command, &QAction::changed, Item, Follow);
    QObject::connect(Item, &QAction::triggered, Command, [Command, Follow] {
        Follow();
        Command->trigger();
    });
    Menu->addAction(Item);
}

void BuildMainMenu(QMainWindow& Window, const TMenuFiller& F)
{
    QMenuBar* Bar = Window.menuBar();
    Bar->setObjectName(QStringLiteral("MainMenu"));
    Bar->addMenu(MenuOf(Bar, "mmFile", "Файл", F,
                        {"acNewChart", "acCloseChart", "-", "acLogin", "-", "acMultiAdd",
                         "acMultiDel", "-", "acQuit"}));

    QMenu* View = TMenuFiller::SubMenu(Bar, "mmView", "Вид");
    View->addMenu(MenuOf(View, "mmToolBar", "Панель инструментов", F,
                         {"acChartInterval", "acCharts", "acStandart", "acInstruments"}));
    F.Add(View, {"acStatusBar", "acChartPages", "-", "acNoZeroBalance"});
    Bar->addMenu(View);

    QMenu* Insert = TMenuFiller::SubMenu(Bar, "mmInsert", "Вставка");
    QMenu* Indicator = TMenuFiller::SubMenu(Insert, "mmIndicator", "Индикаторы", "indicator-ma");
    F.Add(Indicator, cIndicators);
    Insert->addMenu(Indicator);
    Insert->addSeparator();
    F.Add(Insert, cDrawingTools);
    Bar->addMenu(Insert);

    QMenu* Graphics = TMenuFiller::SubMenu(Bar, "mmGraphics", "Графики");
    F.Add(Graphics, cChartTypes);
    Graphics->addSeparator();
    QMenu* Period = TMenuFiller::SubMenu(Graphics, "mmPeriod", "Период графика", "clock");
    F.Add(Period, cIntervals);
    Graphics->addMenu(Period);
    Graphics->addSeparator();
    Graphics->addMenu(F.TemplateMenu(Graphics, "mmiTemplate", "Шаблон", "mmiTemplateDelete"));
    Graphics->addSeparator();
    F.Add(Graphics, {"acZoomIn", "acZoomOut"});
    Bar->addMenu(Graphics);

    Bar->addMenu(
        MenuOf(Bar, "mmService", "Сервис", F, {"acNewOrder", "acOrderDelete", "-", "acMulti"}));
    QMenu* Windows =
        MenuOf(Bar, "mmWindows", "Окно", F, {"acMarketView", "acNavigate", "acTerminal"});
    AddMirrorItem(Windows, "mmMarketDepth", F.Find("acMarketDepth"));
    F.Add(Windows, {"acVolumeMonitor", "-", "acBuy", "acSell"});
    Bar->addMenu(Windows);

    QMenu* Help = TMenuFiller::SubMenu(Bar, "mmHelp", "Справка");
    auto* UserManual =
        new QAction(PictureIcon("manual"), QStringLiteral("Руководство пользователя"), Help);
    UserManual->setObjectName(QStringLiteral("mmUserManual"));
    Help->addAction(UserManual);
    F.Add(Help, {"acAbout"});
    Bar->addMenu(Help);
}

QToolBar* CreateToolbar(QMainWindow& Window, const char* Name, const char* Caption)
{
    auto* Bar = new QToolBar(QString::fromUtf8(Caption), &Window);
    Bar->setObjectName(QString::fromLatin1(Name));
    // The compact bars of a trading terminal: pictures of the menus' size.
    Bar->setIconSize(QSize(16, 16));
    Window.addToolBar(Qt::TopToolBarArea, Bar);
    return Bar;
}

void AddMenuButton(QToolBar* Bar, QMenu* Menu)
{
    auto* Button = new QToolButton(Bar);
    Button->setText(Menu->title());
    Button->setIcon(Menu->icon());
    Button->setToolTip(Menu->title());
    Button->setMenu(Menu);
    Button->setPopupMode(QToolButton::InstantPopup);
    // As the bar's own buttons: a click leaves the focus, and so the
    // selected chart, where it was.
    Button->setFocusPolicy(Qt::NoFocus);
    Bar->addWidget(Button);
}

void BuildToolbars(QMainWindow& Window, const TMenuFiller& F, TMainControls& C)
{
    C.tbIntervals = CreateToolbar(Window, "tbIntervals", "Период графика");
    F.Add(C.tbIntervals, cIntervals);

    C.tbCharts = CreateToolbar(Window, "tbCharts", "Стили");
    F.Add(C.tbCharts, {"acStick", "acBar", "acLine", "-", "acZoomIn", "acZoomOut", "-", "acMozaic",
                       "acAutoScroll", "acShiftToEnd"});
    QMenu* Indicators =
        TMenuFiller::SubMenu(C.tbCharts, "tbiIndicators", "Список индикаторов", "indicator-ma");
    F.Add(Indicators, cIndicators);
    AddMenuButton(C.tbCharts, Indicators);
    QMenu* Periods = TMenuFiller::SubMenu(C.tbCharts, "tbiPeriods", "Периоды", "clock");
    F.Add(Periods, cIntervals);
    AddMenuButton(C.tbCharts, Periods);
    AddMenuButton(C.tbCharts,
                  F.TemplateMenu(C.tbCharts, "tbiTemplate", "Шаблоны", "tbiTemplateDelete"));

    C.tbStandart = CreateToolbar(Window, "tbStandart", "Стандартная");
    auto* NewChart = new QToolButton(C.tbStandart);
    NewChart->setObjectName(QStringLiteral("tbiNewChart"));
    NewChart->setDefaultAction(F.Find("acNewChart"));
    NewChart->setToolTip(QStringLiteral("Новый график"));
    C.tbiNewChartPopup = TMenuFiller::SubMenu(NewChart, "tbiNewChartPopup", "");
    NewChart->setMenu(C.tbiNewChartPopup);
    NewChart->setPopupMode(QToolButton::MenuButtonPopup);
    NewChart->setFocusPolicy(Qt::NoFocus);
    C.tbStandart->addWidget(NewChart);
    F.Add(C.tbStandart, {"-", "acNewOrder", "acOrderDelete", "-", "acTerminal"});

    C.tbInstruments = CreateToolbar(Window, "tbInstruments", "Графические инструменты");
    F.Add(C.tbInstruments, cDrawingTools);
}

void BuildPopups(const TMenuFiller& F, QMainWindow& Window, TMainControls& C)
{
    C.ppmChart = TMenuFiller::SubMenu(&Window, "ppmChart", "");
    F.Add(C.ppmChart, {"acNewOrder", "-"});
    QMenu* Period = TMenuFiller::SubMenu(C.ppmChart, "pmiPeriod", "Период графика", "clock");
    F.Add(Period, cIntervals);
    C.ppmChart->addMenu(Period);
    C.ppmChart->addSeparator();
    C.ppmChart->addMenu(F.TemplateMenu(C.ppmChart, "pmiTemplate", "Шаблон", "pmiTemplateDelete"));
    C.ppmChart->addSeparator();
    F.Add(C.ppmChart,
          {"acZoomIn", "acZoomOut", "-", "acStick", "acBar", "acLine", "-", "acChartSettings"});

    C.ppIndicator =
        MenuOf(&Window, "ppIndicator", "", F, {"acIndicatorSettings", "acIndicatorDelete"});
    C.ppmSymbols = TMenuFiller::SubMenu(&Window, "ppmSymbols", "");
    // A "New Order" of its own: for the row the menu opens on, where the
    // command is for the selected chart.
    auto* NewOrder =
        new QAction(PictureIcon("order-new"), QStringLiteral("Новый ордер"), C.ppmSymbols);
    NewOrder->setObjectName(QStringLiteral("miNewOrder"));
    C.ppmSymbols->addAction(NewOrder);
    F.Add(C.ppmSymbols, {"acNewChart", "acTickChart", "acMarketDepthEx", "acSpecification", "-",
                         "acDeleteSymbol", "acHideSymbols", "acShowSymbol"});
    // The saved groups are listed after the first three items when it opens.
    C.miSymbolSet = MenuOf(C.ppmSymbols, "miSymbolSet", "Набор символов", F, {"acSaveSymbolGroup"});
    C.miSetDelete = TMenuFiller::SubMenu(C.miSymbolSet, "miSetDelete", "Удалить", "delete");
    C.miSymbolSet->addMenu(C.miSetDelete);
    C.miSymbolSet->addSeparator();
    C.ppmSymbols->addMenu(C.miSymbolSet);
    F.Add(C.ppmSymbols,
          {"-", "acMDSpred", "acMDMaxMin", "acMDTime", "acMDColAutoSize", "acMDGrid"});
    C.ppmOrders = MenuOf(&Window, "ppmOrders", "", F, {"acNewOrder", "acOrderDelete"});
    C.ppmBalance = MenuOf(&Window, "ppmBalance", "", F, {"acNoZeroBalance"});
    C.ppmMultiAccount = MenuOf(&Window, "ppmMultiAccount", "", F, {"acMultiAdd", "acMultiDel"});
    C.ppTab = MenuOf(&Window, "ppTab", "", F,
                     {"acChartClose", "-", "acChartMaximize", "acChartMinimize", "acChartRestore",
                      "-", "acMozaic"});
}

} // namespace

void CheckRadio(const std::vector<QAction*>& Group, const QAction* Checked)
{
    for (QAction* Action : Group)
        Action->setChecked(Action == Checked);
}

void RemoveMenuItemsAfter(QMenu* Menu, int Kept)
{
    const QList<QAction*> Items = Menu->actions();
    for (int Index = Kept; Index < Items.size(); ++Index) {
        Menu->removeAction(Items[Index]);
        if (Items[Index]->parent() == Menu)
            delete Items[Index];
    }
}

void BuildMainActions(QMainWindow& Window, TMainControls& C)
{
    TMainActions& A = C.Actions;
    for (const TActionSpec& Spec : cActions)
        A.Actions.push_back(CreateAction(Window, Spec));
    for (const TActionSpec& Spec : cActionFull)
        A.actionFull.push_back(CreateAction(Window, Spec));

    TMenuFiller F(Window);
    BuildMainMenu(Window, F);
    BuildToolbars(Window, F, C);
    BuildPopups(F, Window, C);

    A.acChartInterval = F.Find("acChartInterval");
    A.acCharts = F.Find("acCharts");
    A.acStandart = F.Find("acStandart");
    A.acInstruments = F.Find("acInstruments");
    A.acMarketView = F.Find("acMarketView");
    A.acNavigate = F.Find("acNavigate");
    A.acTerminal = F.Find("acTerminal");
    A.acMarketDepth = F.Find("acMarketDepth");
    A.acVolumeMonitor = F.Find("acVolumeMonitor");
    A.acNoZeroBalance = F.Find("acNoZeroBalance");
    A.acStatusBar = F.Find("acStatusBar");
    A.acOrderDelete = F.Find("acOrderDelete");
    A.acLogin = F.Find("acLogin");
    A.acMultiAdd = F.Find("acMultiAdd");
    A.acMultiDel = F.Find("acMultiDel");
    A.acMulti = F.Find("acMulti");
    A.acDeleteSymbol = F.Find("acDeleteSymbol");
    A.acHideSymbols = F.Find("acHideSymbols");
    A.acShowSymbol = F.Find("acShowSymbol");
    A.acMDMaxMin = F.Find("acMDMaxMin");
    A.acMDTime = F.Find("acMDTime");
    A.acMDGrid = F.Find("acMDGrid");
    A.acMDSpred = F.Find("acMDSpred");
    A.acMDColAutoSize = F.Find("acMDColAutoSize");
    for (const char* Name : cIntervals)
        A.Intervals.push_back(F.Find(Name));
    A.acBuy = F.Find("acBuy");
    A.acSell = F.Find("acSell");
    A.acStick = F.Find("acStick");
    A.acBar = F.Find("acBar");
    A.acLine = F.Find("acLine");
}
