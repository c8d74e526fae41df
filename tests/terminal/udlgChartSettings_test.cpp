#include "terminal/dlgChartSettings/udlgChartSettings.h"

#include "chart/canvas/PlotEngineScope.h"
#include "chart/chart/Chart.h"
#include "chart/panel/PlotPanelWidget.h"
#include "chart/series/CandleSeries.h"
#include "domain/uCollections.h"
#include "platform/ScriptedMessageBox.h"
#include "support/DecimalSeparatorScope.h"
#include "terminal/DialogDriver.h"
#include "terminal/charts/ChartHostFixture.h"
#include "terminal/dlgChartSettings/uChartSettingsPreview.h"
#include "terminal/fmBasic/uColorPickBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <set>

namespace {

constexpr std::int64_t cFirstStamp = 1'520'000'000'000;
// A stamp no date can show: its open time reads as 0.
constexpr std::int64_t cNoDateStamp = 3'000'000'000'000;

// Count rising candles a minute apart, those at Undated without an open time.
void FillKlines(TKlineList& List, int Count, std::set<int> Undated = {})
{
    for (int Index = 0; Index < Count; ++Index) {
        TKline& K =
            List.Add(Undated.count(Index) ? cNoDateStamp + Index : cFirstStamp + Index * 60'000);
        K.SetOpen(100 + Index);
        K.SetHigh(110 + Index);
        K.SetLow(90 + Index);
        K.SetClose(105 + Index);
    }
}

std::string Saved(const TChartSettingsInfo& Info)
{
    TChartSettingsJson Node;
    Info.Save(Node);
    return Node.dump();
}

// A chart's settings with everything the dialog does not show set apart.
TChartSettingsInfo ChartSettings()
{
    TChartSettingsInfo Info;
    Info.Reset();
    Info.SetZoom(z3);
    Info.SetLeft(45000.5);
    Info.SetSeries(0x123456);
    Info.SetPinMin(1.5);
    Info.SetPinMax(2.25);
    Info.SetShowGrid(true);
    return Info;
}

class ChartSettingsDialog : public testing::Test {
protected:
    ChartSettingsDialog() { Dialog.SetInfo(Target); }

    template <class T> T& Find(const char* Name) { return Control<T>(Dialog, Name); }
    void Activate(const char* Name, int Index)
    {
        auto& Combo = Find<QComboBox>(Name);
        Combo.setCurrentIndex(Index);
        emit Combo.activated(Index);
    }
    TCandleSeries& PreviewCandles()
    {
        auto& Chart = dynamic_cast<TChart&>(Find<TPlotPanelWidget>("chartSettings").Panel());
        for (TChartSeries* Series : Chart.SeriesList())
            if (auto* Candles = dynamic_cast<TCandleSeries*>(Series))
                return *Candles;
        throw std::runtime_error("no candles in the preview");
    }
    // A failure's message box comes once the click has returned.
    void Ok()
    {
        Find<QPushButton>("btnOk").click();
        QCoreApplication::processEvents();
    }

    TDecimalSeparatorScope Comma{','};
    TScriptedMessageBox Box;
    TChartSettingsInfo Target = ChartSettings();
    TfmChartSettings Dialog;
};

TEST_F(ChartSettingsDialog, ShowsTheSettingsAndOkWritesThemKeepingZoomLeftEdgeAndSeriesColour)
{
    EXPECT_EQ(Find<TColorPickBox>("cbBuy").Selected(), TColor(clLtGreen));
    EXPECT_EQ(Find<TColorPickBox>("cbGrid").currentText(), "Gray");
    EXPECT_TRUE(Find<QCheckBox>("chbShowGrid").isChecked());
    EXPECT_EQ(Find<QLineEdit>("edPinMin").text(), "1,5");
    EXPECT_EQ(Find<QLineEdit>("edPinMax").text(), "2,25");
    EXPECT_FALSE(Find<QLineEdit>("edPinMax").isEnabled()) << "pins off without the fixed scale";
    EXPECT_TRUE(Find<QRadioButton>("rbCandle").isChecked());

    Find<QCheckBox>("chbFixedZoom").setChecked(true);
    EXPECT_TRUE(Find<QLineEdit>("edPinMax").isEnabled());
    Find<QLineEdit>("edPinMax").setText("3,75");
    Find<QCheckBox>("chbShowGrid").setChecked(false);
    Find<QRadioButton>("rbBar").click();
    Activate("cbText", Find<TColorPickBox>("cbText").findText("Red"));
    Ok();

    EXPECT_EQ(Dialog.result(), QDialog::Accepted);
    TChartSettingsInfo Expected = ChartSettings();
    Expected.SetFixedZoom(true);
    Expected.SetPinMax(3.75);
    Expected.SetShowGrid(false);
    Expected.SetChartType(ctBar);
    Expected.SetText(clRed);
    EXPECT_EQ(Saved(Target), Saved(Expected));

    Find<QPushButton>("btnReset").click();
    EXPECT_EQ(Find<QLineEdit>("edPinMax").text(), "0");
    Ok();
    Expected.Reset();
    Expected.SetSeries(0x123456);
    Expected.SetPinMin(0);
    Expected.SetPinMax(0);
    EXPECT_EQ(Saved(Target), Saved(Expected)) << "reset: zoom, left edge and series colour kept";
}

TEST_F(ChartSettingsDialog, EachSchemeSetsItsSixColoursAndLeavesWhatIsBeingTyped)
{
    const struct {
        int Index;
        TColor Colors[6];
    } Cases[] = {
        {0, {clBlack, clWhite, clWhite, clBlack, clGray, clYellow}},
        {1, {clBlack, clWhite, clWhite, clBlack, clGray, clLime}},
        {2, {clWhite, clBlack, clWhite, clBlack, clGray, clBlack}},
        {3, {clWhite, clBlack, TColor(clLtGreen), TColor(clLtRed), clGray, clBlack}},
    };
    for (const auto& Case : Cases) {
        Find<QLineEdit>("edPinMin").setText("7");
        Find<QCheckBox>("chbShowVolume").setChecked(true);
        Activate("cbColorScheme", Case.Index);
        Ok();
        const TColor Colors[] = {Target.Background(), Target.Text(), Target.Buy(),
                                 Target.Sell(),       Target.Grid(), Target.Bar()};
        for (int Field = 0; Field < 6; ++Field)
            EXPECT_EQ(Colors[Field], Case.Colors[Field]) << Case.Index << " colour " << Field;
        EXPECT_EQ(Target.PinMin(), 7);
        EXPECT_TRUE(Target.ShowVolume());
        EXPECT_EQ(Target.Series(), 0x123456);
    }
}

TEST_F(ChartSettingsDialog, APinThatIsNoNumberChangesNothingAndKeepsTheDialogOpen)
{
    const std::string Before = Saved(Target);
    const struct {
        const char* PinMin;
        const char* PinMax;
        const char* Message;
    } Cases[] = {
        {"1,5", "abc", "'abc' is not a valid floating point value"},
        {"", "2", "'' is not a valid floating point value"},
        {"1.5", "2", "'1.5' is not a valid floating point value"},
    };
    Activate("cbColorScheme", 0);
    Find<QCheckBox>("chbShowTips").setChecked(true);
    for (const auto& Case : Cases) {
        Find<QLineEdit>("edPinMin").setText(Case.PinMin);
        Find<QLineEdit>("edPinMax").setText(Case.PinMax);
        Ok();
        EXPECT_NE(Dialog.result(), QDialog::Accepted) << Case.Message;
        ASSERT_FALSE(Box.Shown().empty());
        EXPECT_EQ(Box.Shown().back().Text, Case.Message);
        EXPECT_EQ(Saved(Target), Before);
    }
}

// A fixed scale needs a range: equal or inverted pins (the default 0 and 0
// among them) would blank the chart, and are refused with a message.
TEST_F(ChartSettingsDialog, AFixedScaleWithoutARangeIsRefused)
{
    const std::string Before = Saved(Target);
    const struct {
        bool Fixed;
        const char* PinMin;
        const char* PinMax;
        bool Accepted;
    } Cases[] = {
        {true, "0", "0", false}, {true, "2", "1,5", false}, {true, "1,5", "1,5", false},
        {false, "0", "0", true}, {true, "1,5", "2", true},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(std::string(Case.PinMin) + " " + Case.PinMax);
        const std::size_t Shown = Box.Shown().size();
        Find<QCheckBox>("chbFixedZoom").setChecked(Case.Fixed);
        Find<QLineEdit>("edPinMin").setText(Case.PinMin);
        Find<QLineEdit>("edPinMax").setText(Case.PinMax);
        Ok();
        EXPECT_EQ(Dialog.result() == QDialog::Accepted, Case.Accepted);
        if (Case.Accepted)
            continue;
        ASSERT_EQ(Box.Shown().size(), Shown + 1);
        EXPECT_EQ(Box.Shown().back().Text, "Закрепленный максимум должен быть больше минимума");
        EXPECT_EQ(Saved(Target), Before);
    }
    EXPECT_TRUE(Target.FixedZoom());
    EXPECT_EQ(Target.PinMax(), 2);
}

TEST_F(ChartSettingsDialog, ThePreviewFollowsColoursAndChartType)
{
    TColorPickBox::PickColor = [](TColor, QWidget*) { return std::optional<TColor>(clBlack); };
    Activate("cbBackground", 0);
    TColorPickBox::PickColor = nullptr;
    EXPECT_EQ(Find<TPlotPanelWidget>("chartSettings").grab().toImage().pixel(2, 2), qRgb(0, 0, 0));

    Find<QRadioButton>("rbLine").click();
    EXPECT_EQ(PreviewCandles().CandleStyle(), csLine);
    Activate("cbBar", Find<TColorPickBox>("cbBar").findText("Blue"));
    EXPECT_EQ(PreviewCandles().CandleStyle(), csLine) << "a colour keeps the chosen type";
    EXPECT_EQ(PreviewCandles().Pen().Color(), clBlue);
    // No empty axis of its own and no legend: every series is on the price axis.
    auto& Chart = dynamic_cast<TChart&>(Find<TPlotPanelWidget>("chartSettings").Panel());
    for (const TChartSeries* Series : Chart.SeriesList())
        EXPECT_EQ(std::pair(Series->VertAxis(), Series->ShowInLegend()),
                  std::pair(aRightAxis, false));
}

TEST_F(ChartSettingsDialog, ThePreviewShowsNothingBelowFiftyOneCandles)
{
    const struct {
        int Count;
        std::set<int> Undated;
        int Shown;
        size_t Messages;
    } Cases[] = {
        {50, {}, 0, 0},
        {51, {}, 51, 0},
        {120, {}, 51, 0},
        {60, {3, 40}, 49, 1},
    };
    for (const auto& Case : Cases) {
        TKlineList Klines;
        FillKlines(Klines, Case.Count, Case.Undated);
        const size_t Before = Box.Shown().size();
        Dialog.InitChart(Klines);
        EXPECT_EQ(PreviewCandles().Count(), Case.Shown) << Case.Count;
        EXPECT_EQ(Box.Shown().size() - Before, Case.Messages) << Case.Count;
        if (Case.Messages) {
            EXPECT_EQ(Box.Shown().back().Text, "OpenTimeEx = 0");
        }
    }
}

// A symbol at 0.00000012: five decimals would label every price 0.
TEST_F(ChartSettingsDialog, ThePreviewLabelsACheapPriceWithTheDecimalsItNeeds)
{
    TKlineList Klines;
    FillKlines(Klines, TChartSettingsPreview::cMinCandles);
    for (int Index = 0; Index < Klines.Count(); ++Index) {
        Klines.Items(Index).SetHigh(0.00000013);
        Klines.Items(Index).SetLow(0.00000011);
        Klines.Items(Index).SetOpen(0.00000012);
        Klines.Items(Index).SetClose(0.00000012);
    }
    Dialog.InitChart(Klines);
    auto& Widget = Find<TPlotPanelWidget>("chartSettings");
    Widget.grab();
    EXPECT_EQ(dynamic_cast<TChart&>(Widget.Panel()).RightAxis()->LabelValue(0.00000012),
              "0,00000012");
}

// OK through a chart: the next test.
TEST(ExecuteDlgChartSettings, CancelChangesNothingAndTheFormIsTranslated)
{
    const auto Roaming = std::filesystem::temp_directory_path() / "tavrix-chart-settings-test";
    TTranslatorScope English("English", Roaming);
    TKlineList Klines;
    FillKlines(Klines, 60);
    TChartSettingsInfo Settings = ChartSettings();
    const bool Ok = DriveModal<bool>(
        [](QDialog& Dialog) {
            EXPECT_EQ(Control<QCheckBox>(Dialog, "chbShowGrid").text(), "Show grid");
            Control<QCheckBox>(Dialog, "chbShowGrid").setChecked(false);
            Control<QPushButton>(Dialog, "btnCancel").click();
        },
        [&] { return ExecuteDlgChartSettings(Klines, Settings); });
    EXPECT_FALSE(Ok);
    EXPECT_TRUE(Settings.ShowGrid());
    std::filesystem::remove_all(Roaming);
}

// Through a chart window: OK restyles the chart and leaves its view alone.
TEST(ChartSettingsOfAChart, OkRestylesTheChartAndKeepsItsZoomLeftEdgeAndSeriesColour)
{
    TChartHost Charts;
    Charts.List.Dialogs().ExecuteDlgChartSettings = ExecuteDlgChartSettings;
    TChartItem& Item = Charts.List.Add();
    Item.SetSymbol("BTCUSDT");
    FillKlines(Item.KlineList(), 60);
    Item.OnNotify(BASE_MAIN_KLINES, 0);
    Item.SetIsLoading(false);
    Item.ChartFullRefresh();
    Item.SetZoom(z2);
    Item.ChartSettings().SetSeries(0x123456);
    TChartAxis& Time = *Item.Chart()->BottomAxis();
    Time.SetMinMax(Time.Minimum() + 0.01, Time.Maximum() + 0.01);
    const std::pair Span{Time.Minimum(), Time.Maximum()};

    DriveModal<bool>(
        [](QDialog& Dialog) {
            auto& Background = Control<TColorPickBox>(Dialog, "cbBackground");
            Background.setCurrentIndex(Background.findText("Black"));
            emit Background.activated(Background.currentIndex());
            Control<QRadioButton>(Dialog, "rbBar").click();
            Control<QPushButton>(Dialog, "btnOk").click();
        },
        [&] {
            Item.acChartSettingsExecute();
            return true;
        });

    EXPECT_EQ(Item.Chart()->BackColor(), TColor(clBlack));
    EXPECT_EQ(Item.SerPrice()->SeriesColor(), TColor(clWhite)) << "the price line on black";
    EXPECT_EQ(Item.SerCandles()->CandleStyle(), csCandleBar);
    EXPECT_EQ(Item.ChartSettings().Zoom(), z2);
    EXPECT_EQ(Item.ChartSettings().Series(), TColor(0x123456));
    EXPECT_EQ(std::pair(Time.Minimum(), Time.Maximum()), Span) << "the view stays where it was";
}

} // namespace
