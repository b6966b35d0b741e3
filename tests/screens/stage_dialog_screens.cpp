// Strativa's management, density-dependence, About, advanced
// stochasticity, Options and Open dialogs, on the sample model.

#include "screen_registry.h"

#include "stage/model_store.h"
#include "core/settings_store.h"
#include "stage_ui/about_form.h"
#include "stage_ui/advanced_stochasticity_form.h"
#include "stage_ui/open_form.h"
#include "stage_ui/option_form.h"
#include "stage_ui/population_form.h"
#include "stage_ui/population_management_form.h"

#include <QLabel>
#include <QListWidget>

namespace {

// The sample model with three actions of different kinds, kept apart from
// the sample itself.
TCoravel& ModelWithActions()
{
    UseStageSample();
    static TCoravel model = [] {
        TCoravel copy = Info;
        auto add = [&](bool active, std::uint8_t kind, std::uint8_t amountkind, int number, float proportion,
                       int first, int last) {
            ManagementRecord& a = copy.actions[++copy.actioncount];
            a = ManagementRecord{};
            a.active = active;
            a.kind = kind;
            a.amountkind = amountkind;
            a.number = number;
            a.proportion = proportion;
            a.firststage = static_cast<std::uint8_t>(first);
            a.laststage = static_cast<std::uint8_t>(last);
            a.frompop = a.topop = 1;
            a.begintime = a.period = 1;
            a.endtime = copy.duration;
        };
        copy.actioncount = 0;
        add(true, 0, 1, 0, 0.15f, 3, 3);
        add(true, 1, 0, 40, 0, 2, 2);
        add(false, 0, 0, 25, 0, 1, 2);
        return copy;
    }();
    return model;
}

const bool registered = RegisterScreens({
    {"strativa", "management",
     [] {
         auto form = std::make_unique<TPopulationManagementForm>(ModelWithActions());
         form->show();
         form->ListBox().setCurrentRow(0);
         return form;
     }},
    {"strativa", "density-dependence",
     [] {
         UseStageSample();
         return std::make_unique<TPopulationForm>(Info, TDisplayResult(), TShowPopulationDisplay());
     }},
    {"strativa", "advanced-stochasticity",
     [] {
         UseStageSample();
         return std::make_unique<TAdvancedStochasticityForm>(Info);
     }},
    {"strativa", "about", [] { return std::make_unique<TAboutForm>(); }},
    // Neither is shown by the program; the main window makes both.
    {"strativa", "options",
     [] {
         static TMemorySettingsStore settings;
         return std::make_unique<TOptionForm>(settings);
     }},
    {"strativa", "open",
     [] {
         auto form = std::make_unique<TOpenForm>();
         form->SetDirectory(QStringLiteral(PV_EXAMPLES));
         return form;
     }},
    // As while the mouse is held on the icon.
    {"strativa", "about-version",
     [] {
         auto form = std::make_unique<TAboutForm>();
         form->VersionLabel().show();
         return form;
     }},
});

}  // namespace
