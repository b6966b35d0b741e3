#include "stage/stage_file.h"

#include "stage/correlation_migration.h"

#include "chart/scale_file.h"
#include "core/config.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/messages.h"
#include "core/str_utilx.h"
#include "sim/density_types.h"
#include "sim/file_text.h"
#include "stage/results_section.h"
#include "stage/validate_input.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Shared pieces

// Stage-matrix and standard-deviation-matrix names as the file carries them.
constexpr std::size_t kFileMatrixNameLength = 10;

std::string Cut(const std::string& text, std::size_t length) { return text.substr(0, length); }

std::uint8_t ToByte(double v)
{
    if (!(v > 0)) return 0;
    if (v >= 255) return 255;
    return static_cast<std::uint8_t>(std::nearbyint(v));
}

// A code read as a number: one of 0..last exactly, else 0.
std::uint8_t ToCode(double v, int last)
{
    return v == std::trunc(v) && v >= 0 && v <= last ? static_cast<std::uint8_t>(v) : 0;
}

char FirstUpper(const std::string& text) { return text.empty() ? '\0' : UpCaseChar(text[0]); }

// The limits a file may reach: the configured maxima, never beyond what the
// store holds.
int MaxPopulations(const TCoravel& m) { return std::min<int>(Config.MaxPopulations, m.Limits().pops); }
int MaxStages(const TCoravel& m) { return std::min<int>(Config.MaxStages, m.Limits().stages); }
int MaxDuration(const TCoravel& m) { return std::min<int>(Config.MaxDuration, m.Limits().duration); }
int MaxReplications(const TCoravel& m) { return std::min<int>(Config.MaxReplications, m.Limits().replications); }
int MaxMatrixTypes(const TCoravel& m) { return m.Limits().matrices; }

// The matrices between populations computed from the distance functions.
// Call site of Calc_Matr (stage/correlation_migration.h): until that unit is
// linked in, the flags are set and the matrix keeps the zeros of the cleared
// model (the restriction zeroes both matrices after every load in any case).
void ComputeMatrixFromDistances(TCoravel& model, char kind)
{
    // Builds the matrix from the population coordinates and sets its flags.
    Calc_Matr(model, kind);
}

// ---------------------------------------------------------------------------
// Reading

struct TLoadFailure {
    int code;
    std::string reason;
};

[[noreturn]] void Fail(int code, const std::string& reason) { throw TLoadFailure{code, reason}; }
[[noreturn]] void FailRead(const std::string& reason = "Error in reading input data") { Fail(5, reason); }

}  // namespace

// The age/stage engine's reader of its model file.
namespace stage {
namespace {

class TModelReader {
public:
    TModelReader(TCoravel& model, std::vector<std::string> lines, const std::string& name)
        : m_(model), in_(std::move(lines)), name_(name)
    {
    }
    int Run();

private:
    std::string Line(const char* reason = "Error in reading input data")
    {
        std::string line;
        if (!in_.ReadLine(line)) FailRead(reason);
        return line;
    }
    double Number(const char* reason = "Error in reading input data")
    {
        double v = 0;
        if (!in_.ReadNumber(v)) FailRead(reason);
        return v;
    }
    // n numbers, then the rest of the line they end on is dropped.
    std::vector<double> Numbers(int n, const char* reason = "Error in reading input data")
    {
        std::vector<double> values(static_cast<std::size_t>(std::max(n, 0)));
        for (double& v : values) v = Number(reason);
        in_.EndLine();
        return values;
    }
    // The leading count of lines such as "2 type(s) of stage matrix".
    bool Count(const std::string& line, int& count)
    {
        std::string text = line, word;
        ExtractWord(text, word);
        double v = 0;
        if (!ParseFileNumber(word, v) || v != std::trunc(v) || v < 0 || v > 1e6) return false;
        count = static_cast<int>(v);
        return true;
    }
    void Check()
    {
        if (!status_.ok) FailRead(status_.reason);
    }
    bool Boolean(const std::string& text)
    {
        const bool value = ParseBoolean(text, status_);
        Check();
        return value;
    }
    // A catastrophe multiplier or the dispersal variability: 0..1, 0 when bad.
    static double UnitValue(const std::string& text)
    {
        double v = 0;
        if (!ParseFileNumber(TrimBlanks(text), v) || v < 0) return 0;
        return v > 1 ? 1 : v;
    }
    static std::uint8_t MatrixIndex(const std::string& text)
    {
        long v = 0;
        if (!TextToInt(TrimBlanks(Cut(text, 3)), v) || v <= 0) return 1;
        return static_cast<std::uint8_t>(std::min<long>(v, 255));
    }

    void ReadHeader();
    void ReadGeneral();
    void ReadPopulation(int p, const std::string& line);
    void ReadBetweenPopulations(const std::string& keyword, bool migration);
    void ReadStageCount();
    void ReadSquare(SingleMatrix& matrix, const char* reason);
    void ReadStageMatrices();
    void ReadStDevMatrices();
    void ReadStageData();
    void ReadActions();
    void ImportOldManagement(const std::vector<double>& harvest, const std::vector<double>& introduction);

