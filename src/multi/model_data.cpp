#include "multi/model_data.h"

#include "multi/messages.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <utility>

namespace multi {

TMultiModel Model;

namespace {

void CheckLimits(const TMultiLimits& limits)
{
    auto inRange = [](int value, int low, int high) { return value >= low && value <= high; };
    if (!inRange(limits.MaxPops, 1, kMaxMatrixRows) || !inRange(limits.MaxDuration, 1, kMaxMatrixCols) ||
        !inRange(limits.MaxReplications, 1, kMaxVectorLength) || !inRange(limits.MaxStages, 1, kMaxStages))
        throw std::invalid_argument("Model limits out of range");
}

}  // namespace

void AllocateModel(TMultiModel& model, const TMultiLimits& limits)
{
    CheckLimits(limits);
    TMultiModel fresh;
    fresh.MaxPops = NewRecordArray("populations", fresh.Populations, limits.MaxPops);
    fresh.MaxDuration = limits.MaxDuration;
    fresh.MaxReplications = limits.MaxReplications;
    fresh.MaxStages = limits.MaxStages;
    const int P = fresh.MaxPops;
    const int T = fresh.MaxDuration;
    const int R = fresh.MaxReplications;

    fresh.InitialAbundance.Allocate(P);
    for (SingleVector* v : {&fresh.GrowthRate, &fresh.DispersalSlope, &fresh.CarryingCapacity, &fresh.TrendInK,
                            &fresh.StdDevOfR, &fresh.LocalOccupancyMean, &fresh.LocalOccupancyStdDev,
                            &fresh.LocalOccupancyMin, &fresh.LocalOccupancyMax, &fresh.SurvivalRate})
        v->Allocate(P);
    fresh.CorrelationMatrix.AllocateTriangular(P);
    fresh.DispersalMatrix.Allocate(P, P);
    for (SingleVector* v : {&fresh.ReplicationMin, &fresh.ReplicationMax, &fresh.ReplicationFinal})
        v->Allocate(R);
    for (SingleVector* v : {&fresh.TotalMean, &fresh.TotalStdDev, &fresh.TotalMin, &fresh.TotalMax,
                            &fresh.OccupancyMean, &fresh.OccupancyStdDev, &fresh.OccupancyMin,
                            &fresh.OccupancyMax})
        v->Allocate(T);
    fresh.PopMean.Allocate(P, T);
    fresh.PopStdDev.Allocate(P, T);
    fresh.PopMin.Allocate(P, T);
    fresh.PopMax.Allocate(P, T);

    fresh.ModelState = kStateEmpty;
    fresh.InputsChanged = false;
    NewModel(fresh);
    model = std::move(fresh);
}

void ClearInfoRecord(InfoType& info) { info = InfoType{}; }

void NewModel(TMultiModel& model)
{
    ClearInfoRecord(model.Info);
    model.MapName.clear();
    model.DistanceFunctions = DistanceFunctionsType{};
    model.DispersalMatrix.Fill(0.0f);
    model.CorrelationMatrix.Fill(0.0f);
    model.Populations.ResetAll();
    for (int i = 1; i <= model.MaxPops; ++i) {
        PopulationRecord& pop = model.Populations[i];
        pop.IncludeInTotals = true;
        pop.ExtraText1 = "1";
    }
    model.Populations[1].Name = "Pop 1";
    model.PopCount = 1;
    model.SelectedPopulation = 1;
    SetFixedSettings(model);
    model.TimeBinWidth = 1;
    model.Replications = 0;
    model.Duration = 1;
}

void SetFixedSettings(TMultiModel& model)
{
    model.StageCount = 1;
    model.Info.StageCountText = "1";
    model.Info.StageFlag = false;
    model.Info.FractionText = "0";
    model.Info.Extent = 1;
}

void StartNewModel(TMultiModel& model)
{
    NewModel(model);
    model.ModelState = kStateEmpty;
    model.InputsChanged = false;
    model.OverflowFlag = false;
    model.GrowthOverflowFlag = false;
    model.DispersalUpToDate = false;
    model.CorrelationUpToDate = false;
    model.DispersalFromFunction = false;
    model.CorrelationFromFunction = false;
    model.DispersalPresent = false;
}

void StartMultiEngine(const TMultiLimits& limits)
{
    AllocateModel(Model, limits);
    SetWarningHandler({});
}

std::string WholeNumberText(double value)
{
    char buffer[48];
    // Adding 0 turns a rounded -0 into 0.
    std::snprintf(buffer, sizeof buffer, "%.0f", std::nearbyint(value) + 0.0);
    return std::string(buffer).substr(0, kParameterTextLength);
}

}  // namespace multi
