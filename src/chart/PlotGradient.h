#pragma once

#include "chart/PlotCanvasTypes.h"

// Gradients, shadows and blending in their plain forms: a gradient fills with
// its start colour, a shadow is the hard offset shape, a blend leaves the new
// drawing opaque. The full drawing replaces these bodies behind the same calls.

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

class TCustomPlotGradient {
public:
    explicit TCustomPlotGradient(TNotifyEvent ChangedEvent = {});
    virtual ~TCustomPlotGradient() = default;
    bool Visible() const { return fVisible; }
    void SetVisible(bool Value) { Set(fVisible, Value); }
    TColor StartColor() const { return fStartColor; }
    void SetStartColor(TColor Value) { Set(fStartColor, Value); }
    TColor EndColor() const { return fEndColor; }
    void SetEndColor(TColor Value) { Set(fEndColor, Value); }
    TGradientDirection Direction() const { return fDirection; }
    void SetDirection(TGradientDirection Value) { Set(fDirection, Value); }
    void Assign(const TCustomPlotGradient& Source);
    void Draw(TPlotCanvas& Canvas, const TRect& Rect, int RoundRectSize = 0);

protected:
    void DoChanged();
    template <class T> void Set(T& Field, const std::type_identity_t<T>& Value)
    {
        if (StoreChanged(Field, Value))
            DoChanged();
    }

private:
    bool fVisible = false;
    TColor fStartColor = 0xFFFFFF;
    TColor fEndColor = 0x00FFFF;
    TGradientDirection fDirection = gdTopBottom;
    TNotifyEvent IChanged;
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

class TPlotShadow {
public:
    explicit TPlotShadow(TNotifyEvent AOnChange = {});
    TColor Color() const { return fColor; }
    void SetColor(TColor Value) { Set(fColor, Value); }
    int HorizSize() const { return fHorizSize; }
    void SetHorizSize(int Value) { Set(fHorizSize, Value); }
    int VertSize() const { return fVertSize; }
    void SetVertSize(int Value) { Set(fVertSize, Value); }
    int Size() const;
    void SetSize(int Value);
    bool Smooth() const { return fSmooth; }
    void SetSmooth(bool Value) { Set(fSmooth, Value); }
    int SmoothBlur() const { return fSmoothBlur; }
    void SetSmoothBlur(int Value) { Set(fSmoothBlur, Value); }
    int Transparency() const { return fTransparency; }
    void SetTransparency(int Value);
    bool Visible() const { return fVisible; }
    void SetVisible(bool Value) { Set(fVisible, Value); }
    void Assign(const TPlotShadow& Source);
    // The shadow of a rectangle: two strips along the far edges.
    void Draw(TPlotCanvas& ACanvas, const TRect& Rect);

private:
    template <class T> void Set(T& Field, const std::type_identity_t<T>& Value)
    {
        if (StoreChanged(Field, Value) && IOnChange)
            IOnChange(nullptr);
    }
    TColor fColor = 0xC0C0C0;
    int fHorizSize = 0;
    int fVertSize = 0;
    bool fSmooth = true;
    int fSmoothBlur = 0;
    int fTransparency = 0;
    bool fVisible = true;
    TNotifyEvent IOnChange;
};

// A blend between BeginBlending and EndBlending.
class TPlotBlend {
public:
    TPlotBlend(TPlotCanvas& ACanvas, const TRect& R);
    void DoBlend(int Transparency);

private:
    TPlotCanvas& FCanvas;
    TRect FRect;
};
