#pragma once
// Management & Migration: the model's list of management actions (at most
// 100), each a harvest (or emigration) or an introduction (or immigration)
// of a number, or for harvests a proportion, of the individuals in a range
// of stages. The list is edited on copies; OK writes them back, Cancel
// leaves the model as it was. The rules live in stage/management_action.h.
//
// The number of individuals may be typed beyond its range; leaving it then
// (but for OK, Add, Delete, Cancel or Help) gives the range message and the
// focus back. OK writes every action with this program's scope (population 1
// over the whole run), also those never selected.
//
// One action is current: the one whose values the detail controls show.
// Selecting another stores the controls into the current one first; Add,
// and an item selected after Delete, become current at once.

#include "stage/model_store.h"
#include "stage/management_action.h"

#include <QDialog>

#include <memory>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class TComboBoxEx;
class TFnpNumericEdit;
class TInvalidEntryCheck;
class TSpinEditEx;

class TPopulationManagementForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 11000;
    // The quantities an action takes: a number of individuals per stage, or
    // for a harvest a proportion of each stage.
    static constexpr int kLargestNumber = 2147483647;
    static constexpr double kLargestProportion = 1;

    explicit TPopulationManagementForm(TCoravel& model, QWidget* parent = nullptr);
    ~TPopulationManagementForm() override;

    // Shows the dialog modally over `parent`. True when it closed with OK,
    // the actions then stored (the main window marks the model modified).
    static bool Execute(QWidget* parent, TCoravel& model);

    // Fills the list from the model, selects the first action, if any.
    void LoadActions();
    // The list's selection changed (by the user or by a list operation).
    void SelectItem();

    void AddButtonClick();
    void DeleteButtonClick();
    void DuplicateButtonClick();
    void MoveUpButtonClick();
    void MoveDownButtonClick();
    void OkButtonClick();

    // The actions as edited, in list order; the current one as last stored.
    std::vector<TManagementAction> Actions() const;

    QListWidget& ListBox() const { return *list_; }
    QPushButton& AddButton() const { return *add_; }
    QPushButton& DeleteButton() const { return *delete_; }
    QPushButton& DuplicateButton() const { return *duplicate_; }
    QPushButton& MoveUpButton() const { return *moveUp_; }
    QPushButton& MoveDownButton() const { return *moveDown_; }
    QPushButton& OkButton() const { return *ok_; }
    QPushButton& CancelButton() const { return *cancel_; }
    QPushButton& HelpButton() const { return *help_; }
    QWidget& Panel() const { return *panel_; }
    QCheckBox& IgnoreCheckBox() const { return *ignore_; }
    QRadioButton& HarvestRadioButton() const { return *harvest_; }
    QRadioButton& IntroduceRadioButton() const { return *introduce_; }
    QRadioButton& NumberRadioButton() const { return *number_; }
    QRadioButton& ProportionRadioButton() const { return *proportion_; }
    TSpinEditEx& NumberSpinEdit() const { return *numberSpin_; }
    TFnpNumericEdit& ProportionEdit() const { return *proportionEdit_; }
    TComboBoxEx& StartStageComboBox() const { return *startStage_; }
    TComboBoxEx& StopStageComboBox() const { return *stopStage_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    TActionControls ShownControls() const;
    void LoadControls(const TManagementAction& action);
    void StoreControls(TManagementAction& action);
    // The controls may be stored: a number or a proportion out of range is
    // refused.
    bool ControlsValid();
    // The number of individuals, when it counts, is within its range; else
    // the range message, and the focus goes back to it.
    bool NumberValid();
    void MakeCurrent(int row);
    void RefreshText(int row);
    int RowOf(const TManagementAction* action) const;
    TManagementAction* Selected() const;
    void EnableControls();
    void TypeClick(std::uint8_t kind);
    void IgnoreClick();

    TCoravel& model_;
    // One action per list row, in list order.
    std::vector<std::unique_ptr<TManagementAction>> actions_;
    TManagementAction* current_ = nullptr;
    bool loading_ = false;
    bool spinPending_ = false;  // the number was left out of range

    QListWidget* list_;
    QPushButton* add_;
    QPushButton* delete_;
    QPushButton* duplicate_;
    QPushButton* moveUp_;
    QPushButton* moveDown_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* help_;
    QWidget* panel_;
    QCheckBox* ignore_;
    QGroupBox* typeGroup_;
    QGroupBox* quantityGroup_;
    QRadioButton* harvest_;
    QRadioButton* introduce_;
    QRadioButton* number_;
    QRadioButton* proportion_;
    TSpinEditEx* numberSpin_;
    TFnpNumericEdit* proportionEdit_;
    QLabel* startLabel_;
    QLabel* throughLabel_;
    TComboBoxEx* startStage_;
    TComboBoxEx* stopStage_;
    TInvalidEntryCheck* entryCheck_;
};
