#include "terminal/fmMain/ufmMain.h"

#include "domain/charts/uCharts.h"
#include "domain/charts/uMainChartList.h"
#include "domain/uCollections.h"
#include "domain/uProfile.h"
#include "domain/uUser.h"
#include "platform/FormatSettings.h"
#include "platform/SysUtils.h"
#include "terminal/fmBasic/uDecimalKeyFilter.h"
#include "terminal/fmBasic/uFormParts.h"
#include "terminal/fmBasic/uMainGuard.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

// The Buy and Sell panels place orders for the market watch's symbol on the
// main account, prefilled from the selected chart's last price.

namespace {

double NumberOrZero(const QLineEdit* Edit)
{
    double Value = 0;
    return Edit && TryStrToFloat(Edit->text().toStdString(), Value, GetFormatSettings()) ? Value
                                                                                         : 0;
}

// Raises when the text is not a number: no order goes out then.
double NumberOf(const QLineEdit* Edit)
{
    return StrToFloat(Edit->text().toStdString(), GetFormatSettings());
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
            connect(Sheet.Button, &QPushButton::clicked, this,
                    [this, &Sheet] { OrderButtonClick(Sheet); });
        }
    connect(fControls.pcBuy, &QTabWidget::currentChanged, this, [this] { pcBuyChange(); });
    connect(fControls.pcSell, &QTabWidget::currentChanged, this, [this] { pcSellChange(); });
}

void TfmMain::pcBuyChange()
{
    PrefillSheet(ActiveSheet(fControls.pcBuy, fControls.BuySheets));
}

void TfmMain::pcSellChange()
{
    PrefillSheet(ActiveSheet(fControls.pcSell, fControls.SellSheets));
}

// Unset prices take the selected chart's last price, an unset amount the
// smallest usual lot. Nothing without a selected chart.
void TfmMain::PrefillSheet(const TOrderSheet& Sheet)
{
    const TChartItem* Chart = fChartList.GetSelected();
    if (!Chart)
        return;
    const std::string Price = FloatText(Chart->ChartPrice());
    FillUnset(Sheet.Stop, Price);
    FillUnset(Sheet.Price, Price);
    // Written in the program's format, so that it reads back as a number.
    FillUnset(Sheet.Amount, FloatText(0.01));
    RefreshTotals();
}

// The total of each panel's active sheet: price times amount, a text that is
// not a number counting as 0.
void TfmMain::RefreshTotals()
{
    for (const TOrderSheet* Sheet : {&ActiveSheet(fControls.pcBuy, fControls.BuySheets),
                                     &ActiveSheet(fControls.pcSell, fControls.SellSheets)}) {
        const double Total = NumberOrZero(Sheet->Price) * NumberOrZero(Sheet->Amount);
        Sheet->Total->setText(QString::fromStdString(FloatText(Total)));
    }
}

void TfmMain::OrderButtonClick(const TOrderSheet& Sheet)
{
    const std::string Name = Sheet.Button->objectName().toStdString() + "Click";
    RunLogged(Name.c_str(), [&] {
        if (!User || !Profile)
            return;
        TOrder Order;
        Order.SetSymbol(SelectedSymbol());
        Order.SetSide(Sheet.Side);
        Order.SetType_(Sheet.Type);
        Order.SetQuantity(NumberOf(Sheet.Amount));
        Order.SetPrice(NumberOf(Sheet.Price));
        if (Sheet.Stop)
            Order.SetStopPrice(NumberOf(Sheet.Stop));
        User->OrderPost(Order, &Profile->MainProfile(), User->Input().Multi());
    });
}
