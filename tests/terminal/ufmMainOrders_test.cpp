#include "terminal/fmMain/ufmMain.h"

#include "domain/uSymbolShowList.h"
#include "platform/DateUtils.h"
#include "support/DecimalSeparatorScope.h"
#include "terminal/MainWindowFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

// The Buy and Sell panels, with a comma as the decimal separator.
class OrderPanels : public TMainWindowTest {
protected:
    OrderPanels()
    {
        Open();
        ChartList.Selected("ETHBTC").SetChartPrice(0.5);
    }

    QLineEdit* Edit(const char* Name) const { return Find<QLineEdit>(Name); }

    TDecimalSeparatorScope Comma{','};
};

TEST_F(OrderPanels, UnsetFieldsTakeTheChartsPriceAndTheTotalFollows)
{
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

    ChartList.Clear();
    Edit("edBuyMarketPrice")->clear();
    Find<QTabWidget>("pcBuy")->setCurrentIndex(1);
    EXPECT_EQ(Edit("edBuyMarketPrice")->text(), "") << "without a selected chart nothing is filled";
}

TEST_F(OrderPanels, ButtonsPostTheirSheetsOrderAndAFieldThatIsNoNumberSendsNothing)
{
    Exchange.AddAccount("panel-key", "panel-secret");
    Profile->MainProfile().SetApiKey("panel-key");
    Profile->MainProfile().SetSecretKey("panel-secret");
    SysTime->SetServerTime(StampToDate(Exchange.ServerTime()));
    User->SymbolShowList().ReloadSymbols({{"ETHBTC"}});
    Window->RefreshSymbolList();

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

    Edit("edBuyLimitAmount")->setText("1,2,3");
    Find<QPushButton>("btnBuyLimit")->click();
    EXPECT_EQ(Requests("POST", 2, 300).size(), 1u);
}

} // namespace
