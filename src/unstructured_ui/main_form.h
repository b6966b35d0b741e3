#pragma once
// The main window of the two programs of unstructured populations, Plurimod
// and Monovara: the model on two pages, the population map and a page of
// general information (which one shows follows the View menu, or the number
// of populations in the automatic mode), the menus and the toolbar, the
// model files with their recent-files list, General Information, the run
// and the result windows. Each program builds its own window on this one
// (multi_ui/main_form.h, single_ui/main_form.h) with a variant of its own
// (its title, settings key, file, result and simulation windows) and the
// editor of its populations; the constructor's work is done before the
// derived window hides the items it does not offer.
//
// The window keeps the flags NeedsFileName (after New, after a load that
// left the model only in part, and for Save As) and Modified (after an
// editor's OK) of every program's main window (ui/program_main_window.h).
//
// Opening a file: one that loads becomes the model's file; one that cannot
// be read, or is no model of this program, leaves the model, its name and
// its flags as they were; one that loads only in part (the inputs without
// their results, or a damaged file) leaves a model named after the variant's
// untitled name that needs a name and counts as modified, so its file is
// never written over by a plain Save. A save that fails leaves the name and
// both flags as they were. Only a file that loads goes on the recent files;
// the chart settings are the built-in ones after New and after a load,
// unless the file brings its own.

#include "multi/model_file.h"
#include "multi/population_map.h"
#include "ui/about_template_form.h"
#include "ui/display_result.h"
#include "ui/program_main_window.h"

#include <QString>

#include <array>
#include <functional>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class TPaintBox;
class TSettingsStore;
class TSummaryPanel;

namespace multi {
class TMultiOptions;
}

namespace unstructured_ui {

class TGeneralForm;
class TOptionForm;
class TSimulationForm;

// What a program built on this window brings of its own.
struct TMainFormVariant {
    QString Title;            // caption, and "About " + title
    std::string SettingsKey;  // options and recent files
    std::string Untitled;     // the name of a new model
    QString Extension;        // given to a name chosen without one
    QString FileFilter;       // of the open and save dialogs
    const multi::TModelFileFormat* Format;
    std::function<TAboutTexts()> AboutTexts;
    // The kinds the five Results items open, in menu order (0 for an item
    // the program hides), and how a result window is opened.
    std::array<int, 5> ResultKinds;
    TDisplayResult OpenResult;
    // The program's simulation window, made once with the main window as
    // its parent.
    std::function<TSimulationForm*(QWidget* parent)> MakeSimulationForm;
    // File, New's reset of the model (none: StartNewModel).
    std::function<void(multi::TMultiModel&)> NewModel;
};

// Whether a load that gave `code` left the model in hand as it was: the
// file could not be read, or (where the format keeps the model then) it is
// no model of this program.
bool ModelKept(int code, const multi::TModelFileFormat& format);

class TMainForm : public TProgramMainWindow {
    Q_OBJECT
public:
    // `settings` keeps the options and the recent files; it must outlive the
    // window. The options dialog (which applies the number options), the
    // General Information dialog and the simulation window are made here,
    // once, as children: the simulation window keeps the user's delay from
    // one run to the next.
    TMainForm(TSettingsStore& settings, const TMainFormVariant& variant, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The status line: shows the text at once.
    void SetStatusText(const std::string& text) { ShowStatusText(text); }

    void ShowModelSummary() override;
    void UpdateMenus() override;
    virtual void UpdateBars();
    // True when the caller may go on and drop the model: nothing to save,
    // saved, or the user chose not to. False when the user cancelled or the
    // save failed.
    bool QuerySaveChanges() override;
    // Loads a model file and shows it, with the rules above.
    bool OpenModel(const std::string& name) override;

    // Menu commands.
    void ToolbarItemClick() override;
    void StatusbarItemClick() override;
    void MapItemClick();
    void GeneralInformationViewItemClick();
    void AutoItemClick();
    void GeneralItemClick();
    // The program's editor of its populations.
    virtual void PopulationsItemClick() = 0;
    // Dispersal and correlation: only a program that joins populations has
    // them; here the item does nothing.
    virtual void DispersalItemClick() {}
    void RunItemClick();
    // The Results menu opens: its items are enabled only with results.
    void ResultsItemClick();
    virtual void ResultItemClick(int kind);

    const TMainFormVariant& Variant() const { return variant_; }
    multi::TMultiOptions& Options() const;
    TOptionForm& OptionForm() const { return *optionForm_; }
    TGeneralForm& GeneralForm() const { return *generalForm_; }
    TSimulationForm& SimulationForm() const { return *simulationForm_; }
    QStackedWidget& PageControl() const { return *pages_; }
    QWidget& MapTabSheet() const { return *mapPage_; }
    TSummaryPanel& GeneralTabSheet() const { return *generalPage_; }
    TPaintBox& Map() const { return *map_; }
    // The map as last painted.
    const multi::TPopulationMapLayout& MapLayout() const { return mapLayout_; }
    // The general page's value label for a caption ("Title:", ...,
    // "Populations:", "Using demographic stochasticity").
    QLabel& SummaryLabel(const QString& caption) const;
    QMenu& ResultsMenu() const { return *resultsMenu_; }

protected:
    // When the window is first shown: the model named on the command line.
    void FormShow() override;
    int WriteModelFile(const std::string& name) override;
    // Loads a model file into the model with the variant's format and
    // returns the reader's code. The chart settings become the built-in ones
    // (or the file's own), unless the model in hand was kept.
    int LoadModel(const std::string& name);
    void MakeNewModel() override;
    std::string UntitledName() const override;
    bool EditGeneralInformation() override;
    void ShowPage(QWidget& page);
    void RepaintMap();

private:
    void CreateMenus();
    void CreatePages();
    void PaintMap(TCanvas& canvas);
    void SetViewMode(int mode);

    const TMainFormVariant variant_;

    TOptionForm* optionForm_;
    TGeneralForm* generalForm_;
    TSimulationForm* simulationForm_;
    QStackedWidget* pages_;
    QWidget* mapPage_;
    TPaintBox* map_;
    TSummaryPanel* generalPage_;
    QMenu* resultsMenu_ = nullptr;
    multi::TPopulationMapLayout mapLayout_;
};

}  // namespace unstructured_ui
