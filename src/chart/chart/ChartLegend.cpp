#include "chart/chart/ChartLegend.h"

#include "chart/axes/ChartAxisParts.h"
#include "chart/canvas/PlotCheckBox.h"
#include "chart/chart/Chart.h"
#include "chart/core/PlotConst.h"

#include <algorithm>
#include <numeric>

namespace {
// Pixels between the frame and the rows, and between a row's parts.
constexpr int LegendPadding = 2;
constexpr int LegendGap = 4;
// Pixels left between the legend and the chart rectangle it shrinks.
constexpr int LegendChartMargin = 5;
constexpr int CheckBoxSize = 13;
} // namespace

TLegendSymbol::TLegendSymbol(TCustomChartLegend& ALegend)
    : FLegend(ALegend), FGradient([this](TGraphicsObject*) { FLegend.Repaint(); }),
      FPen([this](TGraphicsObject*) { FLegend.Repaint(); }),
      FShadow([this](TGraphicsObject*) { FLegend.Repaint(); })
{
    FShadow.SetSize(3);
}

void TLegendSymbol::Draw(TCanvas3D& C, TChartSeries& Series, int ValueIndex, TColor Color,
                         const TRect& R)
{
    if (OnDraw) {
        OnDraw(Series, ValueIndex, R);
        return;
    }
    if (FShadow.Visible())
        FShadow.Draw(C, R);
    Series.PrepareLegendCanvas(C, ValueIndex, Color);
    if (!FDefaultPen) {
        C.AssignVisiblePen(FPen);
        if (ISeriesHost* Chart = Series.ParentChart())
            Chart->LegendPen().Assign(FPen);
    }
    Series.DrawLegendShape(C, ValueIndex, R);
}

TLegendTitle::TLegendTitle(TCustomPlotPanel* AParent) : TPlotCustomShape(AParent)
{
    SetTransparent(true);
}

TCustomChartLegend::TCustomChartLegend(TCustomPlotPanel* AParent, TCustomChart* AChart)
    : TPlotCustomShapePosition(AParent), FDividingLines([this](TGraphicsObject*) { Repaint(); }),
      FSymbol(*this), FTitle(AParent), FChart(AChart)
{
}

void TCustomChartLegend::PlotEvent(TPlotEvent& Event)
{
    const auto* E = dynamic_cast<const TPlotSeriesEvent*>(&Event);
    if (!E || E->Event != seRemove)
        return;
    IRemovedInDrawing = true;
    if (FSeries == E->Series)
        FSeries = nullptr;
    for (size_t I = FRows.size(); I-- > 0;)
        if (FRows[I].Series == E->Series) {
            FRows.erase(FRows.begin() + long(I));
            FItems.erase(FItems.begin() + long(I));
            if (I < FRowRects.size())
                FRowRects.erase(FRowRects.begin() + long(I));
        }
}

void TCustomChartLegend::SetFirstValue(int Value)
{
    if (Value < 0)
        throw ChartException(PlotConst::PlotMsg_LegendFirstValue);
    SetProperty(FFirstValue, Value);
}

bool TCustomChartLegend::ShouldDraw() const
{
    if (!Visible() || !FChart)
        return false;
    if (FCheckBoxes && FLegendStyle != lsValues)
        return true;
    for (int I = 0; I < FChart->SeriesCount(); ++I)
        if (FChart->Series(I).Active())
            return true;
    return false;
}

void TCustomChartLegend::CalcLegendStyle()
{
    FInternalLegendStyle = FLegendStyle;
    if (FLegendStyle != lsAuto)
        return;
    int Active = 0;
    for (int I = 0; FChart && I < FChart->SeriesCount(); ++I)
        Active += FChart->Series(I).Active();
    FInternalLegendStyle = !FCheckBoxes && Active < 2 ? lsValues : lsSeries;
}

TChartSeries* TCustomChartLegend::GetLegendSeries() const
{
    if (FSeries)
        return FSeries;
    for (int I = 0; FChart && I < FChart->SeriesCount(); ++I) {
        TChartSeries& S = FChart->Series(I);
        if (S.Active() && S.ShowInLegend())
            return &S;
    }
    return nullptr;
}

std::string TCustomChartLegend::FormattedValue(const TChartSeries& ASeries, int LegendIndex) const
{
    if (LegendIndex < 0)
        return {};
    std::string Text = ASeries.LegendString(LegendIndex, FTextStyle);
    std::replace(Text.begin(), Text.end(), PlotColumnSeparator, ' ');
    return Text;
}

std::string TCustomChartLegend::FormattedLegend(int ItemIndex) const
{
    if (ItemIndex < 0 || ItemIndex >= int(FItems.size()))
        return {};
    return FItems[size_t(ItemIndex)].Text;
}

