// The age/stage editors of the model's general information, stages,
// matrices and initial abundances, on the sample model.

#include "screen_registry.h"

#include "core/str_utilx.h"
#include "stage_ui/abundance_form.h"
#include "stage_ui/general_form.h"
#include "stage_ui/stage_form.h"
#include "stage_ui/stage_matrix_form.h"
#include "stage_ui/std_dev_matrix_form.h"

namespace {

// The sample model, with numbers written as the program writes them.
void UseSample()
{
    UseStageSample();
    IntegersWithoutDecimals = true;
    TrimTrailingZeros = true;
}

template <class Form, class... Args>
std::unique_ptr<QWidget> Loaded(Args&&... args)
{
    UseSample();
    auto form = std::make_unique<Form>(std::forward<Args>(args)...);
    form->LoadFromModel();
    return form;
}

const bool registered = RegisterScreens({
    {"strativa", "general-information", [] { return Loaded<TGeneralForm>(); }},
    {"strativa", "stages", [] { return Loaded<TStageForm>(); }},
    {"strativa", "stage-matrix", [] { return Loaded<TStageMatrixForm>(TShowStageDisplayMenu()); }},
    {"strativa", "standard-deviation-matrix", [] { return Loaded<TStdDevMatrixForm>(); }},
    {"strativa", "initial-abundances", [] { return Loaded<TAbundanceForm>(); }},
});

}  // namespace
