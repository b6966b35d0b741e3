#pragma once
// The population map: the landscape of the model's map-features file with
// every population on it as a filled circle whose area grows with its
// carrying capacity and whose shade shows how full it is, lines between
// populations that exchange dispersers, and the population names.
//
// The main window draws it from the model's parameter texts; the simulation
// window, while a run is in progress, from the run's current abundances and
// step counters:
//
//     DrawPopulationMap(canvas, area, Model, modelFileName);
//     if (const TMultiRun* run = ActiveRun()) {
//         const TMapRunValues live{run->Abundance, run->StepCounter};
//         DrawPopulationMap(canvas, area, Model, modelFileName, &live);
//     }
//
// Run values need the model's converted parameters (CarryingCapacity,
// TrendInK), which a run has made; after the run has ended they are not
// available and the window draws from the texts again.

#include "chart/canvas.h"
#include "core/one_based.h"
#include "multi/landscape_map.h"
#include "multi/model_data.h"

#include <string>
#include <vector>

namespace multi {

// The running simulation's current state, population 1..PopCount.
struct TMapRunValues {
    const IntVector& Abundance;    // current abundance
    const IntVector& StepCounter;  // time steps of the replication so far
};

// Colours (palette indexes) and the circle-size factor of the map.
struct TMapStyle {
    int CircleColour = 10;  // the fill of a full population
    int NameColour = 5;
    int LinkColour = 4;
    double CircleSizeFactor = 1;
};

// The program's map style: the first three chart colour codes of the
// configuration and a circle-size factor of 1.
TMapStyle ProgramMapStyle();

// Where everything lands on a map of width x height pixels, with (0, 0) at
// its top left corner. Arrays are indexed 1..PopCount. Every circle, at the
// largest size it reaches in the run, lies inside the map: where the margins
// around the populations are too narrow for one at the edge, the scale is
// made smaller and the origin moved as far as that needs.
struct TPopulationMapLayout {
    int Width = 0, Height = 0;
    // The landscape is drawn with this origin, offsets and scale: map point
    // (x, y) at (OriginX + (x - XMin) x Scale, OriginY + (y - YMin) x Scale).
    int OriginX = 0, OriginY = 0;
    double XMin = 0, YMin = 0;
    double Scale = 1;         // pixels per map unit, on both axes
    double CircleFactor = 0;  // circle diameter per square root of the size
    std::vector<double> X, Y;        // circle centres
    std::vector<double> Size;        // K plus its trend so far
    std::vector<double> Diameter;    // 0 when the size is at most 1
    std::vector<double> Abundance;

    TMapPlacement Placement(int left, int top) const;
};

// The values the drawing uses for population i: K, its trend and the
// abundance, from the run when `run` is given, else from the texts (K from
// the initial abundance for exponential growth); texts that are not numbers
// count as 0.
double MapCarryingCapacity(const TMultiModel& model, int i, const TMapRunValues* run);
double MapTrendInK(const TMultiModel& model, int i, const TMapRunValues* run);
double MapAbundance(const TMultiModel& model, int i, const TMapRunValues* run);

TPopulationMapLayout LayoutPopulationMap(const TMultiModel& model, const TMapRunValues* run, int width,
                                         int height, double circleSizeFactor);

// Draws the map into `area` of the canvas: the area filled with the
// canvas's brush, the landscape (through `cache`, which may be null), the
// links, the circles and the names, all clipped to the area. The canvas's
// state is left as it was. Returns the layout drawn and, in `landscape`, what
// the landscape drawing found.
TPopulationMapLayout DrawPopulationMap(TCanvas& canvas, const TRect& area, const TMultiModel& model,
                                       const std::string& modelFileName, const TMapRunValues* run = nullptr,
                                       const TMapStyle& style = ProgramMapStyle(),
                                       TLandscapeCache* cache = &ProgramLandscapeCache(),
                                       TLandscapeOutcome* landscape = nullptr);

}  // namespace multi
