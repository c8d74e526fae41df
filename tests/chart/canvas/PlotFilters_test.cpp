#include "chart/canvas/PlotFilterKinds.h"
#include "chart/canvas/PlotPicture.h"

#include <gtest/gtest.h>

namespace {

// A small image from rows of 0xRRGGBB values.
QImage Make(std::initializer_list<std::initializer_list<QRgb>> Rows)
{
    QImage I(int(Rows.begin()->size()), int(Rows.size()), QImage::Format_RGB32);
    int Y = 0;
    for (const auto& Row : Rows) {
        int X = 0;
        for (QRgb P : Row)
            I.setPixel(X++, Y, 0xFF000000 | P);
        ++Y;
    }
    return I;
}

QRgb At(const QImage& I, int X, int Y)
{
    return I.pixel(X, Y) & 0xFFFFFF;
}

TEST(PlotFilter, RegionCoversItsOwnWidthAndStaysInsideTheImage)
{
    struct TCase {
        TFilterRegion Region;
        const char* Inverted; // per pixel of the 5 x 1 row
    };
    const TCase Cases[] = {
        {{1, 0, 2, 0}, ".XX.."}, {{2, 0, 0, 0}, "..XXX"}, {{-3, 0, 4, 0}, "X...."},
        {{7, 0, 3, 0}, "....."}, {{0, 3, 0, 0}, "....."}, {{3, 0, 99, 1}, "...XX"},
    };
    for (const TCase& C : Cases) {
        QImage I = Make({{0, 0, 0, 0, 0}});
        TInvertFilter F;
        F.Region() = C.Region;
        F.Apply(I);
        for (int X = 0; X < 5; ++X)
            EXPECT_EQ(At(I, X, 0), C.Inverted[X] == 'X' ? 0xFFFFFFu : 0u)
                << C.Region.Left << "," << C.Region.Width << " at " << X;
    }
    QImage Empty;
    TInvertFilter().Apply(Empty); // nothing to do, no fault
}

TEST(PlotFilter, PixelFiltersGivenTheirGoldenValues)
{
    const QImage Source = Make({{0x102030, 0xFF8000}, {0x000000, 0xFAFAFA}});
    auto Run = [&](TPlotFilter&& F) {
        QImage I = Source;
        F.Apply(I);
        return std::vector<QRgb>{At(I, 0, 0), At(I, 1, 0), At(I, 0, 1), At(I, 1, 1)};
    };
    EXPECT_EQ(Run(TInvertFilter()), (std::vector<QRgb>{0xEFDFCF, 0x007FFF, 0xFFFFFF, 0x050505}));
    TGrayScaleFilter Gray;
    EXPECT_EQ(Run(TGrayScaleFilter(Gray)), (std::vector<QRgb>{0x202020, 0x7F7F7F, 0, 0xFAFAFA}));
    Gray.Method = gmEye;
    EXPECT_EQ(Run(TGrayScaleFilter(Gray))[1], 0x989898u); // 0.3 x 255 + 0.59 x 128
    Gray.Method = gmEye2;
    EXPECT_EQ(Run(TGrayScaleFilter(Gray))[1], 0x979797u); // (11 x 255 + 16 x 128) >> 5
    TBrightnessFilter Bright;
    Bright.SetAmount(10); // 26 = 255 x 10 %
    EXPECT_EQ(Run(TBrightnessFilter(Bright)),
              (std::vector<QRgb>{0x2A3A4A, 0xFF9A1A, 0x1A1A1A, 0xFFFFFF}));
    Bright.SetAmount(-300);
    Bright.SetPercent(false);
    EXPECT_EQ(Run(TBrightnessFilter(Bright))[3], 0u);
    TColorFilter Colour;
    Colour.Red = -0x20;
    Colour.Blue = 0x10;
    EXPECT_EQ(Run(TColorFilter(Colour)),
              (std::vector<QRgb>{0x002040, 0xDF8010, 0x000010, 0xDAFAFF}));
    TContrastFilter Contrast;
    Contrast.SetAmount(50);
    EXPECT_EQ(Run(TContrastFilter(Contrast))[1], 0xFF8000u);
    EXPECT_EQ(Run(TContrastFilter(Contrast))[0], 0x000008u); // 48 - (128 - 48) / 2
    TGammaCorrectionFilter Gamma;
    Gamma.SetAmount(100);
    EXPECT_EQ(Run(TGammaCorrectionFilter(Gamma)),
              (std::vector<QRgb>{0x102030, 0xFF8000, 0, 0xFAFAFA}));
    Gamma.SetAmount(200); // square root
    EXPECT_EQ(Run(TGammaCorrectionFilter(Gamma))[0], 0x405A6Fu);
    THueLumSatFilter Hls;
    Hls.Luminance = 300; // beyond the scale: white, not a wrapped byte
    EXPECT_EQ(Run(THueLumSatFilter(Hls))[1], 0xFFFFFFu);
    THueLumSatFilter Hue;
    Hue.Hue = 80; // a third of the circle: red becomes green
    QImage Red = Make({{0xFF0000}});
    Hue.Apply(Red);
    EXPECT_EQ(At(Red, 0, 0), 0x00FF00u);

    // Kept rows serve only the image they came from.
    TInvertFilter Keep;
    Keep.SetReuseLines(true);
    QImage Same = Source, Other = Source; // same size and format
    Keep.Apply(Same);
    Keep.Apply(Same);
    Keep.Apply(Other);
    QImage Taller = Make({{0}, {0}, {0x102030}});
    Keep.Apply(Taller);
    QImage Packed = Taller.convertToFormat(QImage::Format_RGB888);
    Keep.Apply(Packed);
    EXPECT_EQ(
        (std::vector<QRgb>{At(Same, 1, 1), At(Other, 1, 1), At(Taller, 0, 2), At(Packed, 0, 2)}),
        (std::vector<QRgb>{0xFAFAFA, 0x050505, 0xEFDFCF, 0x102030}));
}

TEST(PlotFilter, ConvolutionsReadTheOriginalNeighbours)
{
    // One white pixel in the middle of black.
    auto Dot = [] { return Make({{0, 0, 0}, {0, 0xFFFFFF, 0}, {0, 0, 0}}); };
    QImage B = Dot();
    TBlurFilter().Apply(B);
    for (int Y = 0; Y < 3; ++Y)
        for (int X = 0; X < 3; ++X)
            EXPECT_EQ(At(B, X, Y), 0x1C1C1Cu) << X << "," << Y; // 255 / 9
    QImage Heavy = Dot();
    TBlurFilter Centre;
    Centre.SetAmount(8);
    Centre.Steps = 2;
    Centre.Apply(Heavy);
    EXPECT_EQ(At(Heavy, 1, 1), 0x484848u); // (8 x 128 + 8 x 16) / 16 after 128 and 16
    QImage S = Dot();
    TSharpenFilter().Apply(S);
    EXPECT_EQ(At(S, 1, 1), 0xFFFFFFu);
    EXPECT_EQ(At(S, 0, 0), 0u);
    QImage E = Dot();
    TEmbossFilter().Apply(E);
    EXPECT_EQ(At(E, 1, 1), 0u);        // 255 x 1 / -1, clamped
    EXPECT_EQ(At(E, 0, 1), 0u);        // the right neighbour weighs 1
    EXPECT_EQ(At(E, 1, 0), 0xFFFFFFu); // -255 / -1
    QImage Soft = Dot();
    TSoftenFilter().Apply(Soft);
    EXPECT_EQ(At(Soft, 0, 0), 0x404040u); // 255 / 4, halves to even
    EXPECT_EQ(At(Soft, 2, 2), 0u);
    // Edges repeat: a flat image stays flat.
    QImage Flat = Make({{0x808080, 0x808080}, {0x808080, 0x808080}});
    TSharpenFilter().Apply(Flat);
    EXPECT_EQ(At(Flat, 1, 1), 0x808080u);
}

TEST(PlotFilter, GeometryFilters)
{
    const QImage Source = Make({{1, 2, 3}, {4, 5, 6}});
    QImage F = Source;
    TFlipFilter().Apply(F);
    EXPECT_EQ(At(F, 0, 0), 4u);
    QImage R = Source;
    TReverseFilter().Apply(R);
    EXPECT_EQ(At(R, 0, 1), 6u);
    QImage M = Source;
    TMirrorFilter Mirror;
    Mirror.Direction = mdLeft;
    Mirror.Apply(M);
    EXPECT_EQ(M.size(), QSize(6, 2));
    EXPECT_EQ(At(M, 0, 0), 3u);
    EXPECT_EQ(At(M, 3, 0), 1u);
    Mirror.Direction = mdDown;
    QImage D = Source;
    Mirror.Apply(D);
    EXPECT_EQ(D.size(), QSize(3, 4));
    EXPECT_EQ(At(D, 0, 2), 4u);

    QImage Turned = Source;
    TRotateFilter Rotate;
    Rotate.SetAngle(90); // counter-clockwise: the right column comes to the top
    Rotate.Apply(Turned);
    EXPECT_EQ(Turned.size(), QSize(2, 3));
    EXPECT_EQ(At(Turned, 0, 0), 3u);
    EXPECT_EQ(At(Turned, 1, 2), 4u);
    QImage Kept = Source;
    Rotate.SetAngle(45);
    Rotate.SetAutoSize(false);
    Rotate.BackColor = clRed;
    Rotate.Apply(Kept);
    EXPECT_EQ(Kept.size(), Source.size());
    EXPECT_EQ(At(Kept, 0, 0), 0xFF0000u);

    QImage Crop = Make({{0x10, 0x20}, {0x30, 0x40}});
    TCropFilter C;
    C.Left = 1;
    C.Width = 5; // cut to the image
    C.Height = 1;
    C.Apply(Crop);
    EXPECT_EQ(At(Crop, 0, 1), 0x20u);
    QImage Big = Source;
    TResizeFilter Size;
    Size.Width = 7;
    Size.Height = 5;
    Size.Apply(Big);
    EXPECT_EQ(Big.size(), QSize(7, 5));
    Size.Width = 0;
    Size.Apply(Big);
    EXPECT_EQ(Big.size(), QSize(7, 5));
}

TEST(PlotFilter, BlockFilters)
{
    QImage M = Make({{0, 30, 90}, {60, 120, 9}});
    TMosaicFilter Mosaic;
    Mosaic.SetAmount(2);
    Mosaic.Apply(M);
    EXPECT_EQ(At(M, 1, 1), 52u); // (0 + 30 + 60 + 120) / 4
    EXPECT_EQ(At(M, 2, 0), 49u); // the last block is what remains
    Mosaic.SetAmount(-1);
    EXPECT_EQ(Mosaic.Amount(), 0);
    Mosaic.Apply(M); // no blocks, no fault

    QImage B = Make({{0x808080, 0x808080, 0x808080},
                     {0x808080, 0x808080, 0x808080},
                     {0x808080, 0x808080, 0x808080}});
    TBevelFilter Bevel;
    Bevel.Size = 1;
    Bevel.Bright = 200;
    Bevel.Apply(B);
    EXPECT_EQ(At(B, 1, 0), 0xFFFFFFu);
    EXPECT_EQ(At(B, 0, 1), 0xFFFFFFu);
    EXPECT_EQ(At(B, 1, 2), 0u);
    EXPECT_EQ(At(B, 2, 1), 0u);
    EXPECT_EQ(At(B, 1, 1), 0x808080u);

    QImage T = Make({{0xFF, 0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF, 0xFF}});
    TTileFilter Tile;
    Tile.SetNumCols(0);
    EXPECT_EQ(Tile.NumCols(), 1);
    Tile.SetNumCols(2);
    Tile.SetNumRows(1);
    Tile.Apply(T);
    EXPECT_EQ(At(T, 3, 1), 0xFFu);

    QImage Z =
        Make({{1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}, {1, 1, 7, 1, 1}, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}});
    TZoomFilter Zoom;
    Zoom.Percent = 80; // the middle pixel stretched over everything
    Zoom.Apply(Z);
    EXPECT_EQ(At(Z, 0, 0), 7u);
}

