#include "chart/panel/PlotCursor.h"

#include <gtest/gtest.h>

namespace {

TEST(PlotCursor, HandIsThereOnlyBetweenRegistrationAndRemoval)
{
    EXPECT_EQ(PlotCursor(crPlotHand).shape(), Qt::ArrowCursor);
    PlotRegisterCursors();
    PlotRegisterCursors();
    EXPECT_EQ(PlotCursor(crPlotHand).shape(), Qt::PointingHandCursor);
    EXPECT_EQ(PlotCursor(2021).shape(), Qt::ArrowCursor);
    PlotUnregisterCursors();
    EXPECT_EQ(PlotCursor(crPlotHand).shape(), Qt::ArrowCursor);
}

} // namespace
