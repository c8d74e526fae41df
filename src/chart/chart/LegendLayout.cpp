#include "chart/chart/LegendLayout.h"

#include <algorithm>
#include <numeric>

namespace {

// The layout with Cols columns: rows capped at MaxNumRows.
TLegendColumns WithColumns(int Cols, int Total, int MaxNumRows,
                           const std::function<int(int)>& RowWidth)
{
    TLegendColumns L;
    L.NumCols = Cols;
    L.NumRows = std::min((Total + Cols - 1) / Cols, MaxNumRows);
    L.Shown = std::min(Total, Cols * L.NumRows);
    L.Widths.assign(size_t(Cols), 0);
    for (int I = 0; I < L.Shown; ++I) {
        int& W = L.Widths[size_t(I % Cols)];
        W = std::max(W, RowWidth(I));
    }
    return L;
}

} // namespace

TLegendColumns LegendColumns(int Total, int Room, int MaxNumRows,
                             const std::function<int(int)>& RowWidth)
{
    MaxNumRows = std::max(MaxNumRows, 1);
    if (Total <= 0)
        return WithColumns(1, 0, MaxNumRows, RowWidth);
    // Every column holds one row of the first line, so no more columns fit
    // than the first rows side by side.
    int MostCols = 0;
    for (long Used = 0; MostCols < Total; ++MostCols) {
        Used += RowWidth(MostCols);
        if (Used > Room)
            break;
    }
    for (int Cols = std::max(MostCols, 1);; --Cols) {
        TLegendColumns L = WithColumns(Cols, Total, MaxNumRows, RowWidth);
        if (Cols == 1 || std::accumulate(L.Widths.begin(), L.Widths.end(), 0L) <= Room)
            return L;
    }
}
