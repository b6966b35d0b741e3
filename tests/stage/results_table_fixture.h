#pragma once
// A fixed plot buffer and model for the result-table tests: three points,
// two populations (one named with a comma, one with a long name).

#include "report_model.h"
#include "stage/results_writer.h"

#include <string>
#include <vector>

struct TTableFixture {
    std::unique_ptr<TCoravel> model = MakeReportModel();
    TPlotBuffer buffer;
    TRunFacts run{100, "01/02/2026", "10:11:12"};

    TTableFixture()
    {
        TCoravel& m = *model;
        m.state = kStateResults;
        m.replications = 100;
        m.comments[1] = "First comment, with a comma";
        m.populations[1].name = "Smith, east";
        m.populations[2].name = "Northern population";
        m.populations[1].intotal = true;
        m.populations[2].intotal = false;
        m.extthreshold = 12.5f;
        m.runstats[1] = 40;   // cumulative harvest: mean, SD, minimum, maximum
        m.runstats[2] = 5;
        m.runstats[3] = 30;
        m.runstats[4] = 52.5f;
        buffer.StartCall();
        buffer.SetPointCount(3);
        const float x[] = {1, 2, 3};
        for (int i = 0; i < 3; ++i) {
            buffer.PlotX[i] = x[i];
            buffer.PlotMean[i] = 100.125f + i;   // a tie: rounds up
            buffer.PlotMin[i] = 0.5f * i;
            buffer.PlotMax[i] = 200 + i;
            buffer.PlotUpper[i] = 150.25f + i;
            buffer.PlotLower[i] = 50.75f + i;
        }
        buffer.PlotMin[1] = 2.25f;   // the median of the crossing kinds
    }

    TScaleInfo Settings(int kind) const
    {
        TScaleInfo s;
        s.Title = "Result";
        s.XLabel = "Time step (years)";
        s.YLabel = "Abundance";
        s.Index = kind == 21 ? 5 : 0;
        return s;
    }

    // The tables of kinds 1, 20, 21, 26 and 32, one after the other.
    std::vector<std::string> Tables(bool csv)
    {
        std::vector<std::string> lines;
        for (int kind : {1, 20, 21, 26, 32}) {
            if (csv)
                WriteResultTableCsv(Settings(kind), kind, lines, *model, buffer, run, nullptr);
            else
                WriteResultTableText(Settings(kind), kind, lines, *model, buffer, run, nullptr);
        }
        return lines;
    }
};
