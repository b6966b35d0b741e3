#pragma once
// The result codes that every model file reader and writer of the suite
// gives (".st", ".mp" and ".sp" files), and that the batch run and the main
// windows act on.

// Result codes of the model file readers and writers. 0 and 6 leave usable
// inputs in the model (9 and 10 too: their results are ignored).
enum TModelFileCode : int {
    kModelFileOk = 0,
    kModelFileNoName = 1,          // empty file name
    kModelFileCannotOpen = 2,      // "Cannot open " + name
    kModelFileNotModel = 3,        // "Not an input file", or a version that cannot be imported
    kModelFileTooManyPops = 4,     // "Too many populations"
    kModelFileBadInput = 5,        // bad stage count or a read error in the inputs
    kModelFileBadResults = 6,      // inputs loaded, results section damaged
    kModelFileWriteFailed = 7,     // "Error in saving to file: " + name, or a text that cannot be written
    kModelFileNoSpace = 8,         // inputs saved, results left out for lack of disk space
    kModelFileTooManyRepl = 9,     // inputs loaded, results ignored (too many replications)
    kModelFileDurationTooLong = 10 // inputs loaded, results ignored (duration too large)
};
