#include "domain/uUser.h"

#include "domain/uProfile.h"
#include "domain/uWorkflow.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(UserInputData, AuthEditIsBufferedUntilCommitted)
{
    TUserInputData Input;
    Input.SetAuth(uaAuth);
    Input.AuthBeginUpdate();
    EXPECT_EQ(uaAuth, Input.Auth()) << "the buffer starts as the state";
    Input.SetAuth(uaUnauth);
    EXPECT_EQ(uaUnauth, Input.Auth());
    Input.AuthRollbackUpdate();
    EXPECT_EQ(uaAuth, Input.Auth()) << "a rollback drops the edit";
    Input.AuthBeginUpdate();
    Input.SetAuth(uaUndefined);
    Input.AuthCommitUpdate();
    Input.AuthCommitUpdate();
    EXPECT_EQ(uaUndefined, Input.Auth()) << "committed; a commit without an edit changes nothing";
    Input.SetAuth(uaAuth);
    EXPECT_EQ(uaAuth, Input.Auth()) << "no edit open: writes the state";
}

// Records what the starters hand over instead of starting workers.
class TRecordingStarters : public TUser {
public:
    std::vector<TRequest> Started;

protected:
    void Start(TRequest aRequest) override { Started.push_back(std::move(aRequest)); }
};

class UserTest : public ::testing::Test {
protected:
    UserTest()
    {
        Workflow = &fWorkflow;
        Profile = &fProfile;
        fOrder.SetSymbol("ETHBTC");
        fOrder.SetQuantity(1.5);
        fUserOrder.SetSymbol("LTCBTC");
        fUserOrder.SetOrderID(5'000'000'000);
    }
    ~UserTest() override
    {
        Profile = nullptr;
        Workflow = nullptr;
    }

    // Every starter once, in a fixed order.
    void StartAll()
    {
        fUser.Time();
        fUser.DepthEx();
        fUser.TickerPrice("");
        fUser.Ticker24hrEx();
        fUser.Ticker24hrVolume();
        fUser.TickerBookTicker("ETHBTC");
        fUser.OpenOrdersEx(nullptr);
        fUser.AllOrdersEx(&fFurther);
        fUser.OrderPost(fOrder, nullptr, true);
        fUser.OrderDelete(fUserOrder, &fFurther, false);
    }

    TWorkflow fWorkflow;
    TProfile fProfile;
    TConnectionItem fFurther;
    TOrder fOrder;
    TUserOrder fUserOrder;
    TRecordingStarters fUser;
};

TEST_F(UserTest, StartersStartNothingUnlessTheWorkflowIsWorking)
{
    fUser.Input().SetSymbol("ETHBTC");
    for (TWorkflowState State : {wfsClosing, wfsStopped, wfsPaused}) {
        fWorkflow.SetState(State);
        StartAll();
    }
    Workflow = nullptr;
    StartAll();
    EXPECT_TRUE(fUser.Started.empty());

    Workflow = &fWorkflow;
    fWorkflow.SetState(wfsWorking);
    StartAll();
    EXPECT_EQ(10u, fUser.Started.size());
}

TEST_F(UserTest, StartersCopyWhatTheWorkerNeedsWhenTheyRun)
{
    fUser.DepthEx();
    EXPECT_TRUE(fUser.Started.empty()) << "no order book without a symbol";

    fUser.Input().SetSymbol("ETHBTC");
    StartAll();
    fUser.Input().SetSymbol("LTCBTC");
    fOrder.SetQuantity(3);

    const auto& S = fUser.Started;
    ASSERT_EQ(10u, S.size());
    EXPECT_EQ(TRequestKind::Depth, S[1].Kind);
    EXPECT_EQ("ETHBTC", S[1].Symbol) << "the selection when the book was asked for";
    EXPECT_EQ("", S[2].Symbol);
    EXPECT_EQ("", S[6].Symbol) << "open orders of every symbol";
    EXPECT_EQ("ETHBTC", S[7].Symbol) << "the history of the selected one";

    EXPECT_EQ(&fProfile.MainProfile(), S[6].Account) << "none given: the main account";
    EXPECT_EQ(&fFurther, S[7].Account);

    ASSERT_TRUE(S[8].Order.has_value());
    EXPECT_EQ(1.5, S[8].Order->Quantity()) << "the order as it was posted";
    EXPECT_TRUE(S[8].Multi);
    EXPECT_EQ(&fProfile.MainProfile(), S[8].Account);
    ASSERT_TRUE(S[9].UserOrder.has_value());
    EXPECT_EQ(5'000'000'000, S[9].UserOrder->OrderID());
    EXPECT_FALSE(S[9].Multi);
}

} // namespace
