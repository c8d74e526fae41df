#include "domain/uMarketApply.h"
#include "domain/uMarketReplies.h"
#include "domain/uSymbols.h"

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

// The 24-hour values applied to a symbol list that already holds the symbols,
// as every reload after the first finds it.
void BM_ApplyTicker24hr(benchmark::State& aState)
{
    TMarketReplyReader Reader;
    const std::vector<TTicker24hrEntry> Entries = Reader.Ticker24hr(Ticker24hrReply());
    TSymbolList Symbols;
    ApplyTicker24hr(Entries, Symbols);
    for (auto _ : aState) {
        ApplyTicker24hr(Entries, Symbols);
        benchmark::ClobberMemory();
    }
    aState.counters["symbols"] = Symbols.Count();
}
BENCHMARK(BM_ApplyTicker24hr)->Unit(benchmark::kMillisecond);

// The prices of all symbols applied with their colours.
void BM_ApplyPrices(benchmark::State& aState)
{
    TMarketReplyReader Reader;
    TSymbolList Symbols;
    ApplyTicker24hr(Reader.Ticker24hr(Ticker24hrReply()), Symbols);
    const std::vector<TPriceEntry> Entries = Reader.Prices(PricesReply());
    for (auto _ : aState) {
        ApplyPrices(Entries, Symbols);
        benchmark::ClobberMemory();
    }
    aState.counters["symbols"] = Symbols.Count();
}
BENCHMARK(BM_ApplyPrices)->Unit(benchmark::kMillisecond);

} // namespace
