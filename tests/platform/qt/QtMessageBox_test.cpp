#include "platform/qt/QtMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <thread>

namespace {

struct TSeen {
    QString Title;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons Buttons;
    QMessageBox::StandardButton Default = QMessageBox::NoButton;
    QWidget* Owner = nullptr;
};

// Once the box is up, records how it looks and presses Press (NoButton: closes it).
void AnswerNextBox(TSeen& Seen, QMessageBox::StandardButton Press)
{
    QTimer::singleShot(0, [&Seen, Press] {
        auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(Box, nullptr);
        Seen.Title = Box->windowTitle();
        Seen.Owner = Box->parentWidget();
        Seen.Icon = Box->icon();
        Seen.Buttons = Box->standardButtons();
        if (Box->defaultButton())
            Seen.Default = Box->standardButton(Box->defaultButton());
        if (Press == QMessageBox::NoButton)
            Box->close();
        else
            Box->button(Press)->click();
    });
}

} // namespace

TEST(QtMessageBox, ShowsTheStylesIconButtonsAndDefaultAndReturnsThePressedCode)
{
    TQtMessageBox Impl;
    TSeen Seen;

    AnswerNextBox(Seen, QMessageBox::Yes);
    EXPECT_EQ(MessageBox("Sure?", "Tavrix", MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2), IDYES);
    EXPECT_EQ(Seen.Title, "Tavrix");
    EXPECT_EQ(Seen.Icon, QMessageBox::Question);
    EXPECT_EQ(Seen.Buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(Seen.Default, QMessageBox::No);

    AnswerNextBox(Seen, QMessageBox::Cancel);
    EXPECT_EQ(MessageBox("Save?", "Tavrix", MB_ICONQUESTION | MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(Seen.Buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(Seen.Default, QMessageBox::Yes);

    AnswerNextBox(Seen, QMessageBox::Ok);
    EXPECT_EQ(MessageBox("Failed", "Tavrix", MB_ICONERROR | MB_OK), IDOK);
    EXPECT_EQ(Seen.Icon, QMessageBox::Critical);
}

TEST(QtMessageBox, IsOwnedByTheActiveWindow)
{
    TQtMessageBox Impl;
    QWidget Window;
    Window.show();
    Window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));

    TSeen Seen;
    AnswerNextBox(Seen, QMessageBox::Ok);
    EXPECT_EQ(MessageBox("Done", "Tavrix", MB_ICONINFORMATION | MB_OK), IDOK);
    EXPECT_EQ(Seen.Owner, &Window);
    EXPECT_EQ(Seen.Icon, QMessageBox::Information);
}

TEST(QtMessageBox, ClosingAYesNoBoxAnswersNo)
{
    TQtMessageBox Impl;
    TSeen Seen;
    AnswerNextBox(Seen, QMessageBox::NoButton);
    EXPECT_EQ(MessageBox("Sure?", "Tavrix", MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2), IDNO);
}

TEST(QtMessageBox, AnotherThreadGetsNoBoxAndCancel)
{
    TQtMessageBox Impl;
    int Answer = 0;
    std::thread Worker([&] { Answer = MessageBox("from a worker", "Tavrix", MB_YESNO); });
    Worker.join();
    EXPECT_EQ(Answer, IDCANCEL);
}

// Any text, however long and however unbreakable, leaves the box on its
// screen, with its button: the text is cut at a character with "…". A byte
// that starts or continues no valid character is one, shown as "\uFFFD".
TEST(QtMessageBox, ALongTextIsCutToKeepTheBoxOnScreen)
{
    TQtMessageBox Impl;
    std::string Words;
    for (int Word = 0; Word < 1000; ++Word)
        Words += "слово" + std::to_string(Word) + " ";
    // Stray continuation bytes, overlong forms, a surrogate, a lone lead byte.
    std::string Broken;
    for (int Run = 0; Run < 2000; ++Run)
        Broken += "\x80\xBF\xC0\xAF\xE0\x80\xAF\xED\xA0\x80\xE2 ";
    for (const std::string& Text :
         {Words, std::string(5000, 'W'), std::string(20000, '\x80'), Broken}) {
        QSize Size, Room;
        QString Shown;
        QTimer::singleShot(0, [&] {
            auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(Box, nullptr);
            Size = Box->frameGeometry().size();
            Room = Box->screen()->availableGeometry().size();
            Shown = Box->text();
            Box->button(QMessageBox::Ok)->click();
        });
        EXPECT_EQ(MessageBox(Text, "Tavrix", MB_ICONERROR | MB_OK), IDOK);
        EXPECT_LE(Size.width(), Room.width()) << Size.width() << "x" << Size.height();
        EXPECT_LE(Size.height(), Room.height()) << Size.width() << "x" << Size.height();
        ASSERT_TRUE(Shown.endsWith(QString::fromUtf8("…")));
        EXPECT_TRUE(QString::fromStdString(Text).startsWith(Shown.chopped(1)))
            << "a beginning of whole characters";
    }
}
