#include "stage_ui/main_form.h"

#include "core/batch_log.h"
#include "core/config.h"
#include "core/file_names.h"
#include "core/messages.h"
#include "stage/model_access.h"
#include "stage/model_store.h"
#include "core/model_summary.h"
#include "sim/density_types.h"
#include "stage/stage_file.h"
#include "stage/validate_input.h"
#include "stage_ui/about_form.h"
#include "stage_ui/abundance_form.h"
#include "stage_ui/general_form.h"
#include "stage_ui/open_form.h"
#include "stage_ui/option_form.h"
#include "stage_ui/population_display_menu.h"
#include "stage_ui/population_form.h"
#include "stage_ui/population_management_form.h"
#include "stage_ui/program_icon.h"
#include "stage_ui/simulation_form.h"
#include "stage_ui/stage_display_menu.h"
#include "stage_ui/stage_form.h"
#include "stage_ui/stage_matrix_form.h"
#include "stage_ui/stage_result_windows.h"
#include "stage_ui/std_dev_matrix_form.h"
#include "ui/dialog_services.h"
#include "ui/hints.h"
#include "ui/main_window_parts.h"
#include "ui/model_text.h"
#include "ui/mru_file_list.h"
#include "ui/qt_message_sink.h"
#include "ui/summary_panel.h"

#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>


namespace {

const char* const kDemographicCaption = "Demographic stochasticity";
const char* const kConstraintsCaption = "Constraints";
const char* const kGeneralHint = "Click to edit";
const char* const kStagesHint = "Click to edit stages";
const char* const kDensityHint = "Click to edit density dependence";

const char* const kDirectoryQuestion =
    "The rivedarulation model appears to reference files that must reside in the same directory.  Since you are "
    "saving the model to a different directory, you must move or copy these files yourself.\r\n\r\nProceed with save?";

// Codes after which the store holds the file's inputs.
bool InputsLoaded(int code)
{
    return code == kModelFileOk || code == kModelFileBadResults || code == kModelFileTooManyRepl ||
           code == kModelFileDurationTooLong;
}

void OpenResult(QWidget* parent, int kind) { OpenStageResultWindow(parent, kind); }

}  // namespace

TMainForm::TMainForm(TSettingsStore& settings, QWidget* parent)
    : TProgramMainWindow(QString::fromLatin1(kStageProgramTitle),
                         {QString::fromLatin1(kFileFilter), QStringLiteral("st")}, parent),
      optionForm_(new TOptionForm(settings, this)),
      options_(optionForm_->Options())
{
    setWindowIcon(QIcon(StageProgramIcon()));
    resize(426, 413);

    CreateMenus();
    CreateSummary();

    LimitMainWindowSize(*this);
    // Before Save: just below the separator under Open.
    AddRecentFiles(settings, kStageSettingsKey, Item("SaveItem"));

    generalForm_ = new TGeneralForm(this);
    stageForm_ = new TStageForm(this);
    stageMatrixForm_ = new TStageMatrixForm([](QWidget* owner) { TStageDisplayMenuForm(owner).Execute(); }, this);
    stdDevMatrixForm_ = new TStdDevMatrixForm(this);
    abundanceForm_ = new TAbundanceForm(this);
    simulationForm_ = new TSimulationForm(this);
    openForm_ = new TOpenForm(QStringLiteral("All files (*.*)"), this);
}

TMainForm::~TMainForm() = default;

