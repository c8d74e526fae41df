#include "chart/series/SeriesDoubles.h"

#include <random>

using namespace series_test;

namespace {

TEST(ChartSeries, OutOfOrderAddsKeepFiveListsColoursAndLabelsAligned)
{
    TFiveListSeries S;
    EXPECT_EQ(S.AddRow(3, 30), 0);
    EXPECT_EQ(S.AddRow(1, 10), 0);
    EXPECT_FALSE(S.HasColorList()) << "automatic colours need no list";
    EXPECT_TRUE(S.Labels().Empty());
    EXPECT_EQ(S.AddRow(2, 20, "two", 0x00FF00), 1);
    EXPECT_EQ(S.AddRow(2, 21), 2) << "after the equal X";
    EXPECT_EQ(S.AddRow(0, 0, "zero"), 0);
    const std::vector<TRow> Expected = {
        {0, 0, 1, 2, -1, clPlotColor, "zero"}, {1, 10, 11, 12, 9, clPlotColor, ""},
        {2, 20, 21, 22, 19, 0x00FF00, "two"},  {2, 21, 22, 23, 20, clPlotColor, ""},
        {3, 30, 31, 32, 29, clPlotColor, ""},
    };
    EXPECT_EQ(Rows(S), Expected);
    EXPECT_EQ(S.Labels().Count(), 5);

    std::mt19937 Random(5);
    for (int I = 0; I < 500; ++I) {
        const double X = Random() % 50;
        S.AddRow(X, X * 100 + I, I % 7 == 0 ? "L" : "", I % 5 == 0 ? TColor(I) : clPlotColor);
    }
    ExpectAligned(S);
    for (int I = 0; I < 200; ++I)
        S.Delete(static_cast<int32_t>(Random() % S.Count()));
    S.Delete(3, 40);
    ExpectAligned(S);
    EXPECT_EQ(S.Count(), 265);
}

TEST(ChartSeries, VetoedAddChangesNothing)
{
    TFiveListSeries S;
    S.AddRow(1, 1);
    S.OnBeforeAdd = [](TChartSeries* Sender) { return Sender->XValues().TempValue() < 10; };
    EXPECT_EQ(S.AddRow(5, 5), 1);
    EXPECT_EQ(S.AddRow(50, 5, "x", 7), -1);
    EXPECT_EQ(S.Count(), 2);
    ExpectAligned(S);
    EXPECT_FALSE(S.HasColorList());
    EXPECT_TRUE(S.Labels().Empty());
}

TEST(ChartSeries, AddOfVerticalHorizontalAndNullPoints)
{
    TChartSeries V;
    V.Add(7);
    V.Add(8, "b");
    V.AddNull("gap");
    EXPECT_EQ(V.XValues()[2], 2);
    EXPECT_EQ(V.YValues()[1], 8);
    EXPECT_TRUE(V.IsNull(2));
    EXPECT_FALSE(V.IsNull(1));
    EXPECT_EQ(V.Labels().Label(0), "");
    EXPECT_EQ(V.Labels().Label(2), "gap");
    V.AddNullXY(0.5, 3);
    EXPECT_TRUE(V.IsNull(1));

    TChartSeries H;
    H.SetHorizontal();
    H.Add(4);
    H.Add(9);
    EXPECT_EQ(H.XValues()[1], 9);
    EXPECT_EQ(H.YValues()[1], 1);
    EXPECT_EQ(H.MandatoryValueList(), &H.XValues());
}

TEST(ChartSeries, DeletesAreRangeCheckedAndKeepEverythingAligned)
{
    auto Make = [] {
        auto S = std::make_unique<TFiveListSeries>();
        for (int I = 0; I < 6; ++I)
            S->AddRow(I, I * 10, I == 4 ? "four" : "", I == 1 ? 0x11 : clPlotColor);
        return S;
    };
    struct TCase {
        int32_t Start, Quantity;
        int32_t Count;
        bool Colors;
    };
    const TCase Cases[] = {{1, 2, 4, true},  {4, 100, 4, true}, {6, 1, 6, true},
                           {-2, 3, 6, true}, {0, 0, 6, true},   {0, 6, 0, false}};
    for (const auto& C : Cases) {
        auto S = Make();
        S->Marks().Items().Item(5).Text = "last";
        S->Delete(C.Start, C.Quantity);
        EXPECT_EQ(S->Count(), C.Count) << C.Start << "," << C.Quantity;
        EXPECT_EQ(S->HasColorList(), C.Colors) << C.Start << "," << C.Quantity;
        ExpectAligned(*S);
        // The last point's mark item follows it or goes with it.
        const TMarksItem* Last = S->Marks().Items().At(S->Count() - 1);
        const bool Kept = C.Start + C.Quantity < 6 || C.Start >= 6;
        EXPECT_EQ(Last && Last->Text == "last", Kept) << C.Start << "," << C.Quantity;
    }
    auto S = Make();
    for (int32_t Bad : {6, 7, -1}) {
        try {
            S->Delete(Bad);
            ADD_FAILURE() << Bad;
        } catch (const ChartException& E) {
            EXPECT_EQ(std::string(E.what()), "Series Delete: ValueIndex " + std::to_string(Bad) +
                                                 " out of bounds (0 to 5).");
        }
    }
    EXPECT_EQ(S->Count(), 6);
    S->Delete(3);
    EXPECT_EQ(S->Labels().Label(3), "four");
    S->Delete(0, 2, true);
    EXPECT_EQ(S->XValues()[0], 0);
    EXPECT_EQ(S->XValues()[2], 2);
    EXPECT_EQ(S->Labels().Label(1), "four");
}

TEST(ChartSeries, NestedUpdateBracketsRefreshOnce)
{
    TPanelDouble Chart;
    TChartSeries Source, Linked;
    Source.Added(&Chart);
    Linked.AddDataSource(&Source);
    int AfterAdds = 0, Refills = 0;
    Source.OnAfterAdd = [&](TChartSeries*, int32_t) { ++AfterAdds; };
    Linked.OnClearValues = [&](TChartSeries*) { ++Refills; };
    Source.BeginUpdate();
    Source.BeginUpdate();
    Source.AddXY(2, 20);
    Source.AddXY(1, 10);
    Source.EndUpdate();
    EXPECT_EQ(Linked.Count(), 0) << "nothing reaches the linked series inside the bracket";
    Source.EndUpdate();
    Source.EndUpdate();
    EXPECT_EQ(AfterAdds, 0);
    EXPECT_EQ(Refills, 1);
    EXPECT_EQ(std::count(Chart.Events.begin(), Chart.Events.end(), seDataChanged), 1);
    ASSERT_EQ(Linked.Count(), 2);
    EXPECT_EQ(Linked.XValues()[0], 1);
    EXPECT_EQ(Linked.YValues()[1], 20);
    EXPECT_FALSE(Source.Updating());
}

TEST(ChartSeries, LinkedSeriesFollowAddsDeletesAndClears)
{
    TChartSeries Source, Linked, Other;
    Linked.AddDataSource(&Source);
    Other.AddDataSource(&Source);
    Other.SetRecalcOptions(rOnModify);
    Source.AddXY(1, 10, "a", 0x22);
    Source.AddXY(0, 5);
    EXPECT_EQ(Linked.Count(), 2);
    EXPECT_EQ(Linked.XValues()[0], 0);
    EXPECT_EQ(Linked.Labels().Label(1), "a");
    EXPECT_EQ(Linked.ValueColor(1), 0x22);
    EXPECT_EQ(Other.Count(), 0) << "no insert option";
    Source.YValues().SetValue(0, 6);
    EXPECT_EQ(Other.Count(), 2) << "modify refills";
    EXPECT_EQ(Linked.YValues()[0], 6);
    Source.Delete(0);
    EXPECT_EQ(Linked.Count(), 1);
    Source.AddXY(2, 1);
    Source.AddXY(3, 1);
    Source.Delete(0, 2);
    EXPECT_EQ(Linked.Count(), 1) << "a range delete refills";
    EXPECT_EQ(Linked.XValues()[0], 3);
    Source.Clear();
    EXPECT_EQ(Linked.Count(), 0);
    EXPECT_EQ(Other.Count(), 2) << "no clear option";
    {
        TChartSeries Temporary;
        Temporary.AddDataSource(&Source);
    }
    EXPECT_EQ(Source.LinkedSeries().size(), 2u);
    Source.AddXY(9, 9);
    EXPECT_EQ(Linked.Count(), 1);
}

TEST(ChartSeries, ACycleOfSourcesIsRefusedAndChangesNothing)
{
    // Series 0 feeds 1, 1 feeds 2; then the source that would close a ring.
    struct Case {
        int Fed, Source;
    };
    for (const Case& C : {Case{0, 0}, {0, 1}, {0, 2}, {1, 2}}) {
        TChartSeries S[3];
        S[0].AddXY(1, 1);
        S[1].AddDataSource(&S[0]);
        S[2].AddDataSource(&S[1]);
        try {
            S[C.Fed].AddDataSource(&S[C.Source]);
            ADD_FAILURE() << C.Source << " feeding " << C.Fed << " was taken";
        } catch (const ChartException& E) {
            EXPECT_STREQ(E.what(), "Circular Series dependences are not allowed");
        }
        EXPECT_TRUE(S[0].DataSources().empty());
        EXPECT_EQ(S[2].DataSources(), std::vector<TChartSeries*>{&S[1]});
        EXPECT_EQ(S[2].LinkedSeries().size(), 0u);
        EXPECT_EQ(S[2].Count(), 1);
    }
    // Two series fed from one source form no ring.
    TChartSeries Source, Left, Right, Both;
    Left.AddDataSource(&Source);
    Right.AddDataSource(&Source);
    Both.AddDataSource(&Left);
    Both.AddDataSource(&Right);
    EXPECT_EQ(Both.DataSources().size(), 2u);
}

TEST(ChartSeries, SortThroughTheOwnerMovesColoursAndLabels)
{
    TFiveListSeries S;
    S.XValues().SetOrder(loNone);
    for (int I = 0; I < 50; ++I)
        S.AddRow((I * 37) % 50, (I * 37) % 50 * 3, I % 3 ? "" : std::to_string((I * 37) % 50),
                 (I * 37) % 50);
    S.YValues().SetOrder(loAscending);
    S.CheckOrder();
    ExpectAligned(S);
    for (int32_t I = 0; I < S.Count(); ++I) {
        EXPECT_EQ(S.YValues()[I], I * 3);
        EXPECT_EQ(S.XValues()[I], I) << "renumbered";
        EXPECT_EQ(S.ValueColor(I), I);
        const auto& Label = S.Labels().Label(I);
        EXPECT_TRUE(Label.empty() || Label == std::to_string(I));
    }
}

TEST(ChartSeries, GuessedContentsNameWhatThePointsCarry)
{
    TChartSeries S;
    EXPECT_EQ(SeriesGuessContents(S), 0);
    S.Add(5);
    S.Add(6);
    EXPECT_EQ(SeriesGuessContents(S), 0) << "X is just the index";
    S.AddXY(2.5, 1);
    EXPECT_EQ(SeriesGuessContents(S), tfNoMandatory);
    S.IUseNotMandatory = false;
    EXPECT_EQ(SeriesGuessContents(S), 0);
    S.SetSeriesColor(0x44);
    S.AddXY(3, 1, "", 0x44);
    EXPECT_EQ(SeriesGuessContents(S), 0) << "the series' own colour";
    S.AddXY(4, 1, "", 0x45);
    S.AddXY(5, 1, "");
    EXPECT_EQ(SeriesGuessContents(S), tfColor);
    S.SetLabel(1, "x");
    S.Marks().Positions().Item(2).Custom = true;
    EXPECT_EQ(SeriesGuessContents(S), tfColor | tfLabel | tfMarkPosition);
    S.SetLabel(1, "");
    EXPECT_EQ(SeriesGuessContents(S), tfColor | tfMarkPosition);
}

} // namespace
