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
#include "core/model_store.h"

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

// Replaces a model file safely with its lines (CR LF after each) and, with
// `withChartSettings`, writes the chart settings of every result kind to the
// side file beside it (extension "SCL"), unless that name is the model's
// own. Returns 0, or 7 after the warning "Error in saving to file: " and the
// name of the file that failed.
int WriteModelFileLines(const std::string& name, const std::vector<std::string>& lines, bool withChartSettings);

// The name up to and including the first "." of its last path component,
// then ext; a name without "." gets "." + ext; a name that begins with "."
// becomes ext. Folders in the path are left alone.
std::string ReplaceExtension(const std::string& fileName, const std::string& ext);

// Forces the settings this program does not edit back to their fixed values
// (population 1, catastrophes, dispersal, distance functions, management
// actions on population 1 only, and so on).
void RestrictModel(TCoravel& model);

// ---- the reader's parsers --------------------------------------------------

// Where a parser records that it failed and why; the load stops at the next
// check.
struct TReaderStatus {
    bool ok = true;
    std::string reason;
    void Fail(const std::string& why)
    {
        if (ok) reason = why;
        ok = false;
    }
};

// First character: '0' 'F' 'N' 'f' 'n' false; '1' 'T' 'Y' 't' 'y' true;
// anything else (empty too) fails with "Boolean error".
bool ParseBoolean(const std::string& text, TReaderStatus& status);
// "LO" .. "CA" exactly give 1 .. 7; anything else 0 ("EX"). A file that
// knows fewer types passes its highest (3 for "LO", "BH" and "CE" only).
std::uint8_t ParseDensityDependenceType(const std::string& code, int highestType = 7);
// The enumerated lines, decided by their first character upper-cased.
std::uint8_t ParseCatastropheExtent(const std::string& text, TReaderStatus& status);
std::uint8_t ParseCatastropheAffects(const std::string& text);
std::uint8_t ParseDdAffects(const std::string& text);
std::uint8_t ParseDistributionType(const std::string& text, TReaderStatus& status);
std::uint8_t ParseWhenBelow(const std::string& text, TReaderStatus& status);
std::uint8_t ParseCorrWithin(const std::string& text, TReaderStatus& status);
