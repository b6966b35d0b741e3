#include "multi/model_file.h"

#include "chart/scale_file.h"
#include "core/config.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/messages.h"
#include "core/str_utilx.h"
#include "multi/distance_matrices.h"
#include "multi/landscape_map.h"
#include "sim/file_text.h"
#include "sim/results_section.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <type_traits>
#include <utility>
#include <vector>

namespace multi {

namespace {

constexpr const char* kEndOfFile = "-End of file-";
constexpr const char* kResultsHeading = "Simulation results";
constexpr std::size_t kResultsHeadingLength = 18;
constexpr const char* kExtentNames[] = {"Local", "Regional"};

std::string Cut(const std::string& text, std::size_t length) { return text.substr(0, length); }
std::string CutParameter(const std::string& text) { return Cut(text, kParameterTextLength); }

// Ten times the number of the three characters after the first "(", when
// that is a positive number of at most 25; else 0.
int VersionCode(const std::string& line, std::string& versionText)
{
    versionText.clear();
    const std::size_t open = line.find('(');
    if (open != std::string::npos) versionText = line.substr(open + 1, 3);
    double v = 0;
    if (!ParseFileNumber(versionText, v) || v <= 0 || v > 25) return 0;
    return RoundToInt32(v * 10);
}

// The line up to and including its first "(" (all of it when it has none)
// against the same length of a header.
bool SameHeader(const std::string& line, const std::string& header)
{
    const std::size_t open = line.find('(');
    const std::string cut = open == std::string::npos ? line : line.substr(0, open + 1);
    return cut == header.substr(0, cut.size());
}

// The arrays of the last run for the results section.
template <class Model>
TResultArraysOf<std::is_const_v<Model>> ResultArrays(Model& m)
{
    TResultArraysOf<std::is_const_v<Model>> r;
    r.populations = std::min<int>(m.PopCount, m.MaxPops);
    r.duration = m.Duration;
    r.binWidth = m.TimeBinWidth;
    r.extinctionThreshold = m.ExtinctionThreshold;
    r.explosionThreshold = m.ExplosionThreshold;
    r.totalMean = &m.TotalMean;
    r.totalStdDev = &m.TotalStdDev;
    r.totalMin = &m.TotalMin;
    r.totalMax = &m.TotalMax;
    r.popMean = &m.PopMean;
    r.popStdDev = &m.PopStdDev;
    r.popMin = &m.PopMin;
    r.popMax = &m.PopMax;
    r.occupancyMean = &m.OccupancyMean;
    r.occupancyStdDev = &m.OccupancyStdDev;
    r.occupancyMin = &m.OccupancyMin;
    r.occupancyMax = &m.OccupancyMax;
    r.localMean = &m.LocalOccupancyMean;
    r.localStdDev = &m.LocalOccupancyStdDev;
    r.localMin = &m.LocalOccupancyMin;
    r.localMax = &m.LocalOccupancyMax;
    r.replicationMin = &m.ReplicationMin;
    r.replicationMax = &m.ReplicationMax;
    r.replicationFinal = &m.ReplicationFinal;
    r.extinctionTimes = &m.ExtinctionTimes;
    r.explosionTimes = &m.ExplosionTimes;
    return r;
}

// ---------------------------------------------------------------------------
// Reading

struct TLoadFailure {
    int code;
    std::string message;  // as reported
};

[[noreturn]] void Fail(int code, const std::string& reason) { throw TLoadFailure{code, "File not loaded: " + reason}; }
[[noreturn]] void FailRead(const std::string& reason = "Error in reading input data")
{
    Fail(kModelFileBadInput, reason);
}

class TModelReader {
public:
    TModelReader(TMultiModel& model, std::vector<std::string> lines, const std::string& name,
                 const TModelFileFormat& format, int version)
        : m_(model), lines_(std::move(lines)), name_(name), format_(format), version_(version)
    {
    }
    int Run();

private:
    std::string Line(const char* reason = "Error in reading input data")
    {
        if (next_ >= lines_.size()) FailRead(reason);
        return lines_[next_++];
    }
    bool Boolean(const std::string& text)
    {
        TReaderStatus status;
        const bool value = ParseBoolean(text, status);
        if (!status.ok) FailRead(status.reason);
        return value;
    }

