#pragma once

#include "chart/core/PlotUnits.h"
#include "chart/series/SeriesPointer.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

// What a mark shows.
enum TSeriesMarksStyle : uint8_t {
    smsValue,
    smsPercent,
    smsLabel,
    smsLabelPercent,
    smsLabelValue,
    smsLegend,
    smsPercentTotal,
    smsLabelPercentTotal,
    smsXValue,
    smsXY,
    smsSeriesTitle,
    smsPointIndex,
    smsPercentRelative
};

// Where one mark was drawn: its rectangle and the arrow from the point
// (ArrowFrom) to the mark (ArrowTo). Custom positions were placed by the
// user and are kept instead of being computed.
struct TSeriesMarkPosition {
    TPoint ArrowFrom;
    bool ArrowFix = false;
    TPoint ArrowTo;
    bool Custom = false;
    int32_t Height = 0;
    TPoint LeftTop;
    int32_t Width = 0;
    TPoint MidPoint;
    bool HasMid = false;

    TRect Bounds() const { return {LeftTop.X, LeftTop.Y, LeftTop.X + Width, LeftTop.Y + Height}; }
};

// Entries follow the points: a deleted point takes its entry with it.
template <class T> class TPerPoint {
public:
    // Nullptr when point Index has no entry.
    T* At(int32_t Index)
    {
        return Index >= 0 && Index < int32_t(fItems.size()) && fItems[size_t(Index)]
                   ? &*fItems[size_t(Index)]
                   : nullptr;
    }
    T& Item(int32_t Index)
    {
        if (Index >= int32_t(fItems.size()))
            fItems.resize(size_t(Index) + 1);
        auto& Slot = fItems[size_t(Index)];
        if (!Slot)
            Slot.emplace();
        return *Slot;
    }
    void Delete(int32_t Start, int32_t Quantity)
    {
        const auto End = std::min<size_t>(fItems.size(), size_t(Start) + size_t(Quantity));
        if (size_t(Start) < End)
            fItems.erase(fItems.begin() + Start, fItems.begin() + std::ptrdiff_t(End));
    }
    void Clear() { fItems.clear(); }
    int32_t Count() const { return int32_t(fItems.size()); }
    template <class F> bool Any(F Pred) const
    {
        for (const auto& I : fItems)
            if (I && Pred(*I))
                return true;
        return false;
    }

private:
    std::vector<std::optional<T>> fItems;
};

using TSeriesMarksPositions = TPerPoint<TSeriesMarkPosition>;

// A per-point override of the mark: its own text, or hidden.
struct TMarksItem {
    std::string Text;
    bool Visible = true;
};

// Padding around a mark's text, in pixels or in percent of the text height.
struct TMargins {
    int Left = 20;
    int Top = 0;
    int Right = 20;
    int Bottom = 0;
    TPlotUnits Units = muPercent;
    // The padded size of a text TextW x TextH pixels.
    TSize Padded(int TextW, int TextH) const;
    // Where the text starts inside the padded rectangle.
    TPoint Offset(int TextH) const;
};

// The legend symbol of a point drawn inside its mark, left of the text, a
// line of the text high: the series' legend shape in the point's colour.
// Hidden unless shown.
class TSeriesMarksSymbol : public TPlotCustomShape {
public:
    TSeriesMarksSymbol() : TPlotCustomShape(nullptr) { SetVisible(false); }
    void SetParentChart(TCustomPlotPanel* Value) { FParent = Value; }
};

// Where a mark's text breaks into lines; the marks take a carriage return
// the same way.
constexpr char MarkLineBreak = '\n';

// The text labels of a series' points. Hidden unless shown; the series
// computes the texts and positions, the marks draw and hit-test them.
class TSeriesMarks : public TPlotCustomShape {
public:
    explicit TSeriesMarks(TChartSeries* ASeries);

    void SetParentChart(TCustomPlotPanel* Value);
    TChartSeries* Series() const { return FSeries; }
    int Angle() const { return FAngle; }
    void SetAngle(int Value) { SetProperty(FAngle, Value); }
    TMarksCallout& Callout() { return FCallout; }
    TWhitePen& Arrow() { return FCallout.Arrow(); }
    int ArrowLength() const { return FCallout.Length(); }
    void SetArrowLength(int Value) { FCallout.SetLength(Value); }
    bool Clip() const { return FClip; }
    void SetClip(bool Value) { SetProperty(FClip, Value); }
    int DrawEvery() const { return FDrawEvery; }
    // Every n-th point; below 1 means every point.
    void SetDrawEvery(int Value) { SetProperty(FDrawEvery, std::max(1, Value)); }
    TSeriesMarksStyle Style() const { return FMarkerStyle; }
    void SetStyle(TSeriesMarksStyle Value) { SetProperty(FMarkerStyle, Value); }
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value) { SetProperty(FMultiLine, Value); }
    TAlignment TextAlign() const { return FTextAlign; }
    void SetTextAlign(TAlignment Value) { SetProperty(FTextAlign, Value); }
    bool FontSeriesColor() const { return FFontSeriesColor; }
    void SetFontSeriesColor(bool Value) { SetProperty(FFontSeriesColor, Value); }
    int ZPosition() const { return FZPosition; }
    TMargins& Margins() { return FMargins; }
    TSeriesMarksPositions& Positions() { return FPositions; }
    TPerPoint<TMarksItem>& Items() { return FItems; }
    TSeriesMarksSymbol& Symbol() { return FSymbol; }

    // The points' entries follow the series.
    void Clear();
    void Delete(int32_t ValueIndex) { Delete(ValueIndex, 1); }
    void Delete(int32_t Start, int32_t Quantity);
    bool ExistCustom() const;

    // The rectangle and arrow of the mark of Text at the point (X, Y).
    TSeriesMarkPosition CalculateMarkPosition(int X, int Y, const std::string& Text, bool Vertical);
    // The mark of point ValueIndex (its legend symbol needs the index).
    void DrawItem(const TSeriesMarkPosition& Position, const std::string& Text, TColor PointColor,
                  int32_t ValueIndex = -1);
    // The index of the drawn mark at (X, Y), else -1.
    int32_t Clicked(int X, int Y);

private:
    std::vector<std::string> Lines(const std::string& Text) const;
    TSize TextSize(TCanvas3D& C, const std::vector<std::string>& Lines);
    // The room the legend symbol takes left of text lines LineH high.
    int SymbolRoom(int LineH) const;
    void DrawSymbol(TCanvas3D& C, int Left, int Top, int LineH, TColor PointColor,
                    int32_t ValueIndex);

    int FAngle = 0;
    TMarksCallout FCallout;
    bool FClip = false;
    int FDrawEvery = 1;
    TPerPoint<TMarksItem> FItems;
    TMargins FMargins;
    TSeriesMarksStyle FMarkerStyle = smsLabel;
    bool FMultiLine = false;
    TChartSeries* FSeries;
    TSeriesMarksPositions FPositions;
    TAlignment FTextAlign = taCenter;
    int FZPosition = 0;
    bool FFontSeriesColor = false;
    TSeriesMarksSymbol FSymbol;
};
