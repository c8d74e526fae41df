#pragma once

// What the trading core needs of the chart list: the open-orders reply
// redraws the order bubbles of every chart. The chart list implements it and
// the builder sets ChartList while the list lives. User-interface thread only.
class IChartList {
public:
    IChartList() = default;
    IChartList(const IChartList&) = delete;
    IChartList& operator=(const IChartList&) = delete;
    virtual ~IChartList() = default;

    virtual void RefreshOrdersBubbles() = 0;
};

// Not owned; nullptr while no chart list exists, and then nothing is redrawn.
extern IChartList* ChartList;
