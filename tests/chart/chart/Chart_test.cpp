#include "chart/axes/ChartAxisParts.h"
#include "chart/canvas/CanvasFixture.h"
#include "chart/canvas/PlotHtml.h"
#include "chart/series/SeriesDoubles.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

using series_test::TFiveListSeries;

// A 2D chart as the terminal runs it (white panel, no bevels, pixel
// margins) without axes, so that walls, titles and legend alone shape it.
class TChartPanel : public TChart {
public:
    TChartPanel(int W = 300, int H = 200, int Margin = 20)
    {
        SetSize(W, H);
        SetView3D(false);
        SetColor(clWhite);
        BevelOuter = bvNone;
        SetMarginUnits(muPixels);
        for (int I = 0; I < 4; ++I)
            SetMargin(I, Margin);
        SetAxisVisible(false);
        for (TPlotFont* F : {&Title().Font(), &SubTitle().Font(), &Foot().Font(), &SubFoot().Font(),
                             &Legend().Font()})
            F->SetName("DejaVu Sans");
    }
    using TChart::CalcWallsRect;
    TRect& Rect() { return TCustomPlotPanel::ChartRect; }
    void Frame() { Draw(&ControlCanvas(), GetRectangle()); }
    COLORREF At(int X, int Y) { return FromQRgb(PlotCanvas().Bitmap()->Image().pixel(X, Y)); }
    // The box of the pixels within R that Accept takes.
    template <class F> TRect InkIn(const TRect& R, F Accept)
    {
        TRect Box{R.Right, R.Bottom, R.Left, R.Top};
        for (int Y = std::max(R.Top, 0); Y < std::min(R.Bottom, Height()); ++Y)
            for (int X = std::max(R.Left, 0); X < std::min(R.Right, Width()); ++X)
                if (Accept(At(X, Y)))
                    Box = {std::min(Box.Left, X), std::min(Box.Top, Y), std::max(Box.Right, X + 1),
                           std::max(Box.Bottom, Y + 1)};
        return Box;
    }
    // Texts are measured on a canvas of their own: the chart's measures only while painting.
    int FontHeight(TPlotFont& F)
    {
        Meter.Canvas.AssignFont(F);
        return Meter.Canvas.GetFontHeight();
    }
    int TextWidth(TPlotFont& F, const std::string& S, bool Html = false)
    {
        Meter.Canvas.AssignFont(F);
        return Html ? HtmlTextExtent(Meter.Canvas, S).cx : Meter.Canvas.TextWidth(S);
    }
    TFiveListSeries& AddSeries(const std::string& Title, TColor Color)
    {
        Owned.push_back(std::make_unique<TFiveListSeries>());
        TFiveListSeries& S = *Owned.back();
        S.SetTitle(Title);
        S.SetSeriesColor(Color);
        InternalAddSeries(&S);
        return S;
    }

    TCanvasFixture Meter{1, 1};
    std::vector<std::unique_ptr<TFiveListSeries>> Owned;
};

const TRect Whole{20, 20, 280, 180};

bool Bluish(COLORREF P)
{
    return int((P >> 16) & 0xFF) - int(P & 0xFF) > 60;
}
bool Reddish(COLORREF P)
{
    return int(P & 0xFF) - int((P >> 16) & 0xFF) > 60;
}
bool Dark(COLORREF P)
{
    return (P & 0xFF) < 128 && ((P >> 8) & 0xFF) < 128 && ((P >> 16) & 0xFF) < 128;
}

