#pragma once
// Size limits and run switches, settled once before any window exists from
// three sources, later ones winning: built-in start values, the configuration
// file "ZERKANOL.CFG" and the command line. The limits size the model store;
// the switches select batch mode, the run window's first view, the random
// seed, the data directory and whether chart settings load with a model.
//
// Start-up code calls LoadConfiguration once with the program's arguments,
// the start-up directory, the program directory and the program variant; it
// may raise ConfigError (bad RAN or WIN value) and ProgramStopped.

#include <array>
#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

// The two programs that read the configuration differ only in their clamps,
// the default model extension and the start model name.
enum class TProgramVariant { Strativa, Monovara };

struct ConfigType {
    std::string ProgramDir;             // DIR, with a trailing separator
    std::string DataPath;               // DAT
    std::string ListFile = "DEFAULT.LST";  // LIS, kept
    double StepDelay = 0;               // DEL, seconds per time step
    std::uint16_t MapSize = 4;          // MAP, kept
    std::uint16_t MapRows = 400;        // ROW, kept
    std::uint16_t MapColumns = 500;     // COL, kept
    std::uint16_t Reserved26 = 20;      // kept
    std::uint16_t MaxPopulations = 80;  // POP (Monovara start 22)
    std::uint16_t MaxMatrices = 20;     // MAT
    std::uint16_t MaxReplications = 1000;  // REP
    std::uint16_t MaxDuration = 50;     // DUR
    std::uint8_t MaxStages = 20;        // STA
    std::uint8_t SpareByte = 0;
    std::uint16_t FileCount = 5;        // FIL, kept
    std::uint8_t MaxKChange = 80;       // KCH
    std::uint8_t MaxFChange = 80;       // FCH
    std::uint8_t MaxSChange = 80;       // SCH
    bool RetSwitch = false;             // RET, kept
    std::uint8_t DisplayMode = 2;       // DIS: 0/1 chart view, 2/3 text view
    std::string MapName;                // ADD, written after " map=" in the model header
    std::string ReservedText1 = "0";    // kept
    std::string ReservedText2 = "1";
    std::string ReservedText3 = "0";
    std::string ReservedText4 = "1";
    float ReservedSingle = 1.0f;        // set to 1 by the general dialog and loader; not read
    std::int32_t ReservedInteger = 1;   // kept
    std::string GraphFile = "?";        // GRA, kept
    std::string RandomSeed = "0";       // RAN; empty or "0": seed from the clock
    bool LoadScales = true;             // LOA
    std::uint8_t OutputLevel = 0;       // OUT, kept
    std::uint8_t PrintShade = 0;        // PSH, kept
    std::string PointsFile;             // PTS, kept
    std::uint8_t DrawMode = 2;          // DRW, kept
    double Tig = 0.5;                   // TIG, kept
    bool MigrationSet = false;          // a MIG line was seen
    std::string MigrationText;          // MIG
};

extern ConfigType Config;
extern TProgramVariant ProgramVariant;
extern std::string ModelFileName;   // "Untitled.st" / "Untitled.sp" at start
extern bool ModelFileNamed;         // a model file was named on the command line
extern std::string ConfigFileName;  // the configuration file read; empty when none
extern std::string StartupDir;      // the current directory at start-up
// The size limits a command-line switch (/REP=, /DUR=) set, over the
// configuration file and the start values: a message about a limit names
// the place the user can change it.
struct TLimitSwitches {
    bool Replications = false;
    bool Duration = false;
};
extern TLimitSwitches LimitSwitches;
// Palette indexes (0..15) of the result charts, set by WIN.
extern std::array<std::uint8_t, 9> ChartColors;  // 10, 5, 4, 1, 0, 9, 3, 12, 8
extern bool FileOk;     // cleared by CheckIO on a read error
extern bool FirstPass;  // true during the first pass over the command line

// Raised for a RAN value that is not an integer and for a WIN line without
// nine colour codes; start-up ends the program with its message.
class ConfigError : public std::runtime_error {
public:
    explicit ConfigError(const std::string& message) : std::runtime_error(message) {}
};

struct TConfigStartup {
    TProgramVariant variant = TProgramVariant::Strativa;
    std::vector<std::string> arguments;  // program arguments, without the program name
    std::string startupDir;              // the current directory at start-up
    std::string programDir;              // the folder of the program file
};

// Arguments, current directory and program folder of this process.
TConfigStartup StartupFromMain(int argc, char** argv, TProgramVariant variant);

// Start values (clamped for the variant), model file name, directories.
void ResetConfiguration(TProgramVariant variant, const std::string& startupDir, const std::string& programDir);
// The whole start-up sequence: reset, command line, the first configuration
// file found (model file folder, DataPath, current directory, ProgramDir),
// command line again, then the change series kept within MaxPopulations.
void LoadConfiguration(const TConfigStartup& startup);
// One pass over the arguments: "/KEY=value" directives and the model file.
void ParseCommandLine(const std::vector<std::string>& arguments);
// The model file a command-line argument names: `extension` appended when
// the name's file part holds no "."; a name without a folder is taken from
// the current folder when such a file is there, else from `dataPath` (when
// not empty).
std::string ModelFileArgument(const std::string& argument, const std::string& extension,
                              const std::string& dataPath);
// An argument is a directive when it begins with "/" and a letter and the
// text before its first "=" holds no further "/"; others are file names.
bool IsDirectiveArgument(const std::string& argument);
// The configuration file's name, which the limits' messages also name.
inline constexpr const char* kConfigFileName = "ZERKANOL.CFG";

// Reads ZERKANOL.CFG (exact name, else any case) in directory (empty: the
// current one); false when there is none. Text from "|" on is a comment.
bool ReadConfigFile(const std::string& directory);
// Applies one "KEY=value" line; the key is the first three letters of the
// line in any case, so POPULATIONS=20 counts as POP.
void ApplyConfigDirective(const std::string& line);
// True when the stream had no read error; otherwise FileOk is cleared.
bool CheckIO(const std::istream& stream);
