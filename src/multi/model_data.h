#pragma once
// The model of the unstructured multi-population engine: general
// information, the population records whose parameters are text as typed,
// the parameter vectors converted from them, the dispersal and correlation
// matrices with the distance functions they come from, and every result of
// the last run.
//
// Both programs built on this engine (the map program and the single
// population program) use this one model; they differ in their limits, which
// are fields of the model (MaxPops, MaxDuration, MaxReplications), set once
// when the model is allocated and never changed afterwards. Arrays are
// one-based: population 1..MaxPops, time step 1..MaxDuration, replication
// 1..MaxReplications; the record table keeps a spare record 0.
//
// The program holds one model (`Model`), created at start-up by
// StartMultiEngine; File New and the model file reader reset it in place with
// NewModel. Engine functions take the model by reference, so tests work on
// models of their own.

#include "core/batch_log.h"
#include "core/model_records.h"
#include "core/one_based.h"
#include "sim/density_types.h"

#include <cstdint>
#include <new>
#include <string>

namespace multi {

// The limits a model is allocated for. The defaults are the map program's.
struct TMultiLimits {
    int MaxPops = 22;           // populations (the population count is a byte)
    int MaxDuration = 50;       // time steps
    int MaxReplications = 1000;
    int MaxStages = 2;
};

// Texts as typed (population parameters, thresholds, distance functions)
// hold at most this many characters; the engine cuts what it writes.
inline constexpr std::size_t kParameterTextLength = 10;
inline constexpr std::size_t kNameLength = 16;

// First-crossing histograms of the extinction and explosion thresholds, with
// the bins of the shared results section.
inline constexpr int kTimeBins = kCrossBins;

// Stored density-dependence codes of the four forms without an Allee effect
// (the full table is in sim/density_types.h).
inline constexpr std::uint8_t kExponential = DensityTypeCode(DDType::EX);
inline constexpr std::uint8_t kScramble = DensityTypeCode(DDType::LO);
inline constexpr std::uint8_t kContest = DensityTypeCode(DDType::BH);
inline constexpr std::uint8_t kCeiling = DensityTypeCode(DDType::CE);

// General information of the model.
struct InfoType {
    std::string Title;
    std::string Comment1, Comment2, Comment3, Comment4;
    std::string StageCountText;           // always "1"
    std::string ExtinctionThresholdText;  // as typed; a run replaces a text that is not a number
    std::string ExplosionThresholdText;
    std::string FractionText;             // kept and written with the model
    std::uint8_t Extent = 0;              // 0 "Local", 1 "Regional" in the model file
    bool DemographicStochasticity = false;
    std::uint8_t SpareByte1 = 0;
    std::uint8_t SpareByte2 = 0;
    double Fraction = 0;                  // FractionText converted into 0..1 by ValidateInput
    bool StageFlag = false;               // written beside the stage count
};

// One population; every parameter is the text the user typed.
struct PopulationRecord {
    std::string Name;
    std::uint8_t DDType = kExponential;
    std::string XText, YText;             // map coordinates
    std::string InitialAbundanceText;
    std::string GrowthRateText;           // R
    std::string SurvivalText;             // s
    std::string CarryingCapacityText;     // K
    std::string StdDevOfRText;
    std::string SpareText;                // kept with the population
    std::string TrendInKText;             // change of K per time step
    std::string ExtraText1, ExtraText2;   // not read by the engine
    std::string DispersalSlopeText;       // kept and written with the population
    bool IncludeInTotals = false;         // counts in the total, occupancy and thresholds
};

// The parameters of the two distance functions, as typed.
struct DistanceFunctionsType {
    std::string MaxDispersalRateText;
    std::string AvgDispersalDistanceText;
    std::string MaxDispersalDistanceText;
    std::string CorrelationAt100Text;
};

struct TMultiModel {
    // Limits, set by AllocateModel.
    int MaxPops = 0;
    int MaxDuration = 0;
    int MaxReplications = 0;
    int MaxStages = 0;

    InfoType Info;
    // The map-features file drawn under the populations, as named in the
    // model file's header; empty when the model has none.
    std::string MapName;
    std::uint8_t PopCount = 0;
    RecordTable<PopulationRecord> Populations;  // 0..MaxPops, record 0 unused
    std::uint8_t SelectedPopulation = 0;        // shown by the display windows
    std::int32_t Duration = 0;                  // time steps
    std::int32_t Replications = 0;              // 0: one deterministic run
    std::uint8_t StageCount = 0;                // always 1
    std::uint8_t ModelState = kStateEmpty;      // 0 empty or invalid, 1 inputs, 2 results
    bool InputsChanged = false;                 // set by the editors, cleared by a run
    bool OverflowFlag = false;                  // a value of the last run hit its cap

