#include "controls/uExComboBox.h"

#include "Pixels.h"
#include "controls/ACXPVS.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gmock/gmock.h>

namespace {

constexpr TColor ParentBack = TColor(RGB(10, 120, 200));
constexpr TColor OwnColor = TColor(RGB(250, 240, 200));
constexpr int W = 120, H = 24;

TEST(LabelOrigin, EveryPosition)
{
    const TRect Combo = Bounds(100, 50, 90, 20);
    const TSize Label{40, 14};
    const struct {
        TLabelPosition Position;
        TPoint Expected;
    } Cases[] = {
        {lpLeftTop, {100 - 38 - 4, 50}}, {lpLeftCenter, {58, 53}},     {lpLeftBottom, {58, 56}},
        {lpTopLeft, {100, 32}},          {lpBottomLeft, {100, 74}},    {lpLeftTopLeft, {96, 50}},
        {lpLeftCenterLeft, {96, 53}},    {lpLeftBottomLeft, {96, 56}}, {lpTopCenter, {125, 32}},
        {lpBottomCenter, {125, 74}},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(LabelOrigin(C.Position, Combo, 4, Label, 38), C.Expected) << C.Position;
}

class ComboTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadDLL();
        QPalette P = Parent.palette();
        P.setColor(QPalette::Window, ToQColor(ColorToRGB(ParentBack)));
        Parent.setPalette(P);
        Parent.resize(300, 200);
        Combo = new TExComboBox(&Parent);
        Combo->addItems({"1", "2", "3", "4", "5"});
        Combo->setGeometry(100, 60, W, H);
    }
    void TearDown() override { LoadDLL(); }
    COLORREF At(int X, int Y)
    {
        if (Shot.isNull())
            Shot = Combo->grab().toImage();
        return FromQRgb(Shot.pixel(X, Y));
    }
    // Each (x, y, colour) of a fresh picture of the control.
    void ExpectPixels(std::initializer_list<std::tuple<int, int, COLORREF>> Pixels)
    {
        Shot = {};
        for (auto [X, Y, Colour] : Pixels)
            EXPECT_EQ(At(X, Y), Colour) << X << "," << Y;
    }
    void Send(QEvent&& Event) { QCoreApplication::sendEvent(Combo, &Event); }
    void Enter() { Send(QEnterEvent(QPointF(5, 5), QPointF(5, 5), QPointF(105, 65))); }
    void MoveTo(int X)
    {
        Send(QMouseEvent(QEvent::MouseMove, QPointF(X, 5), QPointF(X, 5), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier));
    }
    void Flat()
    {
        Combo->SetFlatParentColor(false);
        Combo->SetColor(OwnColor);
        Combo->SetFlat(true);
    }
    int ScrollBar() const { return Combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent); }

    QWidget Parent;
    TExComboBox* Combo = nullptr;
    QImage Shot;
};

TEST_F(ComboTest, ButtonWidthTakesFourteenToThirtyTwo)
{
    const int Default = ScrollBar() + 2;
    EXPECT_EQ(Combo->ButtonWidth(), Default);
    for (auto [Asked, Kept] : {std::pair{13, Default}, {33, Default}, {14, 14}, {32, 32}}) {
        Combo->SetButtonWidth(Asked);
        EXPECT_EQ(Combo->ButtonWidth(), Kept) << Asked;
    }
}

// Outer frame and the frame inside it (short of the scroll-bar width) in the
// parent's colour, the inner one in the combo's, the underline in black.
TEST_F(ComboTest, FlatBorderAndUnderline)
{
    Flat();
    const COLORREF Back = ColorToRGB(ParentBack), Own = ColorToRGB(OwnColor);
    const int LineEnd = W - 2 - ScrollBar() - 18;
    ExpectPixels({{0, 5, Back},
                  {W - 1, 5, Back},
                  {5, 0, Back},
                  {1, 5, Back},
                  {5, 1, Back},
                  {W - 2 - ScrollBar(), 5, Back},
                  {2, 5, Own},
                  {3, 5, Own},
                  {0, H - 1, 0u},
                  {LineEnd - 1, H - 1, 0u},
                  {LineEnd, H - 1, Back}});
    Combo->SetFlatLineColor(clNone);
    ExpectPixels({{0, H - 1, Back}});
}

TEST_F(ComboTest, ThreeDBorderWhileTheMouseIsIn)
{
    Flat();
    Combo->SetFocusBorder(true);
    EXPECT_EQ(At(1, 5), ColorToRGB(ParentBack));
    Enter();
    EXPECT_TRUE(Combo->MouseInControl());
    ExpectPixels({{0, 0, GetSysColor(COLOR_BTNSHADOW)},
                  {W - 1, 5, GetSysColor(COLOR_BTNHIGHLIGHT)},
                  {1, 5, GetSysColor(COLOR_BTNFACE)},
                  {2, 5, ColorToRGB(OwnColor)}});
    Send(QEvent(QEvent::Leave));
    EXPECT_FALSE(Combo->MouseInControl());
}

// Without the styles the button is the classic one with its own border:
// plain while the mouse is away, raised while it is in.
TEST_F(ComboTest, ClassicDropButton)
{
    Flat();
    UnLoadDLL();
    EXPECT_FALSE(Combo->DoVisualStyles());
    const int B = Combo->ButtonWidth();
    const int ArrowX = W - B + 7, ArrowY = 11;
    ExpectPixels(
        {{ArrowX, ArrowY, 0u}, {ArrowX - 1, ArrowY, 0u}, {W - B, 10, GetSysColor(COLOR_BTNFACE)}});
    Enter();
    ExpectPixels({{W - B, 2, GetSysColor(COLOR_3DLIGHT)},
                  {W - 3, H - 3, GetSysColor(COLOR_3DDKSHADOW)},
                  {ArrowX, ArrowY, 0u}});
    Combo->setEnabled(false);
    ExpectPixels({{ArrowX, ArrowY, GetSysColor(COLOR_BTNSHADOW)}});
}

