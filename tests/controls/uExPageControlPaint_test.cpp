#include "controls/uExPageControlPaint.h"

#include "controls/uExPageControl.h"

#include "Pixels.h"

#include <QTabBar>
#include <gmock/gmock.h>

namespace {

COLORREF At(const QImage& Image, int X, int Y)
{
    return FromQRgb(Image.pixel(X, Y));
}

// 10 rows in 4 steps: stripes of round(2.5) + 1 = 3 rows starting at 0, 2, 5
// and 8 (halves to even), red 0, 64, 128 and 191.
TEST(DrawGradient, StripesOverlapByOneAndRoundHalvesToEven)
{
    TBitmap B;
    B.SetSize(3, 12);
    DrawGradient(B.Canvas(), clBlack, TColor(RGB(255, 0, 0)), 4, Rect(0, 0, 3, 10), false);
    std::vector<int> Reds;
    for (int Y = 0; Y < 12; ++Y)
        Reds.push_back(GetRValue(At(B.Image(), 1, Y)));
    EXPECT_THAT(Reds, ::testing::ElementsAre(0, 0, 64, 64, 64, 128, 128, 128, 191, 191, 191, 255));

    DrawGradient(B.Canvas(), clBlue, clRed, 0, Rect(0, 0, 2, 10), true);
    EXPECT_EQ(At(B.Image(), 1, 5), ColorToRGB(clBlue));
    EXPECT_EQ(At(B.Image(), 2, 5), ColorToRGB(clBlue));
}

class PaintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Control.resize(400, 200);
        Control.SetTabPosition(tpBottom);
        for (const char* Caption : {"Торговля", "Активы", "История счета"}) {
            auto* Sheet = new TExTabSheet;
            Sheet->SetExPageControl(&Control);
            Sheet->SetCaption(Caption);
        }
        Control.SetTabBackGroundColor(Band);
        Control.SetActiveColor(ActiveFill);
        Control.Pages(0)->SetTabColor(TabFill);
        Control.Pages(2)->SetTabColor(TabFill);
        Control.Pages(1)->SetColor(PageColor);
        Control.SetActivePage(Control.Pages(1));
    }
    QImage Shot() { return Control.grab().toImage(); }

    static constexpr TColor Band = TColor(RGB(0, 128, 0));
    static constexpr TColor ActiveFill = TColor(RGB(255, 255, 0));
    static constexpr TColor TabFill = TColor(RGB(0, 255, 255));
    static constexpr TColor PageColor = TColor(RGB(255, 0, 255));
    TExPageControl Control;
};

// The page frame's border runs 2 pixels inside the control and along the
// strip's first row; a 3-pixel band of the page's colour lies inside it.
TEST_F(PaintTest, PageFrameBandAndStrip)
{
    const QImage I = Shot();
    const TRect Strip = Control.TabRectEx(0);
    const COLORREF Border = ColorToRGB(clGray);
    EXPECT_EQ(At(I, 2, 50), Border);
    EXPECT_EQ(At(I, 397, 50), Border);
    EXPECT_EQ(At(I, 50, 2), Border);
    for (int X : {3, 4, 5})
        EXPECT_EQ(At(I, X, 50), ColorToRGB(PageColor)) << X;
    EXPECT_EQ(At(I, 1, 50), ColorToRGB(clBtnFace));
    const TRect Last = Control.TabRectEx(2);
    EXPECT_EQ(At(I, Last.Right + 10, Strip.Top), Border);
    EXPECT_EQ(At(I, Last.Right + 10, Strip.Top + 5), ColorToRGB(Band));
    EXPECT_EQ(At(I, 399, 199), ColorToRGB(Band));
}

