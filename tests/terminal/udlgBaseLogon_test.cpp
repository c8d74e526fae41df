#include "terminal/dlgBaseLogon/udlgBaseLogon.h"

#include "domain/uCollections.h"
#include "domain/uProfile.h"
#include "domain/uUser.h"
#include "platform/DateUtils.h"
#include "platform/ScriptedMessageBox.h"
#include "support/DecimalSeparatorScope.h"
#include "terminal/DialogDriver.h"
#include "terminal/MainWindowFixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <filesystem>
#include <set>

namespace {

// The logon dialog against the test exchange, which knows one account.
class BaseLogon : public TMainWindowTest {
protected:
    BaseLogon()
    {
        Exchange.AddAccount("good-key", "good-secret");
        SysTime->SetServerTime(StampToDate(Exchange.ServerTime()));
        Main().SetApiKey("old-key");
        Main().SetSecretKey("old-secret");
    }

    static TConnectionItem& Main() { return Profile->MainProfile(); }
    static void Type(QDialog& Dialog, const char* Edit, const QString& Text)
    {
        QTest::keyClicks(&Control<QLineEdit>(Dialog, Edit), Text);
    }
    static void Retype(QDialog& Dialog, const char* Edit, const QString& Text)
    {
        Control<QLineEdit>(Dialog, Edit).clear();
        Type(Dialog, Edit, Text);
    }
    static void Click(QDialog& Dialog, const char* Button)
    {
        Control<QPushButton>(Dialog, Button).click();
    }
    static bool Enabled(QDialog& Dialog, const char* Button)
    {
        return Control<QPushButton>(Dialog, Button).isEnabled();
    }
    static QRgb TestColour(QDialog& Dialog)
    {
        return Control<QLabel>(Dialog, "panTest").palette().color(QPalette::Window).rgb();
    }
    // Account nullptr: the main account.
    bool Execute(TConnectionItem* Account, bool Full, const std::function<void(QDialog&)>& Drive)
    {
        return DriveModal<bool>(Drive, [&] { return ExecuteDlgBaseLogon(Account, Full); });
    }