TEST(ChartWalls, FlatBackWallCoversTheChartRectangleAndSideWallsNeverShow)
{
    TChartPanel P;
    for (TCustomChartWall* W : {static_cast<TCustomChartWall*>(&P.Walls().Left()),
                                static_cast<TCustomChartWall*>(&P.Walls().Bottom())})
        W->SetColor(clLime);
    P.Walls().SetSize(6);
    P.Frame();
    EXPECT_EQ(P.Rect(), Whole);
    // Transparent by default: only its frame shows.
    EXPECT_EQ(P.At(20, 20), clBlack);
    EXPECT_EQ(P.At(279, 179), clBlack);
    EXPECT_EQ(P.At(150, 100), clWhite);

    P.SetBackColor(clRed);
    P.Frame();
    EXPECT_EQ(P.At(21, 21), clRed);
    EXPECT_EQ(P.At(278, 178), clRed);
    EXPECT_EQ(P.At(20, 100), clBlack);
    EXPECT_EQ(P.At(280, 100), clWhite);
    EXPECT_EQ(P.At(150, 180), clWhite);
    EXPECT_EQ(P.InkIn({0, 0, 300, 200}, [](COLORREF C) { return C == clLime; }).IsEmpty(), true);

    // An unset colour fills with the wall's own.
    P.Walls().Back().SetColor(clPlotColor);
    P.Frame();
    EXPECT_EQ(P.At(150, 100), clSilver);
    P.SetView3DWalls(false);
    P.Frame();
    EXPECT_EQ(P.At(150, 100), clWhite);
}

TEST(ChartWalls, SizesAndRoomOnlyIn3DWithWalls)
{
    TChartPanel P;
    TChartWalls& W = P.Walls();
    W.Left().SetSize(4);
    W.Bottom().SetSize(5);
    W.Back().SetSize(7);
    W.Right().SetSize(9);
    EXPECT_EQ(P.CalcWallSize(*P.LeftAxis()), 0);

    P.SetView3D(true);
    EXPECT_EQ(P.CalcWallSize(*P.LeftAxis()), 4);
    EXPECT_EQ(P.CalcWallSize(*P.BottomAxis()), 5);
    EXPECT_EQ(P.CalcWallSize(*P.TopAxis()), 7);
    EXPECT_EQ(P.CalcWallSize(*P.RightAxis()), 0) << "the right wall is hidden";
    P.SetView3DWalls(false);
    EXPECT_EQ(P.CalcWallSize(*P.LeftAxis()), 0);

    P.SetView3DWalls(true);
    P.View3DOptions().SetElevation(45);
    P.SetChart3DPercent(4);
    P.View3DOptions().SetOrthoAngle(17);
    P.Rect() = Whole;
    P.ReCalcWidthHeight();
    P.CalcWallsRect();
    EXPECT_EQ(std::pair(P.Width3D(), P.Height3D), std::pair(10, 3)) << "from the 3D percent";
    // No series uses axes: no depth; the left wall, and the back wall with
    // the height at the top.
    EXPECT_EQ(P.Rect(), (TRect{25, 30, 280, 180}));
    P.AddSeries("Candles", clRed);
    P.Rect() = Whole;
    P.ReCalcWidthHeight();
    P.CalcWallsRect();
    EXPECT_EQ(P.Rect(), (TRect{25, 30, 263, 180})) << "depth and back wall on the right";
    EXPECT_EQ(P.ChartWidth(), 238);
    P.View3DOptions().SetElevation(300);
    P.Rect() = Whole;
    P.ReCalcWidthHeight();
    P.CalcWallsRect();
    EXPECT_EQ(P.Rect().Left, 42);
}

TEST(ChartTitles, TopAndFootTitlesTakeTheirRoomLinesByExtent)
{
    TChartPanel P;
    const int H = P.FontHeight(P.Title().Font());
    P.Title().SetText({"Price", "BTC / USDT"});
    P.Foot().SetCaption("Volume");
    P.Frame();
    const TRect& T = P.Title().ShapeBounds;
    EXPECT_EQ(T.Top, 20);
    EXPECT_EQ(T.Height(), 2 * H);
    EXPECT_EQ(P.Rect().Top, T.Bottom + 5);
    const TRect& F = P.Foot().ShapeBounds;
    EXPECT_EQ(F.Bottom, 180);
    EXPECT_EQ(P.Rect().Bottom, F.Top - 5);

    // Both lines centred, the second under the first.
    const TRect Ink = P.InkIn(T, Bluish);
    const int Wide = P.TextWidth(P.Title().Font(), "BTC / USDT");
    EXPECT_NEAR(Ink.Width(), Wide, 3);
    EXPECT_NEAR((Ink.Left + Ink.Right) / 2, 150, 2);
    EXPECT_GT(Ink.Bottom, T.Top + H);
    EXPECT_FALSE(P.InkIn(F, Reddish).IsEmpty());
    EXPECT_TRUE(P.InkIn({0, F.Bottom, 300, 200}, Reddish).IsEmpty());
}

