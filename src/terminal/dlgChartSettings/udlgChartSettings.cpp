#include "terminal/dlgChartSettings/udlgChartSettings.h"

#include "platform/FormatSettings.h"
#include "platform/SysUtils.h"
#include "platform/qt/AppException.h"
#include "terminal/dlgChartSettings/uChartSettingsPreview.h"
#include "terminal/fmBasic/uColorPickBox.h"
#include "terminal/fmBasic/uFormParts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <iterator>
#include <stdexcept>

namespace {

constexpr int cWidth = 600;
constexpr int cHeight = 340;
constexpr int cButtonsHeight = 41;
constexpr const char* cPinsNoRange = "Закрепленный максимум должен быть больше минимума";

using TSettings = TChartSettingsInfo;

struct TColorField {
    const char* Box;
    const char* Label;
    const char* Caption;
    TColor (TSettings::*Get)() const;
    void (TSettings::*Set)(TColor);
};
constexpr TColorField cColorFields[TfmChartSettings::cColorCount] = {
    {"cbBackground", "lblBackground", "Фон:", &TSettings::Background, &TSettings::SetBackground},
    {"cbText", "lblText", "Текст:", &TSettings::Text, &TSettings::SetText},
    {"cbBuy", "lblBuy", "Buy:", &TSettings::Buy, &TSettings::SetBuy},
    {"cbSell", "lblSell", "Sell:", &TSettings::Sell, &TSettings::SetSell},
    {"cbGrid", "lblGrid", "Сетка:", &TSettings::Grid, &TSettings::SetGrid},
    {"cbBar", "lblBar", "Бар:", &TSettings::Bar, &TSettings::SetBar}};

// Colours in the order of the colour fields.
struct TColorScheme {
    const char* Name;
    TColor Colors[TfmChartSettings::cColorCount];
};
constexpr TColorScheme cColorSchemes[] = {
    {"Yellow On Black", {clBlack, clWhite, clWhite, clBlack, clGray, clYellow}},
    {"Green On Black", {clBlack, clWhite, clWhite, clBlack, clGray, clLime}},
    {"Black On White", {clWhite, clBlack, clWhite, clBlack, clGray, clBlack}},
    {"Red Green On White",
     {clWhite, clBlack, TColor(clLtGreen), TColor(clLtRed), clGray, clBlack}}};

enum TFlagGroup { fgChart, fgScale, fgShow };
struct TFlagField {
    const char* Name;
    const char* Caption;
    TFlagGroup Group;
    bool (TSettings::*Get)() const;
    void (TSettings::*Set)(bool);
};
constexpr TFlagField cFlagFields[TfmChartSettings::cFlagCount] = {
    {"chbAutonomic", "Автономный график", fgChart, &TSettings::Autonomic, &TSettings::SetAutonomic},
    {"chbChartOnTop", "График сверху", fgChart, &TSettings::ChartOnTop, &TSettings::SetChartOnTop},
    {"chbChartShift", "Смещение графика", fgChart, &TSettings::ChartShift,
     &TSettings::SetChartShift},
    {"chbChartAutoMove", "Автопрокрутка графика", fgChart, &TSettings::ChartAutoMove,
     &TSettings::SetChartAutoMove},
    {"chbFixedZoom11", "Фиксировать масштаб  1:1", fgScale, &TSettings::FixedZoom11,
     &TSettings::SetFixedZoom11},
    {"chbFixedZoom", "Фиксировать масштаб", fgScale, &TSettings::FixedZoom,
     &TSettings::SetFixedZoom},
    {"chbShowOHLC", "Показывать OHLC", fgShow, &TSettings::ShowOHLC, &TSettings::SetShowOHLC},
    {"chbShowAsk", "Показывать линию Ask", fgShow, &TSettings::ShowAsk, &TSettings::SetShowAsk},
    {"chbShowPeriods", "Показывать разделители периодов", fgShow, &TSettings::ShowPeriods,
     &TSettings::SetShowPeriods},
    {"chbShowGrid", "Показывать сетку", fgShow, &TSettings::ShowGrid, &TSettings::SetShowGrid},
    {"chbShowVolume", "Показывать объемы", fgShow, &TSettings::ShowVolume,
     &TSettings::SetShowVolume},
    {"chbShowTips", "Показывать описание объектов", fgShow, &TSettings::ShowTips,
     &TSettings::SetShowTips}};
constexpr int cFixedZoomFlag = 5;

constexpr int cRow = 22;

// No exception leaves a handler: the application's handler logs it and shows
// its message once the event has returned.
template <class TBody> void Guarded(const char* Method, TBody&& Body) noexcept
{
    try {
        Body();
    } catch (...) {
        ApplicationHandleException(std::string("TfmChartSettings.") + Method);
    }
}

QGroupBox* CreateGroup(QWidget* Parent, const char* Name, QRect Geometry)
{
    auto* Group = new QGroupBox(Parent);
    Group->setObjectName(QString::fromLatin1(Name));
    Group->setGeometry(Geometry);
    return Group;
}

template <class TButton>
TButton* CreateCheck(QWidget* Parent, const char* Name, const char* Caption, int Row)
{
    auto* Button = new TButton(QString::fromUtf8(Caption), Parent);
    Button->setObjectName(QString::fromLatin1(Name));
    Button->setGeometry(10, 16 + Row * cRow, Parent->width() - 20, 20);
    return Button;
}

QLineEdit* CreatePinEdit(QWidget* Parent, const char* Name, int Top)
{
    auto* Edit = new QLineEdit(Parent);
    Edit->setObjectName(QString::fromLatin1(Name));
    Edit->setGeometry(170, Top, 100, 22);
    return Edit;
}

void Translate(QWidget* Control)
{
    if (auto* Label = qobject_cast<QLabel*>(Control))
        Label->setText(TranslateText(Label->text().toStdString()));
    else if (auto* Button = qobject_cast<QAbstractButton*>(Control))
        Button->setText(TranslateText(Button->text().toStdString()));
}

} // namespace

