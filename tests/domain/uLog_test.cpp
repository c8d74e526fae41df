#include "domain/uLog.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TFormatSettings Settings(const std::string& ShortDate)
{
    TFormatSettings FS;
    FS.ShortDateFormat = ShortDate;
    FS.DateSeparator = '.';
    FS.TimeSeparator = ':';
    return FS;
}

std::string Line(TDateTime Time, TMessageType Type, int32_t ThreadID, const std::string& Text,
                 const std::string& ShortDate = "dd.mm.yyyy")
{
    return TLogWriteThread::FormatLine(TLogMessage(Text, Time, Type, ThreadID),
                                       Settings(ShortDate));
}

// The kinds, the blank number and a time of midnight are checked in the
// file the writer fills.
TEST(TLogWriteThread, BuildsTheDateFromTheLocalesShortDateAndTheTimeOfDay)
{
    const TDateTime Day = EncodeDate(2026, 12, 6);
    const struct {
        TDateTime Time;
        const char* ShortDate;
        std::string Expected;
    } Cases[] = {
        {Day + EncodeTime(0, 0, 1, 0), "dd.mm.yyyy", "06.12.2026 00:00:01.000"},
        {Day + EncodeTime(0, 0, 0, 500), "dd.mm.yyyy", "06.12.2026"},
        {Day, "dd.mm.yy", "06.12.26.000"},
        {Day + EncodeTime(1, 2, 3, 4), "dd.mm.yy", "06.12.26 01:02:03.004"},
        {Day + EncodeTime(1, 2, 3, 4), "yyyy/mm/dd", "2026.12.06 01:02:03.004"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(Line(C.Time, mtInfo, 2, "text", C.ShortDate), C.Expected + "\tINFO\t2\ttext");
}

TEST(TLogWriteThread, CutsLongLinesExceptAlerts)
{
    const TDateTime Time = EncodeDate(2026, 12, 6) + EncodeTime(14, 3, 7, 89);
    const std::string Head = "06.12.2026 14:03:07.089\tINFO\t7\t"; // 31 characters
    struct {
        size_t TextLength;
        TMessageType Type;
        size_t ExpectedLength;
        bool Cut;
    } const Cases[] = {
        {1500, mtInfo, 1003, true},      {1000 - 31, mtInfo, 1000, false},
        {1000 - 30, mtInfo, 1003, true}, {1500, mtAlert, 1500 + 31 + 1, false},
        {1500, mtConfirm, 1003, true},   {1 << 20, mtInfo, 1003, true},
    };
    for (const auto& C : Cases) {
        const std::string Text(C.TextLength, 'x');
        std::string Result = Line(Time, C.Type, 7, Text);
        if (C.Type == mtAlert) {
            EXPECT_EQ(Result, "06.12.2026 14:03:07.089\tALERT\t7\t" + Text);
            continue;
        }
        EXPECT_EQ(Result.size(), C.ExpectedLength) << C.TextLength;
        if (C.Type == mtInfo) {
            EXPECT_TRUE(Result.starts_with(Head + "xxx"));
        }
        EXPECT_EQ(Result.ends_with("..."), C.Cut) << C.TextLength;
    }
}

// Each entry is one line: breaks inside it are escaped, and the cut counts
// the line as written. Characters are counted, not bytes, and never split.
TEST(TLogWriteThread, EscapesLineBreaksAndCutsCyrillicTextOnWholeCharacters)
{
    const TDateTime Time = EncodeDate(2026, 12, 6) + EncodeTime(14, 3, 7, 89);
    const std::string Head = "06.12.2026 14:03:07.089\t";
    const std::string Raw = ">> EIdSocketError: RAW: \"HTTP/1.1 400 Bad\r\nContent-Length: 2\"";
    EXPECT_EQ(Line(Time, mtAlert, 7, Raw),
              Head +
                  "ALERT\t7\t>> EIdSocketError: RAW: \"HTTP/1.1 400 Bad\\r\\nContent-Length: 2\"");
    EXPECT_EQ(Line(Time, mtInfo, 7, "a\nb"), Head + "INFO\t7\ta\\nb");
    const std::string Cut = Line(Time, mtInfo, 7, std::string(1000, '\n'));
    EXPECT_EQ(Cut.size(), 1003u);
    EXPECT_EQ(Cut.find('\n'), std::string::npos);

    std::string Text, Expected = Head + "INFO\t7\t";
    for (int I = 0; I < 1500; ++I)
        Text += "ж";
    for (size_t I = Expected.size(); I < 1000; ++I)
        Expected += "ж";
    EXPECT_EQ(Line(Time, mtInfo, 7, Text), Expected + "...");
}

// A byte that starts or continues no valid character counts as one and is
// written as "\uFFFD", so that the file stays UTF-8 text and the cut holds.
TEST(TLogWriteThread, CountsAndReplacesEachByteOfBrokenText)
{
    const TDateTime Time = EncodeDate(2026, 12, 6) + EncodeTime(14, 3, 7, 89);
    const std::string Head = "06.12.2026 14:03:07.089\t";
    const std::string R = "\uFFFD";
    const struct {
        std::string Run;
        std::vector<std::string> Shown;
    } Cases[] = {
        {"\x80", {R}},                      // a stray continuation byte
        {"\xC0\xAF", {R, R}},               // an overlong "/"
        {"\xE0\x80\xAF", {R, R, R}},        // the same in three bytes
        {"\xED\xA0\x80", {R, R, R}},        // a surrogate
        {"\xF4\x90\x80\x80", {R, R, R, R}}, // beyond U+10FFFF
        {"\xE2z", {R, "z"}},                // a lone lead byte
        {"\xF0\x9F\x98ж", {R, R, R, "ж"}},  // a lead byte short of its last byte
    };
    for (const auto& C : Cases) {
        std::string Text, Expected = Head + "INFO\t7\t", Alert = Head + "ALERT\t7\t";
        while (Text.size() < 100000)
            Text += C.Run;
        for (size_t Chars = Expected.size(), I = 0; Chars < 1000; ++Chars, ++I)
            Expected += C.Shown[I % C.Shown.size()];
        for (const std::string& Char : C.Shown)
            Alert += Char;
        EXPECT_EQ(Line(Time, mtInfo, 7, Text), Expected + "...") << C.Run;
        EXPECT_EQ(Line(Time, mtAlert, 7, C.Run), Alert) << C.Run;
    }
}

} // namespace
