#include "domain/uMarketApply.h"

#include "domain/uCollections.h"
#include "domain/uCommon.h"
#include "domain/uDepth.h"
#include "domain/uSymbols.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr double cVolumeThresholdPerc = 0.3;

// The volume monitor counts a symbol only when its name ends in the first
// "BTC" it holds.
bool QuotedInBtc(std::string_view aName)
{
    std::size_t At = aName.find("BTC");
    return At != std::string_view::npos && At + 3 == aName.size();
}

} // namespace

void ApplyDepth(const TDepthReply& aReply, TDepthList& aBook)
{
    aBook.Clear();
    aBook.Reserve(aReply.Asks.size() + aReply.Bids.size());
    double MaxQuantity = 0;
    // Asks in the reverse of the reply's order, appended: linear however
    // many levels a server sends.
    for (auto It = aReply.Asks.rbegin(); It != aReply.Asks.rend(); ++It) {
        const TDepthLevel& Level = *It;
        TDepth& Ask = aBook.Add();
        Ask.Side = "ASK";
        Ask.Price = Level.Price;
        Ask.Quantity = Level.Quantity;
        MaxQuantity = std::max(MaxQuantity, Level.Quantity);
    }
    for (const TDepthLevel& Level : aReply.Bids) {
        TDepth& Bid = aBook.Add();
        Bid.Side = "BID";
        Bid.Price = Level.Price;
        Bid.Quantity = Level.Quantity;
        MaxQuantity = std::max(MaxQuantity, Level.Quantity);
    }
    aBook.SetMaxQuantity(MaxQuantity);
}

int ApplyKlines(const std::vector<TKlineRow>& aRows, TKlineList& aList,
                const std::function<bool()>& aStop)
{
    int Applied = 0;
    for (const TKlineRow& Row : aRows) {
        if (aStop && aStop())
            break;
        TKline& Kline = aList.Add(Row.OpenTime);
        Kline.SetOpen(Row.Open);
        Kline.SetHigh(Row.High);
        Kline.SetLow(Row.Low);
        Kline.SetClose(Row.Close);
        Kline.SetVolume(Row.Volume);
        Kline.SetCloseTime(Row.CloseTime);
        Kline.SetQuoteAssetVolume(Row.QuoteAssetVolume);
        Kline.SetNumber(Row.Number);
        Kline.SetBaseAsset(Row.BaseAsset);
        Kline.SetQuoteAsset(Row.QuoteAsset);
        Kline.SetIgnore(Row.Ignore);
        ++Applied;
    }
    return Applied;
}

void ApplyTicker24hrVolume(const std::vector<TSymbolVolume>& aEntries, TSymbolList& aSymbols,
                           TVolumeList& aVolumes, TDateTime aNow)
{
    for (const TSymbolVolume& Entry : aEntries) {
        TSymbol* Symbol = aSymbols.Find(Entry.Name);
        if (!Symbol || !QuotedInBtc(Entry.Name) || Symbol->FirstQuoteVolume() == 0)
            continue;
        const double First = Symbol->FirstQuoteVolume();
        const double Delta = Symbol->QuoteVolume() - Entry.QuoteVolume;
        const double Perc = Delta * 100 / First;
        if (Perc > cVolumeThresholdPerc) {
            const TVolume* Last = aVolumes.Find(Entry.Name);
            TVolume Record;
            Record.Symbol = Entry.Name;
            Record.Ping = (Last ? Last->Ping : 0) + 1;
            Record.VolumeChange = Delta;
            Record.VolumePerc = Perc;
            Record.SumVolume = (Last ? Last->SumVolume : 0) + Delta;
            Record.SumVolumePerc = Record.SumVolume * 100 / First;
            Record.Date = aNow;
            aVolumes.AddNewest(std::move(Record));
        }
        Symbol->SetQuoteVolume(Entry.QuoteVolume);
    }
}
