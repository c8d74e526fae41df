#include "chart/series/ChartSeries.h"

#include "chart/axes/ChartAxis.h"
#include "platform/DateUtils.h"
#include "platform/SysUtils.h"

// The marks of a series: their texts, positions and drawing.

std::string TChartSeries::PercentText(double Value, double Whole) const
{
    // A share of nothing is no number: the mark shows nothing.
    if (Whole == 0)
        return {};
    return FormatFloat(fPercentFormat, Value * 100 / Whole);
}

std::string TChartSeries::XValueText(int32_t ValueIndex) const
{
    // As the horizontal axis labels it; without one, in the value format.
    const double X = GetxValue(ValueIndex);
    if (fGetHorizAxis)
        return fGetHorizAxis->FormattedValue(X);
    return fX->DateTime() ? DateTimeToStr(X) : FormatFloat(fValueFormat, X);
}

std::string TChartSeries::MarkTextOfStyle(int32_t ValueIndex)
{
    const double Value = GetMarkValue(ValueIndex);
    const std::string ValueText = FormatFloat(fValueFormat, Value);
    const std::string& Label = fLabels.Label(ValueIndex);
    const bool MultiLine = fMarks->MultiLine();
    const std::string Separator = MultiLine ? std::string(1, MarkLineBreak) : std::string(" ");
    const double Total = fMandatory->TotalABS();
    const std::string Percent = PercentText(Value, Total);
    const std::string PercentTotal = Percent.empty()
                                         ? std::string()
                                         : Format(MultiLine ? PlotConst::PlotMsg_DefaultPercentOf2
                                                            : PlotConst::PlotMsg_DefaultPercentOf,
                                                  Percent, FormatFloat(fValueFormat, Total));
    const auto Joined = [&](const std::string& Tail) {
        return Tail.empty() ? Tail : Label + Separator + Tail;
    };
    switch (fMarks->Style()) {
    case smsValue:
        return ValueText;
    case smsPercent:
        return Percent;
    case smsLabelPercent:
        return Joined(Percent);
    case smsLabelValue:
        return Joined(ValueText);
    case smsPercentTotal:
        return PercentTotal;
    case smsLabelPercentTotal:
        return Joined(PercentTotal);
    case smsXValue:
        return XValueText(ValueIndex);
    case smsXY:
        return XValueText(ValueIndex) + Separator + ValueText;
    case smsSeriesTitle:
        return fTitle;
    case smsPointIndex:
        return std::to_string(ValueIndex);
    case smsPercentRelative:
        return ValueIndex == 0 ? std::string() : PercentText(Value, (*fMandatory)[0]);
    case smsLegend:
        return fParent ? fParent->FormattedValueLegend(this, ValueIndex)
                       : LegendString(ValueIndex, ltsPlain);
    default:
        return Label.empty() ? ValueText : Label;
    }
}

std::string TChartSeries::GetMarkText(int32_t ValueIndex)
{
    const TMarksItem* Item = fMarks->Items().At(ValueIndex);
    std::string Text = Item && !Item->Text.empty() ? Item->Text : MarkTextOfStyle(ValueIndex);
    if (OnGetMarkText)
        OnGetMarkText(this, ValueIndex, Text);
    return Text;
}

void TChartSeries::DrawMarks()
{
    if (!fMarks->Visible() || !fMarks->ParentChart() || !fParent || fFirstVisibleIndex < 0)
        return;
    TCanvas3D& C = fMarks->ParentChart()->Canvas();
    const bool Clip = fMarks->Clip();
    if (Clip)
        C.ClipRectangle(fParent->ChartRect());
    TPlotLifetime::TWatch Watch(fLifetime);
    for (int32_t I = fFirstVisibleIndex; I <= fLastVisibleIndex; ++I) {
        if (I % fMarks->DrawEvery() != 0 || IsNull(I))
            continue;
        const std::string Text = GetMarkText(I);
        // The text's handler may have freed or emptied the series.
        if (Watch.Gone() || I >= Count())
            break;
        const TMarksItem* Item = fMarks->Items().At(I);
        if (Text.empty() || (Item && !Item->Visible))
            continue;
        TSeriesMarkPosition& Position = fMarks->Positions().Item(I);
        if (!Position.Custom)
            Position = fMarks->CalculateMarkPosition(CalcXPos(I), CalcYPos(I), Text, fYMandatory);
        DrawMark(I, Text, Position);
    }
    if (Clip)
        C.UnClipRectangle();
}

void TChartSeries::DrawMark(int32_t ValueIndex, const std::string& St,
                            TSeriesMarkPosition& Position)
{
    fMarks->DrawItem(Position, St, GetValueColor(ValueIndex), ValueIndex);
}
