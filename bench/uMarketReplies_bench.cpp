#include "domain/uMarketReplies.h"
#include "domain/uSymbolShowList.h"

#include "../tests/support/MarketReplyData.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int cSymbols = 2000;
constexpr int64_t cNow = 1700000000000;

const std::string& Ticker24hrReply()
{
    static const std::string Reply = market_data::Ticker24hrList(cSymbols, cNow).dump();
    return Reply;
}

const std::string& PricesReply()
{
    static const std::string Reply = market_data::TickerPriceList(cSymbols).dump();
    return Reply;
}

// The 24-hour reply of 2,000 symbols (about 1 MB) read into plain values.
void BM_ParseTicker24hr(benchmark::State& aState)
{
    const std::string& Reply = Ticker24hrReply();
    TMarketReplyReader Reader;
    for (auto _ : aState)
        benchmark::DoNotOptimize(Reader.Ticker24hr(Reply));
    aState.SetBytesProcessed(static_cast<int64_t>(aState.iterations() * Reply.size()));
    aState.counters["reply_bytes"] = static_cast<double>(Reply.size());
}
BENCHMARK(BM_ParseTicker24hr)->Unit(benchmark::kMillisecond);

// The prices of all 2,000 symbols read into plain values.
void BM_ParsePrices(benchmark::State& aState)
{
    const std::string& Reply = PricesReply();
    TMarketReplyReader Reader;
    for (auto _ : aState)
        benchmark::DoNotOptimize(Reader.Prices(Reply));
    aState.SetBytesProcessed(static_cast<int64_t>(aState.iterations() * Reply.size()));
    aState.counters["reply_bytes"] = static_cast<double>(Reply.size());
}
BENCHMARK(BM_ParsePrices)->Unit(benchmark::kMillisecond);

// The 24-hour values applied: the symbols reloaded (every reload after the
// first finds them all held) and the visible lines bound again.
void BM_ApplyTicker24hr(benchmark::State& aState)
{
    TMarketReplyReader Reader;
    const std::vector<TSymbolTicker> Entries = Reader.Ticker24hr(Ticker24hrReply());
    TSymbolShowList Symbols;
    Symbols.ReloadSymbols(Entries);
    for (auto _ : aState) {
        Symbols.ReloadSymbols(Entries);
        benchmark::ClobberMemory();
    }
    aState.counters["symbols"] = Symbols.Count();
}
BENCHMARK(BM_ApplyTicker24hr)->Unit(benchmark::kMillisecond);

// The prices of all symbols applied with their colours.
void BM_ApplyPrices(benchmark::State& aState)
{
    TMarketReplyReader Reader;
    TSymbolShowList Symbols;
    Symbols.ReloadSymbols(Reader.Ticker24hr(Ticker24hrReply()));
    const std::vector<TSymbolPrice> Entries = Reader.Prices(PricesReply());
    for (auto _ : aState) {
        Symbols.ApplyPrices(Entries);
        benchmark::ClobberMemory();
    }
    aState.counters["symbols"] = Symbols.Count();
}
BENCHMARK(BM_ApplyPrices)->Unit(benchmark::kMillisecond);

} // namespace
