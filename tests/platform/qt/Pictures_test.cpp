#include "platform/qt/Pictures.h"

#include "platform/Resources.h"

#include <QImage>
#include <QSvgRenderer>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <string>

namespace {

TEST(Pictures, EachSizeIsDrawnFromTheMasterThatFillsItSharply)
{
    struct TCase {
        std::vector<int> Grids;
        int Size, Grid, Pixels;
    };
    const TCase Cases[] = {
        {{16, 24}, 16, 16, 16}, {{16, 24}, 24, 24, 24},       {{16, 24}, 32, 16, 32},
        {{16, 24}, 48, 24, 48}, {{16, 24}, 20, 16, 16},       {{16, 24}, 22, 16, 22},
        {{16, 24}, 40, 16, 32}, {{16, 24}, 64, 24, 64},       {{16, 24}, 12, 16, 12},
        {{11, 16}, 22, 11, 22}, {{16, 24, 48}, 128, 48, 128}, {{16}, 24, 16, 24},
    };
    for (const TCase& Case : Cases) {
        const TMasterChoice Choice = ChooseMaster(Case.Grids, Case.Size);
        ASSERT_GE(Choice.Index, 0) << Case.Size;
        EXPECT_EQ(Case.Grids[std::size_t(Choice.Index)], Case.Grid) << Case.Size;
        EXPECT_EQ(Choice.Pixels, Case.Pixels) << Case.Size;
    }
}

// Every shipped master lies on the grid its name gives, and a picture drawn
// for 16 pixels has a 24-pixel master too, so a screen at 150 % shows it sharp.
TEST(Pictures, EveryShippedMasterFitsItsGridAndSixteenComesWithTwentyFour)
{
    const std::regex Gridded("images/(.+)-([0-9]+)\\.svg");
    std::map<std::string, std::set<int>> Grids;
    for (const std::string& Name : ResourceNames("images/")) {
        const std::string_view Bytes = FindResource(Name).value_or("");
        const QSvgRenderer Renderer(QByteArray(Bytes.data(), qsizetype(Bytes.size())));
        EXPECT_TRUE(Renderer.isValid()) << Name;
        std::smatch Match;
        if (!std::regex_match(Name, Match, Gridded) || Name.starts_with("images/test-"))
            continue;
        const int Grid = std::stoi(Match[2]);
        EXPECT_EQ(Renderer.viewBox(), QRect(0, 0, Grid, Grid)) << Name;
        Grids[Match[1]].insert(Grid);
    }
    ASSERT_GT(Grids.size(), 40u);
    for (const auto& [Picture, Sizes] : Grids)
        EXPECT_EQ(Sizes.count(16), Sizes.count(24)) << Picture;
}

std::string Svg(int Size, const std::string& Body)
{
    const std::string S = std::to_string(Size);
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + S + " " + S + "\">" + Body +
           "</svg>";
}

// A red 16-pixel master and a blue 24-pixel one, each a one-pixel line along
// its top: the pixels show which master was drawn and that it stayed sharp.
TEST(Pictures, OneSizeIsSharpOnEveryScreenDensity)
{
    RegisterResource("images/test-line-16.svg",
                     Svg(16, "<rect width='16' height='1' fill='red'/>"));
    RegisterResource("images/test-line-24.svg",
                     Svg(24, "<rect width='24' height='1' fill='blue'/>"));
    struct TCase {
        qreal Ratio;
        int Pixels, Top, Lines;
        QRgb Colour;
    };
    const TCase Cases[] = {{1.0, 16, 0, 1, qRgb(255, 0, 0)},
                           {1.5, 24, 0, 1, qRgb(0, 0, 255)},
                           {2.0, 32, 0, 2, qRgb(255, 0, 0)},
                           {3.0, 48, 0, 2, qRgb(0, 0, 255)},
                           {1.25, 20, 2, 1, qRgb(255, 0, 0)}};
    for (const TCase& Case : Cases) {
        const QPixmap Pixmap = PictureIcon("test-line").pixmap(QSize(16, 16), Case.Ratio);
        ASSERT_EQ(Pixmap.width(), Case.Pixels) << Case.Ratio;
        const QImage Image = Pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        const int Middle = Case.Pixels / 2;
        for (int Row = Case.Top; Row < Case.Top + Case.Lines; ++Row)
            EXPECT_EQ(Image.pixel(Middle, Row), Case.Colour) << Case.Ratio << " row " << Row;
        EXPECT_EQ(qAlpha(Image.pixel(Middle, Case.Top + Case.Lines)), 0) << Case.Ratio;
    }
    EXPECT_TRUE(PictureIcon("no-such-picture").isNull());
}

} // namespace
