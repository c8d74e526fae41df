#pragma once

#include "domain/uCommon.h"

#include <atomic>

// Decides what the terminal asks the exchange for and when. The clock calls
// the four hooks on the user-interface thread; workers read the state.
// The hooks ask for nothing yet: the polling schedule comes with the market
// model and the chart list it drives.
class TWorkflow {
public:
    TWorkflow() = default;
    TWorkflow(const TWorkflow&) = delete;
    TWorkflow& operator=(const TWorkflow&) = delete;
    virtual ~TWorkflow() = default;

    TWorkflowMode Mode() const { return fMode; }
    TWorkflowState State() const { return fState.load(); }
    // The main window's close sets wfsClosing.
    virtual void SetState(TWorkflowState Value) { fState.store(Value); }

    virtual void DoEverySecond() {}
    virtual void DoEvery5Second() {}
    virtual void DoEveryMinute() {}
    virtual void DoOnce() {}

private:
    TWorkflowMode fMode = wfmTrade;
    std::atomic<TWorkflowState> fState{wfsWorking};
};

// Created and destroyed by the builder; nullptr outside that span.
extern TWorkflow* Workflow;
