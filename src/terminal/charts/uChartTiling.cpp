#include "terminal/charts/uChartTiling.h"

namespace {

constexpr int cGrid = 8;
// A caption's height and a little more, on the grid.
constexpr int cCascadeStep = 24;

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

TRect CascadeBounds(const TRect& aLast, const TRect& aNew, int aWidth, int aHeight)
{
    const TRect Next =
        Bounds(aLast.Left + cCascadeStep, aLast.Top + cCascadeStep, aNew.Width(), aNew.Height());
    if (Next.Right > aWidth || Next.Bottom > aHeight)
        return Bounds(0, 0, aNew.Width(), aNew.Height());
    return Next;
}