    TCoravel& m_;
    TLineCursor in_;
    std::string name_;
    TReaderStatus status_;
    int version_ = 0;
    std::string stagesText_;
    bool replicationsValid_ = false;
    bool durationValid_ = false;
    int S_ = 0;
};

void TModelReader::ReadHeader()
{
    std::string line;
    if (!in_.ReadLine(line)) Fail(3, "Not an input file");
    std::string versionText;
    const std::size_t open = line.find('(');
    if (open != std::string::npos) versionText = line.substr(open + 1, 3);
    double v = 0;
    if (ParseFileNumber(versionText, v) && v <= 25) version_ = RoundToInt32(v * 10);
    if (line.compare(0, 26, kModelHeader, 26) != 0 || version_ <= 0) Fail(3, "Not an input file");
    if (version_ > kModelVersion) Fail(3, "Cannot import from version " + versionText);
    if (version_ == kModelVersion)
        StatusMessage("(ver " + versionText + ")");
    else
        InputWarning("Importing from version " + versionText);

    const std::size_t eq = line.find('=');
    std::string map = eq == std::string::npos || eq == 0 ? std::string() : line.substr(eq + 1);
    if (map == "\xFF") map.clear();
    Config.MapName = map;
}

void TModelReader::ReadGeneral()
{
    m_.title = Line();
    for (int k = 1; k <= 4; ++k) m_.comments[k] = Line();

    m_.replications = CountFromLine(Line(), 0, MaxReplications(m_), "Changing number of replications to ",
                                    replicationsValid_);
    m_.duration = CountFromLine(Line(), 1, MaxDuration(m_), "Changing duration to ", durationValid_);

    m_.demogstoch = Boolean(Line());
    const std::string stagesLine = Line();
    const std::size_t blank = stagesLine.find(' ');
    if (blank == std::string::npos) {
        stagesText_ = stagesLine;
        m_.ignoreconstraints = false;
    } else {
        stagesText_ = stagesLine.substr(0, blank);
        m_.ignoreconstraints = Boolean(TrimBlanks(stagesLine.substr(blank + 1)));
    }

    if (version_ >= 22) m_.cat1name = Cut(Line(), kCatastropheNameLength);
    m_.cat1regprob = UnitValue(Line());
    m_.cat1extent = ParseCatastropheExtent(Line(), status_);
    Check();
    if (version_ >= 4) m_.cat1affects = ParseCatastropheAffects(Line());
    if (version_ >= 22) {
        m_.cat2name = Cut(Line(), kCatastropheNameLength);
        m_.cat2regprob = UnitValue(Line());
        m_.cat2extent = ParseCatastropheExtent(Line(), status_);
        Check();
        m_.cat2affects = ParseCatastropheAffects(Line());
    }
    m_.ddaffects = ParseDdAffects(Line());
    if (m_.ddaffects != 0) {
        m_.ddaffects = 0;
        InputWarning("Changing density dependence affects to \"All vital rates\"");
    }
    const std::string distribution = Line();
    m_.distribution = ParseDistributionType(distribution, status_);
    Check();
    const std::size_t comma = distribution.find(',');
    if (comma != std::string::npos) {
        const char flag = FirstUpper(distribution.substr(comma + 1));
        m_.negsurvcorr = flag == 'N';
        m_.poolvar = flag == 'P';
    }
    if (version_ >= 22) m_.dispersalcv = UnitValue(Line());
    if (version_ >= 12) {
        m_.whenbelow = ParseWhenBelow(Line(), status_);
        Check();
    }
    if (version_ >= 21) {
        m_.corrwithin = ParseCorrWithin(Line(), status_);
        Check();
    }
}

void TModelReader::ReadPopulation(int p, const std::string& line)
{
    const std::vector<std::string> fields = SplitCommas(line);
    std::size_t k = 0;
    auto next = [&]() { return k < fields.size() ? fields[k++] : (++k, std::string()); };
    PopulationRecord& pop = m_.populations[p];
    pop.name = Cut(next(), kPopulationNameLength);
    pop.x = ClampToSingle(TextToRealDef(TrimBlanks(next()), 0));
    pop.y = ClampToSingle(TextToRealDef(TrimBlanks(next()), 0));
    pop.initialtext = next();
    pop.ddtype = ParseDensityDependenceType(next());
    pop.rmaxtext = next();
    pop.ktext = next();
    pop.extratext1 = next();
    pop.extratext2 = next();
    pop.kchange = Cut(next(), kChangeTextLength);
    pop.dispersalslopetext = next();
    pop.cat1multtext = next();
    if (version_ >= 4) pop.cat1probtext = next();
    pop.intotal = Boolean(next());
    pop.matrixindex = version_ >= 12 ? MatrixIndex(next()) : 1;
    if (version_ >= 13) {
        pop.fchange = Cut(next(), kChangeTextLength);
        pop.schange = Cut(next(), kChangeTextLength);
    } else {
        pop.fchange = "1";
        pop.schange = "1";
    }
    pop.localthresholdtext = version_ >= 12 ? next() : std::string("0");
    if (version_ >= 22) {
        pop.cat2multtext = next();
        pop.cat2probtext = next();
    }
    pop.stdevindex = version_ >= 22 ? MatrixIndex(next()) : 1;
}

void TModelReader::ReadBetweenPopulations(const std::string& keyword, bool migration)
{
    const char* error = migration ? "Error in migration" : "Error in correlation";
    if (keyword != (migration ? "Migration" : "Correlation")) FailRead(error);
    const bool fromDistances = Boolean(Line(error));

    const std::vector<std::string> fields = SplitCommas(Line(error));
    auto param = [&](std::size_t k, double def) {
        double v = def;
        if (k < fields.size() && ParseFileNumber(TrimBlanks(fields[k]), v)) return v;
        return def;
    };
    auto& params = migration ? m_.migparams : m_.corrparams;
    params[1] = ClampToSingle(param(0, 0));
    params[2] = ClampToSingle(param(1, 0.1));
    params[3] = ClampToSingle(param(2, 0));
    params[4] = migration ? ClampToSingle(param(3, 0)) : 999999.0f;

    if (fromDistances) {
        ComputeMatrixFromDistances(m_, migration ? 'M' : 'C');
        return;
    }
    const int P = m_.pops;
    for (int i = 1; i <= P; ++i) {
        const std::vector<std::string> entries = SplitCommas(Line(error));
        const int count = migration ? P : i;
        if (static_cast<int>(entries.size()) < count) FailRead(error);
        for (int j = 1; j <= count; ++j) {
            double v = 0;
            if (!ParseFileNumber(TrimBlanks(entries[static_cast<std::size_t>(j - 1)]), v)) FailRead(error);
            if (migration)
                m_.migration[i][j] = ClampToSingle(v);
            else
                m_.correlation[i][j] = ClampToSingle(v);
        }
    }
}

void TModelReader::ReadStageCount()
{
    StatusMessage("Stages   ");
    double v = 0;
    const char* reason = nullptr;
    if (!ParseFileNumber(TrimBlanks(stagesText_), v))
        reason = "Invalid number of stages";
    else if (std::nearbyint(v) > MaxStages(m_))
        reason = "Too many stages";
    else if (std::nearbyint(v) < 3)
        reason = "Not enough stages";
    if (reason) {
        m_.stages = static_cast<std::uint8_t>(std::min(3, m_.Limits().stages));
        Fail(5, reason);
    }
    S_ = static_cast<int>(std::nearbyint(v));
    m_.stages = static_cast<std::uint8_t>(S_);
}

void TModelReader::ReadSquare(SingleMatrix& matrix, const char* reason)
{
    for (int i = 1; i <= S_; ++i) {
        const std::vector<double> row = Numbers(S_, reason);
        for (int j = 1; j <= S_; ++j) matrix[i][j] = ClampToSingle(row[static_cast<std::size_t>(j - 1)]);
    }
}

void TModelReader::ReadStageMatrices()
{
    int count = 1;
    if (version_ >= 12) {
        if (!Count(Line("Error reading stage matrix"), count) || count < 1) {
            m_.stagematrices = 1;
            FailRead("Error reading stage matrix");
        }
    }
    const int kept = std::min(count, MaxMatrixTypes(m_));
    if (count > kept) InputWarning("Too many stage matrix types");
    const char* reason = "Error reading stage matrices";
    SingleMatrix surplus(S_, S_);
    for (int k = 1; k <= count; ++k) {
        const bool keep = k <= kept;
        SingleMatrix& matrix = keep ? m_.stagematrix[k] : surplus;
        bool readNumbers = true;
        float survival = 1, fecundity = 1;
        if (version_ >= 12) {
            const std::string name = Line(reason);
            auto multiplier = [](const std::string& text) {
                double v = 1;
                if (!ParseFileNumber(TrimBlanks(text), v)) v = 1;
                return ClampToSingle(std::clamp(v, 0.0, 1.0));
            };
            survival = multiplier(Line(reason));
            fecundity = multiplier(Line(reason));
            readNumbers = TrimBlanks(Line(reason)) == "0" || k == 1;
            if (keep) {
                m_.matrixheaders[k].name = Cut(name, kFileMatrixNameLength);
                m_.matrixheaders[k].value1 = survival;
                m_.matrixheaders[k].value2 = fecundity;
            }
        }
        if (readNumbers) {
            ReadSquare(matrix, reason);
        } else if (keep) {
            // Derived from type 1: fecundities and survivals scaled.
            for (int i = 1; i <= S_; ++i)
                for (int j = 1; j <= S_; ++j)
                    matrix[i][j] = m_.stagematrix[1][i][j] * (i == 1 ? fecundity : survival);
        }
    }
    m_.stagematrices = static_cast<std::uint8_t>(kept);
}

void TModelReader::ReadStDevMatrices()
{
    int count = 1;
    if (version_ >= 22) {
        if (!Count(Line("Error reading st.dev. matrix"), count) || count < 1) {
            m_.stdevmatrices = 1;
            FailRead("Error reading st.dev. matrix");
        }
    }
    const int kept = std::min(count, MaxMatrixTypes(m_));
    if (count > kept) InputWarning("Too many standard deviation matrix types");
    const char* reason = "Error reading standard deviations matrix";
    SingleMatrix surplus(S_, S_);
    for (int k = 1; k <= count; ++k) {
        const bool keep = k <= kept;
        if (version_ >= 22) {
            const std::string name = Line(reason);
            if (keep) m_.stdevheaders[k].name = Cut(name, kFileMatrixNameLength);
        }
        ReadSquare(keep ? m_.stdevmatrix[k] : surplus, reason);
    }
    m_.stdevmatrices = static_cast<std::uint8_t>(kept);
}

void TModelReader::ImportOldManagement(const std::vector<double>& harvest, const std::vector<double>& introduction)
{
    auto add = [&](int stage, std::uint8_t kind) -> ManagementRecord& {
        if (m_.actioncount >= kMaxActions) FailRead();
        ManagementRecord& a = m_.actions[++m_.actioncount];
        a = ManagementRecord{};
        a.active = true;
        a.kind = kind;
        a.frompop = a.topop = 1;
        a.firststage = a.laststage = static_cast<std::uint8_t>(stage);
        a.begintime = 1;
        a.endtime = m_.duration;
        a.period = 1;
        return a;
    };
    for (int s = 1; s <= S_; ++s) {
        const double v = harvest[static_cast<std::size_t>(s - 1)];
        if (v > 0) {
            ManagementRecord& a = add(s, 0);
            a.amountkind = 1;
            a.proportion = ClampToSingle(std::min(v, 1.0));
        }
    }
    for (int s = 1; s <= S_; ++s) {
        const double v = introduction[static_cast<std::size_t>(s - 1)];
        if (v > 0) {
            ManagementRecord& a = add(s, 1);
            a.amountkind = 0;
            a.number = RoundToInt32(v);
        }
    }
}

void TModelReader::ReadStageData()
{
    const std::vector<double> dispersal = Numbers(S_);
    for (int s = 1; s <= S_; ++s) {
        const double v = dispersal[static_cast<std::size_t>(s - 1)];
        m_.stagedispersal[1][s] = ClampToSingle(v);
        m_.stageprops[s].value1text = FixedText(m_.stagedispersal[1][s], 8, v > 100 ? 2 : 6);
    }
    if (version_ < 12) ImportOldManagement(dispersal, Numbers(S_));
    if (version_ >= 4) {
        ReadSquare(m_.catmatrix1, "Error in reading input data");
        const std::vector<double> abund = Numbers(S_);
        for (int s = 1; s <= S_; ++s) m_.catabund1[1][s] = ClampToSingle(abund[static_cast<std::size_t>(s - 1)]);
    }
    if (version_ >= 22) {
        ReadSquare(m_.catmatrix2, "Error in reading input data");
        const std::vector<double> abund = Numbers(S_);
        for (int s = 1; s <= S_; ++s) m_.catabund2[1][s] = ClampToSingle(abund[static_cast<std::size_t>(s - 1)]);
    }
    for (int p = 1; p <= m_.pops; ++p) {
        const std::vector<double> initial = Numbers(S_);
        for (int s = 1; s <= S_; ++s) m_.initialabundance[p][s] = initial[static_cast<std::size_t>(s - 1)];
    }
    for (int s = 1; s <= S_; ++s) {
        StageRecord& stage = m_.stageprops[s];
        if (version_ >= 22) {
            stage.name = Cut(Line("Error reading stage data"), kStageNameLength);
            stage.value2text = Cut(Line("Error reading stage data"), kStageValueTextLength);
            stage.flag = Boolean(Line("Error reading stage data"));
        } else {
            stage.name = "Stage " + std::to_string(s);
            stage.value2text = "1";
            stage.flag = false;
        }
    }
}

void TModelReader::ReadActions()
{
    int count = 0;
    if (!Count(Line(), count) || count > kMaxActions) FailRead();
    for (int k = 1; k <= count; ++k) {
        const std::vector<double> n = Numbers(15);
        ManagementRecord& a = m_.actions[k];
        a = ManagementRecord{};
        a.active = n[0] != 0;
        a.kind = ToCode(n[1], 2);
        a.frompop = ToByte(n[2]);
        a.topop = ToByte(n[3]);
        a.begintime = RoundToInt32(n[4]);
        a.endtime = RoundToInt32(n[5]);
        a.period = RoundToInt32(n[6]);
        a.timing = ToCode(n[7], 1);
        a.amountkind = ToCode(n[8], 1);
        a.number = RoundToInt32(n[9]);
        a.proportion = ClampToSingle(n[10]);
        a.firststage = ToByte(n[11]);
        a.laststage = ToByte(n[12]);
        a.condition = ToCode(n[13], 2);
        a.threshold = RoundToInt32(n[14]);
    }
    m_.actioncount = static_cast<std::uint8_t>(count);
}

int TModelReader::Run()
{
    ReadHeader();
    ReadGeneral();

    StatusMessage("Pop. data");
    for (int p = 1; p <= kMaxPopulations; ++p) m_.popchanged[p] = true;
    m_.pops = 0;
    std::string line;
    for (;;) {
        line = Line();
        if (line.find(',') == std::string::npos) break;
        if (m_.pops >= MaxPopulations(m_)) Fail(4, "Too many populations");
        ++m_.pops;
        ReadPopulation(m_.pops, line);
    }
    StatusMessage("Migr data");
    ReadBetweenPopulations(line, true);
    StatusMessage("Corr data");
    ReadBetweenPopulations(Line("Error in correlation"), false);

    ReadStageCount();
    ReadStageMatrices();
    ReadStDevMatrices();
    ReadStageData();
    if (version_ >= 22) ReadActions();
    m_.extinctionlevel = Numbers(1)[0];
    m_.explosionlevel = Numbers(1)[0];
    const double bin = Numbers(1)[0];
    m_.crossbin = bin < 1 ? 1 : ToByte(bin);

    CheckAllStageMatrices(m_);
    bool undefined = false;
    for (int p = 1; p <= m_.pops; ++p)
        if (m_.populations[p].matrixindex > m_.stagematrices) {
            m_.populations[p].matrixindex = m_.stagematrices;
            undefined = true;
        }
    if (undefined)
        InputWarning("Some populations had undefined Stage matrix types (now they have type " +
                     std::to_string(m_.stagematrices) + ")");
    undefined = false;
    for (int p = 1; p <= m_.pops; ++p)
        if (m_.populations[p].stdevindex > m_.stdevmatrices) {
            m_.populations[p].stdevindex = m_.stdevmatrices;
            undefined = true;
        }
    if (undefined)
        InputWarning("Some populations had undefined St.dev. matrix types (now they have type " +
                     std::to_string(m_.stdevmatrices) + ")");
    InputsChanged = true;

    StatusMessage("Checking ");
    m_.state = kStateInputs;
    m_.matrixchanged[0] = m_.matrixchanged[1] = true;
    ValidateInput(m_);
    m_.extthreshold = ClampToSingle(m_.extinctionlevel);
    m_.explthreshold = ClampToSingle(m_.explosionlevel);
    if (m_.state != kStateInputs) return kModelFileOk;

    TResultsGate gate;
    gate.version = version_;
    gate.replicationsValid = replicationsValid_;
    gate.durationValid = durationValid_;
    gate.maxReplications = MaxReplications(m_);
    bool loaded = false;
    TStoredRun run;
    const int code = ReadResultsSection(m_, in_, gate, name_, run, loaded);
    if (loaded) SetStoredRun(m_, run);
    if (loaded && version_ > 20 && Config.LoadScales) ReadScaleFile(NativePath(ReplaceExtension(name_, "SCL")));
    return code;
}

}  // namespace
}  // namespace stage

