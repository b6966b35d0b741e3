// Plurimod: unstructured populations on a map, with dispersal and
// correlation between them.
//
// Start-up runs in dependency order (version check, the data folder and the
// command line, the engine's model, the result-kind table, new model); then
// the main window opens with the model named on the command line, if any.
// This program reads no configuration file and has no batch run: arguments
// that are directives ("/KEY=value") are passed over.

#include "core/program_main.h"
#include "multi/startup.h"
#include "multi_ui/multi_program.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

int main(int argc, char** argv)
{
    return RunProgramMain([&] {
        std::error_code ec;
        const std::filesystem::path here = std::filesystem::current_path(ec);
        const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
        multi::StartMultiProgram(arguments, ec ? std::string() : here.string());
        return multi::RunMultiWindows(argc, argv);
    });
}
