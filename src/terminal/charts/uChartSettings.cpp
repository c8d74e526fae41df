#include "terminal/charts/uChartSettings.h"

#include "platform/FileRead.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace {

// A number within [Min, Max], truncated toward zero: a far-off or
// fractional value never reaches an integer conversion unclamped.
template <class T> T ClampedInteger(const TChartSettingsJson& aValue, double Min, double Max)
{
    if (aValue.is_number_unsigned())
        return static_cast<T>(
            std::min<std::uint64_t>(aValue.get<std::uint64_t>(), static_cast<std::uint64_t>(Max)));
    if (aValue.is_number_integer())
        return static_cast<T>(std::clamp<std::int64_t>(aValue.get<std::int64_t>(),
                                                       static_cast<std::int64_t>(Min),
                                                       static_cast<std::int64_t>(Max)));
    return static_cast<T>(std::trunc(std::clamp(aValue.get<double>(), Min, Max)));
}

class TFieldReader {
public:
    explicit TFieldReader(const TChartSettingsJson& aObject) : fObject(aObject) {}

    void operator()(const char* aKey, bool& aValue) const
    {
        const TChartSettingsJson* Found = Find(aKey);
        aValue = Found && Found->is_boolean() && Found->get<bool>();
    }
    void operator()(const char* aKey, double& aValue) const
    {
        const TChartSettingsJson* Found = Find(aKey);
        aValue = Found && Found->is_number() ? Found->get<double>() : 0.0;
    }
    // Colours and byte-sized enumerations.
    template <class T> void operator()(const char* aKey, T& aValue) const
    {
        using TStored = typename std::conditional_t<std::is_enum_v<T>, std::underlying_type<T>,
                                                    std::type_identity<T>>::type;
        using TLimits = std::numeric_limits<TStored>;
        const TChartSettingsJson* Found = Find(aKey);
        aValue =
            Found && Found->is_number()
                ? static_cast<T>(ClampedInteger<TStored>(*Found, TLimits::min(), TLimits::max()))
                : T{};
    }

private:
    const TChartSettingsJson* Find(const char* aKey) const
    {
        const auto It = fObject.find(aKey);
        return It == fObject.end() ? nullptr : &*It;
    }

    const TChartSettingsJson& fObject;
};

class TFieldWriter {
public:
    explicit TFieldWriter(TChartSettingsJson& aObject) : fObject(aObject) {}

    template <class T> void operator()(const char* aKey, const T& aValue) const
    {
        if constexpr (std::is_enum_v<T>)
            fObject[aKey] = static_cast<int>(aValue);
        else
            fObject[aKey] = aValue;
    }

private:
    TChartSettingsJson& fObject;
};

} // namespace

template <class TSelf, class TVisitor> void TChartSettingsInfo::Fields(TSelf& Self, TVisitor& Visit)
{
    Visit("background", Self.fBackground);
    Visit("text", Self.fText);
    Visit("buy", Self.fBuy);
    Visit("sell", Self.fSell);
    Visit("series", Self.fSeries);
    Visit("grid", Self.fGrid);
    Visit("bar", Self.fBar);
    Visit("autonomic", Self.fAutonomic);
    Visit("chartOnTop", Self.fChartOnTop);
    Visit("chartShift", Self.fChartShift);
    Visit("chartAutoMove", Self.fChartAutoMove);
    Visit("fixedZoom11", Self.fFixedZoom11);
    Visit("fixedZoom", Self.fFixedZoom);
    Visit("pinMin", Self.fPinMin);
    Visit("pinMax", Self.fPinMax);
    Visit("chartType", Self.fChartType);
    Visit("showOHLC", Self.fShowOHLC);
    Visit("showAsk", Self.fShowAsk);
    Visit("showPeriods", Self.fShowPeriods);
    Visit("showGrid", Self.fShowGrid);
    Visit("showVolume", Self.fShowVolume);
    Visit("showTips", Self.fShowTips);
    Visit("zoom", Self.fZoom);
    Visit("left_bar", Self.fLeft);
}

