#include "chart/canvas/PlotCheckBox.h"

#include "platform/qt/Canvas.h"

#include <gtest/gtest.h>

namespace {

// The box drawn at (4, 5) on a white 24 x 24 bitmap, as pixels.
QImage Draw(bool Checked, bool CheckBox)
{
    TBitmap bitmap;
    bitmap.SetSize(24, 24);
    PlotDrawCheckBox(4, 5, bitmap.Canvas(), Checked, clRed, CheckBox);
    return bitmap.Image().copy();
}

// Pixels inside and outside the box's 13 x 13 cell that are not white.
struct TPainted {
    int Inside = 0;
    int Outside = 0;
};

TPainted Painted(const QImage& Image)
{
    TPainted count;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x) {
            if ((Image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF)
                continue;
            const bool inside = x >= 4 && x < 17 && y >= 5 && y < 18;
            ++(inside ? count.Inside : count.Outside);
        }
    return count;
}

TEST(PlotDrawCheckBox, DrawsFourDistinctShapesInsideTheirCellWhateverTheBackColour)
{
    const QImage shapes[] = {Draw(false, true), Draw(true, true), Draw(false, false),
                             Draw(true, false)};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Painted(shapes[i]).Outside, 0) << i;
        EXPECT_GT(Painted(shapes[i]).Inside, 30) << i; // at least the frame
        for (int j = 0; j < i; ++j)
            EXPECT_NE(shapes[i], shapes[j]) << i << " and " << j;
    }
    EXPECT_EQ(shapes[0].pixel(10, 11), shapes[2].pixel(10, 11)); // empty centres alike
    TBitmap bitmap;
    bitmap.SetSize(24, 24);
    PlotDrawCheckBox(4, 5, bitmap.Canvas(), true, clBlue, true);
    EXPECT_EQ(bitmap.Image(), shapes[1]);
    TCanvas detached;
    PlotDrawCheckBox(0, 0, detached, true, clRed, true);
}

} // namespace
