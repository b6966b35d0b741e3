#pragma once
// The special random variation of survival rates: none, pooled variance for
// survivals, or negative correlation for survivals above 0.5. Both special
// choices need the stage-matrix constraints in effect and at least 3 stages.

#include "stage/model_store.h"

bool SpecialSurvivalVariationAllowed(const TCoravel& model);

// Stores the choice; a flag that changes sets the inputs-changed flag.
void StoreSurvivalVariation(TCoravel& model, bool poolvar, bool negsurvcorr);
