#include "domain/uCommon.h"

#include "platform/DateUtils.h"
#include "platform/FileRead.h"
#include "platform/FileWrite.h"
#include "platform/MessageBox.h"
#include "platform/Resources.h"
#include "platform/ScriptedMessageBox.h"
#include "platform/SysUtils.h"
#include "support/FileSizeLimit.h"
#include "support/TempHome.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <random>
#include <sys/stat.h>

namespace fs = std::filesystem;

TEST(Msg, ShowsEachKindCaptionedTavrixWithItsStyleAndConfirmIsTrueOnlyForYes)
{
    TScriptedMessageBox Box;
    Msg("a", mtAlert);
    Msg("i", mtInfo);
    Msg("c", mtConfirm);
    Box.Answer(IDNO);
    EXPECT_EQ(Msg("y", mtYesNoCancel), IDNO);
    Alert("failed");
    const std::uint32_t Expected[] = {0x10, 0x40, 0x124, 0x23, 0x10};
    ASSERT_EQ(Box.Shown().size(), 5u);
    for (std::size_t I = 0; I < 5; ++I) {
        EXPECT_EQ(Box.Shown()[I].Caption, "Tavrix");
        EXPECT_EQ(Box.Shown()[I].Style, Expected[I]) << I;
    }
    EXPECT_EQ(Box.Shown()[4].Text, "failed");

    Box.Answer(IDYES);
    EXPECT_TRUE(Confirm("sure?"));
    Box.Answer(IDNO);
    EXPECT_FALSE(Confirm("sure?"));
    EXPECT_FALSE(Confirm("sure?")) << "nothing queued: the box is closed";
}

TEST(GetWin, ExpandsPercentDollarAndBracedReferencesAndKeepsTheRest)
{
    setenv("TAVRIX_A", "/home/ann", 1);
    setenv("TAVRIX_B", "x y", 1);
    unsetenv("TAVRIX_UNSET");
    const std::string Long(600, 'l');
    setenv("TAVRIX_LONG", Long.c_str(), 1);

    const std::pair<const char*, std::string> Cases[] = {
        {"%TAVRIX_A%\\Quorvel\\Tavrix", "/home/ann\\Quorvel\\Tavrix"},
        {"${TAVRIX_A}/b", "/home/ann/b"},
        {"$TAVRIX_A/b", "/home/ann/b"},
        {"$TAVRIX_B.$TAVRIX_A", "x y./home/ann"},
        {"%TAVRIX_UNSET%%TAVRIX_B%", "%TAVRIX_UNSET%x y"},
        {"$TAVRIX_UNSET ${TAVRIX_UNSET}", "$TAVRIX_UNSET ${TAVRIX_UNSET}"},
        {"100% sure %TAVRIX_B%", "100% sure x y"},
        {"%% $ $1 ${ ${} a%", "%% $ $1 ${ ${} a%"},
        {"%TAVRIX_LONG%/x", Long + "/x"},
        {"", ""},
    };
    for (const auto& [Text, Expected] : Cases)
        EXPECT_EQ(GetWin(Text), Expected) << Text;
}

TEST(Stamps, FixedPointsOfTheReckoningNeverNegativeAndEveryMillisecondSurvives)
{
    constexpr double Epoch = UnixDateDelta + 3.0 / 24;
    EXPECT_EQ(StampToDate(0), Epoch);
    EXPECT_EQ(DateToStamp(Epoch + 1), 86'400'000);
    EXPECT_EQ(StampToDate(2'500'000'000'001), 0);
    EXPECT_EQ(StampToDate(INT64_MAX), 0);
    // 0001-01-01 00:00:00 is the first moment a date shows; before it, 0.
    EXPECT_EQ(StampToDate(-62'135'607'600'000), EncodeDate(1, 1, 1));
    EXPECT_EQ(StampToDate(-62'135'607'600'001), 0);
    EXPECT_EQ(StampToDate(INT64_MIN), 0);
    for (double Date : {0.0, -1.0, UnixDateDelta + 0.125 - 1e-9, double(NAN), -double(INFINITY)})
        EXPECT_EQ(DateToStamp(Date), 0) << Date;
    EXPECT_GT(DateToStamp(INFINITY), 0);

    std::mt19937_64 Random(20180302);
    std::uniform_int_distribution<std::int64_t> Stamp(0, 2'500'000'000'000);
    for (int I = 0; I < 200'000; ++I) {
        std::int64_t S = Stamp(Random);
        ASSERT_EQ(DateToStamp(StampToDate(S)), S);
    }
    for (std::int64_t S = 1'520'000'000'000 - 5000; S <= 1'520'000'000'000 + 5000; ++S)
        ASSERT_EQ(DateToStamp(StampToDate(S)), S);
}