namespace {

// ---------------------------------------------------------------------------
// Writing

std::string Row(const SingleMatrix& matrix, int row, int count)
{
    std::string line;
    for (int j = 1; j <= count; ++j) line += FixedText(matrix[row][j], 5, 6) + " ";
    return line;
}

std::string DistanceEntry(float v)
{
    const double a = std::fabs(static_cast<double>(v));
    if (a <= 1e-10) return " 0";
    if (v == 1.0f) return " 1";
    if (a < 1e-5) return ShortScientificText(v, 8);
    return FixedText(v, 8, v < 0 ? 4 : 5);
}

// Decimals shared by every initial-abundance line: as many as the values
// need, at most three. The values are looked at as they would be written, so
// a file read back gives the same decimals again.
int AbundanceDecimals(const TCoravel& m, int S)
{
    int decimals = 0;
    auto hasFraction = [](double x) {
        const double f = std::fabs(x - std::trunc(x));
        return f > 0.000001 && f < 1 - 0.000001;
    };
    for (int p = 1; p <= m.pops; ++p)
        for (int s = 1; s <= S; ++s) {
            const double x = std::nearbyint(m.initialabundance[p][s] * 1000.0) / 1000.0;
            if (decimals < 1 && hasFraction(x)) decimals = 1;
            if (decimals < 2 && hasFraction(x * 10)) decimals = 2;
            if (decimals < 3 && hasFraction(x * 100)) decimals = 3;
        }
    return decimals;
}

void CheckTexts(const TCoravel& m)
{
    CheckLineText(Config.MapName, "the map-file name");
    CheckLineText(m.title, "the title");
    for (int k = 1; k <= 4; ++k) CheckLineText(m.comments[k], "comment line " + std::to_string(k));
    CheckLineText(m.cat1name, "the catastrophe 1 probability");
    CheckLineText(m.cat2name, "the catastrophe 2 probability");
    for (int p = 1; p <= m.pops; ++p) {
        const PopulationRecord& pop = m.populations[p];
        const std::string at = "population " + std::to_string(p);
        const std::pair<const std::string*, const char*> fields[] = {
            {&pop.name, "name"},
            {&pop.initialtext, "initial abundance"},
            {&pop.rmaxtext, "Rmax"},
            {&pop.ktext, "K"},
            {&pop.extratext1, "field 8"},
            {&pop.extratext2, "field 9"},
            {&pop.kchange, "K change"},
            {&pop.dispersalslopetext, "density dependence of dispersal"},
            {&pop.cat1multtext, "catastrophe 1 multiplier"},
            {&pop.cat1probtext, "catastrophe 1 probability"},
            {&pop.fchange, "fecundity change"},
            {&pop.schange, "survival change"},
            {&pop.localthresholdtext, "local threshold"},
            {&pop.cat2multtext, "catastrophe 2 multiplier"},
            {&pop.cat2probtext, "catastrophe 2 probability"},
        };
        for (const auto& [text, what] : fields) CheckFieldText(*text, "the " + std::string(what) + " of " + at);
    }
    for (int k = 1; k <= m.stagematrices; ++k) CheckLineText(m.matrixheaders[k].name, "a stage matrix name");
    for (int k = 1; k <= m.stdevmatrices; ++k) CheckLineText(m.stdevheaders[k].name, "a st.dev. matrix name");
    for (int s = 1; s <= m.stages; ++s) {
        CheckLineText(m.stageprops[s].name, "the name of stage " + std::to_string(s));
        CheckLineText(m.stageprops[s].value2text, "the weight of stage " + std::to_string(s));
    }
}

void WriteBetweenPopulations(const TCoravel& m, bool migration, std::vector<std::string>& out)
{
    const auto& params = migration ? m.migparams : m.corrparams;
    const bool fromDistances = migration ? m.distflags[1] : m.distflags[3];
    out.push_back(migration ? "Migration" : "Correlation");
    out.push_back(BooleanText(fromDistances));
    std::string line = FixedText(params[1] < 0 ? 0.0 : params[1], 3, 3) + "," + FixedText(params[2], 1, 5) + "," +
                       FixedText(params[3], 1, 5);
    if (migration) line += "," + FixedText(params[4], 1, 5);
    out.push_back(line);
    if (fromDistances) return;
    for (int i = 1; i <= m.pops; ++i) {
        std::string row;
        const int count = migration ? m.pops : i;
        for (int j = 1; j <= count; ++j) row += DistanceEntry(migration ? m.migration[i][j] : m.correlation[i][j]) + ",";
        out.push_back(row);
    }
}

std::vector<std::string> InputLines(const TCoravel& m)
{
    const int S = std::min<int>(m.stages, m.Limits().stages);
    std::vector<std::string> out;
    const std::string map = Config.MapName.empty() ? std::string("\xFF") : Config.MapName;
    out.push_back(std::string(kModelHeader) + " map=" + map);
    out.push_back(m.title);
    for (int k = 1; k <= 4; ++k) out.push_back(m.comments[k]);
    out.push_back(std::to_string(m.replications));
    out.push_back(std::to_string(m.duration));
    out.push_back(BooleanText(m.demogstoch));
    out.push_back(std::to_string(m.stages) + " " + BooleanText(m.ignoreconstraints));
    auto name = [](const char* const* names, int count, int code) {
        return std::string(names[code >= 0 && code < count ? code : 0]);
    };
    out.push_back(Cut(m.cat1name, kCatastropheNameLength));
    out.push_back(FixedText(m.cat1regprob, 8, 6));
    out.push_back(name(kCatExtentNames, 2, m.cat1extent));
    out.push_back(name(kCatAffectsNames, 3, m.cat1affects));
    out.push_back(Cut(m.cat2name, kCatastropheNameLength));
    out.push_back(FixedText(m.cat2regprob, 8, 6));
    out.push_back(name(kCatExtentNames, 2, m.cat2extent));
    out.push_back(name(kCatAffectsNames, 3, m.cat2affects));
    out.push_back(name(kDdAffectsNames, 3, m.ddaffects));
    out.push_back(name(kDistributionNames, 2, m.distribution) + "," +
                  (m.poolvar ? "PoolVar" : m.negsurvcorr ? "NegSurvCorr" : "0"));
    out.push_back(FixedText(m.dispersalcv, 8, 6));
    out.push_back(name(kWhenBelowNames, 3, m.whenbelow));
    out.push_back(name(kCorrWithinNames, 3, m.corrwithin));

    for (int p = 1; p <= m.pops; ++p) {
        const PopulationRecord& pop = m.populations[p];
        const std::string fields[] = {
            Cut(pop.name, kPopulationNameLength),
            FixedText(pop.x, 5, 3),
            FixedText(pop.y, 5, 3),
            pop.initialtext,
            DensityTypeFileCode(pop.ddtype),
            pop.rmaxtext,
            pop.ktext,
            pop.extratext1,
            pop.extratext2,
            Cut(pop.kchange, kChangeTextLength),
            pop.dispersalslopetext,
            pop.cat1multtext,
            pop.cat1probtext,
            BooleanText(pop.intotal),
            std::to_string(pop.matrixindex),
            Cut(pop.fchange, kChangeTextLength),
            Cut(pop.schange, kChangeTextLength),
            pop.localthresholdtext,
            pop.cat2multtext,
            pop.cat2probtext,
            std::to_string(pop.stdevindex),
        };
        std::string line = fields[0];
        for (std::size_t k = 1; k < std::size(fields); ++k) line += "," + fields[k];
        out.push_back(line);
    }
    WriteBetweenPopulations(m, true, out);
    WriteBetweenPopulations(m, false, out);

    out.push_back(std::to_string(m.stagematrices) + " type(s) of stage matrix");
    for (int k = 1; k <= m.stagematrices; ++k) {
        out.push_back(Cut(m.matrixheaders[k].name, kFileMatrixNameLength));
        out.push_back(FixedText(m.matrixheaders[k].value1, 8, 6));
        out.push_back(FixedText(m.matrixheaders[k].value2, 8, 6));
        out.push_back("0");
        for (int i = 1; i <= S; ++i) out.push_back(Row(m.stagematrix[k], i, S));
    }
    out.push_back(std::to_string(m.stdevmatrices) + " type(s) of st.dev. matrix");
    for (int k = 1; k <= m.stdevmatrices; ++k) {
        out.push_back(Cut(m.stdevheaders[k].name, kFileMatrixNameLength));
        for (int i = 1; i <= S; ++i) out.push_back(Row(m.stdevmatrix[k], i, S));
    }
    out.push_back(Row(m.stagedispersal, 1, S));
    for (int i = 1; i <= S; ++i) out.push_back(Row(m.catmatrix1, i, S));
    out.push_back(Row(m.catabund1, 1, S));
    for (int i = 1; i <= S; ++i) out.push_back(Row(m.catmatrix2, i, S));
    out.push_back(Row(m.catabund2, 1, S));

    const int decimals = AbundanceDecimals(m, S);
    for (int p = 1; p <= m.pops; ++p) {
        std::string line;
        for (int s = 1; s <= S; ++s) line += FixedText(m.initialabundance[p][s], 1, decimals) + " ";
        out.push_back(line);
    }
    for (int s = 1; s <= S; ++s) {
        out.push_back(Cut(m.stageprops[s].name, kStageNameLength));
        out.push_back(Cut(m.stageprops[s].value2text, kStageValueTextLength));
        out.push_back(BooleanText(m.stageprops[s].flag));
    }
    out.push_back(std::to_string(m.actioncount) + " (pop mgmnt)");
    for (int k = 1; k <= m.actioncount; ++k) {
        const ManagementRecord& a = m.actions[k];
        char buf[256];
        std::snprintf(buf, sizeof buf, "%s %1d %3d %3d %3d %3d %3d %1d %1d %1d %6.4f %2d %2d %1d %2d ",
                      a.active ? "1" : "0", a.kind, a.frompop, a.topop, a.begintime, a.endtime, a.period, a.timing,
                      a.amountkind, a.number, static_cast<double>(a.proportion), a.firststage, a.laststage,
                      a.condition, a.threshold);
        out.push_back(buf);
    }
    return out;
}

}  // namespace

