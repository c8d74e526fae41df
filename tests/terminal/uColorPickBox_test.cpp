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
        std::optional<TColor> Picked;
        TColor Selected;
        int Index;
        int Changes;
    } Cases[] = {
        {0x335577, 0x335577, 0, 1},
        {std::nullopt, clTeal, 7, 0},
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
        Box.setCurrentIndex(0);
        emit Box.activated(0);
        TColorPickBox::PickColor = nullptr;
        EXPECT_EQ(Asked, std::vector<TColor>{clTeal}) << "the colour shown before";
        EXPECT_EQ(Box.Selected(), Case.Selected);
        EXPECT_EQ(Box.currentIndex(), Case.Index);
        EXPECT_EQ(Changes, Case.Changes);
    }
}

TEST(ColorPickBox, ChoosingAListedColourIsAChange)
{
    TColorPickBox Box;
    Box.SetSelected(clRed);
    int Changes = 0;
    Box.OnChange = [&] { ++Changes; };
    Box.setCurrentIndex(Box.findText("Navy"));
    emit Box.activated(Box.currentIndex());
    EXPECT_EQ(Box.Selected(), clNavy);
    EXPECT_EQ(Changes, 1);
    Box.SetSelected(clLime);
    EXPECT_EQ(Changes, 1) << "setting a colour is no change";
}

} // namespace
