#include "terminal/dlgOrder/udlgOrder.h"

#include "controls/uPGButton.h"
#include "domain/uSymbolShowList.h"
#include "platform/DateUtils.h"
#include "support/DecimalSeparatorScope.h"
#include "terminal/DialogDriver.h"
#include "terminal/MainWindowFixture.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>

namespace {

// The order dialog against the test exchange, with a comma as the decimal
// separator and two symbols in the market watch.
class OrderDialog : public TMainWindowTest {
protected:
    OrderDialog()
    {
        Exchange.AddAccount("dialog-key", "dialog-secret");
        Profile->MainProfile().SetApiKey("dialog-key");
        Profile->MainProfile().SetSecretKey("dialog-secret");
        SysTime->SetServerTime(StampToDate(Exchange.ServerTime()));
        User->SymbolShowList().ReloadSymbols({{"ETHBTC"}, {"LTCBTC"}});
    }

    TDecimalSeparatorScope Comma{','};
};

TEST_F(OrderDialog, AMarketOrderGoesOutForTheChosenSymbolAndClosesWithOk)
{
    const bool Sent = DriveModal<bool>(
        [](QDialog& Dialog) {
            EXPECT_EQ(Control<QComboBox>(Dialog, "cbSymbol").currentText(), "LTCBTC");
            EXPECT_EQ(Control<QLineEdit>(Dialog, "edQuantity").text(), "0,01");
            const QImage Shot = Dialog.grab().toImage();
            for (const QPoint Empty : {QPoint(400, 240), QPoint(200, 177)})
                EXPECT_EQ(Shot.pixel(Empty), qRgb(255, 255, 255)) << "a white dialog";
            Control<QLineEdit>(Dialog, "edQuantity").setText("2,5");
            Control<TPGButton>(Dialog, "btnBuy").click();
        },
        [] { return ExecuteOrder("LTCBTC"); });
    EXPECT_TRUE(Sent);
    const std::vector<TJournalEntry> Posts = Requests("POST");
    ASSERT_EQ(Posts.size(), 1u);
    for (const char* Field : {"symbol=LTCBTC", "side=BUY", "type=MARKET", "quantity=2.5"})
        EXPECT_NE(Posts[0].Body.find(Field), std::string::npos) << Field << " in " << Posts[0].Body;
}

TEST_F(OrderDialog, APendingBuyStopCarriesTheStopPriceAndClosesCancelled)
{
    User->SetAsk(0.0712);
    User->SetBid(0.0711);
    const bool Sent = DriveModal<bool>(
        [](QDialog& Dialog) {
            auto& Order = dynamic_cast<TdlgOrder&>(Dialog);
            Order.OnNotify(ORDER_BOOK_TICKER, 0);
            EXPECT_EQ(Control<QLabel>(Dialog, "lblPrice").text(), "0,071100 / 0,071200");
            Control<QComboBox>(Dialog, "cbType").setCurrentIndex(1);
            EXPECT_EQ(Control<QLineEdit>(Dialog, "edPrice").text(), "0,0712");
            Control<QComboBox>(Dialog, "cbOrderType").setCurrentIndex(2);
            Control<QLineEdit>(Dialog, "edStopLoss").setText("0,07");
            Control<TPGButton>(Dialog, "btnExec").click();
        },
        [] { return ExecuteOrder("ETHBTC"); });
    EXPECT_FALSE(Sent);
    const std::vector<TJournalEntry> Posts = Requests("POST");
    ASSERT_EQ(Posts.size(), 1u);
    for (const char* Field :
         {"symbol=ETHBTC", "side=BUY", "type=STOP_LOSS_LIMIT", "price=0.0712", "stopPrice=0.07"})
        EXPECT_NE(Posts[0].Body.find(Field), std::string::npos) << Field << " in " << Posts[0].Body;
}

TEST_F(OrderDialog, ASymbolOutsideTheMarketWatchSelectsNothingAndAsksForNoTicker)
{
    DriveModal<bool>(
        [](QDialog& Dialog) {
            EXPECT_EQ(dynamic_cast<TdlgOrder&>(Dialog).SelectedSymbol(), "");
            QTimer::singleShot(1200, &Dialog, [&Dialog] { Dialog.reject(); });
        },
        [] { return ExecuteOrder("XRPBTC"); });
    EXPECT_TRUE(Exchange.Journal().empty());
}

} // namespace
