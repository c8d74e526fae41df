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
