#pragma once

#include "controls/uWindowState.h"
#include "domain/uChartListLink.h"
#include "domain/uWorkflowViews.h"
#include "terminal/charts/uChartSettings.h"
#include "terminal/charts/uMainChartList.h"
#include "units/uDObject.h"

#include <QMenu>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TBaseIndicatorInfo;
class TChartItem;
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
// windows, knows the selected one and forwards the main window's chart
// commands to it, tiles or maximises the windows, announces chart-view
// changes on its publisher, drives the charts' polling, and keeps the
// layout in "charts.json". User-interface thread only.
//
// The layout is written after a chart is added or closed, its chart type,
// interval or zoom is changed by command, an indicator is added or deleted,
// chart settings are accepted, the windows are tiled, and when the main
// window closes; nothing else writes it. Emptying the list never does.
class TChartList : public IMainChartList, public IWorkflowChartList, public IChartList {
public:
    TChartList();
    TChartList(const TChartList&) = delete;
    TChartList& operator=(const TChartList&) = delete;
    // Frees every item (their windows go once the events in progress end);
    // the layout is not written.
    ~TChartList() override;

    TDPublisher& Publisher() override { return fPublisher; }
    // The host of the chart windows; not owned. Its "Tag" property is the
    // windows' group index.
    QWidget* WinControl() const { return fWinControl; }
    void SetWinControl(QWidget* Value) override { fWinControl = Value; }
    // Given to every chart's indicator list, and every chart's own; not owned.
    QMenu* PmIndicator() const { return fPmIndicator; }
    void SetPmIndicator(QMenu* Value) override { fPmIndicator = Value; }
    QMenu* PmChart() const { return fPmChart; }
    void SetPmChart(QMenu* Value) override { fPmChart = Value; }
    // Every window maximised, their caption bars hidden.
    bool FullMode() const override { return fFullMode; }
    // Whether the main window shows the chart tabs; a change is announced
    // (code 279).
    bool TabsVisible() const override { return fTabsVisible; }
    void SetTabsVisible(bool Value) override;
    TChartDialogs& Dialogs() { return fDialogs; }

    int Count() const override { return int(fItems.size()); }
    // i must lie in 0..Count-1.
    TChartItem& Items(int i) const override { return *fItems.at(std::size_t(i)); }

    // A new item with its window (the host must be set), its chart settings
    // read back from the fresh chart.
    TChartItem& Add();
    // Add with aSymbol, its window placed a caption below and right of the
    // last chart's, activated, its history requested, in full mode maximised; the layout is written
    // and the change of charts announced (code 279). nullptr (and an alert in the log) when it
    // fails.
    TChartItem* AddNewChart(const std::string& aSymbol) override;
    // Frees aItem and takes it out of the list; when it was the selected
    // one, the next chart in the list (else the one before) is selected.
    // Then announces the selection (code 270) and the change of charts
    // (code 279); nothing for an item not held.
    void Delete(TChartItem* aItem);
    // Frees every item, last first.
    void Clear() override;
    // The first item whose window is the active one.
    TChartItem* GetSelected() const override;
    std::vector<std::string> AsSymbolList() const override;

    // Every chart, in list order, asks for its two newest candles.
    void KlinesUpdate() override;
    // Every chart asks for its symbol's last price.
    void TickerPrice() override;
    // Every chart redraws the main account's open orders.
    void RefreshOrdersBubbles() override;

    // The commands on the selected chart; each does nothing without one.
    // Interval: the chart empties and reloads (code 276 queued).
    void RefreshKlinesByInterval(TChartInterval aChartInterval) override;
    void acStickExecute(TChartType aTag) override;
    // Zoom: announced as code 270.
    void acZoomInExecute() override;
    void acZoomOutExecute() override;
    // Auto-move and shift: a change is queued as code 270; not written.
    void acAutoScrollExecute(bool aChecked) override;
    void acShiftToEndExecute(bool aChecked) override;
    void acChartSettingsExecute() override;
    void acIndicatorSettingsExecute() override;
    void acIndicatorDeleteExecute() override;
    void acNewOrderExecute() override;

    // Tiles the windows over the host (leaving full mode first); a
    // minimised window stays a strip and returns to its cell when restored.
    // Nothing without charts.
    void Mozaic() override;
    // Puts every window in aState: full mode exactly for wsMaximized, and
    // the caption bars shown exactly outside it (code 279). A chart
    // window's own maximise button lands here too.
    void Maximize(TWindowState aState) override;
    // Full mode ends, every window normal (also the minimised ones), the
    // selected one in front of the others.
    void acChartRestoreExecute() override;

    // "charts.json" in the per-user roaming folder; empty while that folder
    // is not known.
    static std::string GetFileName();
    // Replaces the charts by the layout's and starts their history loads.
    // No file changes nothing. A file that is not a JSON object, or cannot
    // be read, leaves the list empty and is renamed with ".bad" added, so
    // that the layout written at exit does not replace it; the charts made
    // before a failure stay. A chart without a symbol is skipped. Failures
    // are logged. Values of another JSON type read as missing; intervals,
    // window states, bounds and zoom levels are kept within their ranges; a
    // chart without a left edge opens at the present.
    void Load() override;
    void Load(const std::string& aFileName);
    // Writes every chart's window (its normal bounds, whatever its state),
    // interval, settings (the left edge taken from its time axis) and
    // indicators, and the full mode; replaced atomically. A failure is
    // logged.
    void Save() override;
    void Save(const std::string& aFileName);

private:
    // The selected item, unless it is closing.
    TChartItem* SelectedReady() const;
    // aItem, the newest, cascaded from the chart before it.
    void Cascade(TChartItem& aItem);
    void LoadLayout(const std::string& aFileName);
    static void KeepUnreadable(const std::string& aFileName);
    void LoadChart(const TChartSettingsJson& aNode);

    TDPublisher fPublisher;
    bool fFullMode = false;
    bool fTabsVisible = false;
    QPointer<QWidget> fWinControl;
    QPointer<QMenu> fPmIndicator;
    QPointer<QMenu> fPmChart;
    TChartDialogs fDialogs;
    std::vector<std::unique_ptr<TChartItem>> fItems;
};
