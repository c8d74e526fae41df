#pragma once

#include "platform/DateTime.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// One symbol of the market watch with its prices. The name is fixed at
// creation: the list finds its symbols by it.
class TSymbol {
public:
    explicit TSymbol(std::string aName) : fName(std::move(aName)) {}

    const std::string& Name() const { return fName; }
    double PriceChangePercent() const { return fPriceChangePercent; }
    double LastPrice() const { return fLastPrice; }
    double BidPrice() const { return fBidPrice; }
    double AskPrice() const { return fAskPrice; }
    double HighPrice() const { return fHighPrice; }
    double LowPrice() const { return fLowPrice; }
    double QuoteVolume() const { return fQuoteVolume; }
    double FirstQuoteVolume() const { return fFirstQuoteVolume; }
    // Red in the low byte.
    std::uint32_t Color() const { return fColor; }
    // Clock time of the last change of bid, ask, high or low.
    TDateTime Time() const { return fTime; }

    void SetPriceChangePercent(double Value) { fPriceChangePercent = Value; }
    void SetLastPrice(double Value) { fLastPrice = Value; }
    // These four store a different value and stamp it with the terminal
    // clock's time; an equal value changes nothing.
    void SetBidPrice(double Value) { Stamp(fBidPrice, Value); }
    void SetAskPrice(double Value) { Stamp(fAskPrice, Value); }
    void SetHighPrice(double Value) { Stamp(fHighPrice, Value); }
    void SetLowPrice(double Value) { Stamp(fLowPrice, Value); }
    void SetQuoteVolume(double Value) { fQuoteVolume = Value; }
    void SetFirstQuoteVolume(double Value) { fFirstQuoteVolume = Value; }
    void SetColor(std::uint32_t Value) { fColor = Value; }

private:
    void Stamp(double& Field, double Value);

    std::string fName;
    double fPriceChangePercent = 0;
    double fLastPrice = 0;
    double fBidPrice = 0;
    double fAskPrice = 0;
    double fHighPrice = 0;
    double fLowPrice = 0;
    double fQuoteVolume = 0;
    double fFirstQuoteVolume = 0;
    std::uint32_t fColor = 0;
    TDateTime fTime = 0;
};

// Hash of a name that also takes a string_view, so a lookup builds no string.
struct TNameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view Name) const
    {
        return std::hash<std::string_view>{}(Name);
    }
};

// All symbols in arrival order, one per name, found by name through a hash
// index. A symbol stays at its address until it is dropped by Clear or by a
// reload that no longer names it.
class TSymbolList {
public:
    TSymbolList() = default;
    TSymbolList(const TSymbolList&) = delete;
    TSymbolList& operator=(const TSymbolList&) = delete;

    int Count() const { return static_cast<int>(fItems.size()); }
    // i must lie in 0..Count-1.
    TSymbol& Items(int i) const { return *fItems[static_cast<std::size_t>(i)]; }

    // The symbol of that name; appended and indexed when new.
    TSymbol& Add(std::string_view aName);
    // nullptr when the name is not held.
    TSymbol* Find(std::string_view aName) const;
    void Clear();

    // Starts a reload: the list is emptied, but its symbols are kept aside so
    // that Add hands back the same object, reset, for a name it held before.
    // EndReload frees the symbols the reload did not name.
    void BeginReload();
    void EndReload();

private:
    using TIndex = std::unordered_map<std::string, TSymbol*, TNameHash, std::equal_to<>>;

    std::vector<std::unique_ptr<TSymbol>> fItems;
    TIndex fIndex;
    // Symbols of the list before BeginReload, by name, until EndReload.
    std::unordered_map<std::string, std::unique_ptr<TSymbol>, TNameHash, std::equal_to<>> fRetired;
};
