#include "terminal/fmMain/ufmMain.h"

#include "controls/MouseDriver.h"
#include "controls/uMdiWindow.h"
#include "domain/uFolders.h"
#include "domain/uSymbolShowList.h"
#include "terminal/DialogDriver.h"
#include "terminal/MainWindowFixture.h"
#include "terminal/charts/uChartTemplates.h"
#include "terminal/charts/uChartTiling.h"
#include "terminal/charts/uIndicators.h"
#include "terminal/dlgOrder/udlgOrder.h"

#include "platform/qt/VirtualStringTree.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QMenu>
#include <QStatusBar>
#include <QTabBar>
#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>

namespace {

class MainCommands : public TMainWindowTest {
protected:
    MainCommands() { Open(); }

    QAction* Action(const char* Name) const { return Find<QAction>(Name); }
    static std::vector<std::string> Captions(const QMenu* Menu)
    {
        std::vector<std::string> Texts;
        for (const QAction* Item : Menu->actions())
            Texts.push_back(Item->text().toStdString());
        return Texts;
    }
    static std::vector<std::string> Names(const QMenu* Menu)
    {
        std::vector<std::string> Items;
        for (const QAction* Item : Menu->actions())
            Items.push_back(Item->objectName().toStdString());
        return Items;
    }
};

// Every command shows its picture, but the intervals (their names) and the
// switches whose check marks the menus show.
TEST_F(MainCommands, EveryCommandShowsItsPictureButTheIntervalsAndTheSwitches)
{
    const TMainControls& C = Window->Controls();
    const auto Plain = [](const QAction* Action) {
        static const std::string Names =
            " acM1 acM5 acM15 acM30 acH1 acH4 acH6 acD1 acW1 acMN acMulti acNoZeroBalance "
            "acChartInterval acCharts acStandart acInstruments acStatusBar acMDMaxMin acMDTime "
            "acMDGrid acMDSpred acMDColAutoSize acTemplateSelect acTemplateDelete ";
        return Names.find(" " + Action->objectName().toStdString() + " ") != std::string::npos;
    };
    for (const QAction* Action : C.Actions.Actions)
        EXPECT_EQ(Action->icon().pixmap(16).isNull(), Plain(Action))
            << Action->objectName().toStdString();
    for (const QAction* Action : C.Actions.actionFull)
        EXPECT_FALSE(Action->icon().pixmap(11).isNull());
    EXPECT_FALSE(Window->windowIcon().isNull());
}

// A command the terminal has nothing to do with is shown greyed, never as
// one a click would carry out; a chart selected changes nothing there.
TEST_F(MainCommands, CommandsWithoutAnEffectAreNeverEnabled)
{
    Window->RefreshActiveWindow();
    for (const char* Name : {"acVertLine", "acHorisontLine", "acTrendLine", "acDrawText", "acSigns",
                             "acTickChart", "acSpecification"})
        EXPECT_FALSE(Action(Name)->isEnabled()) << Name;
}

// After every click a checkable command shows its model's state: a switch
// changes once per click, a command without an effect keeps its check.
TEST_F(MainCommands, ChecksFollowTheModelOncePerClick)
{
    const TMainControls& C = Window->Controls();
    const TMainActions& A = C.Actions;
    const auto Shown = [](const QWidget* W) {
        return std::function([W] { return !W->isHidden(); });
    };
    A.acInstruments->setChecked(true);
    const std::tuple<QAction*, std::function<bool()>, bool> Cases[] = {
        {A.acMarketView, Shown(C.dpMarketView), true},
        {A.acStatusBar, Shown(C.panStatus), true},
        {A.acNoZeroBalance, [] { return User->Input().NoZeroBalance(); }, true},
        {A.acMDMaxMin, [&C] { return C.vstSymbols->ColumnVisible(3); }, true},
        {A.acMDSpred, [&C] { return C.vstSymbols->ColumnVisible(8); }, true},
        {A.acMDColAutoSize,
         [&C] {
             return C.vstSymbols->horizontalHeader()->sectionResizeMode(0) != QHeaderView::Stretch;
         },
         true},
        {A.acInstruments, [] { return true; }, false},
    };
    for (const auto& [Action, Model, Flips] : Cases)
        for (int Click = 0; Click < 2; ++Click) {
            const bool Before = Model();
            Action->setEnabled(true);
            Action->trigger();
            EXPECT_EQ(Model(), Flips != Before) << Action->objectName().toStdString();
            EXPECT_EQ(Action->isChecked(), Model()) << Action->objectName().toStdString();
        }
}

// The grids' menus act on the row clicked, not on the one selected before.
TEST_F(MainCommands, GridMenusOpenOnTheRowClicked)
{
    const TMainControls& C = Window->Controls();
    for (int Row = 0; Row < 3; ++Row) {
        Profile->MainProfile().UserOrderList().Add();
        Profile->MainProfile().BalanceList().Add();
        Profile->Connections().Add();
    }
    Window->RefreshOrderListData();
    Window->RefreshBalanceUI();
    Window->RefreshMultiAccount();
    const std::tuple<TVirtualStringTree*, QMenu*, std::vector<std::string>> Cases[] = {
        {C.vstOrders, C.ppmOrders, {"acNewOrder", "acOrderDelete"}},
        {C.vstBalances, C.ppmBalance, {"acNoZeroBalance"}},
        {C.vstMulti, C.ppmMultiAccount, {"acMultiAdd", "acMultiDel"}},
    };
    for (const auto& [Grid, Menu, Items] : Cases) {
        EXPECT_EQ(Names(Menu), Items);
        Grid->SelectRow(0);
        int Selected = -1;
        const auto Opening = QObject::connect(
            Menu, &QMenu::aboutToShow, [&, Grid = Grid] { Selected = Grid->FirstSelected(); });
        const QPoint At(5, Grid->rowViewportPosition(2) + 2);
        QContextMenuEvent Click(QContextMenuEvent::Mouse, At, Grid->viewport()->mapToGlobal(At));
        QCoreApplication::sendEvent(Grid->viewport(), &Click);
        EXPECT_EQ(Selected, 2) << Grid->objectName().toStdString();
        Menu->close();
        QObject::disconnect(Opening);
    }
}

TEST_F(MainCommands, APanelShownAgainDocksAtItsPlace)
{
    const TMainControls& C = Window->Controls();
    C.dpMarketDepth->show();
    C.dpMarketDepth->setFloating(true);
    C.Actions.acMarketDepth->trigger();
    C.Actions.acMarketDepth->trigger();
    EXPECT_FALSE(C.dpMarketDepth->isHidden());
    EXPECT_FALSE(C.dpMarketDepth->isFloating());
    EXPECT_EQ(Window->dockWidgetArea(C.dpMarketDepth), Qt::LeftDockWidgetArea);
}

// The Window menu's order-book item is one of its own: it shows and hides the
// panel as the command does, follows its check and is translated.
TEST_F(MainCommands, WindowMenusOrderBookItem)
{
    const TMainControls& C = Window->Controls();
    auto* Item = Window->findChild<QAction*>(QStringLiteral("mmMarketDepth"));
    ASSERT_NE(Item, nullptr);
    auto* Windows = Window->findChild<QMenu*>(QStringLiteral("mmWindows"));
    EXPECT_TRUE(Windows->actions().contains(Item));
    EXPECT_FALSE(Windows->actions().contains(C.Actions.acMarketDepth));
    EXPECT_EQ(Item->text(), QStringLiteral("Стакан цен"));
    const bool Shown = !C.dpMarketDepth->isHidden();
    EXPECT_EQ(Item->isChecked(), Shown);
    Item->trigger();
    EXPECT_EQ(C.dpMarketDepth->isHidden(), Shown);
    EXPECT_EQ(C.Actions.acMarketDepth->isChecked(), !Shown);
    EXPECT_EQ(Item->isChecked(), !Shown);
    C.Actions.acMarketDepth->trigger();
    EXPECT_EQ(Item->isChecked(), Shown);

    TTranslatorScope English("English", Home.ConfigHome() / "Quorvel" / "Tavrix");
    Window->TranslateForm();
    EXPECT_EQ(Item->text(), QStringLiteral("Depth of Market"));
}

// The new chart shows the market watch's symbol in an active window, and the
// layout holds it at once.
TEST_F(MainCommands, NewChartOpensTheMarketWatchsSymbolAndWritesTheLayout)
{
    User->SymbolShowList().ReloadSymbols({{"ETHBTC"}, {"LTCBTC"}});
    Window->RefreshSymbolList();
    Window->Controls().vstSymbols->SelectRow(1);
    Action("acNewChart")->trigger();
    ASSERT_EQ(ChartList.Count(), 1);
    EXPECT_EQ(ChartList.Items(0).Symbol(), "LTCBTC");
    EXPECT_EQ(ChartList.GetSelected(), &ChartList.Items(0));
    EXPECT_EQ(ChartList.Items(0).Window()->parentWidget(), Window->Controls().pnlClient);
    EXPECT_EQ(Steps.back(), "ChartList.Save");
    EXPECT_TRUE(std::filesystem::exists(TChartList::GetFileName()));
}

// "New Order" in the open orders' popup works while a chart is open, also
// with the focus in the terminal panel, for the last chart selected.
TEST_F(MainCommands, NewOrderFromTheOrdersPopupIsForTheLastSelectedChart)
{
    const TMainControls& C = Window->Controls();
    std::vector<std::string> Ordered;
    ChartList.Dialogs().ExecuteOrder = [&](const std::string& Symbol) {
        Ordered.push_back(Symbol);
        return false;
    };
    emit C.ppmOrders->aboutToShow();
    EXPECT_FALSE(Action("acNewOrder")->isEnabled()) << "no chart";
    User->SymbolShowList().ReloadSymbols({{"ETHBTC"}, {"LTCBTC"}});
    Window->RefreshSymbolList();
    for (const int Row : {0, 1}) {
        C.vstSymbols->SelectRow(Row);
        Action("acNewChart")->trigger();
    }
    C.dpTerminal->show();
    C.vstOrders->setFocus();
    emit C.ppmOrders->aboutToShow();
    ASSERT_TRUE(Action("acNewOrder")->isEnabled());
    Action("acNewOrder")->trigger();
    EXPECT_EQ(Ordered, std::vector<std::string>{"LTCBTC"});
}

// "New Order" in the market watch's menu is for the row it opens on, also
// while a chart of another symbol is selected.
TEST_F(MainCommands, NewOrderFromTheWatchIsForTheRowClicked)
{
    const TMainControls& C = Window->Controls();
    User->SymbolShowList().ReloadSymbols({{"ETHBTC"}, {"LTCBTC"}});
    Window->RefreshSymbolList();
    C.vstSymbols->SelectRow(1);
    Action("acNewChart")->trigger();
    C.vstSymbols->SelectRow(0);
    emit C.ppmSymbols->aboutToShow();
    QAction* NewOrder = C.ppmSymbols->actions().front();
    EXPECT_TRUE(NewOrder->isEnabled());
    std::string Shown;
    DriveModal<bool>(
        [&](QDialog& Dialog) {
            Shown = dynamic_cast<TdlgOrder&>(Dialog).SelectedSymbol();
            Dialog.reject();
        },
        [&] {
            NewOrder->trigger();
            return true;
        });
    EXPECT_EQ(Shown, "ETHBTC");
}

TEST_F(MainCommands, SymbolGroupsAndTheNewChartDropDownListWhatExistsWhenTheyOpen)
{
    User->SymbolShowList().ReloadSymbols({{"ETHBTC"}, {"LTCBTC"}});
    const std::filesystem::path Groups = User->SymbolShowList().DoNotifyFolders();
    std::filesystem::create_directories(Groups);
    User->SymbolShowList().SaveToFile((Groups / "majors").string());

    const TMainControls& C = Window->Controls();
    for (int Opened = 0; Opened < 2; ++Opened)
        emit C.ppmSymbols->aboutToShow();
    EXPECT_EQ(Captions(C.miSymbolSet).back(), "majors");
    EXPECT_EQ(C.miSymbolSet->actions().size(), 4) << "listed once however often it opens";
    ASSERT_EQ(Captions(C.miSetDelete), std::vector<std::string>{"majors"});
    C.miSetDelete->actions().front()->trigger();
    EXPECT_FALSE(std::filesystem::exists(Groups / "majors"));

    emit C.tbiNewChartPopup->aboutToShow();
    EXPECT_EQ(Captions(C.tbiNewChartPopup), (std::vector<std::string>{"ETHBTC", "LTCBTC"}));
    C.tbiNewChartPopup->actions()[1]->trigger();
    ASSERT_EQ(ChartList.Count(), 1);
    EXPECT_EQ(ChartList.Items(0).Symbol(), "LTCBTC");
}

} // namespace

