#include "chart/axes/ChartAxis.h"

#include "chart/axes/AxisLabelSteps.h"
#include "chart/canvas/PlotCanvas3D.h"
#include "chart/core/PlotConst.h"
#include "platform/DateUtils.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Half to even, as Round, without its 64-bit limit: only a sample to measure.
double RoundHalfEven(double Value)
{
    return std::nearbyint(Value);
}

int WidestLine(TCanvas3D& Canvas, const std::string& Text)
{
    int widest = 0;
    for (const std::string& line : PlotTextLines(Text))
        widest = std::max(widest, Canvas.TextWidth(line));
    return widest;
}

// Decimal digits and the minus sign raised, as an exponent is written.
std::string Superscript(int Value)
{
    static const char* const digits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string text = Value < 0 ? "⁻" : "";
    for (const char c : std::to_string(std::abs(Value)))
        text += digits[c - '0'];
    return text;
}

} // namespace

void TChartAxis::SetLabelsSeparation(int Value)
{
    if (Value < 0)
        throw AxisException(PlotConst::PlotMsg_AxisLabelSep);
    SetProperty(FLabelsSeparation, Value);
}

void TChartAxis::SetFormatSettings(const TFormatSettings& Value)
{
    FFormatSettings = Value;
    Repaint();
}

TCanvas3D* TChartAxis::LabelsCanvas()
{
    if (!FParentChart)
        return nullptr;
    TCanvas3D& canvas = FParentChart->Canvas();
    canvas.AssignFont(FLabelsFont);
    return &canvas;
}

double TChartAxis::CalcIncrement()
{
    // The labels measured run the chart's label handler, which may delete
    // the axis.
    TPlotLifetime::TWatch watch(FLifetime);
    const double result = IncrementFor(FDesiredIncrement);
    if (watch.Gone())
        return 0;
    // Alternate rows give each label twice the room.
    if (FLabelsAlternate)
        return result / (FLogarithmic ? FLogarithmicBase : 2);
    // Large steps grow from 1 through the 1-2-5 series and stay whole numbers.
    if (FDesiredIncrement == 0 && result >= 2)
        return IncrementFor(1);
    return result;
}

double TChartAxis::IncrementFor(double Desired)
{
    int size = 0;
    if (TCanvas3D* canvas = LabelsCanvas()) {
        TPlotLifetime::TWatch watch(FLifetime);
        double samples[5];
        const int count = SampleValues(Desired, samples);
        for (int i = 0; i < count; ++i) {
            const std::string text = LabelValue(samples[i]);
            if (watch.Gone())
                return 0;
            size = std::max(size, InternalLabelSize(*canvas, text));
        }
    }
    return XYIncrementFor(size, Desired);
}

int TChartAxis::SampleValues(double Desired, double (&Values)[5]) const
{
    // With a desired step the first label is a multiple of it, so the samples are too.
    double low = IMinimum;
    double high = IMaximum;
    if (FRoundFirstLabel && Desired != 0) {
        low = RoundHalfEven(IMinimum / Desired) * Desired;
        high = std::trunc(IMaximum / Desired) * Desired;
    }
    // A middle value with decimals, so that the widest decimal label is measured.
    double mid = (low + high) / 2;
    while (std::isfinite(mid) && mid != 0 && mid == std::trunc(mid))
        mid /= 2;
    Values[0] = mid;
    Values[1] = low;
    Values[2] = high;
    if (Desired == 0)
        return 3;
    Values[3] = high - Desired;
    Values[4] = low + Desired;
    return 5;
}

int TChartAxis::InternalLabelSize(TCanvas3D& Canvas, const std::string& Text) const
{
    // A label running across the axis takes its lines' height along it.
    return AlongAxis(LabelExtent(Canvas, Text));
}

TSize TChartAxis::LabelExtent(TCanvas3D& Canvas, const std::string& Text) const
{
    return TurnedExtent(WidestLine(Canvas, Text), Canvas.GetFontHeight() * PlotNumTextLines(Text));
}

TSize TChartAxis::TurnedExtent(int Width, int Height) const
{
    const double angle = FLabelsAngle * PlotPiStep;
    const double c = std::fabs(std::cos(angle)), s = std::fabs(std::sin(angle));
    return {int(Round(Width * c + Height * s)), int(Round(Width * s + Height * c))};
}