std::vector<TCustomChartLegend::TRow> TCustomChartLegend::CandidateRows() const
{
    std::vector<TRow> Rows;
    if (!FChart)
        return Rows;
    if (FInternalLegendStyle == lsValues) {
        if (TChartSeries* S = GetLegendSeries())
            for (int I = FFirstValue; I < S->CountLegendItems(); ++I)
                Rows.push_back({S, I});
        return Rows;
    }
    if (FInternalLegendStyle == lsSeriesGroups)
        return Rows;
    for (int I = 0; I < FChart->SeriesCount(); ++I) {
        TChartSeries& S = FChart->Series(I);
        // With check boxes an inactive series keeps its row, so that it can
        // be switched on again.
        if (!S.ShowInLegend() || !(S.Active() || ChecksShown()))
            continue;
        if (FInternalLegendStyle == lsSeries)
            Rows.push_back({&S, -1});
        else if (S.CountLegendItems() > 0)
            Rows.push_back({&S, S.CountLegendItems() - 1});
    }
    return Rows;
}

int TCustomChartLegend::SymbolWidth(int WidestText) const
{
    if (!FSymbol.Visible())
        return 0;
    if (FSymbol.WidthUnits() == lcsPixels)
        return FSymbol.Width();
    return WidestText * FSymbol.Width() / 100;
}

void TCustomChartLegend::MeasureHeights(TCanvas3D& C)
{
    IDrawTitle = FTitle.Visible() && !FTitle.Text().empty();
    FTitleHeight = 0;
    if (IDrawTitle) {
        C.AssignFont(FTitle.Font());
        FTitleHeight = C.GetFontHeight() * int(FTitle.Text().size());
    }
    C.AssignFont(Font());
    FLineHeight = C.GetFontHeight();
    FRowHeight = std::max(1, FLineHeight + FVertSpacing);
    FCheckWidth = ChecksShown() ? CheckBoxSize + LegendGap : 0;
}

TLegendColumns TCustomChartLegend::ChooseColumns(int Total, const TRect& ChartRect,
                                                 const std::function<int(int)>& TextWidth)
{
    const auto ItemWidth = [&](int I) {
        return FCheckWidth + (IColorWidth > 0 ? IColorWidth + LegendGap : 0) + TextWidth(I);
    };
    const auto Widest = [&](int Shown) {
        int W = 0;
        for (int I = 0; I < Shown; ++I)
            W = std::max(W, TextWidth(I));
        return W;
    };
    if (FAlignment == laLeft || FAlignment == laRight) {
        // One column, as many rows as the chart's height holds.
        const int VPad = LegendPadding + FVertMargin;
        const int Room = ChartRect.Height() - FTopLeftPos - 2 * VPad - FTitleHeight;
        TLegendColumns L;
        L.Shown = L.NumRows = std::clamp(Room / FRowHeight, 0, Total);
        IColorWidth = SymbolWidth(Widest(L.Shown));
        L.Widths.assign(1, 0);
        for (int I = 0; I < L.Shown; ++I)
            L.Widths[0] = std::max(L.Widths[0], ItemWidth(I));
        return L;
    }
    // Rows of several columns: a symbol in percent takes its share of the
    // widest text that a layout without symbols shows.
    const int Room = ChartRect.Width() - FTopLeftPos - 2 * (LegendPadding + FHorizMargin);
    IColorWidth = SymbolWidth(0);
    if (FSymbol.Visible() && FSymbol.WidthUnits() == lcsPercent) {
        const auto Bare = [&](int I) { return FCheckWidth + TextWidth(I); };
        IColorWidth = SymbolWidth(Widest(LegendColumns(Total, Room, FMaxNumRows, Bare).Shown));
    }
    return LegendColumns(Total, Room, FMaxNumRows, ItemWidth);
}

