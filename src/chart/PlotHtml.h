#pragma once

#include <string>

class TPlotCanvas;

// Draws Text with its top-left at (x, y); tags are not interpreted yet, the
// text is drawn as it stands.
void HtmlTextOut(TPlotCanvas& ACanvas, int x, int y, const std::string& Text);
