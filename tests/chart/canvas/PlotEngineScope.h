#pragma once

// Every chart test program that includes this runs with the engine started,
// as the program runs: the message texts set and the canvas' default font
// taken from them; stopped again when the tests end.

#include "chart/chart/PlotStartup.h"

#include <gtest/gtest.h>

namespace chart_test {

class TPlotEngineEnvironment : public testing::Environment {
public:
    void SetUp() override { PlotEngineStartup(); }
    void TearDown() override { PlotEngineShutdown(); }
};

inline testing::Environment* const PlotEngineEnvironment =
    testing::AddGlobalTestEnvironment(new TPlotEngineEnvironment);

} // namespace chart_test
