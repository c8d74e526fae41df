#pragma once

#include "controls/uMdiWindow.h"
#include "domain/uChartListLink.h"
#include "domain/uWorkflowViews.h"
#include "units/uDObject.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QMenu;
class QWidget;
class TBaseIndicatorInfo;
class TChartItem;
class TChartSettingsInfo;
class TKlineList;

// The dialogs a chart opens. They are windows of the terminal, which this
// folder must not reach: the terminal sets them. One left empty opens
// nothing and counts as cancelled.
struct TChartDialogs {
    std::function<bool(TBaseIndicatorInfo& aInfo)> ExecuteDlgIndicator;
    std::function<bool(const TKlineList& aKlineList, TChartSettingsInfo& aSettings)>
        ExecuteDlgChartSettings;
    std::function<bool(const std::string& aSymbol)> ExecuteOrder;
};

// The chart windows of the terminal: owns the chart items, hosts their
// windows, announces chart-view changes on its publisher and drives the
// charts' polling. User-interface thread only.
//
// The chart layout file and the arrangement of the windows are not kept
// yet: Save writes nothing and Maximize changes nothing.
class TChartList : public IWorkflowChartList, public IChartList {
public:
    TChartList();
    TChartList(const TChartList&) = delete;
    TChartList& operator=(const TChartList&) = delete;
    // Frees every item (their windows go once the events in progress end).
    ~TChartList() override;

    TDPublisher& Publisher() { return fPublisher; }
    // The host of the chart windows; not owned.
    QWidget* WinControl() const { return fWinControl; }
    void SetWinControl(QWidget* Value) { fWinControl = Value; }
    // Given to every chart's indicator list, and every chart's own; not owned.
    QMenu* PmIndicator() const { return fPmIndicator; }
    void SetPmIndicator(QMenu* Value) { fPmIndicator = Value; }
    QMenu* PmChart() const { return fPmChart; }
    void SetPmChart(QMenu* Value) { fPmChart = Value; }
    bool FullMode() const { return fFullMode; }
    TChartDialogs& Dialogs() { return fDialogs; }

    int Count() const { return int(fItems.size()); }
    // i must lie in 0..Count-1.
    TChartItem& Items(int i) const { return *fItems.at(std::size_t(i)); }

    // A new item with its window (the host must be set), its chart settings
    // read back from the fresh chart.
    TChartItem& Add();
    // Add with aSymbol, its window activated and its history requested;
    // nullptr (and an alert in the log) when it fails.
    TChartItem* AddNewChart(const std::string& aSymbol);
    // Frees aItem and takes it out of the list; nothing for an item not held.
    void Delete(TChartItem* aItem);

    // Every chart, in list order, asks for its two newest candles.
    void KlinesUpdate() override;
    // Every chart asks for its symbol's last price.
    void TickerPrice() override;
    // Every chart redraws the main account's open orders.
    void RefreshOrdersBubbles() override;

    // Writes the chart layout; nothing yet.
    void Save();
    // Puts every window in aState; nothing yet (a window's own maximise
    // button still maximises that window).
    void Maximize(TWindowState aState);

private:
    TDPublisher fPublisher;
    bool fFullMode = false;
    QPointer<QWidget> fWinControl;
    QPointer<QMenu> fPmIndicator;
    QPointer<QMenu> fPmChart;
    TChartDialogs fDialogs;
    std::vector<std::unique_ptr<TChartItem>> fItems;
};
