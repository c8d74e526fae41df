#include "platform/FloatDigits.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// Beyond this many integer digits a picture cannot hold the value: the general
// format is written instead.
constexpr int cMaxPictureExponent = 18;
constexpr int cPictureDigits = 15;

// What one section of a picture asks for.
struct TPicture {
    std::string_view Text;
    int IntPlaces = 0;
    int FirstIntZero = -1;
    int DecPlaces = 0;
    int LastDecZero = -1;
    bool Grouping = false;
    bool Scientific = false;
};

bool IsExponentAt(std::string_view text, std::size_t i)
{
    return (text[i] == 'E' || text[i] == 'e') && i + 1 < text.size() &&
           (text[i + 1] == '+' || text[i + 1] == '-');
}

// Index just past a quoted literal starting at i.
std::size_t SkipQuoted(std::string_view text, std::size_t i)
{
    const std::size_t close = text.find(text[i], i + 1);
    return close == std::string_view::npos ? text.size() : close + 1;
}

std::vector<std::string_view> SplitSections(std::string_view picture)
{
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    for (std::size_t i = 0; i < picture.size();) {
        if (picture[i] == '\'' || picture[i] == '"') {
            i = SkipQuoted(picture, i);
        } else if (picture[i] == ';') {
            sections.push_back(picture.substr(start, i - start));
            start = ++i;
        } else {
            ++i;
        }
    }
    sections.push_back(picture.substr(start));
    return sections;
}

TPicture Analyze(std::string_view text)
{
    TPicture p;
    p.Text = text;
    bool afterPoint = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\'' || c == '"') {
            i = SkipQuoted(text, i) - 1;
        } else if (IsExponentAt(text, i)) {
            p.Scientific = true;
            break;
        } else if (c == '.') {
            afterPoint = true;
        } else if (c == ',') {
            p.Grouping = true;
        } else if ((c == '0' || c == '#') && !afterPoint) {
            if (c == '0' && p.FirstIntZero < 0)
                p.FirstIntZero = p.IntPlaces;
            ++p.IntPlaces;
        } else if (c == '0' || c == '#') {
            if (c == '0')
                p.LastDecZero = p.DecPlaces;
            ++p.DecPlaces;
        }
    }
    return p;
}

// The digits a picture shows: integer digits, fraction digits and, in
// scientific form, the exponent shown (otherwise the value's decimal exponent).
struct TPictureDigits {
    std::string Integer;
    std::string Fraction;
    int Exponent = 0;
    bool Zero = true;
};

TPictureDigits PictureDigits(const TPicture& p, const TFloatDigits& d, int integerCount)
{
    TPictureDigits out;
    out.Zero = d.IsZero();
    const int n = static_cast<int>(d.Digits.size());
    if (!out.Zero && integerCount > 0) {
        out.Integer = d.Digits.substr(0, static_cast<std::size_t>(std::min(n, integerCount)));
        out.Integer.resize(static_cast<std::size_t>(integerCount), '0');
    }
    const int forcedInt = p.FirstIntZero < 0 ? 0 : p.IntPlaces - p.FirstIntZero;
    if (static_cast<int>(out.Integer.size()) < forcedInt)
        out.Integer.insert(0, static_cast<std::size_t>(forcedInt) - out.Integer.size(), '0');
    for (int i = 0; i < p.DecPlaces; ++i) {
        const int index = integerCount + i;
        out.Fraction += index >= 0 && index < n ? d.Digits[static_cast<std::size_t>(index)] : '0';
    }
    const std::size_t forcedDec = static_cast<std::size_t>(p.LastDecZero + 1);
    while (out.Fraction.size() > forcedDec && out.Fraction.back() == '0')
        out.Fraction.pop_back();
    return out;
}

std::string ExponentDigits(int exponent, std::size_t minDigits)
{
    std::string text = std::to_string(std::abs(exponent));
    if (text.size() < minDigits)
        text.insert(0, minDigits - text.size(), '0');
    return text;
}

// Writes the section with the digits in place of its placeholders.
std::string Render(const TPicture& p, const TPictureDigits& v, const TFormatSettings& fs)
{
    std::string out;
    const std::string_view t = p.Text;
    const int intLength = static_cast<int>(v.Integer.size());
    int intIndex = 0, intPlace = 0, decPlace = 0;
    bool afterPoint = false;
    auto emitInteger = [&](int end) {
        for (; intIndex < end; ++intIndex) {
            if (p.Grouping && intIndex > 0 && (intLength - intIndex) % 3 == 0)
                out += fs.ThousandSeparator;
            out += v.Integer[static_cast<std::size_t>(intIndex)];
        }
    };
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '\'' || c == '"') {
            const std::size_t end = SkipQuoted(t, i);
            out += t.substr(i + 1, std::max<std::size_t>(end - i, 2) - 2);
            i = end - 1;
        } else if (IsExponentAt(t, i) && p.Scientific) {
            emitInteger(intLength);
            std::size_t zeros = 0;
            while (i + 2 + zeros < t.size() && t[i + 2 + zeros] == '0')
                ++zeros;
            out += c;
            if (v.Exponent < 0 || t[i + 1] == '+')
                out += v.Exponent < 0 ? '-' : '+';
            out += ExponentDigits(v.Exponent, std::min<std::size_t>(zeros, 4));
            i += 1 + zeros;
        } else if ((c == '0' || c == '#') && !afterPoint) {
            emitInteger(std::max(0, intLength - (p.IntPlaces - 1 - intPlace++)));
        } else if (c == '0' || c == '#') {
            if (decPlace < static_cast<int>(v.Fraction.size()))
                out += v.Fraction[static_cast<std::size_t>(decPlace)];
            ++decPlace;
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
            emitInteger(intLength);
            if (!v.Fraction.empty())
                out += fs.DecimalSeparator;
        } else if (c != ',' && c != '.') {
            out += c;
        }
    }
    emitInteger(intLength);
    return out;
}

TPictureDigits Digits(const TPicture& p, double magnitude)
{
    if (p.Scientific) {
        const int significant = std::clamp(p.IntPlaces + p.DecPlaces, 1, cPictureDigits);
        TFloatDigits d = FloatToDigits(magnitude, cPictureDigits);
        RoundDigits(d, significant);
        TPictureDigits v = PictureDigits(p, d, p.IntPlaces);
        v.Exponent = d.IsZero() ? 0 : d.Exponent - p.IntPlaces;
        return v;
    }
    const TFloatDigits d = FloatToDigits(magnitude, cPictureDigits, p.DecPlaces);
    TPictureDigits v = PictureDigits(p, d, d.Exponent);
    v.Exponent = d.Exponent;
    return v;
}

} // namespace

std::string FormatFloat(std::string_view picture, double value, const TFormatSettings& fs)
{
    if (const std::string special = NonFiniteText(value); !special.empty())
        return special;
    const std::vector<std::string_view> sections = SplitSections(picture);
    if (sections[0].empty())
        return FloatToStr(value, fs);
    const bool negative = value < 0;
    const bool ownNegative = negative && sections.size() >= 2 && !sections[1].empty();
    TPicture p = Analyze(ownNegative ? sections[1] : sections[0]);
    TPictureDigits v = Digits(p, std::fabs(value));
    if (!p.Scientific && v.Exponent > cMaxPictureExponent)
        return FloatToStr(value, fs);
    if (v.Zero) {
        p = Analyze(sections.size() >= 3 && !sections[2].empty() ? sections[2] : sections[0]);
        v = Digits(p, 0);
        return Render(p, v, fs);
    }
    std::string out = negative && !ownNegative ? "-" : "";
    return out + Render(p, v, fs);
}
