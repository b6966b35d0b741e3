#pragma once
// The age/stage model store: the one model the program holds, its inputs and
// the results of the last run, in the global `Info`.
//
// Every array is allocated once at start-up from the configuration limits and
// never resized; loading a model, File New and every run only overwrite
// contents. Arrays are one-based (population 1..P, stage 1..S, time step
// 1..T, replication 1..R); the record tables keep a spare record 0.

#include "core/model_records.h"
#include "core/one_based.h"
#include "sim/results_section.h"

#include <cstdint>
#include <string>
#include <vector>

// ---------------------------------------------------------------------------
// Limits

// What the store is sized for. Start-up passes the configuration's clamped
// limits (POP, STA, DUR, REP, MAT, KCH, FCH, SCH).
struct ModelLimits {
    int pops = 80;            // P, 1..160
    int stages = 7;           // S, 1..7
    int duration = 50;        // T, time steps
    int replications = 1000;  // R
    int matrices = 1;         // M, stage-matrix types
    int kchanges = 1;         // change series of K, fecundity, survival
    int fchanges = 1;
    int schanges = 1;
};

inline constexpr int kMaxPopulations = 160;
inline constexpr int kMaxActions = 100;

// Longest texts the records hold; editors and the model reader cut longer ones.
inline constexpr std::size_t kPopulationNameLength = 16;
inline constexpr std::size_t kChangeTextLength = 13;
inline constexpr std::size_t kStageNameLength = 10;
inline constexpr std::size_t kStageValueTextLength = 10;
inline constexpr std::size_t kMatrixHeaderNameLength = 11;
inline constexpr std::size_t kStDevHeaderNameLength = 10;
inline constexpr std::size_t kCatastropheNameLength = 10;

// ---------------------------------------------------------------------------
// Model state and program-wide flags

// Inputs changed since the stored results were made. Set by an editor's OK when
// a stored value that affects results changes, and by the density-dependence
// dialog's Apply; cleared by a run, by File New and by loading a file with
// results. While set, the result producer warns that inputs and results may
// not agree, and the save prompt adds "Results will not be saved.".
extern bool InputsChanged;

// Where the run keeps its result arrays: 1 is main memory, the only kind. The
// store's start-up sets 0; the batch-log start-up sets 1.
inline constexpr std::uint8_t kMainMemory = 1;
extern std::uint8_t ResultMemoryKind;

// ---------------------------------------------------------------------------
// Records

// Names under which the model file writes the codes of the records below.
inline constexpr const char* kCatExtentNames[] = {"Local", "Regional"};
inline constexpr const char* kDdAffectsNames[] = {"all vital rates", "fecundities", "survival rates"};
inline constexpr const char* kDistributionNames[] = {"Normal", "Lognormal"};
inline constexpr const char* kCatAffectsNames[] = {"abundances", "vital rates",
                                                   "carrying capacities"};
inline constexpr const char* kWhenBelowNames[] = {"count in total", "don't count", "assume dead"};
inline constexpr const char* kCorrWithinNames[] = {"1 (F, S, K correlated)", "2 (F and S correlated)",
                                                   "3 (F, S, K uncorrelated)"};
inline constexpr const char* kActionKindNames[] = {"Harvest", "Introduction", "Translocation"};

// General model settings; its fields read as the store's own (`Info.title`).
struct InfoType {
    std::string title;
    IndexedArray<std::string, 1, 4> comments;
    double extinctionlevel = 0;
    double explosionlevel = 0;
    std::string cat1name;  // at most kCatastropheNameLength
    std::string cat2name;
    std::uint8_t cat1extent = 0;  // 0 Local, 1 Regional
    std::uint8_t cat2extent = 0;
    std::uint8_t ddaffects = 0;  // 0 all vital rates, 1 fecundities, 2 survival rates
    bool demogstoch = false;
    std::uint8_t distribution = 0;  // 0 Normal, 1 Lognormal
    std::uint8_t cat1affects = 0;   // 0 abundances, 1 vital rates, 2 carrying capacities
    std::uint8_t cat2affects = 0;
    double cat1regprob = 0;  // regional catastrophe probabilities
    double cat2regprob = 0;
    std::uint8_t whenbelow = 0;  // 0 count in total, 1 don't count, 2 assume dead
    bool ignoreconstraints = false;
    std::uint8_t corrwithin = 0;  // 0 F,S,K correlated; 1 F and S; 2 uncorrelated
    double dispersalcv = 0;
};

