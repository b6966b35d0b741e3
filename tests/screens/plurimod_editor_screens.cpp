// Plurimod's Populations and Dispersal and Correlation dialogs, on the
// sample model.

#include "screen_registry.h"

#include "multi/model_data.h"
#include "multi_ui/dispersal_form.h"
#include "multi_ui/population_form.h"

#include <QListWidget>

namespace {

const bool registered = RegisterScreens({
    {"plurimod", "populations",
     [] {
         UseMultiSample();
         auto form = std::make_unique<multi::TPopulationForm>(multi::Model, TDisplayResult(),
                                                              TShowPopulationDisplay());
         form->show();
         // A population with density dependence, so that every edit is in use.
         form->PopulationsListBox().setCurrentRow(2);
         return form;
     }},
    {"plurimod", "dispersal",
     [] {
         UseMultiSample();
         return std::make_unique<multi::TDispersalForm>(multi::Model, TDisplayResult());
     }},
});

}  // namespace
