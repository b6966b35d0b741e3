#include "sim/file_text.h"

#include "chart/scale_file.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/messages.h"
#include "core/model_file_codes.h"
#include "core/str_utilx.h"
#include "sim/density_types.h"

#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// "E+0012" style: the exponent of a printf "%E" text widened to four digits.
std::string WidenExponent(std::string text)
{
    const std::size_t e = text.find('E');
    if (e == std::string::npos || e + 2 > text.size()) return text;
    std::string digits = text.substr(e + 2);
    while (digits.size() < 4) digits.insert(digits.begin(), '0');
    return text.substr(0, e + 2) + digits;
}

}  // namespace

bool TLineCursor::ReadLine(std::string& line)
{
    inLine_ = false;
    if (next_ >= lines_.size()) return false;
    line = lines_[next_++];
    return true;
}

bool TLineCursor::ReadToken(std::string& token)
{
    for (;;) {
        if (inLine_) {
            while (pos_ < current_.size() && IsBlank(current_[pos_])) ++pos_;
            if (pos_ < current_.size()) break;
            inLine_ = false;
        }
        if (next_ >= lines_.size()) return false;
        current_ = lines_[next_++];
        pos_ = 0;
        inLine_ = true;
    }
    const std::size_t start = pos_;
    while (pos_ < current_.size() && !IsBlank(current_[pos_])) ++pos_;
    token = current_.substr(start, pos_ - start);
    return true;
}

bool TLineCursor::ReadNumber(double& value)
{
    std::string token;
    return ReadToken(token) && ParseFileNumber(token, value);
}

void TLineCursor::EndLine() { inLine_ = false; }

bool ParseFileNumber(const std::string& text, double& value)
{
    if (text.empty()) return false;
    std::size_t i = 0;
    if (text[0] == '+' || text[0] == '-') i = 1;
    std::size_t digits = 0;
    std::size_t j = i;
    while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j, ++digits;
    if (j < text.size() && text[j] == '.') {
        ++j;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j, ++digits;
    }
    if (digits == 0) return false;
    if (j < text.size() && (text[j] == 'e' || text[j] == 'E')) {
        ++j;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        std::size_t expDigits = 0;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j, ++expDigits;
        if (expDigits == 0) return false;
    }
    if (j != text.size()) return false;
    double v = 0;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    auto [end, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || end != last || !std::isfinite(v)) return false;
    value = text[0] == '-' ? -v : v;
    return true;
}

std::string FixedText(double x, int width, int decimals)
{
    char buf[400];
    std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, x);
    return buf;
}

std::string ScientificText(double x)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14E", x);
    std::string text = WidenExponent(buf);
    return x < 0 || std::signbit(x) ? text : " " + text;
}

std::string ShortScientificText(double x, int width)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1E", x);
    std::string text = WidenExponent(buf);
    if (!(x < 0)) text = " " + text;
    if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

bool ParseShortText(const std::string& text, float& value)
{
    double plain = 0;
    if (!ParseFileNumber(text, plain)) return false;
    const float near = plain > FLT_MAX ? FLT_MAX : plain < -FLT_MAX ? -FLT_MAX : static_cast<float>(plain);
    value = near;
    if (FloatToShortText(near) == text) return true;
    // Where the layout changes: the exponent form below 0.001, four decimals
    // below 1, the decimals of 1 to 1000 falling at e^2.33 and e^4.66, no
    // decimals from 1000 and the exponent form again from 1e9. The change
    // lies within a few steps of the nearest single to each boundary.
    static const double kBoundaries[] = {0.001, 1.0, std::exp(2.33), std::exp(4.66), 1000.0, 1e9};
    bool found = false;
    for (double boundary : kBoundaries) {
        float below = static_cast<float>(boundary);
        for (int k = 0; k < 4; ++k) below = std::nextafter(below, 0.0f);
        float x = below;
        for (int k = 0; k < 9; ++k, x = std::nextafter(x, FLT_MAX)) {
            if (FloatToShortText(x) != text) continue;
            if (!found || std::fabs(static_cast<double>(x) - plain) < std::fabs(static_cast<double>(value) - plain))
                value = x;
            found = true;
        }
    }
    return true;
}

