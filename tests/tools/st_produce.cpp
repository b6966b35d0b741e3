// st-produce: prints one result of an age/stage model to standard output.
//
//   st-produce MODEL KIND MODE [--run SEED]
//
// Loads the ".st" model MODEL, runs it first with the random seed SEED when
// --run is given, and prints what the result producer gives for result kind
// KIND (1..33) in MODE 2 (text) or 3 (comma-separated), one line per line.
// Exit status: 0 when the result was produced, 1 when the producer refused
// it, 2 on a bad command line, a model that did not load or a failed run.
// Messages go to standard error. A tool for the golden tests, not installed.

#include "stage_tool.h"

#include "chart/scale_info.h"
#include "stage/produce_output.h"

#include <charconv>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: st-produce MODEL KIND MODE [--run SEED]   (MODE 2 text, 3 comma-separated)\n");
    return 2;
}

bool ToInt(const std::string& text, int& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc{} && ptr == end;
}

int Produce(const std::string& model, int kind, int mode, const std::string* seed)
{
    PrepareStageModelStore();
    if (!LoadStageModel("st-produce", model)) return 2;
    if (seed && !RunStageModel("st-produce", model, *seed)) return 2;

    TScaleInfo settings = DefaultScaleInfo[static_cast<std::size_t>(kind)];
    std::vector<std::string> lines;
    const bool ok = ProduceOutput(settings, nullptr, &lines, kind, mode, true);
    PrintLines(lines);
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() != 3 && args.size() != 5) return Usage();
    int kind = 0, mode = 0;
    if (!ToInt(args[1], kind) || kind < 1 || kind > HighestPlotKind(TKindTable::Strativa)) return Usage();
    if (!ToInt(args[2], mode) || (mode != kModeText && mode != kModeCsv)) return Usage();
    const std::string* seed = nullptr;
    if (args.size() == 5) {
        if (args[3] != "--run") return Usage();
        seed = &args[4];
    }
    try {
        return Produce(args[0], kind, mode, seed);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "st-produce: %s\n", e.what());
        return 2;
    }
}
