#include "chart/chart/Chart.h"

#include <cmath>

// The rubber-band zoom and its undo, panning, the wheel, and the scales an
// undo returns to.

namespace {
// One wheel notch moves a vertical axis by this percent of its range.
constexpr double WheelScrollPercent = 3.0;
} // namespace

TAllAxisSavedScales TCustomChart::SaveScales() const
{
    TAllAxisSavedScales Result;
    for (TChartAxis* A : Axes())
        if (!A->IDepthAxis)
            Result.push_back({A, A->Automatic(), A->AutomaticMinimum(), A->AutomaticMaximum(),
                              A->Minimum(), A->Maximum()});
    return Result;
}

void TCustomChart::RestoreScales(TAllAxisSavedScales& Saved)
{
    // Entries of axes freed since were dropped with them; axes added since
    // have none and keep their range.
    for (const TAxisSavedScales& S : Saved)
        S.Axis->RestoreScale(S.Auto, S.AutoMin, S.AutoMax, S.Min, S.Max);
    Saved.clear();
}

void TCustomChart::SaveScalesOnce()
{
    if (!FRestoredAxisScales)
        return;
    FSavedScales = SaveScales();
    FRestoredAxisScales = false;
}

void TCustomChart::UndoZoom()
{
    if (!FRestoredAxisScales) {
        RestoreScales(FSavedScales);
        FRestoredAxisScales = true;
    }
    TCustomAxisPanel::UndoZoom();
}

void TCustomChart::CalcZoomPoints()
{
    FZoom.Check();
    const TChartAxis &Top = *TopAxis(), &Bottom = *BottomAxis();
    const TChartAxis &Left = *LeftAxis(), &Right = *RightAxis();
    DoZoom(Top.CalcPosPoint(FZoom.X0), Top.CalcPosPoint(FZoom.X1), Bottom.CalcPosPoint(FZoom.X0),
           Bottom.CalcPosPoint(FZoom.X1), Left.CalcPosPoint(FZoom.Y1), Left.CalcPosPoint(FZoom.Y0),
           Right.CalcPosPoint(FZoom.Y1), Right.CalcPosPoint(FZoom.Y0));
}

void TCustomChart::DoZoom(double TopI, double TopF, double BotI, double BotF, double LefI,
                          double LefF, double RigI, double RigF)
{
    SaveScalesOnce();
    struct TTarget {
        TChartAxis* Axis;
        double Min, Max;
    };
    std::vector<TTarget> Targets;
    if (FZoom.Direction != tzdHorizontal)
        Targets.insert(Targets.end(), {{LeftAxis(), LefI, LefF}, {RightAxis(), RigI, RigF}});
    if (FZoom.Direction != tzdVertical)
        Targets.insert(Targets.end(), {{TopAxis(), TopI, TopF}, {BottomAxis(), BotI, BotF}});
    if (FZoom.Animated)
        for (int Step = 1; Step < FZoom.AnimatedSteps; ++Step) {
            for (const TTarget& T : Targets) {
                TChartAxis& A = *T.Axis;
                A.SetMinMax(A.Minimum() + (T.Min - A.Minimum()) / AnimatedZoomFactor,
                            A.Maximum() + (T.Max - A.Maximum()) / AnimatedZoomFactor);
            }
            Repaint();
        }
    for (const TTarget& T : Targets)
        T.Axis->SetMinMax(T.Min, T.Max);
    FZoomed = true;
    if (auto Handler = OnZoom)
        Handler(this);
}

bool TCustomChart::CheckZoomPanning(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!SeriesUseAxes())
        return false;
    const TRect& R = TCustomPlotPanel::ChartRect;
    bool Started = false;
    if (FZoom.Allow && Button == FZoom.MouseButton && (Shift & FZoom.KeyShift) == FZoom.KeyShift) {
        // A zoom in one direction always spans the whole other one.
        FZoom.Activate(FZoom.Direction == tzdVertical ? R.Left : X,
                       FZoom.Direction == tzdHorizontal ? R.Top : Y);
        if (FZoom.Direction == tzdVertical)
            FZoom.X1 = R.Right;
        if (FZoom.Direction == tzdHorizontal)
            FZoom.Y1 = R.Bottom;
        DrawZoomRectangle();
        Started = true;
    }
    if (FAllowPanning != pmNone && Button == FScrollMouse &&
        (Shift & PlotScrollKeyShift) == PlotScrollKeyShift) {
        FPanning.Activate(X, Y);
        Started = true;
    }
    if (Started)
        SetCursor(FOriginalCursor);
    return Started;
}

