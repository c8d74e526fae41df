#include "terminal/fmBasic/uDecimalKeyFilter.h"

#include "support/DecimalSeparatorScope.h"

#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

// One filtered edit beside a default button, as in the logon dialog.
TEST(DecimalKeyFilter, DigitsAndOneSeparatorPassReturnDoesNot)
{
    QDialog Dialog;
    auto* Edit = new QLineEdit(&Dialog);
    InstallDecimalKeyFilter(*Edit);
    auto* Default = new QPushButton(&Dialog);
    Default->setDefault(true);
    for (const auto& [Separator, Typed, Text] :
         {std::tuple{'.', "1,5.2", "1.52"}, std::tuple{',', "1.5,2", "1,52"},
          std::tuple{',', ",,", ","}, std::tuple{'.', "-1e 2x", "12"}}) {
        const TDecimalSeparatorScope Scope(Separator);
        Edit->clear();
        QTest::keyClicks(Edit, QString::fromLatin1(Typed));
        EXPECT_EQ(Edit->text().toStdString(), Text) << Typed << " with " << Separator;
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("9x9"));
    Edit->selectAll();
    for (const auto& [Key, Modifiers] :
         {std::pair{Qt::Key_V, Qt::ControlModifier}, std::pair{Qt::Key_Insert, Qt::ShiftModifier}})
        QTest::keyClick(Edit, Key, Modifiers);
    EXPECT_EQ(Edit->text(), QStringLiteral("12")) << "nothing pasted";

    Dialog.show();
    int Clicked = 0;
    QObject::connect(Default, &QPushButton::clicked, [&] { ++Clicked; });
    for (Qt::Key Enter : {Qt::Key_Return, Qt::Key_Enter})
        QTest::keyClick(Edit, Enter);
    EXPECT_EQ(Clicked, 0) << "Return never reaches the dialog from a number field";
    EXPECT_EQ(Edit->text(), QStringLiteral("12"));
}

// The editing keys work as in any field: a text typed, the keys pressed,
// more typed; the text and the clipboard after.
TEST(DecimalKeyFilter, EditingKeysWorkAsInAnyField)
{
    const TDecimalSeparatorScope Point('.');
    const Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
    const struct {
        const char* Start;
        std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> Keys;
        const char *Typed, *Text, *Copied;
    } Cases[] = {
        {"1.5", {{Qt::Key_A, Ctrl}}, ".25", ".25", ""},
        {"34", {{Qt::Key_A, Ctrl}, {Qt::Key_C, Ctrl}, {Qt::Key_End, {}}}, "", "34", "34"},
        {"34", {{Qt::Key_A, Ctrl}, {Qt::Key_X, Ctrl}}, "5", "5", "34"},
        {"34", {{Qt::Key_Z, Ctrl}}, "5", "5", ""},
    };
    for (const auto& Case : Cases) {
        QLineEdit Edit;
        InstallDecimalKeyFilter(Edit);
        QGuiApplication::clipboard()->clear();
        QTest::keyClicks(&Edit, QString::fromLatin1(Case.Start));
        for (const auto& [Key, Modifiers] : Case.Keys)
            QTest::keyClick(&Edit, Key, Modifiers);
        QTest::keyClicks(&Edit, QString::fromLatin1(Case.Typed));
        EXPECT_EQ(Edit.text().toStdString(), Case.Text) << Case.Start;
        EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), Case.Copied) << Case.Start;
    }
}

// Whatever way a text comes in, it stands only when it is a plain decimal
// number; "." and "," become the program's separator.
TEST(DecimalKeyFilter, PastedDroppedAndProgrammaticTextsFollowTheTypingRule)
{
    const TDecimalSeparatorScope Comma(',');
    QLineEdit Edit;
    InstallDecimalKeyFilter(Edit);
    const std::function<void(const QString&)> Ways[] = {
        [&](const QString& Text) {
            QGuiApplication::clipboard()->setText(Text);
            Edit.selectAll();
            QTest::keyClick(&Edit, Qt::Key_V, Qt::ControlModifier);
        },
        [&](const QString& Text) {
            QGuiApplication::clipboard()->setText(Text);
            Edit.selectAll();
            Edit.paste(); // the context menu's and the middle button's way
        },
        [&](const QString& Text) {
            Edit.selectAll();
            Edit.insert(Text); // what a drop does
        },
        [&](const QString& Text) { Edit.setText(Text); },
    };
    for (const auto& Way : Ways) {
        for (const char* Refused : {"1e3", "-5", "nan", " 1", "1,2.3"}) {
            Edit.setText(QStringLiteral("7"));
            Way(QString::fromLatin1(Refused));
            EXPECT_EQ(Edit.text(), QStringLiteral("7")) << Refused;
        }
        for (const auto& [Given, Shown] :
             {std::pair{"2.5", "2,5"}, std::pair{"0,01", "0,01"}, std::pair{"", ""}}) {
            Edit.setText(QStringLiteral("7"));
            Way(QString::fromLatin1(Given));
            EXPECT_EQ(Edit.text().toStdString(), Shown) << Given;
        }
    }
}
