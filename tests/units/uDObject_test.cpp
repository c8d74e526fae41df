#include "units/uDObject.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using TLog = std::vector<std::string>;

class TRecorder : public TDObject {
public:
    TRecorder(std::string Name, TLog& Log) : fName(std::move(Name)), fLog(Log) {}

    void Notification(int32_t EventID, TNotifyData Data) override
    {
        fLog.push_back(fName + ":" + std::to_string(EventID) + ":" + std::to_string(Data));
        if (OnNotify)
            OnNotify();
    }

    std::function<void()> OnNotify;

private:
    std::string fName;
    TLog& fLog;
};

TEST(TDPublisher, CallsTheEventsSubscribersBeforeThoseOfAllEvents)
{
    TLog Log;
    TRecorder All("all", Log), Klines("klines", Log), Both("both", Log);
    TDPublisher P;
    P.Subscribe(&All, 0);
    P.Subscribe(&Klines, 120);
    P.Subscribe(&Both, 0);
    P.Subscribe(&Both, 120);

    P.Notify(120, 7);
    P.Notify(130, 1);

    EXPECT_EQ(Log, (TLog{"klines:120:7", "both:120:7", "all:120:7", "both:120:7", "all:130:1",
                         "both:130:1"}));
}

TEST(TDPublisher, NeverSendsIdentifiersBelowOne)
{
    TLog Log;
    TRecorder All("all", Log);
    TDPublisher P;
    P.Subscribe(&All, 0);
    P.Notify(0, 1);
    P.Notify(-5, 1);
    EXPECT_TRUE(Log.empty());
}

TEST(TDPublisher, SubscriptionsAreSetsAndUnknownRemovalsAreHarmless)
{
    TLog Log;
    TRecorder A("a", Log), B("b", Log);
    TDPublisher P;
    P.Subscribe(&A, 0);
    P.Subscribe(&A, 0);
    P.Subscribe(nullptr, 0);
    P.Unsubscribe(&B, 0);
    P.Unsubscribe(&A, 999);
    P.Unsubscribe(nullptr, 0);
    P.Notify(999, 0);
    EXPECT_EQ(Log, TLog{"a:999:0"});

    Log.clear();
    P.Unsubscribe(&A, 0);
    P.Notify(999, 0);
    EXPECT_TRUE(Log.empty());
}

TEST(TDPublisher, ChangesDuringADeliveryTakeEffectFromTheNextOne)
{
    TLog Log;
    TRecorder A("a", Log), B("b", Log), C("c", Log);
    TDPublisher P;
    P.Subscribe(&A, 0);
    P.Subscribe(&B, 0);
    A.OnNotify = [&] {
        P.Unsubscribe(&B, 0);
        P.Subscribe(&C, 0);
    };

    P.Notify(110, 0);
    EXPECT_EQ(Log, (TLog{"a:110:0", "b:110:0"}));

    Log.clear();
    A.OnNotify = nullptr;
    P.Notify(110, 0);
    EXPECT_EQ(Log, (TLog{"a:110:0", "c:110:0"}));
}

TEST(TDPublisher, SkipsASubscriberDestroyedDuringTheDelivery)
{
    TLog Log;
    TRecorder A("a", Log);
    auto B = std::make_unique<TRecorder>("b", Log);
    TRecorder C("c", Log);
    TDPublisher P;
    P.Subscribe(&A, 0);
    P.Subscribe(B.get(), 0);
    P.Subscribe(&C, 0);
    A.OnNotify = [&] { B.reset(); };

    P.Notify(140, 0);
    EXPECT_EQ(Log, (TLog{"a:140:0", "c:140:0"}));
}

TEST(TDPublisher, ANewObjectAtADestroyedOnesAddressIsNotSubscribed)
{
    TLog Log;
    TDPublisher P;
    alignas(TRecorder) unsigned char Storage[sizeof(TRecorder)];
    auto* First = new (Storage) TRecorder("first", Log);
    P.Subscribe(First, 0);
    First->~TRecorder();

    auto* Second = new (Storage) TRecorder("second", Log);
    P.Notify(150, 0);
    EXPECT_TRUE(Log.empty());

    P.Subscribe(Second, 0);
    P.Notify(150, 0);
    EXPECT_EQ(Log, TLog{"second:150:0"});
    Second->~TRecorder();
}

} // namespace