TEST(ChartTitles, AlignmentPlacesTheFrameAndTheTextItShows)
{
    struct Case {
        TAlignment Align;
        int Edge;
        const char* Caption;
        bool Html;
    };
    for (const Case& C : {Case{taLeftJustify, 20, "Tavrix", false},
                          {taRightJustify, 280, "Tavrix", false},
                          {taRightJustify, 280, "<b>Tavrix</b> chart", true},
                          {taCenter, 150, "<b>Tavrix</b> chart", true}}) {
        TChartPanel P;
        TChartTitle& Title = P.SubTitle();
        Title.SetCaption(C.Caption);
        Title.SetAlignment(C.Align);
        Title.SetTextFormat(C.Html ? ttfHtml : ttfNormal);
        P.Frame();
        const TRect& T = Title.ShapeBounds;
        EXPECT_EQ(T.Width(), P.TextWidth(Title.Font(), C.Caption, C.Html)) << C.Caption;
        const TRect Ink = P.InkIn({0, 0, 300, 200}, Bluish);
        const int InkEdge = C.Align == taLeftJustify    ? Ink.Left
                            : C.Align == taRightJustify ? Ink.Right
                                                        : (Ink.Left + Ink.Right) / 2;
        EXPECT_NEAR(InkEdge, C.Edge, 2) << C.Caption;
    }
}

TEST(ChartTitles, EmptyOrHiddenTitlesTakeNoRoomAndHandPlacedOnesKeepTheirPlace)
{
    TChartPanel P;
    P.Title().SetCaption("Gone");
    P.Title().SetCaption("");
    EXPECT_TRUE(P.Title().Text().empty());
    P.Foot().SetCaption("Hidden");
    P.Foot().Hide();
    P.SubFoot().SetCaption("Here");
    P.SubFoot().SetTop(60);
    P.SubFoot().SetLeft(100);
    P.Frame();
    EXPECT_EQ(P.Rect(), Whole);
    const TRect Ink = P.InkIn({0, 0, 300, 200}, Reddish);
    EXPECT_GE(Ink.Left, 100);
    EXPECT_GE(Ink.Top, 60);
    EXPECT_TRUE(P.SubFoot().Clicked(101, 61));
    EXPECT_FALSE(P.Foot().Clicked(150, 175));
}

TEST(ChartLegend, RightLegendListsSeriesWithSymbolsAndText)
{
    TChartPanel P;
    P.AddSeries("Open", clRed);
    P.AddSeries("Close price", clBlue);
    P.AddSeries("Hidden", clLime).SetShowInLegend(false);
    TChartLegend& L = P.Legend();
    P.Frame();
    ASSERT_EQ(L.InternalLegendStyle(), lsSeries);
    ASSERT_EQ(L.Items().size(), 2u);
    EXPECT_EQ(L.FormattedLegend(1), "Close price");
    const int H = P.FontHeight(L.Font());
    const int Wide = P.TextWidth(L.Font(), "Close price");
    const int Symbol = Wide * 20 / 100;
    const TRect& B = L.ShapeBounds;
    EXPECT_EQ(B.Right, 280);
    EXPECT_EQ(B.Top, 30);
    EXPECT_EQ(B.Width(), 2 * 2 + Symbol + 4 + Wide);
    EXPECT_EQ(B.Height(), 2 * 2 + 2 * H);
    EXPECT_EQ(P.Rect(), (TRect{20, 20, B.Left - 5, 180}));

    for (size_t I = 0; I < 2; ++I) {
        const TLegendItem& Item = L.Items()[I];
        const TRect& S = Item.Symbol;
        EXPECT_EQ(S.Width(), Symbol);
        EXPECT_EQ(P.At((S.Left + S.Right) / 2, (S.Top + S.Bottom) / 2), I == 0 ? clRed : clBlue);
        const TRect Ink = P.InkIn({Item.Left, Item.Top, B.Right - 1, Item.Top + H}, Dark);
        EXPECT_NEAR(Ink.Width(), P.TextWidth(L.Font(), Item.Text), 3);
    }
}