    // Parameters converted by ValidateInput, [1..MaxPops].
    IntVector InitialAbundance;
    SingleVector GrowthRate;
    SingleVector SurvivalRate;
    SingleVector CarryingCapacity;
    SingleVector TrendInK;
    SingleVector StdDevOfR;
    SingleVector DispersalSlope;  // the run's dispersal slope; stays 0

    // Row j, column i: the proportion of population i that moves to j per step.
    SingleMatrix DispersalMatrix;    // MaxPops x MaxPops
    SingleMatrix CorrelationMatrix;  // lower triangle, row i holds 1..i

    DistanceFunctionsType DistanceFunctions;
    bool DispersalUpToDate = false;        // the dispersal matrix follows the distance function
    bool CorrelationUpToDate = false;
    bool DispersalFromFunction = false;    // the matrix was made by the distance function
    bool CorrelationFromFunction = false;  // ... and, for correlations, has been checked
    bool DispersalPresent = false;         // some population sends dispersers (CheckMigration)
    bool GrowthOverflowFlag = false;       // DensityDependentGrowth capped an abundance

    // Results of the last run.
    double ExtinctionThreshold = 0;
    double ExplosionThreshold = 0;
    std::uint8_t TimeBinWidth = 1;
    IndexedArray<std::uint16_t, 1, kTimeBins> ExtinctionTimes;
    IndexedArray<std::uint16_t, 1, kTimeBins> ExplosionTimes;
    std::int32_t ReplicationsDone = 0;
    SingleMatrix PopMean, PopStdDev;  // MaxPops x MaxDuration
    IntMatrix PopMin, PopMax;
    SingleVector TotalMean, TotalStdDev, TotalMin, TotalMax;              // [MaxDuration]
    SingleVector OccupancyMean, OccupancyStdDev, OccupancyMin, OccupancyMax;  // [MaxDuration]
    SingleVector LocalOccupancyMean, LocalOccupancyStdDev, LocalOccupancyMin,
        LocalOccupancyMax;                                                // [MaxPops]
    SingleVector ReplicationMin, ReplicationMax, ReplicationFinal;        // [MaxReplications]
    std::string ResultDate, ResultTime;
};

// The model of the program.
extern TMultiModel Model;

// Allocates count + 1 zeroed records (0..count) and returns count; when the
// memory cannot be had, the fatal stop "Not enough memory for " + name.
template <class Record>
int NewRecordArray(const std::string& name, RecordTable<Record>& table, int count)
{
    try {
        table.Allocate(count);
    } catch (const std::bad_alloc&) {
        StopProgram("Not enough memory for " + name);
    }
    return count;
}

// Start-up allocation of every array for the limits, then state empty,
// inputs unchanged, the matrix flags clear and the default model (NewModel).
// Everything is built aside and takes the model's place only when complete,
// so a failure (the fatal stop for the population records, an allocation
// error for the rest) leaves `model` as it was. Limits outside what the
// arrays can hold (populations 1..160, duration 1..10000, replications
// 1..65535, stages 1..7) raise std::invalid_argument.
void AllocateModel(TMultiModel& model, const TMultiLimits& limits);

// Empties the texts and clears the flags and numbers of the general
// information.
void ClearInfoRecord(InfoType& info);

// File New, and before a model file is read: one population "Pop 1", every
// population counted in totals, empty parameter texts and distance
// functions, no map-features file, zero matrices, duration 1, no replications,
// and the fixed settings below. The model state, the inputs-changed flag and
// the results are left to the callers.
void NewModel(TMultiModel& model);

// The settings of the fuller file layout that this engine does not use, as
// every model read from a file has them whatever the file holds: one stage
// (no stage flag), the fraction "0" and the Regional extent. A new model has
// them too, so that it is saved as it reads back.
void SetFixedSettings(TMultiModel& model);

// File, New: NewModel, then an empty model whose inputs count as unchanged,
// without the matrix-state and overflow flags of the model before.
void StartNewModel(TMultiModel& model);

// The engine's start-up in a program: `Model` allocated for the limits and
// reset, and simulation warnings routed as this engine routes them (a
// warning box until a run window registers its handler).
void StartMultiEngine(const TMultiLimits& limits);

// A value the engine writes back into a parameter text: rounded to a whole
// number, with no decimals, blanks or locale, cut to the text length.
std::string WholeNumberText(double value);

}  // namespace multi
