#include "terminal/charts/uIndicators.h"

#include "domain/uLog.h"
#include "terminal/charts/uIndicatorSeries.h"

#include <QMenu>
#include <QWidget>
#include <algorithm>

namespace {

constexpr const char* cFillError = "TfmBaseMain.RefreshChart Series3 error: ";

// Clears aSeries and adds aPoints inside one update bracket, so that the
// chart repaints once. Bubbles carry aRadius as their third value.
void Refill(TCustomSeries& aSeries, const std::vector<TIndicatorPoint>& aPoints,
            TIndicatorSeriesClass aClass, double aRadius)
{
    TChartPointsBatch Batch;
    Batch.Values.resize(aClass == iscBubble ? 3 : 2);
    for (auto& Column : Batch.Values)
        Column.reserve(aPoints.size());
    for (const TIndicatorPoint& Point : aPoints) {
        Batch.Values[0].push_back(Point.X);
        Batch.Values[1].push_back(Point.Y);
        if (aClass == iscBubble)
            Batch.Values[2].push_back(aRadius);
    }
    aSeries.BeginUpdate();
    try {
        aSeries.Clear();
        aSeries.AddPoints(Batch);
    } catch (...) {
        aSeries.EndUpdate();
        throw;
    }
    aSeries.EndUpdate();
}

// A fill's failure is logged; the points added before it stay.
void Logged(const std::function<void()>& aFill)
{
    try {
        aFill();
    } catch (const std::exception& E) {
        WriteLog(cFillError + std::string(E.what()), mtAlert, 0);
    }
}

// True for a fractal indicator, which then takes aRadius.
bool SetFractalRadius(TIndicatorItem& aItem, double aRadius)
{
    auto* Fractal = dynamic_cast<TFractalIndicatorInfo*>(&aItem.Info());
    if (Fractal)
        Fractal->SetRadius(aRadius);
    return Fractal != nullptr;
}

} // namespace

TIndicatorItem::TIndicatorItem(TIndicatorList& aIndicatorList,
                               std::unique_ptr<TBaseIndicatorInfo> aInfo)
    : fIndicatorList(aIndicatorList), fInfo(std::move(aInfo))
{
}

TIndicatorItem::~TIndicatorItem()
{
    for (auto& Series : fSeries)
        Series->SetParentChart(nullptr);
}

void TIndicatorItem::FillSeries(const TKlineList* aKlineList)
{
    if (aKlineList)
        fKlineList = aKlineList;
    if (fKlineList)
        Logged([this] { Fill(SortedCandles(*fKlineList)); });
}

void TIndicatorItem::Fill(const TIndicatorCandles& aCandles)
{
    const std::vector<TIndicatorSeriesClass>& Classes = fInfo->SeriesClass();
    while (fSeries.size() < Classes.size())
        AddIndicatorSeries(GetSeriesCount());
    const TIndicatorPoints Points = CalculateIndicator(*fInfo, aCandles);
    const auto* Fractal = dynamic_cast<const TFractalIndicatorInfo*>(fInfo.get());
    const double Radius = Fractal ? Fractal->Radius() : 0;
    for (std::size_t i = 0; i < fSeries.size(); ++i) {
        ApplyStyle(*fSeries[i]);
        Refill(*fSeries[i], Points.Series[i], Classes[i], Radius);
    }
    // Every refresh repeats the fill: the same error is told once, until a
    // fill without it.
    if (!Points.Error.empty() && Points.Error != fToldError)
        WriteLog(cFillError + Points.Error, mtAlert, 0);
    fToldError = Points.Error;
}

void TIndicatorItem::AddIndicatorSeries(int aIndex)
{
    std::unique_ptr<TCustomSeries> Series =
        CreateIndicatorSeries(fInfo->SeriesClass().at(std::size_t(aIndex)), aIndex);
    Series->SetCursor(Qt::PointingHandCursor);
    Series->Marks().SetVisible(false);
    Series->SetShowInLegend(false);
    Series->SetVertAxis(aRightAxis);
    Series->XValues().SetDateTime(true);
    Series->XValues().SetName("X");
    Series->XValues().SetOrder(loAscending);
    Series->YValues().SetName("Y");
    Series->YValues().SetOrder(loNone);
    ApplyStyle(*Series);
    TIndicatorList& List = fIndicatorList;
    Series->OnDblClick = [&List](TChartSeries* Sender, int32_t ValueIndex, TMouseButton Button,
                                 TShiftState Shift, int X, int Y) {
        List.OnSeriesDblClick(Sender, ValueIndex, Button, Shift, X, Y);
    };
    Series->SetParentChart(fIndicatorList.Chart());
    fSeries.push_back(std::move(Series));
}

