#include "chart/result_tables.h"

#include "chart/text_format.h"

std::string HeaderLine(const std::string& text, bool quoted) { return quoted ? CsvQuoted(text) : text; }

void AppendReportHeader(std::vector<std::string>& lines, const TReportHeaderText& h, bool quoted)
{
    const std::string rule(static_cast<std::size_t>(h.ruleLength < 0 ? 0 : h.ruleLength), '=');
    const bool quoteCounts = quoted && h.quoteEveryLine;
    lines.push_back(HeaderLine(h.program + " results; Date=" + h.runDate + " Time=" + h.runTime, quoted));
    lines.push_back(HeaderLine(rule, quoteCounts));
    lines.push_back(HeaderLine(h.title, quoted));
    for (const std::string& comment : h.comments)
        lines.push_back(HeaderLine(comment, quoted));
    if (h.hasPopulationsLine)
        lines.push_back(HeaderLine(FormatText("%5d populations (%d included in summation)",
                                              {h.populations, h.includedPopulations}),
                                   quoteCounts));
    const std::string runs =
        h.deterministic ? std::string("Deterministic simulation") : FormatText("%5d replications", {h.replications});
    lines.push_back(HeaderLine(runs + ";  Duration = " + std::to_string(h.duration), quoteCounts));
    lines.push_back(HeaderLine(rule, quoteCounts));
    lines.push_back("");
}
