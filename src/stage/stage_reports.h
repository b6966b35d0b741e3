#pragma once
// What the deterministic stage matrix of the current population implies,
// without a simulation: growth rate (lambda), stable stage distribution,
// reproductive values, average residence per stage, sensitivities and
// elasticities, and how the growth rate depends on abundance under the
// population's density dependence; and the text and comma-separated reports
// of the eigen-analysis.
//
// The current population is `selectedpop`. Its own row of initial stage
// abundances gives the initial distribution; no other population's data are
// read or changed. The store's scratch matrix `workmatrix` and
// `currentmatrix` keep the last analysis.

#include "chart/plot_buffer.h"
#include "stage/model_store.h"
#include "stage/stage_matrix.h"

#include <string>
#include <vector>

// Stage matrix of population p with the given multipliers (fecundities in
// row 1, survivals in rows 2..S), or with p's own multipliers.
TStageMatrix ReportWorkingMatrix(const TCoravel& model, int population, double survivalMultiplier,
                                 double fecundityMultiplier);
TStageMatrix ReportWorkingMatrix(const TCoravel& model, int population);

// The stage kinds (sensitivity 7, elasticity 8, both 9, rate of increase 14,
// reproductive value 15, initial 16 and stable 17 distribution, average
// residence 18): one point per stage s at index s - 1 with
//   PlotX stage number, PlotMin initial distribution, PlotUpper stable
//   distribution, PlotMax reproductive value (stage 1 = 1), PlotLower
//   average residence 1 / (1 - a(s,s)) (0 when a(s,s) >= 1: no end),
//   PlotMean[0] lambda of the working matrix.
// Kind 7 leaves the sensitivities in `workmatrix`, kind 8 the elasticities,
// the others the working matrix. Fewer than 2 stages: the information "Not a
// structured model." and false.
bool PrepareStageKinds(TCoravel& model, int kind, TPlotBuffer& buffer);

// Density-dependence curves of kinds 1 (growth rate against abundance) and 2
// (next abundance against abundance); other kinds are left alone (true).
// 50 points from 0.1 to 1.94 K (or 1.94 x the final K when K grows);
// PlotMean the growth rate, PlotMax the same at the last time step when K or
// the vital rates change (CurveVariant 3), PlotUpper[0..1] the initial point
// (lambda or next abundance, initial total). Kind 2 multiplies the curves by
// abundance and adds 1 to CurveVariant. A stage matrix that cannot meet the
// population's maximum growth rate gives false (with a warning when warnFlag).
bool PlotDensityDependence(TCoravel& model, int kind, TPlotBuffer& buffer, bool warnFlag);

// Title of the analysis and the list of model features it ignores; quoted
// for the comma-separated form. Needs the buffer of PrepareStageKinds. With
// fewer than 2 stages nothing is written (a warning when warnFlag).
void EigenReportHeader(std::vector<std::string>& lines, bool quoted, const TCoravel& model,
                       const TPlotBuffer& buffer, bool warnFlag);

// The whole report after PrepareStageKinds, header included: the matrix,
// lambda, the distribution table, elasticities and sensitivities. A lambda of
// 0, or reproductive values and stable distribution whose products sum to 0,
// give both tables as zeros with a note instead of a division by 0. Leaves the
// sensitivities in `workmatrix`.
void EigenReportText(std::vector<std::string>& lines, TCoravel& model, const TPlotBuffer& buffer, bool warnFlag);
void EigenReportCsv(std::vector<std::string>& lines, TCoravel& model, const TPlotBuffer& buffer, bool warnFlag);

// Notes written under a table that could not be computed.
inline constexpr const char* kZeroLambdaNote = "(lambda is 0: not computed; shown as 0)";
inline constexpr const char* kZeroProductNote =
    "(reproductive values times stable distribution sum to 0: not computed; shown as 0)";