void TChartSettingsInfo::Reset()
{
    const TZoom Zoom = fZoom;
    const TDateTime Left = fLeft;
    *this = TChartSettingsInfo();
    fBackground = clWhite;
    fBuy = clLtGreen;
    fSell = clLtRed;
    fGrid = clGray;
    fChartType = ctCandle;
    fZoom = Zoom;
    fLeft = Left;
}

void TChartSettingsInfo::Assign(const TChartSettingsInfo& aInfo)
{
    const TZoom Zoom = fZoom;
    const TDateTime Left = fLeft;
    *this = aInfo;
    fZoom = Zoom;
    fLeft = Left;
}

bool TChartSettingsInfo::Load(const TChartSettingsJson& aNode, TChartClock aNow)
{
    if (!aNode.is_object())
        return false;
    TFieldReader Reader(aNode);
    Fields(*this, Reader);
    TakeMissingColors(aNode);
    // Such pins would leave the price axis no range to draw in.
    if (!PinsUsable())
        fFixedZoom = false;
    if (fLeft == 0)
        fLeft = aNow() - 1;
    return true;
}

void TChartSettingsInfo::TakeMissingColors(const TChartSettingsJson& aNode)
{
    TChartSettingsInfo Defaults;
    Defaults.Reset();
    const std::pair<const char*, TColor TChartSettingsInfo::*> Colors[] = {
        {"background", &TChartSettingsInfo::fBackground},
        {"text", &TChartSettingsInfo::fText},
        {"buy", &TChartSettingsInfo::fBuy},
        {"sell", &TChartSettingsInfo::fSell},
        {"series", &TChartSettingsInfo::fSeries},
        {"grid", &TChartSettingsInfo::fGrid},
        {"bar", &TChartSettingsInfo::fBar}};
    for (const auto& [Key, Field] : Colors)
        if (const auto It = aNode.find(Key); It == aNode.end() || !It->is_number())
            this->*Field = Defaults.*Field;
}

bool TChartSettingsInfo::PinsUsable() const
{
    return !fFixedZoom || (std::isfinite(fPinMin) && std::isfinite(fPinMax) && fPinMin < fPinMax);
}

void TChartSettingsInfo::Save(TChartSettingsJson& aNode) const
{
    TFieldWriter Writer(aNode);
    Fields(*this, Writer);
}

TChartLook TChartSettingsInfo::Look() const
{
    TChartLook Look;
    Look.Background = fBackground;
    Look.Labels = fText;
    Look.AxisLine = fText;
    Look.Grid = fGrid;
    Look.ShowGrid = fShowGrid;
    Look.CandleUp = fBuy;
    Look.CandleDown = fSell;
    Look.CandlePen = fBar;
    Look.Style = ChartType();
    Look.Buy = fBuy;
    Look.Sell = fSell;
    Look.PriceLine = fBackground == clBlack ? clWhite : clBlack;
    return Look;
}

void TChartSettingsInfo::TakeLook(const TChartLook& aLook)
{
    fBackground = aLook.Background;
    fText = aLook.Labels;
    // Bars and the line draw both kinds of candle in the bar colour: only
    // candle sticks show the buy and sell colours.
    if (aLook.Style == ctCandle) {
        fBuy = aLook.CandleUp;
        fSell = aLook.CandleDown;
    }
    fGrid = aLook.Grid;
    fBar = aLook.CandlePen;
    fShowGrid = aLook.ShowGrid;
    if (aLook.Style)
        fChartType = *aLook.Style;
}

TChartType TChartSettingsInfo::ChartType() const
{
    return std::min(fChartType, ctLine);
}

TZoom TChartSettingsInfo::Zoom() const
{
    return std::min(fZoom, z5);
}

TChartSettingsJson LoadChartFile(const std::string& aFileName)
{
    TChartSettingsJson Root;
    try {
        Root = LoadJsonFile(aFileName);
    } catch (const EFileError&) {
        Root = nullptr;
    }
    if (!Root.is_object())
        throw std::runtime_error("error reading " +
                                 std::filesystem::path(aFileName).filename().string());
    return Root;
}