// ---------------------------------------------------------------------------
// Parsers

std::uint8_t ParseCatastropheExtent(const std::string& text, TReaderStatus& status)
{
    switch (FirstUpper(text)) {
    case 'L': case 'S': return 0;
    case 'A': case 'R': return 1;
    default: status.Fail("Invalid catastrophe extent"); return 0;
    }
}

std::uint8_t ParseCatastropheAffects(const std::string& text)
{
    switch (FirstUpper(text)) {
    case 'C': return 2;
    case 'V': return 1;
    default: return 0;
    }
}

std::uint8_t ParseDdAffects(const std::string& text)
{
    switch (FirstUpper(text)) {
    case 'F': return 1;
    case 'S': return 2;
    default: return 0;
    }
}

std::uint8_t ParseDistributionType(const std::string& text, TReaderStatus& status)
{
    switch (FirstUpper(text)) {
    case 'L': return 1;
    case 'N': return 0;
    default: status.Fail("Invalid distribution type"); return 0;
    }
}

std::uint8_t ParseWhenBelow(const std::string& text, TReaderStatus& status)
{
    switch (FirstUpper(text)) {
    case 'C': return 0;
    case 'D': return 1;
    case 'A': return 2;
    default: status.Fail("Invalid \"WhenBelow\" type"); return 0;
    }
}

