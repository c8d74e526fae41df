#include "chart/series/ChartValueList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>
#include <vector>

namespace {

// Owner double: keeps a parallel "tag" column so that sorting through the
// owner can be checked to move every column together.
class TOwnerDouble : public TChartValueListOwner {
public:
    TChartValueLists& ValuesList() override { return Lists; }
    void NotifyValue(TValueEvent ValueEvent, int32_t ValueIndex) override
    {
        Events.emplace_back(ValueEvent, ValueIndex);
    }
    void SwapValueIndex(int32_t A, int32_t B) override
    {
        for (auto& L : Lists)
            L->Swap(A, B);
        std::swap(Tags[A], Tags[B]);
    }
    void CheckDatasource() override {}
    void Repaint() override {}

    TChartValueLists Lists;
    std::vector<int> Tags;
    std::vector<std::pair<TValueEvent, int32_t>> Events;
};

std::vector<double> Values(const TChartValueList& L)
{
    return {L.Data(), L.Data() + L.Count()};
}

TEST(ChartValueList, OrderedInsertionGoesAfterRunsOfEqualValues)
{
    struct TCase {
        TChartListOrder Order;
        std::vector<double> Adds;
        std::vector<int32_t> Indices;
        std::vector<double> Result;
    };
    const TCase Cases[] = {
        {loAscending, {5, 3, 4}, {0, 0, 1}, {3, 4, 5}},
        {loAscending, {1, 2, 2, 3, 2}, {0, 1, 2, 3, 3}, {1, 2, 2, 2, 3}},
        {loAscending, {1, 1, 1}, {0, 1, 2}, {1, 1, 1}},
        {loAscending, {4, 0, 0}, {0, 0, 1}, {0, 0, 4}},
        {loDescending, {1, 5, 3, 3}, {0, 0, 1, 2}, {5, 3, 3, 1}},
        {loNone, {5, 3, 4}, {0, 1, 2}, {5, 3, 4}},
    };
    for (const auto& C : Cases) {
        TChartValueList L(nullptr, "X");
        L.SetOrder(C.Order);
        std::vector<int32_t> Got;
        for (double V : C.Adds)
            Got.push_back(L.AddChartValue(V));
        EXPECT_EQ(Got, C.Indices);
        EXPECT_EQ(Values(L), C.Result);
    }
}

TEST(ChartValueList, UnsortedAscendingListFallsBackToTheWalk)
{
    // After a write through Items the values are 0, 1, 2, 0, 4; the walk from
    // the end stops at the 0, where binary search would stop after the 1.
    TChartValueList L(nullptr, "X");
    L.SetOrder(loAscending);
    for (double V : {0, 1, 2, 3, 4})
        L.AddChartValue(V);
    L.SetValue(3, 0);
    EXPECT_FALSE(L.SortedAscending());
    EXPECT_EQ(L.AddChartValue(1.5), 4);
    EXPECT_EQ(Values(L), (std::vector<double>{0, 1, 2, 0, 1.5, 4}));

    TChartValueList S(nullptr, "X");
    S.SetOrder(loAscending);
    for (double V : {1, 2, 3})
        S.AddChartValue(V);
    S.Scroll();
    EXPECT_EQ(Values(S), (std::vector<double>{2, 3, 1}));
    EXPECT_FALSE(S.SortedAscending());

    TChartValueList N(nullptr, "X");
    N.SetOrder(loAscending);
    N.AddChartValue(1);
    N.AddChartValue(NAN);
    EXPECT_FALSE(N.SortedAscending());
    EXPECT_EQ(N.AddChartValue(0), 2) << "nothing compares above NaN";
}

TEST(ChartValueList, DeletesAndWritesStayInsideTheValues)
{
    struct TCase {
        int32_t Start, Quantity;
        std::vector<double> Result;
    };
    const TCase Cases[] = {
        {1, 2, {0, 3, 4}},
        {3, 10, {0, 1, 2}},
        {5, 1, {0, 1, 2, 3, 4}},
        {9, 1, {0, 1, 2, 3, 4}},
        {-1, 2, {0, 1, 2, 3, 4}},
        {0, 0, {0, 1, 2, 3, 4}},
        {0, 5, {}},
    };
    for (const auto& C : Cases) {
        TChartValueList L(nullptr, "Y");
        L.SetCount(5);
        L.FillSequence();
        L.Delete(C.Start, C.Quantity);
        EXPECT_EQ(Values(L), C.Result) << C.Start << "," << C.Quantity;
    }
    TChartValueList L(nullptr, "Y");
    for (double V : {7, 8, 9})
        L.AddChartValue(V);
    L.Delete(-1);
    L.Delete(3);
    L.Delete(2);
    EXPECT_EQ(Values(L), (std::vector<double>{7, 8}));
    EXPECT_THROW(L.InsertChartValue(3, 1), std::out_of_range);
    EXPECT_THROW(L.InsertChartValue(-1, 1), std::out_of_range);
    EXPECT_THROW(L.SetValue(2, 1), std::out_of_range);
    EXPECT_THROW(L.Exchange(0, 5), std::out_of_range);
    EXPECT_EQ(Values(L), (std::vector<double>{7, 8}));
}

TEST(ChartValueList, StatisticsAreRecomputedAfterEveryKindOfChange)
{
    TOwnerDouble Owner;
    auto* L = new TChartValueList(&Owner, "Y");
    ASSERT_EQ(Owner.Lists.Count(), 1);
    EXPECT_EQ(L->MinValue(), 0);
    EXPECT_EQ(L->MaxValue(), 0);
    for (double V : {3, -4, 5})
        L->AddChartValue(V);
    EXPECT_EQ(L->MinValue(), -4);
    EXPECT_EQ(L->MaxValue(), 5);
    EXPECT_EQ(L->Total(), 4);
    EXPECT_EQ(L->TotalABS(), 12);
    EXPECT_EQ(L->Range(), 9);
    L->SetValue(1, 10);
    EXPECT_EQ(L->MaxValue(), 10);
    EXPECT_EQ(Owner.Events.back(), std::make_pair(veModify, 1));
    L->Delete(1);
    EXPECT_EQ(L->MaxValue(), 5);
    L->InsertChartValue(0, -7);
    EXPECT_EQ(L->MinValue(), -7);
    L->FillSequence();
    EXPECT_EQ(L->Total(), 3);
    EXPECT_EQ(Owner.Events.back().first, veModify);
    L->ClearValues();
    EXPECT_EQ(L->TotalABS(), 0);
}

TEST(ChartValueList, SortMovesEveryParallelColumnThroughTheOwner)
{
    TOwnerDouble Owner;
    auto* X = new TChartValueList(&Owner, "X");
    auto* Y = new TChartValueList(&Owner, "Y");
    std::mt19937 Random(7);
    for (int I = 0; I < 300; ++I) {
        const double V = static_cast<double>(Random() % 40);
        X->InsertChartValue(X->Count(), V);
        Y->InsertChartValue(Y->Count(), V * 10);
        Owner.Tags.push_back(I);
    }
    X->Scroll();
    Y->Scroll();
    std::rotate(Owner.Tags.begin(), Owner.Tags.begin() + 1, Owner.Tags.end());
    for (auto Order : {loAscending, loDescending}) {
        X->SetOrder(Order);
        X->Sort();
        for (int32_t I = 0; I < X->Count(); ++I) {
            ASSERT_EQ((*Y)[I], (*X)[I] * 10);
            if (I > 0) {
                ASSERT_LE(X->CompareValueIndex(I - 1, I), 0);
            }
        }
        EXPECT_EQ(X->SortedAscending(), Order == loAscending);
    }
    X->SetOrder(loDescending);
    EXPECT_EQ(X->CompareValueIndex(0, X->Count() - 1), -1) << "larger first sorts first";
    const auto Before = Values(*X);
    X->SetOrder(loNone);
    X->Sort();
    EXPECT_EQ(Values(*X), Before);
}

// Random batches are compared with adding one by one through the series.
TEST(ChartValueList, MergedInsertionKeepsTheOrderAndRefusesPositionsOutside)
{
    TChartValueList L(nullptr, "X");
    L.SetOrder(loAscending);
    for (double V : {1, 3, 3, 5})
        L.AddChartValue(V);
    const std::vector<double> Sorted = {0, 3, 3, 6};
    L.InsertAtPositions(L.MergePositions(Sorted), Sorted);
    EXPECT_EQ(Values(L), (std::vector<double>{0, 1, 3, 3, 3, 3, 5, 6}));
    EXPECT_TRUE(L.SortedAscending());
    TChartValueList Empty(nullptr, "X");
    EXPECT_THROW(Empty.InsertAtPositions({1}, {5}), std::out_of_range);
    EXPECT_THROW(Empty.InsertAtPositions({0, 0}, {5, 6}), std::out_of_range);
    EXPECT_EQ(Empty.Count(), 0);
}

// The visible-range rule written out step by step, on a plain array.
std::pair<int32_t, int32_t> WalkRange(const std::vector<double>& X, double Min, double Max,
                                      bool DrawBetweenPoints)
{
    const auto N = static_cast<int32_t>(X.size());
    int32_t First = -1, Last = -1;
    if (N == 0)
        return {First, Last};
    First = 0;
    if (X[0] <= Min) {
        while (X[First] < Min) {
            ++First;
            if (First >= N)
                return {-1, -1};
        }
    }
    if (X[N - 1] <= Max) {
        Last = N - 1;
    } else {
        Last = First;
        while (X[Last] < Max && Last < N - 1)
            ++Last;
        if (!DrawBetweenPoints)
            while (Last >= 1 && X[Last] > Max)
                --Last;
    }
    return {First, Last};
}

TEST(ChartValueList, FastRangeEqualsTheWalkOnRandomSortedData)
{
    std::mt19937 Random(3);
    int Checked = 0;
    for (int Round = 0; Round < 4000; ++Round) {
        TChartValueList L(nullptr, "X");
        L.SetOrder(loAscending);
        std::vector<double> X;
        const int N = Round % 7 == 0 ? 0 : static_cast<int>(Random() % 12);
        for (int I = 0; I < N; ++I)
            L.AddChartValue(static_cast<double>(Random() % 8));
        X.assign(L.Data(), L.Data() + L.Count());
        ASSERT_TRUE(L.SortedAscending());
        // Ends drawn from the values themselves, between them and beyond
        // both sides, so that all-left, all-right and equal runs occur.
        auto End = [&] { return static_cast<double>(Random() % 22) / 2 - 1.5; };
        double Min = End(), Max = End();
        if (Round % 5 == 0)
            std::swap(Min, Max);
        for (bool Between : {false, true}) {
            int32_t First, Last;
            L.CalcRangeIndex(Min, Max, Between, First, Last);
            ASSERT_EQ(std::make_pair(First, Last), WalkRange(X, Min, Max, Between))
                << "round " << Round << " min " << Min << " max " << Max;
            ++Checked;
        }
    }
    EXPECT_EQ(Checked, 8000);
}

TEST(ChartValueList, RangeOfAnUnsortedListFollowsTheWalk)
{
    TChartValueList L(nullptr, "X");
    for (double V : {1, 9, 2, 8, 3})
        L.InsertChartValue(L.Count(), V);
    EXPECT_FALSE(L.SortedAscending());
    for (auto [Min, Max] : {std::pair{2.0, 5.0}, {0.0, 8.5}, {8.0, 8.0}, {4.0, 2.0}})
        for (bool Between : {false, true}) {
            int32_t First, Last;
            L.CalcRangeIndex(Min, Max, Between, First, Last);
            EXPECT_EQ(std::make_pair(First, Last), WalkRange({1, 9, 2, 8, 3}, Min, Max, Between));
        }
}

} // namespace
