#include "terminal/charts/uPriceAxisLabels.h"

#include "chart/axes/ChartAxis.h"

namespace {

constexpr const char* cPriceLabelPicture = "0.###############";

} // namespace

void TPriceAxisLabels::SetUp(TChartAxis& aAxis)
{
    aAxis.SetAxisValuesFormat(cPriceLabelPicture);
}

void TPriceAxisLabels::GetLabel(TChartAxis& aAxis, std::string& aLabelText)
{
    if (fMeasuring)
        return;
    const std::array<double, 4> Key{aAxis.Minimum(), aAxis.Maximum(), double(aAxis.IStartPos),
                                    double(aAxis.IEndPos)};
    if (Key != fKey) {
        fMeasuring = true;
        struct TDone {
            bool& Measuring;
            ~TDone() { Measuring = false; }
        } Done{fMeasuring};
        fDecimals = AxisPriceDecimals(aAxis.CalcIncrement(), aAxis.Minimum(), aAxis.Maximum());
        fKey = Key;
    }
    aLabelText = PriceAxisLabel(aLabelText, fDecimals, aAxis.FormatSettings());
}
