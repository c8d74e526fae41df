#pragma once

#include "domain/uProfile.h"
#include "domain/uUser.h"
#include "domain/uWorkflowViews.h"

#include <functional>
#include <string>
#include <vector>

// The market model and the windows the workflow drives, recording every call into one shared log
// in the order the calls came.
using TCallLog = std::vector<std::string>;

class TRecordingMainForm : public IWorkflowMainForm {
public:
    explicit TRecordingMainForm(TCallLog& aLog) : fLog(aLog) {}

    void Show() override { Called("Show"); }
    void SendPing() override { Called("SendPing"); }
    void InitUserInterface() override { Called("InitUserInterface"); }
    void Deinit() override { Called("Deinit"); }

    // Runs after each call was logged, with the call's name.
    std::function<void(const std::string&)> OnCall;

private:
    void Called(const std::string& aName)
    {
        fLog.push_back(aName);
        if (OnCall)
            OnCall(aName);
    }

    TCallLog& fLog;
};

class TRecordingFormFactory : public IMainFormFactory {
public:
    explicit TRecordingFormFactory(TCallLog& aLog) : Form(aLog), fLog(aLog) {}

    IWorkflowMainForm& CreateMainForm() override
    {
        fLog.push_back("Create");
        return Form;
    }

    TRecordingMainForm Form;

private:
    TCallLog& fLog;
};

class TRecordingChartList : public IWorkflowChartList {
public:
    explicit TRecordingChartList(TCallLog& aLog) : fLog(aLog) {}

    void TickerPrice() override { fLog.push_back("Charts.TickerPrice"); }
    void KlinesUpdate() override { fLog.push_back("Charts.KlinesUpdate"); }

private:
    TCallLog& fLog;
};

// The market model with every starter the workflow uses recorded, none run.
class TRecordingUser : public TUser {
public:
    explicit TRecordingUser(TCallLog& aLog) : fLog(aLog) {}

    void Time() override { fLog.push_back("Time"); }
    void DepthEx() override { fLog.push_back("Depth " + Input().Symbol()); }
    void TickerPrice(const std::string& aSymbol) override
    {
        fLog.push_back("TickerPrice '" + aSymbol + "'");
    }
    void Ticker24hrEx() override { fLog.push_back("Ticker24hr"); }
    void OpenOrdersEx(TConnectionItem* aProfile) override
    {
        fLog.push_back("OpenOrders " + Name(aProfile));
    }
    void AllOrdersEx(TConnectionItem* aProfile) override
    {
        fLog.push_back("AllOrders " + Name(aProfile));
    }

private:
    static std::string Name(TConnectionItem* aProfile)
    {
        return aProfile == nullptr || aProfile == &Profile->MainProfile() ? "main"
                                                                          : aProfile->Name();
    }
    TCallLog& fLog;
};
