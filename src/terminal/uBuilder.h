#pragma once

#include "domain/uWorkflowViews.h"

#include <memory>
#include <utility>

class IMainChartList;
class ITickSource;
class TfmMain;

// Clears a service's global, then frees the object: nothing reaches a
// service that is being torn down.
template <class T> void FreeGlobal(T*& Global)
{
    delete std::exchange(Global, nullptr);
}

// The program's main window, made when the workflow shows it, on the chart
// list set before. It belongs to the builder and outlives the workflow's
// working span.
class TMainFormFactory : public IMainFormFactory {
public:
    TMainFormFactory();
    ~TMainFormFactory() override;

    void SetChartList(IMainChartList* Value) { fChartList = Value; }
    IWorkflowMainForm& CreateMainForm() override;
    void FreeMainForm();

private:
    IMainChartList* fChartList = nullptr;
    std::unique_ptr<TfmMain> fForm;
};

// Creates the terminal's services in a fixed order, so that each finds the
// ones it uses already in their globals, and tears them down in a fixed
// order at the end. User-interface thread only.
class TBuilder {
public:
    // The heartbeat ticks from Ticks, which outlives the builder.
    explicit TBuilder(ITickSource& Ticks);
    TBuilder(const TBuilder&) = delete;
    TBuilder& operator=(const TBuilder&) = delete;
    ~TBuilder();

    // Builds every service and shows the main window with its first
    // requests, which go on without blocking; the heartbeat starts when they
    // have come back. When a step raises, every worker is stopped and what
    // was built is freed before the exception passes on.
    void BuildOnStart();
    // After the message loop: stops the heartbeat, lets late worker results
    // arrive, stops every worker, then frees the services.
    void DestroyOnFinish();

private:
    void CreateChartList();
    void StopWorkers();
    void FreeServices();

    ITickSource& fTicks;
    TMainFormFactory fMainForms;
};
