#pragma once

#include <vector>

// A tab's place in a strip of several rows: its row, counted from the page
// on its side of it, and its start and length along the row.
struct TTabPlace {
    int Row = 0;
    int Start = 0;
    int Length = 0;
    // The row lies across the page, on the side away from the strip.
    bool Opposite = false;

    bool operator==(const TTabPlace&) const = default;
};

// How several rows are laid out.
struct TTabRowStyle {
    // Several rows each fill the whole row length, their tabs sharing the
    // spare pixels (the first ones one more where they do not divide evenly);
    // a single row keeps its length.
    bool Stretch = false;
    // The rows before the active tab's row go across the page, the one just
    // before it nearest the page, instead of behind the last row.
    bool Opposite = false;
};

// Lays tabs of the given lengths, in tab order, into rows of at most
// RowLength pixels: a row takes the next tabs while they fit, and at least
// one. The rows are then turned like a cylinder so that the row holding the
// tab Active (-1: none) lies next to the page and the rows before it follow
// behind the last one, as the platform's multi-row tabs do. One place per
// tab; no tabs, no places.
std::vector<TTabPlace> LayoutTabRows(const std::vector<int>& Lengths, int RowLength, int Active,
                                     TTabRowStyle Style = {});

// The number of rows on one side of the page: on the strip's side at least 1
// (a strip of one row, also for no tabs), across the page 0 when none lies
// there.
int TabRowCount(const std::vector<TTabPlace>& Places, bool Opposite = false);
