#include "domain/uHttpTls.h"
#include "domain/uHttpTransport.h"
#include "domain/uMethods.h"
#include "domain/uTradeEngine.h"

#include "../tests/support/ServerAddress.h"
#include "../tests/support/TestExchange.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

// CPU per request, all threads of the process (the client's and the test
// exchange's, whose part exchange_ms gives): every request the program's way,
// on a connection of its own, beside one kept connection doing the same
// request.
namespace {

const char cQuery[] = "symbol=BTCUSDT&limit=5";

// The system's trust store with the test exchange's certificate added, so
// that the client reads as much as it does against the real exchange.
class TTrustFile {
public:
    explicit TTrustFile(const std::string& aCertificate)
    {
        char Name[] = "/tmp/tavrix-bench-trust.XXXXXX";
        const int Handle = mkstemp(Name);
        if (Handle >= 0)
            close(Handle);
        fPath = Name;
        std::ofstream Out(fPath);
        Out << SystemBundle() << '\n' << aCertificate;
    }
    TTrustFile(const TTrustFile&) = delete;
    TTrustFile& operator=(const TTrustFile&) = delete;
    ~TTrustFile() { std::remove(fPath.c_str()); }

    const std::string& Path() const { return fPath; }

private:
    static std::string SystemBundle()
    {
        CURL* Probe = curl_easy_init();
        char* File = nullptr;
        curl_easy_getinfo(Probe, CURLINFO_CAINFO, &File);
        std::ifstream In(File != nullptr ? File : "");
        curl_easy_cleanup(Probe);
        std::ostringstream Text;
        Text << In.rdbuf();
        return Text.str();
    }

    std::string fPath;
};

// CPU seconds of one thread of this process.
double ThreadSeconds(const std::string& aThread)
{
    std::ifstream In("/proc/self/task/" + aThread + "/stat");
    std::string Stat((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    std::istringstream Fields(Stat.substr(Stat.rfind(')') + 2));
    std::string Field;
    double Ticks = 0;
    for (int I = 3; I <= 15 && Fields >> Field; ++I)
        if (I >= 14)
            Ticks += std::stod(Field);
    return Ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

struct TExchanges {
    TExchanges() : Trust(Tls.CertificatePem())
    {
        HttpGlobalInit();
        HttpTrustFileForTests(Trust.Path());
    }

    // The CPU seconds the exchanges have used so far: between requests every
    // thread but the benchmark's own is one of theirs.
    static double Seconds()
    {
        double Sum = 0;
        for (const auto& Entry : std::filesystem::directory_iterator("/proc/self/task"))
            if (Entry.path().filename() != std::to_string(getpid()))
                Sum += ThreadSeconds(Entry.path().filename());
        return Sum;
    }

    TTestExchange Http;
    TTestExchange Tls{TTestExchange::TTransport::SelfSignedTls};
    TTrustFile Trust;
};

TExchanges& Exchanges()
{
    static TExchanges Instance;
    return Instance;
}

TTestExchange& Exchange(bool aTls)
{
    return aTls ? Exchanges().Tls : Exchanges().Http;
}

// The share of the connections since the last call that resumed a session.
double ResumedShare(TTestExchange& aExchange)
{
    const auto Journal = aExchange.Journal();
    aExchange.ClearJournal();
    const auto Resumed =
        std::count_if(Journal.begin(), Journal.end(),
                      [](const TJournalEntry& aEntry) { return aEntry.TlsResumed; });
    return Journal.empty() ? 0.0 : static_cast<double>(Resumed) / Journal.size();
}

// The test exchange's part of the CPU column, per request: the rest is the
// client's.
void CountExchangeCpu(benchmark::State& aState, double aStartSeconds)
{
    const double Seconds = Exchanges().Seconds() - aStartSeconds;
    aState.counters["exchange_ms"] =
        Seconds * 1000.0 / static_cast<double>(std::max<int64_t>(1, aState.iterations()));
}

// The program's way: a worker's request through the client, a new
// connection each time.
void BM_Request(benchmark::State& aState)
{
    const bool Tls = aState.range(0) != 0;
    TServerAddress Address(Exchange(Tls).URL());
    ResumedShare(Exchange(Tls));
    const double Start = Exchanges().Seconds();
    for (auto _ : aState) {
        std::string Response;
        std::string Error;
        SendRequest(std::make_unique<TDMethodDepth>(), nullptr, cQuery, Response, Error);
        if (Response.empty())
            aState.SkipWithError("the request failed");
    }
    CountExchangeCpu(aState, Start);
    if (Tls)
        aState.counters["resumed"] = ResumedShare(Exchange(Tls));
    aState.SetLabel(Tls ? "https" : "http");
}
BENCHMARK(BM_Request)->Arg(0)->Arg(1)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

size_t Discard(char*, size_t aSize, size_t aCount, void*)
{
    return aSize * aCount;
}

// The floor: one libcurl handle keeping its connection for every request.
void BM_KeptConnection(benchmark::State& aState)
{
    const bool Tls = aState.range(0) != 0;
    const std::string URL = Exchange(Tls).URL() + "/api/v1/depth?" + cQuery;
    CURL* Handle = curl_easy_init();
    curl_easy_setopt(Handle, CURLOPT_URL, URL.c_str());
    curl_easy_setopt(Handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(Handle, CURLOPT_PROXY, "");
    curl_easy_setopt(Handle, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(Handle, CURLOPT_CAINFO, Exchanges().Trust.Path().c_str());
    curl_easy_setopt(Handle, CURLOPT_WRITEFUNCTION, Discard);
    const double Start = Exchanges().Seconds();
    for (auto _ : aState) {
        long Status = 0;
        if (curl_easy_perform(Handle) != CURLE_OK ||
            curl_easy_getinfo(Handle, CURLINFO_RESPONSE_CODE, &Status) != CURLE_OK || Status != 200)
            aState.SkipWithError("the request failed");
    }
    curl_easy_cleanup(Handle);
    CountExchangeCpu(aState, Start);
    aState.SetLabel(Tls ? "https" : "http");
}
BENCHMARK(BM_KeptConnection)
    ->Arg(0)
    ->Arg(1)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
