#include "chart/canvas/PlotFilterKinds.h"

#include <algorithm>
#include <cstring>

void PlotMake32Bit(QImage& Bitmap)
{
    if (!Bitmap.isNull() && Bitmap.format() != QImage::Format_RGB32)
        Bitmap.convertTo(QImage::Format_RGB32);
}

void PlotCalcLines(TPlotLines& Lines, QImage& Bitmap)
{
    Lines.resize(size_t(std::max(Bitmap.height(), 0)));
    for (int Y = 0; Y < Bitmap.height(); ++Y)
        Lines[size_t(Y)] = reinterpret_cast<TRGBX*>(Bitmap.scanLine(Y));
}

TFilterRegion& TPlotFilter::Region()
{
    if (!FRegion)
        FRegion.emplace();
    return *FRegion;
}

void TPlotFilter::CalcLines(QImage& Bitmap)
{
    // bits() first: a shared image gets its own buffer before it is compared.
    const TLinesSource Source{Bitmap.bits(), Bitmap.bytesPerLine(), Bitmap.size(), Bitmap.format()};
    if (FReuseLines && Source == fLinesSource)
        return;
    PlotCalcLines(Lines, Bitmap);
    fLinesSource = Source;
}

void TPlotFilter::Apply(QImage& Bitmap)
{
    TRect R{0, 0, Bitmap.width() - 1, Bitmap.height() - 1};
    if (FRegion && IAllowRegion) {
        // A region of width W covers W pixels from its left edge.
        R.Left = FRegion->Left;
        R.Top = FRegion->Top;
        if (FRegion->Width != 0)
            R.Right = std::min(R.Right, FRegion->Left + FRegion->Width - 1);
        if (FRegion->Height != 0)
            R.Bottom = std::min(R.Bottom, FRegion->Top + FRegion->Height - 1);
    }
    Apply(Bitmap, R);
}

void TPlotFilter::Apply(QImage& Bitmap, TRect R)
{
    if (Bitmap.isNull())
        return;
    R.Left = std::max(R.Left, 0);
    R.Top = std::max(R.Top, 0);
    R.Right = std::min(R.Right, Bitmap.width() - 1);
    R.Bottom = std::min(R.Bottom, Bitmap.height() - 1);
    if (R.Left > R.Right || R.Top > R.Bottom)
        return;
    PlotMake32Bit(Bitmap);
    DoApply(Bitmap, R);
}

namespace {

std::vector<TPlotFilterClass>& FilterClassList()
{
    static std::vector<TPlotFilterClass> List;
    return List;
}

} // namespace

void PlotRegisterFilters(std::initializer_list<TPlotFilterClass> FilterList)
{
    auto& List = FilterClassList();
    for (const TPlotFilterClass& C : FilterList)
        if (std::find(List.begin(), List.end(), C) == List.end())
            List.push_back(C);
}

const std::vector<TPlotFilterClass>& PlotFilterClasses()
{
    static const bool Registered = [] {
        PlotRegisterFilters({FilterClass<TInvertFilter>(),    FilterClass<TGrayScaleFilter>(),
                             FilterClass<TMosaicFilter>(),    FilterClass<TFlipFilter>(),
                             FilterClass<TReverseFilter>(),   FilterClass<TBrightnessFilter>(),
                             FilterClass<TContrastFilter>(),  FilterClass<TColorFilter>(),
                             FilterClass<THueLumSatFilter>(), FilterClass<TBlurFilter>(),
                             FilterClass<TSharpenFilter>(),   FilterClass<TGammaCorrectionFilter>(),
                             FilterClass<TEmbossFilter>(),    FilterClass<TSoftenFilter>(),
                             FilterClass<TCropFilter>(),      FilterClass<TResizeFilter>(),
                             FilterClass<TRotateFilter>(),    FilterClass<TMirrorFilter>(),
                             FilterClass<TTileFilter>(),      FilterClass<TBevelFilter>(),
                             FilterClass<TZoomFilter>()});
        return true;
    }();
    (void)Registered;
    return FilterClassList();
}

