#include "chart/canvas/PlotResample.h"

#include "platform/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <numbers>

double Lanczos3Filter(double X)
{
    auto Sinc = [](double V) { return V == 0 ? 1.0 : std::sin(V) / V; };
    X = std::abs(X);
    if (X >= 3)
        return 0;
    return Sinc(std::numbers::pi * X) * Sinc(std::numbers::pi * X / 3);
}

double TriangleFilter(double X)
{
    X = std::abs(X);
    return X < 1 ? 1 - X : 0;
}

namespace {

// The source pixels and weights of every destination pixel along one axis.
struct TContributions {
    std::vector<int> First; // index into Pixel/Weight of each destination pixel, and the end
    std::vector<int> Pixel;
    std::vector<int> Weight;
    std::vector<int> Total;
};

TContributions Contributions(int SrcSize, int DstSize, TResampleFilter Filter, double FWidth)
{
    TContributions C;
    C.First.reserve(size_t(DstSize) + 1);
    C.Total.reserve(size_t(DstSize));
    const double Scale = double(DstSize) / SrcSize;
    const double S = Scale < 1 ? Scale : 1.0;
    const double Width = FWidth / S;
    for (int I = 0; I < DstSize; ++I) {
        C.First.push_back(int(C.Pixel.size()));
        const double Centre = I / Scale;
        int Total = 0;
        for (int J = int(std::floor(Centre - Width)); J <= int(std::ceil(Centre + Width)); ++J) {
            const int W = int(Round(Filter((Centre - J) * S) * 1024 * S));
            if (W == 0)
                continue;
            // Mirrored at the edges; a tiny image is narrower than the
            // support, so the mirrored position is kept inside too.
            int P = J < 0 ? -J : (J >= SrcSize ? 2 * SrcSize - 1 - J : J);
            P = std::clamp(P, 0, SrcSize - 1);
            C.Pixel.push_back(P);
            C.Weight.push_back(W);
            Total += W;
        }
        // Every weight rounded away: the nearest pixel stands in.
        if (Total == 0) {
            C.Pixel.push_back(std::clamp(int(Centre), 0, SrcSize - 1));
            C.Weight.push_back(1);
            Total = 1;
        }
        C.Total.push_back(Total);
    }
    C.First.push_back(int(C.Pixel.size()));
    return C;
}

// One output pixel: the weighted sum of Count pixels Stride apart.
inline TRGBX Weighted(const TContributions& C, int I, const TRGBX* Base, ptrdiff_t Stride)
{
    int B = 0, G = 0, R = 0;
    for (int K = C.First[size_t(I)]; K < C.First[size_t(I) + 1]; ++K) {
        const TRGBX& P = Base[C.Pixel[size_t(K)] * Stride];
        const int W = C.Weight[size_t(K)];
        B += W * P.Blue;
        G += W * P.Green;
        R += W * P.Red;
    }
    const int T = C.Total[size_t(I)];
    auto Byte = [T](int V) { return uint8_t(std::clamp(V / T, 0, 255)); };
    return {Byte(B), Byte(G), Byte(R), 0xFF};
}

} // namespace

void SmoothStretch(const QImage& Src, QImage& Dst, TResampleFilter Filter, double FWidth)
{
    if (Src.isNull() || Dst.isNull())
        return;
    PlotMake32Bit(Dst);
    const QImage S = Src.depth() == 32 ? Src : Src.convertToFormat(QImage::Format_RGB32);
    const int SW = S.width(), SH = S.height(), DW = Dst.width(), DH = Dst.height();
    const TContributions Cols = Contributions(SW, DW, Filter, FWidth);
    const TContributions Rows = Contributions(SH, DH, Filter, FWidth);
    std::vector<TRGBX> Work(size_t(DW) * size_t(SH));
    for (int Y = 0; Y < SH; ++Y) {
        const auto* Line = reinterpret_cast<const TRGBX*>(S.constScanLine(Y));
        for (int X = 0; X < DW; ++X)
            Work[size_t(Y) * size_t(DW) + size_t(X)] = Weighted(Cols, X, Line, 1);
    }
    for (int Y = 0; Y < DH; ++Y) {
        auto* Line = reinterpret_cast<TRGBX*>(Dst.scanLine(Y));
        for (int X = 0; X < DW; ++X)
            Line[X] = Weighted(Rows, Y, Work.data() + X, DW);
    }
}

