#pragma once
// The check of an age/stage model before a run, a plot or a file operation,
// and the repair of stage matrices.

#include "core/model_store.h"

#include <string>

// Checks the model and turns its texts into the numbers the engine uses. Every
// fault is listed with ReportInvalidInput and leaves the state at 0.
void ValidateInput(TCoravel& model);

// Repairs stage matrix m (no negative rates, survivals at most 1, survival
// column sums at most 1) and says what was repaired.
void CheckStageMatrix(TCoravel& model, int m);
void CheckAllStageMatrices(TCoravel& model);

// State 0 and the line "Invalid input: " + what + " (" + number + ")" in the
// run window's warnings.
void ReportInvalidInput(TCoravel& model, const std::string& what, int number);
