#include "chart/canvas/PlotCanvasTypes.h"

#include "chart/canvas/PlotCanvas.h"
#include "chart/canvas/PlotGradient.h"
#include "chart/canvas/PlotPicture.h"
#include "chart/canvas/PlotShadow.h"
#include "chart/core/PlotConst.h"
#include "platform/SysUtils.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

bool PlotCheckPenWidth = false;
bool IsWindowsNT = true;
int GetDefaultFontSize = 8;
std::string GetDefaultFontName = "Arial";

TChartPen::TChartPen(TNotifyEvent OnChangeEvent)
{
    OnChange = std::move(OnChangeEvent);
}

void TChartPen::Assign(const TPen& Source)
{
    if (const auto* P = dynamic_cast<const TChartPen*>(&Source)) {
        fVisible = P->fVisible;
        fSmallDots = P->fSmallDots;
        fSmallSpace = P->fSmallSpace;
        fEndStyle = P->fEndStyle;
    }
    TPen::Assign(Source);
}

TChartHiddenPen::TChartHiddenPen(TNotifyEvent OnChangeEvent) : TChartPen(std::move(OnChangeEvent))
{
    fVisible = false;
    DefaultVisible = false;
}

TDottedGrayPen::TDottedGrayPen(TNotifyEvent OnChangeEvent) : TChartPen(std::move(OnChangeEvent))
{
    SetColor(0x808080);
    SetStyle(psDot);
}

TDarkGrayPen::TDarkGrayPen(TNotifyEvent OnChangeEvent) : TChartPen(std::move(OnChangeEvent))
{
    SetColor(0x808080);
}

TWhitePen::TWhitePen(TNotifyEvent OnChangeEvent) : TChartPen(std::move(OnChangeEvent))
{
    SetColor(0xFFFFFF);
}

TChartBrush::TChartBrush(TNotifyEvent OnChangeEvent)
{
    SetColor(clPlotColor);
    OnChange = std::move(OnChangeEvent);
}

TChartBrush::~TChartBrush() = default;

TPlotPicture& TChartBrush::Image()
{
    if (!fImage)
        fImage = std::make_unique<TPlotPicture>();
    return *fImage;
}

void TChartBrush::SetImage(const TPlotPicture* Value)
{
    if (!Value)
        fImage.reset();
    else
        Image().Assign(*Value);
    Changed();
}

void TChartBrush::Assign(const TBrush& Source)
{
    if (const auto* B = dynamic_cast<const TChartBrush*>(&Source)) {
        if (B->fImage)
            Image().Assign(*B->fImage);
        else
            fImage.reset();
        fBackColor = B->fBackColor;
    }
    TBrush::Assign(Source);
}

TPlotFont::TPlotFont(TNotifyEvent OnChangeEvent)
{
    SetColor(clBlack);
    SetCharset(DEFAULT_CHARSET);
    SetName(GetDefaultFontName);
    SetSize(GetDefaultFontSize);
    OnChange = std::move(OnChangeEvent);
}

TPlotFont::~TPlotFont()
{
    if (ICanvas)
        ICanvas->ForgetFont(*this);
}

TPlotFontGradient& TPlotFont::Gradient()
{
    if (!fGradient)
        fGradient = std::make_unique<TPlotFontGradient>([this](TGraphicsObject*) { Changed(); });
    return *fGradient;
}

TChartHiddenPen& TPlotFont::OutLine()
{
    if (!fOutLine)
        fOutLine = std::make_unique<TChartHiddenPen>(OnChange);
    return *fOutLine;
}

TPlotPicture& TPlotFont::Picture()
{
    if (!fPicture)
        fPicture = std::make_unique<TPlotPicture>();
    return *fPicture;
}

TPlotShadow& TPlotFont::Shadow()
{
    if (!fShadow)
        fShadow = std::make_unique<TPlotShadow>(OnChange);
    return *fShadow;
}

void TPlotFont::Assign(const TFont& Source)
{
    if (const auto* F = dynamic_cast<const TPlotFont*>(&Source)) {
        if (F->fGradient)
            Gradient().Assign(*F->fGradient);
        if (F->fOutLine)
            OutLine().Assign(*F->fOutLine);
        if (F->fPicture)
            Picture().Assign(*F->fPicture);
        if (F->fShadow)
            Shadow().Assign(*F->fShadow);
        fInterCharSize = F->fInterCharSize;
    }
    TFont::Assign(Source);
}

TView3DOptions::TView3DOptions(IPlotRepaint* AParent) : fParent(AParent) {}

int TView3DOptions::Elevation() const
{
    return int(Round(fElevation));
}

void TView3DOptions::SetOffset(int& Field, int Value, bool Horizontal)
{
    if (!StoreChanged(Field, Value))
        return;
    Repaint();
    if (OnScrolled)
        OnScrolled(Horizontal);
}

void TView3DOptions::SetPerspective(int Value)
{
    Set(fPerspective, std::min(Value, 100));
}

int TView3DOptions::Rotation() const
{
    return int(Round(fRotation));
}

void TView3DOptions::SetZoomFloat(double Value)
{
    if (fZoom == Value)
        return;
    if (OnChangedZoom)
        OnChangedZoom(int(Round(Value)));
    Set(fZoom, Value);
}

int TView3DOptions::Zoom() const
{
    return int(Round(fZoom));
}