std::uint8_t ParseCorrWithin(const std::string& text, TReaderStatus& status)
{
    switch (text.empty() ? '\0' : text[0]) {
    case '1': return 0;
    case '2': return 1;
    case '3': return 2;
    default: status.Fail("Invalid \"Uncorrelated parameters\" type"); return 0;
    }
}

// ---------------------------------------------------------------------------

void RestrictModel(TCoravel& m)
{
    m.ddaffects = 0;
    m.stageprops[1].value1text = "1";
    m.stageprops[1].flag = false;
    m.matrixheaders[1].value1 = m.matrixheaders[1].value2 = 1;
    const int S = m.Limits().stages;
    for (int i = 1; i <= S; ++i)
        for (int j = 1; j <= S; ++j)
            if (m.stagematrix[1][i][j] > 350) m.stagematrix[1][i][j] = 350;

    PopulationRecord& pop = m.populations[1];
    pop.name.clear();
    pop.x = pop.y = 0;
    pop.initialtext.clear();
    pop.extratext1 = pop.extratext2 = pop.kchange = pop.dispersalslopetext = "0.0";
    pop.cat1probtext = pop.localthresholdtext = pop.cat2probtext = "0.0";
    pop.fchange = pop.schange = "1.0";
    pop.cat1multtext = pop.cat2multtext = "1";
    pop.intotal = true;
    pop.matrixindex = pop.stdevindex = 1;
    if (!FindDensityType(pop.ddtype) || HasAllee(pop.ddtype)) pop.ddtype = DensityTypeCode(DDType::EX);

    m.distribution = 1;
    m.dispersalcv = 0;
    m.extinctionlevel = m.explosionlevel = 0;
    m.cat1name.clear();
    m.cat2name.clear();
    m.cat1regprob = m.cat2regprob = 0;
    m.cat1extent = m.cat2extent = 0;
    m.cat1affects = m.cat2affects = 0;
    m.whenbelow = 0;
    m.corrwithin = 0;
    m.catmatrix1.Fill(1);
    m.catmatrix2.Fill(1);
    m.catabund1.Fill(1);
    m.catabund2.Fill(1);
    m.migparams.Fill(0);
    m.corrparams.Fill(0);
    m.migration.Fill(0);
    m.correlation.Fill(0);
    for (int k = 1; k <= m.actioncount; ++k) {
        ManagementRecord& a = m.actions[k];
        if (a.kind == 2) a.kind = 0;
        a.frompop = a.topop = 1;
        a.begintime = 1;
        a.endtime = m.duration;
        a.period = 1;
        a.timing = 0;
        a.condition = 0;
    }
}