TEST(ChartLegend, HtmlRowsAreAsWideAsTheTextTheyShow)
{
    TChartPanel P;
    P.AddSeries("<b>Close</b> price", clBlue);
    P.AddSeries("Open", clRed);
    TChartLegend& L = P.Legend();
    L.SetTextFormat(ttfHtml);
    P.Frame();
    const int Wide = P.TextWidth(L.Font(), "<b>Close</b> price", true);
    EXPECT_EQ(L.ShapeBounds.Width(), 2 * 2 + Wide * 20 / 100 + 4 + Wide);
}

TEST(ChartLegend, TheChartsEventsAdjustTextsBoxAndRowsAndTheGradientEndsInTheRowsColour)
{
    TChartPanel P;
    P.AddSeries("Open", clRed);
    P.AddSeries("Close", clBlue);
    P.OnGetLegendText = [](TCustomAxisPanel*, TLegendStyle Style, int Index, std::string& Text) {
        Text += (Style == lsSeries ? "#" : "?") + std::to_string(Index);
    };
    P.OnGetLegendRect = [](TCustomChart*, TRect& R) { R.Top += 5; };
    P.OnGetLegendPos = [](TCustomChart*, int Index, int&, int& Y, int&) { Y += 3 * Index; };
    TLegendSymbol& Symbol = P.Legend().Symbol();
    Symbol.SetWidthUnits(lcsPixels);
    Symbol.SetWidth(20);
    Symbol.Gradient().SetVisible(true);
    Symbol.Gradient().SetDirection(gdLeftRight);
    Symbol.Gradient().SetStartColor(clWhite);
    Symbol.SetDefaultPen(false);
    Symbol.Pen().SetColor(clLime);
    P.Frame();
    const TChartLegend& L = P.Legend();
    EXPECT_EQ(L.FormattedLegend(1), "Close#1");
    EXPECT_EQ(L.ShapeBounds.Top, 35);
    EXPECT_EQ(L.Items()[1].Top - L.Items()[0].Top, P.FontHeight(P.Legend().Font()) + 3);
    EXPECT_EQ(L.Clicked(L.ShapeBounds.Left + 3, L.Items()[1].Top + 1), 1) << "the row moved too";
    // From the start colour to the row's colour across the symbol.
    const TRect& S = L.Items()[1].Symbol;
    const auto Red = [](COLORREF C) { return int(C & 0xFF); };
    EXPECT_FALSE(P.InkIn(S, [&](COLORREF C) { return Red(C) > 0xE0; }).IsEmpty()) << "whitish";
    EXPECT_FALSE(P.InkIn(S, [&](COLORREF C) { return Red(C) < 0x20 && Bluish(C); }).IsEmpty());
    EXPECT_EQ(P.At(S.Left, (S.Top + S.Bottom) / 2), clLime) << "framed in the symbol's pen";
    EXPECT_EQ(std::pair(P.LegendColor(), P.LegendPen().Color()), std::pair(clBlue, clLime));
}

TEST(ChartLegend, RowsOfSeveralLinesAreMeasuredByTheirWidestLineAndAllAsHigh)
{
    TChartPanel P;
    TFiveListSeries& S = P.AddSeries("Candles", clRed);
    S.AddXY(1, 10, std::string("Close price") + PlotLineSeparator + "up");
    S.AddXY(2, 20, "Open");
    TChartLegend& L = P.Legend();
    L.SetTextStyle(ltsPlain);
    P.Frame();
    const int H = P.FontHeight(L.Font()), Wide = P.TextWidth(L.Font(), "Close price");
    const TRect& B = L.ShapeBounds;
    EXPECT_EQ(B.Width(), 2 * 2 + Wide * 20 / 100 + 4 + Wide);
    EXPECT_EQ(B.Height(), 2 * 2 + 2 * 2 * H);
    const TLegendItem& First = L.Items().at(0);
    EXPECT_NEAR(P.InkIn({First.Left, First.Top + H, B.Right - 1, First.Top + 2 * H}, Dark).Width(),
                P.TextWidth(L.Font(), "up"), 3);
}

