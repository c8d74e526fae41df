#include "terminal/dlgIndicator/udlgIndicator.h"

#include "controls/uExComboBox.h"
#include "platform/SysUtils.h"
#include "terminal/dlgIndicator/uIndicatorBoxes.h"
#include "terminal/fmBasic/uColorPickBox.h"
#include "terminal/fmBasic/uDigitKeyFilter.h"
#include "terminal/fmBasic/uFormParts.h"
#include "terminal/fmBasic/uMainGuard.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <iterator>

namespace {

constexpr int cWidth = 431;
constexpr int cHeight = 222;
constexpr int cBottomHeight = 41;

// Every panel is a column of rows: a label, then its controls.
constexpr int cLabelLeft = 16;
constexpr int cControlLeft = 112;
constexpr int cRowTop = 14;
constexpr int cRowStep = 32;
constexpr int cRowHeight = 23;

constexpr const char* cMethodNames[] = {"Simple", "Exponential", "Smoothed", "Linear weighted"};

struct TPriceEntry {
    TIndicatorPrice Price;
    const char* Name;
};
constexpr TPriceEntry cPriceEntries[] = {
    {PRICE_OPEN, "Open"}, {PRICE_CLOSE, "Close"}, {PRICE_HIGH, "High"}, {PRICE_LOW, "Low"}};

int PriceIndex(TIndicatorPrice aPrice)
{
    const TIndicatorPrice Price = NearestPrice(aPrice);
    const auto Found = std::find_if(std::begin(cPriceEntries), std::end(cPriceEntries),
                                    [Price](const TPriceEntry& e) { return e.Price == Price; });
    return int(Found - std::begin(cPriceEntries));
}

TIndicatorPrice PriceAt(const QComboBox* aList)
{
    return cPriceEntries[std::clamp(aList->currentIndex(), 0, int(std::size(cPriceEntries)) - 1)]
        .Price;
}

QRect RowRect(int Row, int Left, int Width)
{
    return QRect(Left, cRowTop + Row * cRowStep, Width, cRowHeight);
}

QWidget* CreatePanel(QWidget* Form, const char* Name)
{
    auto* Panel = new QWidget(Form);
    Panel->setObjectName(QString::fromLatin1(Name));
    Panel->setGeometry(0, 0, cWidth, cHeight - cBottomHeight);
    Panel->hide();
    return Panel;
}

void RowLabel(QWidget* Panel, const char* Name, const char* Text, int Row)
{
    CreateLabel(Panel, Name, QString::fromUtf8(Text),
                QRect(cLabelLeft, cRowTop + Row * cRowStep + 3, cControlLeft - cLabelLeft, 17));
}

QLineEdit* NumberEdit(QWidget* Panel, const char* Name, int Row)
{
    auto* Edit = new QLineEdit(Panel);
    Edit->setObjectName(QString::fromLatin1(Name));
    Edit->setGeometry(RowRect(Row, cControlLeft, 80));
    InstallDigitKeyFilter(*Edit);
    return Edit;
}

QComboBox* List(QWidget* Panel, const char* Name, int Row)
{
    auto* Box = new QComboBox(Panel);
    Box->setObjectName(QString::fromLatin1(Name));
    Box->setGeometry(RowRect(Row, cControlLeft, 150));
    return Box;
}

// The first row of a line indicator's panel.
TLineControls LineRow(QWidget* Panel, const char* Label, const char* Color, const char* Style,
                      const char* Width)
{
    RowLabel(Panel, Label, "Стиль:", 0);
    return {CreateColorBox(Panel, Color, RowRect(0, cControlLeft, 120)),
            CreateLineStyleBox(Panel, Style, RowRect(0, 238, 100)),
            CreateLineWidthBox(Panel, Width, RowRect(0, 344, 70))};
}

int Number(const QLineEdit* Edit)
{
    return StrToInt(Edit->text().toStdString());
}

void SetNumber(QLineEdit* Edit, std::int32_t Value)
{
    Edit->setText(QString::number(Value));
}

void FillList(QComboBox* List, const QStringList& Entries)
{
    List->clear();
    List->addItems(Entries);
    List->setCurrentIndex(0);
}

} // namespace

void TLineControls::Show(const TLineIndicatorInfo& aInfo) const
{
    Color->SetSelected(aInfo.LineColor());
    Style->setCurrentIndex(NearestLineStyle(aInfo.LineStyle()));
    Width->setCurrentIndex(NearestLineWidth(aInfo.LineWidth()) - 1);
}

