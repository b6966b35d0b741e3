#include "core/number_cell_rules.h"

#include "core/numeric_edit_rules.h"
#include "core/str_utilx.h"

#include <cstdio>

char NumberCellKey(char key) { return key == kDecimalComma ? '.' : key; }

TTypedNumber NumberCellReading(const std::string& text, double maxValue)
{
    TNumberField field;
    field.minValue = 0;
    field.maxValue = maxValue;
    return ReadTypedNumber(text, field);
}

std::optional<double> NumberCellValue(const std::string& text, double maxValue)
{
    const TTypedNumber reading = NumberCellReading(text, maxValue);
    if (!reading.Accepted())
        return std::nullopt;
    return reading.value;
}

std::string NumberCellRangeMessage(double maxValue)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.0f", maxValue);
    return std::string("Number must be between 0 and ") + buffer + ".";
}

std::string NumberCellRefusal(const std::string& text, double maxValue, const std::string& fieldName)
{
    const TTypedNumber reading = NumberCellReading(text, maxValue);
    if (reading.refusal == TNumberRefusal::OutOfRange || TrimBlanks(text).empty())
        return NumberCellRangeMessage(maxValue);
    return NumberRefusalMessage(reading.refusal, fieldName, text);
}
