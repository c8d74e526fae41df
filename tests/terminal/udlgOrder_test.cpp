#include "terminal/dlgOrder/udlgOrder.h"

#include "controls/uPGButton.h"
#include "domain/uSymbolShowList.h"
#include "platform/DateUtils.h"
#include "support/DecimalSeparatorScope.h"
#include "terminal/DialogDriver.h"
#include "terminal/MainWindowFixture.h"

#include "platform/ScriptedMessageBox.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

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
    TScriptedMessageBox Box;
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
    User->SetBookSymbol("ETHBTC");
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

// Another symbol chosen empties the quote and prices until its own quote
// comes; a late quote of the symbol left behind changes nothing.
TEST_F(OrderDialog, ChangingTheSymbolRefreshesTheQuoteAndPricesFromTheNewOne)
{
    Exchange.SetHandler(TExchangeEndpoint::BookTicker, [](const TExchangeCall& Call) {
        const bool Cheap = Call.Param("symbol") == "LTCBTC";
        return TExchangeReply::Json({{"symbol", Call.Param("symbol")},
                                     {"bidPrice", Cheap ? "0.00000152" : "0.07110000"},
                                     {"askPrice", Cheap ? "0.00000153" : "0.07120000"}});
    });
    DriveModal<bool>(
        [this](QDialog& Dialog) {
            auto& Price = Control<QLineEdit>(Dialog, "edPrice");
            Control<QComboBox>(Dialog, "cbType").setCurrentIndex(1);
            EXPECT_TRUE(Pump([&] { return Price.text() == "0,00000153"; }));
            Control<QComboBox>(Dialog, "cbSymbol").setCurrentText("ETHBTC");
            EXPECT_EQ(
                (Price.text() + Control<QLineEdit>(Dialog, "edStopLoss").text()).toStdString(), "");
            EXPECT_EQ(Control<QLabel>(Dialog, "lblPrice").text(), "0.00000 / 0.00000");
            User->SetBookSymbol("LTCBTC");
            dynamic_cast<TdlgOrder&>(Dialog).OnNotify(ORDER_BOOK_TICKER, 0);
            EXPECT_EQ(Price.text().toStdString(), "") << "a late quote of the old symbol";
            EXPECT_TRUE(Pump([&] { return Price.text() == "0,0712"; }));
            Dialog.reject();
        },
        [] { return ExecuteOrder("LTCBTC"); });
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

// Return in any field, on either panel, sends nothing and keeps the dialog
// open; a pasted "1e3" does not stand in the amount.
TEST_F(OrderDialog, ReturnSendsNothingAndAPasteOfAnExponentLeavesTheAmount)
{
    DriveModal<bool>(
        [](QDialog& Dialog) {
            const std::vector<const char*> Fields[] = {
                {"cbSymbol", "edQuantity", "edStopLoss", "cbType", "btnSell", "btnBuy"},
                {"cbSymbol", "edQuantity", "edStopLoss", "cbType", "cbOrderType", "edPrice",
                 "btnExec"}};
            for (const int Type : {0, 1}) {
                Control<QComboBox>(Dialog, "cbType").setCurrentIndex(Type);
                for (const char* Field : Fields[Type]) {
                    auto& Widget = Control<QWidget>(Dialog, Field);
                    Widget.setFocus();
                    for (Qt::Key Enter : {Qt::Key_Return, Qt::Key_Enter})
                        QTest::keyClick(&Widget, Enter);
                    EXPECT_TRUE(Dialog.isVisible()) << Field;
                }
            }
            auto& Quantity = Control<QLineEdit>(Dialog, "edQuantity");
            QGuiApplication::clipboard()->setText(QStringLiteral("1e3"));
            Quantity.selectAll();
            QTest::keyClick(&Quantity, Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(Quantity.text(), "0,01");
            Dialog.reject();
        },
        [] { return ExecuteOrder("LTCBTC"); });
    EXPECT_TRUE(Requests("POST", 1, 300).empty());
}

// An amount that is not above 0 sends nothing: the trader is told why and
// the dialog stays open; so is a pending order without a price.
TEST_F(OrderDialog, AnAmountOrPriceNotAboveZeroSendsNothingAndSaysWhich)
{
    const TTranslatorScope English("English", Home.Path() / "roaming");
    DriveModal<bool>(
        [](QDialog& Dialog) {
            auto& Quantity = Control<QLineEdit>(Dialog, "edQuantity");
            for (const char* Amount : {"0", "", "0,0"}) {
                Quantity.setText(Amount);
                Control<TPGButton>(Dialog, "btnBuy").click();
                EXPECT_TRUE(Dialog.isVisible()) << Amount;
            }
            Quantity.setText("1");
            Control<QComboBox>(Dialog, "cbType").setCurrentIndex(1);
            Control<QLineEdit>(Dialog, "edPrice").setText("0");
            Control<TPGButton>(Dialog, "btnExec").click();
            EXPECT_TRUE(Dialog.isVisible());
            Dialog.reject();
        },
        [] { return ExecuteOrder("LTCBTC"); });
    EXPECT_TRUE(Requests("POST", 1, 300).empty());
    std::vector<std::string> Shown, Expected(3, "Amount must be greater than 0");
    Expected.push_back("Price must be greater than 0");
    for (const auto& Message : Box.Shown())
        Shown.push_back(Message.Text);
    EXPECT_EQ(Shown, Expected);
}

// The pending price is the whole ask, written out; the bid and ask line
// has the decimals the finer of the two needs, at least six, and shrinks
// until it fits; the type list shows its items whole.
TEST_F(OrderDialog, PricesAreWrittenInFullAndTheQuoteAndTypesFit)
{
    struct {
        double Bid, Ask;
        const char* Price;
        const char* Quote;
    } const Cases[] = {
        {37250, 37250.01, "37250,01", "37.250,000000 / 37.250,010000"},
        {0.00001233, 0.00001234, "0,00001234", "0,00001233 / 0,00001234"},
        {987654321.123456, 987654321.654321, "987654321,654321",
         "987.654.321,123460 / 987.654.321,654320"},
        {0.00000012, 0.00000012, "0,00000012", "0,00000012 / 0,00000012"},
        {37246.284999, 0.0000001, "0,0000001", "37.246,2849990 / 0,0000001"},
    };
    // A comma locale groups thousands with a point; the fixture restores both.
    TFormatSettings Grouped = GetFormatSettings();
    Grouped.ThousandSeparator = '.';
    SetFormatSettings(Grouped);
    for (const auto& Case : Cases) {
        User->SetBid(Case.Bid);
        User->SetAsk(Case.Ask);
        User->SetBookSymbol("LTCBTC");
        DriveModal<bool>(
            [&Case](QDialog& Dialog) {
                dynamic_cast<TdlgOrder&>(Dialog).OnNotify(ORDER_BOOK_TICKER, 0);
                const auto& Quote = Control<QLabel>(Dialog, "lblPrice");
                EXPECT_EQ(Quote.text().toStdString(), Case.Quote);
                EXPECT_LE(QFontMetrics(Quote.font()).horizontalAdvance(Quote.text()),
                          Quote.contentsRect().width())
                    << Quote.text().toStdString();
                EXPECT_LE(Quote.geometry().right(), Dialog.width());
                auto& Types = Control<QComboBox>(Dialog, "cbType");
                for (int Item = 0; Item < Types.count(); ++Item)
                    EXPECT_GT(Types.width() - 24,
                              QFontMetrics(Types.font()).horizontalAdvance(Types.itemText(Item)));
                EXPECT_LE(Types.geometry().right(), Dialog.width());
                Types.setCurrentIndex(1);
                EXPECT_EQ(Control<QLineEdit>(Dialog, "edPrice").text(), Case.Price);
                Dialog.reject();
            },
            [] { return ExecuteOrder("LTCBTC"); });
    }
}

} // namespace
