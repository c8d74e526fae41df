#pragma once

#include "platform/FormatSettings.h"

// Sets the decimal separator of the program's format settings for the
// object's lifetime, as a locale that writes numbers with it would.
class TDecimalSeparatorScope {
public:
    explicit TDecimalSeparatorScope(char Separator) : fSaved(GetFormatSettings())
    {
        TFormatSettings Changed = fSaved;
        Changed.DecimalSeparator = Separator;
        SetFormatSettings(Changed);
    }
    TDecimalSeparatorScope(const TDecimalSeparatorScope&) = delete;
    TDecimalSeparatorScope& operator=(const TDecimalSeparatorScope&) = delete;
    ~TDecimalSeparatorScope() { SetFormatSettings(fSaved); }

private:
    TFormatSettings fSaved;
};
