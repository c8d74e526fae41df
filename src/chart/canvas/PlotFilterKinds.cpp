#include "chart/canvas/PlotFilterKinds.h"
#include "chart/canvas/PlotResample.h"
#include "platform/SysUtils.h"

#include <cmath>

namespace {

template <class F> void EachPixel(const TPlotLines& Lines, const TRect& R, F&& Fn)
{
    for (int Y = R.Top; Y <= R.Bottom; ++Y) {
        TRGBX* Line = Lines[size_t(Y)];
        for (int X = R.Left; X <= R.Right; ++X)
            Fn(Line[X]);
    }
}

uint8_t Clamp255(int V)
{
    return uint8_t(std::clamp(V, 0, 255));
}

// Every channel through one table.
void MapChannels(const TPlotLines& Lines, const TRect& R, const std::array<uint8_t, 256>& Table)
{
    EachPixel(Lines, R, [&](TRGBX& P) {
        P.Blue = Table[P.Blue];
        P.Green = Table[P.Green];
        P.Red = Table[P.Red];
    });
}

template <class F> std::array<uint8_t, 256> ChannelTable(F&& Fn)
{
    std::array<uint8_t, 256> T{};
    for (int I = 0; I < 256; ++I)
        T[size_t(I)] = Clamp255(Fn(I));
    return T;
}

} // namespace

void TInvertFilter::DoApply(QImage& Bitmap, const TRect& R)
{
    CalcLines(Bitmap);
    MapChannels(Lines, R, ChannelTable([](int C) { return 255 - C; }));
}

void TGrayScaleFilter::DoApply(QImage& Bitmap, const TRect& R)
{
    CalcLines(Bitmap);
    EachPixel(Lines, R, [&](TRGBX& P) {
        int V;
        if (Method == gmSimple)
            V = (P.Red + P.Green + P.Blue) / 3;
        else if (Method == gmEye)
            V = int(Round(0.3 * P.Red + 0.59 * P.Green + 0.11 * P.Blue));
        else
            V = (11 * P.Red + 16 * P.Green + 5 * P.Blue) >> 5;
        P.Red = P.Green = P.Blue = Clamp255(V);
    });
}

void TMosaicFilter::DoApply(QImage& Bitmap, const TRect& R)
{
    const int Size = Amount();
    if (Size < 1)
        return;
    CalcLines(Bitmap);
    for (int Y0 = R.Top; Y0 <= R.Bottom; Y0 += Size)
        for (int X0 = R.Left; X0 <= R.Right; X0 += Size) {
            const TRect Block{X0, Y0, std::min(X0 + Size - 1, R.Right),
                              std::min(Y0 + Size - 1, R.Bottom)};
            int B = 0, G = 0, Rd = 0;
            EachPixel(Lines, Block, [&](TRGBX& P) {
                B += P.Blue;
                G += P.Green;
                Rd += P.Red;
            });
            const int N = (Block.Right - X0 + 1) * (Block.Bottom - Y0 + 1);
            const TRGBX Mean{uint8_t(B / N), uint8_t(G / N), uint8_t(Rd / N), 0xFF};
            EachPixel(Lines, Block, [&](TRGBX& P) { P = Mean; });
        }
}

void TFlipFilter::DoApply(QImage& Bitmap, const TRect& R)
{
    CalcLines(Bitmap);
    for (int A = R.Top, B = R.Bottom; A < B; ++A, --B)
        std::swap_ranges(Lines[size_t(A)] + R.Left, Lines[size_t(A)] + R.Right + 1,
                         Lines[size_t(B)] + R.Left);
}

void TReverseFilter::DoApply(QImage& Bitmap, const TRect& R)
{
    CalcLines(Bitmap);
    for (int Y = R.Top; Y <= R.Bottom; ++Y)
        std::reverse(Lines[size_t(Y)] + R.Left, Lines[size_t(Y)] + R.Right + 1);
}

void TBrightnessFilter::DoApply(QImage& Bitmap, const TRect& R)
{
    const int Add = Percent() ? int(Round(255 * Amount() * 0.01)) : Amount();
    if (Add == 0)
        return;
    CalcLines(Bitmap);
    MapChannels(Lines, R, ChannelTable([Add](int C) { return C + Add; }));
}

void TContrastFilter::DoApply(QImage& Bitmap, const TRect& R)
{
    const int Scale = Percent() ? 100 : 255;
    CalcLines(Bitmap);
    MapChannels(Lines, R, ChannelTable([&](int C) {
                    return C + int(Round((C - 128) * double(Amount()) / Scale));
                }));
}

void TColorFilter::DoApply(QImage& Bitmap, const TRect& R)
{
    CalcLines(Bitmap);
    const auto TB = ChannelTable([&](int C) { return C + Blue; });
    const auto TG = ChannelTable([&](int C) { return C + Green; });
    const auto TR = ChannelTable([&](int C) { return C + Red; });
    EachPixel(Lines, R, [&](TRGBX& P) {
        P.Blue = TB[P.Blue];
        P.Green = TG[P.Green];
        P.Red = TR[P.Red];
    });
}

void THueLumSatFilter::DoApply(QImage& Bitmap, const TRect& R)
{
    if (Hue == 0 && Luminance == 0 && Saturation == 0)
        return;
    CalcLines(Bitmap);
    // Luminance and saturation stay on the model's scale of 240: beyond it
    // the conversion back overflows a byte.
    EachPixel(Lines, R, [&](TRGBX& P) {
        int H, L, S;
        RGBToHLS(RGB(P.Red, P.Green, P.Blue), H, L, S);
        H = ((H + Hue) % 240 + 240) % 240;
        L = std::clamp(L + Luminance, 0, 240);
        S = std::clamp(S + Saturation, 0, 240);
        TRGB C;
        HLSToRGB(H, L, S, C);
        P = {C.Blue, C.Green, C.Red, 0xFF};
    });
}

TBlurFilter::TBlurFilter() : TFilterKind(TWeights{{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}}) {}

void TBlurFilter::SetAmount(int Value)
{
    FAmount = Value;
    FWeights[1][1] = float(Value);
}

void TBlurFilter::DoApply(QImage& Bitmap, const TRect& R)
{
    CalcLines(Bitmap);
    for (int I = 0; I < Steps; ++I)
        Convolve(R, Bitmap.width(), Bitmap.height());
}

TSharpenFilter::TSharpenFilter()
    : TFilterKind(TWeights{
          {{-0.125f, -0.125f, -0.125f}, {-0.125f, 2.0f, -0.125f}, {-0.125f, -0.125f, -0.125f}}})
{
}

void TGammaCorrectionFilter::DoApply(QImage& Bitmap, const TRect& R)
{
    const double G = std::max(std::abs(Amount()) * 0.01, 0.001);
    CalcLines(Bitmap);
    MapChannels(Lines, R, ChannelTable([G](int C) {
                    return C == 0 ? 0 : int(Round(255 * std::pow(C / 255.0, 1 / G)));
                }));
}

TEmbossFilter::TEmbossFilter() : TFilterKind(TWeights{{{0, -1, 0}, {-1, 1, 1}, {0, -1, 0}}}) {}

TSoftenFilter::TSoftenFilter() : TFilterKind(TWeights{{{0, 0, 0}, {0, 1, 1}, {0, 1, 1}}}) {}