TEST(IncZoom, MovesWithinTheSixSteps)
{
    struct {
        TZoom From;
        int Inc;
        TZoom Expected;
    } const Cases[] = {{z5, 1, z5}, {z1, -4, z0}, {z3, 0, z3},     {z0, 1, z1},
                       {z2, 2, z4}, {z4, -1, z3}, {z0, -1000, z0}, {z3, 1000, z5}};
    for (const auto& C : Cases)
        EXPECT_EQ(IncZoom(C.From, C.Inc), C.Expected) << int(C.From) << " " << C.Inc;
}

TEST(LoadJsonFile, ReadsArraysAndObjectsGivesNullForOtherTextAndRaisesForNoFile)
{
    TTempHome Home;
    const fs::path File = Home.Path() / "in.json";
    auto Load = [&](const std::string& Text) {
        WriteFileAtomic(File, Text);
        return LoadJsonFile(File.string());
    };
    EXPECT_EQ(Load("[1, \"two\", {\"three\": 3}]\r\n").size(), 3u);
    auto Object =
        Load("\xEF\xBB\xBF{\"server\": \"https://x\", /* kept */ \"language\": \"Русский\"}");
    EXPECT_EQ(Object.value("language", ""), "Русский");
    for (const char* Text : {"not json", "", "{\"a\": 1", "\x80\x81"})
        EXPECT_TRUE(Load(Text).is_null()) << Text;
    EXPECT_THROW(LoadJsonFile((Home.Path() / "missing.json").string()), EFileError);
    EXPECT_THROW(LoadJsonFile(Home.Path().string()), EFileError);
}

TEST(SaveJsonFile, WritesCompactUnescapedUtf8InKeyOrderThenCrLf)
{
    TTempHome Home;
    const std::string File = (Home.Path() / "app_settings.json").string();
    nlohmann::ordered_json Node;
    Node["server"] = "https://example.test";
    Node["language"] = "Русский";
    Node["names"] = {"Ελληνικά", "中文", "עברית", "😀", "Ünïcödé"};

    EXPECT_TRUE(SaveJsonFile(Node, File));

    EXPECT_EQ(ReadWholeFile(File), "{\"server\":\"https://example.test\",\"language\":\"Русский\","
                                   "\"names\":[\"Ελληνικά\",\"中文\",\"עברית\",\"😀\",\"Ünïcödé\"]}"
                                   "\r\n");
    EXPECT_EQ(LoadJsonFile(File), Node);
}

TEST(SaveJsonFile, AFailedWriteOrTextNotUtf8RaisesAndLeavesTheOldFile)
{
    TTempHome Home;
    const std::string File = (Home.Path() / "config.json").string();
    SaveJsonFile({{"old", true}}, File, 0600);
    struct stat St;
    ASSERT_EQ(stat(File.c_str(), &St), 0);
    EXPECT_EQ(St.st_mode & 0777, 0600u);
    {
        TFileSizeLimit Limit(100);
        EXPECT_THROW(SaveJsonFile({{"new", std::string(500, 'n')}}, File), EFileError);
    }
    EXPECT_ANY_THROW(SaveJsonFile({{"name", "\xC0\xFF"}}, File));
    EXPECT_EQ(ReadWholeFile(File), "{\"old\":true}\r\n");
}

TEST(UnpackResource, WritesTheResourceOverTheFileAndRaisesForAnUnknownName)
{
    TTempHome Home;
    const std::string File = (Home.Path() / "unpacked.lng").string();
    const std::string Bytes("\xC0\xE1=Ab\r\n\0end", 11);
    RegisterResource("unpack_test.lng", Bytes);
    WriteFileAtomic(File, "an older and longer content");

    UnpackResource("unpack_test.lng", File);
    EXPECT_EQ(ReadWholeFile(File), Bytes);
    EXPECT_THROW(UnpackResource("no_such_resource", File), std::runtime_error);
    EXPECT_EQ(ReadWholeFile(File), Bytes);
}

TEST(ChartDateToTradeDate, WritesTheLocalesMonthAbbreviationDayAndTimeOrRaises)
{
    const auto& Months = LocaleFormatSettings().ShortMonthNames;
    EXPECT_EQ(ChartDateToTradeDate("09:05 03.01.2018"), Months[0] + " 03 09:05");
    EXPECT_EQ(ChartDateToTradeDate("23:59 31.12.2019"), Months[11] + " 31 23:59");
    EXPECT_EQ(ChartDateToTradeDate("00:00 29.02.2020"), Months[1] + " 29 00:00");
    EXPECT_EQ(ChartDateToTradeDate("00:00 30.12.1899"), "00:00 30.12.1899");
    for (const char* Text : {"", "09:05", "09:05 2018-01-03", "25:00 03.01.2018",
                             "09:05 31.02.2018", "ab:cd 03.01.2018"})
        EXPECT_THROW(ChartDateToTradeDate(Text), EConvertError) << Text;
}