// Bottom tabs. Classic: the active tab fills its rectangle (opening the page
// border above it) and is outlined left, right and one row below (here below
// the control's last row, drawn on it); an inactive tab is a rectangle sharing its right
// line with its neighbour.
TEST_F(PaintTest, BottomTabOutlines)
{
    const QImage I = Shot();
    const TRect A = Control.TabRectEx(1), First = Control.TabRectEx(0);
    const COLORREF Border = ColorToRGB(clGray);
    EXPECT_EQ(At(I, A.Left + 20, A.Top), ColorToRGB(ActiveFill));
    EXPECT_EQ(At(I, A.Left, A.Top + 3), Border);
    EXPECT_EQ(At(I, A.Right, A.Top + 3), Border);
    ASSERT_EQ(A.Bottom, Control.height());
    EXPECT_EQ(At(I, A.Left + 20, A.Bottom - 1), Border) << "the bottom edge shows";
    EXPECT_EQ(At(I, A.Left + 20, A.Bottom - 2), ColorToRGB(ActiveFill));
    EXPECT_EQ(At(I, First.Left + 2, First.Bottom - 3), ColorToRGB(TabFill));
    EXPECT_EQ(At(I, First.Left, First.Top + 3), Border);
    EXPECT_EQ(At(I, First.Left + 2, First.Bottom - 1), Border);
    EXPECT_EQ(At(I, First.Left + 2, First.Top), Border);
    Control.SetTabStyle(tsDelphi);
    EXPECT_EQ(At(Shot(), A.Right - 1, A.Top + 3), Border) << "a styled tab ends on its last column";
}

// Text is compared by extent: the active caption in a bold font of its own
// colour reaches past the plain caption's width.
TEST_F(PaintTest, ActiveTabWrittenInTheActiveFont)
{
    const TColor Ink = TColor(RGB(200, 0, 0));
    Control.ActiveFont().SetStyle(fsBold);
    Control.ActiveFont().SetColor(Ink);
    const QImage I = Shot();
    const TRect A = Control.TabRectEx(1);
    int Left = INT_MAX, Right = -1;
    for (int Y = A.Top; Y < A.Bottom; ++Y)
        for (int X = A.Left; X < A.Right + 40 && X < I.width(); ++X)
            if (At(I, X, Y) == ColorToRGB(Ink)) {
                Left = std::min(Left, X);
                Right = std::max(Right, X);
            }
    TBitmap B;
    B.SetSize(1, 1);
    B.Canvas().Font().Assign(Control.Font());
    const int Plain = B.Canvas().TextWidth("Активы");
    B.Canvas().Font().Assign(Control.ActiveFont());
    const int Bold = B.Canvas().TextWidth("Активы");
    ASSERT_GT(Bold, Plain);
    EXPECT_GE(Left, A.Left + 4);
    EXPECT_LE(Left, A.Left + 6);
    EXPECT_GT(Right, A.Left + 4 + Plain - 1);
    EXPECT_LT(Right, A.Left + 4 + Bold);
}

// At a pixel ratio of 2 the strip is drawn at the screen's resolution: the
// page border stays one screen pixel wide and the captions' glyphs are finer
// than a stretched picture, twice as tall as at 1.
TEST_F(PaintTest, SharpAtPixelRatioTwo)
{
    const QImage Once = RenderAt(Control, 1), Twice = RenderAt(Control, 2);
    ASSERT_EQ(Twice.size(), QSize(800, 400));
    EXPECT_EQ(At(Twice, 4, 100), ColorToRGB(clGray));
    EXPECT_NE(At(Twice, 5, 100), ColorToRGB(clGray));
    const TRect T = Control.TabRectEx(0);
    const QRect Tab(T.Left + 2, T.Top + 2, T.Width() - 4, T.Height() - 4);
    const QRect Tab2(Tab.topLeft() * 2, Tab.size() * 2);
    EXPECT_FALSE(IsStretched(Twice, Tab2));
    const QRect Ink = InkBox(Once, Rgb(TabFill), Tab), Ink2 = InkBox(Twice, Rgb(TabFill), Tab2);
    ASSERT_GT(Ink.height(), 4);
    EXPECT_NEAR(Ink2.height(), 2 * Ink.height(), 2);
}

