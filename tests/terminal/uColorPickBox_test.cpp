#include "terminal/fmBasic/uColorPickBox.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

TEST(ColorPickBox, AColorFromOutsideTheListShowsOnTheCustomEntry)
{
    const struct {
        TColor Set;
        int Index;
        const char* Text;
    } Cases[] = {
        {clBlack, 1, "Black"}, {clWhite, 16, "White"},     {0xC0F1D8, 0, "Custom..."},
        {clGray, 8, "Gray"},   {0x123456, 0, "Custom..."},
    };
    TColorPickBox Box;
    for (const auto& Case : Cases) {
        Box.SetSelected(Case.Set);
        EXPECT_EQ(Box.currentIndex(), Case.Index) << Case.Set;
        EXPECT_EQ(Box.currentText(), Case.Text);
        EXPECT_EQ(Box.Selected(), Case.Set);
    }
}

TEST(ColorPickBox, TheCustomEntryAsksForAColourAndACancelGoesBack)
{
    const struct {
        int Chosen; // the entry the user picks
        std::optional<TColor> Picked;
        TColor Selected;
        int Changes;
    } Cases[] = {
        {0, 0x335577, 0x335577, 1},
        {0, std::nullopt, clTeal, 0},
        {5, std::nullopt, clNavy, 1},
    };
    for (const auto& Case : Cases) {
        TColorPickBox Box;
        Box.SetSelected(clTeal);
        int Changes = 0;
        Box.OnChange = [&] { ++Changes; };
        std::vector<TColor> Asked;
        TColorPickBox::PickColor = [&](TColor Initial, QWidget*) {
            Asked.push_back(Initial);
            return Case.Picked;
        };
        Box.setCurrentIndex(Case.Chosen);
        emit Box.activated(Case.Chosen);
        TColorPickBox::PickColor = nullptr;
        EXPECT_EQ(Asked.size(), Case.Chosen == 0 ? 1u : 0u);
        if (!Asked.empty()) {
            EXPECT_EQ(Asked[0], clTeal) << "asked from the colour shown before";
        }
        EXPECT_EQ(Box.Selected(), Case.Selected);
        EXPECT_EQ(Changes, Case.Changes);
        Box.SetSelected(clLime);
        EXPECT_EQ(Changes, Case.Changes) << "setting a colour is no change";
    }
}

} // namespace
