#include "domain/charts/uChartTiling.h"

namespace {

constexpr int cGrid = 8;

int OnGrid(int aValue)
{
    return aValue / cGrid * cGrid;
}

} // namespace

std::vector<TRect> MozaicBounds(int aCount, int aWidth, int aHeight)
{
    std::vector<TRect> Cells;
    if (aCount <= 0)
        return Cells;
    const int Rows = aCount < 4 ? 1 : 2;
    const int Cols = (aCount + Rows - 1) / Rows;
    const int W = OnGrid(aWidth / Cols);
    const int H = OnGrid(aHeight / Rows);
    Cells.reserve(std::size_t(aCount));
    for (int i = 0; i < aCount; ++i)
        Cells.push_back(Bounds(W * (i % Cols), H * (i / Cols), W, H));
    return Cells;
}