TfmChartSettings::TfmChartSettings(QWidget* Parent) : TfrmBasicOf<QDialog>(Parent)
{
    SetDialogBorder(*this, QStringLiteral("Настройки графика"), QSize(cWidth, cHeight));
    pcSettings = new QTabWidget(this);
    pcSettings->setObjectName(QStringLiteral("pcSettings"));
    pcSettings->setGeometry(4, 4, cWidth - 8, cHeight - cButtonsHeight - 8);
    auto* Colors = new QWidget;
    Colors->setObjectName(QStringLiteral("tsColors"));
    pcSettings->addTab(Colors, QStringLiteral("Цвета"));
    auto* Common = new QWidget;
    Common->setObjectName(QStringLiteral("tsCommon"));
    pcSettings->addTab(Common, QStringLiteral("Общие"));
    CreateColorsPage(Colors);
    CreateCommonPage(Common);
    CreateButtons();
    pcSettings->setCurrentIndex(0);
    FormCreate();
}

TfmChartSettings::~TfmChartSettings() = default;

void TfmChartSettings::CreateColorsPage(QWidget* Page)
{
    for (int Index = 0; Index < cColorCount; ++Index) {
        const TColorField& Field = cColorFields[Index];
        CreateLabel(Page, Field.Label, QString::fromUtf8(Field.Caption),
                    QRect(8, 14 + Index * 30, 74, 17));
        auto* Box = new TColorPickBox(Page);
        Box->setObjectName(QString::fromLatin1(Field.Box));
        Box->setGeometry(84, 10 + Index * 30, 128, 22);
        Box->OnChange = [this, Index] { Guarded("cbColorChange", [&] { cbColorChange(Index); }); };
        fColorBoxes[Index] = Box;
    }
    CreateLabel(Page, "lblColorScheme", QStringLiteral("Цветовая схема"), QRect(8, 196, 204, 17));
    cbColorScheme = new QComboBox(Page);
    cbColorScheme->setObjectName(QStringLiteral("cbColorScheme"));
    cbColorScheme->setGeometry(8, 214, 204, 22);
    for (const TColorScheme& Scheme : cColorSchemes)
        cbColorScheme->addItem(QString::fromLatin1(Scheme.Name));
    cbColorScheme->setCurrentIndex(-1);
    connect(cbColorScheme, &QComboBox::activated, this, [this](int Index) {
        Guarded("cbColorSchemeChange", [&] { cbColorSchemeChange(Index); });
    });

    auto* Host = new QWidget(Page);
    Host->setObjectName(QStringLiteral("panChart"));
    Host->setGeometry(216, 8, TChartSettingsPreview::cWidth, TChartSettingsPreview::cHeight);
    fPreview = std::make_unique<TChartSettingsPreview>(Host);
}

