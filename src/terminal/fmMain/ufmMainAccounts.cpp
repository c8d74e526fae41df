#include "terminal/fmMain/ufmMain.h"

#include "domain/uCommon.h"
#include "domain/uProfile.h"
#include "domain/uProfileLists.h"
#include "domain/uTranslator.h"
#include "domain/uUser.h"
#include "platform/DateUtils.h"
#include "platform/FormatSettings.h"
#include "platform/SysUtils.h"
#include "platform/qt/VirtualStringTree.h"
#include "terminal/dlgBaseLogon/udlgBaseLogon.h"
#include "terminal/fmBasic/uFormParts.h"
#include "terminal/fmBasic/uMainGuard.h"

#include <QAction>
#include <QMenu>

// The account views show the main account's open orders, balances and order
// history and the further accounts, straight from the profile.

namespace {

TConnectionItem* MainAccount()
{
    return Profile ? &Profile->MainProfile() : nullptr;
}

} // namespace

void TfmMain::ConnectAccountGrids()
{
    TMainControls& C = fControls;
    C.vstOrders->SetOnGetText([this](int Row, int Column) {
        const TConnectionItem* Main = MainAccount();
        return Main ? vstOrdersGetText(Main->UserOrderList(), Row, Column) : std::string();
    });
    C.vstOrderHistory->SetOnGetText([this](int Row, int Column) {
        const TConnectionItem* Main = MainAccount();
        return Main ? vstOrdersGetText(Main->UserOrderHistory(), Row, Column) : std::string();
    });
    C.vstBalances->SetOnGetText(
        [this](int Row, int Column) { return vstBalancesGetText(Row, Column); });
    C.vstMulti->SetOnGetText([this](int Row, int Column) { return vstMultiGetText(Row, Column); });
    C.vstMulti->SetOnChange([this](int) { vstMultiChange(); });
    ConnectPopup(C.vstOrders, C.ppmOrders);
    ConnectPopup(C.vstBalances, C.ppmBalance);
    ConnectPopup(C.vstMulti, C.ppmMultiAccount);
    // "New Order" follows the selected chart, which the focus in this panel
    // does not change, when the menu opens.
    connect(C.ppmOrders, &QMenu::aboutToShow, this, [this] { RefreshActiveWindow(); });

    const TMainActions& A = C.Actions;
    connect(A.acOrderDelete, &QAction::triggered, this, [this] { acOrderDeleteExecute(); });
    connect(A.acNoZeroBalance, &QAction::triggered, this, [this] { acNoZeroBalanceExecute(); });
    connect(A.acLogin, &QAction::triggered, this, [this] { acLoginExecute(); });
    connect(A.acMultiAdd, &QAction::triggered, this, [this] { acMultiAddExecute(); });
    connect(A.acMultiDel, &QAction::triggered, this, [this] { acMultiDelExecute(); });
    connect(A.acMulti, &QAction::triggered, this, [this] { acMultiExecute(); });
}

void TfmMain::RefreshOrderListData()
{
    RunRefreshLogged("RefreshOrderListData", [this] {
        if (const TConnectionItem* Main = MainAccount())
            fControls.vstOrders->ShowRows(Main->UserOrderList().Count());
        // A further account's open orders arrive with the same code.
        fControls.vstMulti->Invalidate();
    });
}

void TfmMain::RefreshOrderHistoryData()
{
    RunRefreshLogged("RefreshOrderHistoryData", [this] {
        if (const TConnectionItem* Main = MainAccount())
            fControls.vstOrderHistory->ShowRows(Main->UserOrderHistory().Count());
    });
}

void TfmMain::RefreshBalanceUI()
{
    RunRefreshLogged("RefreshBalanceUI", [this] {
        if (const TConnectionItem* Main = MainAccount())
            fControls.vstBalances->ShowRows(Main->BalanceList().Count());
        // A further account's balances arrive with the same code.
        fControls.vstMulti->Invalidate();
    });
}

void TfmMain::RefreshMultiAccount()
{
    RunRefreshLogged("RefreshMultiAccount", [this] {
        if (Profile)
            fControls.vstMulti->ShowRows(Profile->Connections().Count());
    });
}

std::string TfmMain::vstOrdersGetText(const TUserOrderList& Orders, int Row, int Column) const
{
    std::string Text;
    RunLogged("vstOrdersGetText", [&] {
        if (Row >= Orders.Count())
            return;
        const TUserOrder& Order = Orders.Items(Row);
        switch (Column) {
        case 0:
            Text = std::to_string(Order.OrderID());
            break;
        case 1:
            Text = DateTimeToStr(StampToDate(Order.Time()), GetFormatSettings());
            break;
        case 2:
            Text = Order.OrderType();
            break;
        case 3:
            Text = FloatText(Order.OrigQuantity());
            break;
        case 4:
            Text = Order.Symbol();
            break;
        case 5:
            Text = FloatText(Order.Price());
            break;
        case 6:
            Text = Order.Status();
            break;
        case 7:
            Text = Order.Side();
            break;
        case 8:
            Text = FloatText(Order.StopPrice());
            break;
        default:
            break;
        }
    });
    return Text;
}