TEST(ChartLegend, EachAlignmentTakesItsSide)
{
    for (TLegendAlignment A : {laLeft, laTop, laBottom}) {
        TChartPanel P;
        for (const char* T : {"A", "B", "C", "D", "E"})
            P.AddSeries(T, clRed);
        TChartLegend& L = P.Legend();
        L.SetAlignment(A);
        L.SetMaxNumRows(2);
        P.Frame();
        const TRect& B = L.ShapeBounds;
        if (A == laLeft) {
            EXPECT_EQ(B.Left, 20);
            EXPECT_EQ(P.Rect().Left, B.Right + 5);
            EXPECT_EQ(L.NumRows(), 5);
            continue;
        }
        EXPECT_EQ(B.Left, 30);
        EXPECT_EQ(L.NumCols(), 5) << "all five fit one row";
        EXPECT_EQ(L.NumRows(), 1);
        if (A == laTop)
            EXPECT_EQ(P.Rect().Top, B.Bottom + 5);
        else
            EXPECT_EQ(P.Rect().Bottom, B.Top - 5);
    }
    // Rows fill a side legend's height below its top offset and padding.
    TChartPanel P;
    for (int I = 0; I < 30; ++I)
        P.AddSeries(std::to_string(I), clRed);
    P.Legend().SetAlignment(laLeft);
    P.Frame();
    const TChartLegend& L = P.Legend();
    const int Row = L.Items()[1].Top - L.Items()[0].Top;
    EXPECT_EQ(L.NumRows(), (Whole.Height() - 10 - 2 * 2) / Row);
}

TEST(ChartLegend, NoRowsMeansNoFrameAndNoRoom)
{
    TChartPanel P;
    P.AddSeries("Candles", clRed).SetShowInLegend(false);
    P.Owned.back()->AddXY(1, 2, "one");
    TChartLegend& L = P.Legend();
    for (TLegendStyle S : {lsSeries, lsAuto, lsLastValues}) {
        L.SetLegendStyle(S);
        P.Frame();
        EXPECT_TRUE(L.Items().empty()) << S;
        EXPECT_EQ(L.LastValue(), -1);
        EXPECT_EQ(P.Rect(), Whole);
        EXPECT_EQ(P.At(270, 30), clWhite) << "no legend frame";
    }
}

TEST(ChartLegend, OneSeriesListsItsValuesFromFirstValueInItsTextStyle)
{
    TChartPanel P;
    TFiveListSeries& S = P.AddSeries("Candles", clRed);
    S.AddXY(1, 10, "ten\x06up");
    S.AddXY(2, 20, "", clBlue);
    S.AddXY(3, 30, "thirty");
    TChartLegend& L = P.Legend();
    P.Frame();
    EXPECT_EQ(L.InternalLegendStyle(), lsValues);
    ASSERT_EQ(L.Items().size(), 3u);
    EXPECT_EQ(L.FormattedLegend(0), "10 ten up");
    EXPECT_EQ(L.FormattedLegend(1), "20") << "an unlabelled point shows its value";
    const TRect& Sym = L.Items()[1].Symbol;
    EXPECT_EQ(P.At((Sym.Left + Sym.Right) / 2, (Sym.Top + Sym.Bottom) / 2), clBlue);

    EXPECT_THROW(
        try { L.SetFirstValue(-1); } catch (const ChartException& E) {
            EXPECT_STREQ(E.what(), "First Legend Value must be > 0");
            throw;
        },
        ChartException);
    EXPECT_EQ(L.FirstValue(), 0);
    L.SetFirstValue(1);
    L.SetInverted(true);
    L.SetTextStyle(ltsRightValue);
    P.Frame();
    ASSERT_EQ(L.Items().size(), 2u);
    EXPECT_EQ(L.FormattedLegend(0), "thirty 30");
    EXPECT_EQ(L.LastValue(), 2);
}

