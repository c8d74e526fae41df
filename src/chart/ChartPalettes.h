#pragma once

class TCustomAxisPanel;

// Gives Chart the colours of palette Index (0 and any unknown index: the
// engine's default palette) and repaints it. The named palettes' colour
// tables are not here yet: until they are, every index gives the default
// palette.
void ApplyPalette(TCustomAxisPanel& Chart, int Index);
