#pragma once
// The density-dependence types every program knows, each written once: the
// code a model stores, the code its file writes, the name its lists show, the
// growth form it runs and which parameters it needs. Every list, parser,
// writer, check and editor reads this table, so a new type is one enum value
// and one row; a switch over `DDForm` that misses a form is a compiler warning.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>

// The code a model holds for a population's type. The values are stored and
// saved with results, so they never change; a new type takes the next value.
enum class DDType : std::uint8_t { EX = 0, LO = 1, BH = 2, CE = 3, EA = 4, LA = 5, BA = 6, CA = 7 };

// How abundance limits growth: not at all, scramble (logistic, Ricker),
// contest (Beverton-Holt), or a ceiling at the carrying capacity.
enum class DDForm : std::uint8_t { Exponential, Scramble, Contest, Ceiling };

struct TDensityType {
    DDType type;
    const char* code;         // as model files write it
    const char* name;         // as the type lists show it
    const char* summaryName;  // as model summaries show it, naming the Allee effect
    DDForm form;
    bool allee;               // growth slows at low abundance as well
    bool usesK;               // needs a carrying capacity
    bool usesRmax;            // needs a maximum growth rate
};

// In the order of the stored codes. The lists show the types without an Allee
// effect, in this order; a population keeps its Allee effect while its form
// stays as it is.
inline constexpr TDensityType kDensityTypes[] = {
    {DDType::EX, "EX", "Exponential", "Exponential", DDForm::Exponential, false, false, false},
    {DDType::LO, "LO", "Scramble", "Scramble", DDForm::Scramble, false, true, true},
    {DDType::BH, "BH", "Contest", "Contest", DDForm::Contest, false, true, true},
    {DDType::CE, "CE", "Ceiling", "Ceiling", DDForm::Ceiling, false, true, false},
    {DDType::EA, "EA", "Exponential", "Exponential-Allee", DDForm::Exponential, true, false, false},
    {DDType::LA, "LA", "Scramble", "Scramble-Allee", DDForm::Scramble, true, true, true},
    {DDType::BA, "BA", "Contest", "Contest-Allee", DDForm::Contest, true, true, true},
    {DDType::CA, "CA", "Ceiling", "Ceiling-Allee", DDForm::Ceiling, true, true, false},
};
inline constexpr std::size_t kDensityTypeCount = std::size(kDensityTypes);

namespace density_types_detail {
constexpr bool InCodeOrder()
{
    for (std::size_t i = 0; i < kDensityTypeCount; ++i)
        if (static_cast<std::size_t>(kDensityTypes[i].type) != i) return false;
    return true;
}
}  // namespace density_types_detail
static_assert(density_types_detail::InCodeOrder(), "each row sits at its stored code");

inline constexpr std::uint8_t DensityTypeCode(DDType type) { return static_cast<std::uint8_t>(type); }

// The row of a stored code; none for a code no type has.
inline constexpr const TDensityType* FindDensityType(std::uint8_t code)
{
    return code < kDensityTypeCount ? &kDensityTypes[code] : nullptr;
}
inline constexpr const TDensityType* FindDensityType(DDType type) { return FindDensityType(DensityTypeCode(type)); }

// A code no type has is none of these.
inline constexpr bool HasForm(std::uint8_t code, DDForm form)
{
    const TDensityType* t = FindDensityType(code);
    return t && t->form == form;
}
inline constexpr bool IsExponential(std::uint8_t code) { return HasForm(code, DDForm::Exponential); }
inline constexpr bool IsScramble(std::uint8_t code) { return HasForm(code, DDForm::Scramble); }
inline constexpr bool IsContest(std::uint8_t code) { return HasForm(code, DDForm::Contest); }
inline constexpr bool IsCeiling(std::uint8_t code) { return HasForm(code, DDForm::Ceiling); }
inline constexpr bool HasAllee(std::uint8_t code)
{
    const TDensityType* t = FindDensityType(code);
    return t && t->allee;
}
inline constexpr bool UsesCarryingCapacity(std::uint8_t code)
{
    const TDensityType* t = FindDensityType(code);
    return t && t->usesK;
}
inline constexpr bool UsesMaximumGrowthRate(std::uint8_t code)
{
    const TDensityType* t = FindDensityType(code);
    return t && t->usesRmax;
}
inline constexpr bool IsExponential(DDType t) { return IsExponential(DensityTypeCode(t)); }
inline constexpr bool IsScramble(DDType t) { return IsScramble(DensityTypeCode(t)); }
inline constexpr bool IsContest(DDType t) { return IsContest(DensityTypeCode(t)); }
inline constexpr bool IsCeiling(DDType t) { return IsCeiling(DensityTypeCode(t)); }
inline constexpr bool HasAllee(DDType t) { return HasAllee(DensityTypeCode(t)); }
inline constexpr bool UsesMaximumGrowthRate(DDType t) { return UsesMaximumGrowthRate(DensityTypeCode(t)); }

// The file code of a stored code; a code no type has is saved as exponential.
inline constexpr const char* DensityTypeFileCode(std::uint8_t code)
{
    const TDensityType* t = FindDensityType(code);
    return t ? t->code : FindDensityType(DDType::EX)->code;
}

// The row whose file code is exactly `code`; none for any other text.
const TDensityType* FindDensityTypeCode(const std::string& code);

// The type lists: the rows without an Allee effect, in table order.
int DensityTypeListSize();
const TDensityType* DensityTypeListRow(int index);
// Where a stored code shows in the lists (its form's row); -1 for a code no
// type has.
int DensityTypeListIndex(std::uint8_t code);
// The row without an Allee effect of a stored code's form, as files without
// Allee effects save the code; exponential for a code no type has.
const TDensityType& DensityTypeFormRow(std::uint8_t code);

// The summary name of a stored code ("Exponential" .. "Ceiling-Allee"); empty
// for a code no type has.
std::string DensityDependenceTypeName(int code);