int LoadModelFile(TCoravel& model, const std::string& fileName, int /*mode*/)
{
    const std::string name = TrimBlanks(fileName);
    InputsChanged = true;
    // A load that fails ends here: the model is cleared and the status line
    // no longer says that a file is being read.
    auto cleared = [&](int code) {
        model.Clear();
        model.state = kStateEmpty;
        Config.MapName.clear();
        RestrictModel(model);
        StatusMessage("");
        return code;
    };
    if (name.empty()) return cleared(kModelFileNoName);
    std::vector<std::string> lines;
    if (!ReadTextLines(NativePath(name), lines)) {
        if (name != "temp0001.mp") InputWarning("Cannot open " + name);
        return cleared(kModelFileCannotOpen);
    }
    model.Clear();
    model.state = kStateEmpty;
    StatusMessage("Loading ... ");
    int code = kModelFileOk;
    try {
        stage::TModelReader reader(model, std::move(lines), name);
        code = reader.Run();
    } catch (const TLoadFailure& failure) {
        InputWarning("File not loaded: " + failure.reason);
        return cleared(failure.code);
    } catch (const std::exception&) {
        // An index or size outside the store found late: the file is damaged.
        InputWarning("File not loaded: Error in reading input data");
        return cleared(kModelFileBadInput);
    }
    RestrictModel(model);
    return code;
}

