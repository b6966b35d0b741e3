#pragma once
// Stages added, deleted and moved in the Stages editor: every value that a
// stage indexes follows its stage to the stage's new place.

#include "stage/model_store.h"

#include <string>
#include <vector>

// `oldNumbers[i - 1]` is the number that the stage now at place i had before
// (0 for a stage added). Moves the rows and columns of every stage matrix and
// standard-deviation matrix, every population's initial abundances and every
// management action's first and last stage (exchanged when they end up the
// wrong way round); values of deleted stages go, added stages start at 0.
// Then the model has oldNumbers.size() stages. When a stage was added,
// deleted or moved, stage matrix 1 is marked as changed, the inputs are
// marked as changed (results made before no longer fit), and the answer is
// true.
bool ReindexStages(TCoravel& model, const std::vector<int>& oldNumbers);

// The first management action whose first or last stage is `stage`, or 0.
int ActionReferringToStage(const TCoravel& model, int stage);

// Why a stage that management action `action` refers to cannot be deleted.
std::string StageDeleteRefusal(int action);
