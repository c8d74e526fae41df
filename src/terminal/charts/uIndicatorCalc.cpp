#include "terminal/charts/uIndicatorCalc.h"

#include "domain/uCollections.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>

namespace {

using TIndex = std::int64_t;

// The text the list's index check raises.
std::string IndexError(TIndex aIndex)
{
    return "List index out of bounds (" + std::to_string(aIndex) + ")";
}

// One price of every candle, read once: the windows sum plain numbers.
class TPrices {
public:
    TPrices(const TIndicatorCandles& aCandles, TIndicatorPrice aPrice)
    {
        fValues.reserve(aCandles.size());
        for (const TIndicatorCandle& Candle : aCandles)
            fValues.push_back(PriceOf(Candle, aPrice));
    }
    // i must lie within the candles.
    double operator()(TIndex i) const { return fValues[std::size_t(i)]; }

private:
    std::vector<double> fValues;
};

// What a run of prices sums to: its count, sum, sum weighted 1 (oldest) up
// to the count (newest), mean and sum of squared deviations. Two runs merge
// without subtracting one from another, so no rounding builds up however
// different the prices that came and went.
struct TRunSum {
    double Count = 0;
    double Sum = 0;
    double Weighted = 0;
    double Mean = 0;
    double Squares = 0;

    static TRunSum Of(double aPrice) { return {1, aPrice, aPrice, aPrice, 0}; }
};

// aOlder followed by aNewer: each newer price's weight grows by the older
// run's count; the squares merge as two groups' variances do.
TRunSum Merge(const TRunSum& aOlder, const TRunSum& aNewer)
{
    if (aOlder.Count == 0)
        return aNewer;
    if (aNewer.Count == 0)
        return aOlder;
    TRunSum Run;
    Run.Count = aOlder.Count + aNewer.Count;
    Run.Sum = aOlder.Sum + aNewer.Sum;
    Run.Weighted = aOlder.Weighted + aNewer.Weighted + aOlder.Count * aNewer.Sum;
    const double Delta = aNewer.Mean - aOlder.Mean;
    Run.Mean = aOlder.Mean + Delta * aNewer.Count / Run.Count;
    Run.Squares =
        aOlder.Squares + aNewer.Squares + Delta * Delta * aOlder.Count * aNewer.Count / Run.Count;
    return Run;
}

// The window of aPeriod prices ending at candle i, moved one candle at a
// time in constant time on average: the newer prices gather in one run;
// the older ones are kept with the runs from each of them to the newest of
// them, rebuilt from the newer prices when the last older one leaves. Each
// price is merged a bounded number of times, whatever the period.
class TSlidingWindow {
public:
    TSlidingWindow(const TPrices& aPrice, TIndex aPeriod) : fPrice(aPrice), fPeriod(aPeriod) {}

    // The window ending at candle i (aPeriod <= i + 1): the next candle after
    // the last window's moves it, any other fills it afresh.
    void MoveTo(TIndex i)
    {
        if (i == fEnd + 1) {
            Push(fPrice(i));
            Pop();
        } else {
            fOlder.clear();
            fNewer.clear();
            fNewerRun = {};
            for (TIndex j = i - fPeriod + 1; j <= i; ++j)
                Push(fPrice(j));
        }
        fEnd = i;
        fWindow = Merge(fOlder.empty() ? TRunSum{} : fOlder.back(), fNewerRun);
    }
    double Mean() const { return fWindow.Mean; }
    double WeightedMean() const
    {
        return fWindow.Weighted / (fWindow.Count * (fWindow.Count + 1) / 2);
    }
    // The population deviation.
    double Deviation() const { return std::sqrt(std::max(fWindow.Squares, 0.0) / fWindow.Count); }

private:
    void Push(double aPrice)
    {
        fNewer.push_back(aPrice);
        fNewerRun = Merge(fNewerRun, TRunSum::Of(aPrice));
    }
    // The oldest price leaves.
    void Pop()
    {
        if (fOlder.empty()) {
            TRunSum Run;
            for (auto It = fNewer.rbegin(); It != fNewer.rend(); ++It)
                fOlder.push_back(Run = Merge(TRunSum::Of(*It), Run));
            fNewer.clear();
            fNewerRun = {};
        }
        fOlder.pop_back();
    }

