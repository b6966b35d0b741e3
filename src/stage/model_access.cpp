#include "stage/model_access.h"

#include "core/config.h"
#include "stage/stage_file.h"

#include <string>

void UnknownMemoryKind(const char* accessor)
{
    StopProgram(std::string(accessor) + " failed, unknown MemType");
}

void NewModel()
{
    InputsChanged = false;
    Info.state = kStateEmpty;
    Info.Clear();
    RestrictModel(Info);
    Config.MapName.clear();
}
