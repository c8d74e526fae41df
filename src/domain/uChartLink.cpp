#include "domain/uChartLink.h"

#include <map>
#include <mutex>

namespace {

std::atomic<TChartID> gLastChartID{0};

// Numbers of the chart items alive. The lock only guards against a stray
// call from another thread; the owners use it on the user-interface thread.
std::mutex gChartsLock;
std::map<TChartID, IChartItem*> gCharts;

} // namespace

TChartLink::TChartLink(IChartItem* aChart) : fID(++gLastChartID), fChart(aChart)
{
    std::lock_guard Lock(gChartsLock);
    gCharts[fID] = aChart;
}

TChartLink::~TChartLink()
{
    std::lock_guard Lock(gChartsLock);
    gCharts.erase(fID);
}

void TChartLink::Detach()
{
    SetIsClosing();
    fThreadList.TerminateAll();
    fChart = nullptr;
    std::lock_guard Lock(gChartsLock);
    gCharts.erase(fID);
}

IChartItem* FindChartItem(TChartID aID)
{
    std::lock_guard Lock(gChartsLock);
    auto It = gCharts.find(aID);
    return It == gCharts.end() ? nullptr : It->second;
}
