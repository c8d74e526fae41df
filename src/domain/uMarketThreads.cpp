#include "domain/uMarketThreads.h"

#include "domain/uCollections.h"
#include "domain/uCommon.h"
#include "domain/uLog.h"
#include "domain/uMarketApply.h"
#include "domain/uMethods.h"
#include "domain/uSysTime.h"
#include "domain/uTradeEngine.h"
#include "domain/uUIWriter.h"
#include "domain/uWorkflow.h"
#include "platform/UIDispatcher.h"

#include <exception>
#include <stdexcept>

std::unique_ptr<TDBaseMethod> TPingThread::NewMethod() const
{
    return std::make_unique<TDMethodPing>();
}

bool TPingThread::DoReadReply()
{
    fReader.Ping(fResponse);
    fPingOk.store(true);
    return true;
}

std::unique_ptr<TDBaseMethod> TTimeThread::NewMethod() const
{
    return std::make_unique<TDMethodTime>();
}

// Its own client, not a transfer thread: the client's log lines carry no
// thread number. Only a readable time or a refusal (4xx) is an answer: a
// server error or an unreadable reply leaves prices and orders as stale as no
// reply does.
void TTimeThread::DoExecute()
{
    try {
        TTradeEngineClient Client;
        Client.ExecuteCommand(NewMethod(), {}, fResponse);
        const long Status = Client.LastFailure().Status;
        try {
            DoReadReply();
        } catch (const EReplyError&) {
            if (Status < 400 || Status > 499)
                Synchronize([] {
                    if (Workflow)
                        Workflow->ExchangeLost();
                });
            throw;
        }
        Synchronize([this] {
            if (SysTime)
                SysTime->SetServerTime(fDateTime);
        });
    } catch (const EUIDispatchDropped&) {
        throw;
    } catch (const std::exception& E) {
        LogAlert(std::string("TSysTimeThread.Execute error: ") + E.what());
    }
}

bool TTimeThread::DoReadReply()
{
    fDateTime = StampToDate(fReader.ServerTime(fResponse));
    return true;
}

TKlinesThread::TKlinesThread(std::shared_ptr<TChartLink> aChart) : TMarketThread(std::move(aChart))
{
}

std::unique_ptr<TDBaseMethod> TKlinesThread::NewMethod() const
{
    return std::make_unique<TDMethodKlines>();
}

bool TKlinesThread::Active() const
{
    return fChart && !fChart->IsClosing() && !Terminated() && !(fOwner && fOwner->Terminated());
}

void TKlinesThread::DoExecute()
{
    if (Active())
        TMarketThread::DoExecute();
}

// The interval is the chart's at the time of the request.
void TKlinesThread::DoMakeRequest()
{
    Synchronize([&] {
        if (IChartItem* Chart = ChartItem())
            fInterval = Chart->Interval();
    });
    if (fLimit == 0 && fEndDate == 0)
        fLimit = cDefaultLimit;
    fRequest.clear();
    AddQuery(fRequest, "symbol", fSymbol);
    AddQuery(fRequest, "interval", TChartIntervalStr[fInterval]);
    if (fLimit < 1)
        AddQuery(fRequest, "endTime", std::to_string(fEndDate));
    else
        AddQuery(fRequest, "limit", std::to_string(fLimit));
}

void TKlinesThread::DoSendRequest()
{
    if (Active())
        TMarketThread::DoSendRequest();
}

void TKlinesThread::DoParseResponse()
{
    if (Active())
        TMarketThread::DoParseResponse();
}

bool TKlinesThread::DoReadReply()
{
    fRows = fReader.Klines(fResponse);
    return true;
}

void TKlinesThread::DoOutput()
{
    IChartItem* Chart = ChartItem();
    if (Chart && Chart->Interval() == fInterval)
        ApplyKlines(fRows, Chart->KlineList(), [this] { return !Active(); });
}

void TKlinesThread::DoNotify()
{
    IChartItem* Chart = ChartItem();
    if (Chart && Active())
        Chart->OnNotify(BASE_MAIN_KLINES, fLimit >= 11 ? 1 : 0);
}

TKlinesHistoryThread::TKlinesHistoryThread(std::shared_ptr<TChartLink> aChart)
    : TBaseThread(std::move(aChart))
{
}

std::unique_ptr<TDBaseMethod> TKlinesHistoryThread::NewMethod() const
{
    return std::make_unique<TDMethodKlines>();
}

bool TKlinesHistoryThread::Stopped() const
{
    return Terminated() || !IsWorking() || !fChart || fChart->IsClosing();
}

void TKlinesHistoryThread::DoExecute()
{
    if (!fChart || fChart->IsClosing() || Terminated())
        return;
    // Checked before the list is marked loading, so that it is never left so.
    if (fSymbol.empty())
        throw std::runtime_error("no symbol in history thread");
    bool Started = false;
    Synchronize([&] {
        if (IChartItem* Chart = ChartItem()) {
            Chart->KlineList().SetIsLoading(true);
            Started = true;
        }
    });
    if (!Started)
        return;
    try {
        LoadPages();
    } catch (const EUIDispatchDropped&) {
        throw;
    } catch (...) {
        Finish();
        throw;
    }
    Finish();
}

bool TKlinesHistoryThread::ReadList(std::int64_t& aMinDate, int& aCount)
{
    bool Found = false;
    Synchronize([&] {
        if (IChartItem* Chart = ChartItem()) {
            aMinDate = Chart->KlineList().GetMinDate();
            aCount = Chart->KlineList().Count();
            Found = true;
        }
    });
    return Found;
}

void TKlinesHistoryThread::LoadPages()
{
    std::int64_t MinDate = 0;
    int Count = 0;
    while (!Stopped() && ReadList(MinDate, Count) && Count < cMaxCandles) {
        auto Page = std::make_shared<TKlinesThread>(fChart);
        Page->SetOwner(this);
        Page->SetSymbol(fSymbol);
        Page->SetLimit(0);
        Page->SetEndDate(MinDate);
        Page->Start();
        Page->WaitFor();
        std::int64_t After = MinDate;
        if (!ReadList(After, Count) || After == MinDate)
            return;
    }
}

void TKlinesHistoryThread::Finish()
{
    if (Terminated())
        return;
    bool Refreshed = false;
    Synchronize([&] {
        IChartItem* Chart = ChartItem();
        if (!Chart)
            return;
        Chart->KlineList().SetIsLoading(false);
        Chart->SetIsLoading(false);
        for (int I = 0; I < 3; ++I)
            Chart->ChartFullRefresh();
        Refreshed = true;
    });
    if (Refreshed)
        QueueNotify(MAIN_FORM_CHART_REFRESH, static_cast<TNotifyData>(fChart->ID()));
}

void StartKlines(const std::shared_ptr<TChartLink>& aChart, const std::string& aSymbol, int aLimit)
{
    auto Worker = std::make_shared<TKlinesThread>(aChart);
    Worker->SetSymbol(aSymbol);
    Worker->SetLimit(aLimit);
    StartPoll(Worker, RequestKey("Klines", aChart->ID()));
}

std::shared_ptr<TKlinesHistoryThread> StartKlinesHistory(const std::shared_ptr<TChartLink>& aChart,
                                                         const std::string& aSymbol)
{
    auto Worker = std::make_shared<TKlinesHistoryThread>(aChart);
    Worker->SetSymbol(aSymbol);
    StartFree(Worker);
    return Worker;
}
