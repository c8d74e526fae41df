#pragma once

// The value-to-pixel mapping of one axis direction for one frame: a small
// value computed once from the axis' working range and span, then applied to
// every point with a subtract, a multiply, a clamp and a round. With it, the
// limits of an axis' numbers.

#include <cmath>
#include <cstdint>

// Smallest range SetMinMax keeps, and smallest label increment.
inline constexpr double MinAxisRange = 1e-10;
inline constexpr double MinAxisIncrement = 1e-12;

// Largest pixel coordinate an axis produces; the drawing layer draws lines
// and rectangles correctly up to this magnitude.
inline constexpr int PlotMaxPixelPos = 0x3FFFFFF;

// A pixel position rounded half to even and clamped to ±PlotMaxPixelPos, so
// that a value far outside the range never overflows the drawing coordinates.
// A value that is not a number maps to Fallback.
inline int PlotClampPixel(double Pos, int Fallback)
{
    if (Pos >= PlotMaxPixelPos)
        return PlotMaxPixelPos;
    if (Pos <= -PlotMaxPixelPos)
        return -PlotMaxPixelPos;
    if (std::isnan(Pos))
        return Fallback;
    return static_cast<int>(std::nearbyint(Pos));
}

enum class TAxisMapKind : std::uint8_t { Linear, Logarithmic, Depth };

struct TAxisMapping {
    TAxisMapKind Kind = TAxisMapKind::Linear;
    // Round the offset from Origin before adding it (else round the sum).
    bool RoundOffset = false;
    // No range to map: every value goes to Center.
    bool Zero = true;
    int Center = 0;
    // Logarithmic only: the pixel of values <= 0.
    int NonPositive = 0;
    double Origin = 0;
    // The value (its natural logarithm on a logarithmic axis) at Origin.
    double Base = 0;
    // Signed pixels per value unit (per unit of natural logarithm).
    double Scale = 0;

    int Pos(double Value) const
    {
        if (Zero)
            return Center;
        double x = Value;
        if (Kind == TAxisMapKind::Logarithmic) {
            if (!(Value > 0))
                return NonPositive;
            x = std::log(Value);
        }
        const double offset = (x - Base) * Scale;
        if (RoundOffset)
            return PlotClampPixel(Origin + PlotClampOffset(offset), Center);
        return PlotClampPixel(Origin + offset, Center);
    }

private:
    // Rounds an offset already kept inside twice the pixel range, so the sum
    // with Origin stays finite and clamps correctly.
    static double PlotClampOffset(double Offset)
    {
        constexpr double limit = 2.0 * PlotMaxPixelPos;
        if (Offset > limit)
            return limit;
        if (Offset < -limit)
            return -limit;
        return std::nearbyint(Offset);
    }
};
