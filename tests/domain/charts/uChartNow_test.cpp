#include "domain/charts/uChartNow.h"

#include <ctime>
#include <gtest/gtest.h>

namespace {

TEST(ChartNow, RunsThreeHoursAheadOfUtcWhateverTheMachinesZone)
{
    const TDateTime Utc = UnixDateDelta + static_cast<double>(std::time(nullptr)) / SecsPerDay;
    EXPECT_NEAR((ChartNow() - Utc) * HoursPerDay, 3.0, 2.0 / 3600);
}

} // namespace