    const TPrices& fPrice;
    const TIndex fPeriod;
    TIndex fEnd = -2;
    // The older prices' runs, the oldest's (the whole older part) last.
    std::vector<TRunSum> fOlder;
    std::vector<double> fNewer;
    TRunSum fNewerRun;
    TRunSum fWindow;
};

// The X of the point of candle i: the open time of candle i + aShift. Outside
// the candles the fill stops with the list's index error.
bool ShiftedTime(const TIndicatorCandles& aCandles, TIndex i, std::int32_t aShift,
                 TIndicatorPoints& aResult, TDateTime& aTime)
{
    const TIndex j = i + aShift;
    if (j < 0 || j >= TIndex(aCandles.size())) {
        aResult.Error = IndexError(j);
        return false;
    }
    aTime = aCandles[std::size_t(j)].Time;
    return true;
}

void FillMa(const TMaIndicatorInfo& aInfo, const TIndicatorCandles& aCandles,
            TIndicatorPoints& aResult)
{
    const TIndex Period = aInfo.Period();
    if (Period < 1)
        return;
    const TPrices Price(aCandles, aInfo.Price());
    TSlidingWindow Window(Price, Period);
    const TIndicatorMethod Method = NearestMethod(aInfo.Method());
    const double Alpha = Method == MODE_EMA ? 2.0 / double(Period + 1) : 1.0 / double(Period);
    auto& Points = aResult.Series[0];
    double Smoothed = 0;
    for (TIndex i = Period; i < TIndex(aCandles.size()); ++i) {
        TDateTime X = 0;
        if (!ShiftedTime(aCandles, i, aInfo.Shift(), aResult, X))
            return;
        double Value = 0;
        switch (Method) {
        case MODE_EMA:
        case MODE_SMMA:
            if (i == Period)
                Window.MoveTo(i);
            Smoothed = i == Period ? Window.Mean() : Alpha * Price(i) + (1 - Alpha) * Smoothed;
            Value = Smoothed;
            break;
        case MODE_LWMA:
            Window.MoveTo(i);
            Value = Window.WeightedMean();
            break;
        default:
            Window.MoveTo(i);
            Value = Window.Mean();
            break;
        }
        Points.push_back({X, Value});
    }
}

void FillFractals(const TFractalIndicatorInfo& aInfo, const TIndicatorCandles& aCandles,
                  TIndicatorPoints& aResult)
{
    const TIndex Period = aInfo.Period();
    if (Period < 2)
        return;
    auto& Up = aResult.Series[0];
    auto& Down = aResult.Series[1];
    const auto At = [&](TIndex i) -> const TIndicatorCandle& { return aCandles[std::size_t(i)]; };
    for (TIndex i = Period; i <= TIndex(aCandles.size()) - 3; ++i) {
        const TIndicatorCandle& c = At(i);
        bool IsUp = true;
        bool IsDown = true;
        for (const TIndex n : {i - 2, i - 1, i + 1, i + 2}) {
            IsUp = IsUp && c.High > At(n).High;
            IsDown = IsDown && c.Low < At(n).Low;
        }
        if (IsUp)
            Up.push_back({c.Time, c.High});
        if (IsDown)
            Down.push_back({c.Time, c.Low});
    }
}

void FillBollinger(const TBollingerIndicatorInfo& aInfo, const TIndicatorCandles& aCandles,
                   TIndicatorPoints& aResult)
{
    const TIndex Period = aInfo.Period();
    if (Period < 1)
        return;
    const TPrices Price(aCandles, aInfo.Price());
    TSlidingWindow Window(Price, Period);
    const double Dev = aInfo.Dev();
    for (TIndex i = Period; i < TIndex(aCandles.size()); ++i) {
        TDateTime X = 0;
        if (!ShiftedTime(aCandles, i, aInfo.Shift(), aResult, X))
            return;
        Window.MoveTo(i);
        const double Mean = Window.Mean();
        const double Band = Dev * Window.Deviation();
        aResult.Series[0].push_back({X, Mean + Band});
        aResult.Series[1].push_back({X, Mean});
        aResult.Series[2].push_back({X, Mean - Band});
    }
}

// The first best candle of a window moving one candle at a time: a
// candle that a later one beats strictly can never be the best again and
// leaves the queue, so each candle enters and leaves once.
template <class TBetter> class TWindowBest {
public:
    explicit TWindowBest(TBetter aBetter) : fBetter(aBetter) {}

    // Candle i joins; the window then spans candles aFirst..i.
    void MoveTo(TIndex aFirst, TIndex i)
    {
        while (!fQueue.empty() && fBetter(i, fQueue.back()))
            fQueue.pop_back();
        fQueue.push_back(i);
        while (fQueue.front() < aFirst)
            fQueue.pop_front();
    }
    TIndex Best() const { return fQueue.front(); }

private:
    TBetter fBetter;
    std::deque<TIndex> fQueue;
};

// The ZigZag's pivots: -1 a low, 1 a high, 0 none, one per candle.
class TZigZag {
public:
    TZigZag(const TIndicatorCandles& aCandles) : fCandles(aCandles), fPivot(aCandles.size(), 0) {}

