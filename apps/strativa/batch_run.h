#pragma once
// The unattended run of Strativa: load the model named on the command line,
// simulate it, save it with its results into the same file, and record each
// step in the batch log.

// Runs the whole sequence and returns the program's exit status: 0 when the
// model loaded (with or without its stored results), the run completed and
// the save succeeded; 1 otherwise. A run that fails with an error leaves the
// file as it was. The batch log must be open; it is closed at the end.
int BatchRun();
