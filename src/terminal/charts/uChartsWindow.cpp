#include "chart/chart/Chart.h"
#include "chart/panel/PlotPanelWidget.h"
#include "chart/series/BubbleSeries.h"
#include "chart/series/CandleSeries.h"
#include "controls/uMdiWindow.h"
#include "domain/uUIWriter.h"
#include "terminal/charts/uChartList.h"
#include "terminal/charts/uChartSettingsView.h"
#include "terminal/charts/uCharts.h"
#include "terminal/charts/uIndicators.h"

#include <QEvent>
#include <QTimer>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <utility>

// The chart window, its chart and series, and the events bound to the item.

namespace {

constexpr int cWindowWidth = 500;
constexpr int cWindowHeight = 300;
constexpr TColor cActiveColor = 0xE9E1AB;
constexpr int cHeightConstraint = 5;
constexpr int cColorPaletteIndex = 13;
constexpr TColor cBuyColor = 0xC0F1D8;
constexpr TColor cSellColor = 0xD8C0F1;
constexpr int cBuySize = 8;
constexpr int cSellSize = 13;

// An event handler that finds its item by number when it runs: it does
// nothing once the item is gone, however late the event comes.
template <class TFn> auto OnItem(TChartID aID, TFn aFn)
{
    return [aID, aFn](auto&&... Args) {
        if (auto* Item = dynamic_cast<TChartItem*>(FindChartItem(aID)))
            aFn(*Item, std::forward<decltype(Args)>(Args)...);
    };
}

// Tells when the chart loses the focus, or its window goes behind another
// or is hidden: a drag in progress then never sees its release.
class TFocusLossFilter : public QObject {
public:
    TFocusLossFilter(QWidget& aWidget, std::function<void()> aOnLost)
        : QObject(&aWidget), fOnLost(std::move(aOnLost))
    {
        aWidget.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* aEvent) override
    {
        const QEvent::Type Type = aEvent->type();
        if (Type == QEvent::FocusOut || Type == QEvent::WindowDeactivate || Type == QEvent::Hide)
            fOnLost();
        return false;
    }

private:
    std::function<void()> fOnLost;
};

// Tells once the events in progress have returned that the widget was
// resized: by then its window's layout, and the chart's size, are final;
// a burst of resizes is told once.
class TResizeFilter : public QObject {
public:
    TResizeFilter(QWidget& aWidget, std::function<void()> aOnResized)
        : QObject(&aWidget), fOnResized(std::move(aOnResized))
    {
        aWidget.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* aEvent) override
    {
        if (aEvent->type() == QEvent::Resize && !fPending) {
            fPending = true;
            QTimer::singleShot(0, this, [this] {
                fPending = false;
                fOnResized();
            });
        }
        return false;
    }

private:
    std::function<void()> fOnResized;
    bool fPending = false;
};

void SetUpAppearance(TChart& aChart)
{
    aChart.Walls().Back().SetColor(clWhite);
    aChart.Walls().Back().SetTransparent(false);
    aChart.Border().SetVisible(true);
    aChart.Foot().Font().SetName(cChartFont);
    aChart.Walls().Left().SetColor(clWhite);
    aChart.Walls().Right().SetColor(clWhite);
    aChart.Legend().Font().SetHeight(12);
    aChart.Legend().Font().SetName(cChartFont);
    aChart.Legend().Shadow().SetColor(clGray);
    aChart.SetMarginUnits(muPixels);
    aChart.SetMargin(1, 3);
    aChart.SetMargin(3, 3);
    aChart.SetScrollMouseButton(mbLeft);
    TPlotFont& TitleFont = aChart.Title().Font();
    TitleFont.SetColor(clBlack);
    TitleFont.SetHeight(-13);
    TitleFont.SetName(cChartFont);
    TitleFont.SetStyle(fsBold);
    aChart.Title().Shadow().SetVisible(false);
    aChart.SetView3D(false);
    aChart.BevelOuter = bvNone;
    aChart.SetColor(clWhite);
    aChart.SetColorPaletteIndex(cColorPaletteIndex);
    SetUpChartAxes(aChart);
    aChart.Shadow().SetVisible(false);
}

void SetUpBubbles(TBubbleSeries& aBubbles, TSeriesPointerStyle aStyle, int aSize, TColor aColor)
{
    SetUpBubbleSeries(aBubbles, aStyle, aSize);
    aBubbles.SetSeriesColor(aColor);
}

} // namespace

