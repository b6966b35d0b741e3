#pragma once
// The model file of the unstructured engine: reading a file into the model
// and writing the model back, with the results of the last run when they are
// present and still match the inputs, and the chart settings beside it in a
// side file (extension "SCL").
//
// The layout follows the age/stage model file: the same header scheme with a
// " map=" part naming the map-features file (the byte 0xFF when there is
// none), title and comments, Booleans written "TRUE"/"FALSE", population
// lines of comma-separated texts, the dispersal block, the thresholds, the
// shared results blocks and "-End of file-". Lines this engine does not use
// are written with fixed texts and overridden on reading. Files are 8-bit
// text; the reader accepts CR LF and LF, the writer writes CR LF, numbers
// always with ".". A save replaces the old file safely.
//
// Both programs on this engine use this one reader and writer: each passes
// the format of its own file (its header, and what follows the dispersal
// block). The result codes are those every model file shares
// (core/model_file_codes.h): 0 and 6, 9, 10 leave usable inputs; 1 and 2
// leave the model as it was; every other load code leaves it cleared at
// state 0.

#include "core/model_file_codes.h"
#include "multi/model_data.h"
#include "multi/validate_input.h"

#include <string>

namespace multi {

// What differs between the programs' files.
struct TModelFileFormat {
    // The first line up to its version's ")", e.g.
    // "Voran/Pelivo: rivedarulation (1.0)"; the version in the parentheses is
    // the newest the program reads.
    std::string header;
    // Another program's header recognised for a clearer message, and that
    // message; empty when the program names none.
    std::string foreignHeader;
    std::string foreignMessage;
    // After the dispersal block, both matrices are computed from the
    // distance functions (Calc_Matr).
    bool matricesFromDistances = true;
    // The input check run once the inputs are read.
    void (*validate)(TMultiModel&) = ValidateInput;
    // A file refused for its first line leaves the model in hand as it was,
    // results included; otherwise such a file clears it like any failure.
    bool keepModelOnRejectedHeader = false;
};

// The multi-population program's ".mp" file.
const TModelFileFormat& MultiPopulationFile();

// File, New of the map program: StartNewModel, then the dispersal and
// correlation matrices from the distance functions, as the reader makes them
// for every model it reads (empty distance texts become the defaults used),
// so that a new model is saved as it reads back.
void StartNewMapModel(TMultiModel& model);

// Reads a model file. The name is trimmed first; the status line shows the
// reader's progress. Every failure is reported once through the warning
// service: "Cannot open " + name (2), "File not loaded: " + the reason (3:
// "Not an input file" or the foreign header's message; 4: "Too many
// populations"; 5: "Error in reading input data", "Boolean error" or "Error
// in migration"), "Voran/Pelivo ver. 1.0 cannot read version " + version +
// " input files" (3). Out-of-range replications and durations are clamped
// with "Changing number of replications to " / "Changing duration to " and
// the limit. The thresholds and the time-bin width are read back from the
// lines before the results section or the end. A results section loads only
// when the inputs check out (state 1): then the state is 2, the
// inputs-changed mark is cleared, and with the side-file option (LOA) the
// chart settings are read from the "SCL" file. Otherwise codes 6, 9, 10 as
// the results section gives them.
int LoadModelFile(TMultiModel& model, const std::string& fileName,
                  const TModelFileFormat& format = MultiPopulationFile());

// Writes the model; the results section only when the state is 2 and the
// inputs are unchanged since the run, then the chart settings to the side
// file. Returns 0; 1 for an empty name; 2 "Cannot open " + name when the
// file cannot be created; 7 "Error in saving to file: " + name when writing
// failed (the old file stays as it was), or "Cannot save to " + name + ": "
// + reason + "." when a text holds a line break or a field a comma, which
// would corrupt the file on reading; 8 when the results were left out for
// lack of disk space (the inputs are saved).
int SaveModelFile(const TMultiModel& model, const std::string& fileName,
                  const TModelFileFormat& format = MultiPopulationFile());

}  // namespace multi