void SmoothStretch(const QImage& Src, QImage& Dst, TSmoothStretchOption Option)
{
    if (Option == ssBestPerformance)
        SmoothStretch(Src, Dst, TriangleFilter, 1.0);
    else
        SmoothStretch(Src, Dst, Lanczos3Filter, 3.0);
}

QImage SmoothBitmap(const QImage& Bitmap, int Width, int Height)
{
    QImage Result(std::max(Width, 0), std::max(Height, 0), QImage::Format_RGB32);
    SmoothStretch(Bitmap, Result);
    return Result;
}

namespace {

constexpr int HLSMAX = 240;
constexpr int RGBMAX = 255;
constexpr int UNDEFINED = HLSMAX * 2 / 3;

int HueToRGB(int N1, int N2, int Hue)
{
    if (Hue < 0)
        Hue += HLSMAX;
    if (Hue > HLSMAX)
        Hue -= HLSMAX;
    if (Hue < HLSMAX / 6)
        return N1 + ((N2 - N1) * Hue + HLSMAX / 12) / (HLSMAX / 6);
    if (Hue < HLSMAX / 2)
        return N2;
    if (Hue < HLSMAX * 2 / 3)
        return N1 + ((N2 - N1) * (HLSMAX * 2 / 3 - Hue) + HLSMAX / 12) / (HLSMAX / 6);
    return N1;
}

} // namespace

void RGBToHLS(COLORREF Color, int& Hue, int& Luminance, int& Saturation)
{
    const int R = GetRValue(Color), G = GetGValue(Color), B = GetBValue(Color);
    const int Max = std::max({R, G, B}), Min = std::min({R, G, B});
    Luminance = ((Max + Min) * HLSMAX + RGBMAX) / (2 * RGBMAX);
    if (Max == Min) {
        Saturation = 0;
        Hue = UNDEFINED;
        return;
    }
    const int Span = Max - Min, Sum = Max + Min;
    if (Luminance <= HLSMAX / 2)
        Saturation = (Span * HLSMAX + Sum / 2) / Sum;
    else
        Saturation = (Span * HLSMAX + (2 * RGBMAX - Sum) / 2) / (2 * RGBMAX - Sum);
    auto Delta = [&](int C) { return ((Max - C) * (HLSMAX / 6) + Span / 2) / Span; };
    if (R == Max)
        Hue = Delta(B) - Delta(G);
    else if (G == Max)
        Hue = HLSMAX / 3 + Delta(R) - Delta(B);
    else
        Hue = 2 * HLSMAX / 3 + Delta(G) - Delta(R);
    if (Hue < 0)
        Hue += HLSMAX;
    if (Hue >= HLSMAX)
        Hue -= HLSMAX;
}

void HLSToRGB(int Hue, int Luminance, int Saturation, TRGB& rgb)
{
    if (Saturation == 0) {
        const auto V = uint8_t(Luminance * RGBMAX / HLSMAX);
        rgb = {V, V, V};
        return;
    }
    const int M2 = Luminance <= HLSMAX / 2
                       ? (Luminance * (HLSMAX + Saturation) + HLSMAX / 2) / HLSMAX
                       : Luminance + Saturation - (Luminance * Saturation + HLSMAX / 2) / HLSMAX;
    const int M1 = 2 * Luminance - M2;
    auto Channel = [&](int H) {
        return uint8_t((HueToRGB(M1, M2, H) * RGBMAX + HLSMAX / 2) / HLSMAX);
    };
    rgb = {Channel(Hue - HLSMAX / 3), Channel(Hue), Channel(Hue + HLSMAX / 3)};
}
