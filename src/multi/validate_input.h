#pragma once
// Conversion and checking of the population parameters, which the model
// keeps as text as typed, into the parameter vectors the engine computes
// with; and the repair of one population's dispersal rates.

#include "multi/model_data.h"

#include <string>

namespace multi {

// What a program's check of the parameters differs in. The defaults are the
// map program's; the single-population program names no population (it has
// one) and keeps no change of K that a user could have typed wrong.
struct TInputCheckRules {
    // A fault ends with " for population " and the population's number.
    bool namePopulation = true;
    // A change-in-K text that is not a number is a fault (for the types that
    // use K); without this check it converts to 0.
    bool checkTrendInK = true;
};

// Converts every population's texts into InitialAbundance, GrowthRate,
// SurvivalRate, CarryingCapacity, StdDevOfR and TrendInK, checks them in a
// fixed order and reports each fault with ReportInvalidInput (conversion goes
// on, so every fault of every population is reported once). Repairs what it
// can: K of an exponential population is its initial abundance, a K that is
// not positive becomes 1. The outcome is the model state: 0 when any check
// failed, else 1 (or 2, when it was 2). A population count of 0 or above
// MaxPops gives "Invalid population data", count 0 and state 0. A text that
// is not a number leaves its vector entry at the reset value (R 1, others 0).
void ValidateInput(TMultiModel& model, const TInputCheckRules& rules);
void ValidateInput(TMultiModel& model);

// State 0 and the warning
//   Invalid input parameter: "<name>" for population <n>
// (without the population part when `namePopulation` is false).
void ReportInvalidInput(TMultiModel& model, const std::string& name, int population, bool namePopulation = true);

// Column i of the dispersal matrix (the rates out of population i) made
// usable: negative rates to 0, rates whose total reaches 1 rescaled below 1,
// the rate to itself 0; sets DispersalPresent when population i sends
// dispersers. With `report`, a total above 90% gives the simulation warning
//   Pop.<i>: WARNING: Total migration is more than 90%
void CheckMigration(TMultiModel& model, int i, bool report);

}  // namespace multi