void TLineControls::Read(TLineIndicatorInfo& aInfo) const
{
    aInfo.SetLineColor(Color->Selected());
    aInfo.SetLineStyle(static_cast<TLineStyle>(std::max(Style->currentIndex(), 0)));
    aInfo.SetLineWidth(std::max(Width->currentIndex(), 0) + 1);
}

TfmIndicator::TfmIndicator(QWidget* Parent) : TfrmBasicOf<QDialog>(Parent)
{
    SetDialogBorder(*this, QStringLiteral("Настройки индикатора"), QSize(cWidth, cHeight));

    panelMA = CreatePanel(this, "panelMA");
    fMaLine = LineRow(panelMA, "lblStyle", "cbColor", "cbStyle", "cbWidth");
    RowLabel(panelMA, "lblMethod", "Метод МА:", 1);
    cbMethod = List(panelMA, "cbMethod", 1);
    RowLabel(panelMA, "lblPeriod", "Период:", 2);
    edPeriod = NumberEdit(panelMA, "edPeriod", 2);
    RowLabel(panelMA, "lblShift", "Сдвиг:", 3);
    edShift = NumberEdit(panelMA, "edShift", 3);
    RowLabel(panelMA, "lblPrice", "Применять к:", 4);
    cbPrice = List(panelMA, "cbPrice", 4);

    panelFractal = CreatePanel(this, "panelFractal");
    RowLabel(panelFractal, "lblFStyle", "Стиль:", 0);
    cbFColor = CreateColorBox(panelFractal, "cbFColor", RowRect(0, cControlLeft, 120));

    panelBollinger = CreatePanel(this, "panelBollinger");
    fBollingerLine = LineRow(panelBollinger, "lblBStyle", "cbBColor", "cbBStyle", "cbBWidth");
    RowLabel(panelBollinger, "lblBPrice", "Применять к:", 1);
    cbBPrice = List(panelBollinger, "cbBPrice", 1);
    RowLabel(panelBollinger, "lblBPeriod", "Период:", 2);
    edBPeriod = NumberEdit(panelBollinger, "edBPeriod", 2);
    RowLabel(panelBollinger, "lblBShift", "Сдвиг:", 3);
    edBShift = NumberEdit(panelBollinger, "edBShift", 3);
    RowLabel(panelBollinger, "lblBDev", "Отклонения:", 4);
    edBDev = NumberEdit(panelBollinger, "edBDev", 4);

    panelZZ = CreatePanel(this, "panelZZ");
    fZigZagLine = LineRow(panelZZ, "lblZZStyle", "cbZZColor", "cbZZStyle", "cbZZWidth");
    RowLabel(panelZZ, "lblZZDepth", "Depth:", 1);
    edZZDepth = NumberEdit(panelZZ, "edZZDepth", 1);
    RowLabel(panelZZ, "lblZZBackstep", "Backstep:", 2);
    edZZBackstep = NumberEdit(panelZZ, "edZZBackstep", 2);

    QWidget* panelBottom = CreateBottomPanel(this, "panelBottom", cBottomHeight);
    btnReset = CreateButton(panelBottom, "btnReset", QStringLiteral("Сброс"), QRect(16, 8, 75, 25));
    btnReset->hide();
    btnOk = CreateButton(panelBottom, "btnOk", QStringLiteral("ОК"), QRect(262, 8, 75, 25));
    btnOk->setDefault(true);
    btnCancel =
        CreateButton(panelBottom, "btnCancel", QStringLiteral("Отмена"), QRect(343, 8, 75, 25));

    connect(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnReset, &QPushButton::clicked, this, [this] { btnResetClick(); });
    FormCreate();
}

void TfmIndicator::FormCreate()
{
    TranslateForm();
}

void TfmIndicator::TranslateForm()
{
    setWindowTitle(TranslateText(windowTitle().toStdString()));
    for (QPushButton* Button : {btnOk, btnCancel, btnReset})
        Button->setText(TranslateText(Button->text().toStdString()));
    for (QLabel* Label : findChildren<QLabel*>())
        Label->setText(TranslateText(Label->text().toStdString()));
}

