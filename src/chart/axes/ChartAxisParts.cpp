#include "chart/axes/ChartAxisParts.h"

#include <algorithm>

std::vector<std::string> PlotTextLines(const std::string& St)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = St.find(PlotLineSeparator, start)) != std::string::npos;
         start = end + 1)
        lines.push_back(St.substr(start, end - start));
    lines.push_back(St.substr(start));
    return lines;
}

int PlotNumTextLines(const std::string& St)
{
    return 1 + int(std::count(St.begin(), St.end(), PlotLineSeparator));
}

TAxisGridPen::TAxisGridPen(TNotifyEvent OnChangeEvent) : TDottedGrayPen(std::move(OnChangeEvent)) {}

void TAxisGridPen::SetDrawEvery(int Value)
{
    Set(fDrawEvery, std::max(Value, 1));
}

TChartAxisTitle::TChartAxisTitle(int Angle, std::function<void()> Changed)
    : fChanged(std::move(Changed)), fAngle(Angle), fFont([this](TGraphicsObject*) { fChanged(); }),
      fFormat([this] { fChanged(); })
{
}
