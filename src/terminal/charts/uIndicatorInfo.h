#pragma once

#include "domain/uCommon.h"
#include "platform/Graphics.h"

#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <vector>

// The parameters of the indicators a chart draws, and their JSON objects in
// the chart layout and the templates. Plain values: no chart, no screen.

// The moving-average methods and the applied prices are the shared ones;
// prices past PRICE_LOW lie outside the indicators' table.
using TIndicatorMethod = ENUM_MA_METHOD;
using TIndicatorPrice = ENUM_APPLIED_PRICE;
// Also the platform pen style of the same number.
enum TLineStyle : std::uint8_t {
    STYLE_SOLID,
    STYLE_DASH,
    STYLE_DOT,
    STYLE_DASHDOT,
    STYLE_DASHDOTDOT
};

// The kind of chart series each of an indicator's lines is drawn in.
enum TIndicatorSeriesClass : std::uint8_t { iscLine, iscBubble };

inline constexpr const char* cMA = "MA";
inline constexpr const char* cFractal = "Fractal";
inline constexpr const char* cBollinger = "Bollinger";
inline constexpr const char* cZigZag = "ZigZag";

// The line widths offered: 1 to cMaxLineWidth.
inline constexpr std::int32_t cMaxLineWidth = 5;

// Stored values are kept as read; where a value is used, one outside its
// table stands for the nearest entry.
TIndicatorMethod NearestMethod(TIndicatorMethod aMethod);
TIndicatorPrice NearestPrice(TIndicatorPrice aPrice);
TLineStyle NearestLineStyle(TLineStyle aStyle);
std::int32_t NearestLineWidth(std::int32_t aWidth);

using TIndicatorJson = nlohmann::ordered_json;

// Visits an indicator's saved fields in their key order, to read or write
// them. Byte-sized enumerations travel as integers.
class TIndicatorFields {
public:
    virtual ~TIndicatorFields() = default;
    virtual void Field(const char* aKey, std::int32_t& aValue) = 0;
    template <typename E> void Field(const char* aKey, E& aValue)
    {
        std::int32_t Value = aValue;
        Field(aKey, Value);
        // Saturated, so that a value beyond the byte keeps its nearest entry.
        aValue = static_cast<E>(Value < 0 ? 0 : Value > 255 ? 255 : Value);
    }
};

// One indicator's parameters. A new info holds its defaults.
class TBaseIndicatorInfo {
public:
    TBaseIndicatorInfo(const TBaseIndicatorInfo&) = delete;
    TBaseIndicatorInfo& operator=(const TBaseIndicatorInfo&) = delete;
    virtual ~TBaseIndicatorInfo() = default;

    // One entry per series the indicator draws.
    const std::vector<TIndicatorSeriesClass>& SeriesClass() const { return fSeriesClass; }
    // "MA", "Fractal", "Bollinger" or "ZigZag".
    virtual const char* TypeName() const = 0;

    void Reset() { DoReset(); }
    // Appends this indicator's object to the array aNode.
    void Save(TIndicatorJson& aNode);
    // Reads the saved keys of the object aNode over the current values; a
    // key that is missing or not an integer reads as 0, one beyond the
    // field saturates.
    void Load(const TIndicatorJson& aNode);

protected:
    explicit TBaseIndicatorInfo(std::vector<TIndicatorSeriesClass> aSeriesClass)
        : fSeriesClass(std::move(aSeriesClass))
    {
    }
    virtual void DoReset() = 0;
    // The saved fields after "type", in key order.
    virtual void DoFields(TIndicatorFields& aFields) = 0;

private:
    std::vector<TIndicatorSeriesClass> fSeriesClass;
};

// An indicator drawn as lines of one colour, pen style and width.
class TLineIndicatorInfo : public TBaseIndicatorInfo {
public:
    TColor LineColor() const { return fLineColor; }
    void SetLineColor(TColor Value) { fLineColor = Value; }
    TLineStyle LineStyle() const { return fLineStyle; }
    void SetLineStyle(TLineStyle Value) { fLineStyle = Value; }
    std::int32_t LineWidth() const { return fLineWidth; }
    void SetLineWidth(std::int32_t Value) { fLineWidth = Value; }

protected:
    using TBaseIndicatorInfo::TBaseIndicatorInfo;
    void ResetLine();
    void LineFields(TIndicatorFields& aFields);

private:
    TColor fLineColor = 0;
    TLineStyle fLineStyle = STYLE_SOLID;
    std::int32_t fLineWidth = 0;
};