void TCustomChart::ZoomMove(int X, int Y)
{
    const TRect& R = TCustomPlotPanel::ChartRect;
    if (FZoom.Direction == tzdVertical)
        X = R.Right;
    if (FZoom.Direction == tzdHorizontal)
        Y = R.Bottom;
    if (X == FZoom.X1 && Y == FZoom.Y1)
        return;
    DrawZoomRectangle(); // erases the last one
    FZoom.X1 = X;
    FZoom.Y1 = Y;
    DrawZoomRectangle();
}

void TCustomChart::ZoomUp(int X, int Y)
{
    FZoom.Active = false;
    DrawZoomRectangle();
    if (FZoom.Direction != tzdVertical)
        FZoom.X1 = X;
    if (FZoom.Direction != tzdHorizontal)
        FZoom.Y1 = Y;
    const bool Wide =
        FZoom.Direction == tzdVertical || std::abs(FZoom.X1 - FZoom.X0) > FZoom.MinimumPixels;
    const bool Tall =
        FZoom.Direction == tzdHorizontal || std::abs(FZoom.Y1 - FZoom.Y0) > FZoom.MinimumPixels;
    if (!Wide || !Tall)
        return;
    const bool Backwards =
        FZoom.Direction == tzdVertical ? FZoom.Y1 <= FZoom.Y0 : FZoom.X1 <= FZoom.X0;
    if (!FZoom.UpLeftZooms && Backwards)
        UndoZoom();
    else
        CalcZoomPoints();
    Invalidate();
}

void TCustomChart::ProcessPanning(TChartAxis& Axis, int From, int To)
{
    const double Delta = Axis.CalcPosPoint(From) - Axis.CalcPosPoint(To);
    double Min = Axis.Minimum() + Delta;
    double Max = Axis.Maximum() + Delta;
    bool Allow = true;
    if (auto Handler = OnAllowScroll)
        Handler(&Axis, Min, Max, Allow);
    if (Allow && HasAxis(&Axis))
        Axis.SetMinMax(Min, Max);
}

bool TCustomChart::PanAxis(bool Horizontal, int From, int To)
{
    const TPanningMode Mode = Horizontal ? pmHorizontal : pmVertical;
    if (From == To || (FAllowPanning != Mode && FAllowPanning != pmBoth))
        return false;
    // An allow-scroll handler may add or free axes: the list is read anew.
    for (size_t I = 0; I < Axes().size(); ++I) {
        TChartAxis& A = *Axes()[I];
        if (!A.IDepthAxis && A.Horizontal() == Horizontal)
            ProcessPanning(A, From, To);
    }
    return true;
}

void TCustomChart::PanMove(int X, int Y)
{
    if (!PointInRect(TCustomPlotPanel::ChartRect, X, Y)) {
        FPanning.Active = false;
        return;
    }
    if (X == FPanning.X1 && Y == FPanning.Y1)
        return;
    SaveScalesOnce();
    const bool Horizontal = PanAxis(true, FPanning.X1, X);
    const bool Vertical = PanAxis(false, FPanning.Y1, Y);
    FPanning.X1 = X;
    FPanning.Y1 = Y;
    if (!Horizontal && !Vertical)
        return;
    if (auto Handler = OnScroll)
        Handler(this);
    Invalidate();
}

bool TCustomChart::CanWheelScroll() const
{
    return PlotUseMouseWheel && (FAllowPanning == pmVertical || FAllowPanning == pmBoth);
}

void TCustomChart::ScrollVerticalAxes(bool Up)
{
    for (size_t I = 0; I < Axes().size(); ++I) {
        TChartAxis& A = *Axes()[I];
        // The depth is no vertical range of the picture.
        if (A.Horizontal() || A.IDepthAxis)
            continue;
        const double Step = (Up ? 1 : -1) * 0.01 * WheelScrollPercent * (A.Maximum() - A.Minimum());
        double Min = A.Minimum() + Step;
        double Max = A.Maximum() + Step;
        bool Allow = true;
        if (auto Handler = OnAllowScroll)
            Handler(&A, Min, Max, Allow);
        // The handler may have deleted the axis: only one still here scrolls.
        if (Allow && HasAxis(&A))
            A.Scroll(Step, false);
    }
}

void TCustomChart::DoMouseWheelDown(TShiftState Shift, int X, int Y)
{
    TCustomAxisPanel::DoMouseWheelDown(Shift, X, Y);
    if (CanWheelScroll())
        ScrollVerticalAxes(true);
}

void TCustomChart::DoMouseWheelUp(TShiftState Shift, int X, int Y)
{
    TCustomAxisPanel::DoMouseWheelUp(Shift, X, Y);
    if (CanWheelScroll())
        ScrollVerticalAxes(false);
}