TEST(PlotFilterItems, KindsInOrderAndCopiesWithTheirSettings)
{
    const auto& Kinds = PlotFilterClasses();
    ASSERT_EQ(Kinds.size(), 21u);
    EXPECT_EQ(Kinds.front().Name, "TInvertFilter");
    EXPECT_EQ(Kinds[9].Name, "TBlurFilter");
    EXPECT_EQ(Kinds.back().Name, "TZoomFilter");
    PlotRegisterFilters({FilterClass<TInvertFilter>()});
    EXPECT_EQ(PlotFilterClasses().size(), 21u);

    TFilterItems Items;
    Items.Add(Kinds[5]); // brightness
    EXPECT_EQ(Items.Item(0).Description(), "TBrightnessFilter");
    Items.Add<TInvertFilter>().SetEnabled(false);
    static_cast<TBrightnessFilter&>(Items.Item(0)).SetAmount(-100);
    TFilterItems Copy;
    Copy.Assign(Items);
    Items.Clear();
    ASSERT_EQ(Copy.Count(), 2);
    QImage I = Make({{0xFFFFFF}});
    Copy.ApplyTo(I); // brightness down to black; the inverter is off
    EXPECT_EQ(At(I, 0, 0), 0u);
}

TEST(PlotPicture, FilteredCopyLeavesTheGraphic)
{
    TPlotPicture P;
    EXPECT_TRUE(P.Filtered().isNull());
    P.SetGraphic(Make({{0x000000}}));
    EXPECT_EQ(P.Filtered().cacheKey(), P.Graphic().cacheKey());
    P.Filters().Add<TInvertFilter>();
    EXPECT_EQ(At(P.Filtered(), 0, 0), 0xFFFFFFu);
    EXPECT_EQ(At(P.Filtered(), 0, 0), 0xFFFFFFu); // refreshed from the graphic each time
    EXPECT_EQ(At(P.Graphic(), 0, 0), 0u);
    TPlotPicture Copy;
    Copy.Assign(P);
    EXPECT_EQ(At(Copy.Filtered(), 0, 0), 0xFFFFFFu);
}

} // namespace