class TMaIndicatorInfo : public TLineIndicatorInfo {
public:
    TMaIndicatorInfo();
    const char* TypeName() const override { return cMA; }

    std::int32_t Period() const { return fPeriod; }
    void SetPeriod(std::int32_t Value) { fPeriod = Value; }
    std::int32_t Shift() const { return fShift; }
    void SetShift(std::int32_t Value) { fShift = Value; }
    TIndicatorMethod Method() const { return fMethod; }
    void SetMethod(TIndicatorMethod Value) { fMethod = Value; }
    TIndicatorPrice Price() const { return fPrice; }
    void SetPrice(TIndicatorPrice Value) { fPrice = Value; }

protected:
    void DoReset() override;
    void DoFields(TIndicatorFields& aFields) override;

private:
    std::int32_t fPeriod = 0;
    std::int32_t fShift = 0;
    TIndicatorMethod fMethod = MODE_SMA;
    TIndicatorPrice fPrice = PRICE_CLOSE;
};

// Up fractals in series 0, down fractals in series 1.
class TFractalIndicatorInfo : public TBaseIndicatorInfo {
public:
    TFractalIndicatorInfo();
    const char* TypeName() const override { return cFractal; }

    std::int32_t Period() const { return fPeriod; }
    void SetPeriod(std::int32_t Value) { fPeriod = Value; }
    // The bubbles' radius in price units; follows the chart's price range,
    // neither reset nor saved.
    double Radius() const { return fRadius; }
    void SetRadius(double Value) { fRadius = Value; }
    TColor Color() const { return fColor; }
    void SetColor(TColor Value) { fColor = Value; }

protected:
    void DoReset() override;
    void DoFields(TIndicatorFields& aFields) override;

private:
    std::int32_t fPeriod = 0;
    double fRadius = 0;
    TColor fColor = 0;
};

// The upper, middle and lower band in series 0, 1 and 2.
class TBollingerIndicatorInfo : public TLineIndicatorInfo {
public:
    TBollingerIndicatorInfo();
    const char* TypeName() const override { return cBollinger; }

    std::int32_t Period() const { return fPeriod; }
    void SetPeriod(std::int32_t Value) { fPeriod = Value; }
    std::int32_t Shift() const { return fShift; }
    void SetShift(std::int32_t Value) { fShift = Value; }
    std::int32_t Dev() const { return fDev; }
    void SetDev(std::int32_t Value) { fDev = Value; }
    TIndicatorPrice Price() const { return fPrice; }
    void SetPrice(TIndicatorPrice Value) { fPrice = Value; }

protected:
    void DoReset() override;
    void DoFields(TIndicatorFields& aFields) override;

private:
    std::int32_t fPeriod = 0;
    std::int32_t fShift = 0;
    std::int32_t fDev = 0;
    TIndicatorPrice fPrice = PRICE_CLOSE;
};

class TZigZagIndicatorInfo : public TLineIndicatorInfo {
public:
    TZigZagIndicatorInfo();
    const char* TypeName() const override { return cZigZag; }

    std::int32_t Depth() const { return fDepth; }
    void SetDepth(std::int32_t Value) { fDepth = Value; }
    std::int32_t Backstep() const { return fBackstep; }
    void SetBackstep(std::int32_t Value) { fBackstep = Value; }

protected:
    void DoReset() override;
    void DoFields(TIndicatorFields& aFields) override;

private:
    std::int32_t fDepth = 0;
    std::int32_t fBackstep = 0;
};

// A new info of the object's "type", read from its keys; nullptr for any
// other type, or when aNode is not an object.
std::unique_ptr<TBaseIndicatorInfo> LoadIndicatorInfo(const TIndicatorJson& aNode);
