#include "stage/survival_variation.h"

bool SpecialSurvivalVariationAllowed(const TCoravel& model) { return !model.ignoreconstraints && model.stages >= 3; }

void StoreSurvivalVariation(TCoravel& model, bool poolvar, bool negsurvcorr)
{
    if (model.poolvar != poolvar || model.negsurvcorr != negsurvcorr)
        InputsChanged = true;
    model.poolvar = poolvar;
    model.negsurvcorr = negsurvcorr;
}
