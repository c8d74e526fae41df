#include "controls/uExPageControlPaint.h"

#include "controls/uExPageControl.h"
#include "platform/qt/GdiBlit.h"
#include "platform/qt/Theme.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr TColor cCloseGrey = 0x808080;
constexpr TColor cCloseSilver = 0xC0C0C0;

int RoundEven(double V)
{
    return int(std::nearbyint(V));
}

struct TSegment {
    TPoint From, To; // To itself is left out, as LineTo does
};

// The four sides of a tab as lines: the one facing the page, the far one and
// the two ends (the start at the lower coordinate).
struct TTabSides {
    TSegment Page, Far, Start, End;
};

TTabSides SidesOf(const TRect& R, TTabPosition Position)
{
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    const TSegment Top{{L, T}, {Rt, T}}, Bottom{{L, B - 1}, {Rt, B - 1}};
    const TSegment Left{{L, T}, {L, B}}, Right{{Rt - 1, T}, {Rt - 1, B}};
    switch (Position) {
    case tpTop:
        return {Bottom, Top, Left, Right};
    case tpBottom:
        return {Top, Bottom, Left, Right};
    case tpLeft:
        return {Right, Left, Top, Bottom};
    case tpRight:
        return {Left, Right, Top, Bottom};
    }
    return {Top, Bottom, Left, Right};
}

void Line(TCanvas& Canvas, const TSegment& S)
{
    Canvas.MoveTo(S.From.X, S.From.Y);
    Canvas.LineTo(S.To.X, S.To.Y);
}

void Polyline(TCanvas& Canvas, std::initializer_list<TPoint> Points)
{
    const TPoint* P = Points.begin();
    Canvas.MoveTo(P->X, P->Y);
    for (++P; P != Points.end(); ++P)
        Canvas.LineTo(P->X, P->Y);
}

// A separator along an end side, 3 pixels shorter at both ends.
TSegment Inset(const TSegment& S)
{
    const int DX = S.To.X > S.From.X ? 3 : 0, DY = S.To.Y > S.From.Y ? 3 : 0;
    return {{S.From.X + DX, S.From.Y + DY}, {S.To.X - DX, S.To.Y - DY}};
}

// R widened by N on the sides away from the page.
TRect AwayFromPage(const TRect& R, TTabPosition Position, int N)
{
    switch (Position) {
    case tpTop:
        return Rect(R.Left - N, R.Top - N, R.Right + N, R.Bottom);
    case tpBottom:
        return Rect(R.Left - N, R.Top, R.Right + N, R.Bottom + N);
    case tpLeft:
        return Rect(R.Left - N, R.Top - N, R.Right, R.Bottom + N);
    case tpRight:
        return Rect(R.Left, R.Top - N, R.Right + N, R.Bottom + N);
    }
    return R;
}

TRect Shrunk(const TRect& R, int By)
{
    return {R.Left + By, R.Top + By, R.Right - By, R.Bottom - By};
}

} // namespace

void DrawGradient(TCanvas& Canvas, TColor From, TColor To, int Steps, const TRect& R,
                  bool Horizontal)
{
    const COLORREF F = ColorToRGB(From), T = ColorToRGB(To);
    Steps = std::max(Steps, 1);
    const double DR = (GetRValue(T) - GetRValue(F)) / double(Steps);
    const double DG = (GetGValue(T) - GetGValue(F)) / double(Steps);
    const double DB = (GetBValue(T) - GetBValue(F)) / double(Steps);
    const double Stripe = (Horizontal ? R.Width() : R.Height()) / double(Steps);
    const int Size = RoundEven(Stripe) + 1;
    Canvas.Brush().SetStyle(bsSolid);
    for (int I = 0; I < Steps; ++I) {
        const TColor C = TColor(RGB(uint8_t(GetRValue(F) + RoundEven(I * DR)),
                                    uint8_t(GetGValue(F) + RoundEven(I * DG)),
                                    uint8_t(GetBValue(F) + RoundEven(I * DB))));
        Canvas.Pen().SetColor(C);
        Canvas.Brush().SetColor(C);
        const int Start = RoundEven(I * Stripe);
        Canvas.FillRect(Horizontal ? Rect(R.Left + Start, R.Top, R.Left + Start + Size, R.Bottom)
                                   : Rect(R.Left, R.Top + Start, R.Right, R.Top + Start + Size));
    }
}