namespace {

template <class TInfo> bool LastIndicatorIs(const TChartItem& Chart, int Count)
{
    const TIndicatorList& List = Chart.IndicatorList();
    return List.Count() == Count && dynamic_cast<TInfo*>(&List.Items(Count - 1).Info());
}

// With one chart selected every chart command is enabled and reaches the
// chart, its new state shown at once; once the chart is closed they are off.
TEST_F(MainCommands, EveryChartCommandReachesTheSelectedChartAndNoneIsOnWithout)
{
    std::string Dialog;
    ChartList.Dialogs() = {
        [&](TBaseIndicatorInfo&) { return Dialog = "indicator", true; },
        [&](const TKlineList&, TChartSettingsInfo&) { return Dialog = "settings", false; },
        [&](const std::string& Symbol) { return Dialog = "order " + Symbol, false; }};
    TChartItem& Chart = ChartList.Selected("ETHBTC", m3);
    const TChartSettingsInfo& S = Chart.ChartSettings();
    const TZoom Zoom = S.Zoom();
    const auto Checked = [this](const char* Name) { return Action(Name)->isChecked(); };
    Action("acH1")->setChecked(true);
    Window->RefreshActiveWindow();
    Window->RefreshTabs();
    EXPECT_TRUE(Checked("acH1")) << "three minutes have no button: the check stays";
    // The chart's symbol listed second, the order book hidden.
    const auto ShowMarketWatch = [&] {
        User->SymbolShowList().ReloadSymbols({{"LTCBTC"}, {"ETHBTC"}});
        Window->RefreshSymbolList();
        Window->Controls().vstSymbols->SelectRow(0);
        Window->Controls().dpMarketDepth->hide();
        Action("acMarketDepth")->setChecked(false);
    };
    const auto DoubleClickIndicator = [&] {
        TIndicatorList& List = Chart.IndicatorList();
        List.OnSeriesDblClick(&List.Items(0).GetSeries(0), 0, mbLeft, {}, 5, 5);
        Window->Controls().ppIndicator->close();
    };
    const std::tuple<const char*, std::function<void()>, std::function<bool()>> Cases[] = {
        {"acM5",
         {},
         [&] {
             return Chart.Interval() == m5 && Checked("acM5") && !Checked("acH1") &&
                    Window->ChartInterval() == m5;
         }},
        {"acLine", {}, [&] { return S.ChartType() == ctLine && Checked("acLine"); }},
        {"acStick", {}, [&] { return S.ChartType() == ctCandle && !Checked("acLine"); }},
        {"acZoomOut", {}, [&] { return S.Zoom() == Zoom + 1; }},
        {"acZoomIn", {}, [&] { return S.Zoom() == Zoom; }},
        {"acAutoScroll", {}, [&] { return S.ChartAutoMove() && Checked("acAutoScroll"); }},
        {"acShiftToEnd", {}, [&] { return S.ChartShift() && Checked("acShiftToEnd"); }},
        {"acChartSettings", {}, [&] { return Dialog == "settings"; }},
        {"acNewOrder", {}, [&] { return Dialog == "order ETHBTC"; }},
        {"acIndicatorMA", {}, [&] { return LastIndicatorIs<TMaIndicatorInfo>(Chart, 1); }},
        {"acIndicatorBollinger",
         {},
         [&] { return LastIndicatorIs<TBollingerIndicatorInfo>(Chart, 2); }},
        {"acIndicatorFractal",
         {},
         [&] { return LastIndicatorIs<TFractalIndicatorInfo>(Chart, 3); }},
        {"acIndicatorZigZag", {}, [&] { return LastIndicatorIs<TZigZagIndicatorInfo>(Chart, 4); }},
        {"acIndicatorSettings", [&] { DoubleClickIndicator(), Dialog.clear(); },
         [&] { return Dialog == "indicator"; }},
        {"acIndicatorDelete", DoubleClickIndicator,
         [&] { return Chart.IndicatorList().Count() == 3; }},
        {"acChartPages",
         {},
         [&] { return Window->Controls().tabCharts->tabText(0) == QStringLiteral("ETHBTC, M5"); }},
        {"acMozaic",
         {},
         [&] {
             const QWidget* Host = Window->Controls().pnlClient;
             const TRect Cell = MozaicBounds(1, Host->width(), Host->height())[0];
             return Chart.Window()->width() == Cell.Width() && Cell.Width() > Host->width() - 10;
         }},
        {"acChartMinimize", {}, [&] { return Chart.Window()->State() == wsMinimized; }},
        {"acChartMaximize", {}, [&] { return Chart.Window()->State() == wsNormal; }},
        {"acChartRestore", [&] { ChartList.Maximize(wsMaximized); },
         [&] { return Chart.Window()->State() == wsNormal && !ChartList.FullMode(); }},
        {"acMarketDepthEx", ShowMarketWatch,
         [&] {
             const TMainControls& C = Window->Controls();
             return !C.dpMarketDepth->isHidden() && Checked("acMarketDepth") &&
                    C.vstSymbols->FirstSelected() == 1;
         }},
        {"acChartClose", {}, [&] { return ChartList.Count() == 0; }},
        {"acCloseChart",
         [&] {
             ChartList.Selected("BTCUSDT");
             Window->RefreshActiveWindow();
         },
         [&] { return ChartList.Count() == 0; }},
    };
    for (const auto& [Name, Before, Reached] : Cases) {
        if (Before)
            Before();
        EXPECT_TRUE(Action(Name)->isEnabled()) << Name;
        Action(Name)->trigger();
        EXPECT_TRUE(Reached()) << Name;
    }
    for (const auto& [Name, Before, Reached] : Cases)
        EXPECT_EQ(Action(Name)->isEnabled(), std::string_view(Name) == "acChartPages") << Name;
    for (const char* Name : {"acM1", "acBar", "acTemplateSave"})
        EXPECT_FALSE(Action(Name)->isEnabled()) << Name;
}

// The focus in a docked panel keeps the last active chart selected for
// the chart commands; closing it by its window's button selects the next
// chart, and with none left the commands are off at once.
TEST_F(MainCommands, TheChartStaysSelectedWhileAPanelHasTheFocus)
{
    QApplication::setActiveWindow(Window.get());
    TChartItem& First = ChartList.Selected("ETHBTC");
    TChartItem& Second = ChartList.Selected("LTCBTC");
    Second.Chart()->Host()->setFocus();
    Window->Controls().vstSymbols->setFocus();
    ASSERT_TRUE(Window->Controls().vstSymbols->hasFocus());
    EXPECT_EQ(ChartList.GetSelected(), &Second);
    Window->RefreshActiveWindow();
    EXPECT_TRUE(Action("acNewOrder")->isEnabled());
    EXPECT_TRUE(Action("acCloseChart")->isEnabled());

    TMouseDriver(Second.Window()->Button(btClose)).Press({5, 5});
    EXPECT_EQ(ChartList.GetSelected(), &First) << "the next chart";
    TMouseDriver(First.Window()->Button(btClose)).Press({5, 5});
    EXPECT_EQ(ChartList.GetSelected(), nullptr);
    for (const char* Name : {"acNewOrder", "acCloseChart", "acZoomIn", "acChartSettings"})
        EXPECT_FALSE(Action(Name)->isEnabled()) << Name;
}

// Each zoom command tells where it leads, translated, or that it cannot.
TEST_F(MainCommands, ZoomHintsAtTheFirstMiddleAndLastLevel)
{
    TTranslatorScope English("English", Home.ConfigHome() / "Quorvel" / "Tavrix");
    TChartItem& Chart = ChartList.Selected("ETHBTC");
    const std::tuple<TZoom, const char*, const char*> Cases[] = {
        {z0, "Zoom in is not available", "Decrease 400%"},
        {z2, "Increase 400%", "Decrease 100%"},
        {z5, "Increase 50%", "Zoom out is not available"},
    };
    for (const auto& [Zoom, InHint, OutHint] : Cases) {
        Chart.ChartSettings().SetZoom(Zoom);
        Window->RefreshZoom();
        EXPECT_EQ(Action("acZoomIn")->isEnabled(), Zoom != z0);
        EXPECT_EQ(Action("acZoomIn")->toolTip().toStdString(), InHint);
        EXPECT_EQ(Action("acZoomOut")->isEnabled(), Zoom != z5);
        EXPECT_EQ(Action("acZoomOut")->toolTip().toStdString(), OutHint);
    }
}

// The tabs name each chart's symbol and interval in list order; a tab whose
// chart has closed since acts on no other chart.
TEST_F(MainCommands, ChartTabsFollowTheChartsAndAStaleTabClosesNothing)
{
    ChartList.Selected("S1", h1);
    ChartList.Selected("S2", m5);
    ChartList.SetTabsVisible(true);
    const QTabBar* Tabs = Window->Controls().tabCharts;
    ASSERT_EQ(Tabs->count(), 2);
    EXPECT_EQ(Tabs->tabText(0), QStringLiteral("S1, H1"));
    EXPECT_EQ(Tabs->tabText(1), QStringLiteral("S2, M5"));
    EXPECT_EQ(Tabs->currentIndex(), 1) << "the selected chart's tab";

    Window->Unsubscribe(&ChartList.Publisher(), 0);
    ChartList.Delete(&ChartList.Items(0));
    Window->Subscribe(&ChartList.Publisher(), 0);
    ASSERT_EQ(Tabs->count(), 2);
    Window->Controls().tabCharts->setCurrentIndex(0);
    Action("acChartClose")->trigger();
    ASSERT_EQ(ChartList.Count(), 1);
    EXPECT_EQ(ChartList.Items(0).Symbol(), "S2");
    EXPECT_EQ(Tabs->count(), 1) << "the tabs are rebuilt after the command";
}

// Each opening lists the templates afresh after the fixed items, without
// their final ".tpl" only: "week.tpl.tpl" is the template "week.tpl".
TEST_F(MainCommands, TemplateMenusKeepTheirFixedItemsAndListNamesWithoutTheExtension)
{
    TChartTemplates Templates;
    ChartTemplates = &Templates;
    const std::filesystem::path Folder = Templates.DoNotifyFolders();
    for (const char* Name : {"day.tpl", "week.tpl.tpl"})
        std::ofstream(Folder / Name) << "{}";
    for (const char* Name : {"mmiTemplate", "tbiTemplate", "pmiTemplate"}) {
        QMenu* Menu = Find<QMenu>(Name);
        for (int Opened = 0; Opened < 2; ++Opened)
            emit Menu->aboutToShow();
        const std::vector<std::string> Items = Captions(Menu);
        ASSERT_EQ(Items.size(), 5u) << Name;
        EXPECT_EQ(Names(Menu)[0], "acTemplateSave");
        EXPECT_EQ(std::vector(Items.begin() + 3, Items.end()),
                  (std::vector<std::string>{"day", "week.tpl"}));
        EXPECT_EQ(Captions(Menu->actions()[1]->menu()),
                  (std::vector<std::string>{"day", "week.tpl"}));
    }
    Find<QMenu>("mmiTemplateDelete")->actions()[1]->trigger();
    EXPECT_FALSE(std::filesystem::exists(Folder / "week.tpl.tpl"));
    Find<QMenu>("mmiTemplateDelete")->actions()[0]->trigger();
    EXPECT_FALSE(std::filesystem::exists(Folder / "day.tpl"));
    ChartTemplates = nullptr;
}

} // namespace
