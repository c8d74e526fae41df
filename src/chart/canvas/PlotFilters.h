#pragma once

#include "chart/canvas/PlotPixels.h"

#include <array>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

// Image filters: each works on a rectangle of a 32-bit image in place (a few
// change the image's size), so that pictures, text shadows and turned
// gradients share one set. User-interface thread only.

// The part of the image a filter works on; a width or height of 0 reaches
// the right or bottom edge.
struct TFilterRegion {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    TRect Rectangle() const { return Bounds(Left, Top, Width, Height); }
};

class TPlotFilter {
public:
    virtual ~TPlotFilter() = default;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    // Created on first read.
    TFilterRegion& Region();
    const std::optional<TFilterRegion>& RegionIfAny() const { return FRegion; }
    // Whether the filter honours its region; those that reshape the whole
    // image do not.
    bool AllowRegion() const { return IAllowRegion; }
    // Keeps the collected rows between calls while the image keeps them.
    bool ReuseLines() const { return FReuseLines; }
    void SetReuseLines(bool Value) { FReuseLines = Value; }

    // On the region (or the whole image), kept inside the image.
    void Apply(QImage& Bitmap);
    // On R, in pixels with Right and Bottom inclusive, cut to the image.
    void Apply(QImage& Bitmap, TRect R);
    virtual std::string_view Description() const = 0;
    // A copy of the same kind with every setting.
    virtual std::unique_ptr<TPlotFilter> Clone() const = 0;

protected:
    // R is inside the image and not empty; the image is 32-bit.
    virtual void DoApply(QImage& Bitmap, const TRect& R) = 0;
    // Collects the rows, unless those kept still fit the image.
    void CalcLines(QImage& Bitmap);

    bool IAllowRegion = true;
    TPlotLines Lines;

private:
    // What the rows were collected from: the row addresses follow from the
    // buffer, its stride and the height alone, so a filter kept for another
    // image of the same size must still collect them anew.
    struct TLinesSource {
        const uchar* Bits = nullptr;
        qsizetype Stride = 0;
        QSize Size;
        QImage::Format Format = QImage::Format_Invalid;
        bool operator==(const TLinesSource&) const = default;
    };

    bool FEnabled = true;
    bool FReuseLines = false;
    std::optional<TFilterRegion> FRegion;
    TLinesSource fLinesSource;
};

// Gives each kind its name and copy.
template <class TSelf, class TBase = TPlotFilter> class TFilterKind : public TBase {
public:
    using TBase::TBase;
    std::string_view Description() const override { return TSelf::Name; }
    std::unique_ptr<TPlotFilter> Clone() const override
    {
        return std::make_unique<TSelf>(static_cast<const TSelf&>(*this));
    }
    // Creates a filter of this kind, applies it to the whole image, frees it.
    static void ApplyTo(QImage& Bitmap) { TSelf().Apply(Bitmap); }
};

// One kind of filter as the filter list knows it.
struct TPlotFilterClass {
    std::string_view Name;
    std::unique_ptr<TPlotFilter> (*Create)();
    friend bool operator==(const TPlotFilterClass& A, const TPlotFilterClass& B)
    {
        return A.Name == B.Name;
    }
};

template <class T> TPlotFilterClass FilterClass()
{
    return {T::Name, [] { return std::unique_ptr<TPlotFilter>(std::make_unique<T>()); }};
}

// Every kind known, the built-in ones first in their fixed order.
const std::vector<TPlotFilterClass>& PlotFilterClasses();
// Appends each kind not yet known.
void PlotRegisterFilters(std::initializer_list<TPlotFilterClass> FilterList);

// The ordered filters of a picture.
class TFilterItems {
public:
    TFilterItems() = default;
    TFilterItems(const TFilterItems&) = delete;
    TFilterItems& operator=(const TFilterItems&) = delete;
    TPlotFilter& Add(const TPlotFilterClass& Filter);
    template <class T> T& Add()
    {
        fItems.push_back(std::make_unique<T>());
        return static_cast<T&>(*fItems.back());
    }
    int Count() const { return int(fItems.size()); }
    TPlotFilter& Item(int Index) const { return *fItems.at(size_t(Index)); }
    void Delete(int Index);
    void Clear() { fItems.clear(); }
    // Applies every enabled filter in order.
    void ApplyTo(QImage& Bitmap) const;
    // A copy of each of Source's filters, settings included.
    void Assign(const TFilterItems& Source);

private:
    std::vector<std::unique_ptr<TPlotFilter>> fItems;
};

// A filter with one amount; Percent reads it as percent of the full range.
class TAmountFilter : public TPlotFilter {
public:
    int Amount() const { return FAmount; }
    void SetAmount(int Value) { FAmount = IOnlyPositive ? std::max(Value, 0) : Value; }
    bool Percent() const { return FPercent; }
    void SetPercent(bool Value) { FPercent = Value; }

protected:
    explicit TAmountFilter(int Amount, bool OnlyPositive = false)
        : FAmount(Amount), IOnlyPositive(OnlyPositive)
    {
    }

private:
    int FAmount;
    bool FPercent = true;
    bool IOnlyPositive;
};

// A 3 x 3 convolution: each channel becomes the weighted sum of its pixel
// and the eight around it (the edge pixels repeat outside the image),
// divided by the sum of the weights. Every pixel reads the original
// neighbours, not those already filtered.
class TConvolveFilter : public TPlotFilter {
public:
    // Weights[1 + dy][1 + dx], rows top to bottom.
    using TWeights = std::array<std::array<float, 3>, 3>;
    const TWeights& Weights() const { return FWeights; }

protected:
    explicit TConvolveFilter(const TWeights& W) : FWeights(W) {}
    void DoApply(QImage& Bitmap, const TRect& R) override;
    void Convolve(const TRect& R, int Width, int Height);
    TWeights FWeights;

private:
    std::vector<uint8_t> fPrev, fThis; // original rows of the previous pass
};
