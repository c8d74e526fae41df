#include "domain/uDepth.h"
#include "domain/uMarketApply.h"
#include "domain/uMarketReplies.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

// A book far deeper than any real one: a server may send what it likes.
constexpr int cLevels = 50'000;

TDepthReply DeepBook()
{
    TDepthReply Reply;
    for (int I = 0; I < cLevels; ++I) {
        Reply.Asks.push_back({100.0 + I * 0.01, 1.0 + I % 7});
        Reply.Bids.push_back({99.99 - I * 0.01, 1.0 + I % 5});
    }
    return Reply;
}

// The order book built from 50,000 asks and 50,000 bids on the
// user-interface thread.
void BM_ApplyDepth(benchmark::State& aState)
{
    const TDepthReply Reply = DeepBook();
    TDepthList Book;
    for (auto _ : aState) {
        ApplyDepth(Reply, Book);
        benchmark::DoNotOptimize(Book.Items(0).Price);
    }
    aState.SetItemsProcessed(aState.iterations() * 2 * cLevels);
}
BENCHMARK(BM_ApplyDepth)->Unit(benchmark::kMillisecond);

// The floor: the same levels copied into a fresh vector of book entries.
void BM_ApplyDepthFloor(benchmark::State& aState)
{
    const TDepthReply Reply = DeepBook();
    for (auto _ : aState) {
        std::vector<TDepth> Book;
        Book.reserve(2 * cLevels);
        for (const TDepthLevel& Level : Reply.Asks)
            Book.push_back({"ASK", Level.Price, Level.Quantity});
        for (const TDepthLevel& Level : Reply.Bids)
            Book.push_back({"BID", Level.Price, Level.Quantity});
        benchmark::DoNotOptimize(Book.data());
    }
    aState.SetItemsProcessed(aState.iterations() * 2 * cLevels);
}
BENCHMARK(BM_ApplyDepthFloor)->Unit(benchmark::kMillisecond);

} // namespace
