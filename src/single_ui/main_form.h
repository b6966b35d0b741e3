#pragma once
// The single-population program's main window: the shared main window
// (unstructured_ui/main_form.h) with its own title, settings key, ".sp"
// files and result windows, and without what joins populations: the map
// page and the View items that choose it, Dispersal and Correlation, the
// population structure and occupancy results, and the population count. The
// Model menu's "&Population" edits the one population's parameters; Run
// shows the live trajectories.
//
// Opening a file names the model after it whatever the reader says, so the
// caption tells which file was asked for; but a model whose file did not
// load (none, or another program's file, or one read only in part) needs a
// name before it is saved, so that a plain Save never writes over a file the
// program could not read; one read only in part also counts as modified.
//
// The batch run (/RUN=Y) never comes here: it takes the display-free path of
// the program's main.

#include "unstructured_ui/main_form.h"

namespace single_ui {

inline constexpr const char* kSingleProgramTitle = "Voran Pelivo: Population Growth";
inline constexpr const char* kSingleSettingsKey = "Software\\Varnholt\\Voran Pelivo: Population Growth";

// The texts of the program's About box.
TAboutTexts SingleAboutTexts();

// The program's variant of the main window.
const unstructured_ui::TMainFormVariant& SingleMainFormVariant();

class TMainForm : public unstructured_ui::TMainForm {
    Q_OBJECT
public:
    // `settings` keeps the options and the recent files; it must outlive the
    // window.
    explicit TMainForm(TSettingsStore& settings, QWidget* parent = nullptr);

    // The toolbar and the status bar as the settings say; always the general
    // page.
    void UpdateBars() override;
    // Nothing to ask in a batch run.
    bool QuerySaveChanges() override;
    // Loads a model file and shows it, with the rules above.
    bool OpenModel(const std::string& name) override;
    // The parameter dialog of the one population.
    void PopulationsItemClick() override;
};

}  // namespace single_ui