TEST(ChartLegend, ManyValuesOnTopMakeTextsOnlyForTheRowsShown)
{
    // Counts the row texts the legend asks for.
    struct TCountingSeries : TFiveListSeries {
        std::string LegendString(int32_t LegendIndex, TLegendTextStyle AStyle) const override
        {
            ++Texts;
            return TFiveListSeries::LegendString(LegendIndex, AStyle);
        }
        mutable int Texts = 0;
    };
    TChartPanel P;
    TCountingSeries S;
    S.BeginUpdate();
    for (int I = 0; I < 32000; ++I)
        S.AddXY(I, I % 1000);
    S.EndUpdate();
    P.InternalAddSeries(&S);
    TChartLegend& L = P.Legend();
    L.SetAlignment(laTop);
    P.Frame();
    EXPECT_EQ(L.TotalItems(), 32000);
    EXPECT_EQ(L.NumRows(), 10);
    EXPECT_GT(L.NumCols(), 1);
    EXPECT_EQ(int(L.Items().size()), L.NumCols() * L.NumRows());
    // At most the rows of the widest count the first line allows (ten rows
    // of about twenty narrow values), not all 32,000.
    EXPECT_LE(S.Texts, 400);
    P.RemoveSeries(&S);
}

TEST(ChartLegend, ClicksFindRowsAndCheckBoxesSwitchSeries)
{
    TChartPanel P;
    for (const char* T : {"One", "Two", "Three"})
        P.AddSeries(T, clRed);
    TChartLegend& L = P.Legend();
    P.Frame();
    const TRect& B = L.ShapeBounds;
    for (int I = 0; I < 3; ++I)
        EXPECT_EQ(L.Clicked(B.Left + 5, L.Items()[size_t(I)].Top + 2), I);
    EXPECT_EQ(L.Clicked(B.Left - 2, L.Items()[0].Top + 2), -1);
    EXPECT_EQ(L.Clicked(B.Left + 5, B.Bottom + 3), -1);
    EXPECT_FALSE(L.DoMouseDown(1)) << "no check boxes";

    L.SetCheckBoxes(true);
    P.Frame();
    EXPECT_TRUE(L.DoMouseDown(1));
    EXPECT_FALSE(P.Owned[1]->Active());
    P.Frame();
    // The switched-off series keeps its row so that it can come back.
    ASSERT_EQ(L.Items().size(), 3u);
    EXPECT_TRUE(L.DoMouseDown(1));
    EXPECT_TRUE(P.Owned[1]->Active());
    EXPECT_FALSE(L.DoMouseDown(3));
    EXPECT_FALSE(L.DoMouseDown(-1));

    L.SetCheckBoxesStyle(cbsRadio);
    EXPECT_TRUE(L.DoMouseDown(2));
    EXPECT_FALSE(P.Owned[0]->Active());
    EXPECT_FALSE(P.Owned[1]->Active());
    EXPECT_TRUE(P.Owned[2]->Active());
}

TEST(ChartParts, ZeroSizeChartsDrawNothingAndSurvive)
{
    for (auto [W, H] : {std::pair{0, 0}, {1, 1}, {40, 0}, {30, 30}}) {
        TChartPanel P(W, H, 0);
        P.AddSeries("A", clRed).AddXY(1, 1, "a");
        P.AddSeries("B", clBlue);
        P.SetBackColor(clRed);
        P.Title().SetText({"x", "y"});
        P.Foot().SetCaption("z");
        for (TLegendAlignment A : {laLeft, laRight, laTop, laBottom}) {
            P.Legend().SetAlignment(A);
            P.Frame();
            EXPECT_EQ(P.Legend().Clicked(0, 0) >= -1, true);
        }
    }
}

} // namespace