int SaveModelFile(TCoravel& model, const std::string& fileName)
{
    const std::string name = TrimBlanks(fileName);
    if (name.empty()) return kModelFileNoName;
    if (const std::string refusal = ModelSaveRefusal(name); !refusal.empty()) {
        InputWarning(refusal);
        return kModelFileCannotOpen;
    }
    StatusMessage("Saving.  Please wait ... ");
    ValidateInput(model);
    try {
        CheckTexts(model);
    } catch (const TSaveRefused& refused) {
        InputWarning("Cannot save to " + name + ": " + refused.reason + ".");
        StatusMessage("");
        return kModelFileWriteFailed;
    }
    std::vector<std::string> lines = InputLines(model);
    int code = kModelFileOk;
    bool withResults = false;
    if (model.state == kStateResults && !InputsChanged) {
        code = AppendResultsSection(model, StoredRunOf(model), name, lines);
        withResults = code == kModelFileOk;
    } else {
        lines.push_back(ScientificText(model.extinctionlevel));
        lines.push_back(ScientificText(model.explosionlevel));
        lines.push_back(std::to_string(std::max<int>(1, model.crossbin)));
    }
    lines.push_back("-End of file-");
    const int written = WriteModelFileLines(name, lines, withResults);
    StatusMessage("");
    return written != kModelFileOk ? written : code;
}