int RoundToInt32(double x)
{
    if (std::isnan(x)) return 0;
    const double r = std::nearbyint(x);
    if (r >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<int>(r);
}

float ClampToSingle(double v)
{
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(v);
}

std::vector<std::string> SplitCommas(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return fields;
}

const char* BooleanText(bool value) { return value ? "TRUE" : "FALSE"; }

void CheckLineText(const std::string& text, const std::string& what)
{
    if (text.find_first_of("\r\n") != std::string::npos) throw TSaveRefused{what + " contains a line break"};
}

void CheckFieldText(const std::string& text, const std::string& what)
{
    CheckLineText(text, what);
    if (text.find(',') != std::string::npos) throw TSaveRefused{what + " contains a comma"};
}

int CountFromLine(const std::string& line, int lowest, int highest, const std::string& warning, bool& exact)
{
    const std::string text = TrimBlanks(line);
    long whole = 0;
    exact = TextToInt(text, whole) && whole >= lowest && whole <= highest;
    double v = 0;
    if (!ParseFileNumber(text, v) || v < lowest) return lowest;
    if (std::nearbyint(v) > highest) {
        InputWarning(warning + std::to_string(highest));
        return highest;
    }
    return RoundToInt32(v);
}

bool ParseBoolean(const std::string& text, TReaderStatus& status)
{
    const char c = text.empty() ? '\0' : text[0];
    switch (c) {
    case '0': case 'F': case 'N': case 'f': case 'n': return false;
    case '1': case 'T': case 'Y': case 't': case 'y': return true;
    default: status.Fail("Boolean error"); return false;
    }
}

std::uint8_t ParseDensityDependenceType(const std::string& code, bool withAllee)
{
    const TDensityType* type = FindDensityTypeCode(code);
    if (!type || (type->allee && !withAllee)) return DensityTypeCode(DDType::EX);
    return DensityTypeCode(type->type);
}

std::string ReplaceExtension(const std::string& fileName, const std::string& ext)
{
    std::size_t nameStart = 0;
    for (std::size_t i = 0; i < fileName.size(); ++i)
        if (IsPathSeparator(fileName[i])) nameStart = i + 1;
    const std::string folder = fileName.substr(0, nameStart);
    const std::string name = fileName.substr(nameStart);
    // Only the last extension goes: models named alike up to a later dot
    // ("f_R1.1.sp", "f_R1.5.sp") each keep a side file of their own.
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return folder + name + "." + ext;
    if (dot == 0) return folder + ext;
    return folder + name.substr(0, dot + 1) + ext;
}

std::string ModelSaveRefusal(const std::string& name)
{
    const std::string path = NativePath(name);
    const TSaveBlock block = FindSaveBlock(path);
    if (block == TSaveBlock::None) return {};
    if (block == TSaveBlock::CannotOpen) return "Cannot open " + name;
    return "Cannot save to " + name + ": " + SaveBlockReason(block, path) + ". The model was not saved.";
}

int WriteModelFileLines(const std::string& name, const std::vector<std::string>& lines, bool withChartSettings)
{
    const std::string path = NativePath(name);
    if (!WriteFileSafely(path, JoinCrlf(lines))) {
        InputWarning("Error in saving to file: " + name);
        return kModelFileWriteFailed;
    }
    // A model whose own name is its side file's name (say "run.scl") keeps
    // its file: the chart settings would replace the model just saved.
    const std::string sideFile = ReplaceExtension(name, "SCL");
    const std::string sidePath = NativePath(sideFile);
    if (withChartSettings && !IsSameFile(path, sidePath) && !WriteScaleFile(sidePath)) {
        const std::string reason = SaveBlockReason(FindSaveBlock(sidePath), sidePath);
        InputWarning(reason.empty() ? "Error in saving to file: " + sideFile
                                    : "Cannot save to " + sideFile + ": " + reason + ".");
        return kModelFileWriteFailed;
    }
    return kModelFileOk;
}
