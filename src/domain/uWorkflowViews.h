#pragma once

// The windows as the workflow drives them. The trading core stays free of
// the window library: the main window and the chart list implement these,
// and tests put doubles in their place. User-interface thread only.

// The main window.
class IWorkflowMainForm {
public:
    virtual ~IWorkflowMainForm() = default;

    virtual void Show() = 0;
    // Online: listens to the clock, the model and the update queue and says
    // so; offline: stops listening to the clock and the model, and says so.
    virtual void SetOnlineMode(bool aIsOnline) = 0;
    // Lays out the toolbars and panels from the profile and the authorisation.
    virtual void InitUserInterface() = 0;
    // Stops listening to the clock and the model.
    virtual void Deinit() = 0;
};

// The platform's form creation: makes the main window, which loads the saved
// charts while it is created. The window belongs to the application and
// outlives the workflow's working span.
class IMainFormFactory {
public:
    virtual ~IMainFormFactory() = default;

    virtual IWorkflowMainForm& CreateMainForm() = 0;
};

// The chart list: the polling of every open chart.
class IWorkflowChartList {
public:
    virtual ~IWorkflowChartList() = default;

    // Every chart asks for the last price of its symbol.
    virtual void TickerPrice() = 0;
    // Every chart asks for its two newest candles.
    virtual void KlinesUpdate() = 0;
};
