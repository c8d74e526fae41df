#pragma once

// A chart list whose windows live on a shown host, as the main window gives
// it one, with the chart engine started and the folders in a home of its
// own. The list goes before the host: the windows it hands over are freed
// with their host at the latest.

#include "chart/canvas/PlotEngineScope.h"
#include "chart/chart/Chart.h"
#include "chart/series/BubbleSeries.h"
#include "chart/series/CandleSeries.h"
#include "controls/uMdiWindow.h"
#include "domain/uFolders.h"
#include "support/TempHome.h"
#include "terminal/charts/uChartList.h"
#include "terminal/charts/uCharts.h"

#include <QCoreApplication>
#include <QWidget>
#include <vector>

struct TChartHost {
    TChartHost()
    {
        Folders = new TFolders;
        Host.resize(800, 600);
        Host.show();
        List.SetWinControl(&Host);
    }
    ~TChartHost()
    {
        delete Folders;
        Folders = nullptr;
    }
    // Runs the deletes that waited for the events in progress to return.
    static void FreeDeferred()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The dates of the candle series, oldest first.
    static std::vector<double> Dates(const TChartItem& aItem)
    {
        const TChartValueList& Dates = aItem.SerCandles()->DateValues();
        return {Dates.Data(), Dates.Data() + Dates.Count()};
    }

    TTempHome Home;
    QWidget Host;
    TChartList List;
};
