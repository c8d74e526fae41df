#pragma once

#include "domain/uLog.h"
#include "platform/DateUtils.h"
#include "support/TempHome.h"

#include <cstdint>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

// One line as the debug log wrote it.
struct TLogLine {
    std::string Text;
    TMessageType Type;
    int32_t Thread;

    bool operator==(const TLogLine&) const = default;
    friend void PrintTo(const TLogLine& aLine, std::ostream* aStream)
    {
        *aStream << "{\"" << aLine.Text << "\", " << cMessageType[aLine.Type] << "/"
                 << int(aLine.Type) << ", " << aLine.Thread << "}";
    }
};

// Runs the real debug log, with the gate open, into a file of its own, and
// reads back what was written. Lines() stops the log first, so that every
// queued line is on disk; Clear() starts a fresh one. Texts may hold CR LF:
// lines are told apart by the fixed date field every line starts with.
class TLogCapture {
public:
    TLogCapture() { Clear(); }
    ~TLogCapture() { fWriter.reset(); }

    void Clear()
    {
        fWriter.reset();
        std::filesystem::remove(FileName());
        TLogSources Sources;
        Sources.UserName = [] { return std::string(cLogUserName); };
        Sources.Clock = [] { return EncodeDate(2026, 1, 2); };
        Sources.FileName = FileName();
        Sources.FormatSettings = InvariantFormatSettings();
        fWriter = std::make_unique<TLogWriter>(Sources);
    }

    std::vector<TLogLine> Lines()
    {
        fWriter.reset();
        std::ifstream File(FileName(), std::ios::binary);
        std::stringstream Content;
        Content << File.rdbuf();
        return Parse(Content.str());
    }

private:
    std::string FileName() const { return (fHome.Path() / "Debug.log").string(); }

    static std::vector<TLogLine> Parse(std::string aContent)
    {
        std::string Start = TLogWriteThread::FormatLine(
            TLogMessage("", EncodeDate(2026, 1, 2), mtInfo, 0), InvariantFormatSettings());
        Start.resize(Start.find('\t') + 1);
        std::vector<TLogLine> Lines;
        if (aContent.rfind(Start, 0) != 0 || aContent.size() < Start.size() + 2)
            return Lines;
        aContent = aContent.substr(Start.size(), aContent.size() - Start.size() - 2);
        const std::string Separator = "\r\n" + Start;
        for (size_t At = 0;;) {
            size_t Next = aContent.find(Separator, At);
            Lines.push_back(
                Record(aContent.substr(At, Next == std::string::npos ? Next : Next - At)));
            if (Next == std::string::npos)
                return Lines;
            At = Next + Separator.size();
        }
    }

    // "TYPE<TAB>NUMBER<TAB>TEXT"
    static TLogLine Record(const std::string& aText)
    {
        size_t Tab1 = aText.find('\t');
        size_t Tab2 = aText.find('\t', Tab1 + 1);
        std::string Type = aText.substr(0, Tab1);
        std::string Number = aText.substr(Tab1 + 1, Tab2 - Tab1 - 1);
        bool Blank = Number.find_first_not_of(' ') == std::string::npos;
        return {aText.substr(Tab2 + 1),
                Type == "ALERT"  ? mtAlert
                : Type == "INFO" ? mtInfo
                                 : mtConfirm,
                Blank ? 0 : std::stoi(Number)};
    }

    TTempHome fHome;
    std::unique_ptr<TLogWriter> fWriter;
};
