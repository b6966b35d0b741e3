#pragma once
// The number-text switches of the text utilities, put back as they were
// when the object ends: for tests of windows and options that set them.

#include "core/str_utilx.h"

class KeptNumberSwitches {
public:
    KeptNumberSwitches() = default;
    ~KeptNumberSwitches()
    {
        TextPrecision = precision_;
        TextDecimals = decimals_;
        TrimTrailingZeros = trim_;
        IntegersWithoutDecimals = integers_;
    }
    KeptNumberSwitches(const KeptNumberSwitches&) = delete;
    KeptNumberSwitches& operator=(const KeptNumberSwitches&) = delete;

private:
    int precision_ = TextPrecision;
    int decimals_ = TextDecimals;
    bool trim_ = TrimTrailingZeros;
    bool integers_ = IntegersWithoutDecimals;
};
