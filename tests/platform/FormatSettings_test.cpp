#include "platform/FormatSettings.h"

#include <clocale>
#include <gtest/gtest.h>

namespace {

TEST(FormatSettingsTest, CPatternsBecomeRuntimePatterns)
{
    const std::pair<const char*, const char*> cases[] = {
        {"%d.%m.%Y", "dd.mm.yyyy"},
        {"%m/%d/%y", "mm/dd/yy"},
        {"%Y-%m-%d", "yyyy-mm-dd"},
        {"%F", "yyyy-mm-dd"},
        {"%D", "mm/dd/yy"},
        {"%e %b %Y", "d mmm yyyy"},
        {"%-d.%-m.%Y", "d.m.yyyy"},
        {"%H:%M:%S", "hh:nn:ss"},
        {"%I:%M:%S %p", "hh:nn:ss ampm"},
        {"%Y年%m月%d日", "yyyy年mm月dd日"},
        {"%d de %B", "dd \"d\"\"e\" mmmm"},
        {"%%", "%"},
    };
    for (const auto& [c, expected] : cases)
        EXPECT_EQ(CDateFormatToRuntime(c), expected) << c;
}

TEST(FormatSettingsTest, InvariantDefaultsAndLocaleReadOnce)
{
    const TFormatSettings& inv = InvariantFormatSettings();
    EXPECT_EQ(inv.DecimalSeparator, '.');
    EXPECT_EQ(inv.ThousandSeparator, ',');
    EXPECT_EQ(inv.ShortDateFormat, "mm/dd/yyyy");
    EXPECT_EQ(&LocaleFormatSettings(), &LocaleFormatSettings());
    EXPECT_FALSE(LocaleFormatSettings().ShortDateFormat.empty());
    EXPECT_NE(LocaleFormatSettings().DecimalSeparator, LocaleFormatSettings().ThousandSeparator);
}

TEST(FormatSettingsTest, ProgramSettingsStartAsTheLocaleAndKeepAChange)
{
    const TFormatSettings saved = GetFormatSettings();
    EXPECT_EQ(saved.LongTimeFormat, LocaleFormatSettings().LongTimeFormat);
    EXPECT_EQ(saved.DecimalSeparator, LocaleFormatSettings().DecimalSeparator);

    TFormatSettings changed = saved;
    changed.LongTimeFormat = "h.n";
    SetFormatSettings(changed);
    EXPECT_EQ(GetFormatSettings().LongTimeFormat, "h.n");
    EXPECT_EQ(LocaleFormatSettings().LongTimeFormat, saved.LongTimeFormat);
    EXPECT_STREQ(setlocale(LC_ALL, nullptr), "C");
    SetFormatSettings(saved);
}

} // namespace
