#pragma once
// The check of an age/stage model before a run, a plot or a file operation,
// and the repair of stage matrices.

#include "stage/model_store.h"

#include <string>

// The smallest Rmax a scramble or contest population can be run with: with a
// smaller one the growth rate would rise with crowding, from Rmax when small
// to 1 at K.
inline constexpr double kSmallestRunRmax = 1.0;

// Checks the model and turns its texts into the numbers the engine uses. Every
// fault is listed with ReportInvalidInput and leaves the state at 0; a state
// of 0 on return means the model cannot be run. Also derives each
// population's multiplier for a growth rate of 1 (Info.ddmultiplier) and each
// management action's comparison threshold (ManagementRecord.thresholdn).
void ValidateInput(TCoravel& model);

// Repairs stage matrix m (no negative rates, survivals at most 1, survival
// column sums at most 1) and says what was repaired.
void CheckStageMatrix(TCoravel& model, int m);
void CheckAllStageMatrices(TCoravel& model);

// State 0 and the line "Invalid input: " + what + " (" + number + ")" in the
// run window's warnings; in batch mode the line also goes to the batch log, so
// the log says why a run did not happen.
void ReportInvalidInput(TCoravel& model, const std::string& what, int number);

// Forgets every remembered multiplier for a growth rate of 1, so the next
// ValidateInput computes them all afresh (File New and tests; never needed
// for correctness, since the memory is keyed on everything the multiplier
// depends on).
void ForgetRateMultipliers();
