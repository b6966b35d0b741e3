#pragma once
// What the age/stage command-line tools share: a model store as the program
// sizes it, loading a model file and running it with a fixed seed; the
// printing of results is produce_tool's. Failures are told on standard
// error, named by the tool.

#include "produce_tool.h"

#include <string>

// The model store sized from the configuration's limits, with the run's
// results in main memory.
void PrepareStageModelStore();

// Loads a ".st" model (with its results section, when it has one). False
// when it does not load.
bool LoadStageModel(const char* tool, const std::string& model);

// Runs the loaded model with the random seed. False when the run does not
// complete.
bool RunStageModel(const char* tool, const std::string& model, const std::string& seed);