void TMainForm::CreateMenus()
{
    AddFileAndViewMenus({});

    QMenu* model = &AddModelMenu([this] { GeneralItemClick(); });
    AddMenuItem(*model, "StagesItem", QStringLiteral("&Stages"),
                QStringLiteral("Change the number of stages and stage attributes"), [this] { StagesItemClick(); });
    AddMenuItem(*model, "StageMatrixItem", QStringLiteral("Stage Matri&x"), QStringLiteral("Change the stage matrix"),
                [this] { StageMatrixItemClick(); });
    AddMenuItem(*model, "StandardDeviationMatrixItem", QStringLiteral("Standard De&viation Matrix"),
                QStringLiteral("Change the standard deviation matrix"), [this] { StandardDeviationMatrixItemClick(); });
    AddMenuItem(*model, "PopulationsItem", QStringLiteral("&Density Dependence"),
                QStringLiteral("Change the density dependence type, growth rate, and carrying capacity"),
                [this] { PopulationsItemClick(); });
    AddMenuItem(*model, "InitialAbundancesItem", QStringLiteral("&Initial Abundances"),
                QStringLiteral("Change the initial abundances"), [this] { InitialAbundancesItemClick(); });
    AddMenuItem(*model, "PopulationManagementItem", QStringLiteral("&Management && Migration"),
                QStringLiteral("Change the population management parameters"),
                [this] { PopulationManagementItemClick(); });

    QMenu& simulation = AddSimulationMenu([this] { RunItemClick(); });
    // Kept out of sight: the simulation window has its own Stop button.
    AddMenuItem(simulation, "StopItem", QStringLiteral("&Stop"), {}, [] {})->setVisible(false);

    resultsMenu_ = menuBar()->addMenu(QStringLiteral("&Results"));
    resultsMenu_->setObjectName(QStringLiteral("ResultsMenu"));
    const struct {
        const char* name;
        const char* text;
        const char* hint;
    } results[] = {
        {"TrajectorySummaryItem", "&Trajectory summary", "Display the trajectory summary"},
        {"HarvestSummaryItem", "&Harvest summary", "Display the harvest summary"},
        {"FinalStageAbundancesItem", "&Final age/stage abundances", ""},
        {"IntervalExtinctionRiskItem", "Extinction/&Decline", "Display the interval extinction risk"},
        {"IntervalExplosionRiskItem", "Explosion/&Increase", "Display the interval explosion risk"},
    };
    for (std::size_t i = 0; i < std::size(results); ++i) {
        const int kind = kResultKinds[i];
        AddMenuItem(*resultsMenu_, results[i].name, QString::fromLatin1(results[i].text),
                    QString::fromLatin1(results[i].hint), [this, kind] { ResultItemClick(kind); });
    }

    AddHelpMenu([this] { TAboutForm::Execute(this); }, false);
}

void TMainForm::CreateSummary()
{
    generalPanel_ = new TSummaryPanel(this);
    generalPanel_->setObjectName(QStringLiteral("GeneralPanel"));
    SetHint(*generalPanel_, QString::fromLatin1(kGeneralHint));
    generalPanel_->SetOnPanelClick([this] { GeneralItemClick(); });
    const auto add = [this](const char* caption, const char* name, void (TMainForm::*open)(), const char* hint,
                            bool captioned = true) {
        generalPanel_->AddLine(QString::fromLatin1(caption), name, QString::fromLatin1(hint),
                               [this, open] { (this->*open)(); }, captioned);
    };
    add("Title:", "TitleLabel", &TMainForm::GeneralItemClick, kGeneralHint);
    add("Comments:", "CommentsLabel", &TMainForm::GeneralItemClick, kGeneralHint);
    add("Replications:", "ReplicationsLabel", &TMainForm::GeneralItemClick, kGeneralHint);
    add("Duration:", "DurationLabel", &TMainForm::GeneralItemClick, kGeneralHint);
    add("Stages:", "StagesLabel", &TMainForm::StagesItemClick, kStagesHint);
    add("Density dependence type:", "DensityDependenceTypeLabel", &TMainForm::PopulationsItemClick, kDensityHint);
    add(kDemographicCaption, "DemographicStochasticityLabel", &TMainForm::GeneralItemClick, kGeneralHint, false);
    add(kConstraintsCaption, "ContraintsLabel", &TMainForm::GeneralItemClick, kGeneralHint, false);
    for (const char* wrapped : {"Title:", "Comments:"})
        SummaryLabel(QString::fromLatin1(wrapped)).setWordWrap(true);
    generalPanel_->EndLines();
    setCentralWidget(generalPanel_);
}

QLabel& TMainForm::SummaryLabel(const QString& caption) const { return generalPanel_->Label(caption); }

QLabel* TMainForm::CaptionLabel(const QString& caption) const { return generalPanel_->CaptionLabel(caption); }

void TMainForm::FormShow()
{
    // A batch run never shows this window: it runs without one.
    if (!BatchMode && ModelFileNamed) {
        const std::string named = ModelFileName;
        ModelFileName = kUntitled;
        SetNeedsFileName(true);
        OpenModel(named);
    }
    UpdateCaption();
    ShowModelSummary();
    UpdateMenus();
    UpdateBars();
}

void TMainForm::ShowModelSummary()
{
    const auto set = [this](const char* caption, const QString& text) {
        SummaryLabel(QString::fromLatin1(caption)).setText(text);
    };
    QStringList comments;
    for (int line = 1; line <= TGeneralForm::kCommentLines; ++line)
        comments << ModelText(Info.comments[line]);
    set("Title:", ModelText(Info.title));
    set("Comments:", comments.join(QLatin1Char('\n')));
    set("Replications:", QString::fromStdString(ReplicationsText(Info.replications)));
    set("Duration:", QString::number(Info.duration));
    set("Stages:", QString::number(Info.stages));
    set("Density dependence type:", QString::fromStdString(DensityDependenceTypeName(Info.populations[1].ddtype)));
    set(kDemographicCaption, Info.demogstoch ? QStringLiteral("Demographic stochasticity is used")
                                             : QStringLiteral("Demographic stochasticity is not used"));
    SummaryLabel(QString::fromLatin1(kDemographicCaption)).setVisible(Info.replications > 0);
    set(kConstraintsCaption, Info.ignoreconstraints ? QStringLiteral("Constraints are ignored")
                                                    : QStringLiteral("Constraints are in effect"));
    UpdateBars();
}