void TIndicatorItem::ApplyStyle(TCustomSeries& aSeries) const
{
    if (const auto* Line = dynamic_cast<const TLineIndicatorInfo*>(fInfo.get())) {
        aSeries.SetSeriesColor(Line->LineColor());
        aSeries.LinePen().SetStyle(static_cast<TPenStyle>(NearestLineStyle(Line->LineStyle())));
        aSeries.LinePen().SetWidth(NearestLineWidth(Line->LineWidth()));
    } else if (const auto* Fractal = dynamic_cast<const TFractalIndicatorInfo*>(fInfo.get()))
        aSeries.SetSeriesColor(Fractal->Color());
}

TIndicatorList::~TIndicatorList()
{
    Clear();
}

TIndicatorItem& TIndicatorList::Add(std::unique_ptr<TBaseIndicatorInfo> aIndicatorInfo)
{
    return *fItems.emplace_back(std::make_unique<TIndicatorItem>(*this, std::move(aIndicatorInfo)));
}

void TIndicatorList::DeleteItem(TIndicatorItem* aItem)
{
    const auto Found = std::find_if(fItems.begin(), fItems.end(),
                                    [aItem](const auto& Item) { return Item.get() == aItem; });
    if (Found == fItems.end())
        return;
    if (fSelected == aItem)
        fSelected = nullptr;
    fItems.erase(Found);
}

TIndicatorItem* TIndicatorList::FindBySeries(const TChartSeries* aSeries) const
{
    for (const auto& Item : fItems)
        for (int i = 0; i < Item->GetSeriesCount(); ++i)
            if (&Item->GetSeries(i) == aSeries)
                return Item.get();
    return nullptr;
}

void TIndicatorList::Save(TIndicatorJson& aNode) const
{
    for (const auto& Item : fItems)
        Item->Info().Save(aNode);
}

void TIndicatorList::Load(const TIndicatorJson& aNode)
{
    if (!aNode.is_array())
        return;
    Clear();
    for (const TIndicatorJson& Element : aNode)
        if (std::unique_ptr<TBaseIndicatorInfo> Info = LoadIndicatorInfo(Element))
            Add(std::move(Info));
}

void TIndicatorList::Refresh(std::optional<double> aFractalRadius)
{
    FillItems([aFractalRadius](TIndicatorItem& aItem) {
        if (aFractalRadius)
            SetFractalRadius(aItem, *aFractalRadius);
        return true;
    });
}

void TIndicatorList::UpdateFractals(double aRadius)
{
    FillItems([aRadius](TIndicatorItem& aItem) { return SetFractalRadius(aItem, aRadius); });
}

void TIndicatorList::FillItems(const std::function<bool(TIndicatorItem&)>& aPick)
{
    const TKlineList* Sorted = nullptr;
    TIndicatorCandles Candles;
    for (const auto& Item : fItems) {
        const TKlineList* Klines = Item->KlineList();
        if (!Klines || !aPick(*Item))
            continue;
        Logged([&] {
            if (Klines != Sorted) {
                Candles = SortedCandles(*Klines);
                Sorted = Klines;
            }
            Item->Fill(Candles);
        });
    }
}

void TIndicatorList::OnSeriesDblClick(TChartSeries* Sender, int32_t, TMouseButton, TShiftState,
                                      int X, int Y)
{
    fSelected = FindBySeries(Sender);
    if (!fPmIndicator)
        return;
    const QWidget* Host = fChart ? fChart->Host() : nullptr;
    fPmIndicator->popup(Host ? Host->mapToGlobal(QPoint(X, Y)) : QPoint(X, Y));
}

void TIndicatorList::Clear()
{
    fSelected = nullptr;
    fItems.clear();
}