std::string TfmMain::vstBalancesGetText(int Row, int Column) const
{
    std::string Text;
    RunLogged("vstBalancesGetText", [&] {
        const TConnectionItem* Main = MainAccount();
        if (!Main || Row >= Main->BalanceList().Count())
            return;
        const TBalance& Balance = Main->BalanceList().Items(Row);
        if (Column == 0)
            Text = Balance.Asset();
        else if (Column == 1)
            Text = FloatText(Balance.Free_());
        else if (Column == 2)
            Text = FloatText(Balance.Locked());
    });
    return Text;
}

std::string TfmMain::vstMultiGetText(int Row, int Column) const
{
    std::string Text;
    RunLogged("vstMultiGetText", [&] {
        if (!Profile || Row >= Profile->Connections().Count())
            return;
        const TConnectionItem& Account = Profile->Connections().Items(Row);
        if (Column == 0)
            Text = Account.Name();
        else if (Column == 1)
            Text = FloatText(Account.Rate());
        else if (Column == 2)
            Text = Account.BalanceList().AsString(GetFormatSettings());
        else if (Column == 3)
            Text = Account.UserOrderList().AsString(GetFormatSettings());
    });
    return Text;
}

std::string TfmMain::SelectedAccount() const
{
    std::string Name;
    RunLogged("SelectedAccount", [&] {
        const int Row = fControls.vstMulti->FirstSelected();
        if (Profile && Row >= 0 && Row < Profile->Connections().Count())
            Name = Profile->Connections().Items(Row).Name();
    });
    return Name;
}

void TfmMain::vstMultiChange()
{
    RunLogged("vstMultiChange", [this] {
        fControls.Actions.acMultiDel->setEnabled(Profile && Profile->UIVisible().dpTerminal() &&
                                                 !SelectedAccount().empty());
    });
}

// The balances of the main account, asked for again; the answer refreshes the grid.
void TfmMain::RefreshBalanceModel()
{
    RunLogged("RefreshBalanceModel", [] {
        if (Profile)
            Profile->MainProfile().AccountEx(nullptr, true);
    });
}

// The order stays in the grid until the refreshed open orders arrive.
void TfmMain::acOrderDeleteExecute()
{
    RunLogged("acOrderDeleteExecute", [this] {
        const TConnectionItem* Main = MainAccount();
        const int Row = fControls.vstOrders->FirstSelected();
        if (!Main || !User || Row < 0 || Row >= Main->UserOrderList().Count())
            return;
        // A copy: the list may be replaced while the question is open.
        const TUserOrder Order = Main->UserOrderList().Items(Row);
        if (!Confirm(TranslateText("Уверены что хотите удалит ордер?").toStdString()))
            return;
        User->OrderDelete(Order, &Profile->MainProfile(), User->Input().Multi());
    });
}

void TfmMain::acNoZeroBalanceExecute()
{
    RunLogged("acNoZeroBalanceExecute", [this] {
        if (!User)
            return;
        TUserInputData& Input = User->Input();
        Input.SetNoZeroBalance(!Input.NoZeroBalance());
        fControls.Actions.acNoZeroBalance->setChecked(Input.NoZeroBalance());
        RefreshBalanceModel();
    });
}

// A good logon loads the main account's balances and orders and opens the
// views the authorisation allows.
void TfmMain::acLoginExecute()
{
    RunLogged("acLoginExecute", [this] {
        if (!Profile || !User || !ExecuteDlgBaseLogon(nullptr, false))
            return;
        User->Input().SetAuth(uaAuth);
        Profile->SaveToFile();
        TConnectionItem& Main = Profile->MainProfile();
        Main.AccountEx(&Main, true);
        User->AllOrdersEx(&Main);
        User->OpenOrdersEx(&Main);
        InitUserInterface();
    });
}

void TfmMain::acMultiAddExecute()
{
    RunLogged("acMultiAddExecute", [this] {
        if (!Profile || !User)
            return;
        if (Profile->Connections().Count() >= TProfile::cMaxConnections) {
            Alert("Достигнут линит в 10 подключений");
            return;
        }
        TConnectionItem Typed;
        if (ExecuteDlgBaseLogon(&Typed, true)) {
            TConnectionItem& Added = Profile->Connections().Add();
            Added.Assign(Typed);
            Added.SetName(Typed.Name());
            Added.SetRate(Typed.Rate());
            Profile->SaveToFile();
            Profile->NotifyConnections();
        }
        // Also while offline, when the window does not hear the queue.
        RefreshMultiAccount();
    });
}

void TfmMain::acMultiDelExecute()
{
    RunLogged("acMultiDelExecute", [this] {
        const int Row = fControls.vstMulti->FirstSelected();
        if (!Profile || Row < 0 || Row >= Profile->Connections().Count())
            return;
        Profile->Connections().Delete(Row);
        Profile->SaveToFile();
        Profile->NotifyConnections();
        RefreshMultiAccount();
    });
}

// Multi-trading needs the terminal panel allowed, a logged-on user and at
// least one further account; otherwise it is switched off.
void TfmMain::acMultiExecute()
{
    RunLogged("acMultiExecute", [this] {
        if (!User)
            return;
        TUserInputData& Input = User->Input();
        const bool Allowed = Profile && Profile->UIVisible().dpTerminal() &&
                             Input.Auth() == uaAuth && Profile->Connections().Count() > 0;
        Input.SetMulti(Allowed && !Input.Multi());
        fControls.Actions.acMulti->setChecked(Input.Multi());
    });
}
