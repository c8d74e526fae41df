#pragma once

// The exchange workers' surroundings for a test: the user-interface thread
// (the test's own), workflow, clock, model, update queue, message boxes, log
// and a test exchange that the workers' client is pointed at.

#include "domain/uBaseThread.h"
#include "domain/uChartListLink.h"
#include "domain/uCommon.h"
#include "domain/uHttpTransport.h"
#include "domain/uSysTime.h"
#include "domain/uUIWriter.h"
#include "domain/uUser.h"
#include "domain/uWorkflow.h"
#include "platform/ScriptedMessageBox.h"
#include "platform/TestUIDispatcher.h"
#include "support/LogCapture.h"
#include "support/ServerAddress.h"
#include "support/TestExchange.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

using namespace std::chrono_literals;

// What reached a window through the update queue, and the order bubbles'
// redraws (cBubbles), in the order they came.
class TQueueRecorder : public TDObject, public IChartList {
public:
    static constexpr int32_t cBubbles = -1;

    void Notification(int32_t EventID, TNotifyData Data) override
    {
        Codes.push_back({EventID, Data});
    }
    void RefreshOrdersBubbles() override { Codes.push_back({cBubbles, 0}); }

    std::vector<int32_t> EventIDs() const
    {
        std::vector<int32_t> Result;
        for (const auto& [Code, Data] : Codes)
            Result.push_back(Code);
        return Result;
    }

    std::vector<std::pair<int32_t, TNotifyData>> Codes;
};

struct ExchangeWorkers : ::testing::Test {
    ExchangeWorkers()
    {
        SetUIDispatcher(&Dispatcher);
        Workflow = &Flow;
        SysTime = &Clock;
        User = &Model;
        UIWriter = new TUIWriter;
        UIWriter->Publisher().Subscribe(&Window, 0);
    }
    ~ExchangeWorkers() override
    {
        Dispatcher.Shutdown();
        EXPECT_TRUE(FinishWorkers(5s));
        HttpAbortTransfers(false);
        delete UIWriter;
        UIWriter = nullptr;
        User = nullptr;
        SysTime = nullptr;
        Workflow = nullptr;
        SetUIDispatcher(nullptr);
    }

    // Runs the user-interface thread's calls until every free worker, those
    // the workers started included, has ended.
    bool FreeWorkersEnded(std::chrono::milliseconds aLimit = 5s)
    {
        return Dispatcher.PumpUntil(
            [] {
                ReapFinishedThreads();
                return FreeThreadCount() == 0;
            },
            aLimit);
    }
    // The workers' alert lines; the exchange client's own start with ">> ".
    std::vector<std::string> Alerts()
    {
        std::vector<std::string> Texts;
        for (const TLogLine& Line : Log.Lines())
            if (Line.Type == mtAlert && !Line.Text.starts_with(">> "))
                Texts.push_back(Line.Text);
        return Texts;
    }

    TLogCapture Log;
    TScriptedMessageBox Box;
    TTestUIDispatcher Dispatcher;
    TWorkflow Flow;
    TSysTime Clock;
    TUser Model;
    TQueueRecorder Window;
    TTestExchange Exchange;
    TServerAddress Server{Exchange.URL()};
};
