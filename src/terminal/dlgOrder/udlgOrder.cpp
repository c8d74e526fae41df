#include "terminal/dlgOrder/udlgOrder.h"

#include "controls/uPGButton.h"
#include "domain/uCollections.h"
#include "domain/uProfile.h"
#include "domain/uSymbolShowList.h"
#include "domain/uUser.h"
#include "platform/FormatSettings.h"
#include "platform/Graphics.h"
#include "platform/SysUtils.h"
#include "terminal/fmBasic/uDecimalKeyFilter.h"
#include "terminal/fmBasic/uFormParts.h"
#include "terminal/fmBasic/uMainGuard.h"
#include "terminal/fmBasic/uOrderEntry.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int cWidth = 407;
constexpr int cHeight = 250;
constexpr int cPanelTop = 104;
constexpr int cRight = 392;
constexpr int cQuoteSize = 27;
// Bid and ask have at least these decimals, more when a price needs them.
constexpr int cQuoteDecimals = 6;
// The bid and ask line while the symbol's quote is not known.
constexpr char cNoQuote[] = "0.00000 / 0.00000";
constexpr TColor cSellColour = 0x8080FF;
constexpr TColor cBuyColour = 0xFFC0A0;

struct TPendingKind {
    const char* Caption;
    const char* Side;
    const char* Type;
};
constexpr TPendingKind cPendingKinds[] = {{"Buy Limit", "BUY", "LIMIT"},
                                          {"Sell Limit", "SELL", "LIMIT"},
                                          {"Buy Stop", "BUY", "STOP_LOSS_LIMIT"},
                                          {"Sell Stop", "SELL", "STOP_LOSS_LIMIT"}};

QLineEdit* CreateEdit(QWidget* Parent, const char* Name, const QString& Text, QRect Geometry)
{
    auto* Edit = new QLineEdit(Text, Parent);
    Edit->setObjectName(QString::fromLatin1(Name));
    Edit->setGeometry(Geometry);
    InstallDecimalKeyFilter(*Edit);
    return Edit;
}

QComboBox* CreateList(QWidget* Parent, const char* Name, QRect Geometry)
{
    auto* List = new QComboBox(Parent);
    List->setObjectName(QString::fromLatin1(Name));
    List->setGeometry(Geometry);
    return List;
}

// A button in one colour whatever its state, with the hand cursor.
TPGButton* CreateOrderButton(QWidget* Parent, const char* Name, const QString& Caption,
                             TColor Colour, QRect Geometry)
{
    auto* Button = new TPGButton(Parent);
    Button->setObjectName(QString::fromLatin1(Name));
    Button->setText(Caption);
    Button->setGeometry(Geometry);
    Button->SetCornerSize(1);
    Button->setCursor(Qt::PointingHandCursor);
    // Return never places an order: only a click or Space does.
    Button->setAutoDefault(false);
    TPGCustomButtonColors& Colors = Button->Colors();
    Colors.SetInactive(Colour);
    Colors.SetActive(Colour);
    Colors.SetSelected(Colour);
    Colors.SetDisabled(Colour);
    for (auto Set : {&TPGCustomButtonColors::SetInactiveText, &TPGCustomButtonColors::SetActiveText,
                     &TPGCustomButtonColors::SetSelectedText})
        (Colors.*Set)(clBtnText);
    Colors.SetDisabledText(clGrayText);
    return Button;
}

std::string Translated(const QLabel* Label)
{
    return TranslateText(Label->text().toStdString()).toStdString();
}

// The largest font up to PixelSize in which the whole text fits the label.
void FitFont(QLabel& Label, int PixelSize)
{
    constexpr int cSmallest = 6;
    QFont Font = Label.font();
    Font.setPixelSize(PixelSize);
    const int Room = Label.contentsRect().width();
    while (Font.pixelSize() > cSmallest &&
           QFontMetrics(Font).horizontalAdvance(Label.text()) > Room)
        Font.setPixelSize(Font.pixelSize() - 1);
    Label.setFont(Font);
}

} // namespace

