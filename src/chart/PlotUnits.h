#pragma once

#include <cstdint>

// Unit of a margin or position: percent of the owner's size, or pixels.
enum TPlotUnits : std::uint8_t { muPercent, muPixels };
