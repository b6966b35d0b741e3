#include "single/population_parameters.h"

#include "multi/population_editing.h"
#include "single/validate_input.h"

namespace single {

void StorePopulationParameters(multi::TMultiModel& model, const multi::PopulationRecord& record)
{
    multi::PopulationRecord& stored = model.Populations[1];
    if (multi::PopulationInputsDiffer(stored, record))
        model.InputsChanged = true;
    stored = record;
    ValidateInput(model);
}

}  // namespace single
