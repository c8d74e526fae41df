#pragma once

// The chart's named colour palettes. A chart takes its series colours from
// the palette it is given; palette 0 is the engine's default one. The
// colour tables are fixed; the names are message texts copied into
// ColorPalettes at the engine's start-up. UI thread only.

#include "platform/Graphics.h"

#include <span>
#include <string>
#include <vector>

class TCustomAxisPanel;

inline constexpr int PlotPaletteCount = 16;

// The palette names in index order; empty before the start-up and after the stop.
extern std::vector<std::string> ColorPalettes;
void ColorPalettesStartup();
void ColorPalettesShutdown();

// The colours of palette Index; none for palette 0 and any index outside
// 0..PlotPaletteCount - 1.
std::span<const TColor> PaletteColors(int Index);

// The chart takes the colours of palette Index (none: the default palette
// applies); a TCustomChart also records Index as its ColorPaletteIndex. The
// chart repaints.
void ApplyPalette(TCustomAxisPanel& Chart, int Index);
// The chart takes Colors as its palette (none: the default one) and its
// series take the palette's colours in list order.
void ApplyPalette(TCustomAxisPanel& Chart, std::span<const TColor> Colors);
