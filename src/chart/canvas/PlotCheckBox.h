#pragma once

#include "platform/Graphics.h"

class TCanvas;

// Draws the platform's 13 x 13 pixel check box (CheckBox) or radio button with
// its top-left corner at (x, y), checked or not. The style paints its own face,
// so ABackColor is not used. Nothing is drawn on a canvas without a context.
void PlotDrawCheckBox(int x, int y, TCanvas& Canvas, bool Checked, TColor ABackColor,
                      bool CheckBox);
