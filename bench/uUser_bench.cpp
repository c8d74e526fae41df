#include "domain/uUser.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

constexpr int cSymbols = 2000;

std::vector<TSymbolPrice> Prices(double Offset)
{
    std::vector<TSymbolPrice> Result;
    for (int i = 0; i < cSymbols; ++i)
        Result.push_back({"SYM" + std::to_string(i) + "BTC", 0.001 * (i + 1) + Offset});
    return Result;
}

// One all-symbols price reply, already parsed, applied to a model that holds
// all its symbols and shows them: the user-interface thread's share of the
// one-second price poll.
void BM_ApplyAllSymbolPrices(benchmark::State& State)
{
    TUser Model;
    const std::vector<TSymbolPrice> Replies[] = {Prices(0), Prices(0.0005)};
    Model.SymbolShowList().ApplyPrices(Replies[0]);
    std::size_t Reply = 0;
    for (auto _ : State)
        Model.SymbolShowList().ApplyPrices(Replies[++Reply % 2]);
    benchmark::DoNotOptimize(Model.SymbolShowList().SymbolList().Items(0).LastPrice());
    State.SetItemsProcessed(State.iterations() * cSymbols);
}
BENCHMARK(BM_ApplyAllSymbolPrices)->Unit(benchmark::kMicrosecond);

// A 24-hour ticker reply of the same symbols: the reload, with the visible
// lines bound again.
void BM_ReloadAllSymbols(benchmark::State& State)
{
    TUser Model;
    std::vector<TSymbolTicker> Reply;
    for (const TSymbolPrice& Price : Prices(0))
        Reply.push_back({.Name = Price.Name, .LastPrice = Price.Price, .BidPrice = Price.Price});
    Model.SymbolShowList().ReloadSymbols(Reply);
    for (auto _ : State)
        Model.SymbolShowList().ReloadSymbols(Reply);
    State.SetItemsProcessed(State.iterations() * cSymbols);
}
BENCHMARK(BM_ReloadAllSymbols)->Unit(benchmark::kMicrosecond);

} // namespace
