#include "platform/qt/Theme.h"

#include "GdiFixture.h"

#include <QWidget>
#include <gmock/gmock.h>

namespace {

const COLORREF Face = GetSysColor(COLOR_BTNFACE);
const COLORREF Shadow = GetSysColor(COLOR_BTNSHADOW);
const COLORREF Highlight = GetSysColor(COLOR_BTNHIGHLIGHT);

// A 16 x 20 button: its face inside a two-pixel edge is 12 x 16, so the
// arrow has three rows (5, 3 and 1 pixels) centred at column 7, rows 8..10.
TEST(DrawFrameControl, ComboButtonFlatAndInactive)
{
    TCanvasFixture Flat(16, 20);
    ASSERT_TRUE(
        DrawFrameControl(Flat.DC, Rect(0, 0, 16, 20), DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT));
    EXPECT_EQ(Flat.At(0, 0), Shadow);
    EXPECT_EQ(Flat.At(15, 19), Shadow);
    EXPECT_EQ(Flat.At(1, 1), Face);
    EXPECT_EQ(Flat.Row(8, 16, 0, Face), ".oooo#####ooooo.");
    EXPECT_EQ(Flat.Row(9, 16, 0, Face), ".ooooo###oooooo.");
    EXPECT_EQ(Flat.Row(10, 16, 0, Face), ".oooooo#ooooooo.");
    EXPECT_EQ(Flat.Count(0), 9);

    TCanvasFixture Inactive(16, 20);
    DrawFrameControl(Inactive.DC, Rect(0, 0, 16, 20), DFC_SCROLL,
                     DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE);
    EXPECT_EQ(Inactive.Count(0), 0);
    EXPECT_EQ(Inactive.Row(8, 16, Shadow, Face), "..ooo#####oooo#.");
    EXPECT_EQ(Inactive.At(8, 11), Highlight);
    EXPECT_EQ(Inactive.At(0, 0), GetSysColor(COLOR_3DLIGHT));

    EXPECT_FALSE(DrawFrameControl(Flat.DC, Rect(0, 0, 16, 20), 1, DFCS_SCROLLCOMBOBOX));
}

TEST(Theme, ComboButtonDrawnByTheStyleInsideItsRectangle)
{
    QWidget Widget;
    EXPECT_TRUE(IsThemeActive());
    EXPECT_EQ(OpenThemeData(&Widget, "button"), nullptr);
    HTHEME Theme = OpenThemeData(&Widget, "ComboBox");
    ASSERT_NE(Theme, nullptr);
    TCanvasFixture F(40, 30, RGB(255, 0, 255));
    ASSERT_TRUE(
        DrawThemeBackground(*Theme, F.DC, CP_DROPDOWNBUTTON, CBXS_NORMAL, Rect(10, 5, 30, 25)));
    EXPECT_FALSE(DrawThemeBackground(*Theme, F.DC, 2, CBXS_NORMAL, Rect(10, 5, 30, 25)));
    int Inside = 0;
    for (int Y = 0; Y < 30; ++Y)
        for (int X = 0; X < 40; ++X) {
            const bool In = X >= 10 && X < 30 && Y >= 5 && Y < 25;
            if (F.At(X, Y) != RGB(255, 0, 255)) {
                EXPECT_TRUE(In) << X << "," << Y;
                Inside += In;
            }
        }
    EXPECT_GT(Inside, 200);
    CloseThemeData(Theme);
    EXPECT_EQ(Theme, nullptr);
}

TEST(Theme, FontsAndBackgrounds)
{
    TFont Font;
    Font.SetHeight(-15);
    Font.SetStyle(fsBold);
    const QFont Q = ToQFont(Font);
    EXPECT_EQ(Q.pixelSize(), 15);
    EXPECT_TRUE(Q.bold());

    QWidget Widget;
    QPalette P = Widget.palette();
    P.setColor(Widget.backgroundRole(), QColor(10, 20, 30));
    Widget.setPalette(P);
    EXPECT_EQ(BackgroundColor(Widget), TColor(RGB(10, 20, 30)));
}

} // namespace
