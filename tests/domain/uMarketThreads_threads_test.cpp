#include "domain/uMarketThreads.h"

#include "MarketThreadsFixture.h"

TEST_F(MarketThreads, ServerTimeSetsTheClockAndAFailureLeavesIt)
{
    TSysTime Fresh;
    SysTime = &Fresh;
    Exchange.SetServerTime(1765000000123);
    Run(std::make_shared<TTimeThread>());
    EXPECT_TRUE(Fresh.IsSetByExchange());
    EXPECT_EQ(DateToStamp(Fresh.Time()), 1765000000123);

    for (const TExchangeReply& Failure : {TExchangeReply::Error(503, -1, "busy"),
                                          RawReply(R"({"serverTime":"soon"})"), RawReply("{}")}) {
        Log.Clear();
        Exchange.Script(TExchangeEndpoint::Time, Failure);
        Run(std::make_shared<TTimeThread>());
        EXPECT_EQ(DateToStamp(Fresh.Time()), 1765000000123);
        for (const TLogLine& Line : Log.Lines())
            if (Line.Text.starts_with(">> ")) {
                EXPECT_EQ(Line.Thread, 0) << "the time request runs on a client of its own";
            }
        EXPECT_EQ(Alerts(), std::vector<std::string>{"TSysTimeThread.Execute error: "
                                                     "TSysTimeThread.Execute ParseRespond error"});
    }
    SysTime = &Clock;
}

TEST_F(MarketThreads, PingAnswersWhetherTheExchangeReplied)
{
    auto Ok = std::make_shared<TPingThread>();
    Run(Ok);
    EXPECT_TRUE(Ok->PingOk());
    Exchange.Script(TExchangeEndpoint::Ping, TExchangeReply::Error(500, -1, "down"));
    auto Failed = std::make_shared<TPingThread>();
    Run(Failed);
    EXPECT_FALSE(Failed->PingOk());
    EXPECT_EQ(Alerts(), std::vector<std::string>{"TUser.Ping ParseResponse error: empty string"});
    Flow.SetState(wfsClosing);
    Exchange.ClearJournal();
    auto Closing = std::make_shared<TPingThread>();
    Run(Closing);
    EXPECT_FALSE(Closing->PingOk());
    EXPECT_TRUE(Exchange.Journal().empty());
}
