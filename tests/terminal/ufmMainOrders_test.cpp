#include "terminal/fmMain/ufmMain.h"

#include "domain/uSymbolShowList.h"
#include "platform/DateUtils.h"
#include "platform/ScriptedMessageBox.h"
#include "platform/qt/VirtualStringTree.h"
#include "support/DecimalSeparatorScope.h"
#include "terminal/MainWindowFixture.h"

#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// The Buy and Sell panels, with a comma as the decimal separator, for a
// market watch of two symbols and a chart of the first.
class OrderPanels : public TMainWindowTest {
protected:
    OrderPanels()
    {
        Exchange.AddAccount("panel-key", "panel-secret");
        Profile->MainProfile().SetApiKey("panel-key");
        Profile->MainProfile().SetSecretKey("panel-secret");
        SysTime->SetServerTime(StampToDate(Exchange.ServerTime()));
        User->SymbolShowList().ReloadSymbols(
            {{.Name = "ETHBTC", .LastPrice = 0.07}, {.Name = "LTCBTC", .LastPrice = 0.00001234}});
        Open();
        ChartList.Selected("ETHBTC").SetChartPrice(0.5);
        Window->RefreshSymbolList();
    }

    QLineEdit* Edit(const char* Name) const { return Find<QLineEdit>(Name); }
    void SelectSymbol(int Row) { Find<TVirtualStringTree>("vstSymbols")->SelectRow(Row); }

    TDecimalSeparatorScope Comma{','};
    TScriptedMessageBox Box;
};

TEST_F(OrderPanels, UnsetFieldsTakeTheChartsPriceAndTheTotalFollows)
{
    SelectSymbol(0);
    Edit("edBuyLimitPrice")->setText("0");
    Window->pcBuyChange();
    EXPECT_EQ(Edit("edBuyLimitPrice")->text(), "0,5");
    EXPECT_EQ(Edit("edBuyLimitAmount")->text(), "0,01");
    EXPECT_EQ(Edit("edBuyLimitTotal")->text(), "0,005");

    Find<QTabWidget>("pcSell")->setCurrentIndex(2);
    EXPECT_EQ(Edit("edSellStopLimitStop")->text(), "0,5");
    QTest::keyClicks(Edit("edSellStopLimitAmount"), "2.x");
    EXPECT_EQ(Edit("edSellStopLimitAmount")->text(), "0,012") << "one separator, no letters";
    EXPECT_EQ(Edit("edSellStopLimitTotal")->text(), "0,006");
}

// The panels name the market watch's symbol and take its price: the chart's
// only when the chart shows that symbol. A new symbol clears the old prices.
TEST_F(OrderPanels, ThePanelsSymbolAndPriceComeFromOneSymbol)
{
    for (const auto& [Row, Symbol, Price] :
         {std::tuple{0, "ETHBTC", "0,5"}, std::tuple{1, "LTCBTC", "0,00001234"}}) {
        SelectSymbol(Row);
        for (const char* Label : {"lblBuySymbol", "lblSellSymbol"})
            EXPECT_EQ(Find<QLabel>(Label)->text(), Symbol);
        EXPECT_EQ(Edit("edBuyLimitPrice")->text(), Price) << Symbol;
        EXPECT_EQ(Edit("edSellLimitPrice")->text(), Price) << Symbol;
    }
    Edit("edBuyLimitAmount")->setText("0,01");
    Find<QPushButton>("btnBuyLimit")->click();
    const std::vector<TJournalEntry> Posts = Requests("POST", 1, 5000);
    ASSERT_EQ(Posts.size(), 1u);
    for (const char* Field : {"symbol=LTCBTC", "price=0.00001234", "quantity=0.01"})
        EXPECT_NE(Posts[0].Body.find(Field), std::string::npos) << Field << " in " << Posts[0].Body;
}

