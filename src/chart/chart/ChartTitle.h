#pragma once

#include "chart/panel/PlotShape.h"

#include <string>
#include <vector>

// The text titles of a chart: title and subtitle above the plotting area,
// foot and subfoot below it. A title takes its room from the chart rectangle
// unless it is placed by hand.

// Draws Lines one under the other from the top of Bounds, each placed
// between its sides by Align, Margin pixels in from the side it leans on.
void DrawAlignedLines(TCanvas3D& C, const std::vector<std::string>& Lines, const TRect& Bounds,
                      TAlignment Align, int Margin, int LineHeight, bool Html);
// The width of a line in the canvas' font: of the text it shows when it is
// HTML (a line that fails to parse measures as plain text).
int LineWidth(TCanvas3D& C, const std::string& Line, bool Html);
// The width of the widest of Lines.
int WidestLine(TCanvas3D& C, const std::vector<std::string>& Lines, bool Html);

class TChartTitle : public TPlotCustomShapePosition {
public:
    explicit TChartTitle(TCustomPlotPanel* AParent, bool AOnTop = true);

    bool AdjustFrame() const { return FAdjustFrame; }
    void SetAdjustFrame(bool Value) { SetProperty(FAdjustFrame, Value); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { SetProperty(FAlignment, Value); }
    const std::vector<std::string>& Text() const { return FText; }
    void SetText(const std::vector<std::string>& Value) { SetProperty(FText, Value); }
    // One line; an empty caption clears the text.
    void SetCaption(const std::string& Value);
    int VertMargin() const { return FVertMargin; }
    void SetVertMargin(int Value) { SetProperty(FVertMargin, Value); }
    bool OnTop() const { return IOnTop; }

    bool Clicked(int X, int Y) const;
    // Lays out and draws the title in the panel's chart rectangle and takes
    // its room from it.
    void DrawTitle();

private:
    // The bounds for a text block of the given size.
    TRect CalcBounds(const TRect& ChartRect, int TextWidth, int TextHeight, int Frame) const;

    bool FAdjustFrame = true;
    TAlignment FAlignment = taCenter;
    std::vector<std::string> FText;
    int FVertMargin = 5;
    bool IOnTop;
};

class TChartFootTitle : public TChartTitle {
public:
    explicit TChartFootTitle(TCustomPlotPanel* AParent);
};
