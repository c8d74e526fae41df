// A batch of shapes written into an image's rows gives the pixels of the
// same shapes drawn one by one through the painter.
#include "GdiFixture.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

std::vector<TGdiShape> RandomShapes(unsigned Seed)
{
    std::mt19937 Random(Seed);
    std::uniform_int_distribution<int> Coord(-6, 46), Size(0, 5), Colour(0, 0xFFFFFF);
    std::vector<TGdiShape> Shapes;
    for (int I = 0; I < 300; ++I) {
        TGdiShape S;
        S.Kind = I % 2 == 0 ? TGdiShape::Line : TGdiShape::Box;
        S.Outline = I % 3 != 0;
        S.Pen = COLORREF(Colour(Random));
        S.Fill = COLORREF(Colour(Random));
        const int X = Coord(Random), Y = Coord(Random);
        switch (Random() % 4) {
        case 0: // along a column, either way
            S.R = {X, Y, X, Y + Size(Random) * (Random() % 2 ? 3 : -3)};
            break;
        case 1: // along a row
            S.R = {X, Y, X + Size(Random) * (Random() % 2 ? 3 : -3), Y};
            break;
        case 2: // slanted, or corners in any order
            S.R = {X, Y, X - Size(Random), Y + Size(Random)};
            break;
        default: // far outside
            S.R = {X - 100000, Y, X + 100000, Y + Size(Random)};
        }
        Shapes.push_back(S);
    }
    return Shapes;
}

TEST(GdiShapes, WrittenShapesMatchThePainterInOrder)
{
    for (const unsigned Seed : {1u, 2u, 3u})
        for (const bool Clipped : {false, true}) {
            QImage Fast(40, 30, QImage::Format_RGB32), Slow(40, 30, QImage::Format_RGB32);
            Fast.fill(Qt::white);
            Slow.fill(Qt::white);
            TGdiDC FastDC(&Fast), SlowDC(static_cast<QPaintDevice*>(&Slow));
            for (TGdiDC* DC : {&FastDC, &SlowDC}) {
                if (Clipped) {
                    DC->IntersectClipRect(2, 3, 37, 26);
                    DC->ExcludeClipRect(10, 8, 18, 20);
                }
                DC->DrawShapes(RandomShapes(Seed));
            }
            EXPECT_EQ(Fast, Slow) << "seed " << Seed << " clipped " << Clipped;
        }
}

TEST(GdiShapes, TheContextKeepsItsObjectsAndModes)
{
    TCanvasFixture F(20, 20);
    const TGdiPen Pen = CreatePen(PS_DOT, 1, Blue);
    const TGdiBrush Brush = CreateHatchBrush(HS_CROSS, Red);
    F.DC.SelectPen(Pen);
    F.DC.SelectBrush(Brush);
    F.DC.SetROP2(R2_XORPEN);
    F.DC.MoveToEx(3, 4);
    F.DC.DrawShapes({{TGdiShape::Line, true, {1, 1, 1, 9}, Red, 0},
                     {TGdiShape::Box, true, {5, 5, 9, 9}, Red, Blue}});
    EXPECT_EQ(F.DC.CurrentPen(), Pen);
    EXPECT_EQ(F.DC.CurrentBrush(), Brush);
    EXPECT_EQ(F.DC.GetROP2(), R2_XORPEN);
    EXPECT_EQ(F.DC.GetCurrentPosition(), (TPoint{3, 4}));
    // Copy mode whatever the context's mix mode.
    EXPECT_EQ(F.At(1, 5), Red);
    EXPECT_EQ(F.At(6, 6), Blue);
}

} // namespace
