#include "sim/density_types.h"

const TDensityType* FindDensityTypeCode(const std::string& code)
{
    for (const TDensityType& t : kDensityTypes)
        if (code == t.code) return &t;
    return nullptr;
}

int DensityTypeListSize()
{
    int count = 0;
    for (const TDensityType& t : kDensityTypes)
        if (!t.allee) ++count;
    return count;
}

const TDensityType* DensityTypeListRow(int index)
{
    if (index < 0) return nullptr;
    for (const TDensityType& t : kDensityTypes)
        if (!t.allee && index-- == 0) return &t;
    return nullptr;
}

int DensityTypeListIndex(std::uint8_t code)
{
    const TDensityType* type = FindDensityType(code);
    if (!type) return -1;
    int index = 0;
    for (const TDensityType& t : kDensityTypes) {
        if (t.allee) continue;
        if (t.form == type->form) return index;
        ++index;
    }
    return -1;
}

const TDensityType& DensityTypeFormRow(std::uint8_t code)
{
    if (const TDensityType* type = FindDensityType(code))
        for (const TDensityType& t : kDensityTypes)
            if (!t.allee && t.form == type->form) return t;
    return *FindDensityType(DDType::EX);
}

std::string DensityDependenceTypeName(int code)
{
    if (code < 0 || code >= static_cast<int>(kDensityTypeCount)) return {};
    return kDensityTypes[static_cast<std::size_t>(code)].summaryName;
}
