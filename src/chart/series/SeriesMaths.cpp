#include "chart/series/SeriesMaths.h"

#include <algorithm>
#include <cmath>
#include <optional>

double PlotLineValueAt(double X0, double Y0, double X1, double Y1, double XEdge, bool LogX,
                       bool LogY)
{
    const bool UseLogX = LogX && X0 > 0 && X1 > 0 && XEdge > 0;
    const double A = UseLogX ? std::log(X0) : X0;
    const double B = UseLogX ? std::log(X1) : X1;
    const double E = UseLogX ? std::log(XEdge) : XEdge;
    if (B == A)
        return Y1;
    const double T = (E - A) / (B - A);
    if (!std::isfinite(T))
        return Y1;
    if (LogY && Y0 > 0 && Y1 > 0)
        return std::exp(std::log(Y0) + T * (std::log(Y1) - std::log(Y0)));
    return Y0 + T * (Y1 - Y0);
}

namespace {

// The trend candle Index shows by itself, or none when it repeats the one before.
std::optional<TCandleTrend> OwnTrend(const TCandlePrices& P, int32_t Index)
{
    const double Close = P.Close[Index];
    if (!P.RelativeToClose || Index == 0) {
        if (Close < P.Open[Index])
            return ctDown;
        if (Close > P.Open[Index])
            return ctUp;
    }
    if (Index == 0)
        return ctUp;
    if (Close < P.Close[Index - 1])
        return ctDown;
    if (Close > P.Close[Index - 1])
        return ctUp;
    return std::nullopt;
}

} // namespace

TCandleTrend CandleTrendAt(const TCandlePrices& Prices, int32_t Index)
{
    for (int32_t I = Index; I > 0; --I)
        if (const auto Trend = OwnTrend(Prices, I))
            return *Trend;
    return *OwnTrend(Prices, 0);
}

void CandleTrends(const TCandlePrices& Prices, int32_t First, int32_t Last,
                  std::vector<TCandleTrend>& Trends)
{
    Trends.clear();
    if (First < 0 || Last < First)
        return;
    Trends.reserve(size_t(Last - First + 1));
    Trends.push_back(CandleTrendAt(Prices, First));
    for (int32_t I = First + 1; I <= Last; ++I)
        Trends.push_back(OwnTrend(Prices, I).value_or(Trends.back()));
}

TRect CandleBodyRect(const TCandleItem& Item, bool PenVisible)
{
    int Top = std::min(Item.YOpen, Item.YClose);
    int Bottom = std::max(Item.YOpen, Item.YClose);
    if (Top == Bottom) {
        --Top;
        ++Bottom;
    }
    if (!PenVisible)
        --Top;
    return {Item.X - Item.LeftHalf, Top, Item.X + Item.RightHalf + 1, Bottom};
}
