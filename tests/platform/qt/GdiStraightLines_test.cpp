// Thin lines along a row or a column are written into an image's rows;
// drawn on any other device they go through the painter. Both must give
// the same pixels.
#include "GdiFixture.h"

#include <gtest/gtest.h>

namespace {

struct TStyle {
    const char* Name;
    TGdiPen Pen;
};

TEST(GdiStraightLines, RowsAndColumnsMatchThePointByPointPixels)
{
    const TStyle Styles[] = {
        {"solid", CreatePen(PS_SOLID, 1, Red)},
        {"dot", CreatePen(PS_DOT, 1, Red)},
        {"dash", CreatePen(PS_DASH, 1, Red)},
        {"dashdot", CreatePen(PS_DASHDOT, 1, Red)},
        {"dashdotdot", CreatePen(PS_DASHDOTDOT, 1, Red)},
        {"alternate", ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, Red)},
        {"small dots", ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 1, Red, {0, 3})},
    };
    // A square walked both ways (the pattern runs on around the corners),
    // lines from far outside, and lines on the edges and beyond them.
    const std::vector<TPoint> Paths[] = {
        {{3, 3}, {30, 3}, {30, 25}, {3, 25}, {3, 3}},
        {{36, 28}, {36, 1}, {1, 1}, {1, 28}},
        {{-100000, 10}, {100000, 10}},
        {{20, 90000}, {20, -90000}},
        {{0, 0}, {39, 0}, {39, 29}, {0, 29}, {0, 0}},
        {{-5, 31}, {45, 31}, {45, -3}},
    };
    for (const TStyle& S : Styles)
        for (const int Mode : {TRANSPARENT, OPAQUE})
            for (const bool Clipped : {false, true}) {
                // The image's own context, and a painter-only one on another.
                QImage Fast(40, 30, QImage::Format_RGB32), Slow(40, 30, QImage::Format_RGB32);
                Fast.fill(Qt::white);
                Slow.fill(Qt::white);
                TGdiDC FastDC(&Fast), SlowDC(static_cast<QPaintDevice*>(&Slow));
                for (TGdiDC* DC : {&FastDC, &SlowDC}) {
                    DC->SelectPen(S.Pen);
                    DC->SetBkMode(Mode);
                    DC->SetBkColor(Blue);
                    if (Clipped) {
                        DC->IntersectClipRect(2, 2, 35, 27);
                        DC->ExcludeClipRect(10, 8, 18, 20);
                    }
                    for (const auto& Path : Paths)
                        DC->Polyline(Path.data(), int(Path.size()));
                    DC->MoveToEx(25, 5);
                    DC->LineTo(25, 6);
                }
                EXPECT_EQ(Fast, Slow) << S.Name << " mode " << Mode << " clipped " << Clipped;
            }
}

TEST(GdiStraightLines, RasterOperationsStillMixWithThePicture)
{
    TCanvasFixture F(40, 30);
    F.DC.SetROP2(R2_XORPEN);
    F.DC.SelectPen(CreatePen(PS_DOT, 1, RGB(200, 100, 50)));
    for (int Pass = 0; Pass < 2; ++Pass) {
        F.DC.MoveToEx(0, 5);
        F.DC.LineTo(40, 5);
        F.DC.MoveToEx(7, 0);
        F.DC.LineTo(7, 30);
        if (Pass == 0) {
            EXPECT_EQ(F.At(0, 5), White ^ RGB(200, 100, 50));
        }
    }
    EXPECT_EQ(F.Count(White), 40 * 30);
}

} // namespace