TdlgOrder::TdlgOrder(QWidget* Parent) : TfrmBasicOf<QDialog>(Parent)
{
    SetDialogBorder(*this, QStringLiteral("Ордер"), QSize(cWidth, cHeight));
    lblSymbol = CreateLabel(this, "lblSymbol", QStringLiteral("Символ:"), QRect(16, 12, 90, 17));
    cbSymbol = CreateList(this, "cbSymbol", QRect(112, 8, 280, 23));
    lblVolume = CreateLabel(this, "lblVolume", QStringLiteral("Объем:"), QRect(16, 40, 90, 17));
    edQuantity = CreateEdit(this, "edQuantity", QString(), QRect(112, 36, 120, 23));
    lblStoploss =
        CreateLabel(this, "lblStoploss", QStringLiteral("Стоп Лосс:"), QRect(16, 68, 90, 17));
    edStopLoss = CreateEdit(this, "edStopLoss", QString(), QRect(112, 64, 120, 23));
    lblType = CreateLabel(this, "lblType", QStringLiteral("Тип:"), QRect(240, 40, 40, 17));
    cbType = CreateList(this, "cbType", QRect(280, 36, 112, 23));

    panMarket = new QWidget(this);
    panMarket->setObjectName(QStringLiteral("panMarket"));
    panMarket->setGeometry(0, cPanelTop, cWidth, cHeight - cPanelTop);
    lblMarketOrder = CreateLabel(panMarket, "lblMarketOrder", QStringLiteral("Исполнение по рынку"),
                                 QRect(16, 4, 375, 17));
    lblPrice =
        CreateLabel(panMarket, "lblPrice", QString::fromLatin1(cNoQuote), QRect(16, 26, 375, 40));
    QFont PriceFont(QStringLiteral("Segoe UI"));
    PriceFont.setPixelSize(27);
    lblPrice->setFont(PriceFont);
    lblPrice->setAlignment(Qt::AlignCenter);
    btnSell = CreateOrderButton(panMarket, "btnSell", QStringLiteral("Sell by Market"), cSellColour,
                                QRect(16, 80, 180, 40));
    btnBuy = CreateOrderButton(panMarket, "btnBuy", QStringLiteral("Buy by Market"), cBuyColour,
                               QRect(211, 80, 180, 40));

    panLimit = new QWidget(this);
    panLimit->setObjectName(QStringLiteral("panLimit"));
    panLimit->setGeometry(0, cPanelTop, cWidth, cHeight - cPanelTop);
    lblStopOrder = CreateLabel(panLimit, "lblStopOrder", QStringLiteral("Отложенный ордер"),
                               QRect(16, 4, 375, 17));
    lblOrderType =
        CreateLabel(panLimit, "lblOrderType", QStringLiteral("Тип:"), QRect(16, 32, 90, 17));
    cbOrderType = CreateList(panLimit, "cbOrderType", QRect(112, 28, 150, 23));
    lblOrderPrice =
        CreateLabel(panLimit, "lblOrderPrice", QStringLiteral("По цене:"), QRect(16, 60, 90, 17));
    edPrice = CreateEdit(panLimit, "edPrice", QString(), QRect(112, 56, 150, 23));
    btnExec = CreateOrderButton(panLimit, "btnExec", QStringLiteral("Установить ордер"), cBuyColour,
                                QRect(16, 90, 375, 40));

    timerTimer = new QTimer(this);
    timerTimer->setInterval(1000);
    connect(timerTimer, &QTimer::timeout, this, [this] { timerTimerTimer(); });
    connect(cbType, &QComboBox::currentIndexChanged, this, [this] { RefreshPanels(); });
    connect(cbOrderType, &QComboBox::currentIndexChanged, this, [this] { cbOrderTypeChange(); });
    connect(btnBuy, &QPushButton::clicked, this, [this] { MarketOrder("BUY"); });
    connect(btnSell, &QPushButton::clicked, this, [this] { MarketOrder("SELL"); });
    connect(btnExec, &QPushButton::clicked, this, [this] { btnExecClick(); });
    FormCreate();
    connect(cbSymbol, &QComboBox::currentIndexChanged, this, [this] { cbSymbolChange(); });
}

