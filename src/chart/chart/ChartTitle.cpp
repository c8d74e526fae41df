#include "chart/chart/ChartTitle.h"

#include "chart/canvas/PlotHtml.h"

#include <algorithm>

namespace {
// Pixels between a framed title's border and its text.
constexpr int TitleTextMargin = 2;
} // namespace

void DrawAlignedLines(TCanvas3D& C, const std::vector<std::string>& Lines, const TRect& Bounds,
                      TAlignment Align, int Margin, int LineHeight, bool Html)
{
    C.SetBackMode(cbmTransparent);
    C.SetTextAlign(TA_LEFT | TA_TOP);
    int Y = Bounds.Top;
    for (const std::string& Line : Lines) {
        int X = Bounds.Left + Margin;
        if (Align == taRightJustify)
            X = Bounds.Right - Margin - LineWidth(C, Line, Html);
        else if (Align == taCenter)
            X = Bounds.Left + (Bounds.Width() - LineWidth(C, Line, Html)) / 2;
        C.TextOut(X, Y, Line, Html);
        Y += LineHeight;
    }
}

int LineWidth(TCanvas3D& C, const std::string& Line, bool Html)
{
    if (Html) {
        try {
            return HtmlTextExtent(C, Line).cx;
        } catch (const HtmlParserException&) {
            // Drawing it reports the fault; measuring goes on with the tags.
        }
    }
    return C.TextWidth(Line);
}

int WidestLine(TCanvas3D& C, const std::vector<std::string>& Lines, bool Html)
{
    int Widest = 0;
    for (const std::string& Line : Lines)
        Widest = std::max(Widest, LineWidth(C, Line, Html));
    return Widest;
}

TChartTitle::TChartTitle(TCustomPlotPanel* AParent, bool AOnTop)
    : TPlotCustomShapePosition(AParent), IOnTop(AOnTop)
{
    // Only the text shows until a frame or fill is asked for.
    SetTransparent(true);
    Pen().Hide();
    Font().SetColor(clBlue);
}

TChartFootTitle::TChartFootTitle(TCustomPlotPanel* AParent) : TChartTitle(AParent, false)
{
    Font().SetColor(clRed);
    Font().SetStyle(fsItalic);
}

void TChartTitle::SetCaption(const std::string& Value)
{
    SetText(Value.empty() ? std::vector<std::string>{} : std::vector<std::string>{Value});
}

bool TChartTitle::Clicked(int X, int Y) const
{
    return Visible() && PointInRect(ShapeBounds, X, Y);
}

TRect TChartTitle::CalcBounds(const TRect& ChartRect, int TextWidth, int TextHeight,
                              int Frame) const
{
    TRect R = ChartRect;
    if (CustomPosition()) {
        R.Left = ShapeBounds.Left;
        R.Right = R.Left + TextWidth + 2 * Frame;
    } else if (FAdjustFrame) {
        const int W = TextWidth + 2 * Frame;
        if (FAlignment == taLeftJustify)
            R.Right = R.Left + W;
        else if (FAlignment == taRightJustify)
            R.Left = R.Right - W;
        else {
            R.Left = (ChartRect.Left + ChartRect.Right - W) / 2;
            R.Right = R.Left + W;
        }
    }
    if (CustomPosition())
        R.Top = ShapeBounds.Top;
    else if (IOnTop)
        R.Top = ChartRect.Top + (FPen.Visible() ? FPen.Width() : 0);
    else
        R.Top = ChartRect.Bottom - (FPen.Visible() ? FPen.Width() : 0) - TextHeight;
    R.Bottom = R.Top + TextHeight;
    return R;
}

void TChartTitle::DrawTitle()
{
    if (!Visible() || FText.empty() || !FParent)
        return;
    TCanvas3D& C = FParent->Canvas();
    C.AssignFont(Font());
    const int LineHeight = C.GetFontHeight();
    const int Widest = WidestLine(C, FText, TextFormat() == ttfHtml);
    const int Frame = Pen().Visible() ? Pen().Width() + TitleTextMargin : 0;
    TRect& ChartRect = FParent->ChartRect;
    ShapeBounds = CalcBounds(ChartRect, Widest, LineHeight * int(FText.size()), Frame);
    Draw();

    C.AssignFont(Font());
    DrawAlignedLines(C, FText, ShapeBounds, FAlignment, FAdjustFrame ? Frame : 0, LineHeight,
                     TextFormat() == ttfHtml);

    if (CustomPosition())
        return;
    if (IOnTop)
        ChartRect.Top = ShapeBounds.Bottom + FVertMargin;
    else
        ChartRect.Bottom = ShapeBounds.Top - FVertMargin;
}
