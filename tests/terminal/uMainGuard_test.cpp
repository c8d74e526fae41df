#include "terminal/fmBasic/uMainGuard.h"

#include "platform/ScriptedMessageBox.h"
#include "platform/qt/AppException.h"
#include "support/LogCapture.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

[[noreturn]] void FailStd()
{
    throw std::invalid_argument("\"x\" is not a number");
}

[[noreturn]] void FailOther()
{
    throw 7;
}

TEST(MainGuard, LoggedHandlersWriteOneAlertInTheirOwnFormAndShowNothing)
{
    TLogCapture Log;
    TScriptedMessageBox Box;
    int Ran = 0;
    RunLogged("SendPing", [&] { ++Ran; });
    RunLogged("SendPing", FailStd);
    RunLogged("OnNotify", FailOther);
    RunRefreshLogged("RefreshDepth", FailStd);
    RunRefreshLogged("RefreshDepth", FailOther);
    EXPECT_EQ(Ran, 1);
    const std::vector<TLogLine> Expected = {
        {"TfmBaseMain.SendPing | std::invalid_argument : \"x\" is not a number", mtAlert, 0},
        {"TfmBaseMain.OnNotify | unknown exception", mtAlert, 0},
        {"TfmBaseMain.RefreshDepth error: \"x\" is not a number", mtAlert, 0},
        {"TfmBaseMain.RefreshDepth error: unknown exception", mtAlert, 0},
    };
    EXPECT_EQ(Log.Lines(), Expected);
    EXPECT_TRUE(Box.Shown().empty());
}

TEST(MainGuard, OtherHandlersLogTheFailureAndShowItInABoxOnceTheEventReturns)
{
    TScriptedMessageBox Box;
    std::vector<std::string> Lines;
    SetApplicationLog([&](const std::string& Line) { Lines.push_back(Line); });
    RunShown([] {});
    RunShown(FailStd);
    RunShown(FailOther);
    EXPECT_TRUE(Box.Shown().empty()) << "no box inside the handler";
    QCoreApplication::sendPostedEvents();
    SetApplicationLog(nullptr);
    EXPECT_EQ(Lines, (std::vector<std::string>{
                         "TfmBaseMain | std::invalid_argument : \"x\" is not a number",
                         "TfmBaseMain | unknown exception"}));
    const std::vector<TScriptedMessageBox::TShown> Shown = Box.Shown();
    ASSERT_EQ(Shown.size(), 2u);
    EXPECT_EQ(Shown[0].Text, "\"x\" is not a number");
    EXPECT_EQ(Shown[0].Caption, "Tavrix");
    EXPECT_EQ(Shown[0].Style, MB_OK | MB_ICONERROR);
    EXPECT_EQ(Shown[1].Text, "unknown exception");
}

} // namespace
