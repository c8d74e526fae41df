#include "chart/series/ChartSeries.h"

#include "chart/axes/ChartAxisParts.h"
#include "platform/SysUtils.h"

// The series in a legend that lists its values, and clicks on its points.

TColor TChartSeries::LegendItemColor(int32_t LegendIndex) const
{
    return GetValueColor(LegendToValueIndex(LegendIndex));
}

std::string TChartSeries::ValueText(int32_t ValueIndex) const
{
    return FormatFloat(fValueFormat, GetOriginValue(ValueIndex));
}

std::string TChartSeries::LegendString(int32_t LegendIndex, TLegendTextStyle AStyle) const
{
    const int32_t Index = LegendToValueIndex(LegendIndex);
    if (Index < 0 || Index >= Count())
        return {};
    const std::string& Label = fLabels.Label(Index);
    // A column left empty (a point without a label) takes no separator.
    const auto Columns = [](const std::string& A, const std::string& B) {
        if (A.empty() || B.empty())
            return A + B;
        return A + PlotColumnSeparator + B;
    };
    const auto Percent = [&] { return PercentText(GetOriginValue(Index), fMandatory->TotalABS()); };
    switch (AStyle) {
    case ltsPlain:
        return Label.empty() ? ValueText(Index) : Label;
    case ltsLeftValue:
        return Columns(ValueText(Index), Label);
    case ltsRightValue:
        return Columns(Label, ValueText(Index));
    case ltsLeftPercent:
        return Columns(Percent(), Label);
    case ltsRightPercent:
        return Columns(Label, Percent());
    case ltsXValue:
        return XValueText(Index);
    case ltsValue:
        return ValueText(Index);
    case ltsPercent:
        return Percent();
    case ltsXAndValue:
        return Columns(XValueText(Index), ValueText(Index));
    case ltsXAndPercent:
        return Columns(XValueText(Index), Percent());
    }
    return {};
}

void TChartSeries::PrepareLegendCanvas(TCanvas3D& C, int32_t ValueIndex, TColor AColor)
{
    const TChartBrush& Own = Brush();
    C.Brush().SetStyle(Own.Style() == bsClear ? bsSolid : Own.Style());
    C.Brush().SetColor(AColor);
    C.AssignVisiblePen(Pen());
    if (fParent) {
        fParent->SetLegendColor(AColor);
        fParent->LegendPen().Assign(Pen());
    }
}

void TChartSeries::DrawLegendShape(TCanvas3D& C, int32_t ValueIndex, const TRect& Rect)
{
    if (fParent)
        fParent->DrawLegendShape(Rect);
    else
        C.Rectangle(Rect);
}

bool TChartSeries::RaiseClicked(int32_t ValueIndex, TMouseButton Button, TShiftState Shift, int X,
                                int Y)
{
    // A copy: the handler may free the series.
    const TSeriesClick Handler = (Shift & ssDouble) ? OnDblClick : OnClick;
    if (!Handler)
        return false;
    Handler(this, ValueIndex, Button, Shift, X, Y);
    return true;
}

std::string TChartSeries::MarkText(int32_t ValueIndex) const
{
    // The mark text runs the series' OnGetMarkText, which is given the
    // series as its sender to change.
    return const_cast<TChartSeries*>(this)->GetMarkText(ValueIndex);
}
