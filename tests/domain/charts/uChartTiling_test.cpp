#include "domain/charts/uChartTiling.h"

#include <gtest/gtest.h>

namespace {

// A host of 1000 x 600: its thirds and halves are not multiples of 8, and
// three columns do not fill it, so a second row placed by the host's width
// would start off the left edge.
TEST(ChartTiling, OneRowUpToThreeTwoRowsFromFourCellsOnTheGridRowsFromTheLeft)
{
    const struct {
        int Count;
        std::vector<TRect> Cells;
    } Cases[] = {
        {0, {}},
        {1, {Bounds(0, 0, 1000, 600)}},
        {2, {Bounds(0, 0, 496, 600), Bounds(496, 0, 496, 600)}},
        {3, {Bounds(0, 0, 328, 600), Bounds(328, 0, 328, 600), Bounds(656, 0, 328, 600)}},
        {4,
         {Bounds(0, 0, 496, 296), Bounds(496, 0, 496, 296), Bounds(0, 296, 496, 296),
          Bounds(496, 296, 496, 296)}},
        {5,
         {Bounds(0, 0, 328, 296), Bounds(328, 0, 328, 296), Bounds(656, 0, 328, 296),
          Bounds(0, 296, 328, 296), Bounds(328, 296, 328, 296)}},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(MozaicBounds(Case.Count, 1000, 600), Case.Cells) << Case.Count << " charts";
}

} // namespace
