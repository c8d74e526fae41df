#include "chart/chart/Chart.h"
#include "chart/series/CandleSeries.h"
#include "domain/uTranslator.h"
#include "platform/SysUtils.h"
#include "platform/qt/AppException.h"
#include "platform/qt/Screen.h"
#include "terminal/charts/uChartViewCalc.h"
#include "terminal/charts/uCharts.h"

#include <QCursor>
#include <QWidget>
#include <algorithm>
#include <stdexcept>
#include <vector>

// What a chart draws over its finished frame, and its axis labels.

namespace {

constexpr const char* cLoadingText = "Обновление данных";
// The volume range starts from these, so that any volume widens it.
constexpr double cNoVolumeMax = -1;
constexpr double cNoVolumeMin = 9999999;

void VerticalLine(TCanvas3D& aCanvas, int X, int Top, int Bottom)
{
    aCanvas.MoveTo(X, Top);
    aCanvas.LineTo(X, Bottom);
}

void SetPen(TCanvas3D& aCanvas, TColor aColor, TPenStyle aStyle)
{
    aCanvas.Pen().SetColor(aColor);
    aCanvas.Pen().SetStyle(aStyle);
    aCanvas.Pen().SetWidth(1);
    aCanvas.Brush().SetStyle(bsClear);
}

// Lines through the pointer, one pixel up and left of it, across the chart.
void DrawCrosshair(TCanvas3D& aCanvas, TChart& aChart, QPoint aAt, TColor aColor)
{
    aCanvas.Pen().SetColor(aColor);
    aCanvas.MoveTo(0, aAt.y() - 1);
    aCanvas.LineTo(aChart.Width(), aAt.y() - 1);
    VerticalLine(aCanvas, aAt.x() - 1, 0, aChart.Height());
}

// The price of the crosshair's line, over the price labels beside the axis.
void DrawCrosshairPrice(TCanvas3D& aCanvas, TChart& aChart, int Y, const std::string& aText)
{
    if (aText.empty())
        return;
    const int Height = aCanvas.TextHeight(aText);
    const TRect Tag = Bounds(aChart.RightAxis()->PosAxis() + 1, Y - 1 - Height / 2,
                             aCanvas.TextWidth(aText) + 4, Height);
    aCanvas.Brush().SetStyle(bsSolid);
    aCanvas.Brush().SetColor(aChart.Color());
    aCanvas.FillRect(Tag);
    aCanvas.Brush().SetStyle(bsClear);
    aCanvas.TextOut(Tag.Left + 2, Tag.Top, aText);
}

void DrawDaySeparators(TCanvas3D& aCanvas, TChart& aChart, TColor aColor)
{
    const TChartAxis& Time = *aChart.BottomAxis();
    const std::vector<TDateTime> Midnights = DaySeparators(Time.Minimum(), Time.Maximum());
    if (Midnights.empty())
        return;
    SetPen(aCanvas, aColor, psDot);
    for (const TDateTime Midnight : Midnights)
        VerticalLine(aCanvas, Time.CalcXPosValue(Midnight), 0, aChart.Height());
}

void DrawLoadingBanner(TCanvas3D& aCanvas, bool aOnBlack)
{
    const TRect R = BannerRect(aCanvas.Bounds());
    const std::string Text = Translator ? Translator->Translate(cLoadingText) : cLoadingText;
    TFont& Font = aCanvas.Font();
    Font.SetSize(FitFontSize(R.Width(), R.Height(), [&](int aSize) {
        Font.SetSize(aSize);
        return aCanvas.TextWidth(Text);
    }));
    if (aOnBlack)
        Font.SetColor(clWhite);
    const int Width = aCanvas.TextWidth(Text), Height = aCanvas.TextHeight(Text);
    aCanvas.TextOut(R.Left + (R.Width() - Width) / 2, R.Top + (R.Height() - Height) / 2, Text);
}

} // namespace