void TfmIndicator::RefreshForm()
{
    QStringList Prices;
    for (const TPriceEntry& Entry : cPriceEntries)
        Prices << QString::fromLatin1(Entry.Name);
    if (dynamic_cast<TMaIndicatorInfo*>(fIndicatorInfo)) {
        QStringList Methods;
        for (const char* Name : cMethodNames)
            Methods << QString::fromLatin1(Name);
        FillList(cbMethod, Methods);
        FillList(cbPrice, Prices);
    } else if (dynamic_cast<TBollingerIndicatorInfo*>(fIndicatorInfo))
        FillList(cbBPrice, Prices);
}

void TfmIndicator::SetIndicator(TBaseIndicatorInfo* Value)
{
    fIndicatorInfo = Value;
    RefreshForm();
    for (QWidget* Panel : {panelMA, panelFractal, panelBollinger, panelZZ})
        Panel->hide();
    if (auto* Ma = dynamic_cast<TMaIndicatorInfo*>(Value)) {
        fMaLine.Show(*Ma);
        cbMethod->setCurrentIndex(NearestMethod(Ma->Method()));
        SetNumber(edPeriod, Ma->Period());
        SetNumber(edShift, Ma->Shift());
        cbPrice->setCurrentIndex(PriceIndex(Ma->Price()));
        panelMA->show();
    } else if (auto* Fractal = dynamic_cast<TFractalIndicatorInfo*>(Value)) {
        cbFColor->SetSelected(Fractal->Color());
        panelFractal->show();
    } else if (auto* Bollinger = dynamic_cast<TBollingerIndicatorInfo*>(Value)) {
        fBollingerLine.Show(*Bollinger);
        cbBPrice->setCurrentIndex(PriceIndex(Bollinger->Price()));
        SetNumber(edBPeriod, Bollinger->Period());
        SetNumber(edBShift, Bollinger->Shift());
        SetNumber(edBDev, Bollinger->Dev());
        panelBollinger->show();
    } else if (auto* ZigZag = dynamic_cast<TZigZagIndicatorInfo*>(Value)) {
        fZigZagLine.Show(*ZigZag);
        SetNumber(edZZDepth, ZigZag->Depth());
        SetNumber(edZZBackstep, ZigZag->Backstep());
        panelZZ->show();
    }
    setFixedSize(cWidth, cHeight);
}

// Every number is read before the indicator changes.
TBaseIndicatorInfo* TfmIndicator::GetIndicator()
{
    if (auto* Ma = dynamic_cast<TMaIndicatorInfo*>(fIndicatorInfo)) {
        const int Period = Number(edPeriod);
        const int Shift = Number(edShift);
        Ma->SetPeriod(Period);
        Ma->SetShift(Shift);
        Ma->SetMethod(static_cast<TIndicatorMethod>(std::max(cbMethod->currentIndex(), 0)));
        Ma->SetPrice(PriceAt(cbPrice));
        fMaLine.Read(*Ma);
    } else if (auto* Fractal = dynamic_cast<TFractalIndicatorInfo*>(fIndicatorInfo))
        Fractal->SetColor(cbFColor->Selected());
    else if (auto* Bollinger = dynamic_cast<TBollingerIndicatorInfo*>(fIndicatorInfo)) {
        const int Period = Number(edBPeriod);
        const int Shift = Number(edBShift);
        const int Dev = Number(edBDev);
        Bollinger->SetPeriod(Period);
        Bollinger->SetShift(Shift);
        Bollinger->SetDev(Dev);
        Bollinger->SetPrice(PriceAt(cbBPrice));
        fBollingerLine.Read(*Bollinger);
    } else if (auto* ZigZag = dynamic_cast<TZigZagIndicatorInfo*>(fIndicatorInfo)) {
        const int Depth = Number(edZZDepth);
        const int Backstep = Number(edZZBackstep);
        ZigZag->SetDepth(Depth);
        ZigZag->SetBackstep(Backstep);
        fZigZagLine.Read(*ZigZag);
    }
    return fIndicatorInfo;
}

// A field that is not a number shows its error and keeps the dialog open.
void TfmIndicator::btnOkClick()
{
    RunShown([this] {
        GetIndicator();
        accept();
    });
}

void TfmIndicator::btnResetClick()
{
    if (!fIndicatorInfo)
        return;
    fIndicatorInfo->Reset();
    SetIndicator(fIndicatorInfo);
}

bool ExecuteDlgIndicator(TBaseIndicatorInfo& aInfo)
{
    TfmIndicator Dialog;
    Dialog.SetIndicator(&aInfo);
    return Dialog.exec() == QDialog::Accepted;
}
