#include "chart/canvas/PlotEngineScope.h"
#include "chart/series/ChartSeries.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

namespace {

// The mean of the plotted values of a group; counts its calls.
template <class TBase> class TMean : public TBase {
public:
    double Calculate(TChartSeries* S, int32_t First, int32_t Last) override
    {
        ++Calls;
        if (First < 0) {
            First = 0;
            Last = S->Count() - 1;
        }
        double Sum = 0;
        for (int32_t I = First; I <= Last; ++I)
            Sum += (*S->MandatoryValueList())[I];
        return Sum / (Last - First + 1);
    }
    double CalculateMany(const std::vector<TChartSeries*>& List, int32_t Index) override
    {
        return Index < List[0]->Count() ? List[0]->YValues()[Index] : -1;
    }
    int Calls = 0;
};

using TPoints = std::vector<std::pair<double, double>>;

TPoints Points(const TChartSeries& S)
{
    TPoints Out;
    for (int32_t I = 0; I < S.Count(); ++I)
        Out.emplace_back(S.XValues()[I], S.YValues()[I]);
    return Out;
}

// A source with Y = 10 * X at the given X values and a computed series on it.
template <class TBase = TPlotFunction> struct TComputed {
    TChartSeries Source;
    TChartSeries Result;
    TMean<TBase>* Function;
    explicit TComputed(std::vector<double> Xs, double Period = 0)
    {
        for (double X : Xs)
            Source.AddXY(X, 10 * X);
        auto F = std::make_unique<TMean<TBase>>();
        Function = F.get();
        Function->SetPeriod(Period);
        Result.AllowSinglePoint = false;
        Result.SetFunction(std::move(F));
        Result.AddDataSource(&Source);
    }
};

TEST(PlotFunction, WithoutPeriodOneValueSpansTheSourceRange)
{
    TComputed C({1, 2, 3, 4, 5});
    EXPECT_EQ(Points(C.Result), (TPoints{{1, 30}, {5, 30}}));
    C.Result.AllowSinglePoint = true;
    C.Function->SetPeriodStyle(psRange); // any change recalculates
    EXPECT_EQ(Points(C.Result), (TPoints{{3, 30}}));
    EXPECT_THROW(C.Function->SetPeriod(-1), ChartException);
    EXPECT_EQ(C.Function->Period(), 0);
}

TEST(PlotFunction, MovingWindowStartsOnceItIsFull)
{
    TComputed<TPlotMovingFunction> C({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 3);
    ASSERT_EQ(C.Result.Count(), 8);
    EXPECT_EQ(Points(C.Result).front(), (std::pair{2.0, 10.0}));
    EXPECT_EQ(Points(C.Result).back(), (std::pair{9.0, 80.0}));
    C.Function->SetPeriodAlign(paCenter);
    EXPECT_EQ(C.Result.XValues()[0], 1);
    C.Function->SetPeriod(11);
    EXPECT_EQ(C.Result.Count(), 0);
    // A period that rounds to nothing still moves by one point.
    C.Function->SetPeriod(0.4);
    EXPECT_EQ(C.Result.Count(), 10);
}

TEST(PlotFunction, APeriodBeyondTheSourceFitsNoGroupHoweverLong)
{
    constexpr double Inf = std::numeric_limits<double>::infinity();
    for (double Period : {10.0, 11.0, 3e9, 1e300, Inf}) {
        TComputed<TPlotMovingFunction> Moving({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, Period);
        TComputed ByCount({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, Period);
        const int Expected = Period == 10 ? 1 : 0;
        EXPECT_EQ(Moving.Result.Count(), Expected) << Period;
        EXPECT_EQ(ByCount.Result.Count(), Expected) << Period;
    }
}

TEST(PlotFunction, GroupsByPointCountAndByRange)
{
    TComputed Count({0, 1, 2, 3, 4, 5, 6}, 3);
    // The last group of one point is incomplete and dropped.
    EXPECT_EQ(Points(Count.Result), (TPoints{{1, 10}, {4, 40}}));

    TComputed Range({0, 1, 2, 5, 6, 10}, 3);
    Range.Function->BeginUpdate();
    Range.Function->SetPeriodStyle(psRange);
    Range.Function->SetPeriodAlign(paFirst);
    EXPECT_EQ(Range.Result.Count(), 2); // not yet recalculated
    Range.Function->EndUpdate();
    EXPECT_EQ(Points(Range.Result), (TPoints{{0, 10}, {5, 55}, {10, 100}}));

    // On dates a period of 30 is a calendar month: January has 31 days.
    Range.Function->SetPeriod(30);
    Range.Source.Clear();
    Range.Source.XValues().SetDateTime(true);
    Range.Source.BeginUpdate();
    for (int D = 0; D < 40; ++D)
        Range.Source.AddXY(45658 + D, D); // from 2025-01-01
    Range.Source.EndUpdate();
    EXPECT_EQ(Points(Range.Result), (TPoints{{45658, 15}, {45658 + 31, 35}}));
}

TEST(PlotFunction, RefilledOncePerBracketAndOnAChangeNeverPerPoint)
{
    TComputed C({1, 2, 3});
    int Refills = 0;
    C.Result.OnClearValues = [&](TChartSeries*) { ++Refills; };
    for (int I = 0; I < 8000; ++I)
        C.Source.AddXY(10 + I, 0);
    C.Source.Delete(0);
    EXPECT_EQ(Refills, 0) << "single adds and deletes refill nothing";
    EXPECT_EQ(Points(C.Result), (TPoints{{1, 20}, {3, 20}}));

    C.Source.BeginUpdate();
    C.Source.AddXY(9000, 100);
    C.Source.Delete(0, 7999);
    C.Source.EndUpdate();
    EXPECT_EQ(Refills, 1);
    EXPECT_EQ(Points(C.Result), (TPoints{{8007, 25}, {9000, 25}}));
    C.Source.YValues().SetValue(0, 20);
    EXPECT_EQ(Refills, 2);
    EXPECT_EQ(Points(C.Result), (TPoints{{8007, 30}, {9000, 30}}));
    C.Source.Clear();
    EXPECT_EQ(C.Result.Count(), 0);
}

TEST(PlotFunction, ManySourcesFollowTheLargestAndHorizontalOnesSwapAxes)
{
    TComputed C({1, 2});
    TChartSeries Other;
    for (double X : {7, 8, 9})
        Other.AddXY(X, 1);
    C.Result.AddDataSource(&Other);
    EXPECT_EQ(Points(C.Result), (TPoints{{7, 10}, {8, 20}, {9, -1}}));

    TChartSeries Across;
    Across.SetHorizontal();
    Across.AddXY(4, 1);
    Across.AddXY(8, 3);
    C.Result.RemoveDataSource(&Other);
    C.Result.RemoveDataSource(&C.Source);
    C.Result.AllowSinglePoint = true;
    C.Result.AddDataSource(&Across);
    // The mean of the plotted X values, in the middle of the Y range.
    EXPECT_EQ(Points(C.Result), (TPoints{{6, 2}}));
}

} // namespace