void BitmapStretch(const QImage& Bitmap, TCanvas& Canvas, int X, int Y, int Height)
{
    Canvas.StretchDraw(Bounds(X, Y, Bitmap.width(), Height), Bitmap);
}

void BitmapStretchInWidth(const QImage& Bitmap, TCanvas& Canvas, int X, int Y, int Width)
{
    Canvas.StretchDraw(Bounds(X, Y, Width, Bitmap.height()), Bitmap);
}

void DrawTransparentBitmap(TGdiDC& DC, const QImage& Bitmap, int X, int Y, int W, int H, int SX,
                           int SY, COLORREF Transparent)
{
    for (int Row = 0; Row < H && SY + Row < Bitmap.height(); ++Row)
        for (int Col = 0; Col < W && SX + Col < Bitmap.width(); ++Col) {
            const COLORREF C = FromQRgb(Bitmap.pixel(SX + Col, SY + Row));
            if (C != Transparent)
                DC.SetPixel(X + Col, Y + Row, C);
        }
}

void TExPageControl::DrawAllTabs(TCanvas& Canvas)
{
    const int W = width(), H = height();
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(parentWidget() ? BackgroundColor(*parentWidget()) : clBtnFace);
    Canvas.Font().Assign(fFont);

    struct TTab {
        TExTabSheet* Page;
        TRect R;
        TTabPosition Side;
    };
    std::vector<TTab> Tabs;
    TRect Strip{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    const std::vector<TRect> Rects = TabRects();
    const std::vector<TTabPosition> Sides = TabSides();
    for (TExTabSheet* Page : fPages) {
        if (!Page->TabShowing())
            continue;
        const std::size_t Tab = std::size_t(Page->TabIndex());
        const TRect R = Rects.at(Tab);
        Tabs.push_back({Page, R, Sides.at(Tab)});
        Canvas.FillRect(AwayFromPage(R, Sides[Tab], 2));
        if (Sides[Tab] == fTabPosition)
            Strip = {std::min(Strip.Left, R.Left), std::min(Strip.Top, R.Top),
                     std::max(Strip.Right, R.Right), std::max(Strip.Bottom, R.Bottom)};
    }
    if (Tabs.empty())
        Strip = StripRect();

    if (!fMultiLine && Horizontal()) {
        Canvas.Brush().SetColor(fColor);
        Canvas.FillRect(Strip);
        const int Y = fTabPosition == tpTop ? Strip.Bottom - 1 : Strip.Top;
        Canvas.Pen().SetColor(fTabPosition == tpTop ? clWhite : cl3DDkShadow);
        Line(Canvas, {{std::max(Strip.Right - 35, Strip.Left), Y}, {Strip.Right, Y}});
    }

    Canvas.Brush().SetColor(fTabBackGroundColor);
    const int BandBottom = fFullRefresh ? H - 1 : H;
    switch (fTabPosition) {
    case tpTop:
        Canvas.FillRect(Rect(0, 0, W, Strip.Bottom));
        break;
    case tpBottom:
        Canvas.FillRect(Rect(0, Strip.Top, W, H));
        break;
    case tpLeft:
        Canvas.FillRect(Rect(0, 0, Strip.Right, BandBottom));
        break;
    case tpRight:
        Canvas.FillRect(Rect(Strip.Left, 0, W, BandBottom));
        break;
    }
    // The rows across the page have a band of their own.
    Canvas.FillRect(AcrossRect());

    DrawPageFrame(Canvas);

    int InactiveDrawn = 0, Row = INT_MIN;
    const TRect* Deferred = nullptr;
    const TTab* Hover = nullptr;
    for (std::size_t I = 0; I < Tabs.size(); ++I) {
        auto& [Page, R, Side] = Tabs[I];
        // Tabs share border lines only within a row.
        if (const int RowOf = Horizontal() ? R.Top : R.Left; RowOf != Row) {
            Row = RowOf;
            InactiveDrawn = 0;
        }
        const bool Active = Page == fActivePage;
        const bool Last = I + 1 == Tabs.size();
        const bool NextIsActive = !Last && Tabs[I + 1].Page == fActivePage;
        if (Page->PageIndex() == fHoverTab)
            Hover = &Tabs[I];
        // A picture of the active tab goes over every other tab.
        const bool Defer = Active && !fTabBackGroundActive.isNull();
        if (!Defer)
            DrawTabFill(Canvas, Page, R, Active);
        DrawTabOutline(Canvas, R, Side, Active, NextIsActive, Last, InactiveDrawn);
        if (Defer)
            Deferred = &R;
        else
            DrawTabContent(Canvas, Page, R, Active);
    }
    if (Deferred) {
        const TPoint O = fLowerActive >= 1 ? ActiveOffset() : TPoint{};
        const TRect& R = *Deferred;
        if (fTabPosition == tpTop || fTabPosition == tpBottom)
            BitmapStretchInWidth(fTabBackGroundActive, Canvas, R.Left + O.X, R.Top + O.Y,
                                 R.Width());
        else
            BitmapStretch(fTabBackGroundActive, Canvas, R.Left + O.X, R.Top + O.Y, R.Height());
        DrawTabContent(Canvas, fActivePage, R, true);
    }
    if (fTabSplitLine && fActivePage && fActivePage->TabShowing()) {
        // The page's edge along the strip, split from the tabs but open at the active tab.
        const TSegment Edge = SidesOf(PageFrameRect(), fTabPosition).Far;
        const TTabSides Active = SidesOf(TabRectEx(ActivePageIndex()), fTabPosition);
        Canvas.Pen().SetColor(fTabSheetBorderColor);
        Line(Canvas, {Edge.From, Active.Page.From});
        Line(Canvas, {Active.Page.To, Edge.To});
    }
    if (Hover && Hover->Page != fActivePage && fTabHoverBorder != clNone)
        DrawHoverBorder(Canvas, Hover->R, Hover->Side);
}

void TExPageControl::DrawPageFrame(TCanvas& Canvas)
{
    const TRect F = PageFrameRect();
    TGdiDC& DC = *Canvas.Handle();
    if (fActivePage && !(fActivePage->Color() == clNone && fActivePage->ColorTo() == clNone)) {
        const TRect Outer = Shrunk(F, 1), Inner = Shrunk(F, 4);
        TGdiRegion Band;
        CombineRgn(Band, CreateRectRgn(Outer.Left, Outer.Top, Outer.Right, Outer.Bottom),
                   CreateRectRgn(Inner.Left, Inner.Top, Inner.Right, Inner.Bottom), RGN_DIFF);
        DC.SelectClipRgn(&Band);
        if (fActivePage->ColorTo() == clNone) {
            Canvas.Pen().SetColor(fActivePage->Color());
            Canvas.Brush().SetStyle(bsSolid);
            Canvas.Brush().SetColor(fActivePage->Color());
            Canvas.Rectangle(F);
        } else {
            DrawGradient(Canvas, fActivePage->Color(), fActivePage->ColorTo(), 16, F, false);
        }
        DC.SelectClipRgn(nullptr);
    }
    if (fTabSheet3D) {
        TRect Edge = F;
        DrawEdge(DC, Edge, EDGE_RAISED, BF_RECT);
    } else {
        Canvas.Pen().SetColor(fTabSheetBorderColor);
        Canvas.Brush().SetStyle(bsClear);
        Canvas.Rectangle(F);
        Canvas.Brush().SetStyle(bsSolid);
    }
    if (!fRoundEdges)
        return;
    // The two corners at the strip lose their point and gain a diagonal step.
    const TSegment Near = SidesOf(F, fTabPosition).Far;
    const TPoint Corners[] = {
        Near.From, {Near.To.X - (Near.To.X > Near.From.X), Near.To.Y - (Near.To.Y > Near.From.Y)}};
    for (const TPoint& C : Corners) {
        Canvas.SetPixel(C.X, C.Y, fTabBackGroundColor);
        const int DX = C.X == F.Left ? 1 : -1;
        const int DY = C.Y == F.Top ? 1 : -1;
        Canvas.SetPixel(C.X + DX, C.Y + DY,
                        fTabSheet3D ? TColor(GetSysColor(COLOR_BTNSHADOW)) : fTabSheetBorderColor);
    }
}

void TExPageControl::DrawTabFill(TCanvas& Canvas, TExTabSheet* Page, const TRect& R, bool Active)
{
    TColor From = Page->TabColor(), To = Page->TabColorTo();
    TExTabSheet::TGradientDirection Direction = Page->TabGradientDirection();
    if (Active && fActiveColor != clNone) {
        From = fActiveColor;
        To = fActiveColorTo;
    } else if (Page->PageIndex() == fHoverTab &&
               (fTabHoverColor != clNone || fTabHoverColorTo != clNone)) {
        From = fTabHoverColor;
        To = fTabHoverColorTo;
        Direction = Page->HoverGradientDirection();
    }
    if (OnDrawTab) {
        TRect Custom = R;
        try {
            OnDrawTab(this, Page->TabIndex(), Custom, Active);
        } catch (...) {
        }
        return;
    }
    if (!fTabBackGround.isNull()) {
        if (fTabPosition == tpTop || fTabPosition == tpBottom)
            BitmapStretchInWidth(fTabBackGround, Canvas, R.Left, R.Top,
                                 R.Width() + 3 + fTabOverlap);
        else
            BitmapStretch(fTabBackGround, Canvas, R.Left, R.Top, R.Height() + 3 + fTabOverlap);
        return;
    }
    if (From == clNone)
        return;
    if (To == clNone) {
        Canvas.Brush().SetStyle(bsSolid);
        Canvas.Brush().SetColor(From);
        Canvas.FillRect(R);
        return;
    }
    const bool Horizontal = Direction == TExTabSheet::gdHorizontal;
    const TRect G = Horizontal ? Rect(R.Left, R.Top, R.Right - 1, R.Bottom)
                               : Rect(R.Left, R.Top, R.Right, R.Bottom - 1);
    DrawGradient(Canvas, From, To, 16, G, Horizontal);
}

// Neighbouring classic tabs share a border line; the active one is open
// toward the page.
void TExPageControl::DrawTabOutline(TCanvas& Canvas, const TRect& R, TTabPosition Side, bool Active,
                                    bool NextIsActive, bool Last, int& InactiveDrawn)
{
    Canvas.Pen().SetColor(fTabBorderColor);
    Canvas.Brush().SetStyle(bsClear);
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    if (fTabStyle != tsClassic) {
        const TTabSides S = SidesOf(R, Side);
        if (Active) {
            Line(Canvas, fTabStyle == tsDotNet ? S.Far : S.Start);
            Line(Canvas, S.End);
        } else {
            Line(Canvas, S.Page);
            if (!NextIsActive || Last)
                Line(Canvas, Inset(S.End));
        }
    } else if (Active) {
        // Its far edges lie just outside its rectangle: at the control's own
        // edges they are drawn on its last pixels, so that all of them show.
        const int FarTop = std::max(T - 1, 0), FarLeft = std::max(L - 1, 0);
        const int Right = std::min(Rt, width() - 1), Bottom = std::min(B, height() - 1);
        switch (Side) {
        case tpBottom:
            Polyline(Canvas, {{L, T}, {L, Bottom}, {Right, Bottom}, {Right, T - 1}});
            break;
        case tpTop:
            Polyline(Canvas, {{L, B - 1}, {L, FarTop}, {Right, FarTop}, {Right, B}});
            break;
        case tpLeft:
            Polyline(Canvas, {{Rt - 1, T}, {FarLeft, T}, {FarLeft, Bottom}, {Rt, Bottom}});
            break;
        case tpRight:
            Polyline(Canvas, {{L, T}, {Right, T}, {Right, Bottom}, {L - 1, Bottom}});
            break;
        }
    } else {
        const int S = (InactiveDrawn++ > 0 && !fTabSheet3D && !fTabSplitLine) ? 1 : 0;
        const int ToRight = Rt >= width() - 5 ? Rt : Rt + 1;
        const int ToBottom = B >= height() - 5 ? B : B + 1;
        switch (Side) {
        case tpBottom:
            Canvas.Rectangle(L, T - S, ToRight, B);
            break;
        case tpTop:
            Canvas.Rectangle(L, T, ToRight, B + S);
            break;
        case tpLeft:
            Canvas.Rectangle(L, T, Rt + S, ToBottom);
            break;
        case tpRight:
            Canvas.Rectangle(L - S, T, Rt, ToBottom);
            break;
        }
    }
    Canvas.Brush().SetStyle(bsSolid);
}

TPoint TExPageControl::ActiveOffset() const
{
    switch (fTabPosition) {
    case tpTop:
        return {0, fLowerActive};
    case tpBottom:
        return {0, fLowerActive + 1};
    case tpLeft:
        return {fLowerActive, 0};
    case tpRight:
        return {-fLowerActive, 0};
    }
    return {};
}

// The image goes first and pushes the text along the tab; both sit centred
// in the room the close box leaves. The caption's accelerator is underlined
// on top and bottom tabs; turned text shows it without the mark.
void TExPageControl::DrawTabContent(TCanvas& Canvas, TExTabSheet* Page, const TRect& R, bool Active)
{
    Canvas.Font().Assign(Active ? fActiveFont : fFont);
    if (!Active)
        Canvas.Font().SetColor(Page->TextColor());
    if (!Page->TabEnable())
        Canvas.Font().SetColor(cCloseGrey);
    if (!Page->SheetEnabled())
        Canvas.Font().SetColor(clGrayText);
    Canvas.Handle()->SetBkMode(TRANSPARENT);
    const std::string Caption = Page->GetCaption();
    const bool Turned = !Horizontal();
    const unsigned Format = DT_SINGLELINE | DT_NOCLIP | (Turned ? unsigned(DT_HIDEPREFIX) : 0u);
    Canvas.RealizeFont();
    TRect Text{0, 0, 0, 0};
    Canvas.Handle()->DrawText(Caption, Text, Format | DT_CALCRECT);
    const QImage Image = fImages ? fImages->GetIcon(DrawnImageIndex(Page)) : QImage();
    const int Along = Text.Width() + (Turned ? Image.height() : Image.width());
    // Room before and after the content along the tab, in reading order.
    const int Close = Page->ShowClose() ? 18 : 0;
    const int Before = fClosePosition == cpLeft ? Close : 0;
    const int After = fClosePosition == cpRight ? Close : 0;
    const int Across = Turned ? R.Width() : R.Height();
    const auto Centred = [](int Room, int Size) { return std::max(Room - Size, 0) / 2; };
    int X = 0, Y = 0;
    switch (fTabPosition) {
    case tpTop:
    case tpBottom:
        X = R.Left + Before + Centred(R.Width() - Before - After, Along);
        Y = R.Top + Centred(Across, Text.Height());
        if (!Image.isNull()) {
            Canvas.Draw(X, R.Top + Centred(Across, Image.height()), Image);
            X += Image.width();
        }
        break;
    case tpLeft:
        // Read upward: the text's top edge faces the far side.
        Canvas.Font().SetOrientation(-2700);
        X = R.Left + Centred(Across, Text.Height());
        Y = R.Bottom - Before - Centred(R.Height() - Before - After, Along);
        if (!Image.isNull()) {
            Y -= Image.height();
            Canvas.Draw(R.Left + Centred(Across, Image.width()), Y, Image);
        }
        break;
    case tpRight:
        Canvas.Font().SetOrientation(-900);
        X = R.Right - Centred(Across, Text.Height());
        Y = R.Top + Before + Centred(R.Height() - Before - After, Along);
        if (!Image.isNull()) {
            Canvas.Draw(R.Left + Centred(Across, Image.width()), Y, Image);
            Y += Image.height();
        }
        break;
    }
    Canvas.RealizeFont();
    TRect At{X, Y, X, Y};
    Canvas.Handle()->DrawText(Caption, At, Format);
    Canvas.Font().SetOrientation(0);
    if (Page->ShowClose())
        DrawCloseButton(Canvas, R, Active);
    if (Active)
        DrawFocusRectangle(Canvas, R);
}

// The top-left corner of the box's cell: the box covers (X + 2, Y + 2) to
// (X + 14, Y + 13).
TPoint TExPageControl::CloseButtonOrigin(const TRect& R, bool Active) const
{
    const int O = Active ? fLowerActive : 0;
    const TTabMargin& M = fTabMargin;
    const bool Right = fClosePosition == cpRight;
    switch (fTabPosition) {
    case tpTop:
    case tpBottom:
        return {Right ? R.Right - M.RightMargin() - 14 : R.Left + M.LeftMargin(),
                R.Top + M.TopMargin() + O};
    case tpRight:
        return {R.Left + M.LeftMargin() + 2 - O,
                Right ? R.Bottom - M.RightMargin() - 13 : R.Top + M.TopMargin()};
    case tpLeft:
        break;
    }
    const int Bottom = (Right ? R.Top + M.RightMargin() + 13 : R.Bottom - M.TopMargin()) +
                       (fTabBackGroundActive.isNull() ? fTabOverlap : 0);
    return {R.Left + M.LeftMargin() + O, Bottom - 15};
}

void TExPageControl::DrawCloseButton(TCanvas& Canvas, const TRect& TabRect, bool Active)
{
    const TPoint At = CloseButtonOrigin(TabRect, Active);
    if (!fCloseGlyph.isNull())
        DrawCloseGlyph(Canvas, {At.X + 2, At.Y + 2});
    else if (Active && fDownClosedButton)
        DrawCloseBox(Canvas, At, cCloseSilver, clBlack, clBlack);
    else if (Active && fHoverClosedButton)
        DrawCloseBox(Canvas, At, clWhite, clBlack, cCloseGrey);
    else
        DrawCloseBox(Canvas, At, clWhite, cCloseGrey, clBlack);
}

void TExPageControl::DrawCloseBox(TCanvas& Canvas, TPoint At, TColor Face, TColor Border,
                                  TColor Cross)
{
    Canvas.Pen().SetColor(Border);
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(Face);
    Canvas.Rectangle(At.X + 2, At.Y + 2, At.X + 14, At.Y + 13);
    Canvas.Brush().SetColor(Cross);
    for (int K = 0; K < 6; ++K) {
        Canvas.FillRect(Rect(At.X + 5 + K, At.Y + 4 + K, At.X + 7 + K, At.Y + 5 + K));
        Canvas.FillRect(Rect(At.X + 10 - K, At.Y + 4 + K, At.X + 12 - K, At.Y + 5 + K));
    }
}

// The glyph's transparent colour is its bottom-left pixel.
void TExPageControl::DrawCloseGlyph(TCanvas& Canvas, TPoint At)
{
    if (fCloseGlyph.isNull())
        return;
    const COLORREF Transparent = FromQRgb(fCloseGlyph.pixel(0, fCloseGlyph.height() - 1));
    DrawTransparentBitmap(*Canvas.Handle(), fCloseGlyph, At.X, At.Y, 12, 11, 0, 0, Transparent);
}

// Inside the active tab, moved with its content.
void TExPageControl::DrawFocusRectangle(TCanvas& Canvas, const TRect& R)
{
    if (!fShowFocus || !hasFocus())
        return;
    const TPoint O = ActiveOffset();
    const TRect F = Shrunk(R, 3);
    DrawFocusRect(*Canvas.Handle(), {F.Left + O.X, F.Top + O.Y, F.Right + O.X, F.Bottom + O.Y});
}

void TExPageControl::DrawHoverBorder(TCanvas& Canvas, const TRect& R, TTabPosition Side)
{
    const TTabSides S = SidesOf(R, Side);
    Canvas.Pen().SetColor(fTabHoverBorder);
    Line(Canvas, S.Start);
    Line(Canvas, S.Far);
    Line(Canvas, S.End);
}
