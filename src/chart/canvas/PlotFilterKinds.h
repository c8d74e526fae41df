#pragma once

#include "chart/canvas/PlotFilters.h"

// The filter kinds, in the order the filter list knows them.

class TInvertFilter : public TFilterKind<TInvertFilter> {
public:
    static constexpr std::string_view Name = "TInvertFilter";

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;
};

enum TGrayMethod { gmSimple, gmEye, gmEye2 };

class TGrayScaleFilter : public TFilterKind<TGrayScaleFilter> {
public:
    static constexpr std::string_view Name = "TGrayScaleFilter";
    TGrayMethod Method = gmSimple;

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;
};

// Blocks of Amount x Amount pixels take their average colour.
class TMosaicFilter : public TFilterKind<TMosaicFilter, TAmountFilter> {
public:
    static constexpr std::string_view Name = "TMosaicFilter";
    TMosaicFilter() : TFilterKind(8, true) {}

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;
};

// Rows exchanged top with bottom.
class TFlipFilter : public TFilterKind<TFlipFilter> {
public:
    static constexpr std::string_view Name = "TFlipFilter";

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;
};

// Columns exchanged left with right.
class TReverseFilter : public TFilterKind<TReverseFilter> {
public:
    static constexpr std::string_view Name = "TReverseFilter";

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;
};

class TBrightnessFilter : public TFilterKind<TBrightnessFilter, TAmountFilter> {
public:
    static constexpr std::string_view Name = "TBrightnessFilter";
    TBrightnessFilter() : TFilterKind(5) {}

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;
};

// Channels moved away from the middle value 128 (towards it for a negative
// amount) by Amount percent of their distance, or Amount 255ths without
// Percent.
class TContrastFilter : public TFilterKind<TContrastFilter, TAmountFilter> {
public:
    static constexpr std::string_view Name = "TContrastFilter";
    TContrastFilter() : TFilterKind(5) {}

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;
};

class TColorFilter : public TFilterKind<TColorFilter> {
public:
    static constexpr std::string_view Name = "TColorFilter";
    int Red = 0;
    int Green = 0;
    int Blue = 0;

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;
};

// Amounts on the 0..240 scale of the colour model; the hue turns round.
class THueLumSatFilter : public TFilterKind<THueLumSatFilter> {
public:
    static constexpr std::string_view Name = "THueLumSatFilter";
    int Hue = 0;
    int Luminance = 0;
    int Saturation = 0;

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;
};

// All weights 1 around a centre weight of Amount, applied Steps times.
class TBlurFilter : public TFilterKind<TBlurFilter, TConvolveFilter> {
public:
    static constexpr std::string_view Name = "TBlurFilter";
    TBlurFilter();
    int Amount() const { return FAmount; }
    void SetAmount(int Value);
    int Steps = 1;

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;

private:
    int FAmount = 1;
};

class TSharpenFilter : public TFilterKind<TSharpenFilter, TConvolveFilter> {
public:
    static constexpr std::string_view Name = "TSharpenFilter";
    TSharpenFilter();
};

class TGammaCorrectionFilter : public TFilterKind<TGammaCorrectionFilter, TAmountFilter> {
public:
    static constexpr std::string_view Name = "TGammaCorrectionFilter";
    TGammaCorrectionFilter() : TFilterKind(70, true) {}

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;
};

class TEmbossFilter : public TFilterKind<TEmbossFilter, TConvolveFilter> {
public:
    static constexpr std::string_view Name = "TEmbossFilter";
    TEmbossFilter();
};

class TSoftenFilter : public TFilterKind<TSoftenFilter, TConvolveFilter> {
public:
    static constexpr std::string_view Name = "TSoftenFilter";
    TSoftenFilter();
};

// The image becomes Width x Height holding its smooth-stretched picture;
// nothing happens unless both are at least 1.
class TResizeFilter : public TFilterKind<TResizeFilter> {
public:
    static constexpr std::string_view Name = "TResizeFilter";
    TResizeFilter() { IAllowRegion = false; }
    int Width = 0;
    int Height = 0;

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;
};

// The part (Left, Top, Width, Height), cut to the image, stretched back over
// the whole image.
class TCropFilter : public TFilterKind<TCropFilter, TResizeFilter> {
public:
    static constexpr std::string_view Name = "TCropFilter";
    int Left = 0;
    int Top = 0;
    bool Smooth = false;

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;
};

// Turned counter-clockwise by Angle degrees about the middle; AutoSize grows
// the image to hold the whole picture, uncovered pixels take BackColor.
class TRotateFilter : public TFilterKind<TRotateFilter> {
public:
    static constexpr std::string_view Name = "TRotateFilter";
    TRotateFilter() { IAllowRegion = false; }
    double Angle() const { return FAngle; }
    void SetAngle(double Value) { FAngle = Value; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) { FAutoSize = Value; }
    TColor BackColor = 0xFFFFFF;

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;

private:
    double FAngle = 0;
    bool FAutoSize = true;
};

enum TMirrorDirection { mdDown, mdUp, mdRight, mdLeft };

// The image doubles in height or width: the picture and its mirror image on
// the side the direction names.
class TMirrorFilter : public TFilterKind<TMirrorFilter> {
public:
    static constexpr std::string_view Name = "TMirrorFilter";
    TMirrorFilter() { IAllowRegion = false; }
    TMirrorDirection Direction = mdDown;

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;
};

// The picture shrunk into each of NumCols x NumRows cells.
class TTileFilter : public TFilterKind<TTileFilter> {
public:
    static constexpr std::string_view Name = "TTileFilter";
    int NumCols() const { return FNumCols; }
    void SetNumCols(int Value) { FNumCols = std::max(Value, 1); }
    int NumRows() const { return FNumRows; }
    void SetNumRows(int Value) { FNumRows = std::max(Value, 1); }

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;

private:
    int FNumCols = 3;
    int FNumRows = 3;
};

// Size rings from the border inwards: top and left brightened, bottom and
// right darkened by Bright.
class TBevelFilter : public TFilterKind<TBevelFilter> {
public:
    static constexpr std::string_view Name = "TBevelFilter";
    int Bright = 64;
    int Size = 15;

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;
};

// The middle of the rectangle, Percent smaller, stretched back over it.
class TZoomFilter : public TFilterKind<TZoomFilter> {
public:
    static constexpr std::string_view Name = "TZoomFilter";
    double Percent = 10.0;
    bool Smooth = false;

protected:
    void DoApply(QImage& Bitmap, const TRect& R) override;
};