void TCustomChartLegend::LayOut(const std::vector<TRow>& Candidates, const TRect& ChartRect)
{
    TCanvas3D& C = FParent->Canvas();
    MeasureHeights(C);
    // Texts are made and measured only for the rows a layout may show.
    const int Total = int(Candidates.size());
    std::vector<std::string> Texts(static_cast<size_t>(Total));
    std::vector<int> TextWidths(static_cast<size_t>(Total), -1);
    const bool Html = TextFormat() == ttfHtml;
    int MostLines = 1;
    const auto TextWidth = [&](int I) {
        int& W = TextWidths[size_t(I)];
        if (IRemovedInDrawing)
            return 0;
        if (W < 0) {
            const TRow& R = Candidates[size_t(I)];
            std::string& T = Texts[size_t(I)];
            T = R.LegendIndex < 0 ? R.Series->Title() : FormattedValue(*R.Series, R.LegendIndex);
            if (FChart->OnGetLegendText)
                FChart->OnGetLegendText(FChart, FInternalLegendStyle, I, T);
            int Lines = 1;
            W = Html ? LineWidth(C, T, true) : FChart->MultiLineTextWidth(T, Lines);
            if (!ColumnWidthAuto)
                W = ColumnWidths[0] + ColumnWidths[1];
            MostLines = std::max(MostLines, Lines);
        }
        return W;
    };
    TLegendColumns Columns = ChooseColumns(Total, ChartRect, TextWidth);
    // A text of several lines makes every row as high: fewer may fit.
    if (MostLines > 1) {
        FRowHeight = MostLines * FLineHeight + FVertSpacing;
        Columns = ChooseColumns(Total, ChartRect, TextWidth);
    }
    const int Shown = Columns.Shown;
    FNumCols = Columns.NumCols;
    FNumRows = Columns.NumRows;
    FColWidths = std::move(Columns.Widths);
    const int First = FInternalLegendStyle == lsValues ? FFirstValue : 0;
    ILastValue = First + Shown - 1;
    FRows.assign(Candidates.begin(), Candidates.begin() + Shown);
    FItems.clear();
    for (int I = 0; I < Shown; ++I) {
        TextWidth(I);
        FItems.push_back({taLeftJustify, 0, {}, std::move(Texts[size_t(I)]), {}, 0});
    }
    if (DropRowsIfRemoved())
        return;
    if (FInverted) {
        std::reverse(FRows.begin(), FRows.end());
        std::reverse(FItems.begin(), FItems.end());
    }
}

void TCustomChartLegend::Place(TRect& ChartRect)
{
    const int HPad = LegendPadding + FHorizMargin, VPad = LegendPadding + FVertMargin;
    const bool Vertical = FAlignment == laLeft || FAlignment == laRight;
    int W = std::accumulate(FColWidths.begin(), FColWidths.end(), 0) + 2 * HPad;
    int H = FTitleHeight + FNumRows * FRowHeight + 2 * VPad;
    if (OnCalcSize)
        OnCalcSize(*this, Vertical ? W : H);

    TRect& B = ShapeBounds;
    if (CustomPosition() && FPosUnits == muPercent)
        B = Bounds(FParent->Width() * FLeftPercent / 100, FParent->Height() * FTopPercent / 100, W,
                   H);
    else if (CustomPosition())
        B = Bounds(B.Left, B.Top, W, H);
    else if (Vertical)
        B = Bounds(FAlignment == laLeft ? ChartRect.Left : ChartRect.Right - W,
                   ChartRect.Top + FTopLeftPos, W, H);
    else
        B = Bounds(ChartRect.Left + FTopLeftPos,
                   FAlignment == laTop ? ChartRect.Top : ChartRect.Bottom - H, W, H);
    if (FChart->OnGetLegendRect)
        FChart->OnGetLegendRect(FChart, B);
    if (!CustomPosition() && FResizeChart)
        switch (FAlignment) {
        case laLeft:
            ChartRect.Left = B.Right + LegendChartMargin;
            break;
        case laRight:
            ChartRect.Right = B.Left - LegendChartMargin;
            break;
        case laTop:
            ChartRect.Top = B.Bottom + LegendChartMargin;
            break;
        case laBottom:
            ChartRect.Bottom = B.Top - LegendChartMargin;
            break;
        }

    FRowRects.clear();
    for (size_t I = 0; I < FItems.size(); ++I) {
        const size_t Col = I % size_t(FNumCols);
        const int Left =
            B.Left + HPad + std::accumulate(FColWidths.begin(), FColWidths.begin() + long(Col), 0);
        const int Top = B.Top + VPad + FTitleHeight + int(I / size_t(FNumCols)) * FRowHeight;
        TRect Row = Bounds(Left, Top, FColWidths[Col], FRowHeight);
        TLegendItem& Item = FItems[I];
        Item.Top = Top;
        Item.Left = Row.Left + FCheckWidth;
        if (IColorWidth > 0) {
            const int Inset = FSymbol.Continuous() ? 0 : 1;
            const int SymbolW =
                FSymbol.Squared() ? std::min(IColorWidth, FRowHeight - 2 * Inset) : IColorWidth;
            const int SymbolLeft = FSymbol.Position() == spLeft ? Item.Left : Row.Right - SymbolW;
            Item.Symbol = {SymbolLeft, Top + Inset, SymbolLeft + SymbolW, Top + FRowHeight - Inset};
            if (FSymbol.Position() == spLeft)
                Item.Left += IColorWidth + LegendGap;
        }
        if (FChart->OnGetLegendPos) {
            // The row follows its text; the symbol goes to XColor.
            int X = Item.Left, Y = Item.Top, XColor = Item.Symbol.Left;
            FChart->OnGetLegendPos(FChart, int(I), X, Y, XColor);
            if (DropRowsIfRemoved())
                return;
            const int DX = X - Item.Left, DY = Y - Item.Top;
            Row = {Row.Left + DX, Row.Top + DY, Row.Right + DX, Row.Bottom + DY};
            Item.Symbol = {XColor, Item.Symbol.Top + DY, XColor + Item.Symbol.Width(),
                           Item.Symbol.Bottom + DY};
            Item.Left = X;
            Item.Top = Y;
        }
        FRowRects.push_back(Row);
    }
}

