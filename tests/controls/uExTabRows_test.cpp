#include "controls/uExTabRows.h"

#include <gtest/gtest.h>

namespace {

// Lengths 50, 60, 70, 40, 90, 30 in rows of 150: [50 60] [70 40] [90 30].
TEST(LayoutTabRows, WrapsWholeTabsAndTurnsTheActiveRowToThePage)
{
    const std::vector<int> Lengths = {50, 60, 70, 40, 90, 30};
    struct TCase {
        const char* Name;
        int RowLength;
        int Active;
        std::vector<int> Rows; // across the page -1, -2, ... from the page
        std::vector<int> Starts;
        TTabRowStyle Style = {};
        std::vector<int> Stretched = {}; // the lengths, when not the tabs' own
    };
    const TCase Cases[] = {
        {"no active tab", 150, -1, {0, 0, 1, 1, 2, 2}, {0, 50, 0, 70, 0, 90}},
        {"active in the first row", 150, 1, {0, 0, 1, 1, 2, 2}, {0, 50, 0, 70, 0, 90}},
        {"active in the middle row", 150, 3, {2, 2, 0, 0, 1, 1}, {0, 50, 0, 70, 0, 90}},
        {"active in the last row", 150, 4, {1, 1, 2, 2, 0, 0}, {0, 50, 0, 70, 0, 90}},
        {"a row ends where the next tab would pass it",
         110,
         -1,
         {0, 0, 1, 1, 2, 3},
         {0, 50, 0, 70, 0, 0}},
        {"a tab longer than a row has it alone", 40, -1, {0, 1, 2, 3, 4, 5}, {0, 0, 0, 0, 0, 0}},
        {"everything in one row", 1000, 5, {0, 0, 0, 0, 0, 0}, {0, 50, 110, 180, 220, 310}},
        {"the first tabs of a stretched row take the odd pixels",
         151,
         -1,
         {0, 0, 1, 1, 2, 2},
         {0, 71, 0, 91, 0, 106},
         {.Stretch = true},
         {71, 80, 91, 60, 106, 45}},
        {"one row", 1000, 5, {0, 0, 0, 0, 0, 0}, {0, 50, 110, 180, 220, 310}, {.Stretch = true}},
        {"opposite", 150, 4, {-2, -2, -1, -1, 0, 0}, {0, 50, 0, 70, 0, 90}, {.Opposite = true}},
    };
    for (const TCase& C : Cases) {
        const std::vector<TTabPlace> Places =
            LayoutTabRows(Lengths, C.RowLength, C.Active, C.Style);
        ASSERT_EQ(Places.size(), Lengths.size()) << C.Name;
        for (std::size_t I = 0; I < Places.size(); ++I) {
            EXPECT_EQ(Places[I].Opposite ? -1 - Places[I].Row : Places[I].Row, C.Rows[I])
                << C.Name << " tab " << I;
            EXPECT_EQ(Places[I].Start, C.Starts[I]) << C.Name << " tab " << I;
            EXPECT_EQ(Places[I].Length, C.Stretched.empty() ? Lengths[I] : C.Stretched[I])
                << C.Name << " tab " << I;
        }
    }
    EXPECT_EQ(TabRowCount(LayoutTabRows(Lengths, 150, 4)), 3);
    EXPECT_TRUE(LayoutTabRows({}, 150, 0).empty());
    EXPECT_EQ(TabRowCount({}), 1);
    EXPECT_EQ(TabRowCount(LayoutTabRows(Lengths, 150, 4, {.Opposite = true}), true), 2);
}

} // namespace
