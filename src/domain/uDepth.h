#pragma once

#include "platform/DateTime.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// One level of the order book: Side is "ASK" or "BID".
struct TDepth {
    std::string Side;
    double Price = 0;
    double Quantity = 0;
};

// The order book of the selected symbol, asks first (highest price first),
// then bids. Rebuilt by each order-book reply on the user-interface thread.
class TDepthList {
public:
    int Count() const { return static_cast<int>(fItems.size()); }
    // i must lie in 0..Count-1.
    const TDepth& Items(int i) const { return fItems[static_cast<std::size_t>(i)]; }

    TDepth& Add();
    void Reserve(std::size_t aCount) { fItems.reserve(aCount); }
    void Clear();

    // The largest quantity in the book; the depth grid scales its bars by it.
    double MaxQuantity() const { return fMaxQuantity; }
    void SetMaxQuantity(double Value) { fMaxQuantity = Value; }

private:
    std::vector<TDepth> fItems;
    double fMaxQuantity = 0;
};

// One record of the volume monitor.
struct TVolume {
    std::string Symbol;
    // How many times the symbol has been recorded.
    int Ping = 0;
    double SumVolume = 0;
    double SumVolumePerc = 0;
    double VolumeChange = 0;
    double VolumePerc = 0;
    TDateTime Date = 0;
    std::uint32_t Color = 0;
    double QuoteVolume = 0;
};

// The volume monitor's records, newest first. Records only accumulate, so
// the newest record of each symbol is kept by hash for Find.
class TVolumeList {
public:
    int Count() const { return static_cast<int>(fItems.size()); }
    // i must lie in 0..Count-1; 0 is the newest record.
    const TVolume& Items(int i) const
    {
        return fItems[fItems.size() - 1 - static_cast<std::size_t>(i)];
    }

    // Puts a record in front of all others.
    void AddNewest(TVolume aVolume);
    // The first record from the front, that is the newest, of aName; nullptr when none.
    const TVolume* Find(const std::string& aName) const;
    void Clear();

private:
    // Oldest first, so that a new record is appended; Items counts from the back.
    std::vector<TVolume> fItems;
    // Symbol -> position in fItems of its newest record.
    std::unordered_map<std::string, std::size_t> fNewest;
};