    void StartModel();
    void ReadGeneral();
    void ReadPopulations();
    void ReadPopulation(PopulationRecord& pop, const std::string& line);
    void ReadDispersal(const std::string& keyword);
    std::size_t ReadThresholds();
    int ReadResults(std::size_t heading);

    TMultiModel& m_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    std::string name_;
    const TModelFileFormat& format_;
    int version_ = 0;
    bool replicationsValid_ = false;
    bool durationValid_ = false;
};

// The version code of the file's first line, which must be this program's
// header of this or an older version; a first line of anything else raises
// the load failure.
int CheckHeader(const std::vector<std::string>& lines, const TModelFileFormat& format)
{
    if (lines.empty()) Fail(kModelFileNotModel, "Not an input file");
    const std::string& line = lines.front();
    std::string versionText, ownVersion;
    const int version = VersionCode(line, versionText);
    const int readable = VersionCode(format.header, ownVersion);
    if (version > 0 && SameHeader(line, format.header)) {
        if (version > readable)
            throw TLoadFailure{kModelFileNotModel, "Voran/Pelivo ver. " + ownVersion + " cannot read version " +
                                                       versionText + " input files"};
        if (version == readable)
            StatusMessage("(ver " + versionText + ")");
        else
            WarningMessage("Importing from version " + versionText);
    } else if (!format.foreignHeader.empty() && line.find('(') != std::string::npos &&
               SameHeader(line, format.foreignHeader)) {
        Fail(kModelFileNotModel, format.foreignMessage);
    } else {
        Fail(kModelFileNotModel, "Not an input file");
    }
    return version;
}

// The model cleared for the file, with the map-features name of its header.
void TModelReader::StartModel()
{
    const std::string line = lines_[next_++];
    NewModel(m_);
    m_.DispersalUpToDate = m_.CorrelationUpToDate = false;
    m_.DispersalFromFunction = m_.CorrelationFromFunction = false;
    const std::size_t eq = line.find('=');
    if (eq != std::string::npos && eq >= 1) {
        m_.MapName = line.substr(eq + 1);
        if (m_.MapName == "\xFF") m_.MapName.clear();
    }
}

void TModelReader::ReadGeneral()
{
    InfoType& info = m_.Info;
    info.Title = Line();
    info.Comment1 = Line();
    info.Comment2 = Line();
    info.Comment3 = Line();
    info.Comment4 = Line();

    // Counts beyond what the model holds are clamped with a warning; the
    // results section is then kept out (codes 9 and 10), since its lines
    // follow the counts as written.
    m_.Replications = CountFromLine(Line(), 0, m_.MaxReplications, "Changing number of replications to ",
                                    replicationsValid_);
    m_.Duration = CountFromLine(Line(), 1, m_.MaxDuration, "Changing duration to ", durationValid_);

    info.DemographicStochasticity = Boolean(Line());
    // Settings of the fuller layout this engine does not use: read past,
    // then set to the values it runs with.
    Line();  // stage count and flag
    Line();  // fraction
    Line();  // extent
    SetFixedSettings(m_);
    if (version_ >= 4) Line();  // "Abundances"
    Line();                     // "All"
    Line();                     // "Lognormal"
}

void TModelReader::ReadPopulation(PopulationRecord& pop, const std::string& line)
{
    const std::vector<std::string> fields = SplitCommas(line);
    std::size_t k = 0;
    auto next = [&]() { return k < fields.size() ? CutParameter(fields[k++]) : std::string(); };
    pop.Name = k < fields.size() ? Cut(fields[k++], kNameLength) : std::string();
    pop.XText = next();
    pop.YText = next();
    pop.InitialAbundanceText = next();
    pop.DDType = ParseDensityDependenceType(next(), false);
    pop.GrowthRateText = next();
    pop.CarryingCapacityText = next();
    pop.StdDevOfRText = next();
    pop.SpareText = next();
    pop.TrendInKText = next();
    pop.DispersalSlopeText = next();
    pop.SurvivalText = next();
    pop.IncludeInTotals = true;
}

void TModelReader::ReadPopulations()
{
    StatusMessage("Pop. data");
    m_.PopCount = 0;
    for (;;) {
        const std::string line = Line();
        if (line.find(',') == std::string::npos) {
            ReadDispersal(line);
            return;
        }
        if (m_.PopCount >= m_.MaxPops) Fail(kModelFileTooManyPops, "Too many populations");
        ++m_.PopCount;
        ReadPopulation(m_.Populations[m_.PopCount], line);
    }
}

void TModelReader::ReadDispersal(const std::string& keyword)
{
    StatusMessage("Migr data");
    const char* error = "Error in migration";
    if (keyword != "Migration") FailRead(error);
    m_.DispersalFromFunction = Boolean(Line(error));

    const std::vector<std::string> params = SplitCommas(Line(error));
    auto param = [&](std::size_t k) { return k < params.size() ? CutParameter(params[k]) : std::string(); };
    DistanceFunctionsType& f = m_.DistanceFunctions;
    f.MaxDispersalRateText = param(0);
    f.AvgDispersalDistanceText = param(1);
    f.CorrelationAt100Text = param(2);
    f.MaxDispersalDistanceText = param(3);

    if (!m_.DispersalFromFunction) {
        const int P = m_.PopCount;
        for (int i = 1; i <= P; ++i) {
            const std::vector<std::string> entries = SplitCommas(Line());
            if (static_cast<int>(entries.size()) < P) FailRead();
            for (int j = 1; j <= P; ++j) {
                double v = 0;
                if (!ParseFileNumber(TrimBlanks(entries[static_cast<std::size_t>(j - 1)]), v)) FailRead();
                m_.DispersalMatrix[i][j] = ClampToSingle(v);
            }
        }
    }
    if (format_.matricesFromDistances) {
        Calc_Matr(m_, 'M');
        Calc_Matr(m_, 'C');
    }
}

// The extinction and explosion thresholds and the time-bin width are the
// three lines before the results section or the end of the file (lines of
// the fuller layout may come between them and the dispersal block); a
// results section is read with that width. Returns the index of the line
// that ended the inputs (the size when the file just ends).
std::size_t TModelReader::ReadThresholds()
{
    std::size_t end = next_;
    while (end < lines_.size() && lines_[end] != kEndOfFile &&
           lines_[end].compare(0, kResultsHeadingLength, kResultsHeading) != 0)
        ++end;
    if (end - next_ >= 3) {
        const std::string* line = &lines_[end - 3];
        auto threshold = [](const std::string& text, std::string& kept) {
            kept = CutParameter(text);
            double v = 0;
            return ConvertNumber(text, v) ? v : 0.0;
        };
        m_.ExtinctionThreshold = threshold(line[0], m_.Info.ExtinctionThresholdText);
        m_.ExplosionThreshold = threshold(line[1], m_.Info.ExplosionThresholdText);
        double width = 0;
        if (ParseFileNumber(TrimBlanks(line[2]), width) && width >= 1)
            m_.TimeBinWidth = static_cast<std::uint8_t>(std::min(255.0, std::nearbyint(width)));
    } else {
        // A file that ends before them: the extinction threshold "0", the
        // explosion threshold "1" and bins of one time step.
        m_.Info.ExtinctionThresholdText = "0";
        m_.Info.ExplosionThresholdText = "1";
        m_.ExtinctionThreshold = 0;
        m_.ExplosionThreshold = 1;
        m_.TimeBinWidth = 1;
    }
    next_ = end;
    return end;
}

int TModelReader::ReadResults(std::size_t heading)
{
    if (heading >= lines_.size() || lines_[heading] == kEndOfFile) return kModelFileOk;
    TLineCursor cursor(std::vector<std::string>(lines_.begin() + static_cast<std::ptrdiff_t>(heading), lines_.end()));
    TResultsGate gate;
    gate.replicationsValid = replicationsValid_;
    gate.durationValid = durationValid_;
    gate.maxReplications = m_.MaxReplications;
    TStoredRun run;
    bool loaded = false;
    const int code = ReadSharedResults(ResultArrays(m_), cursor, gate, name_, run, loaded);
    if (loaded) {
        m_.ModelState = kStateResults;
        m_.InputsChanged = false;
        m_.ReplicationsDone = run.replications;
        m_.ResultDate = run.dateText;
        m_.ResultTime = run.timeText;
        if (Config.LoadScales) ReadScaleFile(NativePath(ReplaceExtension(name_, "SCL")));
    }
    return code;
}

int TModelReader::Run()
{
    StartModel();
    ReadGeneral();
    ReadPopulations();
    StatusMessage("Corr matrix");
    const std::size_t end = ReadThresholds();
    m_.InputsChanged = true;

    StatusMessage("Checking ");
    m_.ModelState = kStateInputs;
    format_.validate(m_);
    if (m_.ModelState != kStateInputs) return kModelFileOk;
    return ReadResults(end);
}

// ---------------------------------------------------------------------------
// Writing

// Texts are written as they are; one that would break the layout is refused.
void CheckTexts(const TMultiModel& m)
{
    CheckLineText(m.MapName, "the map-features file name");
    CheckLineText(m.Info.Title, "the title");
    const std::string* comments[] = {&m.Info.Comment1, &m.Info.Comment2, &m.Info.Comment3, &m.Info.Comment4};
    for (std::size_t k = 0; k < std::size(comments); ++k)
        CheckLineText(*comments[k], "comment line " + std::to_string(k + 1));
    CheckLineText(m.Info.FractionText, "the fraction");
    CheckLineText(m.Info.ExtinctionThresholdText, "the extinction threshold");
    CheckLineText(m.Info.ExplosionThresholdText, "the explosion threshold");
    for (int p = 1; p <= m.PopCount && p <= m.MaxPops; ++p) {
        const PopulationRecord& pop = m.Populations[p];
        const std::string at = " of population " + std::to_string(p);
        const std::pair<const std::string*, const char*> fields[] = {
            {&pop.Name, "the name"},
            {&pop.XText, "the X coordinate"},
            {&pop.YText, "the Y coordinate"},
            {&pop.InitialAbundanceText, "the initial abundance"},
            {&pop.GrowthRateText, "R"},
            {&pop.CarryingCapacityText, "K"},
            {&pop.StdDevOfRText, "the standard deviation"},
            {&pop.SpareText, "the spare field"},
            {&pop.TrendInKText, "the change in K"},
            {&pop.DispersalSlopeText, "the dispersal slope"},
            {&pop.SurvivalText, "the survival rate"},
        };
        for (const auto& [text, what] : fields) CheckFieldText(*text, what + at);
    }
    const DistanceFunctionsType& f = m.DistanceFunctions;
    CheckFieldText(f.AvgDispersalDistanceText, "the average dispersal distance");
    CheckFieldText(f.CorrelationAt100Text, "the correlation at distance 100");
    CheckFieldText(f.MaxDispersalDistanceText, "the maximum dispersal distance");
}

std::vector<std::string> InputLines(const TMultiModel& m, const TModelFileFormat& format, const std::string& fileName)
{
    std::vector<std::string> out;
    // A map beside the model is named by its bare name, which the map
    // drawing looks up beside the model wherever the folder goes.
    const std::string map = MapNameBesideModel(m.MapName, fileName, fileName);
    out.push_back(format.header + " map=" + (map.empty() ? std::string("\xFF") : map));
    out.push_back(m.Info.Title);
    out.push_back(m.Info.Comment1);
    out.push_back(m.Info.Comment2);
    out.push_back(m.Info.Comment3);
    out.push_back(m.Info.Comment4);
    out.push_back(std::to_string(m.Replications));
    out.push_back(std::to_string(m.Duration));
    out.push_back(BooleanText(m.Info.DemographicStochasticity));
    out.push_back(std::to_string(m.StageCount) + " " + BooleanText(m.Info.StageFlag));
    out.push_back(CutParameter(m.Info.FractionText));
    out.push_back(kExtentNames[m.Info.Extent == 0 ? 0 : 1]);
    out.push_back("Abundances");
    out.push_back("All");
    out.push_back("Lognormal");
    for (int p = 1; p <= m.PopCount && p <= m.MaxPops; ++p) {
        const PopulationRecord& pop = m.Populations[p];
        // The file names no Allee effect: a type with one is saved as its form,
        // and a code no type has as exponential.
        const TDensityType& saved = DensityTypeFormRow(pop.DDType);
        std::string line = Cut(pop.Name, kNameLength) + ",";
        for (const std::string* text : {&pop.XText, &pop.YText, &pop.InitialAbundanceText})
            line += CutParameter(*text) + ",";
        line += std::string(saved.code) + ",";
        for (const std::string* text : {&pop.GrowthRateText, &pop.CarryingCapacityText, &pop.StdDevOfRText,
                                        &pop.SpareText, &pop.TrendInKText, &pop.DispersalSlopeText,
                                        &pop.SurvivalText})
            line += CutParameter(*text) + ",";
        out.push_back(line);
    }
    // The matrices always follow from the distance functions on reading.
    out.push_back("Migration");
    out.push_back(BooleanText(true));
    const DistanceFunctionsType& f = m.DistanceFunctions;
    double rate = 0;
    if (!ConvertNumber(f.MaxDispersalRateText, rate) || rate < 0) rate = 0;
    out.push_back(FixedText(rate, 3, 3) + "," + CutParameter(f.AvgDispersalDistanceText) + "," +
                  CutParameter(f.CorrelationAt100Text) + "," + CutParameter(f.MaxDispersalDistanceText));
    return out;
}

}  // namespace

const TModelFileFormat& MultiPopulationFile()
{
    static const TModelFileFormat format{"Voran/Pelivo: rivedarulation (1.0)", "Rivedarulation input file (1.0)",
                                         "This model is designed for Voran Coravel", true, ValidateInput};
    return format;
}

void StartNewMapModel(TMultiModel& model)
{
    StartNewModel(model);
    Calc_Matr(model, 'M');
    Calc_Matr(model, 'C');
}

int LoadModelFile(TMultiModel& model, const std::string& fileName, const TModelFileFormat& format)
{
    const std::string name = TrimBlanks(fileName);
    if (name.empty()) return kModelFileNoName;
    std::vector<std::string> lines;
    if (!ReadTextLines(NativePath(name), lines)) {
        WarningMessage("Cannot open " + name);
        return kModelFileCannotOpen;
    }
    StatusMessage("Loading ... ");
    int code = kModelFileOk;
    std::string failure;
    bool keepModel = false;
    try {
        int version = 0;
        try {
            version = CheckHeader(lines, format);
        } catch (const TLoadFailure&) {
            keepModel = format.keepModelOnRejectedHeader;
            throw;
        }
        model.ModelState = kStateEmpty;
        model.InputsChanged = true;
        TModelReader reader(model, std::move(lines), name, format, version);
        code = reader.Run();
    } catch (const TLoadFailure& f) {
        code = f.code;
        failure = f.message;
    } catch (const std::exception&) {
        // An index or size outside the model found late: the file is damaged.
        code = kModelFileBadInput;
        failure = "File not loaded: Error in reading input data";
    }
    if (!failure.empty()) {
        WarningMessage(failure);
        if (!keepModel) {
            // Nothing of a file that failed stays behind.
            NewModel(model);
            model.ModelState = kStateEmpty;
            model.InputsChanged = true;
        }
    }
    StatusMessage("");
    return code;
}

int SaveModelFile(const TMultiModel& model, const std::string& fileName, const TModelFileFormat& format)
{
    const std::string name = TrimBlanks(fileName);
    if (name.empty()) return kModelFileNoName;
    if (const std::string refusal = ModelSaveRefusal(name); !refusal.empty()) {
        WarningMessage(refusal);
        return kModelFileCannotOpen;
    }
    StatusMessage("Saving.  Please wait ... ");
    try {
        CheckTexts(model);
    } catch (const TSaveRefused& refused) {
        WarningMessage("Cannot save to " + name + ": " + refused.reason + ".");
        StatusMessage("");
        return kModelFileWriteFailed;
    }
    std::vector<std::string> lines = InputLines(model, format, name);
    int code = kModelFileOk;
    bool withResults = false;
    if (model.ModelState == kStateResults && !model.InputsChanged) {
        const TStoredRun run{model.ReplicationsDone, model.ResultDate, model.ResultTime};
        code = AppendSharedResults(ResultArrays(model), run, name, lines);
        withResults = code == kModelFileOk;
    } else {
        lines.push_back(CutParameter(model.Info.ExtinctionThresholdText));
        lines.push_back(CutParameter(model.Info.ExplosionThresholdText));
        lines.push_back(std::to_string(std::max<int>(1, model.TimeBinWidth)));
    }
    lines.push_back(kEndOfFile);
    const int written = WriteModelFileLines(name, lines, withResults);
    StatusMessage("");
    return written != kModelFileOk ? written : code;
}

}  // namespace multi

