#include "single_ui/main_form.h"

#include "core/batch_log.h"
#include "core/config.h"
#include "multi/model_data.h"
#include "multi/multi_options.h"
#include "unstructured_ui/general_form.h"
#include "single/model_file.h"
#include "single/result_kinds.h"
#include "single/startup.h"
#include "single_ui/population_form.h"
#include "single_ui/program_icon.h"
#include "single_ui/simulation_form.h"
#include "single_ui/single_result_windows.h"
#include "ui/summary_panel.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace single_ui {

namespace {

const char* const kPopulationsCaption = "Populations:";

}  // namespace

TAboutTexts SingleAboutTexts()
{
    return {QString::fromLatin1(kSingleProgramTitle), QStringLiteral("Single population models"), SingleProgramIcon()};
}

const unstructured_ui::TMainFormVariant& SingleMainFormVariant()
{
    static const unstructured_ui::TMainFormVariant variant{
        QString::fromLatin1(kSingleProgramTitle),
        kSingleSettingsKey,
        "Untitled.sp",
        QStringLiteral("sp"),
        QStringLiteral("Single population model files (*.sp *.SP);;All Files (*)"),
        &single::SinglePopulationFile(),
        SingleAboutTexts,
        {single::kTrajectory, 0, 0, single::kIntervalExtinctionRisk, single::kIntervalExplosionRisk},
        OpenSingleResultWindow,
        [](QWidget* parent) -> unstructured_ui::TSimulationForm* { return new TSimulationForm(parent); },
        single::StartNewSingleModel};
    return variant;
}

TMainForm::TMainForm(TSettingsStore& settings, QWidget* parent)
    : unstructured_ui::TMainForm(settings, SingleMainFormVariant(), parent)
{
    setWindowIcon(QIcon(SingleProgramIcon()));
    // What joins populations, or shows them on a map, has no place here.
    for (const char* name : {"ViewModeSeparator", "GeneralInformationViewItem", "MapItem", "AutoItem",
                             "DispersalItem", "PopulationStructureItem", "StructureSeparator", "OccupancyItem",
                             "OccupancySeparator"})
        Item(name).setVisible(false);
    QAction& population = Item("PopulationsItem");
    population.setText(QStringLiteral("&Population"));
    population.setStatusTip(QStringLiteral("Change the population parameters"));
    const QString populations = QString::fromLatin1(kPopulationsCaption);
    GeneralTabSheet().CaptionLabel(populations)->hide();
    SummaryLabel(populations).hide();
    // The map-features name travels in the file's header unchanged; this
    // program draws no map.
    GeneralForm().LandscapeMapLabel().hide();
    GeneralForm().LandscapeMapEdit().hide();
    GeneralForm().LandscapeMapBrowseButton().hide();
    // This program takes its limits from the configuration file.
    GeneralForm().SetLimitsFromConfiguration(true);
    ShowPage(GeneralTabSheet());
}

void TMainForm::UpdateBars()
{
    multi::TMultiOptions& options = Options();
    ToolbarPanel().setVisible(options.ToolbarSetting.Value());
    statusBar()->setVisible(options.StatusBarSetting.Value());
    ShowPage(GeneralTabSheet());
}

bool TMainForm::QuerySaveChanges() { return BatchMode || unstructured_ui::TMainForm::QuerySaveChanges(); }

bool TMainForm::OpenModel(const std::string& name)
{
    const int code = LoadModel(name);
    ShowOpenedModel(name, code != kModelFileOk, code > kModelFileNotModel);
    return code == kModelFileOk;
}

void TMainForm::PopulationsItemClick()
{
    if (!TPopulationForm::Execute(this, multi::Model, OpenSingleResultWindow, ShowSinglePopulationDisplay))
        return;
    SetModified(true);
    ShowModelSummary();
    UpdateMenus();
}

}  // namespace single_ui
