// The test exchange as a program of its own, for trying the terminal by hand:
// point the terminal's "server" setting at the address it prints. It serves
// the standard replies plus generated symbols, a low-priced pair (SHIBBTC), a
// high-priced one (BIGUSDT), a tiny one (TINYBTC) and a flat one (FLATBTC),
// candles of every interval on the real clock, and runs until SIGINT or SIGTERM.
//
//   tavrix_test_exchange [--symbols N] [--delay MS] [--tls [--cert FILE]]
//                        [--account KEY:SECRET ...] [--fail ENDPOINT:N ...]
//                        [--no-reply ENDPOINT:N ...] [--odd-symbols] [--bad-candles]
//                        [--stats] [--control FIFO]
//
// --cert writes the TLS mode's certificate to FILE, for tavrix_tls_terminal.
// Faults for trying recovery by hand: --fail answers the first N requests
// to an endpoint (its resource's last part: ping, account, klines, ...)
// with 500; --no-reply carries out the first N requests to an endpoint
// ("order" places, "cancel" cancels) and closes their connections without a
// reply; --odd-symbols adds symbol names no exchange has to the tickers
// and prices; --bad-candles puts rows with impossible times and prices into
// every candle reply; --stats prints the requests of every 10 s to stderr.
// --control reads commands from the named pipe FIFO (made when missing) while
// it runs, one a line, e.g. `echo "down 60" > FIFO`:
//   fail ENDPOINT N      the next N requests to ENDPOINT answer 503
//   no-reply ENDPOINT N  the next N are carried out, then closed unanswered
//   refuse ENDPOINT N    the next one is refused in a 200 reply: a "code" and
//                        a "msg" of N characters
//   down SECONDS         every request answers 503 for that long
//   forget KEY           the account's open orders are gone, as after a restart
//   hold KEY SECONDS     the account's placements are carried out that much
//                        later (0: at once again)
// and refusals with an error status:
//   deny ENDPOINT N      the next N requests answer 401 with code -2015, the
//                        account's keys refused
//   reject ENDPOINT N    the next one answers 400 with a "msg" of N Cyrillic
//                        characters, spaces among them

#include "support/MarketReplyData.h"
#include "support/TestExchange.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <map>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using nlohmann::json;

volatile std::sig_atomic_t gStop = 0;

void OnSignal(int)
{
    gStop = 1;
}

int64_t NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

int64_t IntervalMs(const std::string& aInterval)
{
    static const std::map<std::string, int64_t> cIntervals = {
        {"1m", 60000},     {"3m", 180000},    {"5m", 300000},    {"15m", 900000},
        {"30m", 1800000},  {"1h", 3600000},   {"2h", 7200000},   {"4h", 14400000},
        {"6h", 21600000},  {"8h", 28800000},  {"12h", 43200000}, {"1d", 86400000},
        {"3d", 259200000}, {"1w", 604800000}, {"1M", 2592000000}};
    auto Found = cIntervals.find(aInterval);
    return Found == cIntervals.end() ? 0 : Found->second;
}

// A smooth, repeatable walk around aBase: the same time always gives the same
// price, so pages asked at different moments agree.
double WalkPrice(double aBase, uint64_t aSeed, int64_t aTime)
{
    double T = static_cast<double>(aTime) / 60000.0;
    double Wave = 0.02 * std::sin(T / 37.0 + static_cast<double>(aSeed % 13)) +
                  0.01 * std::sin(T / 5.3 + static_cast<double>(aSeed % 7)) +
                  0.004 * std::sin(T * 1.7 + static_cast<double>(aSeed % 5));
    return aBase * (1.0 + Wave);
}

struct TSymbolPrices {
    std::map<std::string, double> Base; // symbol -> price
    std::string Flat;
};

