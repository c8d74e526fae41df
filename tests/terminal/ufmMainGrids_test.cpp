#include "terminal/fmMain/ufmMain.h"

#include "controls/uExPageControl.h"
#include "domain/uDepth.h"
#include "domain/uSymbolShowList.h"
#include "platform/DateUtils.h"
#include "platform/ScriptedMessageBox.h"
#include "platform/qt/VirtualStringTree.h"
#include "support/DecimalSeparatorScope.h"
#include "terminal/MainWindowFixture.h"

#include <QAction>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QTest>
#include <chrono>
#include <fstream>
#include <vector>

namespace {

// The grids of the main window over a model the test fills; numbers are
// written with a comma, as under a locale that uses one.
class MainGrids : public TMainWindowTest {
protected:
    void ShowSymbols(const std::vector<TSymbolTicker>& Tickers)
    {
        User->SymbolShowList().ReloadSymbols(Tickers);
        Window->RefreshSymbolList();
    }
    static std::string Text(const TVirtualStringTree* Grid, int Row, int Column)
    {
        return Grid->CellText(Row, Column).toStdString();
    }
    // The colour at x on the middle of a grid row, as painted.
    static QRgb Pixel(TVirtualStringTree* Grid, int Row, int X)
    {
        const QImage Image = Grid->viewport()->grab().toImage();
        return Image.pixel(X, Grid->rowViewportPosition(Row) + Grid->rowHeight(Row) / 2);
    }

