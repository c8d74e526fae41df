#pragma once

// The chart engine's own cursor numbers beside the platform's standard shapes.
// The table is filled once the application object exists and emptied at
// shut-down; UI thread only.

#include <QCursor>

// The hand shown over the legend and other clickable chart elements.
inline constexpr int crPlotHand = 2020;

void PlotRegisterCursors();
void PlotUnregisterCursors();

// The cursor registered as Number, or the arrow when there is none.
QCursor PlotCursor(int Number);
