#include "domain/charts/uIndicatorInfo.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

using TJson = TIndicatorJson;

std::string Saved(TBaseIndicatorInfo& Info)
{
    TJson Array = TJson::array();
    Info.Save(Array);
    return Array.at(0).dump();
}

std::string Reloaded(const std::string& Object)
{
    const std::unique_ptr<TBaseIndicatorInfo> Info = LoadIndicatorInfo(TJson::parse(Object));
    return Info ? Saved(*Info) : std::string("none");
}

TEST(IndicatorInfo, NewInfosHoldTheirDefaultsAndSaveThemInKeyOrder)
{
    TMaIndicatorInfo Ma;
    TFractalIndicatorInfo Fractal;
    TBollingerIndicatorInfo Bollinger;
    TZigZagIndicatorInfo ZigZag;
    const std::pair<TBaseIndicatorInfo*, const char*> cases[] = {
        {&Ma, R"({"type":"MA","period":14,"shift":0,"method":0,"price":0,"lineColor":255,)"
              R"("lineStyle":0,"lineWidth":1})"},
        {&Fractal, R"({"type":"Fractal","period":5,"color":255})"},
        {&Bollinger, R"({"type":"Bollinger","period":20,"shift":0,"dev":2,"price":0,)"
                     R"("lineColor":255,"lineStyle":0,"lineWidth":1})"},
        {&ZigZag, R"({"type":"ZigZag","depth":12,"backstep":3,"lineColor":255,"lineStyle":0,)"
                  R"("lineWidth":1})"},
    };
    for (auto [Info, Expected] : cases)
        EXPECT_EQ(Saved(*Info), Expected);
}

TEST(IndicatorInfo, ResetRestoresTheDefaultsButKeepsTheFractalRadius)
{
    TFractalIndicatorInfo Fractal;
    Fractal.SetRadius(2.5);
    Fractal.SetPeriod(9);
    Fractal.SetColor(clBlue);
    Fractal.Reset();
    EXPECT_EQ(Saved(Fractal), R"({"type":"Fractal","period":5,"color":255})");
    EXPECT_EQ(Fractal.Radius(), 2.5);
}

TEST(IndicatorInfo, LoadingReadsEveryKeyAndZeroForWhatIsMissingOrMistyped)
{
    const std::pair<const char*, const char*> cases[] = {
        // Every key read back as written.
        {R"({"type":"MA","period":7,"shift":-2,"method":3,"price":2,"lineColor":65280,)"
         R"("lineStyle":4,"lineWidth":5})",
         R"({"type":"MA","period":7,"shift":-2,"method":3,"price":2,"lineColor":65280,)"
         R"("lineStyle":4,"lineWidth":5})"},
        // Missing keys read as 0, not as the defaults; the key order is ours.
        {R"({"lineWidth":3,"type":"ZigZag"})",
         R"({"type":"ZigZag","depth":0,"backstep":0,"lineColor":0,"lineStyle":0,"lineWidth":3})"},
        // Values that are not integers read as missing; nothing throws.
        {R"({"type":"Fractal","period":"9","color":1.5})",
         R"({"type":"Fractal","period":0,"color":0})"},
        {R"({"type":"Bollinger","period":null,"shift":true,"dev":[2],"price":{}})",
         R"({"type":"Bollinger","period":0,"shift":0,"dev":0,"price":0,"lineColor":0,)"
         R"("lineStyle":0,"lineWidth":0})"},
        // Integers beyond a field saturate, so out-of-table values keep their
        // nearest entry; they are checked where used, not on load.
        {R"({"type":"MA","period":-5,"shift":99999999999,"method":300,"price":-1,)"
         R"("lineColor":-16777201,"lineStyle":7,"lineWidth":18446744073709551615})",
         R"({"type":"MA","period":-5,"shift":2147483647,"method":255,"price":0,)"
         R"("lineColor":-16777201,"lineStyle":7,"lineWidth":2147483647})"},
        // Other types and other shapes are skipped.
        {R"({"type":"RSI","period":14})", "none"},
        {R"({"type":3})", "none"},
        {R"({"period":14})", "none"},
        {R"(["MA"])", "none"},
    };
    for (auto [Object, Expected] : cases)
        EXPECT_EQ(Reloaded(Object), Expected) << Object;
}

} // namespace
