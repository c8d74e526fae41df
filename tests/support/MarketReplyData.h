#pragma once

// Market-data replies in the exchange's real shapes, for the test exchange and
// the benchmarks (header only: the benchmarks link no test support).

#include <cstdint>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

namespace market_data {

// Prices as the exchange writes them: eight decimals, as text.
inline std::string PriceText(double aValue)
{
    char Buffer[64];
    std::snprintf(Buffer, sizeof(Buffer), "%.8f", aValue);
    return Buffer;
}

// One entry of the 24-hour ticker reply (21 keys, about 500 bytes).
inline nlohmann::json Ticker24hrEntry(const std::string& aSymbol, const std::string& aLast,
                                      int64_t aTime)
{
    return {{"symbol", aSymbol},
            {"priceChange", "-94.99999800"},
            {"priceChangePercent", "-95.960"},
            {"weightedAvgPrice", "0.29628482"},
            {"prevClosePrice", "0.10002000"},
            {"lastPrice", aLast},
            {"lastQty", "200.00000000"},
            {"bidPrice", "4.00000000"},
            {"bidQty", "100.00000000"},
            {"askPrice", "4.00000200"},
            {"askQty", "100.00000000"},
            {"openPrice", "99.00000000"},
            {"highPrice", "100.00000000"},
            {"lowPrice", "0.10000000"},
            {"volume", "8913.30000000"},
            {"quoteVolume", "15.30000000"},
            {"openTime", aTime - 86400000},
            {"closeTime", aTime},
            {"firstId", 28385},
            {"lastId", 28460},
            {"count", 76}};
}

// Symbol aIndex of a large list: quoted in BTC, USDT, ETH and BNB in turn.
inline std::string SymbolName(int aIndex)
{
    static const char* const cQuotes[] = {"BTC", "USDT", "ETH", "BNB"};
    char Buffer[32];
    std::snprintf(Buffer, sizeof(Buffer), "S%05d%s", aIndex, cQuotes[aIndex % 4]);
    return Buffer;
}

// The price of symbol aIndex in a large list.
inline double SymbolPrice(int aIndex)
{
    return 0.001 * (aIndex + 1) + 0.00000001 * (aIndex % 97);
}

// 24-hour tickers of aCount symbols.
inline nlohmann::json Ticker24hrList(int aCount, int64_t aTime)
{
    nlohmann::json List = nlohmann::json::array();
    for (int I = 0; I < aCount; ++I)
        List.push_back(Ticker24hrEntry(SymbolName(I), PriceText(SymbolPrice(I)), aTime));
    return List;
}

// Last prices of aCount symbols, each aShift above its list price.
inline nlohmann::json TickerPriceList(int aCount, double aShift = 0)
{
    nlohmann::json List = nlohmann::json::array();
    for (int I = 0; I < aCount; ++I)
        List.push_back({{"symbol", SymbolName(I)}, {"price", PriceText(SymbolPrice(I) + aShift)}});
    return List;
}

// One candle row opening at aOpenTime (twelve elements), its close price
// telling candles apart.
inline nlohmann::json KlineRow(int64_t aOpenTime, int64_t aInterval, double aClose)
{
    return {aOpenTime,
            "0.01634790",
            "0.80000000",
            "0.01575800",
            PriceText(aClose),
            "148976.11427815",
            aOpenTime + aInterval - 1,
            "2434.19055334",
            308,
            "1756.87402397",
            "28.46694368",
            "0"};
}

} // namespace market_data
