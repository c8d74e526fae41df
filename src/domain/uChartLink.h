#pragma once

#include "domain/uCommon.h"
#include "platform/Thread.h"
#include "units/uDObject.h"

#include <atomic>
#include <cstdint>
#include <memory>

class TKlineList;
class TChartLink;

// A chart item's number for the whole run: what a queued notification carries
// in place of the item itself (MAIN_FORM_CHART_REFRESH), since the item may be
// closed before the notification is delivered. Never 0.
using TChartID = std::int64_t;

// What the chart workers need of the chart item they serve. Called on the
// user-interface thread only, and only through TChartLink::Chart, which is
// null once the item is gone.
class IChartItem {
public:
    IChartItem() = default;
    IChartItem(const IChartItem&) = delete;
    IChartItem& operator=(const IChartItem&) = delete;
    virtual ~IChartItem() = default;

    // What the item shares with its workers; created with the item.
    virtual std::shared_ptr<TChartLink> Link() const = 0;
    virtual TKlineList& KlineList() = 0;
    virtual TChartInterval Interval() const = 0;
    virtual double ChartPrice() const = 0;
    virtual void SetChartPrice(double Value) = 0;
    virtual void OnNotify(int32_t EventID, TNotifyData Data) = 0;
    virtual void SetIsLoading(bool Value) = 0;
    virtual void ChartFullRefresh() = 0;
};

// The part of a chart item that its workers share and may outlive the item:
// the thread list they register in, the closing flag they poll, the item's
// number, and a checked link to the item itself. A chart item creates its
// link first and detaches it when it is freed.
class TChartLink {
public:
    // User-interface thread. Gives the item a new number and registers it.
    explicit TChartLink(IChartItem* aChart);
    TChartLink(const TChartLink&) = delete;
    TChartLink& operator=(const TChartLink&) = delete;
    ~TChartLink();

    TChartID ID() const { return fID; }
    // Any thread.
    TThreadList& ThreadList() { return fThreadList; }
    bool IsClosing() const { return fIsClosing.load(); }
    void SetIsClosing() { fIsClosing.store(true); }

    // User-interface thread only: the item, or null once it is gone.
    IChartItem* Chart() const { return fChart; }
    // User-interface thread, by the item when it is freed: sets the closing
    // flag, asks its workers to end, and forgets the item.
    void Detach();

private:
    const TChartID fID;
    IChartItem* fChart;
    TThreadList fThreadList;
    std::atomic<bool> fIsClosing{false};
};

// User-interface thread: the chart item of that number, or null when it is
// gone or never was.
IChartItem* FindChartItem(TChartID aID);
