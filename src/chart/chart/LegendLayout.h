#pragma once

// The columns of a legend at the top or bottom of a chart, as plain maths:
// the legend measures its rows, this chooses how many columns the room
// holds. The work is bounded by the rows that can be shown, never by the
// number of rows listed.

#include <functional>
#include <vector>

struct TLegendColumns {
    int NumCols = 1;
    int NumRows = 0;
    // The first Shown rows are listed, row I in column I mod NumCols.
    int Shown = 0;
    // Each column as wide as its widest row.
    std::vector<int> Widths;
};

// The most columns whose widths fit Room (one column when none fits), with
// at most MaxNumRows rows. Only the counts that the first rows' widths can
// fit are tried, and only rows that such a count shows are measured:
// RowWidth(I) is asked for rows below that count times MaxNumRows, possibly
// more than once per row (callers that measure text keep what they measured).
TLegendColumns LegendColumns(int Total, int Room, int MaxNumRows,
                             const std::function<int(int)>& RowWidth);
