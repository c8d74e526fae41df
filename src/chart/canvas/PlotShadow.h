#pragma once

#include "chart/canvas/PlotBlend.h"

#include <memory>
#include <vector>

class TCanvas3D;

// The shadow a shape casts: hard (the shape moved by the sizes, in the
// shadow colour) or smooth (a blurred copy that darkens what lies beneath,
// on canvases that draw into an image), optionally semi-transparent.
// User-interface thread only.
class TPlotShadow {
public:
    explicit TPlotShadow(TNotifyEvent AOnChange = {});
    TPlotShadow(const TPlotShadow&) = delete;
    TPlotShadow& operator=(const TPlotShadow&) = delete;

    // Smooth shadows leave the pixels outside the canvas's clip alone.
    bool Clip() const { return FClip; }
    void SetClip(bool Value) { Set(FClip, Value); }
    // clNone: no shadow.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Set(FColor, Value); }
    // Negative: to the left.
    int HorizSize() const { return FHorizSize; }
    void SetHorizSize(int Value) { Set(FHorizSize, Value); }
    // Negative: upwards.
    int VertSize() const { return FVertSize; }
    void SetVertSize(int Value) { Set(FVertSize, Value); }
    // The larger of the two sizes, without sign; writing sets both.
    int Size() const;
    void SetSize(int Value);
    bool Smooth() const { return FSmooth; }
    void SetSmooth(bool Value) { Set(FSmooth, Value); }
    // The softness of smooth shadows; also the blur of text shadows.
    int SmoothBlur() const { return FSmoothBlur; }
    void SetSmoothBlur(int Value) { Set(FSmoothBlur, Value); }
    int Transparency() const { return FTransparency; }
    void SetTransparency(int Value) { Set(FTransparency, std::clamp(Value, 0, 100)); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { Set(FVisible, Value); }
    void InitValues(TColor AColor, int ASize);
    // Copies everything but Clip.
    void Assign(const TPlotShadow& Source);

    void Draw(TCanvas3D& ACanvas, const TRect& Rect) { Draw(ACanvas, Rect, 0, 0); }
    void Draw(TCanvas3D& ACanvas, const TRect& Rect, int Z, int RoundSize);
    void Draw(TCanvas3D& ACanvas, const std::vector<TPoint>& P);
    void DrawEllipse(TCanvas3D& ACanvas, const TRect& Rect, int Z);
    // Whether the canvas can take smooth shadows: it draws into an image.
    static bool ValidCanvas(TPlotCanvas& ACanvas);

    // Compute the whole smooth shadow, not only the border the shape leaves
    // visible.
    bool FullDraw = false;

private:
    template <class T> void Set(T& Field, const std::type_identity_t<T>& Value)
    {
        if (StoreChanged(Field, Value) && IOnChange)
            IOnChange(nullptr);
    }
    // False when there is nothing to draw; else sets the brush for a hard
    // shadow and starts the blend of a transparent one.
    bool PrepareCanvas(TCanvas3D& ACanvas, const TRect& R, int Z);
    void FinishBlending(TCanvas3D& ACanvas);
    enum TShape { shRectangle, shRoundRect, shEllipse, shPolygon };
    void DrawSmooth(TCanvas3D& ACanvas, const TRect& Rect, TShape Shape, int RoundSize,
                    const std::vector<TPoint>& P = {});
    void DrawLines(TCanvas3D& ACanvas, const TRect& R);
    TRect Moved(const TRect& R) const;

    bool FClip = false;
    TColor FColor = 0xC0C0C0;
    int FHorizSize = 0;
    bool FSmooth = true;
    int FSmoothBlur = 0;
    int FTransparency = 0;
    int FVertSize = 0;
    bool FVisible = true;
    TNotifyEvent IOnChange;
    std::unique_ptr<TPlotBlend> IBlend;
};

// Blurs Bitmap (a shadow drawn on white) by horz and vert pixels. Without
// Back the result goes back into Bitmap; with Back it darkens Back's pixels
// with the bitmap's top-left at (Left, Top), each channel multiplied by the
// blurred one / 255. Negative sizes place the bitmap further left or up by
// twice their size. Smoothness 0 gives the usual fall-off; more makes the
// edge harder. Unless FullDraw, only the right and bottom border is
// computed: the shape covers the rest. With Clip, pixels outside Clip's
// region are left alone.
void PlotShadowSmooth(QImage& Bitmap, QImage* Back, int Left, int Top, int horz, int vert,
                      double Smoothness, bool FullDraw, const TGdiRegion* Clip);
