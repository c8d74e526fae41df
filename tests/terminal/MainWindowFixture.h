#pragma once

// The main window among the services it reads, as the builder creates them,
// with a recording workflow and a real chart list that records its layout
// calls.

#include "terminal/fmMain/ufmMain.h"

#include "chart/canvas/PlotEngineScope.h"
#include "domain/uBaseThread.h"
#include "domain/uFolders.h"
#include "domain/uHttpTransport.h"
#include "domain/uProfile.h"
#include "domain/uSysTime.h"
#include "domain/uUIWriter.h"
#include "domain/uUser.h"
#include "domain/uWorkflow.h"
#include "platform/TestUIDispatcher.h"
#include "support/ServerAddress.h"
#include "support/TempHome.h"
#include "support/TestExchange.h"
#include "terminal/charts/uChartList.h"
#include "terminal/charts/uCharts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using TSteps = std::vector<std::string>;

class TRecordingWorkflow : public TWorkflow {
public:
    explicit TRecordingWorkflow(TSteps& Steps) : fSteps(Steps) {}
    void SetState(TWorkflowState Value) override
    {
        fSteps.push_back("Workflow.SetState " + std::to_string(int(Value)));
        TWorkflow::SetState(Value);
    }

private:
    TSteps& fSteps;
};

class TRecordingChartList : public TChartList {
public:
    explicit TRecordingChartList(TSteps& Steps) : fSteps(Steps) {}
    void Load() override
    {
        fSteps.push_back("ChartList.Load");
        TChartList::Load();
    }
    void Save() override
    {
        fSteps.push_back("ChartList.Save");
        TChartList::Save();
    }
    void Clear() override
    {
        fSteps.push_back("ChartList.Clear");
        TChartList::Clear();
    }
    void RefreshKlinesByInterval(TChartInterval aChartInterval) override
    {
        fSteps.push_back("ChartList.RefreshKlinesByInterval " + std::to_string(aChartInterval));
        TChartList::RefreshKlinesByInterval(aChartInterval);
    }

    // A chart of aSymbol at aInterval, its window active.
    TChartItem& Selected(const std::string& aSymbol, TChartInterval aInterval = m1)
    {
        TChartItem& Item = Add();
        Item.SetSymbol(aSymbol);
        Item.LoadInterval(aInterval);
        Item.SetActive(true);
        return Item;
    }

private:
    TSteps& fSteps;
};

// The window, recording every notification that reaches it.
class TRecordingMain : public TfmMain {
public:
    using TfmMain::TfmMain;
    void OnNotify(int32_t EventID, TNotifyData Data) override
    {
        Codes.push_back(EventID);
        TfmMain::OnNotify(EventID, Data);
    }

    std::vector<int32_t> Codes;
};

// The services the window reads, as the builder creates them, and the
// window itself; torn down in the builder's order.
class TMainWindowTest : public ::testing::Test {
protected:
    TMainWindowTest()
    {
        Folders = new TFolders;
        Workflow = new TRecordingWorkflow(Steps);
        Profile = new TProfile((Home.Path() / "config.json").string());
        User = new TUser;
        SysTime = new TSysTime;
        SetUIDispatcher(&Dispatcher);
        UIWriter = new TUIWriter;
    }

    ~TMainWindowTest() override
    {
        Window.reset();
        Dispatcher.Shutdown();
        EXPECT_TRUE(FinishWorkers(std::chrono::seconds(5)));
        HttpAbortTransfers(false);
        Free(UIWriter);
        SetUIDispatcher(nullptr);
        Free(SysTime);
        Free(Profile);
        Free(Workflow);
        Free(User);
        Free(Folders);
    }

    template <class T> static void Free(T*& Service)
    {
        delete Service;
        Service = nullptr;
    }

    TRecordingMain& Open()
    {
        Window = std::make_unique<TRecordingMain>(ChartList);
        Window->show();
        return *Window;
    }

    // Plays the user-interface thread: the update queue's deliveries and the
    // window's timers run until Done or the time is up.
    bool Pump(const std::function<bool()>& Done, int Milliseconds = 10000)
    {
        QElapsedTimer Clock;
        Clock.start();
        while (!Done() && Clock.elapsed() < Milliseconds) {
            Dispatcher.ProcessPending();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return Done();
    }

    // The requests of Method the exchange got, once Count of them arrived or
    // the time is up.
    std::vector<TJournalEntry> Requests(const std::string& Method, std::size_t Count = 1,
                                        int Milliseconds = 10000)
    {
        std::vector<TJournalEntry> Found;
        Pump(
            [&] {
                Found.clear();
                for (const TJournalEntry& Entry : Exchange.Journal())
                    if (Entry.Method == Method)
                        Found.push_back(Entry);
                return Found.size() >= Count;
            },
            Milliseconds);
        return Found;
    }

    template <class T> T* Find(const char* Name) const
    {
        T* Control = Window->findChild<T*>(QString::fromLatin1(Name));
        EXPECT_NE(Control, nullptr) << Name;
        return Control;
    }

    QColor ClockColour() const
    {
        return Find<QLabel>("SysTimePanel")->palette().color(QPalette::Window);
    }

    QString ClockText() const { return Find<QLabel>("SysTimePanel")->text(); }
    QString StatusText() const { return Find<QLabel>("StatusText")->text(); }

    TTempHome Home;
    TSteps Steps;
    TTestExchange Exchange;
    TServerAddress Address{Exchange.URL()};
    TTestUIDispatcher Dispatcher;
    TRecordingChartList ChartList{Steps};
    std::unique_ptr<TRecordingMain> Window;
};
