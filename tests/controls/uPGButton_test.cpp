#include "controls/uPGButton.h"

#include "Pixels.h"

#include "platform/SysUtils.h"

#include <QApplication>
#include <QEnterEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class PGButton : public ::testing::Test {
protected:
    PGButton()
    {
        Host.resize(300, 200);
        Host.show();
        Button = new TPGButton(&Host);
        Button->setGeometry(10, 10, 120, 40);
        // Focus changes the frame: only the tests of the focused look take it.
        Button->setFocusPolicy(Qt::NoFocus);
        Button->show();
        QApplication::setActiveWindow(&Host);
    }
    void Focus()
    {
        Button->setFocusPolicy(Qt::StrongFocus);
        Button->setFocus();
    }
    void Enter()
    {
        QEnterEvent E(QPointF(5, 5), QPointF(5, 5), Button->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(Button, &E);
    }
    QImage Face() { return Button->grab().toImage(); }
    QWidget Host;
    TPGButton* Button;
};

} // namespace

TEST_F(PGButton, EachStateShowsItsPalette)
{
    struct TCase {
        const char* Name;
        std::function<void(TPGButton&)> Enter;
        const TPGCtrlColors& (TPGCustomButtonColors::*Palette)() const;
        int Middle;
    };
    const TCase Cases[] = {
        {"normal", [](TPGButton&) {}, &TPGCustomButtonColors::InactiveColors, 19},
        {"hovered", [this](TPGButton&) { Enter(); }, &TPGCustomButtonColors::ActiveColors, 19},
        {"pressed", [](TPGButton& B) { B.setDown(true); }, &TPGCustomButtonColors::SelectedColors,
         21},
        {"disabled", [](TPGButton& B) { B.setEnabled(false); },
         &TPGCustomButtonColors::DisabledColors, 19},
    };
    for (const TCase& C : Cases) {
        C.Enter(*Button);
        const TPGCtrlColors& P = (Button->Colors().*C.Palette)();
        const QImage I = Face();
        EXPECT_EQ(I.pixel(60, 0), Rgb(P.Outer)) << C.Name;
        EXPECT_EQ(I.pixel(60, 1), Rgb(P.Inner)) << C.Name;
        EXPECT_EQ(I.pixel(60, 2), Rgb(P.HighFrom)) << C.Name;
        EXPECT_EQ(I.pixel(60, C.Middle), Rgb(P.LowFrom)) << C.Name;
    }
}

TEST_F(PGButton, OneColourButtonDiffersOnlyInTheFocusedFrame)
{
    const TColor Sell = 0x8080FF;
    TPGCustomButtonColors& Colors = Button->Colors();
    Colors.SetInactive(Sell);
    Colors.SetActive(Sell);
    Colors.SetSelected(Sell);
    Colors.SetDisabled(Sell);
    EXPECT_EQ(Colors.DisabledText(), clGrayText) << "text colours stay";
    for (int Y : {1, 5, 18, 30, 38})
        EXPECT_EQ(Face().pixel(60, Y), Rgb(Sell)) << Y;

    Focus();
    ASSERT_TRUE(Button->hasFocus());
    const QImage Focused = Face();
    EXPECT_EQ(Focused.pixel(60, 0), Rgb(Sell));
    EXPECT_EQ(Focused.pixel(61, 1), Rgb(ContrastColor(Sell, 50)));
    EXPECT_EQ(Focused.pixel(62, 2), Rgb(Sell) ^ 0x00FFFFFF) << "focus rectangle";
    Button->SetCornerSize(7);
    EXPECT_EQ(Face().pixel(62, 2), Rgb(Sell)) << "no focus rectangle on round corners";
    EXPECT_FALSE(Button->mask().contains(QPoint(0, 0)));
    Button->SetCornerSize(1);
    EXPECT_TRUE(Button->mask().contains(QPoint(0, 0)));
}

TEST_F(PGButton, HoverEndsThroughTheTimer)
{
    Enter();
    EXPECT_TRUE(Button->MouseEntered());
    EXPECT_TRUE(Button->TimerOn());
    QCursor::setPos(Button->mapToGlobal(QPoint(5, 5)));
    QEventLoop Loop;
    QTimer::singleShot(TPGCustomButton::HoverInterval + 100, &Loop, &QEventLoop::quit);
    Loop.exec();
    EXPECT_TRUE(Button->MouseEntered()) << "still over the button";

    QCursor::setPos(Host.mapToGlobal(QPoint(250, 150)));
    QTimer::singleShot(TPGCustomButton::HoverInterval + 100, &Loop, &QEventLoop::quit);
    Loop.exec();
    EXPECT_FALSE(Button->MouseEntered());
    EXPECT_FALSE(Button->TimerOn());
}

TEST_F(PGButton, CaptionBreaksIntoLinesAtBars)
{
    Button->Colors().SetInactive(clWhite);
    Button->Colors().SetInactiveText(clBlack);
    auto Ink = [&](const QString& Caption) {
        Button->setText(Caption);
        const QImage I = Face();
        return InkBox(I, qRgb(255, 255, 255), QRect(3, 3, 114, 34));
    };
    const QRect One = Ink("SellBuy");
    const QRect Two = Ink("Sell|Buy");
    EXPECT_GT(Two.height(), One.height() + 8);
    EXPECT_LT(Two.width(), One.width());
    EXPECT_NEAR(Two.center().x(), One.center().x(), 2) << "lines centred";
    Button->SetWordWrap(true);
    EXPECT_EQ(Ink("Sell|Buy"), Two);
    EXPECT_TRUE(Ink("").isEmpty());
}

TEST_F(PGButton, ColoursAssignFromColoursOnly)
{
    TPGButton Other;
    Other.Colors().SetActive(clRed);
    Button->SetColors(Other.Colors());
    EXPECT_EQ(Button->Colors().Active(), clRed);
    class TOther : public TPersistent {};
    EXPECT_THROW(Button->Colors().Assign(TOther()), EConvertError);
}

TEST_F(PGButton, ArrowsMoveTheFocusUnlessWanted)
{
    auto* Next = new TPGButton(&Host);
    Next->show();
    std::vector<int> Keys;
    Button->OnKeyDown = [&](int Key) { Keys.push_back(Key); };
    auto Arrow = [&] {
        Focus();
        QKeyEvent E(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(Button, &E);
    };
    Arrow();
    EXPECT_TRUE(Next->hasFocus());
    EXPECT_TRUE(Keys.empty());
    Button->SetWantArrows(false);
    Arrow();
    EXPECT_TRUE(Button->hasFocus());
    EXPECT_EQ(Keys, std::vector<int>{Qt::Key_Right});
}

// At a pixel ratio of 2 the caption is drawn at the screen's resolution, not
// stretched from a picture of half the size.
TEST_F(PGButton, SharpAtPixelRatioTwo)
{
    Button->setText("Buy");
    const QImage Twice = RenderAt(*Button, 2);
    ASSERT_EQ(Twice.size(), QSize(240, 80));
    EXPECT_FALSE(IsStretched(Twice, QRect(20, 20, 200, 40)));
}