    TScriptedMessageBox Box;
    TDecimalSeparatorScope Comma{','};
};

TEST_F(MainGrids, MarketWatchFollowsTheShowListAndSelectsItsFirstRow)
{
    const TMainControls& C = Open().Controls();
    ShowSymbols({});
    EXPECT_EQ(C.vstSymbols->RootNodeCount(), 0);
    EXPECT_EQ(Window->SelectedSymbol(), "");

    ShowSymbols({{"ETHBTC", 1.5, 0.071, 0.0709, 0.0711, 0.08, 0.06}, {"LTCBTC", -2, 0.003}});
    EXPECT_EQ(C.vstSymbols->RootNodeCount(), 2);
    EXPECT_EQ(Window->SelectedSymbol(), "ETHBTC");
    EXPECT_EQ(Text(C.vstSymbols, 0, 0), "ETHBTC");
    EXPECT_EQ(Text(C.vstSymbols, 0, 2), "1,5");
    EXPECT_EQ(Text(C.vstSymbols, 0, 3), "0,08");
    EXPECT_EQ(Text(C.vstSymbols, 1, 1), "0,003");
    EXPECT_EQ(Text(C.vstSymbols, 5, 0), "") << "a row beyond the list shows nothing";

    User->SymbolShowList().ReloadSymbols({{"ETHBTC"}, {"LTCBTC"}, {"BNBBTC"}});
    User->SymbolShowList().FillShowSymbols();
    Window->RefreshSymbolList();
    C.vstSymbols->SelectRow(2);
    Window->RefreshSymbolList();
    EXPECT_EQ(Window->SelectedSymbol(), "BNBBTC") << "the same count keeps the selection";
    User->SymbolShowList().DeleteSymbol("ETHBTC");
    Window->RefreshSymbolList();
    EXPECT_EQ(Window->SelectedSymbol(), "LTCBTC") << "a new count starts at the first row";
}

// Lines only in the market watch, only with its command (off at start); rows
// 18 pixels high; no border around the account views.
TEST_F(MainGrids, GridLinesRowHeightAndBorders)
{
    const TMainControls& C = Open().Controls();
    for (const bool Command : {false, true}) {
        EXPECT_EQ(C.Actions.acMDGrid->isChecked(), Command);
        for (TVirtualStringTree* Grid : Window->findChildren<TVirtualStringTree*>()) {
            const std::string Name = Grid->objectName().toStdString();
            EXPECT_EQ(Grid->GridLines(), Command && Grid == C.vstSymbols) << Name;
            Grid->SetRootNodeCount(2);
            EXPECT_EQ(Grid->rowHeight(1), 18) << Name;
            EXPECT_EQ(Grid->frameShape() == QFrame::NoFrame,
                      Grid->parentWidget()->parentWidget() == C.pcTerminal)
                << Name;
        }
        C.Actions.acMDGrid->trigger();
    }
}

// The row selected in the market watch (also the first one a refresh selects)
// is the symbol whose book the next second asks for; no row, no symbol.
TEST_F(MainGrids, TheSelectedRowsBookArrivesWithTheNextSecond)
{
    const TMainControls& C = Open().Controls();
    Window->SetOnlineMode(true);
    SysTime->SetServerTime(StampToDate(Exchange.ServerTime()));
    ShowSymbols({{"ETHBTC"}, {"LTCBTC"}});
    EXPECT_EQ(User->Input().Symbol(), "ETHBTC");
    User->DepthList().Add().Price = 0.07;
    Window->RefreshDepth();
    C.vstSymbols->SelectRow(1);
    EXPECT_EQ(User->Input().Symbol(), "LTCBTC");
    EXPECT_EQ(C.vstDepth->RootNodeCount(), 0) << "the book of the symbol left is dropped";

    Workflow->DoEverySecond();
    ASSERT_TRUE(Pump([&] { return C.vstDepth->RootNodeCount() == 4; }, 5000));
    EXPECT_EQ(Text(C.vstDepth, 0, 0), "37251");
    EXPECT_EQ(Text(C.vstDepth, 3, 1), "1,2");

    User->SymbolShowList().HideSymbols({});
    Window->RefreshSymbolList();
    EXPECT_EQ(User->Input().Symbol(), "");
    Workflow->DoEverySecond();
    Pump([] { return false; }, 300);
    std::vector<std::string> Books;
    for (const TJournalEntry& Entry : Exchange.Journal())
        if (Entry.Path == "/api/v1/depth")
            Books.push_back(Entry.Query);
    EXPECT_EQ(Books, std::vector<std::string>{"symbol=LTCBTC&limit=5"});
}

TEST_F(MainGrids, MarketWatchCommandsShowColumnsAndChangeTheShownSymbols)
{
    const TMainControls& C = Open().Controls();
    ShowSymbols({{"ETHBTC"}, {"LTCBTC"}, {"BNBBTC"}});
    const std::vector<bool> AtStart = {true, false, true, false, false, false, false, false, false};
    for (int Column = 0; Column < 9; ++Column)
        EXPECT_EQ(C.vstSymbols->ColumnVisible(Column), AtStart[Column]) << Column;

    C.Actions.acMDMaxMin->trigger();
    C.Actions.acMDTime->trigger();
    for (const int Column : {3, 4, 7})
        EXPECT_TRUE(C.vstSymbols->ColumnVisible(Column)) << Column;

    C.vstSymbols->SelectRow(1);
    C.Actions.acDeleteSymbol->trigger();
    Window->RefreshSymbolList();
    EXPECT_EQ(C.vstSymbols->RootNodeCount(), 2);
    EXPECT_EQ(Text(C.vstSymbols, 1, 0), "BNBBTC");

    ChartList.Selected("BNBBTC");
    C.Actions.acHideSymbols->trigger();
    Window->RefreshSymbolList();
    EXPECT_EQ(C.vstSymbols->RootNodeCount(), 1);
    EXPECT_EQ(Text(C.vstSymbols, 0, 0), "BNBBTC");
    C.Actions.acShowSymbol->trigger();
    Window->RefreshSymbolList();
    EXPECT_EQ(C.vstSymbols->RootNodeCount(), 3);
}

// Ask minus bid in the finer price's decimals, without the subtraction's
// binary noise; empty while either price is unknown.
TEST_F(MainGrids, SpreadColumnShowsAskMinusBidInThePricesDecimals)
{
    const TMainControls& C = Open().Controls();
    ShowSymbols({{"ETHBTC", 0, 0, 0.0709, 0.0711},
                 {"SHIBBTC", 0, 0, 0.0000123, 0.0000124},
                 {"BTCUSDT", 0, 0, 37250, 37251.5},
                 {"NEWBTC", 0, 0, 0, 0.5},
                 {"OLDBTC", 0, 0, 0.5, 0}});
    EXPECT_FALSE(C.vstSymbols->ColumnVisible(8));
    EXPECT_EQ(C.vstSymbols->HeaderText(8).toStdString(), "Spread");
    C.Actions.acMDSpred->trigger();
    EXPECT_TRUE(C.Actions.acMDSpred->isChecked());
    EXPECT_TRUE(C.vstSymbols->ColumnVisible(8));
    const std::vector<std::string> Expected = {"0,0002", "0,0000001", "1,5", "", ""};
    for (int Row = 0; Row < 5; ++Row)
        EXPECT_EQ(Text(C.vstSymbols, Row, 8), Expected[Row]) << Row;
    C.Actions.acMDSpred->trigger();
    EXPECT_FALSE(C.vstSymbols->ColumnVisible(8));
}

// With every column shown the symbol column keeps its widest symbol and
// the grid scrolls sideways; with room again it stretches over it.
TEST_F(MainGrids, TheSymbolColumnKeepsItsWidestSymbolWhateverColumnsAreShown)
{
    const TMainControls& C = Open().Controls();
    TVirtualStringTree& Grid = *C.vstSymbols;
    ShowSymbols({{"ETHBTC", 1.5}, {"1000SATSUSDT", -2}});
    const auto Toggle = [&] {
        for (QAction* Action : {C.Actions.acMDTime, C.Actions.acMDMaxMin, C.Actions.acMDSpred}) {
            Action->trigger();
            QCoreApplication::processEvents();
        }
    };
    Toggle();
    EXPECT_GE(Grid.columnWidth(0), QFontMetrics(Grid.font()).horizontalAdvance("1000SATSUSDT"));
    Toggle();
    EXPECT_EQ(Grid.horizontalHeader()->sectionResizeMode(0), QHeaderView::Stretch);
    EXPECT_EQ(Grid.columnWidth(0) + Grid.columnWidth(2), Grid.viewport()->width());
}

// Checked, every shown column fits its widest text and its caption, and
// keeps fitting as the values grow, but not twice within a second.
TEST_F(MainGrids, ColumnAutoSizeFitsTextAndCaptionAndFollowsChanges)
{
    const TMainControls& C = Open().Controls();
    TVirtualStringTree& Grid = *C.vstSymbols;
    ShowSymbols({{"ETHBTC", 1.5}, {"LTCBTC", -2}});
    C.Actions.acMDTime->trigger();
    const QFontMetrics Cells(Grid.font()), Header(Grid.horizontalHeader()->font());
    const auto Width = [&](int Column) { return Grid.columnWidth(Column); };

    const auto Fitted = std::chrono::steady_clock::now();
    C.Actions.acMDColAutoSize->trigger();
    EXPECT_TRUE(C.Actions.acMDColAutoSize->isChecked());
    EXPECT_LT(Width(0), 162) << "the symbol column no longer stretches";
    EXPECT_GE(Width(0), Cells.horizontalAdvance("ETHBTC"));
    EXPECT_GE(Width(0), Header.horizontalAdvance("Символ"));
    EXPECT_GE(Width(2), Header.horizontalAdvance("%")) << "the caption is wider than \"1,5\"";
    EXPECT_GE(Width(7), Cells.horizontalAdvance(Text(&Grid, 0, 7).c_str()));
    const int Narrow = Width(2);

    ShowSymbols({{"ETHBTC", 1234567.125}, {"LTCBTC", -2}});
    // A thread held off the processor may come here a second later: a fit is right then.
    if (std::chrono::steady_clock::now() - Fitted < std::chrono::seconds(1)) {
        EXPECT_EQ(Width(2), Narrow) << "within a second of the last fit";
    }
    Pump([] { return false; }, 1050);
    Window->RefreshSymbolList();
    EXPECT_GE(Width(2), Cells.horizontalAdvance("1234567,125"));
    EXPECT_GT(Width(2), Narrow);

    std::vector<TSymbolTicker> Long(300, {"XBTC", 1});
    Long.back().PriceChangePercent = 123456789.125;
    ShowSymbols(Long);
    Pump([] { return false; }, 1050);
    Window->RefreshSymbolList();
    EXPECT_LT(Width(2), Cells.horizontalAdvance("123456789,125")) << "a row off screen";

    C.Actions.acMDColAutoSize->trigger();
    EXPECT_FALSE(C.Actions.acMDColAutoSize->isChecked());
    EXPECT_EQ(Grid.horizontalHeader()->sectionResizeMode(0), QHeaderView::Stretch);
    const int Kept = Width(2);
    ShowSymbols({{"ETHBTC", 1}, {"LTCBTC", -2}});
    Pump([] { return false; }, 1050);
    Window->RefreshSymbolList();
    EXPECT_EQ(Width(2), Kept) << "unchecked, the widths stay as they are";
}

TEST_F(MainGrids, OrderBookRowsCarryBarsInTheirSidesColourAsLongAsTheirShare)
{
    const TMainControls& C = Open().Controls();
    C.dpMarketDepth->show();
    C.vstDepth->resize(216, 200);
    TDepthList& Book = User->DepthList();
    for (const auto& [Side, Price, Quantity] :
         {std::tuple{"ASK", 10.5, 4.0}, std::tuple{"BID", 10.0, 8.0}}) {
        TDepth& Level = Book.Add();
        Level.Side = Side;
        Level.Price = Price;
        Level.Quantity = Quantity;
    }
    Book.SetMaxQuantity(8);
    Window->RefreshDepth();
    ASSERT_EQ(C.vstDepth->RootNodeCount(), 2);
    EXPECT_EQ(C.vstDepth->columnWidth(1), 55) << "a new row count keeps the column widths";
    EXPECT_EQ(Text(C.vstDepth, 0, 0), "10,5");
    EXPECT_EQ(Text(C.vstDepth, 1, 1), "8");

    const int Half = C.vstDepth->width() / 2;
    EXPECT_EQ(Pixel(C.vstDepth, 0, Half - 3), qRgb(0xF1, 0xC0, 0xD8)) << "ask bar";
    EXPECT_EQ(Pixel(C.vstDepth, 0, Half + 3), qRgb(0xFF, 0xFF, 0xFF)) << "the rest stays white";
    EXPECT_EQ(Pixel(C.vstDepth, 1, Half + 3), qRgb(0xD8, 0xF1, 0xC0)) << "bid bar, full length";
}

TEST_F(MainGrids, VolumeMonitorWritesPercentsWithOneDecimal)
{
    const TMainControls& C = Open().Controls();
    User->VolumeList().AddNewest({.Symbol = "ETHBTC", .Ping = 3, .SumVolumePerc = 12.345});
    Window->RefreshVolumeList();
    ASSERT_EQ(C.vstVolumeMonitor->RootNodeCount(), 1);
    EXPECT_EQ(Text(C.vstVolumeMonitor, 0, 1), "3");
    EXPECT_EQ(Text(C.vstVolumeMonitor, 0, 3), "12,3%");
    EXPECT_EQ(C.vstVolumeMonitor->FirstSelected(), 0);
    EXPECT_EQ(Steps.back(), "ChartList.RefreshKlinesByInterval 2")
        << "five minutes: no button checked";
}

TEST_F(MainGrids, AccountViewsShowTheMainAccountAndTheFurtherAccounts)
{
    const TMainControls& C = Open().Controls();
    TConnectionItem& Main = Profile->MainProfile();
    TUserOrder& Order = Main.UserOrderList().Add();
    Order.SetOrderID(3'000'000'123);
    Order.SetSymbol("ETHBTC");
    Order.SetPrice(0.0712);
    Order.SetSide("BUY");
    TBalance& Balance = Main.BalanceList().Add();
    Balance.SetAsset("BTC");
    Balance.SetFree_(1.25);
    TConnectionItem& Further = Profile->Connections().Add();
    Further.SetName("second");
    Further.SetRate(0.5);
    Window->RefreshOrderListData();
    Window->RefreshOrderHistoryData();
    Window->RefreshBalanceUI();
    Window->RefreshMultiAccount();

    EXPECT_EQ(C.vstOrders->RootNodeCount(), 1);
    EXPECT_EQ(C.vstOrderHistory->RootNodeCount(), 0);
    for (const auto& [Grid, Column, Shown] :
         {std::tuple{C.vstOrders, 0, "3000000123"}, std::tuple{C.vstOrders, 5, "0,0712"},
          std::tuple{C.vstOrders, 7, "BUY"}, std::tuple{C.vstBalances, 1, "1,25"},
          std::tuple{C.vstMulti, 0, "second"}, std::tuple{C.vstMulti, 1, "0,5"}})
        EXPECT_EQ(Text(Grid, 0, Column), Shown) << Grid->objectName().toStdString() << Column;

    EXPECT_EQ(Window->SelectedAccount(), "");
    C.vstMulti->SelectRow(0);
    EXPECT_EQ(Window->SelectedAccount(), "second");
}

// The further accounts' balances and open orders are painted as soon as
// their replies are announced.
TEST_F(MainGrids, FurtherAccountsArePaintedAgainWhenTheirBalancesOrOrdersArrive)
{
    const TMainControls& C = Open().Controls();
    Profile->Connections().Add().SetName("second");
    Window->RefreshMultiAccount();
    C.dpTerminal->show();
    Window->resizeDocks({C.dpTerminal}, {300}, Qt::Vertical);
    C.pcTerminal->SetActivePage(C.pcTerminal->Pages(3));
    QTest::qWait(20);
    ASSERT_TRUE(C.vstMulti->isVisible());
    struct TPaintCount : QObject {
        int Count = 0;
        bool eventFilter(QObject*, QEvent* Event) override
        {
            Count += Event->type() == QEvent::Paint;
            return false;
        }
    } Paints;
    C.vstMulti->viewport()->installEventFilter(&Paints);
    for (void (TfmMain::*Refresh)() :
         {&TfmMain::RefreshBalanceUI, &TfmMain::RefreshOrderListData}) {
        Paints.Count = 0;
        (Window.get()->*Refresh)();
        QTest::qWait(20);
        EXPECT_GT(Paints.Count, 0);
    }
}

// Tab and Shift+Tab leave a grid and keep its selection; Ctrl+Tab in the
// terminal panel turns its pages.
TEST_F(MainGrids, TabLeavesAGridAndCtrlTabTurnsTheTerminalsPages)
{
    const TMainControls& C = Open().Controls();
    ShowSymbols({{"ETHBTC"}, {"LTCBTC"}});
    C.dpTerminal->show();
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    for (const auto& [Key, Modifiers] :
         {std::pair{Qt::Key_Tab, Qt::NoModifier}, std::pair{Qt::Key_Backtab, Qt::ShiftModifier}}) {
        C.vstSymbols->setFocus();
        ASSERT_TRUE(C.vstSymbols->hasFocus());
        QTest::keyClick(C.vstSymbols, Key, Modifiers);
        EXPECT_FALSE(C.vstSymbols->hasFocus()) << Key;
        for (int Press = 0; Press < 10; ++Press)
            QTest::keyClick(C.vstSymbols, Key, Modifiers);
        EXPECT_EQ(Window->SelectedSymbol(), "ETHBTC");
    }
    C.vstOrders->setFocus();
    EXPECT_EQ(C.pcTerminal->ActivePageIndex(), 0);
    QTest::keyClick(C.vstOrders, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(C.pcTerminal->ActivePageIndex(), 1);
    QTest::keyClick(C.pcTerminal, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(C.pcTerminal->ActivePageIndex(), 0);
}

TEST_F(MainGrids, CancellingAnOrderAsksFirstAndDecliningSendsNothing)
{
    const TMainControls& C = Open().Controls();
    TUserOrder& Order = Profile->MainProfile().UserOrderList().Add();
    Order.SetOrderID(42);
    Window->RefreshOrderListData();
    C.Actions.acOrderDelete->setEnabled(true);

    C.Actions.acOrderDelete->trigger();
    EXPECT_TRUE(Box.Shown().empty()) << "nothing selected, nothing asked";
    C.vstOrders->SelectRow(0);
    Box.Answer(IDNO);
    C.Actions.acOrderDelete->trigger();
    ASSERT_EQ(Box.Shown().size(), 1u);
    EXPECT_EQ(Box.Shown()[0].Text, "Уверены что хотите удалит ордер?");
    EXPECT_TRUE(Exchange.Journal().empty());
}

TEST_F(MainGrids, MultiTradingNeedsALoggedOnUserAndAFurtherAccount)
{
    const TMainControls& C = Open().Controls();
    User->Input().SetMulti(true);
    C.Actions.acMulti->setEnabled(true);
    C.Actions.acMulti->trigger();
    EXPECT_FALSE(User->Input().Multi()) << "without a further account it goes off";
    EXPECT_FALSE(C.Actions.acMulti->isChecked());

    Profile->Connections().Add().SetName("second");
    User->Input().SetAuth(uaAuth);
    C.Actions.acMulti->trigger();
    EXPECT_EQ(User->Input().Multi(), Profile->UIVisible().dpTerminal());
    EXPECT_EQ(C.Actions.acMulti->isChecked(), User->Input().Multi());
}

// The saved further accounts are listed from the start, whether the
// exchange answers or not. Deleting one rewrites the accounts file at once.
TEST_F(MainGrids, SavedFurtherAccountsAreListedFromTheStartAndADeletedOneLeavesTheFile)
{
    Profile->Connections().Add().SetName("first");
    Profile->Connections().Add().SetName("second");
    Profile->SaveToFile();
    const TMainControls& C = Open().Controls();
    ASSERT_EQ(C.vstMulti->RootNodeCount(), 2) << "listed while the exchange has not answered";
    C.vstMulti->SelectRow(0);
    C.Actions.acMultiDel->setEnabled(true);
    C.Actions.acMultiDel->trigger();

    EXPECT_EQ(C.vstMulti->RootNodeCount(), 1);
    EXPECT_EQ(Text(C.vstMulti, 0, 0), "second");
    EXPECT_FALSE(C.Actions.acMultiDel->isEnabled()) << "its row went with it";
    std::ifstream Saved(Profile->FileName());
    const std::string File((std::istreambuf_iterator<char>(Saved)), {});
    EXPECT_EQ(File.find("first"), std::string::npos);
    EXPECT_NE(File.find("second"), std::string::npos);
}

} // namespace
