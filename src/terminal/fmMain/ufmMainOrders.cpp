#include "terminal/fmMain/ufmMain.h"

#include "domain/uCollections.h"
#include "domain/uProfile.h"
#include "domain/uSymbolShowList.h"
#include "domain/uUser.h"
#include "platform/qt/VirtualStringTree.h"
#include "terminal/charts/uCharts.h"
#include "terminal/charts/uMainChartList.h"
#include "terminal/fmBasic/uDecimalKeyFilter.h"
#include "terminal/fmBasic/uFormParts.h"
#include "terminal/fmBasic/uMainGuard.h"
#include "terminal/fmBasic/uOrderEntry.h"

#include <QDockWidget>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <cmath>
#include <utility>

// The Buy and Sell panels place orders for the market watch's symbol on the
// main account, prefilled from that symbol's last price.

namespace {

double NumberOrZero(const QLineEdit* Edit)
{
    const double Value = Edit ? EnteredNumber(*Edit) : 0;
    return std::isnan(Value) ? 0 : Value;
}

bool Unset(const QLineEdit* Edit)
{
    return Edit && (Edit->text().isEmpty() || Edit->text() == QLatin1String("0"));
}

void FillUnset(QLineEdit* Edit, const std::string& Text)
{
    if (Unset(Edit))
        Edit->setText(QString::fromStdString(Text));
}

const TOrderSheet& ActiveSheet(const QTabWidget* Pages, const std::vector<TOrderSheet>& Sheets)
{
    return Sheets.at(std::size_t(std::max(Pages->currentIndex(), 0)));
}

} // namespace

void TfmMain::ConnectOrderPanels()
{
    for (auto* Sheets : {&fControls.BuySheets, &fControls.SellSheets})
        for (const TOrderSheet& Sheet : *Sheets) {
            for (QLineEdit* Edit : {Sheet.Stop, Sheet.Price, Sheet.Amount})
                if (Edit)
                    InstallDecimalKeyFilter(*Edit);
            for (QLineEdit* Edit : {Sheet.Price, Sheet.Amount})
                connect(Edit, &QLineEdit::textChanged, this, [this] { RefreshTotals(); });
            // Return never places an order.
            Sheet.Button->setAutoDefault(false);
            connect(Sheet.Button, &QPushButton::clicked, this,
                    [this, &Sheet] { OrderButtonClick(Sheet); });
        }
    connect(fControls.pcBuy, &QTabWidget::currentChanged, this, [this] { pcBuyChange(); });
    connect(fControls.pcSell, &QTabWidget::currentChanged, this, [this] { pcSellChange(); });
    // A panel shown is filled as a sheet shown is.
    for (const auto& [Panel, Change] : {std::pair{fControls.dpBuy, &TfmMain::pcBuyChange},
                                        std::pair{fControls.dpSell, &TfmMain::pcSellChange}})
        connect(Panel, &QDockWidget::visibilityChanged, this, [this, Change](bool Visible) {
            if (Visible)
                (this->*Change)();
        });
    connect(fControls.vstSymbols->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { OrderSymbolChange(); });
}

void TfmMain::pcBuyChange()
{
    PrefillSheet(ActiveSheet(fControls.pcBuy, fControls.BuySheets));
}

void TfmMain::pcSellChange()
{
    PrefillSheet(ActiveSheet(fControls.pcSell, fControls.SellSheets));
}

// The panels trade the market watch's selected symbol. When it changes, what
// was entered for the old one is cleared: an order never carries one
// symbol's price or amount to another. True when it changed.
bool TfmMain::RefreshOrderSymbol()
{
    const std::string Symbol = SelectedSymbol();
    if (Symbol == fOrderSymbol)
        return false;
    fOrderSymbol = Symbol;
    for (QLabel* Label : {fControls.lblBuySymbol, fControls.lblSellSymbol})
        Label->setText(QString::fromStdString(Symbol));
    for (auto* Sheets : {&fControls.BuySheets, &fControls.SellSheets})
        for (const TOrderSheet& Sheet : *Sheets)
            for (QLineEdit* Edit : {Sheet.Stop, Sheet.Price, Sheet.Amount})
                if (Edit)
                    Edit->clear();
    return true;
}

// The watch's selection moved, or the watch was refilled under it: a new
// symbol's prices are filled in at once, its amount is left to the trader.
void TfmMain::OrderSymbolChange()
{
    RunLogged("OrderSymbolChange", [this] {
        if (!RefreshOrderSymbol())
            return;
        FillPrices(ActiveSheet(fControls.pcBuy, fControls.BuySheets));
        FillPrices(ActiveSheet(fControls.pcSell, fControls.SellSheets));
        RefreshTotals();
    });
}

// The panels' symbol's last price: the selected chart's when it shows that
// symbol and has one, else the market watch's; 0 when neither knows it.
double TfmMain::OrderSymbolPrice() const
{
    const TChartItem* Chart = fChartList.GetSelected();
    if (Chart && Chart->Symbol() == fOrderSymbol && Chart->ChartPrice() > 0)
        return Chart->ChartPrice();
    const TSymbol* Symbol = User ? User->SymbolShowList().SymbolList().Find(fOrderSymbol) : nullptr;
    return Symbol ? Symbol->LastPrice() : 0;
}

// Unset prices take the symbol's last price.
void TfmMain::FillPrices(const TOrderSheet& Sheet)
{
    if (const double Last = OrderSymbolPrice(); Last > 0) {
        const std::string Price = PlainFloatText(Last);
        FillUnset(Sheet.Stop, Price);
        FillUnset(Sheet.Price, Price);
    }
}

// A sheet shown: its prices as above, an unset amount the smallest usual
// lot. Nothing without a symbol.
void TfmMain::PrefillSheet(const TOrderSheet& Sheet)
{
    RefreshOrderSymbol();
    if (fOrderSymbol.empty())
        return;
    FillPrices(Sheet);
    FillUnset(Sheet.Amount, PlainFloatText(0.01));
    RefreshTotals();
}

// The total of each panel's active sheet: price times amount, a text that is
// not a number counting as 0; empty while either field is.
void TfmMain::RefreshTotals()
{
    for (const TOrderSheet* Sheet : {&ActiveSheet(fControls.pcBuy, fControls.BuySheets),
                                     &ActiveSheet(fControls.pcSell, fControls.SellSheets)}) {
        const double Total = NumberOrZero(Sheet->Price) * NumberOrZero(Sheet->Amount);
        const bool Entered = !Sheet->Price->text().isEmpty() && !Sheet->Amount->text().isEmpty();
        Sheet->Total->setText(Entered ? QString::fromStdString(PlainFloatText(Total)) : QString());
    }
}

// An order that may not go out is named to the trader and not sent.
void TfmMain::OrderButtonClick(const TOrderSheet& Sheet)
{
    const std::string Name = Sheet.Button->objectName().toStdString() + "Click";
    RunLogged(Name.c_str(), [&] {
        if (!User || !Profile)
            return;
        RefreshOrderSymbol();
        TOrder Order;
        Order.SetSymbol(fOrderSymbol);
        Order.SetSide(Sheet.Side);
        Order.SetType_(Sheet.Type);
        Order.SetQuantity(EnteredNumber(*Sheet.Amount));
        Order.SetPrice(EnteredNumber(*Sheet.Price));
        if (Sheet.Stop)
            Order.SetStopPrice(EnteredNumber(*Sheet.Stop));
        if (OrderReady(Order))
            User->OrderPost(Order, &Profile->MainProfile(), User->Input().Multi());
    });
}