TEST_F(PaintTest, NativeModeLeavesTheDrawingToTheStyle)
{
    Control.SetTabBorder3D(true);
    EXPECT_EQ(Control.findChild<QTabBar*>()->tabText(0), QString::fromUtf8("Торговля"));
    const QImage I = Shot();
    for (int Y = 0; Y < I.height(); ++Y)
        for (int X = 0; X < I.width(); ++X)
            for (TColor Own : {Band, ActiveFill, TabFill})
                ASSERT_NE(At(I, X, Y), ColorToRGB(Own)) << X << "," << Y;
}

// Every tab keeps the room of a picture (and the style's spacing) unless the
// handler says it has none; the picture goes where the text would begin.
TEST_F(PaintTest, TabPicturesBeforeTheTextAndHighlightedTabs)
{
    const int Plain = Control.TabRectEx(2).Width();
    TImageList Images;
    Images.SetSize(10, 8);
    for (const QRgb Colour : {qRgb(255, 0, 0), qRgb(0, 0, 255)}) {
        QImage Picture(10, 8, QImage::Format_RGB32);
        Picture.fill(Colour);
        Images.Add(Picture);
    }
    Control.SetImages(&Images);
    Control.Pages(0)->SetImageIndex(1);
    Control.Pages(2)->SetImageIndex(-1);
    const auto At = [&](int Page, int X, int Y) {
        const TRect R = Control.TabRectEx(Page);
        return Shot().pixelColor(R.Left + X, R.Top + Y);
    };
    // The pixels of one colour inside a tab's outline.
    const auto Picture = [&](int Page, QRgb Colour) {
        const TRect R = Control.TabRectEx(Page);
        const QImage I = Shot();
        QRect Box;
        for (int Y = R.Top + 2; Y < R.Bottom - 2; ++Y)
            for (int X = R.Left + 2; X < R.Right - 2; ++X)
                if (I.pixel(X, Y) == Colour)
                    Box |= QRect(X, Y, 1, 1);
        return Box;
    };
    EXPECT_GE(Control.TabRectEx(2).Width(), Plain + 10);
    const QRect Blue = Picture(0, qRgb(0, 0, 255));
    EXPECT_EQ(Blue.size(), QSize(10, 8));
    const TRect First = Control.TabRectEx(0);
    EXPECT_NEAR(Blue.center().y(), (First.Top + First.Bottom) / 2, 1) << "centred across";
    const QRect Text =
        InkBox(Shot(), Rgb(TabFill), QRect(Blue.right() + 1, First.Top + 2, 200, 10));
    EXPECT_GE(Text.left(), Blue.right() + 1);
    EXPECT_TRUE(
        InkBox(Shot(), Rgb(TabFill), QRect(First.Left + 2, First.Top + 2, Blue.left() - 2, 10))
            .isEmpty())
        << "the text comes after the picture";
    EXPECT_TRUE(Picture(2, qRgb(255, 0, 0)).isEmpty());
    Control.SetOnGetImageIndex([](TExPageControl*, int Tab, int& Index) { Index = -Tab; });
    EXPECT_EQ(Control.TabRectEx(2).Width(), Plain);
    EXPECT_EQ(Picture(0, qRgb(255, 0, 0)).size(), QSize(10, 8));

    // The style shades a highlighted tab in the highlight colour.
    Control.SetTabBorder3D(true);
    const QColor Highlight = Control.palette().color(QPalette::Highlight);
    const auto Highlighted = [&](int Page) {
        const QColor C = At(Page, Control.TabRectEx(Page).Width() / 2, 3);
        return std::abs(C.red() - Highlight.red()) + std::abs(C.green() - Highlight.green()) +
                   std::abs(C.blue() - Highlight.blue()) <
               48;
    };
    Control.Pages(2)->SetHighlighted(true);
    EXPECT_TRUE(Highlighted(2));
    EXPECT_FALSE(Highlighted(0));
}

TEST_F(PaintTest, SheetGradientTopToBottom)
{
    TExTabSheet* Sheet = Control.Pages(1);
    Sheet->SetColorTo(clBlack);
    const QImage I = Sheet->grab().toImage();
    EXPECT_EQ(At(I, 5, 0), ColorToRGB(PageColor));
    EXPECT_EQ(At(I, 5, I.height() - 1), RGB(4, 0, 4));
}

} // namespace
