#pragma once

// Unit of a margin or position: percent of the owner's size, or pixels.
enum TPlotUnits { muPercent, muPixels };