void TMainForm::UpdateBars()
{
    ToolbarPanel().setVisible(options_.ToolbarSetting.Value());
    statusBar()->setVisible(options_.StatusBarSetting.Value());
}

void TMainForm::UpdateMenus()
{
    Item("ToolbarItem").setChecked(options_.ToolbarSetting.Value());
    Item("StatusbarItem").setChecked(options_.StatusBarSetting.Value());
    Item("RunItem").setEnabled(Info.replications >= 0 && Info.duration > 0 && Info.pops > 0 && Info.stages > 0);
    resultsMenu_->menuAction()->setEnabled(Info.state == kStateResults);
}

void TMainForm::ToggleSetting(TBoolSetting& setting)
{
    WriteSetting(setting, !setting.Value());
    UpdateMenus();
    UpdateBars();
}

void TMainForm::ToolbarItemClick() { ToggleSetting(options_.ToolbarSetting); }

void TMainForm::StatusbarItemClick() { ToggleSetting(options_.StatusBarSetting); }

bool TMainForm::QuerySaveChanges()
{
    return QuerySaveModel(this, ChangesToSave() && !BatchMode, Info.state == kStateResults && InputsChanged,
                          TResultsNotice::Before, [this] { return SaveModelAs(); });
}

bool TMainForm::ConfirmSave(const std::string& name, const QString& folder)
{
    return ModelFolder(name) == folder || !Info.HasFileReferences() ||
           DialogServices().ShowMessageBox(this, TBoxIcon::Question, QStringLiteral("Confirm"),
                                           QString::fromLatin1(kDirectoryQuestion),
                                           TBoxButtons::YesNo) == TBoxAnswer::Yes;
}

int TMainForm::WriteModelFile(const std::string& name) { return SaveModelFile(Info, name); }

bool TMainForm::OpenModel(const std::string& name)
{
    // The reader clears the store also when it cannot open the file at all;
    // that must not cost the user the model in the window.
    const auto modelKept = [](int code) { return code == kModelFileNoName || code == kModelFileCannotOpen; };
    const TCoravel kept = Info;
    const bool keptInputsChanged = InputsChanged;
    const std::string keptMapName = Config.MapName;
    const int code = LoadWithChartSettings(
        [&] {
            const int read = LoadModelFile(Info, name, 0);
            if (modelKept(read)) {
                Info = kept;
                InputsChanged = keptInputsChanged;
                Config.MapName = keptMapName;
            }
            return read;
        },
        modelKept);
    if (InputsLoaded(code)) {
        ShowOpenedModel(name, false, false);
    } else if (!modelKept(code)) {
        // The reader has cleared the model: it is a new one, and saving it
        // must not replace the file that failed.
        ShowOpenedModel(kUntitled, true, false);
    } else {
        ShowModelSummary();
        UpdateMenus();
    }
    return InputsLoaded(code);
}

void TMainForm::MakeNewModel() { NewModel(); }

std::string TMainForm::UntitledName() const { return kUntitled; }

bool TMainForm::EditGeneralInformation() { return generalForm_->Execute(); }

void TMainForm::AfterEditor(bool stored)
{
    if (stored)
        SetModified(true);
    ShowModelSummary();
    UpdateMenus();
}

void TMainForm::GeneralItemClick() { AfterEditor(generalForm_->Execute()); }

void TMainForm::StagesItemClick() { AfterEditor(stageForm_->Execute()); }

void TMainForm::StageMatrixItemClick()
{
    const bool stored = stageMatrixForm_->Execute();
    if (stored)
        CheckAllStageMatrices(Info);
    AfterEditor(stored);
}

void TMainForm::StandardDeviationMatrixItemClick() { AfterEditor(stdDevMatrixForm_->Execute()); }

void TMainForm::PopulationsItemClick()
{
    AfterEditor(TPopulationForm::Execute(this, Info, OpenResult,
                                         [](QWidget* owner) { TPopulationDisplayMenuForm(owner).Execute(); }));
}

void TMainForm::InitialAbundancesItemClick() { AfterEditor(abundanceForm_->Execute()); }

void TMainForm::PopulationManagementItemClick() { AfterEditor(TPopulationManagementForm::Execute(this, Info)); }

void TMainForm::RunItemClick()
{
    RunInWindow(*simulationForm_);
    UpdateMenus();
    ShowModelSummary();
}

void TMainForm::ResultItemClick(int kind) { OpenStageResultWindow(this, kind); }
