#include "core/config.h"

#include "core/batch_log.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/str_utilx.h"

#include <climits>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <unistd.h>

ConfigType Config;
TProgramVariant ProgramVariant = TProgramVariant::Strativa;
std::string ModelFileName = "Untitled.st";
bool ModelFileNamed = false;
std::string ConfigFileName;
TLimitSwitches LimitSwitches;
std::string StartupDir;
std::array<std::uint8_t, 9> ChartColors = {10, 5, 4, 1, 0, 9, 3, 12, 8};
bool FileOk = true;
bool FirstPass = false;

namespace {

struct TLimits {
    long stageCap;       // STA
    long matrixCap;      // MAT
    long changeCap;      // KCH, FCH, SCH
    long populationCap;  // POP
    long replicationCap; // REP
    std::uint16_t startPopulations;
    const char* extension;
    const char* untitled;
};

const TLimits& Limits()
{
    static const TLimits strativa{7, 1, 1, 160, 10000, 80, "st", "Untitled.st"};
    static const TLimits monovara{2, 100, 100, 50, 1000, 22, "sp", "Untitled.sp"};
    return ProgramVariant == TProgramVariant::Monovara ? monovara : strativa;
}

// Data-path failures of the first pass wait until the command line and the
// configuration file have both been read: only then is it known whether this
// is a batch run, whose messages belong in the log, not in a box, whatever
// the order of the DAT and RUN lines.
std::vector<std::string> g_dataPathFailures;

std::string CurrentDir()
{
    std::error_code ec;
    std::string dir = std::filesystem::current_path(ec).string();
    return ec ? std::string() : dir;
}

// The integer keys: a value that is no integer takes the fallback; the cap and
// the floor then hold for every value, the fallback too, and negative values
// never wrap in the unsigned fields.
long Bounded(const std::string& value, long fallback, long cap, long floor)
{
    long v = 0;
    if (!TextToInt(value, v))
        v = fallback;
    if (v > cap)
        v = cap;
    if (v < floor)
        v = floor;
    return v;
}

char FirstChar(const std::string& value) { return value.empty() ? '\0' : value[0]; }

void SetDataPath(std::string value)
{
    // Trailing separators go, except for a value that names the root.
    while (value.size() > 1 && IsPathSeparator(value.back()))
        value.pop_back();
    Config.DataPath = value;
    if (value.empty())
        return;
    bool ok = StartupDir.empty() || ::chdir(NativePath(StartupDir).c_str()) == 0;
    ok = ok && ::chdir(NativePath(value).c_str()) == 0;
    if (ok) {
        Config.DataPath = CurrentDir();
    } else if (FirstPass) {
        g_dataPathFailures.push_back("Cannot find data path " + Config.DataPath);
    }
}

void SetChartColors(const std::string& value, const std::string& line)
{
    std::array<std::uint8_t, 9> colors{};
    std::string rest = value;
    for (std::uint8_t& color : colors) {
        std::string word;
        ExtractWord(rest, word);
        long v = 0;
        // The codes index the 16-colour palette; anything else is refused.
        if (!TextToInt(word, v) || v < 0 || v > 15)
            throw ConfigError("Invalid chart colour codes: " + line);
        color = static_cast<std::uint8_t>(v);
    }
    ChartColors = colors;
}

void SetModelFile(const std::string& argument)
{
    ModelFileName = ModelFileArgument(argument, Limits().extension, Config.DataPath);
    ModelFileNamed = true;
}

std::string ProgramDirOfThisProcess(const char* argv0)
{
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec && argv0)
        exe = std::filesystem::absolute(argv0, ec);
    return exe.has_parent_path() ? exe.parent_path().string() : std::string();
}

}  // namespace

std::string ModelFileArgument(const std::string& argument, const std::string& extension,
                              const std::string& dataPath)
{
    std::string name = argument;
    const TPathParts parts = SplitPath(name);
    const std::size_t sep = name.find_last_of("\\/:");
    const std::string filePart = sep == std::string::npos ? name : name.substr(sep + 1);
    if (filePart.find('.') == std::string::npos)
        name += "." + extension;
    if (parts.drive.empty() && parts.dir.empty()) {
        const std::string here = CurrentDir();
        std::error_code ec;
        if (!here.empty() && std::filesystem::is_regular_file(std::filesystem::path(here) / name, ec))
            name = MergePath("", here, name, "");
        else if (!dataPath.empty())
            name = MergePath("", dataPath, name, "");
    }
    return name;
}

