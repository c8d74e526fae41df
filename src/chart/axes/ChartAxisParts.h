#pragma once

// What an axis draws with: the pens of its line, ticks and grid, its title,
// and the choices of its label settings.

#include "chart/axes/ChartAxisItems.h"
#include "chart/canvas/PlotCanvasTypes.h"
#include "platform/Property.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Splits a label into lines.
inline constexpr char PlotLineSeparator = '\r';
// Separates the columns of a legend text (value, label, percent); a legend
// shows it as a blank.
inline constexpr char PlotColumnSeparator = '\x06';
// The lines of a text, and how many there are.
std::vector<std::string> PlotTextLines(const std::string& St);
int PlotNumTextLines(const std::string& St);

// Which labels an axis draws: talAuto lets the axis decide from its series;
// talValue labels values at the label step; talText labels points with the
// series' point labels; talMark with their mark texts.
enum TAxisLabelStyle : uint8_t { talAuto, talNone, talValue, talMark, talText };

// alOpposite puts a vertical axis' labels at the far side of their room.
enum TAxisLabelAlign : uint8_t { alDefault, alOpposite };

// The axis line: solid black, one pixel wide.
using TChartAxisPen = TChartPen;

// The grid across the chart at the ticks: dotted grey, at every tick, or
// halfway between ticks (Centered), or at every DrawEvery-th tick.
class TAxisGridPen : public TDottedGrayPen {
public:
    explicit TAxisGridPen(TNotifyEvent OnChangeEvent = {});
    bool Centered() const { return fCentered; }
    void SetCentered(bool Value) { Set(fCentered, Value); }
    int DrawEvery() const { return fDrawEvery; }
    // At least 1.
    void SetDrawEvery(int Value);

private:
    bool fCentered = false;
    int fDrawEvery = 1;
};

// The caption beside an axis, turned by Angle degrees (counter-clockwise).
class TChartAxisTitle {
public:
    // Changed runs after every change of the title, font included.
    TChartAxisTitle(int Angle, std::function<void()> Changed);
    TChartAxisTitle(const TChartAxisTitle&) = delete;
    TChartAxisTitle& operator=(const TChartAxisTitle&) = delete;

    const std::string& Caption() const { return fCaption; }
    void SetCaption(const std::string& Value) { Set(fCaption, Value); }
    int Angle() const { return fAngle; }
    void SetAngle(int Value) { Set(fAngle, Value); }
    bool Visible() const { return fVisible; }
    void SetVisible(bool Value) { Set(fVisible, Value); }
    TPlotFont& Font() { return fFont; }
    // The shape behind the caption: transparent unless the user gives it a
    // background and a frame.
    TAxisLabelsFormat& Format() { return fFormat; }
    // Visible and with a caption: it is drawn and takes room.
    bool Shown() const { return fVisible && !fCaption.empty(); }

private:
    template <class T> void Set(T& Field, const std::type_identity_t<T>& Value)
    {
        if (StoreChanged(Field, Value))
            fChanged();
    }
    std::function<void()> fChanged;
    std::string fCaption;
    int fAngle;
    bool fVisible = true;
    TPlotFont fFont;
    TAxisLabelsFormat fFormat;
};
