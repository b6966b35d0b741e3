#pragma once
// The layout every text and comma-separated result begins with: the
// program's results line with the run's date and time, a rule, the model's
// title and comments, the populations and replications lines, a rule and an
// empty line. In the comma-separated form each of these texts is one quoted
// field, so that a spreadsheet reads titles holding commas as one cell.

#include <string>
#include <vector>

struct TReportHeaderText {
    std::string program;            // e.g. "AGE/STAGE MODEL"
    std::string runDate = "00/00/0000";
    std::string runTime = "00:00:00";
    int ruleLength = 57;            // length of the "=" rules
    std::string title;
    std::vector<std::string> comments;  // one line each
    bool hasPopulationsLine = true;
    int populations = 0;
    int includedPopulations = 0;    // populations included in totals
    bool deterministic = false;     // "Deterministic simulation" instead of the count
    int replications = 0;
    int duration = 0;
    // Quoted form: false quotes only the texts (the results line, the title
    // and the comments) and leaves the rules and count lines bare.
    bool quoteEveryLine = true;
};

// Appends the header lines (quoted: each text line as a quoted field).
void AppendReportHeader(std::vector<std::string>& lines, const TReportHeaderText& header, bool quoted);

// A text line of a comma-separated result: the whole line as one quoted field
// when quoted, else as it is.
std::string HeaderLine(const std::string& text, bool quoted);

// The five column names of the statistics tables.
inline constexpr const char* kStatisticsColumns[] = {"Minimum", "-1 S.D.", "Average", "+1 S.D.", "Maximum"};
