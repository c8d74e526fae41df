#pragma once

#include "chart/canvas/PlotCanvasTypes.h"

#include <algorithm>
#include <memory>

// Colour gradients of panels, walls, legends, shapes and text, painted in
// bands through the device context. User-interface thread only.

class TCanvas3D;

enum TGradientDirection {
    gdTopBottom,
    gdBottomTop,
    gdLeftRight,
    gdRightLeft,
    gdFromCenter,
    gdFromTopLeft,
    gdFromBottomLeft,
    gdRadial,
    gdDiagonalUp,
    gdDiagonalDown
};

class TSubGradient;

class TCustomPlotGradient {
public:
    explicit TCustomPlotGradient(TNotifyEvent ChangedEvent = {});
    TCustomPlotGradient(const TCustomPlotGradient&) = delete;
    TCustomPlotGradient& operator=(const TCustomPlotGradient&) = delete;
    virtual ~TCustomPlotGradient();

    // Degrees; anything but 0 paints the gradient turned.
    int Angle() const { return FAngle; }
    void SetAngle(int Value) { Set(FAngle, Value); }
    // 50 progresses linearly; other values bend the progression.
    int Balance() const { return FBalance; }
    void SetBalance(int Value) { Set(FBalance, Value); }
    TGradientDirection Direction() const { return FDirection; }
    void SetDirection(TGradientDirection Value) { Set(FDirection, Value); }
    TColor EndColor() const { return FEndColor; }
    void SetEndColor(TColor Value) { Set(FEndColor, Value); }
    // clNone while no middle colour is set; writing clNone removes it.
    TColor MidColor() const { return IHasMiddle ? FMidColor : clNone; }
    void SetMidColor(TColor Value);
    int RadialX() const { return FRadialX; }
    void SetRadialX(int Value) { Set(FRadialX, Value); }
    int RadialY() const { return FRadialY; }
    void SetRadialY(int Value) { Set(FRadialY, Value); }
    TColor StartColor() const { return FStartColor; }
    void SetStartColor(TColor Value) { Set(FStartColor, Value); }
    // A second gradient drawn over this one; created on first read.
    TSubGradient& SubGradient();
    TSubGradient* SubGradientIfAny() const { return FSub.get(); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { Set(FVisible, Value); }
    // Copies every setting, the sub-gradient included.
    void Assign(const TCustomPlotGradient& Source);

    // RoundRectSize above 0 keeps the gradient inside the rounded rectangle.
    void Draw(TPlotCanvas& Canvas, const TRect& Rect, int RoundRectSize = 0);
    // Fills the quadrilateral with no outline.
    void Draw(TPlotCanvas& Canvas, const TFourPoints& P);
    void Draw(TCanvas3D& Canvas, const TFourPoints& P, int Z);
    void DrawRadial(TPlotCanvas& Canvas, const TRect& Rect);

protected:
    void DoChanged();
    template <class T> void Set(T& Field, const std::type_identity_t<T>& Value)
    {
        if (StoreChanged(Field, Value))
            DoChanged();
    }

private:
    void DrawRotated(TPlotCanvas& Canvas, const TRect& R);
    void DrawSubGradient(TPlotCanvas& Canvas, const TRect& Rect, int RoundRectSize);
    void DoRadialGradient(TPlotCanvas& Canvas, const TRect& R);

    int FAngle = 0;
    int FBalance = 50;
    TGradientDirection FDirection = gdTopBottom;
    TColor FEndColor = 0x00FFFF;
    TColor FMidColor = clNone;
    int FRadialX = 0;
    int FRadialY = 0;
    TColor FStartColor = 0xFFFFFF;
    std::unique_ptr<TSubGradient> FSub;
    bool FVisible = false;
    bool IHasMiddle = false;
    TNotifyEvent IChanged;
};

class TSubGradient : public TCustomPlotGradient {
public:
    using TCustomPlotGradient::TCustomPlotGradient;
    // Percent of the gradient underneath that shows through.
    int Transparency() const { return FTransparency; }
    void SetTransparency(int Value) { Set(FTransparency, std::clamp(Value, 0, 100)); }

private:
    int FTransparency = 50;
};

class TPlotGradient : public TCustomPlotGradient {
public:
    using TCustomPlotGradient::TCustomPlotGradient;
};

class TPlotFontGradient : public TPlotGradient {
public:
    using TPlotGradient::TPlotGradient;
    // Paint only into the widened glyph outline.
    bool Outline() const { return fOutline; }
    void SetOutline(bool Value) { Set(fOutline, Value); }

private:
    bool fOutline = false;
};

// ((1 + Index) / (1 + Total)) to the power Balance x 0.015 + 0.5.
double PlotSigmoid(int Index, int Balance, int Total);

// The canvas's own gradient fill of a rectangle: bands of colour painted with
// the device context's brush (lines with its pen for the diagonals). Every
// direction but gdTopBottom, gdLeftRight and the diagonals exchanges the two
// colours; the first step of the linear ones lies at the bottom or right.
void PlotGradientFill(TPlotCanvas& Canvas, const TRect& Rect, TColor StartColor, TColor EndColor,
                      TGradientDirection Direction, int Balance, int RadialX, int RadialY);
