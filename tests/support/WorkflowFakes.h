#pragma once

#include "domain/uWorkflowViews.h"

#include <functional>
#include <string>
#include <vector>

// The windows the workflow drives, recording every call into one shared log
// in the order the calls came.
using TCallLog = std::vector<std::string>;

class TRecordingMainForm : public IWorkflowMainForm {
public:
    explicit TRecordingMainForm(TCallLog& aLog) : fLog(aLog) {}

    void Show() override { Called("Show"); }
    void SetOnlineMode(bool aIsOnline) override
    {
        Online = aIsOnline;
        Called(aIsOnline ? "Online" : "Offline");
    }
    void InitUserInterface() override { Called("InitUserInterface"); }
    void Deinit() override { Called("Deinit"); }

    // Runs after each call was logged, with the call's name.
    std::function<void(const std::string&)> OnCall;
    bool Online = true;

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
