#include "domain/uLog.h"

#include <gtest/gtest.h>
#include <string>

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

const std::string cBlanks(8, ' ');

struct TLineCase {
    const char* Name;
    TDateTime Time;
    TMessageType Type;
    int32_t ThreadID;
    const char* ShortDate;
    std::string Expected;
};

TEST(TLogWriteThread, BuildsTheLineFromDateKindNumberAndText)
{
    const TDateTime Day = EncodeDate(2026, 12, 6);
    const TLineCase Cases[] = {
        {"time of day", Day + EncodeTime(14, 3, 7, 89), mtInfo, 4711, "dd.mm.yyyy",
         "06.12.2026 14:03:07.089\tINFO\t4711\ttext"},
        {"alert, no number", Day + EncodeTime(9, 0, 0, 1), mtAlert, 0, "dd.mm.yyyy",
         "06.12.2026 09:00:00.001\tALERT\t" + cBlanks + "\ttext"},
        {"negative number", Day + EncodeTime(23, 59, 59, 999), mtConfirm, -3, "dd.mm.yyyy",
         "06.12.2026 23:59:59.999\t\t" + cBlanks + "\ttext"},
        {"one second past midnight", Day + EncodeTime(0, 0, 1, 0), mtYesNoCancel, 1, "dd.mm.yyyy",
         "06.12.2026 00:00:01.000\t\t1\ttext"},
        {"midnight shows the date alone", Day, mtInfo, 2, "dd.mm.yyyy",
         "06.12.2026\tINFO\t2\ttext"},
        {"milliseconds do not count", Day + EncodeTime(0, 0, 0, 500), mtInfo, 2, "dd.mm.yyyy",
         "06.12.2026\tINFO\t2\ttext"},
        {"an eight-character date gains .000", Day, mtInfo, 2, "dd.mm.yy",
         "06.12.26.000\tINFO\t2\ttext"},
        {"only an eight-character field", Day + EncodeTime(1, 2, 3, 4), mtInfo, 2, "dd.mm.yy",
         "06.12.26 01:02:03.004\tINFO\t2\ttext"},
        {"the locale's order", Day + EncodeTime(1, 2, 3, 4), mtInfo, 2, "yyyy/mm/dd",
         "2026.12.06 01:02:03.004\tINFO\t2\ttext"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(Line(C.Time, C.Type, C.ThreadID, "text", C.ShortDate), C.Expected) << C.Name;
}

TEST(TLogWriteThread, TheStartLinesEndWithTheirLastTab)
{
    const TDateTime Time = EncodeDate(2026, 1, 2) + EncodeTime(3, 4, 5, 6);
    EXPECT_EQ(Line(Time, mtConfirm, 0, ""), "02.01.2026 03:04:05.006\t\t" + cBlanks + "\t");
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

// Characters are counted, not bytes, and a character is never split.
TEST(TLogWriteThread, CutsCyrillicTextOnWholeCharacters)
{
    const TDateTime Time = EncodeDate(2026, 12, 6) + EncodeTime(14, 3, 7, 89);
    std::string Text;
    for (int I = 0; I < 1500; ++I)
        Text += "ж";
    const std::string Result = Line(Time, mtInfo, 7, Text);
    std::string Expected = "06.12.2026 14:03:07.089\tINFO\t7\t";
    for (size_t I = Expected.size(); I < 1000; ++I)
        Expected += "ж";
    EXPECT_EQ(Result, Expected + "...");
}

TEST(WriteLog, DoesNothingWithoutAWriter)
{
    ASSERT_EQ(LogWriter, nullptr);
    EXPECT_FALSE(LogEnabled());
    WriteLog("nowhere", mtAlert, 1);
}

} // namespace