    // The lowest low and highest high of each window of aDepth + 1 candles
    // ending at i: the first one on ties.
    void Run(TIndex aDepth, TIndex aBackstep)
    {
        TWindowBest Lowest([this](TIndex a, TIndex b) { return Low(a) < Low(b); });
        TWindowBest Highest([this](TIndex a, TIndex b) { return High(a) > High(b); });
        for (TIndex k = 0; k < std::min(aDepth, Count()); ++k) {
            Lowest.MoveTo(0, k);
            Highest.MoveTo(0, k);
        }
        // The first low is taken once; until then no pivot exists.
        bool Started = false;
        for (TIndex i = aDepth; i < Count(); ++i) {
            Lowest.MoveTo(i - aDepth, i);
            Highest.MoveTo(i - aDepth, i);
            if (!Started) {
                Mark(fLastLow, Lowest.Best(), -1);
                Started = true;
            } else if (fLastLow < fLastHigh) {
                if (i - fLastLow >= aBackstep && Lowest.Best() == i)
                    Mark(fLastLow, i, -1);
                else if (High(i) > High(fLastHigh))
                    Move(fLastHigh, i, 1);
            } else {
                if (i - fLastHigh >= aBackstep && Highest.Best() == i)
                    Mark(fLastHigh, i, 1);
                else if (Low(i) < Low(fLastLow))
                    Move(fLastLow, i, -1);
            }
        }
    }

    void Points(std::vector<TIndicatorPoint>& aPoints) const
    {
        for (TIndex k = 0; k < Count(); ++k) {
            const TIndicatorCandle& c = fCandles[std::size_t(k)];
            if (fPivot[std::size_t(k)] < 0)
                aPoints.push_back({c.Time, c.Low});
            else if (fPivot[std::size_t(k)] > 0)
                aPoints.push_back({c.Time, c.High});
        }
    }

private:
    TIndex Count() const { return TIndex(fCandles.size()); }
    double Low(TIndex i) const { return fCandles[std::size_t(i)].Low; }
    double High(TIndex i) const { return fCandles[std::size_t(i)].High; }
    void Mark(TIndex& aLast, TIndex i, std::int8_t aKind)
    {
        aLast = i;
        fPivot[std::size_t(i)] = aKind;
    }
    // The last pivot of its kind moves on to candle i.
    void Move(TIndex& aLast, TIndex i, std::int8_t aKind)
    {
        fPivot[std::size_t(aLast)] = 0;
        Mark(aLast, i, aKind);
    }

