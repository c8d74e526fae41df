#pragma once

#include "terminal/fmBasic/ufrmBasic.h"

#include <QDialog>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;
class TPGButton;

// An order for one symbol: at the market, with the live best bid and ask
// shown, or pending at a price. While it is open it asks for the symbol's
// book ticker every second and listens to the model for the answer.
class TdlgOrder : public TfrmBasicOf<QDialog> {
public:
    explicit TdlgOrder(QWidget* Parent = nullptr);
    ~TdlgOrder() override;

    void SetSymbol(const std::string& Value);
    // The selected symbol; empty when none is selected.
    std::string SelectedSymbol() const;

    void OnNotify(int32_t EventID, TNotifyData Data) override;

protected:
    void done(int Result) override;

private:
    void FormCreate();
    void TranslateForm();
    void LayOutType();
    void FormClose();
    void cbSymbolChange();
    void RefreshPanels();
    QString AskText() const;
    void ShowQuote();
    void cbOrderTypeChange();
    void timerTimerTimer();
    void MarketOrder(const char* Side);
    void btnExecClick();

    QLabel* lblSymbol;
    QComboBox* cbSymbol;
    QLabel* lblVolume;
    QLineEdit* edQuantity;
    QLabel* lblStoploss;
    QLineEdit* edStopLoss;
    QLabel* lblType;
    QComboBox* cbType;
    QWidget* panMarket;
    QLabel* lblMarketOrder;
    QLabel* lblPrice;
    TPGButton* btnSell;
    TPGButton* btnBuy;
    QWidget* panLimit;
    QLabel* lblStopOrder;
    QLabel* lblOrderType;
    QComboBox* cbOrderType;
    QLabel* lblOrderPrice;
    QLineEdit* edPrice;
    TPGButton* btnExec;
    QTimer* timerTimer;

    std::string fSymbol;
    double fBid = 0;
    double fAsk = 0;
    // fBid and fAsk are the selected symbol's.
    bool fQuoted = false;
    bool fClosed = false;
};

// Shows the order dialog for aSymbol; true when a market order was sent.
bool ExecuteOrder(const std::string& aSymbol);
