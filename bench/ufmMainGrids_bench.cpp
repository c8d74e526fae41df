// One second of the main window's market grids: the prices of 2,000 symbols
// (every row's price and colour changing) and a new order book arrive, their
// notifications refresh the market watch and the order book, and the window
// paints what it shows. Beside it, in the same run, the reading of those two
// replies that the refresh follows. One iteration is one second's work, so
// "core_pct" is the share of one core it takes.
#include "domain/uMarketApply.h"
#include "domain/uMarketReplies.h"
#include "domain/uProfile.h"
#include "domain/uSymbolShowList.h"
#include "domain/uUser.h"
#include "platform/qt/VirtualStringTree.h"
#include "terminal/charts/uChartList.h"
#include "terminal/fmMain/ufmMain.h"

#include "../tests/support/MarketReplyData.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <ctime>
#include <filesystem>
#include <memory>

namespace {

constexpr int cSymbols = 2000;
constexpr int64_t cNow = 1700000000000;

// Two price replies that move every symbol up and down in turn, and two books.
struct TSecondReplies {
    std::string Prices[2] = {market_data::TickerPriceList(cSymbols, 0.0001).dump(),
                             market_data::TickerPriceList(cSymbols, -0.0001).dump()};
    std::string Books[2] = {BookReply(0.5), BookReply(2.0)};

    static std::string BookReply(double aScale)
    {
        nlohmann::json Bids = nlohmann::json::array(), Asks = nlohmann::json::array();
        for (int Level = 0; Level < 5; ++Level) {
            const double Quantity = aScale * (Level + 1);
            Bids.push_back(
                {market_data::PriceText(0.05 - 0.0001 * Level), market_data::PriceText(Quantity)});
            Asks.push_back({market_data::PriceText(0.0501 + 0.0001 * Level),
                            market_data::PriceText(Quantity)});
        }
        return nlohmann::json{{"lastUpdateId", 1}, {"bids", Bids}, {"asks", Asks}}.dump();
    }
};

const TSecondReplies& Replies()
{
    static const TSecondReplies Data;
    return Data;
}

// The CPU time of this thread, in seconds.
double ThreadCpuSeconds()
{
    timespec Now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &Now);
    return double(Now.tv_sec) + double(Now.tv_nsec) * 1e-9;
}

// One iteration is one second's work: its CPU seconds are the share of a core.
void AddCoreShare(benchmark::State& aState, double aCpuSeconds)
{
    aState.counters["core_pct"] =
        benchmark::Counter(100 * aCpuSeconds, benchmark::Counter::kAvgIterations);
}

// The window as a trader sees it on a full-HD screen, with 2,000 symbols.
class TMarketWindow {
public:
    TMarketWindow()
    {
        Profile = &fProfile;
        User = &fUser;
        TMarketReplyReader Reader;
        fUser.SymbolShowList().ReloadSymbols(
            Reader.Ticker24hr(market_data::Ticker24hrList(cSymbols, cNow).dump()));
        fUser.SymbolShowList().FillShowSymbols();
        fWindow = std::make_unique<TfmMain>(fCharts);
        fWindow->show();
        fWindow->setWindowState(Qt::WindowNoState);
        fWindow->resize(1920, 1080);
        QApplication::processEvents();
        fWindow->RefreshSymbolList();
        fWindow->RefreshDepth();
        QApplication::processEvents();
    }
    TMarketWindow(const TMarketWindow&) = delete;
    TMarketWindow& operator=(const TMarketWindow&) = delete;
    ~TMarketWindow()
    {
        fWindow.reset();
        User = nullptr;
        Profile = nullptr;
    }

    // The replies of second aSecond applied to the model, as the workers' output steps do.
    void ApplySecond(int aSecond)
    {
        TMarketReplyReader Reader;
        fUser.SymbolShowList().ApplyPrices(Reader.Prices(Replies().Prices[aSecond % 2]));
        ApplyDepth(Reader.Depth(Replies().Books[aSecond % 2]), fUser.DepthList());
    }
    // The two notifications, then the paint they cause.
    void RefreshAndPaint()
    {
        fWindow->OnNotify(BASE_MAIN_SYMBOLS, 0);
        fWindow->OnNotify(BASE_MAIN_DEPTH, 0);
        QApplication::processEvents();
    }
    int VisibleRows(const TVirtualStringTree* aGrid) const
    {
        return aGrid->viewport()->height() / aGrid->rowHeight(0);
    }
    const TMainControls& Controls() const { return fWindow->Controls(); }

private:
    TProfile fProfile{
        (std::filesystem::temp_directory_path() / "tavrix-bench-config.json").string()};
    TUser fUser;
    // Without folders it holds no chart and reads and writes no layout.
    TChartList fCharts;
    std::unique_ptr<TfmMain> fWindow;
};

// The grids' part of one second: refresh and paint of both grids.
void BM_MarketGridsSecond(benchmark::State& aState)
{
    TMarketWindow Window;
    int Second = 0;
    double Cpu = 0;
    for (auto _ : aState) {
        aState.PauseTiming();
        Window.ApplySecond(++Second);
        aState.ResumeTiming();
        const double Start = ThreadCpuSeconds();
        Window.RefreshAndPaint();
        Cpu += ThreadCpuSeconds() - Start;
    }
    AddCoreShare(aState, Cpu);
    aState.counters["watch_rows_shown"] = Window.VisibleRows(Window.Controls().vstSymbols);
    aState.counters["book_rows"] = Window.Controls().vstDepth->RootNodeCount();
}
BENCHMARK(BM_MarketGridsSecond)->Unit(benchmark::kMicrosecond);

// The floor: reading the two replies of one second on their workers.
void BM_MarketRepliesSecond(benchmark::State& aState)
{
    TMarketReplyReader Reader;
    int Second = 0;
    const double Start = ThreadCpuSeconds();
    for (auto _ : aState) {
        ++Second;
        benchmark::DoNotOptimize(Reader.Prices(Replies().Prices[Second % 2]));
        benchmark::DoNotOptimize(Reader.Depth(Replies().Books[Second % 2]));
    }
    AddCoreShare(aState, ThreadCpuSeconds() - Start);
}
BENCHMARK(BM_MarketRepliesSecond)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication Application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
