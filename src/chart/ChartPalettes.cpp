#include "chart/ChartPalettes.h"

#include "chart/CustomAxisPanel.h"

void ApplyPalette(TCustomAxisPanel& Chart, int)
{
    Chart.ColorPalette.clear();
    Chart.Invalidate();
}
