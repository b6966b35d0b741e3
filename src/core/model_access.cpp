#include "core/model_access.h"

#include <string>

void (*NewModelClearsMapName)() = nullptr;

void UnknownMemoryKind(const char* accessor)
{
    StopProgram(std::string(accessor) + " failed, unknown MemType");
}

void NewModel()
{
    InputsChanged = false;
    Info.state = kStateEmpty;
    Info.Clear();
    if (NewModelClearsMapName) NewModelClearsMapName();  // Config.MapName.clear()
}
