#include "domain/uOrderThreads.h"

#include "ExchangeWorkersFixture.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <simdjson.h>

using nlohmann::json;
using ::testing::ElementsAre;

namespace {

const int64_t cNow = 1700000123456;
const char* const cMainKey = "main-api-key";
const char* const cMainSecret = "main-secret";

struct OrderThreads : ExchangeWorkers {
    OrderThreads()
    {
        Profile = &Accounts;
        ChartList = &Window;
        Exchange.SetServerTime(cNow);
        Clock.SetServerTime(StampToDate(cNow));
        AddAccount(Accounts.MainProfile(), cMainKey, cMainSecret);
    }
    ~OrderThreads() override
    {
        Settle();
        ChartList = nullptr;
        Profile = nullptr;
    }

    void AddAccount(TConnectionItem& Account, const std::string& Key, const std::string& Secret)
    {
        Account.SetApiKey(Key);
        Account.SetSecretKey(Secret);
        Exchange.AddAccount(Key, Secret);
    }
    TConnectionItem& AddFurther(const std::string& Key, double Rate)
    {
        TConnectionItem& Account = Accounts.Connections().Add();
        AddAccount(Account, Key, Key + "-secret");
        Account.SetRate(Rate);
        return Account;
    }
    // Runs the workers' synchronised steps until every worker, mirrored ones
    // included, has ended.
    void Settle() { EXPECT_TRUE(FreeWorkersEnded(10s)); }
    // The notifications once Count of them have arrived.
    std::vector<int32_t> Codes(std::size_t Count)
    {
        Dispatcher.PumpUntil([&] { return Window.Codes.size() >= Count; }, 5s);
        return Window.EventIDs();
    }
    // The requests of one method, in the order they arrived.
    std::vector<TJournalEntry> Requests(const std::string& Method)
    {
        std::vector<TJournalEntry> Result;
        for (const TJournalEntry& E : Exchange.Journal())
            if (E.Method == Method)
                Result.push_back(E);
        return Result;
    }
    std::vector<std::string> Boxes() const
    {
        std::vector<std::string> Texts;
        for (const auto& Shown : Box.Shown())
            Texts.push_back(Shown.Text);
        return Texts;
    }

    TProfile Accounts;
};

TOrder MakeOrder(const std::string& Type, double Quantity, double Price = 0, double Stop = 0)
{
    TOrder Order;
    Order.SetSymbol("BTCUSDT");
    Order.SetSide("BUY");
    Order.SetType_(Type);
    Order.SetQuantity(Quantity);
    Order.SetPrice(Price);
    Order.SetStopPrice(Stop);
    return Order;
}

} // namespace

TEST_F(OrderThreads, PlacementsSendTheirTypesLinesAndConfirmOnce)
{
    const std::string Stamp = "timestamp=" + std::to_string(cNow) + "&recvWindow=60000";
    struct {
        TOrder Order;
        std::string Body;
        const char* Confirmation;
    } const Cases[] = {
        {MakeOrder("MARKET", 0.5),
         "symbol=BTCUSDT&side=BUY&type=MARKET&quantity=0.5&" + Stamp + "&newOrderRespType=RESULT",
         "Создан ордер BTCUSDT BUY MARKET 0 0.5"},
        {MakeOrder("LIMIT", 1.5, 36000.5),
         "symbol=BTCUSDT&side=BUY&type=LIMIT&price=36000.5&quantity=1.5&" + Stamp +
             "&timeInForce=GTC&newOrderRespType=RESULT",
         "Создан ордер BTCUSDT BUY LIMIT 36000.5 1.5"},
        {MakeOrder("STOP_LOSS_LIMIT", 0.00001, 35000, 35100),
         "symbol=BTCUSDT&side=BUY&type=STOP_LOSS_LIMIT&price=35000&quantity=0.00001&" + Stamp +
             "&timeInForce=GTC&stopPrice=35100&newOrderRespType=RESULT",
         "Создан ордер BTCUSDT BUY STOP_LOSS_LIMIT 35000 0.00001"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Body);
        Exchange.ClearJournal();
        Model.OrderPost(Case.Order, nullptr, false);
        Settle();
        const auto Posts = Requests("POST");
        ASSERT_EQ(Posts.size(), 1u);
        EXPECT_EQ(Posts[0].Header("X-MBX-APIKEY"), cMainKey);
        EXPECT_EQ(Posts[0].Body.substr(0, Posts[0].Body.find("&signature=")), Case.Body);
        EXPECT_EQ(Boxes().back(), Case.Confirmation);
        // Each placement refreshes the account: balances, history, open orders.
        std::vector<std::string> Refresh;
        for (const TJournalEntry& E : Requests("GET"))
            Refresh.push_back(E.Path);
        EXPECT_THAT(Refresh, ::testing::UnorderedElementsAre("/api/v3/account", "/api/v3/allOrders",
                                                             "/api/v3/openOrders"));
    }
    EXPECT_EQ(Boxes().size(), 3u);
    EXPECT_EQ(Exchange.OpenOrders(cMainKey).size(), 3u); // the standard one and two limits
    EXPECT_EQ(Exchange.OrderHistory(cMainKey).size(), 5u);
}

