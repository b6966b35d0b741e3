#pragma once
// The results section of the age/stage model file: the blocks both model
// files share, then the final stage abundances, the local-extinction
// durations and the harvests.

#include "stage/model_store.h"
#include "sim/results_section.h"

#include <string>
#include <vector>

// The stored run's facts as the age/stage store keeps them.
TStoredRun StoredRunOf(const TCoravel& model);
void SetStoredRun(TCoravel& model, const TStoredRun& run);

// The shared blocks, then the final stage abundances (two or more stages),
// the local-extinction durations and the harvests.
int AppendResultsSection(const TCoravel& model, const TStoredRun& run, const std::string& fileName,
                         std::vector<std::string>& lines);

// As ReadSharedResults with the age/stage blocks; a section that loads sets
// the state to results and clears the inputs-changed mark.
int ReadResultsSection(TCoravel& model, TLineCursor& cursor, const TResultsGate& gate,
                       const std::string& fileName, TStoredRun& run, bool& loaded);
