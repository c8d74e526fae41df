#include "platform/MessageBox.h"
#include "platform/ScriptedMessageBox.h"
#include "platform/TestUIDispatcher.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

class TThreadRecordingBox : public IMessageBox {
public:
    int Show(const std::string& Text, const std::string& Caption, std::uint32_t Style) override
    {
        Thread = std::this_thread::get_id();
        return IDYES;
    }
    std::thread::id Thread;
};

} // namespace

TEST(MessageBoxThreads, AWorkersMessageIsShownOnTheUserInterfaceThread)
{
    TTestUIDispatcher Dispatcher;
    SetUIDispatcher(&Dispatcher);
    TThreadRecordingBox Box;
    IMessageBox* Previous = SetMessageBox(&Box);

    std::atomic<int> Answer{0};
    std::thread Worker([&] { Answer = MessageBox("from a worker", "Tavrix", MB_YESNO); });
    EXPECT_TRUE(Dispatcher.PumpUntil([&] { return Answer != 0; }, std::chrono::seconds(10)));
    Worker.join();

    EXPECT_EQ(Answer, IDYES);
    EXPECT_EQ(Box.Thread, std::this_thread::get_id());
    SetMessageBox(Previous);
    SetUIDispatcher(nullptr);
}

TEST(MessageBoxThreads, AWorkersMessageAtShutDownIsDroppedUnshown)
{
    TTestUIDispatcher Dispatcher;
    SetUIDispatcher(&Dispatcher);
    TScriptedMessageBox Box;
    Dispatcher.Shutdown();

    std::thread Worker(
        [] { EXPECT_THROW(MessageBox("too late", "Tavrix", MB_OK), EUIDispatchDropped); });
    Worker.join();
    EXPECT_TRUE(Box.Shown().empty());
    SetUIDispatcher(nullptr);
}
