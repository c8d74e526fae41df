#include "chart/chart/LegendLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(LegendLayout, TheMostColumnsThatFitWithRowsCapped)
{
    struct Case {
        std::vector<int> Rows;
        int Room;
        int MaxNumRows;
        int NumCols, NumRows, Shown;
        std::vector<int> Widths;
    };
    const Case Cases[] = {
        {{10, 10, 10, 10, 10}, 100, 10, 5, 1, 5, {10, 10, 10, 10, 10}},
        {{30, 10, 10, 10, 10}, 45, 2, 2, 2, 4, {30, 10}},
        // A wide row further down makes the first counts too wide.
        {{10, 10, 10, 40}, 35, 10, 1, 4, 4, {40}},
        {{50, 50}, 30, 10, 1, 2, 2, {50}},
        {std::vector<int>(30, 10), 25, 3, 2, 3, 6, {10, 10}},
        {{}, 100, 10, 1, 0, 0, {0}},
    };
    for (const Case& C : Cases) {
        const TLegendColumns L = LegendColumns(int(C.Rows.size()), C.Room, C.MaxNumRows,
                                               [&](int I) { return C.Rows.at(size_t(I)); });
        EXPECT_EQ(L.NumCols, C.NumCols) << C.Room;
        EXPECT_EQ(L.NumRows, C.NumRows) << C.Room;
        EXPECT_EQ(L.Shown, C.Shown) << C.Room;
        EXPECT_EQ(L.Widths, C.Widths) << C.Room;
    }
}

} // namespace