    static constexpr QRgb cGrey = 0xFFC0C0C0;
    static constexpr QRgb cGreen = 0xFFD8F1C0;
    static constexpr QRgb cRed = 0xFFF1C0D8;
};

// A start-up check that failed for want of the server time leaves the user
// unauthorised; "Авторизация" then waits for the clock the same way and asks
// for the time itself, so the user is authorised once the exchange answers.
TEST_F(BaseLogon, AuthorisationAfterAStartUpCheckWithoutTheServerTimeSucceeds)
{
    delete SysTime;
    SysTime = new TSysTime; // never set by the exchange
    User->Input().SetAuth(uaUnauth);
    Open();
    auto* Login = Window->findChild<QAction*>(QStringLiteral("acLogin"));
    ASSERT_NE(Login, nullptr);
    DriveModal<bool>(
        [](QDialog& Dialog) {
            Retype(Dialog, "edAPI", "good-key");
            Retype(Dialog, "edSecret", "good-secret");
            Click(Dialog, "btnTest");
            EXPECT_EQ(TestColour(Dialog), cGreen);
            Click(Dialog, "btnSave");
        },
        [&] {
            Login->trigger();
            return true;
        });
    EXPECT_EQ(User->Input().Auth(), uaAuth);
    EXPECT_TRUE(SysTime->IsSetByExchange());
    EXPECT_EQ(Main().ApiKey(), "good-key");
    TProfile Reread(Profile->FileName());
    Reread.LoadFromFile();
    EXPECT_EQ(Reread.MainProfile().ApiKey(), "good-key");
    EXPECT_EQ(Reread.MainProfile().SecretKey(), "good-secret");
}

// Only a tested pair can be saved (saving: the authorisation test); a changed
// key voids the test; a cancel leaves everything as it was.
TEST_F(BaseLogon, ACancelledDialogLeavesTheKeysAndTheAuthorisationAsTheyWere)
{
    User->Input().SetAuth(uaAuth);
    for (const char* Secret : {"wrong-secret", "good-secret"}) {
        const bool Saved = Execute(nullptr, false, [&](QDialog& Dialog) {
            EXPECT_EQ(Control<QLineEdit>(Dialog, "edAPI").text(), "old-key");
            EXPECT_FALSE(Control<QWidget>(Dialog, "panTop").isVisible());
            EXPECT_EQ(TestColour(Dialog), cGrey);
            EXPECT_FALSE(Enabled(Dialog, "btnSave"));
            Retype(Dialog, "edAPI", "good-key");
            Retype(Dialog, "edSecret", Secret);
            Click(Dialog, "btnTest");
            const bool Good = std::string(Secret) == "good-secret";
            EXPECT_EQ(TestColour(Dialog), Good ? cGreen : cRed) << Secret;
            EXPECT_EQ(Enabled(Dialog, "btnSave"), Good) << Secret;
            Type(Dialog, "edAPI", "x");
            EXPECT_EQ(TestColour(Dialog), cGrey) << "a changed key voids the test";
            EXPECT_FALSE(Enabled(Dialog, "btnSave"));
            Click(Dialog, "Cancel");
        });
        EXPECT_FALSE(Saved);
        EXPECT_EQ(Main().ApiKey(), "old-key") << Secret;
        EXPECT_EQ(Main().SecretKey(), "old-secret") << Secret;
        EXPECT_EQ(User->Input().Auth(), uaAuth) << Secret;
    }
}

// A further account's key test leaves the main user logged on.
TEST_F(BaseLogon, AFurtherAccountNeedsANameAndARatioTypedAsADecimal)
{
    TDecimalSeparatorScope Comma(',');
    User->Input().SetAuth(uaAuth);
    TConnectionItem Further;
    const bool Saved = Execute(&Further, true, [](QDialog& Dialog) {
        EXPECT_TRUE(Control<QWidget>(Dialog, "panTop").isVisible());
        Type(Dialog, "edAPI", "good-key");
        Type(Dialog, "edSecret", "good-secret");
        EXPECT_EQ(Control<QLineEdit>(Dialog, "edRate").text(), "0");
        EXPECT_FALSE(Enabled(Dialog, "btnTest")) << "no name";
        Type(Dialog, "edName", "second");
        Retype(Dialog, "edRate", "0x.5.7");
        EXPECT_EQ(Control<QLineEdit>(Dialog, "edRate").text(), "0,57");
        EXPECT_TRUE(Enabled(Dialog, "btnTest"));
        Click(Dialog, "btnTest");
        Type(Dialog, "edRate", "5");
        EXPECT_TRUE(Enabled(Dialog, "btnSave")) << "the ratio does not void the test";
        Click(Dialog, "btnSave");
    });
    ASSERT_TRUE(Saved);
    EXPECT_EQ(Further.Name(), "second");
    EXPECT_EQ(Further.Rate(), 0.575);
    EXPECT_EQ(Further.ApiKey(), "good-key");
    EXPECT_EQ(Main().ApiKey(), "old-key") << "a further account leaves the main one";
    EXPECT_EQ(User->Input().Auth(), uaAuth);
}

// Keys under test sign nothing else: an order reply and a server-time reply
// applied while the test waits start requests with the stored keys, or none.
TEST_F(BaseLogon, TheKeyTestSignsNothingElse)
{
    TScriptedMessageBox Box;
    Exchange.AddAccount("old-key", "old-secret");
    User->Input().SetAuth(uaAuth);
    User->SelectSymbol("ETHBTC");
    TOrder Order;
    Order.SetSymbol("ETHBTC");
    Order.SetSide("BUY");
    Order.SetType_("MARKET");
    Order.SetQuantity(1);
    const int Before = Dispatcher.Wakes();
    User->OrderPost(Order, &Main(), false);
    User->Time();
    // Both wait with their replies for the user-interface thread.
    for (int Waited = 0; Dispatcher.Wakes() < Before + 2 && Waited < 1000; ++Waited)
        QThread::msleep(5);
    Execute(nullptr, false, [](QDialog& Dialog) {
        Retype(Dialog, "edAPI", "good-key");
        Retype(Dialog, "edSecret", "good-secret");
        Click(Dialog, "btnTest");
        Click(Dialog, "Cancel");
    });
    using TSigned = std::multiset<std::pair<std::string, std::string>>;
    const auto Signed = [&] {
        TSigned Requests;
        for (const TJournalEntry& Entry : Exchange.Journal())
            if (!Entry.Header("x-mbx-apikey").empty())
                Requests.emplace(Entry.Path, Entry.Header("x-mbx-apikey"));
        return Requests;
    };
    Pump([&] { return Signed().size() >= 5; });
    Pump([] { return false; }, 200);
    EXPECT_EQ(Signed(), (TSigned{{"/api/v3/order", "old-key"},
                                 {"/api/v3/account", "good-key"},
                                 {"/api/v3/account", "old-key"},
                                 {"/api/v3/allOrders", "old-key"},
                                 {"/api/v3/openOrders", "old-key"}}));
}

TEST_F(BaseLogon, AddingAFurtherAccountStopsAtTenAndACancelAddsNothing)
{
    TScriptedMessageBox Box;
    const TMainControls& C = Open().Controls();
    C.Actions.acMultiAdd->setEnabled(true);
    for (int Added = 0; Added < 9; ++Added)
        Profile->Connections().Add();
    const bool Opened = DriveModal<bool>([](QDialog& Dialog) { Dialog.reject(); },
                                         [&] {
                                             C.Actions.acMultiAdd->trigger();
                                             return true;
                                         });
    EXPECT_TRUE(Opened);
    EXPECT_EQ(Profile->Connections().Count(), 9);
    EXPECT_FALSE(std::filesystem::exists(Profile->FileName()));

    Profile->Connections().Add();
    C.Actions.acMultiAdd->trigger();
    ASSERT_EQ(Box.Shown().size(), 1u);
    EXPECT_EQ(Box.Shown()[0].Text, "Достигнут линит в 10 подключений");
}

} // namespace
