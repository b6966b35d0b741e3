#include "stage/model_store.h"

#include "core/batch_log.h"
#include "core/str_utilx.h"
#include "stage/results_section.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>

TCoravel Info;
bool InputsChanged = false;
std::uint8_t ResultMemoryKind = 0;

namespace {

void CheckLimits(const ModelLimits& limits)
{
    auto inRange = [](int value, int low, int high) { return value >= low && value <= high; };
    // Population, stage and matrix counts are bytes in the model; the stage
    // limit keeps stage matrices small enough for the engine's fixed arrays.
    if (!inRange(limits.pops, 1, kMaxPopulations) || !inRange(limits.stages, 1, kMaxStages) ||
        !inRange(limits.matrices, 1, 255) || limits.duration < 1 || limits.replications < 1 ||
        !inRange(limits.kchanges, 1, 255) || !inRange(limits.fchanges, 1, 255) ||
        !inRange(limits.schanges, 1, 255)) {
        throw std::invalid_argument("Model limits out of range");
    }
}

// A record table: all records zeroed, record 0 a spare. Running out of memory
// here is a fatal stop naming the table.
template <class T>
void AllocZeroed(const char* name, RecordTable<T>& table, int count)
{
    try {
        table.Allocate(count);
    } catch (const std::bad_alloc&) {
        StopProgram(std::string("Not enough memory for ") + name);
    }
}

bool IsFileReference(const std::string& text)
{
    // A blank text names nothing; anything that does not read as a number
    // ("." as decimal point, as in the model file) is taken as a file name,
    // and so is -1, the value a failed conversion gives.
    const std::string trimmed = TrimBlanks(text);
    if (trimmed.empty()) return false;
    return TextToRealDef(trimmed, -1) == -1;
}

}  // namespace

void TCoravel::Create(const ModelLimits& limits)
{
    AllocateModel(limits);
    Clear();
}

void TCoravel::AllocateModel(const ModelLimits& limits)
{
    CheckLimits(limits);
    limits_ = limits;
    const int P = limits.pops;
    const int S = limits.stages;
    const int T = limits.duration;
    const int R = limits.replications;
    const int M = limits.matrices;

    AllocZeroed("Populations", populations, P);
    AllocZeroed("StageProp", stageprops, S);
    AllocZeroed("PopManage", actions, kMaxActions);
    AllocZeroed("Mult-matr.", matrixheaders, M);
    AllocZeroed("Mult-stdm.", stdevheaders, M);
    if (stageprops.Count() < S) throw std::runtime_error("Error getting memory for stage prop");
    if (actions.Count() < kMaxActions) throw std::runtime_error("Error getting memory for Pop. man.");

    // One stage matrix and one standard-deviation matrix per allocated matrix
    // type, never more.
    stagematrix.Resize(M);
    stdevmatrix.Resize(M);
    for (SingleMatrix& m : stagematrix) m.Allocate(S, S);
    for (SingleMatrix& m : stdevmatrix) m.Allocate(S, S);
    workmatrix.Allocate(S, S);
    catmatrix1.Allocate(S, S);
    catmatrix2.Allocate(S, S);
    catabund1.Allocate(1, S);
    catabund2.Allocate(1, S);
    initialabundance.Allocate(P, S);
    stagework.Allocate(S);
    stageweight.Allocate(S);
    stagedispersal.Allocate(1, S);

    initialtotal.Allocate(P);
    for (SingleVector* v : {&rmax, &dispersalslope, &capacity, &ktrend, &fecmultiplier,
                            &survmultiplier, &ksd, &allee, &catmult1, &catmult2, &catprob1,
                            &catprob2, &extdursum, &extdursumsq, &extdurmin, &extdurmax,
                            &localoccsum, &localoccsumsq, &localoccmin, &localoccmax}) {
        v->Allocate(P);
    }
    ddmultiplier.Allocate(P);
    correlation.AllocateTriangular(P);
    migration.Allocate(P, P);

    for (SingleVector* v : {&replmin, &replmax, &replterminal}) v->Allocate(R);
    for (SingleVector* v : {&totalsum, &totalsumsq, &totalmin, &totalmax, &occupancysum,
                            &occupancysumsq, &occupancymin, &occupancymax, &harvestsum,
                            &harvestsumsq, &harvestmin, &harvestmax}) {
        v->Allocate(T);
    }

    // One series per allocated change file, never more.
    kchange.Resize(limits.kchanges);
    fchange.Resize(limits.fchanges);
    schange.Resize(limits.schanges);
    for (OneBasedList<SingleVector>* series : {&kchange, &fchange, &schange}) {
        for (SingleVector& v : *series) v.Allocate(T);
    }

    kchangeindex.Allocate(P);
    fchangeindex.Allocate(P);
    schangeindex.Allocate(P);
    haskchange = hasfchange = hasschange = false;

    finalsum.Allocate(P, S);
    finalsumsq.Allocate(P, S);
    finalmin.Allocate(P, S);
    finalmax.Allocate(P, S);
    popsum.Allocate(P, T);
    popsumsq.Allocate(P, T);
    popmin.Allocate(P, T);
    popmax.Allocate(P, T);
}

