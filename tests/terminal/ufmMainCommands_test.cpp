#include "terminal/fmMain/ufmMain.h"

#include "controls/uMdiWindow.h"
#include "domain/uFolders.h"
#include "domain/uSymbolShowList.h"
#include "terminal/MainWindowFixture.h"

#include "platform/qt/VirtualStringTree.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <filesystem>
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
            "acMDGrid acTemplateSelect acTemplateDelete ";
        return Names.find(" " + Action->objectName().toStdString() + " ") != std::string::npos;
    };
    for (const QAction* Action : C.Actions.Actions)
        EXPECT_EQ(Action->icon().pixmap(16).isNull(), Plain(Action))
            << Action->objectName().toStdString();
    for (const QAction* Action : C.Actions.actionFull)
        EXPECT_FALSE(Action->icon().pixmap(11).isNull());
    EXPECT_FALSE(Window->windowIcon().isNull());
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
        QContextMenuEvent Click(QContextMenuEvent::Mouse, {5, Grid->rowViewportPosition(2) + 2});
        QCoreApplication::sendEvent(Grid->viewport(), &Click);
        EXPECT_EQ(Selected, 2) << Grid->objectName().toStdString();
        Menu->close();
        QObject::disconnect(Opening);
    }
}

TEST_F(MainCommands, APanelShownAgainDocksAtItsPlaceAndTheStatusBarToggles)
{
    const TMainControls& C = Window->Controls();
    C.dpMarketDepth->show();
    C.dpMarketDepth->setFloating(true);
    C.Actions.acMarketDepth->trigger();
    EXPECT_TRUE(C.dpMarketDepth->isHidden());
    EXPECT_FALSE(C.Actions.acMarketDepth->isChecked());
    C.Actions.acMarketDepth->trigger();
    EXPECT_FALSE(C.dpMarketDepth->isHidden());
    EXPECT_TRUE(C.Actions.acMarketDepth->isChecked());
    EXPECT_FALSE(C.dpMarketDepth->isFloating());
    EXPECT_EQ(Window->dockWidgetArea(C.dpMarketDepth), Qt::LeftDockWidgetArea);

    const bool Shown = !C.panStatus->isHidden();
    C.Actions.acStatusBar->trigger();
    EXPECT_EQ(C.panStatus->isHidden(), Shown);
    EXPECT_EQ(C.Actions.acStatusBar->isChecked(), !Shown);
}

TEST_F(MainCommands, ChartCommandsFollowTheSelectedChart)
{
    const TMainControls& C = Window->Controls();
    Window->RefreshActiveWindow();
    for (const char* Name :
         {"acM1", "acH1", "acStick", "acZoomIn", "acIndicatorMA", "acAutoScroll"})
        EXPECT_FALSE(Action(Name)->isEnabled()) << Name;

    TChartItem& Chart = ChartList.Selected("ETHBTC", h1);
    Window->RefreshActiveWindow();
    EXPECT_TRUE(Action("acH1")->isEnabled() && Action("acH1")->isChecked());
    EXPECT_TRUE(Action("acIndicatorMA")->isEnabled());
    EXPECT_EQ(Window->ChartInterval(), h1);

    Chart.SetInterval(m3);
    Window->RefreshIntervals();
    EXPECT_TRUE(Action("acH1")->isChecked()) << "no button for three minutes: the check stays";
    EXPECT_EQ(C.Actions.Intervals.size(), 10u);
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

TEST_F(MainCommands, SymbolGroupsAreListedWhenTheMenuOpensAndDeletedFromIt)
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
}

} // namespace
