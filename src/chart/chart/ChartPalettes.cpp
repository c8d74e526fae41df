#include "chart/chart/ChartPalettes.h"

#include "chart/chart/Chart.h"
#include "chart/core/PlotConst.h"

#include <array>

std::vector<std::string> ColorPalettes;

namespace {

// Colours are 0x00BBGGRR. Palette 0 has no table of its own.
constexpr TColor Excel[] = {0xFF9999, 0x663399, 0xCCFFFF, 0x2B86EE, 0x669E2E, 0xC38022,
                            0x482DD2, 0x25CAF4, 0xC05984, 0x999933, 0x243E8F, 0x39AC69,
                            0x773E22, 0x9F53C6, 0x288A8A, 0xF0D175, 0x737373, 0x8BC18B,
                            0x9CC5E2, 0xCD9898, 0x708217, 0x743E74};
constexpr TColor Victorian[] = {0x321D72, 0x314F22, 0x2891BD, 0x684227, 0x314C81, 0x633658,
                                0x3E7467, 0x343EB2, 0x746B3E, 0x759FBD, 0x73568F};
constexpr TColor Pastels[] = {0xB6B6ED, 0xB6CDED, 0xB6E5ED, 0xB6EDDC, 0xB6EDC4, 0xBFEDB6, 0xD7EDB6,
                              0xEDEBB6, 0xEDD3B6, 0xEDBBB6, 0xEDB6C8, 0xEDB6E0, 0xE2B6ED, 0xCAB6ED};
constexpr TColor Solid[] = {0x0000E6, 0x009600, 0xE64600, 0x00C8F0,
                            0xAA0096, 0xBEAA00, 0x006EF0, 0x3C3C3C};
constexpr TColor Classic[] = {0x1414B8, 0x178217, 0xAD361F, 0x11A4D4, 0x9E2E79, 0x8F8514,
                              0x1152D4, 0x666666, 0x732EB8, 0x288A59, 0xD19847, 0xB2B2B2};
constexpr TColor Web[] = {0xCC6633, 0x3333CC, 0x339933, 0x0099FF, 0x993366,
                          0x999900, 0x9966CC, 0x339999, 0x666666};
constexpr TColor Modern[] = {0xDB9833, 0x60AF28, 0x3C4DE7, 0x129CF3, 0xAD438D, 0x86A216, 0x165ECA,
                             0x5F4A35, 0x7342D7, 0x3FA673, 0xD27988, 0xB8A12E, 0x47CFEB, 0x8C8C8C};
constexpr TColor Rainbow[] = {0x0000FF, 0x003CFF, 0x0078FF, 0x00B5FF, 0x00F1FF, 0x00FFD1, 0x00FF95,
                              0x00FF59, 0x00FF1C, 0x20FF00, 0x5CFF00, 0x98FF00, 0xD4FF00, 0xFFED00,
                              0xFFB100, 0xFF7500, 0xFF3900, 0xFF0004, 0xFF0040, 0xFF007C, 0xFF00B8,
                              0xFF00F4, 0xCD00FF, 0x9100FF, 0x5500FF};
constexpr TColor WinXP[] = {0xC9641D, 0x2E9E41, 0x0D93F2, 0xCEB37E, 0x3FA684, 0x2D2DD2, 0xBA5E75,
                            0x7DCDE8, 0x949438, 0x6688CC, 0x634136, 0x98CDAE, 0x999999};
constexpr TColor MacOS[] = {0xF27F0D, 0x4242F0, 0x1FB1F9, 0x39AC39, 0xCC6699, 0xC9BA1D,
                            0xA667E4, 0x257BF4, 0x0DDFF2, 0xE6CC99, 0xA6C982, 0x808080,
                            0x943838, 0x334C99, 0x47D181, 0xBFBFBF};
constexpr TColor WinVista[] = {0xB87414, 0x598F24, 0x136DEC, 0xE4C567, 0x40BF80,
                               0x452EB8, 0x30BAE8, 0xB24D6F, 0xA7B234, 0x593B26,
                               0x70C2C2, 0x9C5EBA, 0x9499D1, 0xA3C99C, 0x737373};
constexpr TColor GrayScale[] = {0x101010, 0x202020, 0x303030, 0x404040, 0x505050,
                                0x606060, 0x707070, 0x808080, 0x909090, 0xA0A0A0,
                                0xB0B0B0, 0xC0C0C0, 0xD0D0D0, 0xE0E0E0, 0xF0F0F0};
constexpr TColor Opera[] = {0xA36644, 0x359CF3, 0x144CF1, 0xA8974E, 0x6B402B, 0x637B1D,
                            0x0E08B3, 0x5DC0F2, 0x9EB75D, 0x707070, 0x8DEAF3, 0xB4B4B4};
constexpr TColor Warm[] = {0x1717CF, 0x0D52F2, 0x0694F9, 0x1FD5F9,
                           0x24368F, 0x5A28BD, 0x7DAFE8, 0x127DA1};
constexpr TColor Cool[] = {0xC9731D, 0xA8A824, 0x669E2E, 0xC65353,
                           0xEDC95E, 0xA14573, 0xBCD279, 0x6F3B2A};

constexpr std::array<std::span<const TColor>, PlotPaletteCount> Tables = {std::span<const TColor>{},
                                                                          Excel,
                                                                          Victorian,
                                                                          Pastels,
                                                                          Solid,
                                                                          Classic,
                                                                          Web,
                                                                          Modern,
                                                                          Rainbow,
                                                                          WinXP,
                                                                          MacOS,
                                                                          WinVista,
                                                                          GrayScale,
                                                                          Opera,
                                                                          Warm,
                                                                          Cool};

} // namespace

void ColorPalettesStartup()
{
    using namespace PlotConst;
    ColorPalettes = {
        PlotMsg_ThemeDefault,   PlotMsg_ThemeExcel,   PlotMsg_ThemeVictorian, PlotMsg_ThemePastels,
        PlotMsg_ThemeSolid,     PlotMsg_ThemeClassic, PlotMsg_ThemeWeb,       PlotMsg_ThemeModern,
        PlotMsg_ThemeRainbow,   PlotMsg_ThemeWinXP,   PlotMsg_ThemeMacOS,     PlotMsg_ThemeWinVista,
        PlotMsg_ThemeGrayScale, PlotMsg_ThemeOpera,   PlotMsg_ThemeWarm,      PlotMsg_ThemeCool};
}

void ColorPalettesShutdown()
{
    ColorPalettes.clear();
}

std::span<const TColor> PaletteColors(int Index)
{
    if (Index < 0 || Index >= PlotPaletteCount)
        return {};
    return Tables[size_t(Index)];
}

void ApplyPalette(TCustomAxisPanel& Chart, int Index)
{
    const std::span<const TColor> Colors = PaletteColors(Index);
    Chart.ColorPalette.assign(Colors.begin(), Colors.end());
    // The chart's setter comes back here once; the second call finds the
    // index already set.
    if (auto* Custom = dynamic_cast<TCustomChart*>(&Chart))
        Custom->SetColorPaletteIndex(Index);
    Chart.Invalidate();
}

void ApplyPalette(TCustomAxisPanel& Chart, std::span<const TColor> Colors)
{
    Chart.ColorPalette.assign(Colors.begin(), Colors.end());
    for (int I = 0; I < Chart.SeriesCount(); ++I)
        Chart.Series(I).SetSeriesColor(Chart.GetDefaultColor(I));
    Chart.Invalidate();
}