void TfmChartSettings::CreateCommonPage(QWidget* Page)
{
    QGroupBox* Groups[] = {CreateGroup(Page, "gbChart", QRect(8, 6, 280, 104)),
                           CreateGroup(Page, "gbScale", QRect(8, 114, 280, 138)),
                           CreateGroup(Page, "gbShow", QRect(296, 6, 288, 152))};
    int Rows[std::size(Groups)] = {};
    for (int Index = 0; Index < cFlagCount; ++Index) {
        const TFlagField& Field = cFlagFields[Index];
        fFlagBoxes[Index] = CreateCheck<QCheckBox>(Groups[Field.Group], Field.Name, Field.Caption,
                                                   Rows[Field.Group]++);
    }
    connect(fFlagBoxes[cFixedZoomFlag], &QCheckBox::toggled, this, [this] { RefreshFixed(); });
    QGroupBox* Scale = Groups[fgScale];
    lblPinMax = CreateLabel(Scale, "lblPinMax", QStringLiteral("Закрепить максимум"),
                            QRect(10, 70, 156, 17));
    edPinMax = CreatePinEdit(Scale, "edPinMax", 66);
    lblPinMin = CreateLabel(Scale, "lblPinMin", QStringLiteral("Закрепить минимум"),
                            QRect(10, 102, 156, 17));
    edPinMin = CreatePinEdit(Scale, "edPinMin", 98);

    QGroupBox* Types = CreateGroup(Page, "gbType", QRect(296, 162, 288, 90));
    rbBar = CreateCheck<QRadioButton>(Types, "rbBar", "Бары", 0);
    rbCandle = CreateCheck<QRadioButton>(Types, "rbCandle", "Японские свечи", 1);
    rbLine = CreateCheck<QRadioButton>(Types, "rbLine", "Линия", 2);
    for (auto [Button, Type] :
         {std::pair{rbBar, ctBar}, std::pair{rbCandle, ctCandle}, std::pair{rbLine, ctLine}})
        connect(Button, &QRadioButton::clicked, this,
                [this, Type] { Guarded("rbBarClick", [&] { rbBarClick(Type); }); });
}