// One population. Parameters are kept as the text the user typed; the input
// check converts them into the store's single-precision vectors.
struct PopulationRecord {
    std::string name;  // at most kPopulationNameLength
    std::uint8_t ddtype = 0;
    float x = 0;
    float y = 0;
    std::string initialtext;
    std::string rmaxtext;
    std::string ktext;
    std::string extratext1;
    std::string extratext2;
    std::string kchange;  // a number or the name of a change file, at most kChangeTextLength
    std::string fchange;
    std::string schange;
    std::string cat1multtext;
    std::string cat1probtext;
    std::string cat2multtext;
    std::string cat2probtext;
    std::string localthresholdtext;
    std::string dispersalslopetext;
    bool intotal = false;  // counted in totals
    std::uint8_t matrixindex = 0;
    std::uint8_t stdevindex = 0;
};

struct StageRecord {
    std::string name;        // at most kStageNameLength
    std::string value1text;  // relative dispersal of the stage
    std::string value2text;  // weight per individual
    bool flag = false;       // stage excluded from population totals
};

struct ManagementRecord {
    bool active = false;
    std::uint8_t kind = 0;       // 0 Harvest, 1 Introduction, 2 Translocation
    std::int32_t threshold = 0;  // N of the condition, as entered and stored
    std::int32_t thresholdn = 0; // what the run compares against (set by the input check)
    std::uint8_t timing = 0;     // 0 before dispersal, 1 after dispersal
    std::uint8_t amountkind = 0; // 0 number, 1 proportion
    std::uint8_t condition = 0;  // 0 none, 1 "If N <", 2 "If N >"
    std::int32_t number = 0;
    float proportion = 0;
    std::uint8_t firststage = 0;
    std::uint8_t laststage = 0;
    std::uint8_t frompop = 0;
    std::uint8_t topop = 0;
    std::int32_t begintime = 0;
    std::int32_t endtime = 0;
    std::int32_t period = 0;
};

struct StageMatrixHeader {
    std::string name;  // at most kMatrixHeaderNameLength
    float value1 = 0;
    float value2 = 0;
};

struct StDevMatrixHeader {
    std::string name;  // at most kStDevHeaderNameLength
};

// ---------------------------------------------------------------------------
// The store

class TCoravel : public InfoType {
public:
    // Allocates from the limits, then resets to the default model.
    void Create(const ModelLimits& limits);
    // Allocates every array and record table; stops the program with
    // "Not enough memory for " + name when a record table cannot be had.
    void AllocateModel(const ModelLimits& limits);
    // Resets to the default one-population model, with the settings that
    // reading a model file forces (lognormal variation among them), and
    // forgets the date, time and replications of the run that made the
    // stored results. Leaves `state`, the result arrays and the
    // inputs-changed flag alone.
    void Clear();
    // True when a population names a change file instead of a number.
    bool HasFileReferences() const;
    // Population p's total initial abundance as totals count it: its initial
    // total less the initial abundances of the stages excluded from totals.
    double CountedInitialAbundance(int p) const;
    // What AllocateModel was given (the allocated populations, stages, ...).
    const ModelLimits& Limits() const { return limits_; }

