#include "terminal/charts/uIndicatorInfo.h"

#include <algorithm>
#include <limits>

namespace {

constexpr TColor cDefaultColor = 0x0000FF;

template <typename E> E NearestEntry(E aValue, E aLast)
{
    return aValue > aLast ? aLast : aValue;
}

class TIndicatorFieldWriter : public TIndicatorFields {
public:
    explicit TIndicatorFieldWriter(TIndicatorJson& aObject) : fObject(aObject) {}
    using TIndicatorFields::Field;
    void Field(const char* aKey, std::int32_t& aValue) override { fObject[aKey] = aValue; }

private:
    TIndicatorJson& fObject;
};

class TIndicatorFieldReader : public TIndicatorFields {
public:
    explicit TIndicatorFieldReader(const TIndicatorJson& aObject) : fObject(aObject) {}
    using TIndicatorFields::Field;
    void Field(const char* aKey, std::int32_t& aValue) override { aValue = Read(aKey); }

private:
    std::int32_t Read(const char* aKey) const
    {
        using TLimits = std::numeric_limits<std::int32_t>;
        const auto It = fObject.find(aKey);
        if (It == fObject.end())
            return 0;
        if (It->is_number_unsigned())
            return static_cast<std::int32_t>(
                std::min<std::uint64_t>(It->get<std::uint64_t>(), TLimits::max()));
        if (It->is_number_integer())
            return static_cast<std::int32_t>(
                std::clamp<std::int64_t>(It->get<std::int64_t>(), TLimits::min(), TLimits::max()));
        return 0;
    }

    const TIndicatorJson& fObject;
};

} // namespace

TIndicatorMethod NearestMethod(TIndicatorMethod aMethod)
{
    return NearestEntry(aMethod, MODE_LWMA);
}

TIndicatorPrice NearestPrice(TIndicatorPrice aPrice)
{
    return NearestEntry(aPrice, PRICE_LOW);
}

TLineStyle NearestLineStyle(TLineStyle aStyle)
{
    return NearestEntry(aStyle, STYLE_DASHDOTDOT);
}

std::int32_t NearestLineWidth(std::int32_t aWidth)
{
    return std::clamp(aWidth, 1, cMaxLineWidth);
}

void TBaseIndicatorInfo::Save(TIndicatorJson& aNode)
{
    TIndicatorJson Object = TIndicatorJson::object();
    Object["type"] = TypeName();
    TIndicatorFieldWriter Writer(Object);
    DoFields(Writer);
    aNode.push_back(std::move(Object));
}

void TBaseIndicatorInfo::Load(const TIndicatorJson& aNode)
{
    if (!aNode.is_object())
        return;
    TIndicatorFieldReader Reader(aNode);
    DoFields(Reader);
}

void TLineIndicatorInfo::ResetLine()
{
    fLineColor = cDefaultColor;
    fLineStyle = STYLE_SOLID;
    fLineWidth = 1;
}

void TLineIndicatorInfo::LineFields(TIndicatorFields& aFields)
{
    aFields.Field("lineColor", fLineColor);
    aFields.Field("lineStyle", fLineStyle);
    aFields.Field("lineWidth", fLineWidth);
}

TMaIndicatorInfo::TMaIndicatorInfo() : TLineIndicatorInfo({iscLine})
{
    Reset();
}

void TMaIndicatorInfo::DoReset()
{
    fPeriod = 14;
    fShift = 0;
    fMethod = MODE_SMA;
    fPrice = PRICE_CLOSE;
    ResetLine();
}

void TMaIndicatorInfo::DoFields(TIndicatorFields& aFields)
{
    aFields.Field("period", fPeriod);
    aFields.Field("shift", fShift);
    aFields.Field("method", fMethod);
    aFields.Field("price", fPrice);
    LineFields(aFields);
}

TFractalIndicatorInfo::TFractalIndicatorInfo() : TBaseIndicatorInfo({iscBubble, iscBubble})
{
    Reset();
}

void TFractalIndicatorInfo::DoReset()
{
    fPeriod = 5;
    fColor = cDefaultColor;
}

void TFractalIndicatorInfo::DoFields(TIndicatorFields& aFields)
{
    aFields.Field("period", fPeriod);
    aFields.Field("color", fColor);
}

TBollingerIndicatorInfo::TBollingerIndicatorInfo() : TLineIndicatorInfo({iscLine, iscLine, iscLine})
{
    Reset();
}

void TBollingerIndicatorInfo::DoReset()
{
    fPeriod = 20;
    fShift = 0;
    fDev = 2;
    fPrice = PRICE_CLOSE;
    ResetLine();
}

void TBollingerIndicatorInfo::DoFields(TIndicatorFields& aFields)
{
    aFields.Field("period", fPeriod);
    aFields.Field("shift", fShift);
    aFields.Field("dev", fDev);
    aFields.Field("price", fPrice);
    LineFields(aFields);
}

TZigZagIndicatorInfo::TZigZagIndicatorInfo() : TLineIndicatorInfo({iscLine})
{
    Reset();
}

void TZigZagIndicatorInfo::DoReset()
{
    fDepth = 12;
    fBackstep = 3;
    ResetLine();
}

void TZigZagIndicatorInfo::DoFields(TIndicatorFields& aFields)
{
    aFields.Field("depth", fDepth);
    aFields.Field("backstep", fBackstep);
    LineFields(aFields);
}

std::unique_ptr<TBaseIndicatorInfo> LoadIndicatorInfo(const TIndicatorJson& aNode)
{
    if (!aNode.is_object())
        return nullptr;
    const auto Type = aNode.find("type");
    if (Type == aNode.end() || !Type->is_string())
        return nullptr;
    const std::string& Name = Type->get_ref<const std::string&>();
    std::unique_ptr<TBaseIndicatorInfo> Info;
    if (Name == cMA)
        Info = std::make_unique<TMaIndicatorInfo>();
    else if (Name == cFractal)
        Info = std::make_unique<TFractalIndicatorInfo>();
    else if (Name == cBollinger)
        Info = std::make_unique<TBollingerIndicatorInfo>();
    else if (Name == cZigZag)
        Info = std::make_unique<TZigZagIndicatorInfo>();
    if (Info)
        Info->Load(aNode);
    return Info;
}