void TChartItem::CreateWindow()
{
    if (fIsLocked || fWindow)
        return;
    fIsLocked = true;
    struct TUnlock {
        bool& Locked;
        ~TUnlock() { Locked = false; }
    } Unlock{fIsLocked};

    QWidget* Host = fChartList.WinControl();
    if (!Host)
        throw std::logic_error("TChartItem.CreateWindow: no host for the chart window");
    auto* Window = new TwinctrlMdiWindow(Host);
    fWindow = Window;
    // The host's "Tag" property, as the form library's Tag: 0 when unset.
    Window->SetGroupIndex(Host->property("Tag").toInt());
    Window->SetBounds(int(std::floor((Host->width() - cWindowWidth) / 2.0)),
                      int(std::floor((Host->height() - cWindowHeight) / 2.0)), cWindowWidth,
                      cWindowHeight);
    Window->SetDestroyOnClose(false);
    Window->SetActiveColor(cActiveColor);
    Window->SetHeightConstraint(cHeightConstraint);

    CreateChart(*Window);
    CreateSeries();
    PlaceAtPresent();
    BindEvents();
    Window->show();
}

void TChartItem::CreateChart(QWidget& aWindow)
{
    fChart = std::make_unique<TChart>();
    auto* Widget = new TPlotPanelWidget(*fChart, &aWindow);
    SetAlign(*Widget, alClient);
    fWindow->SetFocusControl(Widget);
    fIndicatorList->SetChart(fChart.get());
    fChart->Title().SetText({});
    fChart->SetAllowPanning(pmHorizontal);
    fChart->SetAllowZoom(false);
    fChart->SetPopupMenu(fChartList.PmChart());
    SetUpAppearance(*fChart);
    TPriceAxisLabels::SetUp(*fChart->RightAxis());
}

// Added in drawing order: the price line under the bubbles, the candles on top.
void TChartItem::CreateSeries()
{
    fSerPrice = std::make_unique<TLineSeries>();
    SetUpPriceLine(*fSerPrice);
    fSerPrice->Brush().SetStyle(bsHorizontal);
    fSerPrice->SetParentChart(fChart.get());

    fSerBuy = std::make_unique<TBubbleSeries>();
    SetUpBubbles(*fSerBuy, psTriangle, cBuySize, cBuyColor);
    fSerBuy->SetParentChart(fChart.get());
    fSerSell = std::make_unique<TBubbleSeries>();
    SetUpBubbles(*fSerSell, psDownTriangle, cSellSize, cSellColor);
    fSerSell->SetParentChart(fChart.get());

    fSerCandles = std::make_unique<TCandleSeries>();
    SetUpCandleSeries(*fSerCandles);
    fSerCandles->SetParentChart(fChart.get());
    for (TChartSeries* Series : std::initializer_list<TChartSeries*>{
             fSerPrice.get(), fSerBuy.get(), fSerSell.get(), fSerCandles.get()})
        Series->Clear();
}

void TChartItem::BindEvents()
{
    const TChartID ID = fLink->ID();
    TwinctrlMdiWindow& Window = *fWindow;
    Window.OnClose = OnItem(ID, [](TChartItem& Item, auto&) { Item.DestroyWindow(); });
    Window.OnMaximize = OnItem(ID, [](TChartItem& Item, TwinctrlCustomMdiWindow& Sender) {
        if (Item.Ready())
            Item.fChartList.Maximize(Sender.State());
    });
    Window.OnActivate = [](TwinctrlCustomMdiWindow&) {
        QueueNotify(BASE_MAIN_REFRESH_ACTIVE_WINDOW, 0);
    };
    Window.OnDeactivate = Window.OnActivate;

    TChart& Chart = *fChart;
    Chart.OnClick = OnItem(ID, [](TChartItem& Item) {
        if (Item.Ready() && !Item.Active())
            Item.SetActive(true);
    });
    Chart.OnZoom = OnItem(ID, [](TChartItem& Item, auto*) { Item.RefreshOrdersBubbles(); });
    Chart.OnScroll = OnItem(ID, [](TChartItem& Item, auto*) { Item.OnChartScroll(); });
    Chart.OnAfterDraw = OnItem(ID, [](TChartItem& Item, auto*) { Item.OnChartAfterDraw(); });
    Chart.OnMouseDown =
        OnItem(ID, [](TChartItem& Item, TMouseButton Button, TShiftState Shift, int X, int Y) {
            Item.OnChartMouseDown(Button, Shift, X, Y);
        });
    Chart.OnMouseMove = OnItem(ID, [](TChartItem& Item, TShiftState Shift, int X, int Y) {
        Item.OnChartMouseMove(Shift, X, Y);
    });
    Chart.OnMouseUp = OnItem(ID, [](TChartItem& Item, TMouseButton Button, TShiftState Shift, int X,
                                    int Y) { Item.OnChartMouseUp(Button, Shift, X, Y); });
    Chart.SetOnGetAxisLabel(
        OnItem(ID, [](TChartItem& Item, TChartAxis& Sender, const IChartSeries* Series,
                      int32_t ValueIndex, std::string& LabelText) {
            Item.OnChartGetAxisLabel(Sender, Series, ValueIndex, LabelText);
        }));
    if (QWidget* Widget = Chart.Host()) {
        new TFocusLossFilter(*Widget,
                             OnItem(ID, [](TChartItem& Item) { Item.OnChartFocusLost(); }));
        new TResizeFilter(*Widget, OnItem(ID, [](TChartItem& Item) { Item.OnChartResize(); }));
    }
}
