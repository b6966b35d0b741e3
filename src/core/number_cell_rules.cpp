#include "core/number_cell_rules.h"

#include "core/numeric_edit_rules.h"
#include "core/str_utilx.h"

#include <cstdio>

char NumberCellKey(char key) { return key == kDecimalComma ? '.' : key; }

bool AcceptNumberCellKey(char key, const std::string& kept, std::size_t maxLength)
{
    key = NumberCellKey(key);
    if (key == '\b' || key == '\r')
        return true;
    if (key != '.' && (key < '0' || key > '9'))
        return false;
    if (key == '.' && kept.find('.') != std::string::npos)
        return false;
    return maxLength == 0 || kept.size() < maxLength;
}

std::optional<double> NumberCellValue(const std::string& text, double maxValue)
{
    double value = 0;
    if (!ConvertNumber(text, value) || value < 0 || value > maxValue)
        return std::nullopt;
    return value;
}

std::string NumberCellRangeMessage(double maxValue)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.0f", maxValue);
    return std::string("Number must be between 0 and ") + buffer + ".";
}
