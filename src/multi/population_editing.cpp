#include "multi/population_editing.h"

#include "core/str_utilx.h"
#include "multi/distance_matrices.h"
#include "multi/validate_input.h"

#include <algorithm>
#include <charconv>

namespace multi {

namespace {

constexpr int kMostSignificantDigits = 15;

std::string GeneralText(double value, int digits)
{
    char buffer[64];
    // Adding 0 turns -0 into 0.
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value + 0.0, std::chars_format::general, digits);
    return std::string(buffer, result.ptr);
}

// Entries beyond the first `keep` positions of a one-based matrix become 0.
void ClearBeyond(SingleMatrix& matrix, int keep)
{
    for (int i = 1; i <= matrix.Rows(); ++i) {
        OneBasedRow<float> row = matrix[i];
        for (int j = 1; j <= row.Count(); ++j)
            if (i > keep || j > keep) row[j] = 0.0f;
    }
}

}  // namespace

std::string GeneralFloatText(double value) { return GeneralText(value, kMostSignificantDigits); }

std::string FitFloatText(double value, std::size_t width)
{
    for (int digits = kMostSignificantDigits; digits > 1; --digits) {
        std::string text = GeneralText(value, digits);
        if (text.size() <= width) return text;
    }
    return GeneralText(value, 1);
}

double ParameterTextValue(const std::string& text)
{
    double value = 0;
    return ConvertNumber(text, value) ? value : 0.0;
}

std::string EditedParameterText(const std::string& own, double shown, bool emptyIsZero)
{
    if (emptyIsZero && own.empty() && shown == 0)
        return own;
    double value = 0;
    if (ConvertNumber(own, value) && value == shown)
        return own;
    return FitFloatText(shown);
}

std::string AddedPopulationName(int count) { return "Pop " + std::to_string(count + 1); }

std::string DuplicateName(const std::string& name) { return ("Copy of " + name).substr(0, kNameLength); }

PopulationRecord NewPopulationRecord(int count)
{
    PopulationRecord record;
    record.Name = AddedPopulationName(count);
    record.DDType = kExponential;
    record.IncludeInTotals = true;
    record.ExtraText1 = "1";
    return record;
}

bool IsRefusedNameChar(char ch) { return ch == ','; }

std::string WithoutRefusedNameChars(const std::string& name)
{
    std::string kept;
    for (char ch : name)
        if (!IsRefusedNameChar(ch)) kept += ch;
    return kept;
}

TPopulationListButtons PopulationListButtons(int count, int selected, int maxPops)
{
    TPopulationListButtons b;
    const bool any = selected >= 0 && selected < count;
    b.add = count < maxPops;
    b.remove = any && count > 1;
    b.duplicate = any && count < maxPops;
    b.moveUp = any && selected > 0;
    b.moveDown = any && selected < count - 1;
    return b;
}

TPopulationEditEnabling PopulationEditEnabling(std::int32_t replications, int typeIndex)
{
    // With no entry chosen the fields stay open, so nothing typed is locked in.
    const TDensityType* type = DensityTypeListRow(typeIndex);
    return {replications != 0, !type || type->usesK};
}

int DensityDependenceIndex(std::uint8_t ddType) { return DensityTypeListIndex(ddType); }

std::uint8_t StoredDensityDependence(std::uint8_t oldType, int index)
{
    const TDensityType* type = DensityTypeListRow(index);
    if (!type || index == DensityDependenceIndex(oldType)) return oldType;
    return DensityTypeCode(type->type);
}

bool PopulationInputsDiffer(const PopulationRecord& a, const PopulationRecord& b)
{
    return a.XText != b.XText || a.YText != b.YText || a.InitialAbundanceText != b.InitialAbundanceText ||
           a.SurvivalText != b.SurvivalText || a.DDType != b.DDType || a.GrowthRateText != b.GrowthRateText ||
           a.CarryingCapacityText != b.CarryingCapacityText || a.StdDevOfRText != b.StdDevOfRText ||
           a.TrendInKText != b.TrendInKText || a.SpareText != b.SpareText;
}

void ValidatePopulations(TMultiModel& model, const std::vector<PopulationRecord>& list)
{
    const int oldCount = model.PopCount;
    const int newCount = std::min<int>(static_cast<int>(list.size()), model.MaxPops);
    const int keep = std::min(oldCount, newCount);

    ClearBeyond(model.DispersalMatrix, keep);
    ClearBeyond(model.CorrelationMatrix, keep);
    for (int i = keep + 1; i <= model.InitialAbundance.Count(); ++i) model.InitialAbundance[i] = 0;

    if (newCount > 0) {
        model.DispersalUpToDate = false;
        model.CorrelationUpToDate = false;
        model.DispersalFromFunction = false;
        model.CorrelationFromFunction = false;
    }

    // Fewer or more populations change what a run does even when every
    // remaining record stays as it was (the last one deleted).
    if (newCount != oldCount) model.InputsChanged = true;
    model.PopCount = static_cast<std::uint8_t>(newCount);
    for (int i = 1; i <= newCount; ++i) {
        const PopulationRecord& edited = list[static_cast<std::size_t>(i - 1)];
        if (PopulationInputsDiffer(edited, model.Populations[i])) model.InputsChanged = true;
        model.Populations[i] = edited;
    }

    ValidateInput(model);
    UpdateDistanceMatrices(model);
}

}  // namespace multi
