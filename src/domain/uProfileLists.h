#pragma once

#include "domain/uCollection.h"
#include "platform/DateTime.h"
#include "platform/FormatSettings.h"

#include <cstdint>
#include <string>

// What the exchange last reported for one account: its balances and its
// orders. Filled by the request workers' output steps and read by the views,
// both on the user-interface thread.

class TBalance {
public:
    const std::string& Asset() const { return fAsset; }
    double Free_() const { return fFree; }
    double Locked() const { return fLocked; }
    void SetAsset(std::string Value) { fAsset = std::move(Value); }
    void SetFree_(double Value) { fFree = Value; }
    void SetLocked(double Value) { fLocked = Value; }

private:
    std::string fAsset;
    double fFree = 0;
    double fLocked = 0;
};

class TBalanceList : public TOwnedCollection<TBalance> {
public:
    // "asset= free, locked" for each balance with anything free or locked,
    // joined by "; "; numbers in the general float format of the settings.
    std::string AsString(const TFormatSettings& fs = LocaleFormatSettings()) const;
};

// An order as the exchange reports it. Time is the exchange's stamp in
// milliseconds (see StampToDate).
class TUserOrder {
public:
    const std::string& Symbol() const { return fSymbol; }
    // The exchange's order ids exceed 32 bits.
    int64_t OrderID() const { return fOrderID; }
    const std::string& ClientOrderID() const { return fClientOrderID; }
    double Price() const { return fPrice; }
    double OrigQuantity() const { return fOrigQuantity; }
    double ExecQuantity() const { return fExecQuantity; }
    const std::string& Status() const { return fStatus; }
    const std::string& TimeInForce() const { return fTimeInForce; }
    const std::string& OrderType() const { return fOrderType; }
    const std::string& Side() const { return fSide; }
    double StopPrice() const { return fStopPrice; }
    double IcebergQuantity() const { return fIcebergQuantity; }
    int64_t Time() const { return fTime; }
    bool IsWorking() const { return fIsWorking; }

    void SetSymbol(std::string Value) { fSymbol = std::move(Value); }
    void SetOrderID(int64_t Value) { fOrderID = Value; }
    void SetClientOrderID(std::string Value) { fClientOrderID = std::move(Value); }
    void SetPrice(double Value) { fPrice = Value; }
    void SetOrigQuantity(double Value) { fOrigQuantity = Value; }
    void SetExecQuantity(double Value) { fExecQuantity = Value; }
    void SetStatus(std::string Value) { fStatus = std::move(Value); }
    void SetTimeInForce(std::string Value) { fTimeInForce = std::move(Value); }
    void SetOrderType(std::string Value) { fOrderType = std::move(Value); }
    void SetSide(std::string Value) { fSide = std::move(Value); }
    void SetStopPrice(double Value) { fStopPrice = Value; }
    void SetIcebergQuantity(double Value) { fIcebergQuantity = Value; }
    void SetTime(int64_t Value) { fTime = Value; }
    void SetIsWorking(bool Value) { fIsWorking = Value; }

private:
    std::string fSymbol;
    int64_t fOrderID = 0;
    std::string fClientOrderID;
    double fPrice = 0;
    double fOrigQuantity = 0;
    double fExecQuantity = 0;
    std::string fStatus;
    std::string fTimeInForce;
    std::string fOrderType;
    std::string fSide;
    double fStopPrice = 0;
    double fIcebergQuantity = 0;
    int64_t fTime = 0;
    bool fIsWorking = false;
};

class TUserOrderList : public TOwnedCollection<TUserOrder> {
public:
    // True once a reply has filled the list.
    bool Loaded() const { return fLoaded; }
    void SetLoaded(bool Value) { fLoaded = Value; }

    // The mirror of aOrder, cancelled on another account: the order of the
    // same symbol, type and side (compared exactly), price and stop price
    // placed nearest in time to it, less than 4 whole seconds away either
    // way (the first of equally near ones); nullptr when there is none.
    TUserOrder* FindBy(const TUserOrder& aOrder) const;

    // "symbol  p=price q=quantity status side date-time" for each order,
    // joined by "; ".
    std::string AsString(const TFormatSettings& fs = LocaleFormatSettings()) const;

private:
    bool fLoaded = false;
};
