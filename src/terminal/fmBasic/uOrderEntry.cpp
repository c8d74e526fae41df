#include "terminal/fmBasic/uOrderEntry.h"

#include "domain/uCommon.h"
#include "domain/uOrderThreads.h"
#include "platform/FloatDigits.h"
#include "platform/FormatSettings.h"
#include "platform/SysUtils.h"
#include "terminal/fmBasic/uFormParts.h"

#include <QLineEdit>
#include <algorithm>
#include <cmath>
#include <limits>

double EnteredNumber(const QLineEdit& Edit)
{
    double Value = 0;
    if (!TryStrToFloat(Edit.text().toStdString(), Value, GetFormatSettings()))
        return std::numeric_limits<double>::quiet_NaN();
    return Value;
}

namespace {

constexpr int cSignificantDigits = 15;

int DecimalsOf(const TFloatDigits& Digits)
{
    return std::max(0, int(Digits.Digits.size()) - Digits.Exponent);
}

} // namespace

std::string PlainFloatText(double Value)
{
    if (std::string Special = NonFiniteText(Value); !Special.empty())
        return Special;
    const TFloatDigits Digits = FloatToDigits(Value, cSignificantDigits);
    return FixedText(Digits, DecimalsOf(Digits), GetFormatSettings().DecimalSeparator, '\0');
}

int PlainDecimals(double Value)
{
    return std::isfinite(Value) ? DecimalsOf(FloatToDigits(Value, cSignificantDigits)) : 0;
}

bool OrderReady(const TOrder& Order)
{
    const std::string Fault = OrderFault(Order);
    if (Fault.empty())
        return true;
    Msg(TranslateText(Fault).toStdString(), mtAlert);
    return false;
}
