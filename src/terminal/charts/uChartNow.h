#pragma once

#include "platform/DateTime.h"

// "Now" on a chart's time axis: the present in the exchange's reckoning
// (StampToDate of the system clock's epoch milliseconds), whatever the
// machine's time zone, so that it lines up with the candles' open times.
TDateTime ChartNow();

// Where a chart reads "now" from; tests give a fixed one.
using TChartClock = TDateTime (*)();
