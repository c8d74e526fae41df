#include "terminal/fmBasic/uDecimalKeyFilter.h"

#include "support/DecimalSeparatorScope.h"

#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

// One filtered edit beside a default button, as in the order and logon dialogs.
TEST(DecimalKeyFilter, DigitsAndOneSeparatorPassClipboardKeysDoNotReturnDoes)
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
         {std::pair{Qt::Key_V, Qt::ControlModifier}, std::pair{Qt::Key_Insert, Qt::ShiftModifier},
          std::pair{Qt::Key_C, Qt::ControlModifier}, std::pair{Qt::Key_X, Qt::ControlModifier}})
        QTest::keyClick(Edit, Key, Modifiers);
    EXPECT_EQ(Edit->text(), QStringLiteral("12")) << "nothing pasted or cut";
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("9x9")) << "nothing copied";

    Dialog.show();
    int Clicked = 0;
    QObject::connect(Default, &QPushButton::clicked, [&] { ++Clicked; });
    QTest::keyClick(Edit, Qt::Key_Return);
    EXPECT_EQ(Clicked, 1);
}
