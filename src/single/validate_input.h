#pragma once
// The check of the one population's parameters: the multi-population check
// with faults that name no population ("Invalid input parameter: " and the
// parameter's name in double quotes) and no check of the change in K, which
// this program offers no way to type: a text that is not a number there
// counts as no change.

#include "multi/model_data.h"

namespace single {

void ValidateInput(multi::TMultiModel& model);

}  // namespace single