double TChartAxis::CalcXYIncrement(int MaxLabelSize)
{
    return XYIncrementFor(MaxLabelSize, FDesiredIncrement);
}

double TChartAxis::XYIncrementFor(int MaxLabelSize, double Desired)
{
    int count = 1;
    if (MaxLabelSize > 0 && IAxisSize > 0) {
        if (FLabelsSeparation > 0)
            MaxLabelSize += int(Round(0.01 * FLabelsSeparation * MaxLabelSize));
        count = int(Round(double(IAxisSize) / MaxLabelSize));
    }
    return KeepApart(LabelsIncrementFor(count, Desired), MaxLabelSize);
}

double TChartAxis::KeepApart(double Step, int LabelSize) const
{
    // Rounding the label count lets neighbours overlap on a span of a few
    // labels: the step grows until they stand a label apart. A step above the
    // range leaves one label, which overlaps nothing; a logarithmic span is
    // labelled at powers, not at steps; without separation the step is kept.
    if (FLogarithmic || FLabelsSeparation <= 0 || LabelSize <= 0 || IAxisSize <= 0 || !(IRange > 0))
        return Step;
    while (Step > 0 && Step <= IRange && ShortestInterval(Step) * IAxisSize / IRange < LabelSize)
        Step = IAxisDateTime ? PlotNextDateTimeStep(Step) : PlotNextStep(Step);
    return Step;
}

double TChartAxis::ShortestInterval(double Step) const
{
    // Calendar steps are months of 28 to 31 days, and half months of 13 to 16.
    if (!IAxisDateTime || Step < DateTimeStep[dtHalfMonth] || Step >= DateTimeStep[dtOneYear])
        return Step;
    if (Step < DateTimeStep[dtOneMonth])
        return Step * 13 / 15;
    return Step * 28 / 30;
}

double TChartAxis::CalcLabelsIncrement(int MaxNumLabels)
{
    return LabelsIncrementFor(MaxNumLabels, FDesiredIncrement);
}

double TChartAxis::LabelsIncrementFor(int MaxNumLabels, double Desired)
{
    // Without room for one label the step covers the range: one label at most.
    if (MaxNumLabels <= 0)
        return IAxisDateTime ? PlotDateTimeCoveringIncrement(IRange, Desired)
                             : PlotCoveringIncrement(IRange, Desired,
                                                     PlotValueResolution(IMinimum, IMaximum));
    if (IAxisDateTime)
        return PlotDateTimeLabelsIncrement(IRange, Desired, MaxNumLabels);
    TLabelStepSearch search;
    search.Range = IRange;
    search.Increment = Desired;
    search.Logarithmic = FLogarithmic;
    search.LogarithmicBase = FLogarithmicBase;
    search.LabelsSeparation = FLabelsSeparation;
    search.FewestPointsAlongX = FewestPointsAlongX();
    return PlotLabelsIncrement(search, MaxNumLabels);
}

bool TChartAxis::AlongXDimension(const IChartSeries& Series) const
{
    // A vertical series on a horizontal axis, or a horizontal one on a vertical axis.
    return Series.YMandatory() == FHorizontal;
}

int TChartAxis::FewestPointsAlongX() const
{
    int fewest = std::numeric_limits<int>::max();
    for (int i = 0; FParentChart && i < FParentChart->SeriesCount(); ++i) {
        const IChartSeries& series = FParentChart->Series(i);
        if (series.Active() && series.ValueListOfAxis(*this) && AlongXDimension(series))
            fewest = std::min(fewest, int(series.Count()));
    }
    return fewest;
}

TAxisLabelStyle TChartAxis::CalcLabelStyle() const
{
    return FLabelStyle == talAuto ? InternalCalcLabelStyle() : FLabelStyle;
}

TAxisLabelStyle TChartAxis::InternalCalcLabelStyle() const
{
    TAxisLabelStyle style = talNone;
    for (int i = 0; FParentChart && i < FParentChart->SeriesCount(); ++i) {
        const IChartSeries& series = FParentChart->Series(i);
        if (!series.Active() || !series.ValueListOfAxis(*this))
            continue;
        if (AlongXDimension(series) && series.HasPointLabels())
            return talText;
        style = talValue;
    }
    return style;
}

