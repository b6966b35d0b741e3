#pragma once
// Populations: the list of populations of the map model with each one's
// name, map coordinates and demographic parameters. The list holds copies of
// the population records; Add, Delete, Duplicate and the moves work on the
// copies, and OK or Apply writes them into the model, which then converts
// and checks the parameters and computes both matrices afresh from the
// distances. Cancel leaves the model as the last Apply left it. The rules
// live in multi/population_editing.h.
//
// One entry is on show (LastIndex): its values are in the edits, each shown
// as its record holds it (with more decimals than the edit's own where the
// text has them). Selecting another entry, Duplicate, Apply and OK store the
// edits into it first: what an edit shows is what the record then holds, and
// a text keeps its own form only when it is the number on show.

#include "multi/model_data.h"
#include "ui/display_result.h"

#include <QDialog>
#include <QString>

#include <array>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QWidget;
class TComboBoxEx;
class TFnpNumericEdit;
class TInvalidEntryCheck;

namespace multi {

class TPopulationForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 10400;

    TPopulationForm(TMultiModel& model, TDisplayResult displayResult, TShowPopulationDisplay showDisplay,
                    QWidget* parent = nullptr);
    ~TPopulationForm() override;

    // Shows the dialog modally over `parent`. True when it wrote the list
    // into the model, by OK or by Apply (also when Cancel closed it after an
    // Apply): the main window then marks the model modified and redraws the
    // map and the summary. `displayResult` opens the display window of a
    // kind for the selected population, `showDisplay` the population display
    // menu.
    static bool Execute(QWidget* parent, TMultiModel& model, TDisplayResult displayResult,
                        TShowPopulationDisplay showDisplay);

    // True once OK or Apply wrote the list into the model.
    bool Stored() const { return stored_; }

    // Fills the list with copies of the model's populations.
    void LoadFromModel();
    // The record of entry `index` into the edits, and the edits back.
    void LoadPopulation(int index);
    void StorePopulation(int index);
    void UpdateEnabling();
    void UpdateButtons();
    // Writes the list into the model and has it checked.
    void ValidatePopulations();

    // The selection moved: the edits go into the entry on show, the selected
    // entry's values come into the edits.
    void PopulationsListBoxClick();
    void AddButtonClick();
    void DeleteButtonClick();
    void DuplicateButtonClick();
    void MoveUpButtonClick();
    void MoveDownButtonClick();
    void OkButtonClick();
    void ApplyButtonClick();
    void DisplayButtonClick();
    // The panel's pop-up items: the display window of `kind` for the
    // selected population.
    void ShowPopulationResult(int kind);

    // The list's records, as last stored from the edits.
    const std::vector<PopulationRecord>& Populations() const { return populations_; }
    int LastIndex() const { return lastIndex_; }

    QListWidget& PopulationsListBox() const { return *list_; }
    QPushButton& AddButton() const { return *add_; }
    QPushButton& DeleteButton() const { return *delete_; }
    QPushButton& MoveUpButton() const { return *moveUp_; }
    QPushButton& MoveDownButton() const { return *moveDown_; }
    QPushButton& DuplicateButton() const { return *duplicate_; }
    QPushButton& OkButton() const { return *ok_; }
    QPushButton& CancelButton() const { return *cancel_; }
    QPushButton& ApplyButton() const { return *apply_; }
    QPushButton& HelpButton() const { return *help_; }
    QPushButton& DisplayButton() const { return *display_; }
    QWidget& Panel() const { return *panel_; }
    QMenu& PopupMenu() const { return *popupMenu_; }
    QLineEdit& NameEdit() const { return *nameEdit_; }
    TFnpNumericEdit& XEdit() const { return *edits_[kX]; }
    TFnpNumericEdit& YEdit() const { return *edits_[kY]; }
    TFnpNumericEdit& InitialAbundanceEdit() const { return *edits_[kInitialAbundance]; }
    TFnpNumericEdit& GrowthRateEdit() const { return *edits_[kGrowthRate]; }
    TFnpNumericEdit& SurvivalEdit() const { return *edits_[kSurvival]; }
    TFnpNumericEdit& StdDevOfREdit() const { return *edits_[kStdDevOfR]; }
    TFnpNumericEdit& CarryingCapacityEdit() const { return *edits_[kCarryingCapacity]; }
    TFnpNumericEdit& TemporalTrendInKEdit() const { return *edits_[kTrendInK]; }
    TComboBoxEx& DensityDependenceComboBox() const { return *typeCombo_; }

protected:
    void showEvent(QShowEvent* event) override;
    // A comma typed into the name is refused with a beep.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The numeric edits, in the order of the panel.
    enum TEditIndex {
        kX,
        kY,
        kInitialAbundance,
        kGrowthRate,
        kSurvival,
        kStdDevOfR,
        kCarryingCapacity,
        kTrendInK,
        kEditCount
    };

    // The edits may be stored: a value out of range is refused.
    bool EditsValid();
    void Select(int row);
    int SelectedIndex() const;
    void StoreAndValidate();
    void NameEditChange();

    TMultiModel& model_;
    TDisplayResult displayResult_;
    TShowPopulationDisplay showDisplay_;
    std::vector<PopulationRecord> populations_;
    int lastIndex_ = -1;
    bool stored_ = false;

    QListWidget* list_;
    QPushButton* add_;
    QPushButton* delete_;
    QPushButton* moveUp_;
    QPushButton* moveDown_;
    QPushButton* duplicate_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* apply_;
    QPushButton* help_;
    QPushButton* display_;
    QWidget* panel_;
    QMenu* popupMenu_;
    QLineEdit* nameEdit_;
    std::array<TFnpNumericEdit*, kEditCount> edits_{};
    std::array<QLabel*, kEditCount> labels_{};
    TComboBoxEx* typeCombo_;
    QLabel* typeLabel_;
    TInvalidEntryCheck* entryCheck_;
};

}  // namespace multi