void TCoravel::Clear()
{
    const int P = limits_.pops;
    const int S = limits_.stages;

    duration = 1;
    replications = 1;
    static_cast<InfoType&>(*this) = InfoType{};
    // Lognormal, as every model read from a file runs: a new model must run
    // the same before and after it is saved and opened again.
    distribution = 1;

    migparams.Fill(0);
    corrparams.Fill(0);

    migration.Fill(0);
    correlation.Fill(0);
    for (SingleMatrix& m : stagematrix) m.Fill(0);
    for (SingleMatrix& m : stdevmatrix) m.Fill(0);
    initialabundance.Fill(0);
    catmatrix1.Fill(0);
    catmatrix2.Fill(0);
    stagedispersal.Fill(0);
    catabund1.Fill(0);

    // Every record, those beyond the populations in use included.
    populations.ResetAll();
    actions.ResetAll();
    stageprops.ResetAll();
    matrixheaders.ResetAll();
    stdevheaders.ResetAll();

    matrixheaders[1].name = "default";
    matrixheaders[1].value1 = 1.0f;
    matrixheaders[1].value2 = 1.0f;
    stagematrices = 1;
    currentmatrix = 1;
    stdevheaders[1].name = "default";
    stdevmatrices = 1;
    currentstdev = 1;

    catmatrix1.Fill(1.0f);
    catmatrix2.Fill(1.0f);
    catabund1.Fill(1.0f);
    catabund2.Fill(1.0f);
    stagedispersal.Fill(1.0f);
    stageweight.Fill(1.0f);
    for (int i = 1; i <= S; ++i) {
        stageprops[i].name = "Stage " + std::to_string(i);
        stageprops[i].value1text = "1.0";
        stageprops[i].value2text = "1.0";
    }
    stagepropsvalid = 1;

    for (int i = 1; i <= P; ++i) {
        PopulationRecord& pop = populations[i];
        pop.intotal = true;
        pop.cat1multtext = "1";
        pop.cat2multtext = "1";
        pop.fchange = "1";
        pop.schange = "1";
        pop.matrixindex = 1;
        pop.stdevindex = 1;
        popchanged[i] = true;
    }

    pops = 1;
    selectedpop = 1;
    populations[1].name = "Pop 1";
    // Three stages by default, fewer when fewer are allocated.
    stages = static_cast<std::uint8_t>(std::min(3, S));
    poolvar = false;
    negsurvcorr = false;
    crossbin = 1;
    actioncount = 0;
    mgmtactive = false;
    actionsflag = 1;
    matrixchanged[1] = true;
    distflags.Fill(false);
    extlevelchanged = false;
    expllevelchanged = false;

    // No run of an earlier model shows in the report headers of this one.
    SetStoredRun(*this, TStoredRun{});
}

bool TCoravel::HasFileReferences() const
{
    const int count = std::min<int>(pops, populations.Count());
    for (int p = 1; p <= count; ++p) {
        const PopulationRecord& pop = populations[p];
        if (IsFileReference(pop.kchange) || IsFileReference(pop.fchange) ||
            IsFileReference(pop.schange)) {
            return true;
        }
    }
    return false;
}

double TCoravel::CountedInitialAbundance(int p) const
{
    double total = initialtotal[p];
    for (int s = 1; s <= stages; ++s)
        if (stageprops[s].flag) total -= initialabundance[p][s];
    return total;
}

void CreateModelStore(const ModelLimits& limits)
{
    try {
        Info.Create(limits);
    } catch (const ProgramStopped&) {
        throw;
    } catch (const std::exception& e) {
        StopProgram(e.what());
    }
    Info.state = kStateEmpty;
    InputsChanged = false;
    Info.matrixchanged[0] = true;
    Info.matrixchanged[1] = true;
    Info.extlevelchanged = false;
    Info.expllevelchanged = false;
    ResultMemoryKind = 0;
}

void FreeModelStore()
{
    Info = TCoravel();
}
