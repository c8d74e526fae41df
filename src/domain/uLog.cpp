#include "domain/uLog.h"

#include "domain/uFolders.h"
#include "platform/TextCut.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string_view>
#include <unistd.h>

TLogWriter* LogWriter = nullptr;

namespace {

constexpr size_t cLineCut = 1000;

// Producers reach the log through this slot, never through the LogWriter
// pointer: the builder frees the writer while late workers may still log. A
// producer takes the queue under the lock; once the writer is gone the weak
// handle is empty, and a queue taken just before is closed, so the push is
// dropped instead of touching freed memory.
struct TLogSlot {
    std::mutex Lock;
    const TLogWriter* Owner = nullptr;
    std::weak_ptr<TBaseQueue> Queue;
    TDateTime (*Clock)() = nullptr;
};

TLogSlot gSlot;
// A writer exists and its gate is open: the only thing a closed log costs.
std::atomic<bool> gLogOpen{false};

void ReportWriterError(const std::string& aText)
{
    WriteLog(aText, mtAlert, 0);
}

// 00:00:00 whatever the milliseconds.
bool IsMidnight(TDateTime aTime)
{
    int Hour, Min, Sec, MSec;
    DecodeTime(aTime, Hour, Min, Sec, MSec);
    return Hour == 0 && Min == 0 && Sec == 0;
}

// Every entry is one line of the file: a line break inside the text (reply
// headers, say) is written as the two characters "\r" or "\n".
std::string OneLine(std::string_view aText)
{
    std::string Result;
    Result.reserve(aText.size());
    for (char C : aText) {
        if (C == '\r')
            Result += "\\r";
        else if (C == '\n')
            Result += "\\n";
        else
            Result += C;
    }
    return Result;
}

std::string MessageTypeText(TMessageType aMessageType)
{
    const int Index = static_cast<int>(aMessageType);
    return Index >= 0 && Index < 4 ? std::string(cMessageType[Index]) : std::string();
}

// Opens the file for appending (created 0600 when missing), writes, closes.
void AppendToFile(const std::string& aFileName, const std::string& aText)
{
    const int Fd = ::open(aFileName.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (Fd < 0)
        throw std::runtime_error("Cannot open file \"" + aFileName + "\". " + std::strerror(errno));
    size_t Done = 0;
    while (Done < aText.size()) {
        const ssize_t Written = ::write(Fd, aText.data() + Done, aText.size() - Done);
        if (Written < 0 && errno == EINTR)
            continue;
        if (Written <= 0) {
            const int Error = Written < 0 ? errno : EIO;
            ::close(Fd);
            throw std::runtime_error("Cannot write file \"" + aFileName + "\". " +
                                     std::strerror(Error));
        }
        Done += static_cast<size_t>(Written);
    }
    if (::close(Fd) != 0)
        throw std::runtime_error("Cannot write file \"" + aFileName + "\". " +
                                 std::strerror(errno));
}

} // namespace

// The folders are read here, on the thread that makes the writer: the log
// thread never reads the global, which shut-down frees while it still runs.
TLogWriteThread::TLogWriteThread(TLogSources aSources)
    : fSources(std::move(aSources)), fGateOpen(fSources.UserName() == cLogUserName),
      fFileName(DoNotifyFolders())
{
}

std::string TLogWriteThread::FormatLine(const TLogMessage& aMessage,
                                        const TFormatSettings& aSettings)
{
    std::string Date = FormatDateTime(aSettings.ShortDateFormat, aMessage.fTime, aSettings);
    if (!IsMidnight(aMessage.fTime))
        Date.append(1, ' ').append(FormatDateTime("hh:nn:ss.zzz", aMessage.fTime, aSettings));
    if (Utf8Length(Date) == 8)
        Date += ".000";
    const std::string Number =
        aMessage.fThreadID >= 1 ? std::to_string(aMessage.fThreadID) : std::string(8, ' ');

    // The file stays UTF-8 text: bytes of a reply that are no valid
    // character are written as "\uFFFD", one each.
    std::string Line = Date + '\t' + MessageTypeText(aMessage.fMessageType) + '\t' + Number + '\t';
    if (aMessage.fMessageType == mtAlert)
        return Line + OneLine(ValidUtf8(aMessage.fText));
    // Only the part of the text that can show is looked at: texts may be
    // whole replies. Escaping only lengthens it, so the cut stays right.
    const size_t Room = cLineCut - std::min(Utf8Length(Line), cLineCut);
    const size_t Shown = Utf8PrefixBytes(aMessage.fText, Room + 1);
    Line += OneLine(ValidUtf8(std::string_view(aMessage.fText).substr(0, Shown)));
    if (Utf8Length(Line) > cLineCut) {
        Line.resize(Utf8PrefixBytes(Line, cLineCut));
        Line += "...";
    }
    return Line;
}

std::string TLogWriteThread::DoNotifyFolders()
{
    if (!fSources.FileName.empty())
        return fSources.FileName;
    fFolderError.clear();
    try {
        if (!Folders)
            throw std::runtime_error("the folders are not set up");
        return Folders->Folder(afExe) + "/Debug.log";
    } catch (const std::exception& E) {
        fFolderError = std::string("TLogWriteThread.DoNotifyFolders error: ") + E.what();
        return std::string();
    }
}

void TLogWriteThread::DoBefore()
{
    if (!fFolderError.empty())
        Report(fFolderError, false);
}

bool TLogWriteThread::DoExecute()
{
    if (!fQueue)
        return true;
    const std::unique_ptr<TQueueItem> Item = fQueue->Pop();
    const auto* Message = dynamic_cast<const TLogMessage*>(Item.get());
    if (!Message || !fGateOpen)
        return true;
    try {
        AppendToFile(fFileName, FormatLine(*Message, fSources.FormatSettings) + "\r\n");
    } catch (const std::exception& E) {
        if (!Message->fReport)
            Report(std::string("TLogWriteThread.DoExecute error: ") + E.what(), true);
    }
    return true;
}

// Queued straight on the own queue: the log thread may run before its writer
// is reachable through WriteLog.
void TLogWriteThread::Report(const std::string& aText, bool aReport)
{
    if (fQueue && fGateOpen)
        fQueue->Push(std::make_unique<TLogMessage>(aText, fSources.Clock(), mtAlert, 0, aReport));
}

TLogWriter::TLogWriter(TLogSources aSources)
    : TMultiThreadWriter(std::make_unique<TLogWriteThread>(aSources))
{
    const bool Open = static_cast<const TLogWriteThread*>(Thread())->GateOpen();
    {
        std::lock_guard Lock(gSlot.Lock);
        gSlot.Owner = this;
        gSlot.Queue = QueueHandle();
        gSlot.Clock = aSources.Clock;
    }
    gLogOpen.store(Open);
    SetWriterErrorHook(ReportWriterError);
}

TLogWriter::~TLogWriter()
{
    std::lock_guard Lock(gSlot.Lock);
    if (gSlot.Owner == this) {
        gLogOpen.store(false);
        SetWriterErrorHook(nullptr);
        gSlot.Owner = nullptr;
        gSlot.Queue.reset();
    }
}

void WriteLog(const std::string& aText, TMessageType aMessageType, int32_t aThreadID)
{
    if (!gLogOpen.load())
        return;
    try {
        std::shared_ptr<TBaseQueue> Queue;
        TDateTime (*Clock)() = nullptr;
        {
            std::lock_guard Lock(gSlot.Lock);
            Queue = gSlot.Queue.lock();
            Clock = gSlot.Clock;
        }
        if (Queue)
            Queue->Push(std::make_unique<TLogMessage>(aText, Clock(), aMessageType, aThreadID));
    } catch (...) {
    }
}

bool LogEnabled()
{
    return gLogOpen.load();
}