bool TCustomChartLegend::DropRowsIfRemoved()
{
    if (!IRemovedInDrawing)
        return false;
    FRows.clear();
    FItems.clear();
    FRowRects.clear();
    FChart->Invalidate();
    return true;
}

int TCustomChartLegend::Clicked(int X, int Y) const
{
    if (!Visible() || !PointInRect(ShapeBounds, X, Y))
        return -1;
    for (size_t I = 0; I < FRowRects.size(); ++I)
        if (PointInRect(FRowRects[I], X, Y))
            return int(I);
    return -1;
}

bool TCustomChartLegend::DoMouseDown(int ItemIndex)
{
    if (!ChecksShown() || ItemIndex < 0 || ItemIndex >= int(FRows.size()))
        return false;
    TChartSeries* Target = FRows[size_t(ItemIndex)].Series;
    if (FCheckBoxesStyle == cbsRadio)
        for (const TRow& R : FRows)
            R.Series->SetActive(R.Series == Target);
    else
        Target->SetActive(!Target->Active());
    return true;
}

void TCustomChartLegend::DrawTitle()
{
    if (!IDrawTitle)
        return;
    const int HPad = LegendPadding + FHorizMargin, VPad = LegendPadding + FVertMargin;
    FTitle.ShapeBounds = {ShapeBounds.Left + HPad, ShapeBounds.Top + VPad, ShapeBounds.Right - HPad,
                          ShapeBounds.Top + VPad + FTitleHeight};
    FTitle.Draw();
    TCanvas3D& C = FParent->Canvas();
    C.AssignFont(FTitle.Font());
    DrawAlignedLines(C, FTitle.Text(), FTitle.ShapeBounds, FTitle.TextAlign(), 0, C.GetFontHeight(),
                     FTitle.TextFormat() == ttfHtml);
}

void TCustomChartLegend::DrawRows()
{
    TCanvas3D& C = FParent->Canvas();
    for (size_t I = 0; I < FItems.size(); ++I) {
        const TRow& Row = FRows[I];
        const TLegendItem& Item = FItems[I];
        const TRect& RowRect = FRowRects[I];
        const int ValueIndex =
            Row.LegendIndex < 0 ? -1 : Row.Series->LegendToValueIndex(Row.LegendIndex);
        const TColor RowColor = Row.LegendIndex < 0 ? Row.Series->SeriesColor()
                                                    : Row.Series->LegendItemColor(Row.LegendIndex);
        if (FCheckWidth > 0 && C.ReferenceCanvas())
            PlotDrawCheckBox(RowRect.Left, RowRect.Top + (FRowHeight - CheckBoxSize) / 2,
                             *C.ReferenceCanvas(), Row.Series->Active(), Color(),
                             FCheckBoxesStyle == cbsCheck);
        if (IColorWidth > 0) {
            FSymbol.Draw(C, *Row.Series, ValueIndex, RowColor, Item.Symbol);
            if (DropRowsIfRemoved())
                return;
        }
        C.AssignFont(Font());
        if (FFontSeriesColor)
            C.Font().SetColor(RowColor);
        const bool Html = TextFormat() == ttfHtml;
        DrawAlignedLines(C, Html ? std::vector{Item.Text} : PlotTextLines(Item.Text),
                         Bounds(Item.Left, Item.Top, 0, FRowHeight), taLeftJustify, 0, FLineHeight,
                         Html);
        if (FDividingLines.Visible() && I > 0 && I % size_t(FNumCols) == 0) {
            C.AssignVisiblePen(FDividingLines);
            C.Line(ShapeBounds.Left, RowRect.Top, ShapeBounds.Right, RowRect.Top);
        }
    }
}

void TCustomChartLegend::DrawLegend()
{
    CalcLegendStyle();
    FItems.clear();
    FRows.clear();
    FRowRects.clear();
    ILastValue = -1;
    ITotalItems = 0;
    IRemovedInDrawing = false;
    if (!FParent || !FChart)
        return;
    const std::vector<TRow> Candidates = CandidateRows();
    ITotalItems = int(Candidates.size());
    TRect& ChartRect = FParent->ChartRect;
    LayOut(Candidates, ChartRect);
    // No rows: neither frame nor title, and the chart keeps its room.
    if (FItems.empty())
        return;
    Place(ChartRect);
    Draw();
    DrawTitle();
    DrawRows();
}