    const TIndicatorCandles& fCandles;
    std::vector<std::int8_t> fPivot;
    TIndex fLastLow = 0;
    TIndex fLastHigh = 0;
};

void FillZigZag(const TZigZagIndicatorInfo& aInfo, const TIndicatorCandles& aCandles,
                TIndicatorPoints& aResult)
{
    if (aInfo.Depth() < 0)
        return;
    TZigZag ZigZag(aCandles);
    ZigZag.Run(aInfo.Depth(), aInfo.Backstep());
    ZigZag.Points(aResult.Series[0]);
}

// A candle's open time and its place in the list.
using TCandleKey = std::pair<std::int64_t, int>;

// Sorts aKeys by merging its ascending runs pairwise. The list holds few
// runs (history pages, then live candles), so this takes a few passes; at
// worst, one run per key, log2(count) passes.
void SortRuns(std::vector<TCandleKey>& aKeys)
{
    std::vector<std::size_t> Bounds{0};
    for (std::size_t i = 1; i < aKeys.size(); ++i)
        if (aKeys[i] < aKeys[i - 1])
            Bounds.push_back(i);
    Bounds.push_back(aKeys.size());
    std::vector<TCandleKey> Merged(aKeys.size());
    while (Bounds.size() > 2) {
        std::vector<std::size_t> Next{0};
        for (std::size_t r = 0; r + 1 < Bounds.size(); r += 2) {
            const auto First = aKeys.begin();
            const std::size_t Middle = Bounds[r + 1];
            const std::size_t End = r + 2 < Bounds.size() ? Bounds[r + 2] : Middle;
            std::merge(First + std::ptrdiff_t(Bounds[r]), First + std::ptrdiff_t(Middle),
                       First + std::ptrdiff_t(Middle), First + std::ptrdiff_t(End),
                       Merged.begin() + std::ptrdiff_t(Bounds[r]));
            Next.push_back(End);
        }
        aKeys.swap(Merged);
        Bounds = std::move(Next);
    }
}

} // namespace

TIndicatorCandles SortedCandles(const TKlineList& aList)
{
    std::vector<TCandleKey> Keys;
    Keys.reserve(std::size_t(aList.Count()));
    for (int i = 0; i < aList.Count(); ++i)
        Keys.emplace_back(aList.Items(i).OpenTime(), i);
    SortRuns(Keys);
    TIndicatorCandles Candles;
    Candles.reserve(Keys.size());
    for (const TCandleKey& Key : Keys) {
        const TKline& k = aList.Items(Key.second);
        Candles.push_back({k.OpenTimeEx(), k.Open(), k.High(), k.Low(), k.Close()});
    }
    return Candles;
}

double PriceOf(const TIndicatorCandle& aCandle, TIndicatorPrice aPrice)
{
    switch (aPrice) {
    case PRICE_CLOSE:
        return aCandle.Close;
    case PRICE_OPEN:
        return aCandle.Open;
    case PRICE_HIGH:
        return aCandle.High;
    case PRICE_LOW:
        return aCandle.Low;
    default:
        return 0;
    }
}

TIndicatorPoints CalculateIndicator(const TBaseIndicatorInfo& aInfo,
                                    const TIndicatorCandles& aCandles)
{
    TIndicatorPoints Result;
    Result.Series.resize(aInfo.SeriesClass().size());
    for (auto& Points : Result.Series)
        Points.reserve(aCandles.size());
    if (const auto* Ma = dynamic_cast<const TMaIndicatorInfo*>(&aInfo))
        FillMa(*Ma, aCandles, Result);
    else if (const auto* Fractal = dynamic_cast<const TFractalIndicatorInfo*>(&aInfo))
        FillFractals(*Fractal, aCandles, Result);
    else if (const auto* Bollinger = dynamic_cast<const TBollingerIndicatorInfo*>(&aInfo))
        FillBollinger(*Bollinger, aCandles, Result);
    else if (const auto* ZigZag = dynamic_cast<const TZigZagIndicatorInfo*>(&aInfo))
        FillZigZag(*ZigZag, aCandles, Result);
    return Result;
}
