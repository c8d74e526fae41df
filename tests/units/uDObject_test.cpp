#include "units/uDObject.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
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

TEST(TDPublisher, EventSubscribersComeFirstSubscriptionsAreSetsAndIdsBelowOneAreNeverSent)
{
    TLog Log;
    TRecorder All("all", Log), Klines("klines", Log), Both("both", Log);
    TDPublisher P;
    for (auto [Obj, Id] : {std::pair{&All, 0}, {&Klines, 120}, {&Both, 0}, {&Both, 120}, {&All, 0}})
        P.Subscribe(Obj, Id);
    P.Subscribe(nullptr, 0);
    for (auto [Obj, Id] : {std::pair{&Klines, 0}, {&All, 999}, {nullptr, 0}})
        P.Unsubscribe(Obj, Id);
    for (int Id : {120, 130, 0, -5})
        P.Notify(Id, Id == 120 ? 7 : 1);
    EXPECT_EQ(Log, (TLog{"klines:120:7", "both:120:7", "all:120:7", "both:120:7", "all:130:1",
                         "both:130:1"}));
    Log.clear();
    for (TRecorder* R : {&All, &Both})
        P.Unsubscribe(R, 0);
    P.Notify(999, 0);
    EXPECT_TRUE(Log.empty());
}

TEST(TDPublisher, ChangesDuringADeliveryTakeEffectNextTimeAndTheDestroyedAreSkipped)
{
    TLog Log;
    TRecorder A("a", Log), C("c", Log);
    auto B = std::make_unique<TRecorder>("b", Log);
    auto D = std::make_unique<TRecorder>("d", Log);
    TDPublisher P;
    for (TRecorder* R : {&A, B.get(), D.get()})
        P.Subscribe(R, 0);
    A.OnNotify = [&] {
        P.Unsubscribe(B.get(), 0);
        P.Subscribe(&C, 0);
        D.reset();
    };
    P.Notify(110, 0);
    EXPECT_EQ(Log, (TLog{"a:110:0", "b:110:0"}));
    Log.clear();
    A.OnNotify = nullptr;
    P.Notify(110, 0);
    EXPECT_EQ(Log, (TLog{"a:110:0", "c:110:0"}));
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
