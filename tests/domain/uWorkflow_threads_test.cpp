#include "domain/uWorkflow.h"

#include "domain/uProfile.h"
#include "domain/uUser.h"
#include "platform/TestUIDispatcher.h"
#include "support/WorkflowFakes.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

// Start-up with the windows and the model recorded, and workers that hand
// calls to the test's own user-interface thread.
class WorkflowStartUp : public ::testing::Test {
protected:
    WorkflowStartUp()
    {
        SetUIDispatcher(&Dispatcher);
        Workflow = &Flow;
        Profile = &fProfile;
        User = &fUser;
        Flow.SetMainFormFactory(&Factory);
    }
    ~WorkflowStartUp() override
    {
        // Releases a worker whose call was never run, so that it can be joined.
        Dispatcher.PumpUntil([] { return false; }, 50ms);
        for (std::thread& Worker : Workers)
            Worker.join();
        User = nullptr;
        Profile = nullptr;
        Workflow = nullptr;
        SetUIDispatcher(nullptr);
    }

    // A worker queues a call that logs Text on the user-interface thread;
    // returns once it is queued.
    void QueueFromWorker(const std::string& Text)
    {
        const std::size_t Before = Dispatcher.Pending();
        Workers.emplace_back([this, Text] { InvokeSync([this, Text] { Log.push_back(Text); }); });
        while (Dispatcher.Pending() == Before)
            std::this_thread::sleep_for(1ms);
    }

    TCallLog Log;
    TTestUIDispatcher Dispatcher;
    TWorkflow Flow;
    TRecordingFormFactory Factory{Log};
    TProfile fProfile{"unused-config.json"};
    TRecordingUser fUser{Log};
    std::vector<std::thread> Workers;
};

} // namespace

TEST_F(WorkflowStartUp, WorkersCallsRunAfterShowingAndAtTheEndAlsoAfterAFailure)
{
    struct TCase {
        std::string QueuedDuring;
        bool Raise;
        TCallLog Expected;
    };
    const TCase Cases[] = {
        {"Show",
         false,
         {"Create", "Show", "applied", "SendPing", "Time", "Ticker24hr", "InitUserInterface"}},
        {"InitUserInterface",
         false,
         {"Create", "Show", "SendPing", "Time", "Ticker24hr", "InitUserInterface", "applied"}},
        {"SendPing", true, {"Create", "Show", "SendPing", "applied"}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.QueuedDuring);
        Log.clear();
        Factory.Form.OnCall = [&](const std::string& Call) {
            if (Call != C.QueuedDuring)
                return;
            QueueFromWorker("applied");
            if (C.Raise)
                throw std::runtime_error("failed");
        };
        if (C.Raise)
            EXPECT_THROW(Flow.DoShowMainForm(), std::runtime_error);
        else
            EXPECT_TRUE(Flow.DoShowMainForm());
        EXPECT_EQ(Log, C.Expected);
    }
}
