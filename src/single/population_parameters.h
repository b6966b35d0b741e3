#pragma once
// What the parameter dialog of the single-population program writes into
// the model: the edited record of the one population (population 1), the
// inputs-changed mark only when a value a run uses really changed, and the
// input check that converts the texts and reports what fails.

#include "multi/model_data.h"

namespace single {

// Writes `record` over population 1 and runs the input check. The inputs
// count as changed when the record differs from the stored one in a value a
// run uses (a name alone is no change); an unchanged record leaves the mark
// as it was.
void StorePopulationParameters(multi::TMultiModel& model, const multi::PopulationRecord& record);

}  // namespace single
