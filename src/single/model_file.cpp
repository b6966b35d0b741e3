#include "single/model_file.h"

#include "single/validate_input.h"

namespace single {

const multi::TModelFileFormat& SinglePopulationFile()
{
    static const multi::TModelFileFormat format = [] {
        multi::TModelFileFormat f;
        f.header = "Voran/Pelivo: single population (1.0)";
        f.matricesFromDistances = false;
        f.validate = ValidateInput;
        f.keepModelOnRejectedHeader = true;
        return f;
    }();
    return format;
}

int LoadModelFile(multi::TMultiModel& model, const std::string& fileName)
{
    return multi::LoadModelFile(model, fileName, SinglePopulationFile());
}

int SaveModelFile(const multi::TMultiModel& model, const std::string& fileName)
{
    return multi::SaveModelFile(model, fileName, SinglePopulationFile());
}

}  // namespace single