void TView3DOptions::Assign(const TView3DOptions& Source)
{
    fElevation = Source.fElevation;
    fFontZoom = Source.fFontZoom;
    fHorizOffset = Source.fHorizOffset;
    fOrthogonal = Source.fOrthogonal;
    fOrthoAngle = Source.fOrthoAngle;
    fPerspective = Source.fPerspective;
    fRotation = Source.fRotation;
    fTilt = Source.fTilt;
    fVertOffset = Source.fVertOffset;
    fZoom = Source.fZoom;
    fZoomText = Source.fZoomText;
}

void TView3DOptions::Repaint()
{
    if (fParent)
        fParent->Invalidate();
}

double TView3DOptions::CalcOrthoRatio() const
{
    if (!fOrthogonal)
        return 1.0;
    const int A = fOrthoAngle > 90 ? 180 - fOrthoAngle : fOrthoAngle;
    return std::tan(A * PlotPiStep);
}

int PenStyles(TPenStyle Style)
{
    return Style <= psInsideFrame ? int(Style) : PS_SOLID;
}

int PenModes(TPenMode Mode)
{
    return PenModeToRop2(Mode);
}

TPoint PlotPoint(int X, int Y)
{
    return {X, Y};
}

TRect PlotRect(int Left, int Top, int Right, int Bottom)
{
    return {Left, Top, Right, Bottom};
}

bool PointInRect(const TRect& Rect, int X, int Y)
{
    return X >= Rect.Left && X <= Rect.Right && Y >= Rect.Top && Y <= Rect.Bottom;
}

bool PointInRect(const TRect& Rect, const TPoint& P)
{
    return PointInRect(Rect, P.X, P.Y);
}

TRect OrientRectangle(const TRect& R)
{
    return {std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
            std::max(R.Top, R.Bottom)};
}

void RectSize(const TRect& R, int& W, int& H)
{
    W = R.Right - R.Left;
    H = R.Bottom - R.Top;
}

void RectCenter(const TRect& R, int& X, int& Y)
{
    X = (R.Left + R.Right) / 2;
    Y = (R.Top + R.Bottom) / 2;
}

TRect PolygonBounds(const TPoint* Points, int High)
{
    if (High < 0)
        return PlotZeroRect;
    TRect R{Points[0].X, Points[0].Y, Points[0].X, Points[0].Y};
    for (int I = 1; I <= High; ++I) {
        R.Left = std::min(R.Left, Points[I].X);
        R.Right = std::max(R.Right, Points[I].X);
        R.Top = std::min(R.Top, Points[I].Y);
        R.Bottom = std::max(R.Bottom, Points[I].Y);
    }
    return R;
}

TRect RectFromPolygon(const TPoint* Points, int NumPoints)
{
    TRect R = PolygonBounds(Points, NumPoints - 1);
    ++R.Right;
    ++R.Bottom;
    return R;
}

bool PlotCull(const TPoint& P0, const TPoint& P1, const TPoint& P2)
{
    return (int64_t(P0.X) - P1.X) * (int64_t(P2.Y) - P1.Y) -
               (int64_t(P2.X) - P1.X) * (int64_t(P0.Y) - P1.Y) <
           0;
}

bool PlotCull(const TFourPoints& P)
{
    return PlotCull(P[0], P[1], P[2]);
}

double PlotDistance(double X, double Y)
{
    return std::sqrt(X * X + Y * Y);
}

void SwapDouble(double& A, double& B)
{
    std::swap(A, B);
}

void SwapInteger(int& A, int& B)
{
    std::swap(A, B);
}

TRGB RGBValue(TColor Color)
{
    const COLORREF C = ColorToRGB(Color);
    return {GetBValue(C), GetGValue(C), GetRValue(C)};
}

void PlotSetBitmapSize(TBitmap& Bitmap, int W, int H)
{
    Bitmap.SetWidth(W);
    Bitmap.SetHeight(H);
}

TColor ApplyDark(TColor Color, int Quantity)
{
    const COLORREF C = ColorToRGB(Color);
    auto Down = [&](uint8_t V) { return uint8_t(V > Quantity ? V - Quantity : 0); };
    return TColor(RGB(Down(GetRValue(C)), Down(GetGValue(C)), Down(GetBValue(C))));
}

TColor ApplyBright(TColor Color, int Quantity)
{
    const COLORREF C = ColorToRGB(Color);
    auto Up = [&](uint8_t V) { return uint8_t(std::min(V + Quantity, 255)); };
    return TColor(RGB(Up(GetRValue(C)), Up(GetGValue(C)), Up(GetBValue(C))));
}

void PlotJapaneseFont(int& Size, std::string& Name)
{
    // The table's 8-point Arial has no Japanese glyphs: the platform's own
    // default font takes its place, its size as a pixel height.
    const TFont platformDefault;
    if (Size == 8)
        Size = platformDefault.Height();
    if (Name == "Arial")
        Name = platformDefault.Name();
}

void PlotDefaultFont()
{
    // From the message table. A size that is not a number, or an empty name
    // (the table not started), keeps the current one.
    GetDefaultFontSize = StrToIntDef(PlotConst::PlotMsg_DefaultFontSize, GetDefaultFontSize);
    if (!PlotConst::PlotMsg_DefaultFontName.empty())
        GetDefaultFontName = PlotConst::PlotMsg_DefaultFontName;
    if (QLocale::system().language() == QLocale::Japanese)
        PlotJapaneseFont(GetDefaultFontSize, GetDefaultFontName);
}
