#include "chart/canvas/CanvasFixture.h"
#include "chart/series/SeriesDoubles.h"

#include <set>

namespace {

using namespace series_test;

// A series on the panel double (X 10..20 over pixels 100..300, Y 0..100
// over 250..50) whose marks draw on a real canvas.
struct TMarksFixture {
    TPanelDouble Chart;
    TChartSeries Series;
    TMarksFixture()
    {
        Series.SetParentChart(&Chart);
        Series.Marks().SetVisible(true);
        Series.Marks().Pen().SetColor(clBlack);
        Series.Marks().SetColor(clYellow);
        Chart.DrawMore = [this] { Series.DrawMarks(); };
    }
    void Frame()
    {
        Series.CalcFirstLastVisibleIndex();
        Chart.Frame();
    }
    std::set<int32_t> Marked()
    {
        std::set<int32_t> Out;
        for (int32_t I = 0; I < Series.Marks().Positions().Count(); ++I)
            if (Series.Marks().Positions().At(I))
                Out.insert(I);
        return Out;
    }
};

TEST(SeriesMarks, TextsOfEveryStyle)
{
    TChartSeries S;
    S.SetTitle("Prices");
    S.AddXY(11, 10, "a");
    S.AddXY(12, 20);
    S.AddXY(13, 70, "c");
    struct TCase {
        TSeriesMarksStyle Style;
        int32_t Index;
        const char* Text;
    };
    const TCase Cases[] = {
        {smsValue, 1, "20"},
        {smsPercent, 1, "20 %"},
        {smsLabel, 0, "a"},
        {smsLabel, 1, "20"},
        {smsLegend, 1, "20"},
        {smsLabelPercent, 0, "a 10 %"},
        {smsLabelValue, 2, "c 70"},
        {smsPercentTotal, 0, "10 % of 100"},
        {smsLabelPercentTotal, 2, "c 70 % of 100"},
        {smsXValue, 0, "11"},
        {smsXY, 1, "12 20"},
        {smsSeriesTitle, 1, "Prices"},
        {smsPointIndex, 2, "2"},
        {smsPercentRelative, 0, ""},
        {smsPercentRelative, 2, "700 %"},
    };
    for (const auto& C : Cases) {
        S.Marks().SetStyle(C.Style);
        EXPECT_EQ(S.GetMarkText(C.Index), C.Text) << int(C.Style);
    }
    S.Marks().SetMultiLine(true);
    S.Marks().SetStyle(smsLabelValue);
    EXPECT_EQ(S.GetMarkText(2), "c\n70");
    S.Marks().SetStyle(smsPercentTotal);
    EXPECT_EQ(S.GetMarkText(0), "10 %\rof 100");
    S.Marks().SetStyle(smsLabelValue);
    S.Marks().Items().Item(2).Text = "own";
    EXPECT_EQ(S.GetMarkText(2), "own");
    S.OnGetMarkText = [](TChartSeries*, int32_t I, std::string& Text) {
        Text += "!" + std::to_string(I);
    };
    EXPECT_EQ(S.GetMarkText(2), "own!2");

    TChartSeries Zeros; // a share of nothing is no number
    Zeros.AddXY(1, 0);
    Zeros.AddXY(2, 0);
    for (auto Style : {smsPercent, smsPercentRelative, smsLabelPercentTotal}) {
        Zeros.Marks().SetStyle(Style);
        EXPECT_EQ(Zeros.GetMarkText(1), "") << int(Style);
    }
}

TEST(SeriesMarks, LegendAndXTextsAsTheChartWritesThem)
{
    TMarksFixture F;
    F.Series.AddXY(11, 10, "a");
    F.Series.Marks().SetStyle(smsLegend);
    EXPECT_EQ(F.Series.GetMarkText(0), F.Chart.FormattedValueLegend(&F.Series, 0));
    EXPECT_EQ(F.Series.GetMarkText(0), "10 a") << "the legend's columns parted by a blank";
    // The X value in the horizontal axis' format.
    F.Chart.Bottom.SetAxisValuesFormat("0.00");
    F.Series.Marks().SetStyle(smsXValue);
    EXPECT_EQ(F.Series.GetMarkText(0), "11.00");
    EXPECT_EQ(F.Series.LegendString(0, ltsXValue), "11.00");
}

TEST(SeriesMarks, TheLegendSymbolStandsLeftOfTheText)
{
    TMarksFixture F;
    F.Series.AddXY(15, 50, "x");
    F.Series.SetValueColor(0, clRed);
    F.Series.Marks().SetArrowLength(0);
    F.Frame();
    const int Plain = F.Series.Marks().Positions().At(0)->Width;
    F.Series.Marks().Symbol().SetVisible(true);
    F.Frame();
    const TSeriesMarkPosition& P = *F.Series.Marks().Positions().At(0);
    TCanvasFixture Meter;
    Meter.Canvas.AssignFont(F.Series.Marks().Font());
    const int LineH = Meter.Canvas.GetFontHeight();
    EXPECT_EQ(P.Width, Plain + LineH + 2);
    const TRect B = P.Bounds();
    const int Left = B.Left + F.Series.Marks().Margins().Offset(LineH).X;
    EXPECT_EQ(F.Chart.At(Left + LineH / 2 - 1, B.Top + LineH / 2), clRed);
    EXPECT_EQ(F.Chart.At(Left + LineH + 1, B.Top + LineH / 2), clYellow) << "the gap";
}

TEST(SeriesMarks, WhichPointsGetAMark)
{
    TMarksFixture F;
    for (int I = 0; I < 12; ++I) // X 8..19: indices 2..11 are visible
        F.Series.AddXY(8 + I, 50);
    F.Series.Marks().SetDrawEvery(3);
    F.Frame();
    EXPECT_EQ(F.Marked(), (std::set<int32_t>{3, 6, 9}));

    F.Series.Marks().Clear();
    F.Series.SetValueColor(6, clNone); // a null point
    F.Series.Marks().Items().Item(3).Visible = false;
    F.Series.OnGetMarkText = [](TChartSeries*, int32_t I, std::string& Text) {
        if (I == 9)
            Text.clear();
    };
    F.Series.Marks().SetDrawEvery(0); // every point
    F.Frame();
    EXPECT_EQ(F.Marked(), (std::set<int32_t>{2, 4, 5, 7, 8, 10, 11}));

    F.Series.Marks().SetVisible(false);
    F.Series.Marks().Clear();
    F.Frame();
    EXPECT_TRUE(F.Marked().empty());
}

TEST(SeriesMarks, AboveOrBelowThePointWithTheArrowBetween)
{
    TMarksFixture F;
    F.Series.AddXY(15, 50, "mark"); // at pixel (200, 150)
    F.Series.Marks().Arrow().SetColor(clBlue);
    F.Series.Marks().SetArrowLength(10);
    F.Frame();
    TSeriesMarkPosition P = *F.Series.Marks().Positions().At(0);
    EXPECT_EQ(P.ArrowFrom, (TPoint{200, 150}));
    EXPECT_EQ(P.ArrowTo, (TPoint{200, 140}));
    EXPECT_EQ(P.LeftTop.Y + P.Height, 140);
    EXPECT_NEAR(P.LeftTop.X + P.Width / 2, 200, 1);
    EXPECT_EQ(F.Chart.At(200, 145), clBlue);
    EXPECT_EQ(F.Chart.At(P.LeftTop.X, P.LeftTop.Y), clBlack);          // frame
    EXPECT_EQ(F.Chart.At(P.LeftTop.X + 1, P.LeftTop.Y + 1), clYellow); // background
    EXPECT_GT(F.Chart.Ink({P.LeftTop.X + 2, P.LeftTop.Y + 2, P.LeftTop.X + P.Width - 2,
                           P.LeftTop.Y + P.Height - 2}),
              0);
    EXPECT_EQ(F.Series.Marks().Clicked(200, P.LeftTop.Y + 2), 0);
    EXPECT_EQ(F.Series.Marks().Clicked(200, 150), -1);

    const int OneLine = P.Height;
    F.Series.Marks().SetStyle(smsLabelPercentTotal);
    F.Series.Marks().SetMultiLine(true); // "mark", "100 %", "of 50"
    F.Frame();
    EXPECT_EQ(F.Series.Marks().Positions().At(0)->Height, 3 * OneLine);

    F.Series.Marks().SetStyle(smsLabel);
    F.Series.Marks().SetArrowLength(-10);
    F.Frame();
    P = *F.Series.Marks().Positions().At(0);
    EXPECT_EQ(P.LeftTop.Y, 160);
    EXPECT_EQ(F.Chart.At(200, 155), clBlue);
    EXPECT_EQ(F.Chart.At(200, 145), clWhite);
}

TEST(SeriesMarks, CustomPositionsAreKept)
{
    TMarksFixture F;
    F.Series.AddXY(15, 50);
    TSeriesMarkPosition& P = F.Series.Marks().Positions().Item(0);
    P.Custom = true;
    P.LeftTop = {20, 20};
    P.Width = 30;
    P.Height = 15;
    P.ArrowFrom = {200, 150};
    P.ArrowTo = {35, 35};
    F.Frame();
    EXPECT_EQ(F.Series.Marks().Positions().At(0)->LeftTop, (TPoint{20, 20}));
    EXPECT_EQ(F.Chart.At(20, 20), clBlack);
    EXPECT_TRUE(F.Series.Marks().ExistCustom());
    EXPECT_EQ(SeriesGuessContents(F.Series) & tfMarkPosition, tfMarkPosition);
}

TEST(SeriesMarks, ClippedToTheChartRectangle)
{
    for (bool Clip : {false, true}) {
        TMarksFixture F;
        F.Series.AddXY(15, 99, "top"); // just under the chart's top edge at 50
        F.Series.Marks().SetClip(Clip);
        F.Series.Marks().Arrow().SetColor(clBlue);
        F.Frame();
        EXPECT_EQ(F.Chart.Ink({0, 0, 400, 50}) > 0, !Clip) << Clip;
        EXPECT_EQ(F.Chart.At(200, 51), clBlue) << Clip; // the arrow inside
    }
}

TEST(SeriesMarks, NothingBreaksOnEmptyNullOrZeroSizedCharts)
{
    TMarksFixture F;
    F.Frame(); // no points
    EXPECT_TRUE(F.Marked().empty());
    F.Series.AddNullXY(15, 50);
    F.Frame();
    EXPECT_TRUE(F.Marked().empty());
    F.Series.AddXY(16, 50);
    F.Chart.Rect = {0, 0, 0, 0};
    F.Series.Marks().SetClip(true);
    F.Chart.LayOut();
    F.Frame();
    EXPECT_EQ(F.Chart.Ink({0, 0, 400, 300}), 0);

    TChartSeries Alone; // no chart, no canvas
    Alone.AddXY(1, 1);
    Alone.Marks().SetVisible(true);
    Alone.CalcFirstLastVisibleIndex();
    Alone.DrawMarks();
    EXPECT_EQ(Alone.Marks().Clicked(0, 0), -1);
}

} // namespace