// The styled button replaces the classic one and its border; the rest of
// the control is drawn alike.
TEST_F(ComboTest, StyledDropButton)
{
    Flat();
    const QImage Styled = Combo->grab().toImage();
    UnLoadDLL();
    const QImage Classic = Combo->grab().toImage();
    const int Left = W - Combo->ButtonWidth() - 4;
    EXPECT_EQ(Styled.copy(0, 0, Left, H), Classic.copy(0, 0, Left, H));
    EXPECT_NE(Styled.copy(Left, 0, W - Left, H), Classic.copy(Left, 0, W - Left, H));
}

TEST_F(ComboTest, ButtonHoverStrictlyInsideTheButton)
{
    for (auto [Dx, Hover] : {std::pair{1, true}, {0, false}}) {
        MoveTo(W - Combo->ButtonWidth() + Dx);
        EXPECT_EQ(Combo->ButtonHover(), Hover);
    }
}

TEST_F(ComboTest, NativeLookLeftToTheStyle)
{
    QComboBox Plain(&Parent);
    Plain.addItems({"1", "2", "3", "4", "5"});
    Plain.setGeometry(100, 60, W, H);
    Plain.setPalette(Combo->palette());
    EXPECT_EQ(Combo->grab().toImage(), Plain.grab().toImage());
}

TEST_F(ComboTest, FocusColourAndFocusBorder)
{
    Combo->SetColor(OwnColor);
    Combo->SetFocusColor(clYellow);
    Combo->SetFocusBorderColor(clRed);
    Send(QFocusEvent(QEvent::FocusIn, Qt::TabFocusReason));
    EXPECT_EQ(Combo->Color(), clYellow);
    ExpectPixels({{0, 0, ColorToRGB(clRed)}, {W - 1, H - 1, ColorToRGB(clRed)}});
    Send(QFocusEvent(QEvent::FocusOut, Qt::PopupFocusReason));
    EXPECT_EQ(Combo->Color(), clYellow);
    Send(QFocusEvent(QEvent::FocusOut, Qt::TabFocusReason));
    EXPECT_EQ(Combo->Color(), OwnColor);
}

TEST_F(ComboTest, DisabledWithoutItsBorderUnderStylesAndFlatInItsParentsColour)
{
    Combo->SetDisabledBorder(false);
    Combo->setEnabled(false);
    ExpectPixels({{0, 0, RGB(127, 157, 185)}, {W - 1, H - 1, RGB(127, 157, 185)}});
    Combo->setEnabled(true);
    Flat();
    Combo->setEnabled(false);
    EXPECT_EQ(Combo->Color(), ParentBack);
    EXPECT_TRUE(Combo->ParentColor());
    Combo->setEnabled(true);
    EXPECT_EQ(Combo->Color(), OwnColor);
    EXPECT_FALSE(Combo->ParentColor());
}

TEST_F(ComboTest, DropUpFiresOncePerClosedList)
{
    int DropUps = 0;
    Combo->OnDropUp = [&](TExCustomCombo* Sender) {
        EXPECT_EQ(Sender, Combo);
        ++DropUps;
    };
    Combo->SetDropWidth(0);
    EXPECT_EQ(Combo->view()->minimumWidth(), 0);
    Combo->SetDropWidth(200);
    EXPECT_EQ(Combo->view()->minimumWidth(), 200);
    Parent.show();
    Combo->showPopup();
    EXPECT_TRUE(Combo->DroppedDown());
    Combo->hidePopup();
    Combo->hidePopup();
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(DropUps, 1);
}

TEST_F(ComboTest, LabelFollowsTheCombo)
{
    Combo->SetLabelPosition(lpTopCenter);
    Combo->SetLabelCaption("Стиль:");
    QLabel* Label = Combo->ComboLabel();
    ASSERT_NE(Label, nullptr);
    EXPECT_EQ(Label->parentWidget(), &Parent);
    Parent.show();
    Combo->move(10, 100);
    EXPECT_EQ(Label->y(), 100 - Label->height() - 4);
    Combo->setEnabled(false);
    EXPECT_FALSE(Label->isEnabled());
    Combo->SetLabelAlwaysEnabled(true);
    EXPECT_TRUE(Label->isEnabled());
    Combo->hide();
    EXPECT_TRUE(Label->isHidden());
}

} // namespace

// At a pixel ratio of 2 the flat combo's text is drawn at the screen's
// resolution, its underline still along the bottom.
TEST_F(ComboTest, SharpAtPixelRatioTwo)
{
    Flat();
    Combo->setCurrentIndex(2);
    const QImage Twice = RenderAt(*Combo, 2);
    ASSERT_EQ(Twice.size(), QSize(W * 2, H * 2));
    EXPECT_FALSE(IsStretched(Twice, QRect(4, 4, 40, H * 2 - 8)));
    EXPECT_EQ(FromQRgb(Twice.pixel(4, H * 2 - 1)), 0u);
    EXPECT_NE(FromQRgb(Twice.pixel(4, H * 2 - 3)), 0u);
}

TEST(ExComboBox, Version)
{
    EXPECT_EQ(TExComboBox::Version(), "1.2.5.3");
}
