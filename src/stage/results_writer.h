#pragma once
// The age/stage program's result writers: the report header every text and
// comma-separated result begins with ("AGE/STAGE MODEL"), the aligned text
// tables (mode 2) and the comma-separated tables (mode 3) of every result
// kind, and the chart context its chart writers draw with.
//
// The writers append to the lines and never clear them; they read the plot
// buffer the producer has filled and never change the caller's settings.

#include "chart/plot_buffer.h"
#include "chart/result_writers.h"
#include "chart/scale_info.h"
#include "stage/model_store.h"
#include "stage/catastrophe_summary.h"

#include <string>
#include <vector>

// What the last run left besides the store's result arrays.
struct TRunFacts {
    int replicationCount = 0;           // replications the last run completed
    std::string runDate = "00/00/0000"; // the run's date and time texts
    std::string runTime = "00:00:00";
};

// The chart context of the age/stage result kinds (the interval and terminal
// extinction-risk and percent-decline curves report the share that reached 0).
TResultChart StageResultChart(const TPlotBuffer& buffer, int replicationCount);

// Header lines; for kinds other than the stage-matrix analyses (7..9,
// 14..18) followed by the chart title with its kind's suffix and an empty
// line. Quoted: each text line one quoted field. Stores the number of
// populations included in totals in `totalpops`.
void ReportHeader(const TScaleInfo& settings, int kind, std::vector<std::string>& lines, bool quoted,
                  TCoravel& model, const TRunFacts& run);

// Mode 2 and mode 3 tables of a kind. Kind 10 writes the catastrophe summary
// (which runs `check` on the model); kinds 9 and 14..18 write the header only
// (the producer appends the stage-matrix report). Every number of a
// comma-separated row carries at least the decimals the text table shows for
// it, and its header names each column once.
void WriteResultTableText(const TScaleInfo& settings, int kind, std::vector<std::string>& lines, TCoravel& model,
                          const TPlotBuffer& buffer, const TRunFacts& run, TInputCheck check);
void WriteResultTableCsv(const TScaleInfo& settings, int kind, std::vector<std::string>& lines, TCoravel& model,
                         const TPlotBuffer& buffer, const TRunFacts& run, TInputCheck check);
