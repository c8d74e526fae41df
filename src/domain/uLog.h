#pragma once

#include "domain/uCommon.h"
#include "domain/uQueue.h"
#include "platform/DateTime.h"
#include "platform/DateUtils.h"
#include "platform/SysUtils.h"

#include <cstdint>
#include <string>

// One queued log line, stamped when WriteLog was called.
class TLogMessage : public TQueueItem {
public:
    TLogMessage(std::string aText, TDateTime aTime, TMessageType aMessageType, int32_t aThreadID,
                bool aReport = false)
        : fText(std::move(aText)), fTime(aTime), fMessageType(aMessageType), fThreadID(aThreadID),
          fReport(aReport)
    {
    }

    std::string fText;
    TDateTime fTime;
    TMessageType fMessageType;
    int32_t fThreadID;
    // The log's own report of a failed write: a failure to write it is not
    // reported again, so an unwritable file never keeps the log thread busy.
    bool fReport;
};

// What the log reads from its surroundings. The program uses the defaults;
// tests give their own.
struct TLogSources {
    std::string (*UserName)() = GetUserFromWindows;
    TDateTime (*Clock)() = Now;
    // Empty: "Debug.log" in the program folder.
    std::string FileName;
    TFormatSettings FormatSettings = LocaleFormatSettings();
};

// Only this account's log is written.
inline constexpr char cLogUserName[] = "quillbox";

// The log's consumer thread: appends each line to the log file.
class TLogWriteThread : public TBaseThreadWriter {
public:
    explicit TLogWriteThread(TLogSources aSources);

    // Whether the account may write the log, read once when the writer starts.
    bool GateOpen() const { return fGateOpen; }
    // The program folder's "Debug.log"; the empty text when the folders are
    // not known, which the thread logs when it starts.
    std::string DoNotifyFolders();
    // The line as written, without its CR LF.
    static std::string FormatLine(const TLogMessage& aMessage, const TFormatSettings& aSettings);

protected:
    void DoBefore() override;
    bool DoExecute() override;

private:
    void Report(const std::string& aText, bool aReport);

    TLogSources fSources;
    bool fGateOpen;
    std::string fFolderError;
    std::string fFileName;
};

// The debug log. One at a time; while it exists any thread may WriteLog.
class TLogWriter : public TMultiThreadWriter {
public:
    explicit TLogWriter(TLogSources aSources = {});
    // Writes every line queued so far, then stops taking lines.
    ~TLogWriter() override;
};

// Created and freed by the builder; producers never read it (see WriteLog).
extern TLogWriter* LogWriter;

// Any thread. Queues the line while a log writer exists and its gate is open,
// else does nothing at all. Never raises.
void WriteLog(const std::string& aText, TMessageType aMessageType, int32_t aThreadID);
// True when WriteLog would queue: callers that build long texts ask first.
bool LogEnabled();
