#pragma once
// Line, field and number handling shared by the model file readers and
// writers and their results sections: a cursor over the file's lines that
// also reads free-format numbers across line ends, comma-separated fields,
// the fixed number layouts of the files, and the check that a text can be
// written verbatim. Numbers are always written and read with "." whatever
// the locale. Also the parsers the readers share (Booleans, density-
// dependence codes) and the safe write of a model file's lines.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Reads a file's lines in order. Numbers are read as blank-separated tokens
// from the current line, going on to the following lines when it runs out;
// a whole-line read first drops whatever is left of the current line.
class TLineCursor {
public:
    explicit TLineCursor(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    // The next whole line; false at the end of the file.
    bool ReadLine(std::string& line);
    // The next blank-separated token, going on to the following lines when
    // the current one runs out; false at the end of the file.
    bool ReadToken(std::string& token);
    // The next number token; false at the end of the file or when the token
    // is not a finite number (the token is consumed either way).
    bool ReadNumber(double& value);
    // Drops the rest of the line that numbers were being read from.
    void EndLine();
    bool AtEnd() const { return next_ >= lines_.size() && !inLine_; }

private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;     // index of the next line not yet started
    bool inLine_ = false;      // numbers are being read from current_
    std::string current_;
    std::size_t pos_ = 0;
};

// A number as the file writes it, "." always: optional sign, digits with an
// optional "." and exponent; no blanks. False for anything else.
bool ParseFileNumber(const std::string& text, double& value);

// x right-aligned in at least `width` characters with `decimals` decimals
// (the w:d layout of the file).
std::string FixedText(double x, int width, int decimals);

// The default real layout: a sign position (blank or "-"), one digit, "."
// and 14 decimals, "E", the exponent's sign and four digits.
std::string ScientificText(double x);

// x in scientific layout in a field of `width` characters, one decimal.
std::string ShortScientificText(double x, int width);

// The single value a short number text (FloatToShortText) stands for, so
// that writing it again gives the same text. A text written just below a
// boundary of the layouts reads, as a plain number, as a value on the other
// side ("1000.0", written for 999.96, is 1000, which is written "1000"); it
// then gives the value next to the boundary that the text was written from.
// Texts no value is written as (hand-edited ones, "5") give their plain
// value. False when the text is not a number.
bool ParseShortText(const std::string& text, float& value);

// Rounds to the nearest integer, halves to even, kept within a 32-bit count.
int RoundToInt32(double x);

// The replications or the duration line of a model file: a number not
// below `lowest`, rounded; above `highest` it becomes `highest` with the
// input warning `warning` followed by that limit; anything else gives
// `lowest`. `exact` tells whether the line held a whole number within the
// limits as it stands (results written for other counts do not fit).
int CountFromLine(const std::string& line, int lowest, int highest, const std::string& warning, bool& exact);

// A number read from a file as a single, kept within the single range.
float ClampToSingle(double v);

// The fields of a comma-separated line, in order: n commas give n + 1
// fields (a line that ends with a comma ends with an empty field).
std::vector<std::string> SplitCommas(const std::string& line);

// "TRUE" or "FALSE", as the model files write Booleans.
const char* BooleanText(bool value);

// A text that would break a file's layout if written verbatim: the writer
// refuses it rather than corrupt the file silently. `reason` names the text
// and the fault ("the title contains a line break").
struct TSaveRefused {
    std::string reason;
};
// A text that fills a line of its own: no line break.
void CheckLineText(const std::string& text, const std::string& what);
// A field of a comma-separated line: no line break and no comma.
void CheckFieldText(const std::string& text, const std::string& what);

// ---- the readers' shared parsers ------------------------------------------

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
// The stored code of a type's file code, matched exactly; anything else is
// exponential. A file that names no Allee effect passes `withAllee` false, and
// then an Allee type's code reads as exponential too.
std::uint8_t ParseDensityDependenceType(const std::string& code, bool withAllee = true);

// ---- writing a model file -------------------------------------------------

// Why a model cannot be saved under `name`, found before anything is
// written, as the message to give: "Cannot open " + name for a folder or a
// name in a folder that does not exist; for a file that may not be written,
// or a folder where the new file cannot be made, "Cannot save to " + name +
// ": " + the reason (SaveBlockReason) + ". The model was not saved.". Empty
// when it can be saved. The writers give code 2 (kModelFileCannotOpen) for it.
std::string ModelSaveRefusal(const std::string& name);

// Replaces a model file safely with its lines (CR LF after each) and, with
// `withChartSettings`, writes the chart settings of every result kind to the
// side file beside it (ReplaceExtension with "SCL"), unless that name is the
// model's own. Returns 0, or 7 after the warning "Error in saving to file: "
// and the name of the file that failed (for a side file that may not be
// written, "Cannot save to " + its name + ": " + the reason + ".").
int WriteModelFileLines(const std::string& name, const std::vector<std::string>& lines, bool withChartSettings);

// The name with its last extension (from the last "." of its last path
// component) replaced by ext; a name without "." gets "." + ext; a name whose
// only "." is its first character becomes ext. Folders in the path are left
// alone.
std::string ReplaceExtension(const std::string& fileName, const std::string& ext);
