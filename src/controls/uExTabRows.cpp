#include "controls/uExTabRows.h"

#include <algorithm>

std::vector<TTabPlace> LayoutTabRows(const std::vector<int>& Lengths, int RowLength, int Active)
{
    std::vector<TTabPlace> Places;
    Places.reserve(Lengths.size());
    int Row = 0, Start = 0;
    for (const int Length : Lengths) {
        if (Start > 0 && Start + Length > RowLength) {
            ++Row;
            Start = 0;
        }
        Places.push_back({Row, Start, Length});
        Start += Length;
    }
    const int Rows = Row + 1;
    if (Active >= 0 && Active < int(Places.size())) {
        const int Front = Places[std::size_t(Active)].Row;
        for (TTabPlace& Place : Places)
            Place.Row = (Place.Row - Front + Rows) % Rows;
    }
    return Places;
}

int TabRowCount(const std::vector<TTabPlace>& Places)
{
    int Rows = 1;
    for (const TTabPlace& Place : Places)
        Rows = std::max(Rows, Place.Row + 1);
    return Rows;
}
