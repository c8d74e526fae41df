#include "domain/uMarketModelThreads.h"

#include "domain/uCommon.h"
#include "domain/uMarketApply.h"
#include "domain/uMethods.h"
#include "domain/uUIWriter.h"
#include "domain/uUser.h"
#include "platform/DateUtils.h"

#include <exception>

namespace {

// The request keys of the market-data kinds, in the order of TRequestKind.
constexpr std::string_view cKindNames[] = {
    "Time", "Depth", cTickerPriceKind, "Ticker24hr", "Ticker24hrVolume", "TickerBookTicker"};

template <typename T> std::shared_ptr<T> SymbolWorker(const std::string& aSymbol)
{
    auto Worker = std::make_shared<T>();
    Worker->SetSymbol(aSymbol);
    return Worker;
}

} // namespace

std::unique_ptr<TDBaseMethod> TDepthThread::NewMethod() const
{
    return std::make_unique<TDMethodDepth>();
}

void TDepthThread::DoMakeRequest()
{
    fRequest.clear();
    AddQuery(fRequest, "symbol", fSymbol);
    AddQuery(fRequest, "limit", "5");
}

bool TDepthThread::DoReadReply()
{
    fBook = fReader.Depth(fResponse);
    return true;
}

void TDepthThread::DoOutput()
{
    if (User && User->Input().Symbol() == fSymbol)
        ApplyDepth(fBook, User->DepthList());
}

void TDepthThread::DoNotify()
{
    QueueNotify(BASE_MAIN_DEPTH, 0);
}

std::unique_ptr<TDBaseMethod> TTicker24hrThread::NewMethod() const
{
    return std::make_unique<TDMethodTicker24hr>();
}

bool TTicker24hrThread::DoReadReply()
{
    fTickers = fReader.Ticker24hr(fResponse);
    return true;
}

void TTicker24hrThread::DoOutput()
{
    if (User)
        User->SymbolShowList().ReloadSymbols(fTickers);
}

void TTicker24hrThread::DoNotify()
{
    QueueNotify(BASE_MAIN_SYMBOLS, 0);
}

std::unique_ptr<TDBaseMethod> TTicker24hrVolumeThread::NewMethod() const
{
    return std::make_unique<TDMethodTicker24hr>();
}

bool TTicker24hrVolumeThread::DoReadReply()
{
    fVolumes = fReader.Ticker24hrVolume(fResponse);
    return true;
}

void TTicker24hrVolumeThread::DoOutput()
{
    if (User)
        ApplyTicker24hrVolume(fVolumes, User->SymbolShowList().SymbolList(), User->VolumeList(),
                              Now());
}

void TTicker24hrVolumeThread::DoNotify()
{
    QueueNotify(BASE_MAIN_VOLUMES, 0);
}

std::unique_ptr<TDBaseMethod> TTickerBookTickerThread::NewMethod() const
{
    return std::make_unique<TDMethodTickerBookTicker>();
}

void TTickerBookTickerThread::DoMakeRequest()
{
    fRequest.clear();
    if (!fSymbol.empty())
        AddQuery(fRequest, "symbol", fSymbol);
}

bool TTickerBookTickerThread::DoReadReply()
{
    fBook = fReader.BookTicker(fResponse);
    return true;
}

void TTickerBookTickerThread::DoOutput()
{
    if (!User)
        return;
    User->SetAsk(fBook.Ask);
    User->SetBid(fBook.Bid);
    User->SetBookSymbol(fSymbol);
}

// Published directly, not through the update queue.
void TTickerBookTickerThread::DoNotify()
{
    try {
        if (User)
            User->Publisher().Notify(ORDER_BOOK_TICKER, 0);
    } catch (const std::exception& E) {
        LogAlert(std::string("TTickerBookTickerThread.DoNotify error: ") + E.what());
    }
}

std::unique_ptr<TDBaseMethod> TTickerPriceThread::NewMethod() const
{
    return std::make_unique<TDMethodTickerPrice>();
}

void TTickerPriceThread::DoExecute()
{
    if (fSymbol.empty() || fChart)
        TMarketThread::DoExecute();
}

void TTickerPriceThread::DoMakeRequest()
{
    fRequest.clear();
    if (!fSymbol.empty())
        AddQuery(fRequest, "symbol", fSymbol);
}

bool TTickerPriceThread::DoReadReply()
{
    if (fSymbol.empty())
        fPrices = fReader.Prices(fResponse);
    else
        fPrice = fReader.Price(fResponse);
    return true;
}

void TTickerPriceThread::DoOutput()
{
    if (!fSymbol.empty()) {
        if (IChartItem* Chart = ChartItem())
            Chart->SetChartPrice(fPrice);
        return;
    }
    if (User)
        User->SymbolShowList().ApplyPrices(fPrices);
}

void TTickerPriceThread::DoNotify()
{
    if (fSymbol.empty())
        QueueNotify(BASE_MAIN_SYMBOLS, 0);
    else if (IChartItem* Chart = ChartItem())
        Chart->OnNotify(BASE_MAIN_TICKERPRICE, 0);
}

void StartChartPrice(const std::shared_ptr<TChartLink>& aChart, const std::string& aSymbol)
{
    auto Worker = std::make_shared<TTickerPriceThread>(aChart);
    Worker->SetSymbol(aSymbol);
    StartPoll(Worker, RequestKey(cTickerPriceKind, aChart->ID()));
}

bool StartMarketRequest(const TRequest& aRequest)
{
    std::shared_ptr<TBaseThread> Worker;
    switch (aRequest.Kind) {
    case TRequestKind::Time:
        Worker = std::make_shared<TTimeThread>();
        break;
    case TRequestKind::Depth:
        Worker = SymbolWorker<TDepthThread>(aRequest.Symbol);
        break;
    case TRequestKind::TickerPrice:
        Worker = SymbolWorker<TTickerPriceThread>(aRequest.Symbol);
        break;
    case TRequestKind::Ticker24hr:
        Worker = std::make_shared<TTicker24hrThread>();
        break;
    case TRequestKind::Ticker24hrVolume:
        Worker = std::make_shared<TTicker24hrVolumeThread>();
        break;
    case TRequestKind::TickerBookTicker:
        Worker = SymbolWorker<TTickerBookTickerThread>(aRequest.Symbol);
        break;
    default:
        return false;
    }
    StartPoll(Worker, RequestKey(cKindNames[static_cast<int>(aRequest.Kind)], aRequest.Symbol));
    return true;
}
