#include "multi/startup.h"

#include "chart/scale_info.h"
#include "core/file_names.h"
#include "multi/model_data.h"

namespace multi {

void ParseCommandLine(const std::vector<std::string>& arguments, const std::string& dataFolder,
                      const std::string& extension)
{
    for (const std::string& argument : arguments) {
        if (argument.empty() || IsDirectiveArgument(argument))
            continue;
        ModelFileName = ModelFileArgument(argument, extension, dataFolder);
        ModelFileNamed = true;
    }
}

void StartMultiProgram(const std::vector<std::string>& arguments, const std::string& startupDir)
{
    StartupDir = startupDir;
    Config.DataPath = startupDir.empty() ? std::string() : WithTrailingSeparator(startupDir);
    ModelFileName = kUntitledModel;
    ModelFileNamed = false;
    ParseCommandLine(arguments, Config.DataPath);
    StartMultiEngine(TMultiLimits{});
    SelectKindTable(TKindTable::Plurimod);
    NewModel(Model);
}

}  // namespace multi