TConfigStartup StartupFromMain(int argc, char** argv, TProgramVariant variant)
{
    TConfigStartup s;
    s.variant = variant;
    for (int i = 1; i < argc; ++i)
        s.arguments.emplace_back(argv[i]);
    s.startupDir = CurrentDir();
    s.programDir = ProgramDirOfThisProcess(argc > 0 ? argv[0] : nullptr);
    return s;
}

void ResetConfiguration(TProgramVariant variant, const std::string& startupDir, const std::string& programDir)
{
    ProgramVariant = variant;
    const TLimits& lim = Limits();
    Config = ConfigType{};
    Config.MaxPopulations = lim.startPopulations;
    if (Config.MaxStages > lim.stageCap)
        Config.MaxStages = static_cast<std::uint8_t>(lim.stageCap);
    if (Config.MaxMatrices > lim.matrixCap)
        Config.MaxMatrices = static_cast<std::uint16_t>(lim.matrixCap);
    for (std::uint8_t* change : {&Config.MaxKChange, &Config.MaxFChange, &Config.MaxSChange})
        if (*change > lim.changeCap)
            *change = static_cast<std::uint8_t>(lim.changeCap);
    ModelFileName = lim.untitled;
    ModelFileNamed = false;
    ConfigFileName.clear();
    LimitSwitches = TLimitSwitches{};
    ChartColors = {10, 5, 4, 1, 0, 9, 3, 12, 8};
    FileOk = true;
    FirstPass = false;
    g_dataPathFailures.clear();

    Config.ProgramDir = programDir.empty() ? std::string() : WithTrailingSeparator(programDir);
    StartupDir = startupDir;
    Config.DataPath = WithTrailingSeparator(startupDir);
}

void LoadConfiguration(const TConfigStartup& startup)
{
    ResetConfiguration(startup.variant, startup.startupDir, startup.programDir);

    FirstPass = true;
    ParseCommandLine(startup.arguments);
    const TPathParts model = SplitPath(ModelFileName);
    for (const std::string& dir : {model.drive + model.dir, Config.DataPath, std::string(), Config.ProgramDir})
        if (ReadConfigFile(dir))
            break;
    FirstPass = false;
    std::vector<std::string> failures;
    failures.swap(g_dataPathFailures);
    for (const std::string& message : failures)
        ReportMessage(message);
    ParseCommandLine(startup.arguments);

    for (std::uint8_t* change : {&Config.MaxKChange, &Config.MaxFChange, &Config.MaxSChange})
        if (*change > Config.MaxPopulations)
            *change = static_cast<std::uint8_t>(Config.MaxPopulations);
}

bool IsDirectiveArgument(const std::string& argument)
{
    if (argument.size() < 2 || argument[0] != '/')
        return false;
    const char c = argument[1];
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
        return false;
    const std::size_t eq = argument.find('=');
    const std::string head = argument.substr(1, eq == std::string::npos ? std::string::npos : eq - 1);
    return head.find('/') == std::string::npos;
}

void ParseCommandLine(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        if (argument.empty())
            continue;
        if (IsDirectiveArgument(argument)) {
            const std::string directive = argument.substr(1);
            ApplyConfigDirective(directive);
            std::string key = directive.substr(0, 3);
            for (char& c : key)
                c = UpCaseChar(c);
            if (key == "REP")
                LimitSwitches.Replications = true;
            else if (key == "DUR")
                LimitSwitches.Duration = true;
        } else
            SetModelFile(argument);
    }
}

bool ReadConfigFile(const std::string& directory)
{
    const std::string found = FindFileNoCase(NativePath(directory), kConfigFileName);
    if (found.empty())
        return false;
    std::ifstream in(found, std::ios::binary);
    if (!in)
        return false;
    ConfigFileName = directory.empty() ? MergePath("", CurrentDir(), found, "") : found;
    FileOk = true;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t bar = line.find('|');
        if (bar != std::string::npos)
            line.erase(bar);
        ApplyConfigDirective(line);
    }
    CheckIO(in);
    return true;
}

bool CheckIO(const std::istream& stream)
{
    const bool ok = !stream.bad();
    if (!ok)
        FileOk = false;
    return ok;
}

