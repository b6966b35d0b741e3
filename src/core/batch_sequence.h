#pragma once
// The unattended run that Strativa and Monovara share: load the model named
// on the command line, simulate it, save it with its results into the same
// file, and record each step in the batch log. The program gives the steps;
// the sequence, the log lines and the exit status are the same for both.

#include "core/run_progress.h"

#include <functional>
#include <string>

struct TBatchSteps {
    // The model file reader's code for the named model file.
    std::function<int()> Load;
    // Runs the loaded model to its end (no window, no stop).
    std::function<TRunEnd()> Run;
    // The model file writer's code for saving the model with its results.
    std::function<int()> Save;
    // The date and time texts the last run stored, "date time".
    std::function<std::string()> RunDateTime;
};

// Runs the sequence and returns the program's exit status: 0 when the model
// loaded (with or without its stored results), the run completed and the
// save succeeded; 1 for any failure the log records. A run that ends without
// results (the input check halted it, it was refused, an error broke it off)
// is not saved, so the file keeps what it held. The batch log must be open;
// it is closed at the end.
int RunBatchSequence(const TBatchSteps& steps);