TdlgOrder::~TdlgOrder()
{
    FormClose();
}

void TdlgOrder::FormCreate()
{
    TranslateForm();
    if (User)
        Subscribe(&User->Publisher(), 0);
    // In the program's number format, so that it reads back as a number.
    edQuantity->setText(QString::fromStdString(FloatText(0.01)));
    edStopLoss->setText(QStringLiteral("0"));
    if (User) {
        const TSymbolShowList& Symbols = User->SymbolShowList();
        for (int Index = 0; Index < Symbols.Count(); ++Index)
            cbSymbol->addItem(QString::fromStdString(Symbols.Names(Index)));
    }
    cbSymbol->setCurrentIndex(cbSymbol->count() > 0 ? 0 : -1);
    cbType->addItems({TranslateText("Рыночное исполнение"), TranslateText("Отложенный ордер")});
    cbType->setCurrentIndex(0);
    LayOutType();
    FitFont(*lblPrice, cQuoteSize);
    for (const TPendingKind& Kind : cPendingKinds)
        cbOrderType->addItem(QString::fromLatin1(Kind.Caption));
    cbOrderType->setCurrentIndex(0);
    RefreshPanels();
    timerTimer->start();
}

// The type list as wide as its longest item, at the right edge; its label
// and the edits beside it give way.
void TdlgOrder::LayOutType()
{
    cbType->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    const int ListWidth = std::max(cbType->width(), cbType->sizeHint().width());
    cbType->setGeometry(cRight - ListWidth, cbType->y(), ListWidth, cbType->height());
    const int LabelWidth = lblType->sizeHint().width();
    lblType->setGeometry(cbType->x() - LabelWidth - 6, lblType->y(), LabelWidth, lblType->height());
    const int EditWidth = std::min(edQuantity->width(), lblType->x() - 8 - edQuantity->x());
    for (QLineEdit* Edit : {edQuantity, edStopLoss})
        Edit->resize(EditWidth, Edit->height());
}

void TdlgOrder::TranslateForm()
{
    setWindowTitle(TranslateText(windowTitle().toStdString()));
    for (QLabel* Label : {lblVolume, lblSymbol, lblStoploss, lblType, lblMarketOrder, lblPrice,
                          lblStopOrder, lblOrderType, lblOrderPrice})
        Label->setText(QString::fromStdString(Translated(Label)));
    btnExec->setText(TranslateText(btnExec->text().toStdString()));
}

void TdlgOrder::done(int Result)
{
    FormClose();
    QDialog::done(Result);
}

void TdlgOrder::FormClose()
{
    if (fClosed)
        return;
    fClosed = true;
    timerTimer->stop();
    if (User)
        Unsubscribe(&User->Publisher(), 0);
}

void TdlgOrder::SetSymbol(const std::string& Value)
{
    fSymbol = Value;
    const QSignalBlocker Quiet(cbSymbol);
    cbSymbol->setCurrentIndex(cbSymbol->findText(QString::fromStdString(Value)));
    cbSymbolChange();
}

std::string TdlgOrder::SelectedSymbol() const
{
    return cbSymbol->currentIndex() >= 0 ? cbSymbol->currentText().toStdString() : std::string();
}

// The prices of another symbol never stay: the quote and the price fields
// are emptied until the new symbol's quote comes, which is asked for at once.
void TdlgOrder::cbSymbolChange()
{
    fBid = 0;
    fAsk = 0;
    fQuoted = false;
    ShowQuote();
    edPrice->clear();
    edStopLoss->clear();
    timerTimerTimer();
}

