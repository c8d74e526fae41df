#include "controls/uExTabRows.h"

#include <algorithm>

namespace {

// The tabs [First, Last) of one row grow to fill it; where the spare pixels
// do not divide evenly, the first tabs take one more.
void StretchRow(std::vector<TTabPlace>& Places, std::size_t First, std::size_t Last, int RowLength)
{
    int Used = 0;
    for (std::size_t I = First; I < Last; ++I)
        Used += Places[I].Length;
    const int Count = int(Last - First), Spare = std::max(RowLength - Used, 0);
    int Start = 0;
    for (std::size_t I = First; I < Last; ++I) {
        Places[I].Start = Start;
        Places[I].Length += Spare / Count + (int(I - First) < Spare % Count ? 1 : 0);
        Start += Places[I].Length;
    }
}

} // namespace

std::vector<TTabPlace> LayoutTabRows(const std::vector<int>& Lengths, int RowLength, int Active,
                                     TTabRowStyle Style)
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
    if (Style.Stretch && Rows > 1) {
        for (std::size_t First = 0, Last = 0; First < Places.size(); First = Last) {
            while (Last < Places.size() && Places[Last].Row == Places[First].Row)
                ++Last;
            StretchRow(Places, First, Last, RowLength);
        }
    }
    if (Active >= 0 && Active < int(Places.size())) {
        const int Front = Places[std::size_t(Active)].Row;
        for (TTabPlace& Place : Places) {
            Place.Opposite = Style.Opposite && Place.Row < Front;
            Place.Row = Place.Opposite ? Front - 1 - Place.Row : (Place.Row - Front + Rows) % Rows;
        }
    }
    return Places;
}

int TabRowCount(const std::vector<TTabPlace>& Places, bool Opposite)
{
    int Rows = Opposite ? 0 : 1;
    for (const TTabPlace& Place : Places)
        if (Place.Opposite == Opposite)
            Rows = std::max(Rows, Place.Row + 1);
    return Rows;
}
