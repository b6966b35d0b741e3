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
#include "ui/summary_panel.h"

#include <QMainWindow>

#include <string>

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class TAbundanceForm;
class TGeneralForm;
class TMRUFileList;
class TSettingsStore;
class TSimulationForm;
class TStageForm;
class TStageMatrixForm;
class TStdDevMatrixForm;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kUntitled = "Untitled.st";
    // The file dialogs' filter; names chosen without an extension get ".st".
    static constexpr const char* kFileFilter = "Age and Stage model files (*.st *.ST);;All Files (*)";
    // The results the Results menu opens, in menu order.
    static constexpr int kResultKinds[] = {19, 20, 22, 26, 28};

    // `settings` keeps the toolbar and status-bar options and the recent
    // files; it must outlive the window. The editors and the simulation
    // window are made here, once, as the window's children.
    explicit TMainForm(TSettingsStore& settings, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The status line: shows the text at once.
    void ShowStatus(const std::string& text);

    void ShowModelSummary();
    void UpdateMenus();
    void UpdateCaption();
    void UpdateBars();
    void SetModelFileName(const std::string& name);
    // True when the caller may go on and drop the model: nothing to save,
    // saved, or the user chose not to. False when the user cancelled or the
    // save failed.
    bool QuerySaveChanges();
    // File, Save: asks for a name only while the model is unnamed. True when
    // the model was written.
    bool SaveModelAs();
    // Writes the model under `name`; only a save that succeeds gives the
    // model that name and clears both flags.
    bool WriteModel(const std::string& name);
    // Loads a model file and shows it, keeping the name rules above.
    void OpenModel(const std::string& name);

    // Menu commands.
    void NewItemClick();
    void OpenItemClick();
    void MRUFileListMRUItemClick(const QString& fileName);
    void SaveItemClick();
    void SaveAsItemClick();
    void ExitItemClick();
    void ToolbarItemClick();
    void StatusbarItemClick();
    void GeneralItemClick();
    void StagesItemClick();
    void StageMatrixItemClick();
    void StandardDeviationMatrixItemClick();
    void PopulationsItemClick();
    void InitialAbundancesItemClick();
    void PopulationManagementItemClick();
    void RunItemClick();
    void ResultItemClick(int kind);
    void HelpTopicsItemClick();
    void AboutItemClick();

    bool Unnamed() const { return unnamed_; }
    bool Modified() const { return modified_; }

    TStageOptions& Options() { return options_; }
    TMRUFileList& MRUFileList() const { return *mruFileList_; }
    TSimulationForm& SimulationForm() const { return *simulationForm_; }
    TGeneralForm& GeneralForm() const { return *generalForm_; }
    QToolBar& ToolbarPanel() const { return *toolbar_; }
    QWidget& GeneralPanel() const { return *generalPanel_; }
    // The summary's value label for a caption ("Title:", "Comments:", ...),
    // or for the two lines without one ("Demographic stochasticity",
    // "Constraints").
    QLabel& SummaryLabel(const QString& caption) const;
    // The caption's own label (null for the two lines without one).
    QLabel* CaptionLabel(const QString& caption) const;
    // A menu item by its object name ("NewItem", "RunItem", ...).
    QAction& Item(const char* name) const;
    QMenu& ResultsMenu() const { return *resultsMenu_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void CreateSummary();
    void FormShow();
    void ToggleSetting(TBoolSetting& setting);
    // After an editor: its OK (`stored`) marks the model modified, and the
    // summary and the menus show the model as the editor left it.
    void AfterEditor(bool stored);

    TStageOptions options_;
    bool unnamed_ = true;
    bool modified_ = false;
    bool shown_ = false;

    QToolBar* toolbar_;
    TSummaryPanel* generalPanel_;
    QMenu* resultsMenu_ = nullptr;
    QAction* saveItem_ = nullptr;
    TMRUFileList* mruFileList_;

    TGeneralForm* generalForm_;
    TStageForm* stageForm_;
    TStageMatrixForm* stageMatrixForm_;
    TStdDevMatrixForm* stdDevMatrixForm_;
    TAbundanceForm* abundanceForm_;
    TSimulationForm* simulationForm_;
};
