#pragma once
// Result kinds and their chart settings.
//
// Every chart or table a program can show is a numbered result kind. Each
// program has one fixed table of kinds: a key name (used in the side file)
// and the default chart settings a result window starts from. The running
// program keeps a mutable copy, DefaultScaleInfo, which the Chart Properties
// dialog and side files change for as long as the program runs.

#include <string>
#include <string_view>
#include <vector>

// Chart settings of one result kind.
struct TScaleInfo {
    std::string Title;
    int Index = 0;            // a selector the result producer may use
    std::string XLabel;
    std::string YLabel;
    double XMinimum = 0;      // axis limits used when AutoScale is off
    double YMinimum = 0;
    double XMaximum = 0;
    double YMaximum = 0;
    bool AutoScale = true;    // limits come from the data
    bool ShowAll = true;      // kept and stored; shown by no dialog
    double XTicSpace = 0;     // tic spacing, 0 = automatic
    double YTicSpace = 0;
    bool operator==(const TScaleInfo&) const = default;
};

// One row of a program's built-in kind table.
struct TPlotKind {
    std::string Name;         // key name in the side file
    TScaleInfo Default;
};

// Which program's table.
enum class TKindTable { Strativa, Plurimod, Monovara };

// The built-in tables: 34, 12 and 6 kinds; kind 0 is "Null" (none).
const std::vector<TPlotKind>& StrativaPlotKinds();
const std::vector<TPlotKind>& PlurimodPlotKinds();
const std::vector<TPlotKind>& MonovaraPlotKinds();
const std::vector<TPlotKind>& PlotKinds(TKindTable table);
// The highest kind number (33, 11, 5).
int HighestPlotKind(TKindTable table);
// The default settings of every kind, in kind order.
std::vector<TScaleInfo> BuiltInScaleInfo(TKindTable table);

// Case-insensitive match against the key names; 0 when none matches.
int PlotKindFromName(TKindTable table, std::string_view name);
// The key name of a kind; empty for a number outside the table.
std::string PlotKindName(TKindTable table, int kind);

// ---- the running program's table ------------------------------------------

// Chooses the running program's table and resets DefaultScaleInfo to its
// built-in rows. Until called, the table is Strativa's.
void SelectKindTable(TKindTable table);
TKindTable CurrentKindTable();

// The running program's settings, indexed by kind.
extern std::vector<TScaleInfo> DefaultScaleInfo;

// Puts the built-in rows of the running program's table back. The settings
// belong to the model the user works on: a new model, or one opened without
// chart settings of its own, starts from the built-in ones.
void RestoreBuiltInScaleInfo();

int PlotKindFromName(std::string_view name);
std::string PlotKindName(int kind);
