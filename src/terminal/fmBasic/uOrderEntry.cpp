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

std::string PlainFloatText(double Value)
{
    constexpr int cSignificantDigits = 15;
    if (std::string Special = NonFiniteText(Value); !Special.empty())
        return Special;
    const TFloatDigits Digits = FloatToDigits(Value, cSignificantDigits);
    const int Decimals = std::max(0, int(Digits.Digits.size()) - Digits.Exponent);
    return FixedText(Digits, Decimals, GetFormatSettings().DecimalSeparator, '\0');
}

bool OrderReady(const TOrder& Order)
{
    const std::string Fault = OrderFault(Order);
    if (Fault.empty())
        return true;
    Msg(TranslateText(Fault).toStdString(), mtAlert);
    return false;
}