json CandleRows(const TSymbolPrices& aPrices, const TExchangeCall& aCall, int64_t aNow)
{
    auto Symbol = aPrices.Base.find(aCall.Param("symbol"));
    int64_t Interval = IntervalMs(aCall.Param("interval"));
    if (Symbol == aPrices.Base.end() || Interval == 0)
        return nullptr;
    int64_t Limit = aCall.Param("limit").empty() ? 500 : std::atoll(aCall.Param("limit").c_str());
    Limit = std::clamp<int64_t>(Limit, 1, 1000);
    int64_t End =
        aCall.Param("endTime").empty() ? aNow : std::atoll(aCall.Param("endTime").c_str());
    End = std::min(End, aNow);
    int64_t Newest = End - End % Interval;
    uint64_t Seed = std::hash<std::string>{}(Symbol->first);
    bool Flat = Symbol->first == aPrices.Flat;
    json Rows = json::array();
    for (int64_t I = Limit - 1; I >= 0; --I) {
        int64_t Open = Newest - I * Interval;
        double O = Flat ? Symbol->second : WalkPrice(Symbol->second, Seed, Open);
        double C = Flat ? Symbol->second : WalkPrice(Symbol->second, Seed, Open + Interval);
        double Spread = Flat ? 0 : Symbol->second * 0.003 * (1 + std::sin(Open / 7e5));
        Rows.push_back({Open, market_data::PriceText(O),
                        market_data::PriceText(std::max(O, C) + Spread * 0.6),
                        market_data::PriceText(std::min(O, C) - Spread * 0.4),
                        market_data::PriceText(C), "148976.11427815", Open + Interval - 1,
                        "2434.19055334", 308, "1756.87402397", "28.46694368", "0"});
    }
    return Rows;
}

} // namespace

// The endpoint whose resource ends in aName ("ping", "account", "klines");
// "order" is the placement, "cancel" the cancel.
bool FindEndpoint(const std::string& aName, TExchangeEndpoint& aEndpoint)
{
    if (aName == "cancel") {
        aEndpoint = TExchangeEndpoint::OrderDelete;
        return true;
    }
    for (int I = 0; I <= static_cast<int>(TExchangeEndpoint::BookTicker); ++I) {
        const auto Endpoint = static_cast<TExchangeEndpoint>(I);
        if (TTestExchange::Resource(Endpoint).ends_with("/" + aName)) {
            aEndpoint = Endpoint;
            return true;
        }
    }
    return false;
}

void AddOddSymbols(json& aTickers, json& aLast, int64_t aNow)
{
    for (const std::string& Name : {std::string("BTCUSDT&orderId=1"), std::string("A#B"),
                                    std::string("A%00B"), std::string(10240, 'A')}) {
        aTickers.push_back(market_data::Ticker24hrEntry(Name, "1.00000000", aNow));
        aLast.push_back({{"symbol", Name}, {"price", "1.00000000"}});
    }
}

// Rows no candle can be, ahead of the good ones.
void AddBadRows(json& aRows)
{
    const json Prices = {"1", "2", "0.5", "1.5", "1", 0, "1", 1, "1", "1", "0"};
    for (const json& Bad : {json::array({0}), json::array({-60000}), json::array({4102444800000}),
                            json::array({NowMs(), "NaN"})}) {
        json Row = Bad;
        for (std::size_t I = Row.size() - 1; I < Prices.size(); ++I)
            Row.push_back(Prices[I]);
        aRows.insert(aRows.begin(), Row);
    }
}

// The exchange's refusal in a 200 reply, its "msg" aChars characters long,
// of Latin and Cyrillic words.
TExchangeReply LongRefusal(int aChars)
{
    static const char* const cLetters[] = {"w", "o", "r", "d", "s", " ",
                                           "с", "л", "о", "в", "а", " "};
    const std::string Start = "Filter failure: ";
    std::string Message = Start.substr(0, static_cast<std::size_t>(std::max(0, aChars)));
    for (int I = 0, Chars = static_cast<int>(Message.size()); Chars < aChars; ++I, ++Chars)
        Message += cLetters[I % std::size(cLetters)];
    return TExchangeReply::Json({{"code", -1013}, {"msg", Message}});
}

