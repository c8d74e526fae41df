#include "terminal/dlgChartSettings/uChartSettingsPreview.h"

#include "chart/panel/PlotPanelWidget.h"
#include "domain/uCollections.h"
#include "domain/uCommon.h"

namespace {

// Below this many candles the preview's axes follow the candles.
constexpr int cFixedAxesCandles = 10;
constexpr int cBubbleSize = 9;

void SetAxesAutomatic(TChart& aChart, bool aAutomatic)
{
    for (TChartAxis* Axis : {aChart.BottomAxis(), aChart.RightAxis()}) {
        Axis->SetAutomatic(aAutomatic);
        Axis->SetAutomaticMinimum(aAutomatic);
        Axis->SetAutomaticMaximum(aAutomatic);
    }
}

} // namespace

TChartSettingsPreview::TChartSettingsPreview(QWidget* Parent)
{
    fChart.SetSize(cWidth, cHeight);
    fChart.BevelOuter = bvNone;
    fChart.SetView3D(false);
    fChart.Title().SetText({});
    fChart.SetMarginUnits(muPixels);
    fChart.SetMargin(1, 3);
    fChart.SetMargin(3, 3);
    for (TCustomChartWall* Wall : std::initializer_list<TCustomChartWall*>{
             &fChart.Walls().Back(), &fChart.Walls().Left(), &fChart.Walls().Right()})
        Wall->SetColor(clWhite);
    SetUpChartAxes(fChart);
    fChart.BottomAxis()->SetLabelsAlternate(true);
    // Prices labelled as the chart window labels them.
    TPriceAxisLabels::SetUp(*fChart.RightAxis());
    fChart.SetOnGetAxisLabel(
        [this](TChartAxis& Sender, const IChartSeries*, int32_t, std::string& LabelText) {
            if (&Sender == fChart.RightAxis())
                fPriceLabels.GetLabel(Sender, LabelText);
        });
    fChart.OnAfterDraw = [this](TCustomPlotPanelExtended*) { fPriceLabels.NewFrame(); };

    SetUpPriceLine(fPrice);
    fPrice.SetParentChart(&fChart);
    for (auto [Bubbles, Style] :
         {std::pair{&fBuy, psTriangle}, std::pair{&fSell, psDownTriangle}}) {
        SetUpBubbleSeries(*Bubbles, Style, cBubbleSize);
        Bubbles->SetParentChart(&fChart);
    }
    SetUpCandleSeries(fCandles);
    fCandles.Marks().Font().SetName("Microsoft JhengHei");
    fCandles.SetParentChart(&fChart);

    fWidget = new TPlotPanelWidget(fChart, Parent);
    fWidget->setObjectName(QStringLiteral("chartSettings"));
    fWidget->setGeometry(0, 0, cWidth, cHeight);
}

TChartSettingsPreview::~TChartSettingsPreview()
{
    delete fWidget;
}

void TChartSettingsPreview::Fill(const TKlineList& aKlines)
{
    SetAxesAutomatic(fChart, fCandles.Count() < cFixedAxesCandles);
    fCandles.BeginUpdate();
    try {
        fCandles.Clear();
        bool Told = false;
        for (int Index = 0; aKlines.Count() >= cMinCandles && Index < cMinCandles; ++Index) {
            const TKline& Kline = aKlines.Items(Index);
            if (Kline.OpenTimeEx() == 0) {
                if (!Told)
                    Msg("OpenTimeEx = 0", mtInfo);
                Told = true;
                continue;
            }
            fCandles.AddCandle(Kline.OpenTimeEx(), Kline.Open(), Kline.High(), Kline.Low(),
                               Kline.Close());
        }
    } catch (...) {
        // The preview shows what it could.
    }
    fCandles.EndUpdate();
}

void TChartSettingsPreview::Show(const TChartSettingsInfo& aSettings)
{
    aSettings.GetInfo(fView);
}
