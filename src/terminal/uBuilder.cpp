#include "terminal/uBuilder.h"

#include "chart/chart/PlotStartup.h"
#include "chart/core/PlotLog.h"
#include "domain/uBaseThread.h"
#include "domain/uFolders.h"
#include "domain/uLog.h"
#include "domain/uProfile.h"
#include "domain/uSysTime.h"
#include "domain/uUIWriter.h"
#include "domain/uUser.h"
#include "domain/uWorkflow.h"
#include "platform/UIDispatcher.h"
#include "terminal/charts/uChartList.h"
#include "terminal/charts/uChartTemplates.h"
#include "terminal/dlgChartSettings/udlgChartSettings.h"
#include "terminal/dlgIndicator/udlgIndicator.h"
#include "terminal/dlgOrder/udlgOrder.h"
#include "terminal/fmMain/ufmMain.h"

#include <chrono>
#include <stdexcept>

using namespace std::chrono_literals;

TMainFormFactory::TMainFormFactory() = default;
TMainFormFactory::~TMainFormFactory() = default;

IWorkflowMainForm& TMainFormFactory::CreateMainForm()
{
    if (!fChartList)
        throw std::logic_error("TMainFormFactory.CreateMainForm: no chart list");
    fForm = std::make_unique<TfmMain>(*fChartList);
    return *fForm;
}

void TMainFormFactory::FreeMainForm()
{
    fForm.reset();
}

TBuilder::TBuilder(ITickSource& Ticks) : fTicks(Ticks) {}

TBuilder::~TBuilder() = default;

void TBuilder::BuildOnStart()
{
    try {
        // The whole chart engine (texts, cursors, font, registries, palettes
        // and series kinds) stands before any chart window exists; it stops
        // last, in FreeServices.
        PlotEngineStartup();
        SetPlotLogSink([](const std::string& Line) { WriteLog(Line, mtAlert, 0); });
        // A folders object of its own: creating it recomputes and creates the folders.
        FreeGlobal(Folders);
        Folders = new TFolders;
        LogWriter = new TLogWriter;
        // Three empty lines mark where a run begins in the debug log.
        for (int Line = 0; Line < 3; ++Line)
            WriteLog("", mtConfirm, 0);
        Workflow = new TWorkflow;
        Workflow->SetMainFormFactory(&fMainForms);
        Profile = new TProfile;
        User = new TUser;
        SysTime = new TSysTime;
        UIWriter = new TUIWriter;
        Timer = new TTimer(fTicks);
        ChartTemplates = new TChartTemplates;
        CreateChartList();
        Profile->Init();
        // The heartbeat starts once the start-up's first requests have come
        // back; the window answers meanwhile.
        Workflow->DoShowMainForm([] {
            if (Timer)
                Timer->Init();
        });
    } catch (...) {
        // The window goes before the services: nothing still queued for it
        // reaches a window whose services are gone.
        StopWorkers();
        fMainForms.FreeMainForm();
        FreeServices();
        throw;
    }
}

void TBuilder::DestroyOnFinish()
{
    if (Timer)
        Timer->Deinit();
    // Workers still running get up to a second for their last calls; none
    // running, nothing is waited for.
    if (TUIDispatcher* Dispatcher = GetUIDispatcher()) {
        Dispatcher->WaitWhile(
            [] {
                ReapFinishedThreads();
                return FreeThreadCount() > 0;
            },
            1000ms);
        Dispatcher->ProcessPending();
    }
    StopWorkers();
    FreeServices();
}

// The chart list polls its charts on the workflow's hooks, opens the
// terminal's dialogs from its charts, and is what the main window hosts.
void TBuilder::CreateChartList()
{
    auto* List = new TChartList;
    ChartList = List;
    Workflow->SetChartList(List);
    List->Dialogs() = {ExecuteDlgIndicator, ExecuteDlgChartSettings, ExecuteOrder};
    fMainForms.SetChartList(List);
}

// The main window's close has normally stopped the polling already; a start
// that failed half-way, or a loop ended otherwise, has not. No worker may
// outlive the services it reads.
void TBuilder::StopWorkers()
{
    if (Workflow && Workflow->State() != wfsClosing)
        Workflow->SetState(wfsClosing);
    FinishWorkers();
}

// The update writer, which the workers feed, goes after the log writer: its
// thread hands what is still queued to the windows before it ends.
void TBuilder::FreeServices()
{
    FreeGlobal(ChartTemplates);
    FreeGlobal(SysTime);
    if (Workflow)
        Workflow->SetChartList(nullptr);
    fMainForms.SetChartList(nullptr);
    FreeGlobal(ChartList);
    FreeGlobal(Folders);
    FreeGlobal(Workflow);
    FreeGlobal(Profile);
    if (User)
        User->DeInit();
    FreeGlobal(User);
    FreeGlobal(Timer);
    FreeGlobal(LogWriter);
    FreeGlobal(UIWriter);
    PlotEngineShutdown();
}