// One line of the control pipe; false (or raises) when it is no command.
bool RunCommand(TTestExchange& aExchange, const std::string& aLine)
{
    std::istringstream In(aLine);
    std::string Command, Name;
    int Count = 0;
    In >> Command >> Name;
    if (Command == "down" && std::atoi(Name.c_str()) > 0) {
        aExchange.SetOutage(std::chrono::seconds(std::atoi(Name.c_str())));
        return true;
    }
    if (Command == "forget") {
        aExchange.SetOpenOrders(Name, json::array()); // raises for an unknown key
        return true;
    }
    if (Command == "hold" && In >> Count && Count >= 0) {
        aExchange.HoldPlacements(Name, std::chrono::seconds(Count));
        return true;
    }
    TExchangeEndpoint Endpoint{};
    if (!(In >> Count) || Count < 1 || !FindEndpoint(Name, Endpoint))
        return false;
    TExchangeReply Reply;
    if (Command == "fail")
        Reply = TExchangeReply::Error(503, -1003, "Service unavailable.");
    else if (Command == "no-reply")
        Reply = TExchangeReply::ProcessedUnanswered();
    else if (Command == "refuse") {
        Reply = LongRefusal(Count); // one refusal, its words Count characters
        Count = 1;
    } else
        return false;
    for (int I = 0; I < Count; ++I)
        aExchange.Script(Endpoint, Reply);
    return true;
}

// A control pipe line refusing with an error status; false when it is none.
bool RunStatusRefusal(TTestExchange& aExchange, const std::string& aLine)
{
    std::istringstream In(aLine);
    std::string Command, Name;
    int Count = 0;
    TExchangeEndpoint Endpoint{};
    if (!(In >> Command >> Name >> Count) || Count < 1 || !FindEndpoint(Name, Endpoint))
        return false;
    if (Command == "deny") {
        for (int I = 0; I < Count; ++I)
            aExchange.Script(
                Endpoint, TExchangeReply::Error(401, -2015,
                                                "Invalid API-key, IP, or permissions for action."));
        return true;
    }
    if (Command != "reject")
        return false;
    static const char* const cLetters[] = {"о", "т", "к", "а", "з", " "};
    std::string Message;
    for (int I = 0; I < Count; ++I)
        Message += cLetters[I % std::size(cLetters)];
    aExchange.Script(Endpoint, TExchangeReply::Error(400, -1013, Message));
    return true;
}

// The control pipe, made when missing; opened for reading and writing, so
// that the open does not wait for a writer and a writer closing is no end.
int OpenControl(const std::string& aPath)
{
    if (mkfifo(aPath.c_str(), 0600) != 0 && errno != EEXIST)
        return -1;
    return open(aPath.c_str(), O_RDWR | O_NONBLOCK);
}

// Waits up to aMs for the control pipe (aFd -1: only waits), then runs every
// whole line read, telling each on stderr.
void ReadCommands(TTestExchange& aExchange, int aFd, std::string& aPending, int aMs)
{
    pollfd Wait{aFd, POLLIN, 0};
    if (poll(&Wait, 1, aMs) <= 0)
        return;
    char Buffer[4096];
    for (ssize_t Read; (Read = read(aFd, Buffer, sizeof(Buffer))) > 0;)
        aPending.append(Buffer, static_cast<std::size_t>(Read));
    for (std::size_t End; (End = aPending.find('\n')) != std::string::npos;) {
        const std::string Line = aPending.substr(0, End);
        aPending.erase(0, End + 1);
        bool Done = false;
        try {
            Done = RunCommand(aExchange, Line) || RunStatusRefusal(aExchange, Line);
        } catch (const std::exception&) {
        }
        std::fprintf(stderr, "%s: %s\n", Done ? "done" : "not a command", Line.c_str());
    }
}

// The requests since the last call, by resource, on one line.
void PrintStats(std::map<std::string, int>& aCounts, int aSeconds)
{
    std::string Line = "requests in " + std::to_string(aSeconds) + " s:";
    int Total = 0;
    for (const auto& [Path, Count] : aCounts) {
        Line += " " + Path + "=" + std::to_string(Count);
        Total += Count;
    }
    std::fprintf(stderr, "%s total=%d (%.1f/s)\n", Line.c_str(), Total,
                 static_cast<double>(Total) / aSeconds);
    aCounts.clear();
}