std::string TChartAxis::ExponentText(double Value) const
{
    const int exponent =
        Value != 0 && std::isfinite(Value) ? int(std::floor(std::log10(std::fabs(Value)))) : 0;
    if (exponent == 0)
        return FormatFloat(FAxisValuesFormat, Value, FFormatSettings);
    const double mantissa = Value / std::pow(10.0, exponent);
    return FormatFloat(FAxisValuesFormat, mantissa, FFormatSettings) + "×10" +
           Superscript(exponent);
}

std::string TChartAxis::FormattedValue(double Value) const
{
    if (!IAxisDateTime && FLabelsExponent)
        return ExponentText(Value);
    if (!IAxisDateTime)
        return FormatFloat(FAxisValuesFormat, Value, FFormatSettings);
    const std::string format =
        FDateTimeFormat.empty() ? DateTimeDefaultFormat(IRange, FFormatSettings) : FDateTimeFormat;
    try {
        return FormatDateTime(format, Value, FFormatSettings);
    } catch (const EConvertError&) {
        // A value outside the calendar has no date to show: its label stays empty.
        return {};
    }
}

std::string TChartAxis::LabelValue(double Value)
{
    std::string text = FormattedValue(Value);
    if (FParentChart && FParentChart->OnGetAxisLabel()) {
        TPlotLifetime::TWatch watch(FLifetime);
        FParentChart->OnGetAxisLabel()(*this, nullptr, -1, text);
        if (watch.Gone())
            return text;
    }
    BreakLines(text);
    return text;
}

void TChartAxis::BreakLines(std::string& Text) const
{
    if (FLabelsMultiLine)
        std::replace(Text.begin(), Text.end(), ' ', PlotLineSeparator);
}

int TChartAxis::MaxLabelsWidth()
{
    TCanvas3D* canvas = LabelsCanvas();
    if (!canvas)
        return 0;
    int widest = 0;
    const auto widen = [&](const std::string& Text) {
        widest = std::max(widest, AcrossAxis(LabelExtent(*canvas, Text)));
    };
    // The label and mark text handlers may delete the axis.
    TPlotLifetime::TWatch watch(FLifetime);
    if (!FItems.Automatic()) {
        for (int i = 0; i < FItems.Count(); ++i) {
            canvas->AssignFont(FItems[i].Font ? *FItems[i].Font : FLabelsFont);
            widen(FItems[i].Text);
        }
        canvas->AssignFont(FLabelsFont);
        return widest;
    }
    const TAxisLabelStyle style = CalcLabelStyle();
    if (style == talValue) {
        double samples[5];
        const int count = SampleValues(FDesiredIncrement, samples);
        for (int i = 0; i < count; ++i) {
            const std::string text = LabelValue(samples[i]);
            if (watch.Gone())
                return 0;
            widen(text);
        }
    } else if (style == talText || style == talMark) {
        // The chart's widest text of the axis' series and their most lines,
        // turned as the labels are.
        int lines = 0;
        const int width = style == talMark ? FParentChart->MaxMarkWidth(this, &lines)
                                           : FParentChart->MaxTextWidth(this, &lines);
        if (watch.Gone())
            return 0;
        if (lines > 0)
            widest = AcrossAxis(TurnedExtent(width, canvas->GetFontHeight() * lines));
    }
    return widest;
}

int TChartAxis::SizeLabels()
{
    if (!FLabels)
        return 0;
    int size = FLabelsSize;
    if (size <= 0) {
        // Measuring the labels runs their handlers, which may delete the axis.
        TPlotLifetime::TWatch watch(FLifetime);
        if (!FHorizontal || FLabelsAngle % 180 != 0)
            size = MaxLabelsWidth();
        else if (TCanvas3D* canvas = LabelsCanvas())
            size = canvas->GetFontHeight();
        if (watch.Gone())
            return size;
        if (FLabelsAlternate)
            size *= 2;
    }
    if (FParentChart && FParentChart->CalcPosLabels())
        FParentChart->CalcPosLabels()(*this, size);
    return size;
}

int TChartAxis::SizeTickAxis() const
{
    int size = FAxis.Visible() ? FAxis.Width() + 1 : 0;
    // Ticks turned inwards by a negative length need no room outside.
    if (FTicks.Visible())
        size += std::max(FTickLength, 0);
    if (FMinorTicks.Visible())
        size = std::max(size, FMinorTickLength);
    return size;
}