void TdlgOrder::RefreshPanels()
{
    panMarket->setVisible(cbType->currentIndex() == 0);
    panLimit->setVisible(cbType->currentIndex() == 1);
    if (panLimit->isVisibleTo(this))
        edPrice->setText(AskText());
}

// The ask in full; empty while the symbol's quote is not known.
QString TdlgOrder::AskText() const
{
    return fQuoted ? QString::fromStdString(PlainFloatText(fAsk)) : QString();
}

void TdlgOrder::ShowQuote()
{
    QString Quote = QString::fromLatin1(cNoQuote);
    if (fQuoted) {
        const TFormatSettings Settings = GetFormatSettings();
        const int Decimals = std::max({cQuoteDecimals, PlainDecimals(fBid), PlainDecimals(fAsk)});
        Quote = QString::fromStdString(FloatToStrF(fBid, ffNumber, 14, Decimals, Settings) + " / " +
                                       FloatToStrF(fAsk, ffNumber, 14, Decimals, Settings));
    }
    lblPrice->setText(Quote);
    FitFont(*lblPrice, cQuoteSize);
}

void TdlgOrder::cbOrderTypeChange()
{
    const bool Buy = cbOrderType->currentIndex() == 0 || cbOrderType->currentIndex() == 2;
    btnExec->Colors().SetInactive(Buy ? cBuyColour : cSellColour);
}

void TdlgOrder::timerTimerTimer()
{
    const std::string Symbol = SelectedSymbol();
    if (User && !Symbol.empty())
        User->TickerBookTicker(Symbol);
}

// Only a quote of the selected symbol counts: one asked for before the
// symbol changed may still come. The first one fills the emptied prices.
void TdlgOrder::OnNotify(int32_t EventID, TNotifyData)
{
    if (EventID != ORDER_BOOK_TICKER || !User || User->BookSymbol() != SelectedSymbol())
        return;
    const bool First = !fQuoted;
    fBid = User->Bid();
    fAsk = User->Ask();
    fQuoted = true;
    ShowQuote();
    for (QLineEdit* Edit : {edPrice, edStopLoss})
        if (First && Edit->text().isEmpty())
            Edit->setText(AskText());
}

// An order that may not go out is named to the trader; the dialog stays
// open and nothing is sent.
void TdlgOrder::MarketOrder(const char* Side)
{
    RunShown([&] {
        TOrder Order;
        Order.SetSymbol(SelectedSymbol());
        Order.SetSide(Side);
        Order.SetType_("MARKET");
        Order.SetQuantity(EnteredNumber(*edQuantity));
        if (!OrderReady(Order))
            return;
        if (User && Profile)
            User->OrderPost(Order, &Profile->MainProfile(), User->Input().Multi());
        accept();
    });
}

void TdlgOrder::btnExecClick()
{
    RunShown([&] {
        const int Index = cbOrderType->currentIndex();
        const bool Known = Index >= 0 && Index < int(std::size(cPendingKinds));
        TOrder Order;
        Order.SetSymbol(SelectedSymbol());
        Order.SetSide(Known ? cPendingKinds[Index].Side : "SELL");
        Order.SetType_(Known ? cPendingKinds[Index].Type : "STOP_LOSS_LIMIT");
        Order.SetQuantity(EnteredNumber(*edQuantity));
        Order.SetPrice(EnteredNumber(*edPrice));
        Order.SetStopPrice(EnteredNumber(*edStopLoss));
        if (!OrderReady(Order))
            return;
        if (User && Profile)
            User->OrderPost(Order, &Profile->MainProfile(), User->Input().Multi());
        reject();
    });
}

bool ExecuteOrder(const std::string& aSymbol)
{
    TdlgOrder Dialog;
    Dialog.SetSymbol(aSymbol);
    return Dialog.exec() == QDialog::Accepted;
}
