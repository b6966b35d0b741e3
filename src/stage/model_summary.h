#pragma once
// How a model's settings read in the summaries the windows show.

#include <string>

// The name of a density-dependence type code 0..7 ("Exponential" ..
// "Ceiling-Allee"); empty for any other code.
std::string DensityDependenceTypeName(int code);

// The number of replications, followed by " (deterministic simulation)" when
// it is 0.
std::string ReplicationsText(int replications);