TEST_F(OrderThreads, AMainOrderIsMirroredByRatioUnderEachAccountsKeyWithoutFurtherBoxes)
{
    AddFurther("half", 0.5);
    AddFurther("double", 2);
    Model.OrderPost(MakeOrder("LIMIT", 1.5, 36000), nullptr, true);
    Settle();
    std::vector<std::pair<std::string, std::string>> Posted;
    for (const TJournalEntry& E : Requests("POST")) {
        const size_t At = E.Body.find("quantity=");
        Posted.emplace_back(E.Header("X-MBX-APIKEY"), E.Body.substr(At, E.Body.find('&', At) - At));
    }
    // The mirrored posts run side by side: their order on the wire is open.
    using TPost = std::pair<std::string, std::string>;
    ASSERT_EQ(Posted.size(), 3u);
    EXPECT_EQ(Posted[0], TPost(cMainKey, "quantity=1.5"));
    EXPECT_THAT(Posted, ::testing::UnorderedElementsAre(TPost(cMainKey, "quantity=1.5"),
                                                        TPost("half", "quantity=0.75"),
                                                        TPost("double", "quantity=3")));
    EXPECT_THAT(Boxes(), ElementsAre("Создан ордер BTCUSDT BUY LIMIT 36000 1.5"));
    for (const char* Key : {"half", "double"})
        EXPECT_GT(Exchange.OpenOrders(Key).back().value("orderId", int64_t(0)), 3'000'000'000);
}

// The exchange's words reach the trader, however the refusal comes.
TEST_F(OrderThreads, ARefusedOrderIsShownNeitherConfirmedRefreshedNorMirrored)
{
    AddFurther("half", 0.5);
    const std::string Few = "Account has insufficient balance.";
    // Long words are shown as 299 whole characters and "…", and logged whole.
    std::string Long;
    for (int Word = 0; Word < 300; ++Word)
        Long += "Отказ";
    const std::string Cut = Long.substr(0, 299 * 2) + "…";
    // Above the 4,096 bytes of a reply that the log shows.
    std::string Huge;
    for (int Word = 0; Word < 820; ++Word)
        Huge += "Отказ";
    const struct {
        TExchangeReply Reply;
        std::string Words, Shown;
    } Refusals[] = {
        {TExchangeReply::Error(400, -2010, Few), Few, Few},
        {TExchangeReply::Json(json{{"code", -2010}, {"msg", Few}}), Few, Few},
        {TExchangeReply::Error(400, -1013, Long), Long, Cut},
        {TExchangeReply::Json(json{{"code", -1013}, {"msg", Long}}), Long, Cut},
        {TExchangeReply::Error(400, -1013, Huge), Huge, Cut},
    };
    for (const auto& Refusal : Refusals) {
        SCOPED_TRACE(Refusal.Reply.Status);
        Exchange.ClearJournal();
        Log.Clear();
        Exchange.Script(TExchangeEndpoint::OrderPost, Refusal.Reply);
        Model.OrderPost(MakeOrder("LIMIT", 1.5, 36000), nullptr, true);
        Settle();
        EXPECT_EQ(Exchange.Journal().size(), 1u);
        EXPECT_EQ(Boxes().back(), "Ордер отклонен: " + Refusal.Shown);
        EXPECT_THAT(Alerts(), ::testing::Contains("TUser.OrderPost refused: " + Refusal.Words));
        for (const TLogLine& Line : Log.Lines())
            if (Line.Text.starts_with(">> ")) {
                EXPECT_LT(Line.Text.size(), 4200u) << "the reply's head";
                EXPECT_TRUE(simdjson::validate_utf8(Line.Text)) << "cut between its bytes";
            }
    }
    EXPECT_EQ(Boxes().size(), std::size(Refusals)) << "no confirmation";
    Exchange.Script(TExchangeEndpoint::OrderPost,
                    {.Status = 400, .Body = "<html>Bad Request</html>"});
    Model.OrderPost(MakeOrder("LIMIT", 1.5, 36000), nullptr, true);
    Settle();
    EXPECT_EQ(Boxes().back(), "Ордер отклонен: HTTP/1.1 400 Bad Request") << "no words: the status";
    // An order the exchange no longer holds: its refused cancel reloads the
    // open orders and balances of every account of the round, so the lists
    // hold what the exchange holds.
    TUserOrderList& Listed = Accounts.MainProfile().UserOrderList();
    std::vector<TUserOrder> Held =
        ParseUserOrdersReply(Exchange.OpenOrders(cMainKey).dump(), "OpenOrders");
    TUserOrder Lost = Held.at(0);
    Lost.SetOrderID(42);
    Held.push_back(Lost);
    ApplyUserOrders(Listed, Held);
    Exchange.ClearJournal();
    Model.OrderDelete(Lost, nullptr, true);
    Settle();
    EXPECT_EQ(Boxes().back(), "Отмена ордера отклонена: Unknown order sent.");
    std::vector<std::string> Paths;
    for (const TJournalEntry& E : Exchange.Journal())
        Paths.push_back(E.Header("X-MBX-APIKEY") + " " + E.Path);
    EXPECT_THAT(Paths,
                ::testing::UnorderedElementsAre(std::string(cMainKey) + " /api/v3/order",
                                                std::string(cMainKey) + " /api/v3/openOrders",
                                                std::string(cMainKey) + " /api/v3/account",
                                                "half /api/v3/openOrders", "half /api/v3/account"));
    EXPECT_EQ(Listed.Count(), int(Held.size()) - 1);
    for (const TUserOrder& Order : Listed)
        EXPECT_NE(Order.OrderID(), 42);
}

// Without a readable answer the order may have gone through: not called
// refused, not sent again nor mirrored; open orders and balances are reloaded.
TEST_F(OrderThreads, AnOrderWithoutAReadableAnswerIsUnknownAndReloadsOpenOrdersAndBalances)
{
    AddFurther("half", 0.5);
    const TExchangeReply Unavailable = TExchangeReply::Error(503, -1003, "Service unavailable.");
    const TExchangeReply Refused =
        TExchangeReply::Error(401, -2015, "Invalid API-key, IP, or permissions for action.");
    // The reload failing twice is asked at once, 1 s later, then 5 s later;
    // refused, it is asked once.
    const struct {
        TExchangeReply Reply;
        int Added;
        std::vector<TExchangeReply> Reloads; // the reloads' first replies
        std::vector<int> Asked;              // the seconds at which the reload was asked
    } Cases[] = {
        {TExchangeReply::ProcessedUnanswered(), 1, {Unavailable, Unavailable}, {0, 1, 6}},
        {TExchangeReply::Error(503, -1000, "Internal error; unable to process"), 0, {}, {0}},
        {TExchangeReply{.Body = "<html>OK</html>"}, 0, {}, {0}},
        {TExchangeReply(), 0, {}, {0}},
        {TExchangeReply::ProcessedUnanswered(), 0, {Refused}, {0}},
    };
    TConnectionItem& Main = Accounts.MainProfile();
    for (std::size_t I = 0; I < std::size(Cases); ++I) {
        SCOPED_TRACE(I);
        const auto& Case = Cases[I];
        Exchange.ClearJournal();
        const std::size_t Before = Exchange.OpenOrders(cMainKey).size();
        Exchange.Script(TExchangeEndpoint::OrderPost, Case.Reply);
        for (const TExchangeReply& Reply : Case.Reloads)
            for (TExchangeEndpoint Reload :
                 {TExchangeEndpoint::OpenOrders, TExchangeEndpoint::Account})
                Exchange.Script(Reload, Reply);
        Model.OrderPost(MakeOrder("LIMIT", 1.5, 36000), nullptr, true);
        Settle();
        std::map<std::string, std::vector<int>> Asked;
        for (int Second = 0; Second <= 12; ++Second) {
            if (Second > 0) {
                Flow.DoEverySecond();
                Settle();
            }
            for (const char* Path : {"/api/v3/openOrders", "/api/v3/account", "/api/v3/allOrders"})
                while (Asked[Path].size() < std::size_t(std::ranges::count(Exchange.Journal(), Path,
                                                                           &TJournalEntry::Path)))
                    Asked[Path].push_back(Second);
        }
        EXPECT_EQ(Requests("POST").size(), 1u) << "neither sent again nor mirrored";
        EXPECT_EQ(Asked,
                  (std::map<std::string, std::vector<int>>{{"/api/v3/openOrders", Case.Asked},
                                                           {"/api/v3/account", Case.Asked},
                                                           {"/api/v3/allOrders", {0}}}));
        EXPECT_EQ(Boxes().back(), "Нет ответа от биржи: ордер мог быть создан. Открытые ордера и "
                                  "балансы загружаются заново.");
        EXPECT_EQ(Main.UserOrderList().Count(), int(Before) + Case.Added);
    }
    EXPECT_EQ(Boxes().size(), std::size(Cases));

    ASSERT_GT(Main.UserOrderList().Count(), 0);
    TUserOrder Open = Main.UserOrderList().Items(Main.UserOrderList().Count() - 1);
    Exchange.Script(TExchangeEndpoint::OrderDelete, TExchangeReply::ProcessedUnanswered());
    Model.OrderDelete(Open, nullptr, false);
    Settle();
    EXPECT_EQ(Boxes().back(), "Нет ответа от биржи: ордер мог быть отменен. Открытые ордера и "
                              "балансы загружаются заново.");
    EXPECT_EQ(Main.UserOrderList().Count(), int(Exchange.OpenOrders(cMainKey).size()));
}

// Each further account's refusal is logged; the round's refusals come in one
// box, a copy that cannot go out among them, then the copies without an answer.
TEST_F(OrderThreads, MirroredRefusalsAreListedInOneBoxAfterTheRound)
{
    AddFurther("half", 0.5).SetName("Half");
    AddFurther("broke", 2).SetName("Broke");
    AddFurther("none", 0).SetName("None");
    AddFurther("lost", 1).SetName("Lost");
    Exchange.SetHandler(TExchangeEndpoint::OrderPost, [](const TExchangeCall& Call) {
        if (Call.ApiKey == "broke")
            return TExchangeReply::Error(400, -2010, "Account has insufficient balance.");
        TExchangeReply Placed = TExchangeReply::Json(json{{"symbol", "BTCUSDT"},
                                                          {"side", "BUY"},
                                                          {"type", "LIMIT"},
                                                          {"price", "36000"},
                                                          {"origQty", Call.Param("quantity")}});
        Placed.Unanswered = Call.ApiKey == "lost";
        return Placed;
    });
    Model.OrderPost(MakeOrder("LIMIT", 1.5, 36000), nullptr, true);
    Settle();
    EXPECT_EQ(Requests("POST").size(), 4u) << "the copy of quantity 0 is not sent";
    EXPECT_THAT(Boxes(), ElementsAre("Создан ордер BTCUSDT BUY LIMIT 36000 1.5",
                                     "Ордера на дополнительных счетах отклонены:\n"
                                     "None: Объем должен быть больше 0\n"
                                     "Broke: Account has insufficient balance.\n"
                                     "Нет ответа от биржи, ордера могли быть созданы (открытые "
                                     "ордера и балансы загружаются заново):\n"
                                     "Lost"));
    const auto Lost = [](const TJournalEntry& E) { return E.Header("X-MBX-APIKEY") == "lost"; };
    EXPECT_EQ(std::ranges::count_if(Requests("GET"), Lost), 3)
        << "its history, open orders and balances";
}

TEST(OrderFault, QuantityPriceAndStopMustBeFiniteAndAboveZeroWhereTheKindHasThem)
{
    const double NaN = std::nan("");
    const double Inf = std::numeric_limits<double>::infinity();
    struct {
        TOrder Order;
        const char* Fault;
    } const Cases[] = {
        {MakeOrder("MARKET", 0.01), ""},
        {MakeOrder("MARKET", 0.01, NaN), ""},
        {MakeOrder("LIMIT", 1, 0.5), ""},
        {MakeOrder("STOP_LOSS_LIMIT", 1, 0.5, 0.4), ""},
        {MakeOrder("MARKET", 0), "Объем должен быть больше 0"},
        {MakeOrder("MARKET", -1), "Объем должен быть больше 0"},
        {MakeOrder("LIMIT", NaN, 0.5), "Объем должен быть больше 0"},
        {MakeOrder("LIMIT", Inf, 0.5), "Объем должен быть больше 0"},
        {MakeOrder("LIMIT", 1, 0), "Цена должна быть больше 0"},
        {MakeOrder("STOP_LOSS_LIMIT", 1, -Inf, 0.4), "Цена должна быть больше 0"},
        {MakeOrder("STOP_LOSS_LIMIT", 1, 0.5, 0), "Стоп-цена должна быть больше 0"},
        {MakeOrder("LIMIT", 1, 0.5, NaN), ""},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(OrderFault(Case.Order), Case.Fault)
            << Case.Order.Type_() << " " << Case.Order.Quantity() << " " << Case.Order.Price();
}

// Each further account also holds a nearer order at another price, which stays.
TEST_F(OrderThreads, ACancelSendsItsSixtyFourBitIdAndIsMirroredAtItsPriceWithinFourSeconds)
{
    const int64_t Placed = cNow - 60000;
    Exchange.SetOpenOrders(cMainKey,
                           json::array({ExchangeOrder("BTCUSDT", 3'000'000'005, "36000.00000000",
                                                      "1.00000000", "LIMIT", "BUY", Placed)}));
    struct {
        const char* Key;
        int64_t Id, Time;
    } const Further[] = {{"near", 3'000'000'010, Placed + 3000},
                         {"far", 3'000'000'011, Placed - 5000}};
    for (const auto& F : Further) {
        const json Orders = json::array({ExchangeOrder("BTCUSDT", F.Id + 10, "35000.00000000",
                                                       "1.00000000", "LIMIT", "BUY", Placed + 500),
                                         ExchangeOrder("BTCUSDT", F.Id, "36000.00000000",
                                                       "1.00000000", "LIMIT", "BUY", F.Time)});
        TConnectionItem& Account = AddFurther(F.Key, 1);
        Account.SetName(F.Key);
        ApplyUserOrders(Account.UserOrderList(), ParseUserOrdersReply(Orders.dump(), "OpenOrders"));
        Exchange.SetOpenOrders(F.Key, Orders);
    }
    TUserOrder Cancelled =
        ParseUserOrdersReply(Exchange.OpenOrders(cMainKey).dump(), "OpenOrders").at(0);
    Model.OrderDelete(Cancelled, nullptr, true);
    Settle();
    std::vector<std::string> Deletes;
    for (const TJournalEntry& E : Requests("DELETE"))
        Deletes.push_back(E.Header("X-MBX-APIKEY") + " " + E.Query.substr(0, E.Query.find("&t")));
    EXPECT_THAT(Deletes, ElementsAre(std::string(cMainKey) + " symbol=BTCUSDT&orderId=3000000005",
                                     "near symbol=BTCUSDT&orderId=3000000010"));
    EXPECT_TRUE(Exchange.OpenOrders(cMainKey).empty());
    EXPECT_EQ(Exchange.OpenOrders("near").size(), 1u);
    EXPECT_EQ(Exchange.OpenOrders("far").size(), 2u);
    EXPECT_THAT(Boxes(), ElementsAre("Ордер удален\n"
                                     "На дополнительных счетах не найден ордер для отмены:\nfar"));
}

// A mirror placed here is cancelled by its id: one the exchange placed 8 s
// after its main order, one cancelled before its account's open orders were
// read again, one confirmed only after its main order was cancelled.
TEST_F(OrderThreads, AMirroredCancelTakesEachMirrorPlacedHereByItsId)
{
    AddFurther("late", 0.5).SetName("Late");
    AddFurther("soon", 2).SetName("Soon");
    const auto Posted = [&](const char* Key) {
        return std::ranges::count(Requests("POST"), std::string(Key),
                                  [](const TJournalEntry& E) { return E.Header("X-MBX-APIKEY"); });
    };
    const auto Newest = [&](const char* Key) {
        return ParseUserOrdersReply(Exchange.OpenOrders(Key).dump(), "OpenOrders").back();
    };
    const auto Cancelled = [&](const char* Key) {
        std::vector<std::string> Ids;
        for (const TJournalEntry& E : Requests("DELETE"))
            if (E.Header("X-MBX-APIKEY") == Key)
                Ids.push_back(E.Query.substr(0, E.Query.find("&t")));
        return Ids;
    };
    Exchange.HoldPlacements("late", 30s);
    Model.OrderPost(MakeOrder("LIMIT", 1.5, 37000), nullptr, true);
    Dispatcher.PumpUntil([&] { return Posted("late") == 1; }, 5s);
    Exchange.SetServerTime(cNow + 8000);
    Exchange.HoldPlacements("late", 0s);
    Settle();
    const TUserOrder Main = Newest(cMainKey);
    const TUserOrder Late = Newest("late"), Soon = Newest("soon");
    ASSERT_EQ(Late.Time() - Main.Time(), 8000);
    for (TConnectionItem& Further : Accounts.Connections())
        Further.UserOrderList().Clear();
    AddFurther("none", 1).SetName("None");
    Model.OrderDelete(Main, nullptr, true);
    Settle();
    const auto Id = [](const TUserOrder& O) {
        return "symbol=BTCUSDT&orderId=" + std::to_string(O.OrderID());
    };
    EXPECT_THAT(Cancelled("late"), ElementsAre(Id(Late)));
    EXPECT_THAT(Cancelled("soon"), ElementsAre(Id(Soon)));
    EXPECT_TRUE(Cancelled("none").empty());
    EXPECT_EQ(Boxes().back(), "Ордер удален\n"
                              "На дополнительных счетах не найден ордер для отмены:\nNone");

    Accounts.Connections().Delete(2);
    Exchange.ClearJournal();
    Exchange.HoldPlacements("late", 30s);
    Model.OrderPost(MakeOrder("LIMIT", 1.5, 37500), nullptr, true);
    Dispatcher.PumpUntil([&] { return Posted("late") == 1 && Posted("soon") == 1; }, 5s);
    const std::size_t Shown = Boxes().size();
    Model.OrderDelete(Newest(cMainKey), nullptr, true);
    Dispatcher.PumpUntil([&] { return Boxes().size() > Shown; }, 5s);
    EXPECT_TRUE(Cancelled("late").empty());
    Exchange.HoldPlacements("late", 0s);
    Settle();
    EXPECT_THAT(
        Cancelled("late"),
        ElementsAre(
            Id(ParseUserOrdersReply(Exchange.OrderHistory("late").dump(), "AllOrders").back())));
    EXPECT_EQ(Exchange.OpenOrders("late").size(), 1u) << "the standard order alone";
    EXPECT_EQ(Exchange.OpenOrders("soon").size(), 1u);
    EXPECT_EQ(Boxes().back(), "Ордер удален");
}

TEST_F(OrderThreads, BalancesAuthoriseAnAccountAndHideEmptyAssetsOnRequest)
{
    Exchange.SetBalances(cMainKey, json::array({
                                       {{"asset", "BTC"}, {"free", "0.5"}, {"locked", "0.1"}},
                                       {{"asset", "ETH"}, {"free", "0.0"}, {"locked", "0.0"}},
                                   }));
    for (const bool NoZero : {false, true}) {
        Model.Input().SetNoZeroBalance(NoZero);
        EXPECT_EQ(Accounts.MainProfile().AccountEx(nullptr, false), uaAuth);
        EXPECT_EQ(Accounts.MainProfile().BalanceList().Count(), NoZero ? 1 : 2);
        EXPECT_EQ(Accounts.MainProfile().BalanceList()[0].Asset(), "BTC");
    }
    EXPECT_THAT(Codes(2), ElementsAre(BASE_MAIN_BALANCES, BASE_MAIN_BALANCES));
}

TEST_F(OrderThreads, ARejectedKeyOrAStoppedWorkflowLeavesTheAccountAsItWas)
{
    TConnectionItem& Stranger = Accounts.Connections().Add();
    Stranger.SetApiKey("unknown");
    Stranger.SetSecretKey("unknown");
    Stranger.BalanceList().Add().SetAsset("KEPT");
    EXPECT_EQ(Stranger.AccountEx(&Stranger, false), uaUnauth);
    EXPECT_EQ(Stranger.BalanceList()[0].Asset(), "KEPT");
    Exchange.Script(TExchangeEndpoint::Account, TExchangeReply::Json(json{{"canTrade", true}}));
    EXPECT_EQ(Stranger.AccountEx(nullptr, false), uaUndefined);
    EXPECT_TRUE(Accounts.MainProfile().BalanceList().Empty());
    Flow.SetState(wfsClosing);
    EXPECT_EQ(Stranger.AccountEx(nullptr, false), uaUndefined);
    Model.OrderPost(MakeOrder("MARKET", 1), nullptr, true);
    Settle();
    EXPECT_EQ(Exchange.Journal().size(), 2u);
    EXPECT_THAT(Alerts(), ::testing::Contains("TUser.Account ParseResponse error: empty string"));
}

// Open orders are asked for every symbol whichever is selected, so none
// vanishes from the view; the history for the selected symbol.
TEST_F(OrderThreads, OpenOrdersOfEverySymbolHistoryOfTheSelectedOneAndEvenAFailureAnnounced)
{
    struct {
        const char* Symbol;
        bool Fail;
        int Open, History;
    } const Cases[] = {{"", false, 1, 2}, {"ETHBTC", false, 1, 0}, {"BTCUSDT", true, 5, 5}};
    TConnectionItem& Main = Accounts.MainProfile();
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Symbol);
        Exchange.ClearJournal();
        Window.Codes.clear();
        for (TUserOrderList* List : {&Main.UserOrderList(), &Main.UserOrderHistory()}) {
            List->Clear();
            for (int I = 0; I < 5; ++I)
                List->Add();
        }
        if (Case.Fail) {
            Exchange.Script(TExchangeEndpoint::OpenOrders, TExchangeReply::Dropped());
            Exchange.Script(TExchangeEndpoint::AllOrders, TExchangeReply::Error(500, -1, "x"));
        }
        Model.Input().SetSymbol(Case.Symbol);
        Model.OpenOrdersEx(nullptr);
        Settle();
        Model.AllOrdersEx(nullptr);
        Settle();
        EXPECT_THAT(Codes(3), ElementsAre(TQueueRecorder::cBubbles, BASE_MAIN_USERORDERS,
                                          BASE_MAIN_USERORDERSHISTORY));
        EXPECT_EQ(Main.UserOrderList().Count(), Case.Open);
        EXPECT_EQ(Main.UserOrderHistory().Count(), Case.History);
        const std::string Stamp = "timestamp=" + std::to_string(cNow) + "&recvWindow=60000";
        for (const TJournalEntry& E : Exchange.Journal())
            EXPECT_EQ(E.Query.substr(0, E.Query.find("&signature=")),
                      E.Path == "/api/v3/openOrders" || !*Case.Symbol
                          ? Stamp
                          : Stamp + "&symbol=" + Case.Symbol);
    }
}

// A reply is bound to the account that asked, not to where it lived: an
// account added while the reply is on its way (it may well be made at the
// freed account's address) takes nothing of it, so its own lists still load.
TEST_F(OrderThreads, AReplyForAnAccountRemovedMeanwhileGoesToNoOtherAccount)
{
    const struct {
        TExchangeEndpoint Endpoint;
        std::function<void(TConnectionItem&)> Start;
    } Cases[] = {
        {TExchangeEndpoint::Account, [](TConnectionItem& A) { A.AccountEx(&A, true); }},
        {TExchangeEndpoint::OpenOrders, [&](TConnectionItem& A) { Model.OpenOrdersEx(&A); }},
        {TExchangeEndpoint::AllOrders, [&](TConnectionItem& A) { Model.AllOrdersEx(&A); }},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(TTestExchange::Resource(Case.Endpoint));
        Accounts.Connections().Clear();
        TExchangeReply Slow = TExchangeReply::Json(Exchange.ReplyData(Case.Endpoint));
        Slow.DelayMs = 300;
        Exchange.Script(Case.Endpoint, Slow);
        Case.Start(AddFurther("gone", 1));
        Dispatcher.PumpUntil([&] { return !Exchange.Journal().empty(); }, 5s);
        Accounts.Connections().Delete(0);
        TConnectionItem& Fresh = AddFurther("fresh", 1);
        Settle();
        EXPECT_TRUE(Fresh.BalanceList().Empty());
        EXPECT_FALSE(Fresh.UserOrderList().Loaded());
        EXPECT_FALSE(Fresh.UserOrderHistory().Loaded());
        Exchange.ClearJournal();
    }
}

// Text from a reply or a window reaches the exchange only encoded: one
// parameter stays one, in a signed query, a signed body and an order list's
// symbol, and the exchange still finds the signature right.
TEST_F(OrderThreads, OddSymbolsAreSentEncodedAndAddNoParameter)
{
    const struct {
        std::string Symbol, Encoded;
    } Cases[] = {{"BTCUSDT&orderId=1", "BTCUSDT%26orderId%3D1"}, {"A#B", "A%23B"}};
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Encoded);
        Exchange.ClearJournal();
        TUserOrder Order;
        Order.SetSymbol(Case.Symbol);
        Order.SetOrderID(5);
        Model.OrderDelete(Order, nullptr, false);
        TOrder Post = MakeOrder("MARKET", 1);
        Post.SetSymbol(Case.Symbol);
        Model.OrderPost(Post, nullptr, false);
        Model.Input().SetSymbol(Case.Symbol);
        Model.AllOrdersEx(nullptr);
        Settle();
        std::map<std::string, std::string> Sent;
        for (const TJournalEntry& E : Exchange.Journal())
            Sent[E.Method + " " + E.Path] = E.Method == "POST" ? E.Body : E.Query;
        EXPECT_TRUE(Sent["DELETE /api/v3/order"].starts_with("symbol=" + Case.Encoded +
                                                             "&orderId=5&timestamp="));
        EXPECT_TRUE(Sent["POST /api/v3/order"].starts_with("symbol=" + Case.Encoded + "&side=BUY"));
        EXPECT_NE(Sent["GET /api/v3/allOrders"].find("&symbol=" + Case.Encoded + "&signature="),
                  std::string::npos);
        for (const auto& [Request, Text] : Sent)
            EXPECT_EQ(Text.find("orderId=1"), std::string::npos) << Request;
    }
    Model.Input().SetSymbol("");
}
