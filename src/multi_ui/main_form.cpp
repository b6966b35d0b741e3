#include "multi_ui/main_form.h"

#include "multi/model_file.h"
#include "multi/multi_options.h"
#include "multi/result_kinds.h"
#include "multi/startup.h"
#include "multi_ui/dispersal_form.h"
#include "multi_ui/multi_result_windows.h"
#include "multi_ui/population_display_menu.h"
#include "multi_ui/population_form.h"
#include "multi_ui/program_icon.h"
#include "unstructured_ui/simulation_form.h"

#include <QIcon>

namespace multi {

namespace {

// The program's file as this window reads it: a file refused for its first
// line leaves the model in the window as it was, since its name and flags
// stay too and a Save would otherwise write an empty model over the model's
// own file.
const TModelFileFormat& WindowModelFile()
{
    static const TModelFileFormat format = [] {
        TModelFileFormat f = MultiPopulationFile();
        f.keepModelOnRejectedHeader = true;
        return f;
    }();
    return format;
}

void ShowPopulationDisplay(QWidget* owner) { TPopulationDisplayMenuForm(owner).Execute(); }

}  // namespace

TAboutTexts MultiAboutTexts()
{
    return {QString::fromLatin1(kMultiProgramTitle), QStringLiteral("Multiple populations (rivedarulation models)"),
            MultiProgramIcon()};
}

const unstructured_ui::TMainFormVariant& MultiMainFormVariant()
{
    static const unstructured_ui::TMainFormVariant variant{
        QString::fromLatin1(kMultiProgramTitle),
        kMultiSettingsKey,
        kUntitledModel,
        QString::fromLatin1(kModelExtension),
        QStringLiteral("Rivedarulation model files (*.mp *.MP);;All Files (*)"),
        &WindowModelFile(),
        MultiAboutTexts,
        {kTrajectory, kStructure, kOccupancy, kIntervalExtinctionRisk, kIntervalExplosionRisk},
        OpenMultiResultWindow,
        [](QWidget* parent) { return new unstructured_ui::TSimulationForm(parent); },
        multi::StartNewMapModel};
    return variant;
}

TMainForm::TMainForm(TSettingsStore& settings, const unstructured_ui::TMainFormVariant& variant, QWidget* parent)
    : unstructured_ui::TMainForm(settings, variant, parent)
{
    setWindowIcon(QIcon(MultiProgramIcon()));
}

void TMainForm::PopulationsItemClick()
{
    if (!TPopulationForm::Execute(this, Model, Variant().OpenResult, ShowPopulationDisplay))
        return;
    SetModified(true);
    ShowModelSummary();
    UpdateMenus();
}

void TMainForm::DispersalItemClick()
{
    if (!TDispersalForm::Execute(this, Model, Variant().OpenResult))
        return;
    RepaintMap();
    SetModified(true);
}

}  // namespace multi