void TfmChartSettings::CreateButtons()
{
    QWidget* Panel = CreateBottomPanel(this, "panBottom", cButtonsHeight);
    btnReset = CreateButton(Panel, "btnReset", QStringLiteral("Сброс"), QRect(8, 8, 90, 25));
    btnOk = CreateButton(Panel, "btnOk", QStringLiteral("ОК"), QRect(cWidth - 200, 8, 90, 25));
    btnCancel =
        CreateButton(Panel, "btnCancel", QStringLiteral("Отмена"), QRect(cWidth - 104, 8, 90, 25));
    btnOk->setDefault(true);
    connect(btnReset, &QPushButton::clicked, this,
            [this] { Guarded("btnResetClick", [&] { btnResetClick(); }); });
    connect(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmChartSettings::FormCreate()
{
    TranslateForm();
    RefreshFixed();
}

void TfmChartSettings::TranslateForm()
{
    setWindowTitle(TranslateText(windowTitle().toStdString()));
    for (int Index = 0; Index < pcSettings->count(); ++Index)
        pcSettings->setTabText(Index, TranslateText(pcSettings->tabText(Index).toStdString()));
    for (QWidget* Control : findChildren<QWidget*>())
        Translate(Control);
}

void TfmChartSettings::SetInfo(TChartSettingsInfo& aSettings)
{
    fTarget = &aSettings;
    fSettings.Assign(aSettings);
    FillColors();
}

void TfmChartSettings::InitChart(const TKlineList& aKlineList)
{
    fPreview->Fill(aKlineList);
}

void TfmChartSettings::FillColors()
{
    ShowColors();
    ShowFlags();
    RefreshFixed();
    FillChart();
}

void TfmChartSettings::ShowColors()
{
    for (int Index = 0; Index < cColorCount; ++Index)
        fColorBoxes[Index]->SetSelected((fSettings.*cColorFields[Index].Get)());
}

void TfmChartSettings::ShowFlags()
{
    for (int Index = 0; Index < cFlagCount; ++Index)
        fFlagBoxes[Index]->setChecked((fSettings.*cFlagFields[Index].Get)());
    edPinMin->setText(QString::fromStdString(FloatText(fSettings.PinMin())));
    edPinMax->setText(QString::fromStdString(FloatText(fSettings.PinMax())));
    const TChartType Type = fSettings.ChartType();
    rbBar->setChecked(Type == ctBar);
    rbCandle->setChecked(Type == ctCandle);
    rbLine->setChecked(Type == ctLine);
}

void TfmChartSettings::FillChart()
{
    fPreview->Show(fSettings);
}

void TfmChartSettings::RefreshFixed()
{
    const bool Fixed = fFlagBoxes[cFixedZoomFlag]->isChecked();
    for (QWidget* Control :
         std::initializer_list<QWidget*>{edPinMax, lblPinMax, edPinMin, lblPinMin})
        Control->setEnabled(Fixed);
}

void TfmChartSettings::cbColorChange(int Index)
{
    (fSettings.*cColorFields[Index].Set)(fColorBoxes[Index]->Selected());
    FillChart();
}

// Only the colours change: flags and pins being edited stay as typed.
void TfmChartSettings::cbColorSchemeChange(int Index)
{
    if (Index < 0 || Index >= int(std::size(cColorSchemes)))
        return;
    for (int Field = 0; Field < cColorCount; ++Field)
        (fSettings.*cColorFields[Field].Set)(cColorSchemes[Index].Colors[Field]);
    ShowColors();
    FillChart();
}

// Kept in the working settings too, so that a later colour change keeps the
// preview's chart type.
void TfmChartSettings::rbBarClick(TChartType aType)
{
    fSettings.SetChartType(aType);
    FillChart();
}

void TfmChartSettings::btnResetClick()
{
    fSettings.Reset();
    FillColors();
}

void TfmChartSettings::btnOkClick()
{
    Guarded("btnOkClick", [&] {
        if (fTarget)
            ApplyShown(*fTarget);
        accept();
    });
}

void TfmChartSettings::ApplyShown(TChartSettingsInfo& aSettings) const
{
    const TFormatSettings Format = GetFormatSettings();
    const double PinMin = StrToFloat(edPinMin->text().toStdString(), Format);
    const double PinMax = StrToFloat(edPinMax->text().toStdString(), Format);
    TChartSettingsInfo Shown = fSettings;
    for (int Index = 0; Index < cColorCount; ++Index)
        (Shown.*cColorFields[Index].Set)(fColorBoxes[Index]->Selected());
    for (int Index = 0; Index < cFlagCount; ++Index)
        (Shown.*cFlagFields[Index].Set)(fFlagBoxes[Index]->isChecked());
    Shown.SetPinMin(PinMin);
    Shown.SetPinMax(PinMax);
    Shown.SetChartType(rbBar->isChecked() ? ctBar : rbLine->isChecked() ? ctLine : ctCandle);
    Shown.SetSeries(aSettings.Series());
    if (!Shown.PinsUsable())
        throw std::runtime_error(TranslateText(cPinsNoRange).toStdString());
    aSettings.Assign(Shown);
}

bool ExecuteDlgChartSettings(const TKlineList& aKlineList, TChartSettingsInfo& aSettings)
{
    TfmChartSettings Dialog;
    Dialog.SetInfo(aSettings);
    Dialog.InitChart(aKlineList);
    return Dialog.exec() == QDialog::Accepted;
}
