#pragma once

#include "terminal/charts/uChartViewCalc.h"

#include <array>
#include <limits>
#include <string>

class TChartAxis;

// The labels of a chart's price axis, as the chart window and the settings
// dialog's preview write them: the axis writes every value whole, and each
// label is written again with the decimals its step needs, never fewer than
// a price needs (a price of 0.00000012 is no "0"). The step is measured once
// per frame for the axis' range and extent. UI thread only.
class TPriceAxisLabels {
public:
    // Gives aAxis the picture that writes its values whole.
    static void SetUp(TChartAxis& aAxis);
    // From the chart's label hook, for a label of the price axis aAxis.
    void GetLabel(TChartAxis& aAxis, std::string& aLabelText);
    // After each frame: the next one measures the step afresh.
    void NewFrame() { fKey.fill(cNoKey); }
    // The decimals of the labels last written.
    int Decimals() const { return fDecimals; }

private:
    static constexpr double cNoKey = std::numeric_limits<double>::quiet_NaN();
    int fDecimals = cMinPriceDecimals;
    // The axis' minimum, maximum and pixel extent the decimals were found for.
    std::array<double, 4> fKey{cNoKey, cNoKey, cNoKey, cNoKey};
    // The step is measured on sample labels, which come back through the
    // hook: those keep their text.
    bool fMeasuring = false;
};
