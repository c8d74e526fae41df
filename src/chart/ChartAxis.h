#pragma once

// An axis' range and its value-to-pixel mapping: where the minimum and maximum
// come from, how the working range is rounded and widened by series margins,
// where the pixel span lies in the chart rectangle, and the mappings every
// series and overlay use. Plain maths: no widget and no canvas.

#include "chart/AxisMapping.h"
#include "chart/AxisPanelLink.h"
#include "chart/PlotUnits.h"
#include "platform/Graphics.h"
#include "platform/Property.h"

#include <stdexcept>

// An invalid axis setting; the text says which.
class AxisException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TChartAxis {
public:
    TChartAxis(ICustomAxisPanel* ParentChart, bool Horizontal, bool OtherSide);
    TChartAxis(const TChartAxis&) = delete;
    TChartAxis& operator=(const TChartAxis&) = delete;
    virtual ~TChartAxis() = default;

    // Fixes the range: automatic scaling off, the ends ordered, a range below
    // MinAxisRange widened; custom axes mastered by this one follow.
    void SetMinMax(double AMin, double AMax);

    double Minimum() const { return FMinimumValue; }
    double Maximum() const { return FMaximumValue; }
    void SetMinimum(double Value);
    void SetMaximum(double Value);
    double Increment() const { return FDesiredIncrement; }
    void SetDesiredIncrement(double Value);

    bool Automatic() const { return FAutomatic; }
    bool AutomaticMaximum() const { return FAutomaticMaximum; }
    bool AutomaticMinimum() const { return FAutomaticMinimum; }
    void SetAutomatic(bool Value);
    void SetAutomaticMaximum(bool Value);
    void SetAutomaticMinimum(bool Value);

    bool Logarithmic() const { return FLogarithmic; }
    void SetLogarithmic(bool Value);
    double LogarithmicBase() const { return FLogarithmicBase; }
    void SetLogarithmicBase(double Value);

    bool Inverted() const { return FInverted; }
    virtual void SetInverted(bool Value);

    bool MaximumRound() const { return FMaximumRound; }
    bool MinimumRound() const { return FMinimumRound; }
    void SetMaximumRound(bool Value) { SetProperty(FMaximumRound, Value); }
    void SetMinimumRound(bool Value) { SetProperty(FMinimumRound, Value); }
    int MaximumOffset() const { return FMaximumOffset; }
    int MinimumOffset() const { return FMinimumOffset; }
    void SetMaximumOffset(int Value) { SetProperty(FMaximumOffset, Value); }
    void SetMinimumOffset(int Value) { SetProperty(FMinimumOffset, Value); }

    bool Horizontal() const { return FHorizontal; }
    bool OtherSide() const { return FOtherSide; }
    double StartPosition() const { return FStartPosition; }
    double EndPosition() const { return FEndPosition; }
    void SetStartPosition(double Value) { SetProperty(FStartPosition, Value); }
    void SetEndPosition(double Value) { SetProperty(FEndPosition, Value); }
    double PositionPercent() const { return FPositionPercent; }
    TPlotUnits PosUnits() const { return FPosUnits; }
    void SetPositionPercent(double Value) { SetProperty(FPositionPercent, Value); }
    void SetPosUnits(TPlotUnits Value) { SetProperty(FPosUnits, Value); }

    // The axis whose range this one copies; not owned.
    TChartAxis* MasterAxis() const { return FMaster; }
    void SetMasterAxis(TChartAxis* Value) { FMaster = Value; }

    ICustomAxisPanel* ParentChart() const { return FParentChart; }
    // The label step search used to round automatic ends; not owned.
    void SetLabels(IAxisLabels* Labels) { FLabels = Labels; }

    // Frame preparation, in this order: AdjustMaxMin, InternalCalcPositions,
    // then (with series margins) AdjustMaxMinRect and CalcRoundScales.
    void AdjustMaxMin();
    void CalcMinMax(double& AMin, double& AMax) const;
    void CalcRoundScales();
    void AdjustMaxMinRect(const TRect& Rect);
    void InternalCalcPositions();
    // Reselects the mapping after Logarithmic or the fast switch changed.
    void SetCalcPosValue();

    // Placing the axis line (labels and drawing use these).
    int GetRectangleEdge(const TRect& R) const;
    int ApplyPosition(int APos, const TRect& R) const;

    // Value to pixel with the mapping in force; valid after a frame's layout.
    int CalcXPosValue(double Value) const { return FXMapping.Pos(Value); }
    int CalcYPosValue(double Value) const { return FYMapping.Pos(Value); }
    int CalcPosValue(double Value) const
    {
        return FHorizontal ? CalcXPosValue(Value) : CalcYPosValue(Value);
    }
    // The mappings themselves, for loops over many points.
    const TAxisMapping& XMapping() const { return FXMapping; }
    const TAxisMapping& YMapping() const { return FYMapping; }

    // Pixel to value.
    double CalcPosPoint(int Value) const;
    // A value difference as a pixel length.
    int CalcSizeValue(double Value) const;
    // Moves the range by Offset; with CheckLimits only towards data beyond it.
    void Scroll(double Offset, bool CheckLimits);
    bool IsDateTime() const;

    // Working state of the last frame, written by the axis only.
    bool IAxisDateTime = false;
    double IAxisLogSizeRange = 0;
    double IAxisSizeRange = 0;
    int ICenterPos = 0;
    bool IDepthAxis = false;
    double ILogMax = 0;
    double ILogMin = 0;
    double IMaximum = 0;
    double IMinimum = 0;
    double IRange = 0;
    double IRangeLog = 0;
    bool IRangeZero = true;
    int IStartPos = 0;
    int IEndPos = 0;
    int IAxisSize = 0;

protected:
    void Repaint();
    template <class T> void SetProperty(T& Field, const std::type_identity_t<T>& Value)
    {
        if (StoreChanged(Field, Value))
            Repaint();
    }

private:
    void InternalCalcRange();
    void UpdateMappings();
    double SeriesExtreme(bool IsMax) const;

    bool FAutomatic = true;
    bool FAutomaticMaximum = true;
    bool FAutomaticMinimum = true;
    double FDesiredIncrement = 0;
    double FMaximumValue = 0;
    double FMinimumValue = 0;
    bool FLogarithmic = false;
    double FLogarithmicBase = 10;
    int FMaximumOffset = 0;
    int FMinimumOffset = 0;
    bool FMaximumRound = false;
    bool FMinimumRound = false;
    bool FInverted = false;
    bool FHorizontal;
    bool FOtherSide;
    ICustomAxisPanel* FParentChart;
    double FStartPosition = 0;
    double FEndPosition = 100;
    double FPositionPercent = 0;
    TPlotUnits FPosUnits = muPercent;
    TChartAxis* FMaster = nullptr;
    IAxisLabels* FLabels = nullptr;

    TAxisMapKind FMapKind = TAxisMapKind::Linear;
    bool FFastCalc = false;
    TAxisMapping FXMapping;
    TAxisMapping FYMapping;
};

// A depth (Z) axis: maps from 0 across the chart's 3D depth, and the two
// depth axes of a chart share Inverted.
class TChartDepthAxis : public TChartAxis {
public:
    TChartDepthAxis(ICustomAxisPanel* ParentChart, bool OtherSide);
    void SetInverted(bool Value) override;
};
