#include "chart/series/FinancialMaths.h"

#include <algorithm>
#include <cmath>

double RelativeStrength(TRSIStyle Style, std::span<const double> Open,
                        std::span<const double> Close, int32_t First, int32_t Last)
{
    double Ups = 0;
    double Downs = 0;
    // A price that is not a finite number belongs to a null point: it is
    // passed over, a change runs from the last price before it.
    if (Style == rsiClose) {
        const double* Previous = nullptr;
        for (int32_t I = First; I <= Last; ++I) {
            if (!std::isfinite(Close[I]))
                continue;
            const double D = Previous ? Close[I] - *Previous : 0;
            if (D >= 0)
                Ups += D;
            else
                Downs -= D;
            Previous = &Close[I];
        }
    } else {
        for (int32_t I = First; I <= Last; ++I)
            if (std::isfinite(Open[I]) && std::isfinite(Close[I]))
                (Open[I] <= Close[I] ? Ups : Downs) += Close[I];
    }
    const double Points = Last - First + 1;
    Ups /= Points;
    Downs /= Points;
    if (Downs == 0)
        return 100;
    return std::clamp(100 - 100 / (std::fabs(Ups / Downs) + 1), 0.0, 100.0);
}

namespace {

// The ratio in percent, 0 where there is nothing to divide by.
double Percent(double Part, double Whole)
{
    return Whole != 0 ? 100 * Part / Whole : 0;
}

// The point's true range and directional moves up and down from the point
// before.
struct TDirectionalMove {
    double TrueRange = 0;
    double Plus = 0;
    double Minus = 0;
};

std::vector<TDirectionalMove> DirectionalMoves(std::span<const double> High,
                                               std::span<const double> Low,
                                               std::span<const double> Close, size_t N)
{
    std::vector<TDirectionalMove> Moves(N);
    // A point with a price that is not a finite number is null: it moves
    // nothing, and the next point moves from the last one before it.
    const auto Finite = [&](size_t I) {
        return std::isfinite(High[I]) && std::isfinite(Low[I]) && std::isfinite(Close[I]);
    };
    size_t P = 0;
    bool Have = N > 0 && Finite(0);
    for (size_t I = 1; I < N; ++I) {
        if (!Finite(I))
            continue;
        if (Have) {
            TDirectionalMove& M = Moves[I];
            M.TrueRange = std::max(
                {High[I] - Low[I], std::fabs(High[I] - Close[P]), std::fabs(Low[I] - Close[P])});
            const double Up = High[I] - High[P];
            const double Down = Low[P] - Low[I];
            M.Plus = Up > Down ? std::max(Up, 0.0) : 0;
            M.Minus = Down > Up ? std::max(Down, 0.0) : 0;
        }
        P = I;
        Have = true;
    }
    return Moves;
}

} // namespace

TDirectionalIndex DirectionalIndex(std::span<const double> High, std::span<const double> Low,
                                   std::span<const double> Close, double Period)
{
    TDirectionalIndex R;
    const size_t N = std::min({High.size(), Low.size(), Close.size()});
    // Also refuses a period that is not a number.
    if (!(Period >= 2) || !(double(N) >= 2 * Period))
        return R;
    const std::vector<TDirectionalMove> Moves = DirectionalMoves(High, Low, Close, N);
    const auto P = static_cast<int32_t>(std::nearbyint(Period));
    R.LinesFirst = P;
    TDirectionalMove Sum;
    for (int32_t I = 1; I <= P; ++I) {
        Sum.TrueRange += Moves[I].TrueRange;
        Sum.Plus += Moves[I].Plus;
        Sum.Minus += Moves[I].Minus;
    }
    for (auto I = size_t(P); I < N; ++I) {
        if (I > size_t(P)) {
            Sum.TrueRange = Sum.TrueRange - Sum.TrueRange / Period + Moves[I].TrueRange;
            Sum.Plus = Sum.Plus - Sum.Plus / Period + Moves[I].Plus;
            Sum.Minus = Sum.Minus - Sum.Minus / Period + Moves[I].Minus;
        }
        R.Up.push_back(Percent(Sum.Plus, Sum.TrueRange));
        R.Down.push_back(Percent(Sum.Minus, Sum.TrueRange));
    }
    const auto DX = [&R, P](int32_t J) {
        const double Up = R.Up[size_t(J - P)], Down = R.Down[size_t(J - P)];
        return Percent(std::fabs(Up - Down), Up + Down);
    };
    R.ADXFirst = static_cast<int32_t>(std::nearbyint(2 * Period - 2));
    double ADX = 0;
    for (int32_t J = P; J <= R.ADXFirst; ++J)
        ADX += DX(J);
    ADX /= Period - 1;
    R.ADX.push_back(ADX);
    for (auto I = size_t(R.ADXFirst) + 1; I < N; ++I) {
        ADX = ((Period - 1) * ADX + DX(int32_t(I))) / Period;
        R.ADX.push_back(ADX);
    }
    return R;
}

namespace {

// Where the search for a box stands at a point.
enum class TDarvasState : uint8_t {
    Begin,      // a new box begins at this point
    NewTop,     // this point's high is the top to beat
    TopHeld,    // one point has stayed below the top
    NewBottom,  // two have: this point's low is the bottom to beat
    BottomHeld, // one point has stayed above the bottom
    Confirmed,  // two have: the box holds until a point leaves it
    Broken      // this point left the box
};

} // namespace

std::vector<TDarvasBox> DarvasBoxes(std::span<const double> High, std::span<const double> Low)
{
    using enum TDarvasState;
    std::vector<TDarvasBox> Boxes;
    const size_t N = std::min(High.size(), Low.size());
    if (N == 0)
        return Boxes;
    // Both are set before a box can use them.
    double Top = 0;
    double Bottom = 0;
    TDarvasState State = Begin;
    size_t First = 0;
    // Begin and Broken act on the point they are at; every other state looks
    // at the next point and moves on to it.
    for (size_t I = 0;; ++I) {
        if (State == Broken) {
            Boxes.push_back({int32_t(First), int32_t(I), Top, Bottom});
            State = Begin;
        }
        if (State == Begin) {
            First = I;
            State = NewTop;
        }
        if (State == NewTop)
            Top = High[I];
        else if (State == NewBottom)
            Bottom = Low[I];
        if (I + 1 == N)
            break;
        const double NextHigh = High[I + 1];
        const double NextLow = Low[I + 1];
        switch (State) {
        case NewTop:
        case TopHeld:
            State = NextHigh >= Top ? NewTop : State == NewTop ? TopHeld : NewBottom;
            break;
        case NewBottom:
        case BottomHeld:
            State = NextHigh >= Top      ? NewTop
                    : NextLow <= Bottom  ? NewBottom
                    : State == NewBottom ? BottomHeld
                                         : Confirmed;
            break;
        default:
            State = NextHigh > Top || NextLow < Bottom ? Broken : Confirmed;
            break;
        }
    }
    if (State == Confirmed)
        Boxes.push_back({int32_t(First), int32_t(N - 1), Top, Bottom});
    return Boxes;
}
