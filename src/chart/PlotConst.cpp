#include "chart/PlotConst.h"

// Each text once: the list both defines the variables with their texts and
// makes the table PlotSetConstants assigns from.
#define PLOT_CONST_TEXTS(X)                                                                        \
    X(PlotMsg_LegendFirstValue, "First Legend Value must be > 0")                                  \
    X(PlotMsg_LegendColorWidth, "Legend Color Width must be > 0%")                                 \
    X(PlotMsg_AxisLogDateTime, "DateTime Axis cannot be Logarithmic")                              \
    X(PlotMsg_AxisLogNotPositive, "Logarithmic Axis Min and Max values should be >= 0")            \
    X(PlotMsg_AxisLabelSep, "Labels Separation % must be greater than 0")                          \
    X(PlotMsg_AxisIncrementNeg, "Axis increment must be >= 0")                                     \
    X(PlotMsg_AxisMinMax, "Axis Minimum Value must be <= Maximum")                                 \
    X(PlotMsg_AxisMaxMin, "Axis Maximum Value must be >= Minimum")                                 \
    X(PlotMsg_AxisLogBase, "Axis Logarithmic Base should be <> 1 and > 0")                         \
    X(PlotMsg_MaxPointsPerPage, "MaxPointsPerPage must be >= 0")                                   \
    X(PlotMsg_3dPercent, "3D effect percent must be between %d and %d")                            \
    X(PlotMsg_CircularSeries, "Circular Series dependences are not allowed")                       \
    X(PlotMsg_DefaultPercentOf, "%s of %s")                                                        \
    X(PlotMsg_DefaultPercentOf2, "%s\rof %s")                                                      \
    X(PlotMsg_DefPercentFormat, "##0.## %")                                                        \
    X(PlotMsg_DefValueFormat, "#,##0.###")                                                         \
    X(PlotMsg_DefLogValueFormat, "#.0 \"x10\" E+0")                                                \
    X(PlotMsg_AxisTitle, "Axis Title")                                                             \
    X(PlotMsg_AxisLabels, "Axis Labels")                                                           \
    X(PlotMsg_SeriesParentNoSelf, "Series.ParentChart is not myself!")                             \
    X(PlotMsg_GalleryLine, "Line")                                                                 \
    X(PlotMsg_GalleryPoint, "Point")                                                               \
    X(PlotMsg_GalleryFastLine, "Fast Line")                                                        \
    X(PlotMsg_TopAxis, "Top Axis")                                                                 \
    X(PlotMsg_BottomAxis, "Bottom Axis")                                                           \
    X(PlotMsg_LeftAxis, "Left Axis")                                                               \
    X(PlotMsg_RightAxis, "Right Axis")                                                             \
    X(PlotMsg_DefaultFontSize, "8")                                                                \
    X(PlotMsg_GalleryBubble, "Bubble")                                                             \
    X(PlotMsg_DefaultFontName, "Arial")                                                            \
    X(PlotMsg_CheckPointerSize, "Pointer size must be greater than zero")                          \
    X(PlotMsg_DepthAxis, "Depth Right")                                                            \
    X(PlotMsg_ValuesX, "X")                                                                        \
    X(PlotMsg_ValuesY, "Y")                                                                        \
    X(PlotMsg_ValuesBubbleRadius, "Radius")                                                        \
    X(PlotMsg_Legend, "Legend")                                                                    \
    X(PlotMsg_SeriesDelete, "Series Delete: ValueIndex %d out of bounds (0 to %d).")               \
    X(PlotMsg_DepthTopAxis, "Depth Top")                                                           \
    X(PlotMsg_ThemeDefault, "Default")                                                             \
    X(PlotMsg_ThemeExcel, "Excel")                                                                 \
    X(PlotMsg_ThemeVictorian, "Victorian")                                                         \
    X(PlotMsg_ThemePastels, "Pastels")                                                             \
    X(PlotMsg_ThemeSolid, "Solid")                                                                 \
    X(PlotMsg_ThemeClassic, "Classic")                                                             \
    X(PlotMsg_ThemeWeb, "Web")                                                                     \
    X(PlotMsg_ThemeModern, "Modern")                                                               \
    X(PlotMsg_ThemeRainbow, "Rainbow")                                                             \
    X(PlotMsg_ThemeWinXP, "Win. XP")                                                               \
    X(PlotMsg_ThemeMacOS, "Mac OS")                                                                \
    X(PlotMsg_ThemeWinVista, "Win. Vista")                                                         \
    X(PlotMsg_ThemeGrayScale, "Gray scale")                                                        \
    X(PlotMsg_ThemeOpera, "Opera")                                                                 \
    X(PlotMsg_ThemeWarm, "Warm")                                                                   \
    X(PlotMsg_ThemeCool, "Cool")

#define PLOT_DEFINE_TEXT(Name, Text) std::string Name = Text;
#define PLOT_TEXT_ENTRY(Name, Text) {&Name, Text},

PLOT_CONST_TEXTS(PLOT_DEFINE_TEXT)

void PlotAssignTexts(std::span<const TPlotText> Texts)
{
    for (const TPlotText& T : Texts)
        *T.Variable = T.Text;
}

void PlotSetConstants()
{
    static const TPlotText Texts[] = {PLOT_CONST_TEXTS(PLOT_TEXT_ENTRY)};
    PlotAssignTexts(Texts);
}