TPlotFilter& TFilterItems::Add(const TPlotFilterClass& Filter)
{
    fItems.push_back(Filter.Create());
    return *fItems.back();
}

void TFilterItems::Delete(int Index)
{
    fItems.erase(fItems.begin() + Index);
}

void TFilterItems::ApplyTo(QImage& Bitmap) const
{
    for (const auto& F : fItems)
        if (F->Enabled())
            F->Apply(Bitmap);
}

void TFilterItems::Assign(const TFilterItems& Source)
{
    if (&Source == this)
        return;
    fItems.clear();
    for (const auto& F : Source.fItems)
        fItems.push_back(F->Clone());
}

void TConvolveFilter::DoApply(QImage& Bitmap, const TRect& R)
{
    CalcLines(Bitmap);
    Convolve(R, Bitmap.width(), Bitmap.height());
}

namespace {

using TKernel = std::array<std::array<float, 3>, 3>;

// Bytes From..To of a row from the rows above (P), at (T) and below (N), the
// left and right neighbours L and Rt bytes away (0 at the image's edges).
inline void ConvolveRun(const TKernel& K, const uint8_t* __restrict P, const uint8_t* __restrict T,
                        const uint8_t* __restrict N, uint8_t* __restrict Out, int From, int To,
                        int L, int Rt)
{
    const float K00 = K[0][0], K01 = K[0][1], K02 = K[0][2];
    const float K10 = K[1][0], K11 = K[1][1], K12 = K[1][2];
    const float K20 = K[2][0], K21 = K[2][1], K22 = K[2][2];
    for (int I = From; I < To; ++I)
        Out[I] = PlotClampByte(K00 * P[I + L] + K01 * P[I] + K02 * P[I + Rt] + K10 * T[I + L] +
                               K11 * T[I] + K12 * T[I + Rt] + K20 * N[I + L] + K21 * N[I] +
                               K22 * N[I + Rt]);
}

} // namespace

void TConvolveFilter::Convolve(const TRect& R, int Width, int Height)
{
    float Sum = 0;
    for (const auto& Row : FWeights)
        for (float W : Row)
            Sum += W;
    // Weights that cancel out would divide by zero: they are taken as they are.
    const float Inv = Sum == 0 ? 1.0f : 1.0f / Sum;
    TKernel K = FWeights;
    for (auto& Row : K)
        for (float& W : Row)
            W *= Inv;
    const size_t RowBytes = size_t(Width) * 4;
    fPrev.resize(RowBytes);
    fThis.resize(RowBytes);
    std::memcpy(fPrev.data(), Lines[size_t(std::max(R.Top - 1, 0))], RowBytes);
    const int Inner0 = std::max(R.Left, 1), Inner1 = std::min(R.Right, Width - 2);
    for (int Y = R.Top; Y <= R.Bottom; ++Y) {
        auto* Out = reinterpret_cast<uint8_t*>(Lines[size_t(Y)]);
        std::memcpy(fThis.data(), Out, RowBytes);
        const uint8_t* Above = Y == 0 ? fThis.data() : fPrev.data();
        const uint8_t* Below =
            Y + 1 < Height ? reinterpret_cast<const uint8_t*>(Lines[size_t(Y + 1)]) : fThis.data();
        const uint8_t* At = fThis.data();
        if (R.Left == 0)
            ConvolveRun(K, Above, At, Below, Out, 0, 4, 0, Width > 1 ? 4 : 0);
        if (Inner0 <= Inner1)
            ConvolveRun(K, Above, At, Below, Out, 4 * Inner0, 4 * (Inner1 + 1), -4, 4);
        if (R.Right == Width - 1 && Width > 1)
            ConvolveRun(K, Above, At, Below, Out, 4 * (Width - 1), 4 * Width, -4, 0);
        for (int X = R.Left; X <= R.Right; ++X)
            Out[4 * X + 3] = 0xFF;
        std::swap(fPrev, fThis);
    }
}
