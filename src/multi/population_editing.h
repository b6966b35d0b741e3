#pragma once
// The rules of the population editor: the names it gives, which of its
// buttons and edits are enabled, the limits of its edits, the texts it writes
// into a population record, and the write-back of the edited list into the
// model (ValidatePopulations).
//
// The editor works on copies of the population records, one per list entry,
// in list order; nothing reaches the model before ValidatePopulations.

#include "multi/model_data.h"

#include <string>
#include <vector>

namespace multi {

// Limits of the editor's numeric edits. A coordinate or a trend in K has to
// fit a parameter text of 10 characters with its sign, so it stays within
// nine digits; counts may use the whole 32-bit range.
inline constexpr double kLargestCoordinate = 999999999;
inline constexpr double kLargestTrendInK = 999999999;
inline constexpr double kLargestCount = 2147483647;
inline constexpr double kLargestGrowthRate = 20;
inline constexpr double kLargestSurvivalRate = 1;
inline constexpr double kLargestStdDevOfR = 2147483647;

// The numeric parameters of a population as the two programs' population
// editors show them, in the order of their panels (the density-dependence box
// stands before K). Both editors are built from this one table; where the
// programs differ, in a label's access key or in decimals, each row holds
// both, and the single-population editor leaves out the rows it has no label
// for (the coordinates and the trend in K).
struct TParameterFieldLook {
    const char* label;  // nullptr: the editor has no such field
    int decimals;
};
struct TParameterField {
    const char* name;  // the edit's object name
    double minValue;
    double maxValue;
    std::string PopulationRecord::*text;
    bool emptyIsZero;  // the engine reads an empty text as 0
    TParameterFieldLook map;     // in the map program's editor
    TParameterFieldLook single;  // in the single-population program's editor
};
inline const TParameterField kParameterFields[] = {
    {"XEdit", -kLargestCoordinate, kLargestCoordinate, &PopulationRecord::XText, false, {"&X-Coordinate:", 3},
     {nullptr, 0}},
    {"YEdit", -kLargestCoordinate, kLargestCoordinate, &PopulationRecord::YText, false, {"Y-&Coordinate:", 3},
     {nullptr, 0}},
    {"InitialAbundanceEdit", 0, kLargestCount, &PopulationRecord::InitialAbundanceText, false,
     {"&Initial abundance:", 0}, {"&Initial abundance:", 0}},
    {"GrowthRateEdit", 0, kLargestGrowthRate, &PopulationRecord::GrowthRateText, false, {"Growth rate (R):", 4},
     {"Growth rate (&R):", 4}},
    {"SurvivalEdit", 0, kLargestSurvivalRate, &PopulationRecord::SurvivalText, false, {"Survival rate (s):", 3},
     {"Survival rate (&s):", 3}},
    {"StdDevOfREdit", 0, kLargestStdDevOfR, &PopulationRecord::StdDevOfRText, true,
     {"&Standard deviation of R:", 4}, {"Standard de&viation of R:", 4}},
    // The engine keeps K as a single: a file may hold a fraction, and one
    // typed in the map program's editor is kept, not run together into a
    // number ten times larger.
    {"CarryingCapacityEdit", 0, kLargestCount, &PopulationRecord::CarryingCapacityText, false,
     {"&Carrying capacity (K):", 2}, {"&Carrying capacity (K):", 0}},
    // A trend may be a fraction of an individual per step (the engine keeps
    // it as a single); two decimals show what model files usually hold, and a
    // stored value with more is shown in full.
    {"TemporalTrendInKEdit", -kLargestTrendInK, kLargestTrendInK, &PopulationRecord::TrendInKText, true,
     {"Temporal trend in &K:", 2}, {nullptr, 0}},
};

// A number as a parameter text: the general form with up to 15 significant
// digits and "." as decimal point, whatever the user's locale ("0.5", "20",
// "-12.345", "1e-07"). Also the form in which the edits' limits are told.
std::string GeneralFloatText(double value);

// The same, made to fit `width` characters by rounding to fewer significant
// digits (123456789.123 becomes "123456789"): a value is never cut, since a
// cut text reads as a value scaled down by powers of 10.
std::string FitFloatText(double value, std::size_t width = kParameterTextLength);

// A parameter text as an edit shows it: 0 for a text that is empty or no
// number.
double ParameterTextValue(const std::string& text);

// The text a numeric field of a population writes into its record: the
// record's own text while that is a number equal to the value the field
// shows (so "0.45" stays "0.45" and "1e3" stays "1e3"), else the shown value
// as a parameter text that fits. A text that is no number is shown as 0 and
// so stored as "0": what the field shows is what the model holds. Only where
// the engine reads an empty text as 0 (`emptyIsZero`: the standard deviation
// of R and the trend in K) does an empty text stay empty while 0 is shown.
std::string EditedParameterText(const std::string& own, double shown, bool emptyIsZero = false);

// The name of a population added to a list of `count` entries: "Pop " and
// count + 1 (the number counts entries, not names).
std::string AddedPopulationName(int count);

// The name of a duplicate: "Copy of " and the name, cut to 16 characters.
std::string DuplicateName(const std::string& name);

// A population added to a list of `count` entries: named as above, every text
// empty, exponential, and counted in the totals like every population of a
// new or loaded model.
PopulationRecord NewPopulationRecord(int count);

// Names are written into comma-separated lines of the model file, so they
// hold no comma.
bool IsRefusedNameChar(char ch);
std::string WithoutRefusedNameChars(const std::string& name);

// The list buttons for `count` entries with entry `selected` (-1 none)
// selected, of at most `maxPops`.
struct TPopulationListButtons {
    bool add = false;
    bool remove = false;
    bool duplicate = false;
    bool moveUp = false;
    bool moveDown = false;
};
TPopulationListButtons PopulationListButtons(int count, int selected, int maxPops);

// The standard deviation of R and the survival rate matter only for
// stochastic runs (replications not 0); K and its trend only for a
// density-dependence type that uses a carrying capacity. `typeIndex` is the
// entry of the type list.
struct TPopulationEditEnabling {
    bool stochastic = false;
    bool capacity = false;
};
TPopulationEditEnabling PopulationEditEnabling(std::int32_t replications, int typeIndex);

// The list entry the density-dependence box shows for a type code (a type
// with an Allee effect shows as its form), and the code stored for an entry:
// the record's own code while the entry still stands for it.
int DensityDependenceIndex(std::uint8_t ddType);
std::uint8_t StoredDensityDependence(std::uint8_t oldType, int index);

// True when the two records differ in a value a run uses: coordinates,
// initial abundance, survival, type, R, K, its standard deviation, its trend
// or the spare text. A new name alone is no change of inputs.
bool PopulationInputsDiffer(const PopulationRecord& a, const PopulationRecord& b);

// Writes the edited list into the model:
// 1. the dispersal and correlation matrices and the initial abundances keep
//    their entries for positions up to the smaller of the old and the new
//    count; every entry beyond is 0 (values belong to positions, not to
//    populations);
// 2. with a list that is not empty, both matrices are marked out of date, to
//    be computed afresh from the coordinates and the distance functions;
// 3. the population count becomes the list's length; a changed count sets
//    the inputs-changed flag, as does a record whose inputs differ from the
//    one it replaces (a rename alone does not);
// 4. the records are copied in, ValidateInput converts and reports, and
//    UpdateDistanceMatrices refills the matrices.
void ValidatePopulations(TMultiModel& model, const std::vector<PopulationRecord>& list);

}  // namespace multi
