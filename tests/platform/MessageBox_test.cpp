#include "platform/MessageBox.h"
#include "platform/ScriptedMessageBox.h"

#include <gtest/gtest.h>

TEST(ScriptedMessageBox, AnswersInOrderThenAsClosedAndRecordsEveryMessage)
{
    TScriptedMessageBox Box;
    Box.Answer(IDYES);
    Box.Answer(IDNO);

    EXPECT_EQ(MessageBox("one", "C", MB_YESNO), IDYES);
    EXPECT_EQ(MessageBox("two", "C", MB_YESNO), IDNO);
    EXPECT_EQ(MessageBox("three", "C", MB_OK | MB_ICONERROR), IDCANCEL);

    auto Shown = Box.Shown();
    ASSERT_EQ(Shown.size(), 3u);
    EXPECT_EQ(Shown[2].Text, "three");
    EXPECT_EQ(Shown[2].Style, MB_OK | MB_ICONERROR);
}

TEST(ScriptedMessageBox, RestoresThePreviousImplementationWhenDestroyed)
{
    EXPECT_EQ(GetMessageBox(), nullptr);
    {
        TScriptedMessageBox Outer;
        {
            TScriptedMessageBox Inner;
            EXPECT_EQ(GetMessageBox(), &Inner);
        }
        EXPECT_EQ(GetMessageBox(), &Outer);
    }
    EXPECT_EQ(GetMessageBox(), nullptr);
    // Nobody to ask: answered as closed.
    EXPECT_EQ(MessageBox("unseen", "C", MB_YESNO), IDCANCEL);
}

// Words from outside are shown cut to 300 characters, and a byte that starts
// or continues no valid character is one of them, shown as "\uFFFD".
TEST(ShownText, CutsAtThreeHundredCharactersCountingEachBrokenByte)
{
    const std::string R = "\uFFFD";
    std::string Cyrillic, Replaced;
    for (int I = 0; I < 300; ++I) {
        Cyrillic += "ж";
        Replaced += R;
    }
    EXPECT_EQ(ShownText(Cyrillic), Cyrillic);
    EXPECT_EQ(ShownText(Cyrillic + "ж"), Cyrillic.substr(0, 299 * 2) + "…");
    EXPECT_EQ(ShownText(std::string(20000, '\x80')), Replaced.substr(0, 299 * 3) + "…");
    EXPECT_EQ(ShownText("a\xC0\xAF\xE2z"), "a" + R + R + R + "z");
}