// However the panels' symbol changes, the amount and total typed for the
// old one go and the prices are the new one's: the chart's, or the watch's
// while the chart has none.
TEST_F(OrderPanels, ANewSymbolClearsTheAmountAndTotalAndRefillsThePrices)
{
    const auto Shows = [&](const char* Price) {
        EXPECT_EQ(Edit("edBuyLimitAmount")->text().toStdString(), "") << Price;
        EXPECT_EQ(Edit("edBuyLimitTotal")->text().toStdString(), "") << Price;
        EXPECT_EQ(Edit("edBuyLimitPrice")->text().toStdString(), Price);
        Edit("edBuyLimitAmount")->setText("5");
    };
    SelectSymbol(0);
    Edit("edBuyLimitAmount")->setText("5");
    SelectSymbol(1);
    Shows("0,00001234");
    // A group as long: the row stays selected, its symbol changes.
    const std::filesystem::path Groups = User->SymbolShowList().DoNotifyFolders();
    std::filesystem::create_directories(Groups);
    std::ofstream(Groups / "swapped") << "LTCBTC\nETHBTC\n";
    User->SymbolShowList().LoadFromFile("swapped");
    Window->RefreshSymbolList();
    Shows("0,5");
    ChartList.Selected("ETHBTC").SetChartPrice(0);
    SelectSymbol(0);
    SelectSymbol(1);
    Shows("0,07");
}

// A panel shown for the first time has the price its symbol has by then.
TEST_F(OrderPanels, APanelShownHasItsLimitPrice)
{
    SelectSymbol(0);
    Edit("edBuyLimitPrice")->clear();
    Find<QDockWidget>("dpBuy")->show();
    EXPECT_EQ(Edit("edBuyLimitPrice")->text(), "0,5");
}

TEST_F(OrderPanels, ButtonsPostTheirSheetsOrderAndReturnOrABadFieldSendsNothing)
{
    SelectSymbol(0);
    Edit("edSellStopLimitStop")->setText("0,4");
    Edit("edSellStopLimitPrice")->setText("0,45");
    Edit("edSellStopLimitAmount")->setText("2");
    Find<QPushButton>("btnSellStopLimit")->click();
    const std::vector<TJournalEntry> Posts = Requests("POST", 1, 5000);
    ASSERT_EQ(Posts.size(), 1u);
    const std::string& Body = Posts[0].Body;
    for (const char* Field : {"symbol=ETHBTC", "side=SELL", "type=STOP_LOSS_LIMIT", "quantity=2",
                              "price=0.45", "stopPrice=0.4"})
        EXPECT_NE(Body.find(Field), std::string::npos) << Field << " in " << Body;

    for (const char* Name : {"edBuyLimitPrice", "edBuyLimitAmount", "btnBuyLimit"}) {
        QWidget* Field = Find<QWidget>(Name);
        Field->setFocus();
        QTest::keyClick(Field, Qt::Key_Return);
    }
    for (const char* Amount : {"0", "", "0,0"}) {
        Edit("edBuyLimitAmount")->setText(Amount);
        Find<QPushButton>("btnBuyLimit")->click();
    }
    Edit("edBuyLimitAmount")->setText("1");
    Edit("edBuyLimitPrice")->setText("0");
    Find<QPushButton>("btnBuyLimit")->click();
    EXPECT_EQ(Requests("POST", 2, 300).size(), 1u);
    // The confirmation of the first order comes whenever its reply does.
    std::vector<std::string> Faults;
    for (const auto& Message : Box.Shown())
        Faults.push_back(Message.Text);
    std::erase(Faults, "Создан ордер ETHBTC SELL STOP_LOSS_LIMIT 0.45 2");
    EXPECT_EQ(Box.Shown().size(), Faults.size() + 1);
    EXPECT_EQ(Faults, (std::vector<std::string>{
                          "Объем должен быть больше 0", "Объем должен быть больше 0",
                          "Объем должен быть больше 0", "Цена должна быть больше 0"}));
}

// Shown together on a small or a large screen, each panel shows its fields
// and its button whole.
TEST_F(OrderPanels, BothPanelsShowTheirWholeSheet)
{
    for (const QSize Screen : {QSize(800, 600), QSize(1920, 1080)}) {
        Window->resize(Screen);
        for (const char* Panel : {"dpBuy", "dpSell"})
            Find<QDockWidget>(Panel)->show();
        QTest::qWait(50);
        for (const char* Name : {"btnBuyLimit", "btnSellLimit", "edBuyLimitTotal"}) {
            QWidget* Field = Find<QWidget>(Name);
            const QRect Shown = Field->visibleRegion().boundingRect();
            EXPECT_EQ(Shown.size(), Field->size()) << Name << " at " << Screen.width();
        }
    }
}

} // namespace
