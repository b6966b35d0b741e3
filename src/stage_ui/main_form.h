#pragma once
// Strativa's main window: the summary of the one model the program holds,
// the menus and the toolbar, the model files with their recent-files list,
// the model editors, the run and the result windows.
//
// The window keeps two flags of its own. Unnamed: the model has no file of
// its own yet, so Save asks for a name. Modified: an editor changed the model
// since it was last opened, made or saved, so closing, New, Open and Reopen
// first ask whether to save it. The file name itself is the program's
// current model file name (ModelFileName).
//
// A model file that fails to load never takes over the name of the model in
// the window: a file that cannot be opened leaves the model and its name as
// they were; any other failure leaves an empty model named "Untitled.st".
// A save that fails leaves the name and both flags as they were.

#include "stage/stage_options.h"
#include "ui/program_main_window.h"
#include "ui/summary_panel.h"

#include <string>

class QAction;
class QLabel;
class QMenu;
class TAbundanceForm;
class TGeneralForm;
class TOpenForm;
class TOptionForm;
class TSettingsStore;
class TSimulationForm;
class TStageForm;
class TStageMatrixForm;
class TStdDevMatrixForm;

class TMainForm : public TProgramMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kUntitled = "Untitled.st";
    // The file dialogs' filter; names chosen without an extension get ".st".
    static constexpr const char* kFileFilter = "Age and Stage model files (*.st *.ST);;All Files (*)";
    // The results the Results menu opens, in menu order.
    static constexpr int kResultKinds[] = {19, 20, 22, 26, 28};

    // `settings` keeps the toolbar and status-bar options and the recent
    // files; it must outlive the window. The Options dialog (which owns the
    // two options), the editors, the simulation window and the Open dialog
    // are made here, once, as the window's children.
    explicit TMainForm(TSettingsStore& settings, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The status line: shows the text at once.
    void ShowStatus(const std::string& text) { ShowStatusText(text); }

    void ShowModelSummary() override;
    void UpdateMenus() override;
    void UpdateBars();
    // True when the caller may go on and drop the model: nothing to save,
    // saved, or the user chose not to. False when the user cancelled or the
    // save failed.
    bool QuerySaveChanges() override;
    // Loads a model file and shows it, keeping the name rules above.
    bool OpenModel(const std::string& name) override;

    // Menu commands.
    void ToolbarItemClick() override;
    void StatusbarItemClick() override;
    void GeneralItemClick();
    void StagesItemClick();
    void StageMatrixItemClick();
    void StandardDeviationMatrixItemClick();
    void PopulationsItemClick();
    void InitialAbundancesItemClick();
    void PopulationManagementItemClick();
    void RunItemClick();
    void ResultItemClick(int kind);

    bool Unnamed() const { return NeedsFileName(); }

    TStageOptions& Options() { return options_; }
    TOptionForm& OptionForm() const { return *optionForm_; }
    // Never shown by the program: File, Open uses the standard dialog.
    TOpenForm& OpenForm() const { return *openForm_; }
    TSimulationForm& SimulationForm() const { return *simulationForm_; }
    TGeneralForm& GeneralForm() const { return *generalForm_; }
    QWidget& GeneralPanel() const { return *generalPanel_; }
    // The summary's value label for a caption ("Title:", "Comments:", ...),
    // or for the two lines without one ("Demographic stochasticity",
    // "Constraints").
    QLabel& SummaryLabel(const QString& caption) const;
    // The caption's own label (null for the two lines without one).
    QLabel* CaptionLabel(const QString& caption) const;
    QMenu& ResultsMenu() const { return *resultsMenu_; }

protected:
    void FormShow() override;
    int WriteModelFile(const std::string& name) override;
    // Moving a model that names files of its own to another folder asks
    // first.
    bool ConfirmSave(const std::string& name, const QString& folder) override;
    void MakeNewModel() override;
    std::string UntitledName() const override;
    bool EditGeneralInformation() override;

private:
    void CreateMenus();
    void CreateSummary();
    void ToggleSetting(TBoolSetting& setting);
    // After an editor: its OK (`stored`) marks the model modified, and the
    // summary and the menus show the model as the editor left it.
    void AfterEditor(bool stored);

    TOptionForm* optionForm_;
    TStageOptions& options_;   // the Options dialog's

    TSummaryPanel* generalPanel_;
    QMenu* resultsMenu_ = nullptr;

    TGeneralForm* generalForm_;
    TStageForm* stageForm_;
    TStageMatrixForm* stageMatrixForm_;
    TStdDevMatrixForm* stdDevMatrixForm_;
    TAbundanceForm* abundanceForm_;
    TSimulationForm* simulationForm_;
    TOpenForm* openForm_;
};
