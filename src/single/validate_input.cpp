#include "single/validate_input.h"

#include "multi/validate_input.h"

namespace single {

void ValidateInput(multi::TMultiModel& model)
{
    multi::TInputCheckRules rules;
    rules.namePopulation = false;
    rules.checkTrendInK = false;
    multi::ValidateInput(model, rules);
}

}  // namespace single
