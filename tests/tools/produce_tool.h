#pragma once
// What the result-printing tools share: the command line
//
//   TOOL MODEL KIND MODE [--run SEED] [--save FILE]
//
// and the printing of what a program's result producer gives for one kind:
// mode 0 the messages of the check and its answer ("true" or "false"), mode
// 1 the drawing calls of a 640 x 480 chart on the recording canvas, one per
// line, mode 2 the text table, mode 3 the comma-separated lines. Exit
// status: 0 when the result was produced, 1 when the producer refused it, 2
// on a bad command line, a model that did not load, a failed run or save.
// Outside mode 0 messages go to standard error.

#include "chart/graph.h"
#include "chart/recording_canvas.h"
#include "chart/scale_info.h"

#include <functional>
#include <string>
#include <vector>

struct TProduceTool {
    const char* name = "";
    int highestKind = 0;
    std::vector<int> modes;  // the modes the tool prints
    // Loads MODEL; runs it with SEED; saves it with its results (none: no
    // --save). Each tells its own failure on standard error.
    std::function<bool(const std::string& model)> load;
    std::function<bool(const std::string& model, const std::string& seed)> run;
    std::function<bool(const std::string& file)> save;
    // The program's result producer.
    std::function<bool(TScaleInfo&, TGraph*, std::vector<std::string>*, int kind, int mode, bool warnFlag)> produce;
};

// Runs the tool on the command line; returns the exit status.
int RunProduceTool(const TProduceTool& tool, int argc, char** argv);

// One line of standard output per line.
void PrintLines(const std::vector<std::string>& lines);

// One line per recorded drawing call, with the pen, brush or font it used.
std::vector<std::string> DescribeCanvasCalls(const RecordingCanvas& canvas);
