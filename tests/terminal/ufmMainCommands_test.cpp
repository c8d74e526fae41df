#include "terminal/fmMain/ufmMain.h"

#include "domain/uFolders.h"
#include "domain/uSymbolShowList.h"
#include "terminal/MainWindowFixture.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <filesystem>

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
};

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

    TChartDouble Chart;
    ChartList.Selected = &Chart;
    Chart.SetInterval(h1);
    Window->RefreshActiveWindow();
    EXPECT_TRUE(Action("acH1")->isEnabled() && Action("acH1")->isChecked());
    EXPECT_TRUE(Action("acIndicatorMA")->isEnabled());
    EXPECT_EQ(Window->ChartInterval(), h1);

    Chart.SetInterval(m3);
    Window->RefreshIntervals();
    EXPECT_TRUE(Action("acH1")->isChecked()) << "no button for three minutes: the check stays";
    EXPECT_EQ(C.Actions.Intervals.size(), 10u);
}

TEST_F(MainCommands, SymbolGroupsAreListedWhenTheMenuOpensAndDeletedFromIt)
{
    Folders = new TFolders;
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
    delete Folders;
    Folders = nullptr;
}

} // namespace
