#pragma once

#include <vector>

// A tab's place in a strip of several rows: its row, counted from the row
// next to the page, and its start and length along the row.
struct TTabPlace {
    int Row = 0;
    int Start = 0;
    int Length = 0;

    bool operator==(const TTabPlace&) const = default;
};

// Lays tabs of the given lengths, in tab order, into rows of at most
// RowLength pixels: a row takes the next tabs while they fit, and at least
// one. The rows are then turned like a cylinder so that the row holding the
// tab Active (-1: none) lies next to the page and the rows before it follow
// behind the last one, as the platform's multi-row tabs do. One place per
// tab; no tabs, no places.
std::vector<TTabPlace> LayoutTabRows(const std::vector<int>& Lengths, int RowLength, int Active);

// The number of rows of a layout: 1 for no tabs, as a strip of one row.
int TabRowCount(const std::vector<TTabPlace>& Places);
