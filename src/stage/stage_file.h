#pragma once
// The age/stage model file (".st"): reading a file into the model store and
// writing the store back, with the results of the last run when they are
// present and still match the inputs, and the chart settings beside it in a
// side file (extension "SCL").
//
// Files are 8-bit text; the reader accepts CR LF and LF line ends, the writer
// writes CR LF and numbers with "." whatever the locale. A save replaces the
// old file safely: a failed save leaves it as it was.

#include "core/model_file_codes.h"
#include "stage/model_store.h"
#include "sim/file_text.h"

#include <cstdint>
#include <string>
#include <vector>


inline constexpr const char* kModelHeader = "Voran/Pelivo: age and stage structure (3.0)";
inline constexpr int kModelVersion = 30;

// Reads a model file into the store (mode 0, the only mode, replaces the
// model). The name is trimmed first. Messages go to the input-warning
// service; a load that fails leaves the store cleared at state 0. After every
// attempt the model is restricted to the settings this program edits.
int LoadModelFile(TCoravel& model, const std::string& fileName, int mode = 0);

// Checks the model (ValidateInput), then writes it; the results section only
// when the state is results and the inputs are unchanged since the run, and
// then the chart settings to the side file.
int SaveModelFile(TCoravel& model, const std::string& fileName);

// Forces the settings this program does not edit back to their fixed values
// (population 1, catastrophes, dispersal, distance functions, management
// actions on population 1 only, and so on).
void RestrictModel(TCoravel& model);

// ---- the reader's parsers --------------------------------------------------

// The enumerated lines, decided by their first character upper-cased.
std::uint8_t ParseCatastropheExtent(const std::string& text, TReaderStatus& status);
std::uint8_t ParseCatastropheAffects(const std::string& text);
std::uint8_t ParseDdAffects(const std::string& text);
std::uint8_t ParseDistributionType(const std::string& text, TReaderStatus& status);
std::uint8_t ParseWhenBelow(const std::string& text, TReaderStatus& status);
std::uint8_t ParseCorrWithin(const std::string& text, TReaderStatus& status);
