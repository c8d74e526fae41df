#pragma once

// The runtime's date-time value: days since 1899-12-30 00:00, the time of day
// as the fraction. All date arithmetic of the terminal and the chart engine is
// done on these doubles.
using TDateTime = double;

constexpr double HoursPerDay = 24;
constexpr double MinsPerDay = 24 * 60;
constexpr double SecsPerDay = 24 * 60 * 60;
constexpr double MSecsPerDay = 24 * 60 * 60 * 1000.0;
// Days from 1899-12-30 to 1970-01-01.
constexpr double UnixDateDelta = 25569;