int main(int aCount, char** aArgs)
{
    int Symbols = 0;
    int Delay = 0;
    bool Tls = false;
    std::string CertFile;
    bool OddSymbols = false;
    bool BadCandles = false;
    bool Stats = false;
    std::string ControlPath;
    std::vector<std::pair<std::string, std::string>> Accounts;
    std::vector<std::pair<TExchangeEndpoint, int>> Faults;
    std::vector<std::pair<TExchangeEndpoint, int>> Unanswered;
    // "--fail ENDPOINT:N" and "--no-reply ENDPOINT:N" into aInto.
    auto EndpointCount = [&](int& aAt, const char* aFlag, auto& aInto) {
        TExchangeEndpoint Endpoint{};
        const char* Value = aAt + 1 < aCount ? aArgs[aAt + 1] : nullptr;
        if (std::strcmp(aArgs[aAt], aFlag) != 0 || !Value || !std::strchr(Value, ':') ||
            !FindEndpoint(std::string(Value, std::strcspn(Value, ":")), Endpoint))
            return false;
        aInto.emplace_back(Endpoint, std::atoi(std::strchr(Value, ':') + 1));
        ++aAt;
        return true;
    };
    for (int I = 1; I < aCount; ++I) {
        std::string Arg = aArgs[I];
        bool HasValue = I + 1 < aCount;
        if (Arg == "--symbols" && HasValue)
            Symbols = std::atoi(aArgs[++I]);
        else if (Arg == "--delay" && HasValue)
            Delay = std::atoi(aArgs[++I]);
        else if (Arg == "--tls")
            Tls = true;
        else if (Arg == "--cert" && HasValue)
            CertFile = aArgs[++I];
        else if (Arg == "--odd-symbols")
            OddSymbols = true;
        else if (Arg == "--bad-candles")
            BadCandles = true;
        else if (Arg == "--stats")
            Stats = true;
        else if (Arg == "--control" && HasValue)
            ControlPath = aArgs[++I];
        else if (EndpointCount(I, "--fail", Faults) || EndpointCount(I, "--no-reply", Unanswered))
            continue;
        else if (Arg == "--account" && HasValue && std::strchr(aArgs[I + 1], ':')) {
            std::string Pair = aArgs[++I];
            Accounts.emplace_back(Pair.substr(0, Pair.find(':')), Pair.substr(Pair.find(':') + 1));
        } else {
            std::fprintf(stderr,
                         "usage: %s [--symbols N] [--delay MS] [--tls [--cert FILE]]"
                         " [--account KEY:SECRET] [--fail ENDPOINT:N] [--no-reply ENDPOINT:N]"
                         " [--odd-symbols] [--bad-candles] [--stats] [--control FIFO]\n",
                         aArgs[0]);
            return 2;
        }
    }

    TTestExchange Exchange(Tls ? TTestExchange::TTransport::SelfSignedTls
                               : TTestExchange::TTransport::Http);
    for (const auto& [Key, Secret] : Accounts)
        Exchange.AddAccount(Key, Secret);
    if (!CertFile.empty() && !(std::ofstream(CertFile) << Exchange.CertificatePem())) {
        std::fprintf(stderr, "cannot write %s\n", CertFile.c_str());
        return 1;
    }
    const int Control = ControlPath.empty() ? -1 : OpenControl(ControlPath);
    if (!ControlPath.empty() && Control < 0) {
        std::fprintf(stderr, "cannot open %s\n", ControlPath.c_str());
        return 1;
    }

    int64_t Now = NowMs();
    TSymbolPrices Prices{{{"BTCUSDT", 37250.01},
                          {"ETHBTC", 0.054321},
                          {"LTCBTC", 0.001723},
                          {"SHIBBTC", 0.0000123},
                          {"BIGUSDT", 123456.78},
                          {"TINYBTC", 0.00000012},
                          {"FLATBTC", 0.0005}},
                         "FLATBTC"};
    for (int I = 0; I < Symbols; ++I)
        Prices.Base[market_data::SymbolName(I)] = market_data::SymbolPrice(I);

    json Tickers = json::array();
    json Last = json::array();
    for (const auto& [Symbol, Price] : Prices.Base) {
        Tickers.push_back(market_data::Ticker24hrEntry(Symbol, market_data::PriceText(Price), Now));
        Last.push_back({{"symbol", Symbol}, {"price", market_data::PriceText(Price)}});
    }
    if (OddSymbols)
        AddOddSymbols(Tickers, Last, Now);
    Exchange.SetReplyData(TExchangeEndpoint::Ticker24hr, Tickers);
    Exchange.SetReplyData(TExchangeEndpoint::TickerPrice, Last);
    Exchange.SetHandler(TExchangeEndpoint::Klines, [&Prices, Delay,
                                                    BadCandles](const TExchangeCall& aCall) {
        json Rows = CandleRows(Prices, aCall, NowMs());
        if (BadCandles && !Rows.is_null())
            AddBadRows(Rows);
        TExchangeReply Reply = Rows.is_null() ? TExchangeReply::Error(400, -1121, "Invalid symbol.")
                                              : TExchangeReply::Json(Rows);
        Reply.DelayMs = Delay;
        return Reply;
    });
    // The best bid and ask of the symbol asked for: its price, and one
    // hundredth of a percent below.
    Exchange.SetHandler(
        TExchangeEndpoint::BookTicker, [&Prices, Delay](const TExchangeCall& aCall) {
            const auto Found = Prices.Base.find(aCall.Param("symbol"));
            if (Found == Prices.Base.end())
                return TExchangeReply::Error(400, -1121, "Invalid symbol.");
            TExchangeReply Reply =
                TExchangeReply::Json({{"symbol", Found->first},
                                      {"bidPrice", market_data::PriceText(Found->second * 0.9999)},
                                      {"bidQty", "0.43100000"},
                                      {"askPrice", market_data::PriceText(Found->second)},
                                      {"askQty", "0.12000000"}});
            Reply.DelayMs = Delay;
            return Reply;
        });
    if (Delay > 0)
        for (auto Endpoint :
             {TExchangeEndpoint::Ping, TExchangeEndpoint::Time, TExchangeEndpoint::TickerPrice,
              TExchangeEndpoint::Depth, TExchangeEndpoint::Ticker24hr})
            Exchange.SetHandler(Endpoint, [&Exchange, Endpoint, Delay](const TExchangeCall&) {
                TExchangeReply Reply = TExchangeReply::Json(Endpoint == TExchangeEndpoint::Time
                                                                ? json{{"serverTime", NowMs()}}
                                                                : Exchange.ReplyData(Endpoint));
                Reply.DelayMs = Delay;
                return Reply;
            });

    for (const auto& [Endpoint, Count] : Faults)
        for (int I = 0; I < Count; ++I)
            Exchange.Script(Endpoint, TExchangeReply::Error(500, -1000, "scripted fault"));
    for (const auto& [Endpoint, Count] : Unanswered)
        for (int I = 0; I < Count; ++I)
            Exchange.Script(Endpoint, TExchangeReply::ProcessedUnanswered());

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::printf("%s\n", Exchange.URL().c_str());
    std::fflush(stdout);
    std::map<std::string, int> Counts;
    std::string Pending; // a command line not yet whole
    auto StatsFrom = std::chrono::steady_clock::now();
    while (!gStop) {
        Exchange.SetServerTime(NowMs());
        if (Stats)
            for (const TJournalEntry& Entry : Exchange.Journal())
                ++Counts[Entry.Path];
        Exchange.ClearJournal();
        ReadCommands(Exchange, Control, Pending, 200);
        if (Stats && std::chrono::steady_clock::now() - StatsFrom >= std::chrono::seconds(10)) {
            PrintStats(Counts, 10);
            StatsFrom = std::chrono::steady_clock::now();
        }
    }
    Exchange.Stop();
    return 0;
}