void TChartItem::OnChartAfterDraw()
{
    fPriceLabels.NewFrame();
    if (!Ready() || !fChart)
        return;
    TCanvas3D& C = fChart->Canvas();
    const TChartSettingsInfo& S = fChartSettings;
    const bool OnBlack = fChart->Color() == clBlack;
    try {
        if (OnBlack)
            C.Font().SetColor(clWhite);
        C.TextOut(10, 10, ChartTitleText());
        if (const QWidget* Host = fChart->Host(); Host && ScreenCursor() == Qt::CrossCursor) {
            const QPoint At = Host->mapFromGlobal(QCursor::pos());
            DrawCrosshair(C, *fChart, At, fSerPrice->SeriesColor());
            DrawCrosshairPrice(C, *fChart, At.y(), CrosshairPrice(At.y() - 1));
        }
        if (S.ShowPeriods())
            DrawDaySeparators(C, *fChart, S.Text());
        if (S.ShowVolume() && fKlineList.Count() > 0 && !DrawVolumes(C))
            return;
        if (fIsLoading)
            DrawLoadingBanner(C, OnBlack);
    } catch (const std::exception& E) {
        // Told once, not at every repaint; the box opens after the paint.
        if (fOverlayError == E.what())
            return;
        fOverlayError = E.what();
        ApplicationHandleException("TChartItem.OnChartAfterDraw");
    }
}

bool TChartItem::DrawVolumes(TCanvas3D& aCanvas)
{
    // The displayed candles' records, found by their exact open times.
    const int32_t First = fSerCandles->FirstValueIndex();
    const int32_t Last = First < 0 ? First - 1 : fSerCandles->LastValueIndex();
    const TChartValueList& Dates = fSerCandles->DateValues();
    std::vector<double> Volumes;
    double VMax = cNoVolumeMax, VMin = cNoVolumeMin;
    for (int32_t I = First; I <= Last; ++I) {
        const TKline* Kline = fKlineList.Find(DateToStamp(Dates[I]));
        if (!Kline)
            throw std::runtime_error("kline error");
        Volumes.push_back(Kline->Volume());
        VMax = std::max(VMax, Kline->Volume());
        VMin = std::min(VMin, Kline->Volume());
    }
    if (VMax == VMin)
        return false;
    const TChartAxis& Price = *fChart->RightAxis();
    const int Bottom = Price.IEndPos;
    const int ZoneTop = VolumeZoneTop(Price.IStartPos, Bottom);
    SetPen(aCanvas, fChartSettings.Text(), psSolid);
    for (int32_t I = First; I <= Last; ++I)
        VerticalLine(aCanvas, fSerCandles->CalcXPos(I), Bottom,
                     VolumeBarTop(Volumes[std::size_t(I - First)], VMin, VMax, ZoneTop, Bottom));
    return true;
}

std::string TChartItem::ChartTitleText() const
{
    std::string Text = fSymbol + ", " + std::string(TChartIntervalStr[fInterval]);
    if (!fChartSettings.ShowOHLC() || !fSerCandles || fSerCandles->Count() == 0)
        return Text;
    // The records keep arrival order, in which older pages come last.
    const TKline* Newest = fKlineList.Find(DateToStamp(fSerCandles->DateValues().Last()));
    if (!Newest)
        return Text;
    const double Prices[] = {Newest->Open(), Newest->High(), Newest->Low(), Newest->Close()};
    int Decimals = cMinPriceDecimals;
    for (const double Price : Prices)
        Decimals = std::max(Decimals, PriceDecimals(Price));
    const char* Separator = "  ";
    for (const double Price : Prices) {
        Text += Separator + FormatPrice(Price, Decimals, GetFormatSettings());
        Separator = ", ";
    }
    return Text;
}

std::string TChartItem::CrosshairPrice(int Y) const
{
    if (!fChart)
        return {};
    const TChartAxis& Price = *fChart->RightAxis();
    if (Y < Price.IStartPos || Y > Price.IEndPos)
        return {};
    return FormatPrice(Price.CalcPosPoint(Y), fPriceLabels.Decimals(), Price.FormatSettings());
}

void TChartItem::OnChartGetAxisLabel(TChartAxis& Sender, const IChartSeries*, int32_t,
                                     std::string& LabelText)
{
    if (!Ready() || !fChart)
        return;
    if (&Sender == fChart->RightAxis()) {
        fPriceLabels.GetLabel(Sender, LabelText);
    } else if (&Sender == fChart->BottomAxis()) {
        // A time separator other than ":" writes a shape the trade date does
        // not read: such a label stays as the axis wrote it.
        try {
            LabelText = ChartDateToTradeDate(LabelText);
        } catch (const EConvertError&) {
        }
    }
}