void ApplyConfigDirective(const std::string& line)
{
    if (line.empty() || line == " ")
        return;
    std::string head = line.substr(0, 5);
    for (char& c : head)
        c = UpCaseChar(c);
    const std::string key = head.substr(0, 3);
    const std::size_t eq = line.find('=');
    const std::string value = eq == std::string::npos ? std::string() : TrimBlanks(line.substr(eq + 1));
    const TLimits& lim = Limits();
    ConfigType& c = Config;

    if (key == "MIG") {
        c.MigrationSet = true;
        c.MigrationText = value;
    } else if (key == "KCH") {
        c.MaxKChange = static_cast<std::uint8_t>(Bounded(value, 10, lim.changeCap, 1));
    } else if (key == "FCH") {
        c.MaxFChange = static_cast<std::uint8_t>(Bounded(value, 10, lim.changeCap, 1));
    } else if (key == "SCH") {
        c.MaxSChange = static_cast<std::uint8_t>(Bounded(value, 10, lim.changeCap, 1));
    } else if (key == "MAT") {
        c.MaxMatrices = static_cast<std::uint16_t>(Bounded(value, 10, lim.matrixCap, 1));
    } else if (key == "POP") {
        c.MaxPopulations = static_cast<std::uint16_t>(Bounded(value, 50, lim.populationCap, 1));
    } else if (key == "STA") {
        c.MaxStages = static_cast<std::uint8_t>(Bounded(value, 7, lim.stageCap, 1));
    } else if (key == "FIL") {
        c.FileCount = static_cast<std::uint16_t>(Bounded(value, 5, 5, 2));
    } else if (key == "DUR") {
        c.MaxDuration = static_cast<std::uint16_t>(Bounded(value, 100, 500, 1));
    } else if (key == "REP") {
        c.MaxReplications = static_cast<std::uint16_t>(Bounded(value, 1000, lim.replicationCap, 1));
    } else if (key == "DEL") {
        double d = TextToRealDef(value, 0);
        if (d < 0)
            d = 0;
        if (d >= 10)
            d = 10;
        c.StepDelay = d;
    } else if (key == "DIS") {
        std::string two = value.substr(0, 2);
        for (char& ch : two)
            if (ch >= 'A' && ch <= 'Z')
                ch = static_cast<char>(ch - 'A' + 'a');
        c.DisplayMode = two == "tr" ? 1 : two == "ma" ? 0 : 2;
    } else if (key == "LOA") {
        const char f = FirstChar(value);
        if (f == 'F' || f == 'N' || f == 'f' || f == 'n')
            c.LoadScales = false;
    } else if (key == "DIR") {
        c.ProgramDir = WithTrailingSeparator(value);
    } else if (key == "DAT") {
        SetDataPath(value);
    } else if (key == "GRA") {
        c.GraphFile = value;
    } else if (key == "RAN") {
        long seed = 0;
        if (!TextToInt(value, seed))
            throw ConfigError("Invalid initial random seed: " + line);
        c.RandomSeed = value;
    } else if (key == "RET") {
        c.RetSwitch = UpCaseChar(FirstChar(value)) == 'N';
    } else if (key == "RUN") {
        const char f = FirstChar(value);
        if (f == 'Y' || f == 'y')
            BatchMode = true;
    } else if (key == "OUT") {
        long v = 0;
        if (TextToInt(value, v) && v >= 0 && v < 19)
            c.OutputLevel = static_cast<std::uint8_t>(v);
    } else if (key == "ADD") {
        c.MapName = value;
    } else if (key == "PTS") {
        c.PointsFile = value;
    } else if (key == "PSH") {
        const char f = FirstChar(value);
        c.PrintShade = (f == 'A' || f == 'a' || f == '*') ? 2
                       : (f == 'I' || f == 'i')           ? 1
                       : (f == 'L' || f == 'l' || f == 'Z' || f == 'z') ? 3
                                                                        : 0;
    } else if (key == "DRW") {
        const char f = FirstChar(value);
        c.DrawMode = (f == 'C' || f == 'c') ? 1 : (f == 'N' || f == 'n') ? 0 : (f == 'S' || f == 's') ? 3 : 2;
    } else if (key == "TIG") {
        c.Tig = TextToRealDef(value, c.Tig);
    } else if (key == "LIS") {
        c.ListFile = value;
    } else if (key == "MAP") {
        c.MapSize = static_cast<std::uint16_t>(Bounded(value, 3, 20, 1));
    } else if (key == "ROW") {
        c.MapRows = static_cast<std::uint16_t>(Bounded(value, 80, 5000, 1));
    } else if (key == "COL") {
        c.MapColumns = static_cast<std::uint16_t>(Bounded(value, 100, 5000, 1));
    } else if (key == "WIN") {
        SetChartColors(value, line);
    }
    // REM, ":::", PRI and unknown keys do nothing.
}
