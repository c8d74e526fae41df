#include "chart/axes/ChartAxis.h"

#include "chart/canvas/PlotCanvas3D.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <utility>

// The labels beyond the generated value and point labels: the user's items,
// the series titles of a depth axis, turned labels and the box behind labels.

namespace {

struct TTurnedPoint {
    double x;
    double y;
};

} // namespace

void TChartAxis::DrawCustomLabels(TCanvas3D& Canvas)
{
    Canvas.AssignFont(FLabelsFont);
    Canvas.Brush().SetStyle(bsClear);
    Canvas.SetBackMode(cbmTransparent);
    FAlternateShift = FOppositeShift = 0;
    // The handlers may delete the axis: its labels end there.
    TPlotLifetime::TWatch watch(FLifetime);
    if (!FHorizontal && FLabelsAlign == alOpposite) {
        const int size = SizeLabels();
        if (watch.Gone())
            return;
        FOppositeShift = size;
    }
    for (int i = 0; i < FItems.Count(); ++i) {
        const TAxisItem& item = FItems[i];
        const int pos = CalcPosValue(item.Value);
        if (!FLabelsOnAxis && !(pos > IStartPos && pos < IEndPos))
            continue;
        if (!FTickOnLabelsOnly)
            AddTick(pos, item.Value);
        if (FLabels)
            DrawThisLabel(Canvas, pos, item.Value, item.Text, item.Font.get());
        if (watch.Gone())
            return;
    }
}

void TChartAxis::DrawDepthLabels(TCanvas3D& Canvas)
{
    Canvas.AssignFont(FLabelsFont);
    Canvas.Brush().SetStyle(bsClear);
    Canvas.SetBackMode(cbmTransparent);
    Canvas.SetTextAlign(TA_LEFT | TA_TOP);
    // Beside the chart rectangle's right edge, going back into the depth
    // from its bottom (from its top for the axis on the other side).
    const TRect chart = FParentChart->ChartRect();
    const int x = chart.Right + SizeTickAxis();
    const int y = FOtherSide ? chart.Top : chart.Bottom;
    const int lineHeight = Canvas.GetFontHeight();
    for (int i = 0; i < FParentChart->SeriesCount(); ++i) {
        const IChartSeries& series = FParentChart->Series(i);
        if (!series.Active())
            continue;
        std::string text = series.Title();
        if (FParentChart->OnGetAxisLabel()) {
            // The handler may delete the axis, free the series or take it
            // off the chart: the labels stop for this frame.
            TPlotLifetime::TWatch watch(FLifetime);
            FParentChart->OnGetAxisLabel()(*this, &series, -1, text);
            if (watch.Gone() || !AllOnChart({&series}))
                return;
        }
        BreakLines(text);
        if (text.empty())
            continue;
        FItems.AddGenerated(series.ZOrder(), text);
        const std::vector<std::string> lines = PlotTextLines(text);
        int top = y - lineHeight * int(lines.size()) / 2;
        for (const std::string& line : lines) {
            Canvas.TextOut3D(x, top, CalcPosValue(series.ZOrder()), line);
            top += lineHeight;
        }
    }
}

void TChartAxis::DrawTurnedLabel(TCanvas3D& Canvas, int X, int Y,
                                 const std::vector<std::string>& Lines)
{
    const int lineHeight = Canvas.GetFontHeight();
    int width = 0;
    for (const std::string& line : Lines)
        width = std::max(width, Canvas.TextWidth(line));
    const double height = double(lineHeight) * double(Lines.size());
    const double angle = FLabelsAngle * PlotPiStep;
    const double c = std::cos(angle), s = std::sin(angle);
    // Where a point of the unturned text (x to the right, y down from its
    // top-left corner) lies once turned counter-clockwise on the screen.
    const auto turn = [&](double x, double y) {
        return TTurnedPoint{x * c + y * s, y * c - x * s};
    };
    const TTurnedPoint corners[] = {turn(0, 0), turn(width, 0), turn(width, height),
                                    turn(0, height)};
    double minX = corners[0].x, maxX = minX, minY = corners[0].y, maxY = minY;
    for (const TTurnedPoint& p : corners) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    // The turned box is placed as an upright label is: centred on the tick,
    // its near side on the label row.
    double left, top;
    if (FHorizontal) {
        left = X - (minX + maxX) / 2;
        top = FOtherSide ? Y - maxY : Y - minY;
    } else {
        const bool opposite = FLabelsAlign == alOpposite;
        if (opposite)
            X += OutwardsSign() * FOppositeShift;
        left = FOtherSide == opposite ? X - maxX : X - minX;
        top = Y - (minY + maxY) / 2;
    }
    const auto at = [&](const TTurnedPoint& p) {
        return TPoint{int(Round(left + p.x)), int(Round(top + p.y))};
    };
    if (!FItems.Format().Transparent())
        DrawLabelBox(Canvas, {at(corners[0]), at(corners[1]), at(corners[2]), at(corners[3])},
                     FItems.Format());
    Canvas.SetTextAlign(TA_LEFT | TA_TOP);
    const int degrees = ((FLabelsAngle % 360) + 360) % 360;
    for (size_t i = 0; i < Lines.size(); ++i) {
        const TPoint origin = at(turn(0, double(lineHeight) * double(i)));
        Canvas.RotateLabel3D(origin.X, origin.Y, 0, Lines[i], degrees);
    }
}

void TChartAxis::DrawLabelBox(TCanvas3D& Canvas, const std::vector<TPoint>& Corners,
                              TAxisLabelsFormat& Format)
{
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(Format.Color());
    if (Format.Frame().Visible())
        Canvas.AssignVisiblePen(Format.Frame());
    else
        Canvas.Pen().SetStyle(psClear);
    std::vector<TPoint> projected;
    for (const TPoint& p : Corners)
        projected.push_back(Canvas.Calculate3DPosition(p, 0));
    Canvas.Polygon(projected);
    Canvas.Brush().SetStyle(bsClear);
}
