#include "chart/series/SeriesMarks.h"

#include "chart/series/ChartSeries.h"

#include <cmath>

TSize TMargins::Padded(int TextW, int TextH) const
{
    const bool Percent = Units == muPercent;
    const TPoint LT = Offset(TextH);
    const int R = Percent ? Right * TextH / 100 : Right;
    const int B = Percent ? Bottom * TextH / 100 : Bottom;
    return {TextW + LT.X + R, TextH + LT.Y + B};
}

TPoint TMargins::Offset(int TextH) const
{
    if (Units == muPixels)
        return {Left, Top};
    return {Left * TextH / 100, Top * TextH / 100};
}

TSeriesMarks::TSeriesMarks(TChartSeries* ASeries)
    : TPlotCustomShape(nullptr), FCallout(nullptr, ASeries), FSeries(ASeries)
{
    SetColor(clInfoBk);
    SetVisible(false);
}

namespace {
// Pixels between the legend symbol and the text.
constexpr int SymbolGap = 2;
} // namespace

void TSeriesMarks::SetParentChart(TCustomPlotPanel* Value)
{
    FParent = Value;
    FCallout.SetParentChart(Value);
    FSymbol.SetParentChart(Value);
}

void TSeriesMarks::Clear()
{
    FPositions.Clear();
    FItems.Clear();
}

void TSeriesMarks::Delete(int32_t Start, int32_t Quantity)
{
    FPositions.Delete(Start, Quantity);
    FItems.Delete(Start, Quantity);
}

bool TSeriesMarks::ExistCustom() const
{
    return FPositions.Any([](const TSeriesMarkPosition& P) { return P.Custom; });
}

std::vector<std::string> TSeriesMarks::Lines(const std::string& Text) const
{
    std::vector<std::string> Out(1);
    for (size_t I = 0; I < Text.size(); ++I) {
        if (Text[I] == '\r' || Text[I] == MarkLineBreak) {
            if (Text[I] == '\r' && I + 1 < Text.size() && Text[I + 1] == MarkLineBreak)
                ++I;
            Out.emplace_back();
        } else {
            Out.back() += Text[I];
        }
    }
    return Out;
}

TSize TSeriesMarks::TextSize(TCanvas3D& C, const std::vector<std::string>& Lines)
{
    C.AssignFont(Font());
    int W = 0;
    for (const auto& L : Lines)
        W = std::max(W, C.TextWidth(L));
    return {W, C.GetFontHeight() * int(Lines.size())};
}

int TSeriesMarks::SymbolRoom(int LineH) const
{
    return FSymbol.Visible() && FSeries ? LineH + SymbolGap : 0;
}

void TSeriesMarks::DrawSymbol(TCanvas3D& C, int Left, int Top, int LineH, TColor PointColor,
                              int32_t ValueIndex)
{
    // A square a line high, one pixel in from the line's top and bottom.
    const TRect R{Left, Top + 1, Left + LineH - 2, Top + LineH - 1};
    if (FSymbol.Shadow().Visible())
        FSymbol.Shadow().Draw(C, R);
    FSeries->PrepareLegendCanvas(C, ValueIndex, PointColor);
    FSeries->DrawLegendShape(C, ValueIndex, R);
}

TSeriesMarkPosition TSeriesMarks::CalculateMarkPosition(int X, int Y, const std::string& Text,
                                                        bool Vertical)
{
    TSeriesMarkPosition P;
    if (!FParent)
        return P;
    const TSize Text2D = TextSize(FParent->Canvas(), Lines(Text));
    const int Symbol = SymbolRoom(FParent->Canvas().GetFontHeight());
    const TSize Size = FMargins.Padded(Text2D.cx + Symbol, Text2D.cy);
    P.Width = Size.cx;
    P.Height = Size.cy;
    P.ArrowFrom = {X, Y};
    // A positive length puts the mark above (right of) the point, a
    // negative one below (left of) it.
    const int L = ArrowLength();
    if (Vertical) {
        P.ArrowTo = {X, Y - L};
        P.LeftTop = {X - P.Width / 2, L >= 0 ? P.ArrowTo.Y - P.Height : P.ArrowTo.Y};
    } else {
        P.ArrowTo = {X + L, Y};
        P.LeftTop = {L >= 0 ? P.ArrowTo.X : P.ArrowTo.X - P.Width, Y - P.Height / 2};
    }
    return P;
}

void TSeriesMarks::DrawItem(const TSeriesMarkPosition& Position, const std::string& Text,
                            TColor PointColor, int32_t ValueIndex)
{
    if (!FParent)
        return;
    TCanvas3D& C = FParent->Canvas();
    if (ArrowLength() != 0 || Position.Custom)
        FCallout.Draw(PointColor, Position.ArrowTo, Position.ArrowFrom);
    const TRect R = Position.Bounds();
    DrawRectRotated(R, FAngle, FZPosition);
    C.AssignFont(Font());
    if (FFontSeriesColor)
        C.Font().SetColor(PointColor);
    C.SetBackMode(cbmTransparent);
    const std::vector<std::string> Text2D = Lines(Text);
    const int LineH = C.GetFontHeight();
    const TPoint Off = FMargins.Offset(LineH * int(Text2D.size()));
    const int Symbol = ValueIndex >= 0 ? SymbolRoom(LineH) : 0;
    const int Inner = R.Width() - FMargins.Padded(0, LineH * int(Text2D.size())).cx - Symbol;
    if (Symbol > 0) {
        DrawSymbol(C, R.Left + Off.X, R.Top + Off.Y, LineH, PointColor, ValueIndex);
        C.AssignFont(Font());
        if (FFontSeriesColor)
            C.Font().SetColor(PointColor);
        C.SetBackMode(cbmTransparent);
    }
    for (size_t I = 0; I < Text2D.size(); ++I) {
        const int W = C.TextWidth(Text2D[I]);
        int X = R.Left + Off.X + Symbol;
        if (FTextAlign == taCenter)
            X += (Inner - W) / 2;
        else if (FTextAlign == taRightJustify)
            X += Inner - W;
        const int Y = R.Top + Off.Y + LineH * int(I);
        if (FAngle != 0)
            C.RotateLabel(X, Y, Text2D[I], FAngle);
        else
            C.TextOut(X, Y, Text2D[I]);
    }
}

int32_t TSeriesMarks::Clicked(int X, int Y)
{
    for (int32_t I = FPositions.Count() - 1; I >= 0; --I) {
        const TSeriesMarkPosition* P = FPositions.At(I);
        if (!P || I % FDrawEvery != 0)
            continue;
        const TRect R = P->Bounds();
        double PX = X, PY = Y;
        if (FAngle != 0) {
            // Turn the point back about the rectangle's centre.
            const double CX = (R.Left + R.Right) / 2.0, CY = (R.Top + R.Bottom) / 2.0;
            const double A = -FAngle * M_PI / 180, S = std::sin(A), Co = std::cos(A);
            PX = CX + (X - CX) * Co + (Y - CY) * S;
            PY = CY - (X - CX) * S + (Y - CY) * Co;
        }
        if (PX >= R.Left && PX < R.Right && PY >= R.Top && PY < R.Bottom)
            return I;
    }
    return -1;
}