    std::uint8_t state = kStateEmpty;
    IntVector initialtotal;       // [P]
    SingleVector rmax;            // [P]
    DoubleVector ddmultiplier;    // [P]
    SingleVector dispersalslope;  // [P]
    SingleVector capacity;        // [P]
    SingleVector ktrend;          // [P]
    SingleVector fecmultiplier;   // [P]
    SingleVector survmultiplier;  // [P]
    SingleVector ksd;             // [P]
    ByteVector kchangeindex;      // [P], 0 none
    bool haskchange = false;
    ByteVector fchangeindex;
    bool hasfchange = false;
    ByteVector schangeindex;
    bool hasschange = false;
    SingleVector allee;     // [P]
    SingleVector catmult1;  // [P]
    SingleVector catmult2;
    SingleVector catprob1;
    SingleVector catprob2;
    SingleMatrix correlation;  // triangular, row i has i elements
    SingleMatrix migration;    // P x P, [destination][source]
    SingleMatrix popsum;       // P x T
    SingleMatrix popsumsq;
    SingleVector totalsum;  // [T]
    SingleVector totalsumsq;
    SingleVector replmin;  // [R]
    SingleVector replmax;
    SingleVector replterminal;
    IntMatrix popmin;  // P x T
    IntMatrix popmax;
    SingleVector totalmin;  // [T]
    SingleVector totalmax;
    SingleVector occupancysum;  // [T]
    SingleVector occupancysumsq;
    SingleVector occupancymin;
    SingleVector occupancymax;
    SingleVector extdursum;  // [P]
    SingleVector extdursumsq;
    SingleVector extdurmin;
    SingleVector extdurmax;
    SingleVector localoccsum;  // [P]
    SingleVector localoccsumsq;
    SingleVector localoccmin;
    SingleVector localoccmax;
    SingleVector harvestsum;  // [T]
    SingleVector harvestsumsq;
    SingleVector harvestmin;
    SingleVector harvestmax;
    DoubleMatrix initialabundance;  // P x S
    SingleMatrix stagedispersal;    // 1 x S
    SingleMatrix workmatrix;        // S x S
    SingleMatrix catmatrix1;        // S x S
    SingleMatrix catmatrix2;
    SingleMatrix catabund1;  // 1 x S
    SingleMatrix catabund2;
    SingleVector stagework;    // [S]
    SingleVector stageweight;  // [S]
    SingleMatrix finalsum;     // P x S
    SingleMatrix finalsumsq;
    IntMatrix finalmin;  // P x S
    IntMatrix finalmax;
    OneBasedList<SingleMatrix> stagematrix;  // [M] of S x S
    OneBasedList<SingleMatrix> stdevmatrix;  // [M] of S x S
    OneBasedList<SingleVector> kchange;      // [KCH] of [T]
    OneBasedList<SingleVector> fchange;      // [FCH] of [T]
    OneBasedList<SingleVector> schange;      // [SCH] of [T]
    std::int32_t duration = 0;
    std::int32_t replications = 0;  // 0 means deterministic
    IndexedArray<float, 1, 4> runstats;  // cumulative harvest: mean, sd, min, max
    std::uint8_t stages = 0;
    // (the general settings of InfoType)
    IndexedArray<float, 1, 4> migparams;  // a, b, c, Dmax
    IndexedArray<float, 1, 4> corrparams;
    IndexedArray<bool, 1, 4> distflags;
    bool migchecked = false;
    bool mgmtactive = false;
    RecordTable<PopulationRecord> populations;  // 0..P
    std::uint8_t pops = 0;
    std::uint8_t totalpops = 0;
    std::uint8_t selectedpop = 0;
    RecordTable<StageMatrixHeader> matrixheaders;  // 0..M
    RecordTable<StDevMatrixHeader> stdevheaders;   // 0..M
    std::uint8_t stagematrices = 0;
    std::uint8_t currentmatrix = 0;
    std::uint8_t stdevmatrices = 0;
    std::uint8_t currentstdev = 0;
    RecordTable<StageRecord> stageprops;  // 0..S
    std::uint8_t stagepropsvalid = 0;
    RecordTable<ManagementRecord> actions;  // 0..100
    std::uint8_t actionsflag = 0;
    std::uint8_t actioncount = 0;
    bool poolvar = false;
    bool negsurvcorr = false;
    IndexedArray<std::uint16_t, 1, kCrossBins> extinctiontimes;
    IndexedArray<std::uint16_t, 1, kCrossBins> explosiontimes;
    float extthreshold = 0;
    float explthreshold = 0;
    std::uint8_t crossbin = 0;
    IndexedArray<bool, 1, kMaxPopulations> popchanged;
    bool extlevelchanged = false;
    bool expllevelchanged = false;
    IndexedArray<bool, 0, 1> matrixchanged;
    // The run that made the stored results: its date and time texts (at most
    // 20 characters, written here without blanks, though a time read from
    // another installation's file may hold one; for report headers, the
    // results section and the batch log) and the replications it completed;
    // before any run, those of no run at all.
    std::string resultsdate = TStoredRun{}.dateText;
    std::string resultstime = TStoredRun{}.timeText;
    std::int32_t replicationsdone = TStoredRun{}.replications;

private:
    ModelLimits limits_;
};

// The one model of the program.
extern TCoravel Info;

// Start-up of the store: creates `Info` from the limits (any failure stops the
// program with its message), then state 0, inputs unchanged, both matrix-changed
// marks set, threshold-changed marks cleared, result-memory kind 0.
void CreateModelStore(const ModelLimits& limits);

// Releases every array of `Info` (program end).
void FreeModelStore();
