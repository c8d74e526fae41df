#pragma once

#include "controls/uWindowState.h"
#include "domain/uCommon.h"
#include "terminal/charts/uChartSettings.h"
#include "units/uDObject.h"

#include <string>
#include <vector>

class QMenu;
class QWidget;
class TChartItem;

// What the main window asks of the chart list, which hosts the chart
// windows. Called on the user-interface thread only.
class IMainChartList {
public:
    IMainChartList() = default;
    IMainChartList(const IMainChartList&) = delete;
    IMainChartList& operator=(const IMainChartList&) = delete;
    virtual ~IMainChartList() = default;

    // Announces the chart-type, active-window, zoom and tab changes; the
    // tabs' also when a chart is added or closed.
    virtual TDPublisher& Publisher() = 0;
    // The widget the chart windows live in, and the menus every chart gets.
    virtual void SetWinControl(QWidget* Value) = 0;
    virtual void SetPmIndicator(QMenu* Value) = 0;
    virtual void SetPmChart(QMenu* Value) = 0;
    // The saved chart layout: read when the window is created, written when
    // it closes (also with no chart open).
    virtual void Load() = 0;
    virtual void Save() = 0;
    // Closes every chart window without writing the layout.
    virtual void Clear() = 0;
    // The charts in list order (the chart tabs' order); i in 0..Count-1.
    virtual int Count() const = 0;
    virtual TChartItem& Items(int i) const = 0;
    // The chart whose window is active; nullptr when none is.
    virtual TChartItem* GetSelected() const = 0;
    // The symbols that have an open chart, in list order.
    virtual std::vector<std::string> AsSymbolList() const = 0;
    // A new chart of aSymbol, active and loading; nullptr when it failed.
    virtual TChartItem* AddNewChart(const std::string& aSymbol) = 0;
    // The selected chart changes to aChartInterval and reloads.
    virtual void RefreshKlinesByInterval(TChartInterval aChartInterval) = 0;

    // The chart commands, on the selected chart; none does anything without
    // one.
    virtual void acStickExecute(TChartType aTag) = 0;
    virtual void acZoomInExecute() = 0;
    virtual void acZoomOutExecute() = 0;
    virtual void acAutoScrollExecute(bool aChecked) = 0;
    virtual void acShiftToEndExecute(bool aChecked) = 0;
    virtual void acChartSettingsExecute() = 0;
    virtual void acIndicatorSettingsExecute() = 0;
    virtual void acIndicatorDeleteExecute() = 0;
    virtual void acNewOrderExecute() = 0;
    // The arrangement of the chart windows and the chart tabs.
    virtual void Mozaic() = 0;
    virtual void Maximize(TWindowState aState) = 0;
    // Full mode ends and every window is normal, the selected one in front.
    virtual void acChartRestoreExecute() = 0;
    virtual bool FullMode() const = 0;
    virtual bool TabsVisible() const = 0;
    virtual void SetTabsVisible(bool Value) = 0;
};
