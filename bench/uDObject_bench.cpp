#include "units/uDObject.h"

#include <benchmark/benchmark.h>

namespace {

class TCounter : public TDObject {
public:
    void Notification(int32_t EventID, TNotifyData Data) override { Count += Data; }
    TNotifyData Count = 0;
};

// One notification to a handful of windows, as every queued code does.
void BM_NotifyFiveSubscribers(benchmark::State& State)
{
    TDPublisher P;
    TCounter Windows[5];
    for (auto& W : Windows)
        P.Subscribe(&W, 0);
    for (auto _ : State)
        P.Notify(110, 1);
    benchmark::DoNotOptimize(Windows[0].Count);
}
BENCHMARK(BM_NotifyFiveSubscribers);

} // namespace
