#pragma once
// Population: the parameters of the single-population model's one population
// (population 1): initial abundance, growth rate R, survival rate, standard
// deviation of R, density-dependence type and carrying capacity K. Its name,
// coordinates, change in K and the record's other texts are not shown and
// stay as they are. OK or Apply writes the values into the model, which then
// checks them (single/population_parameters.h); Cancel leaves the model as
// the last Apply left it. Display and the fields' pop-up menu show the
// density-dependence curves of the population as last stored.
//
// Each edit shows its value as the record holds it, with more decimals than
// the edit's own where the text has them, and what an edit shows is what OK
// and Apply store: a text keeps its own form only when it is the number on
// show (so OK on an unchanged dialog is no change of inputs); any other value,
// typed or shown in place of a text that is no number, is written as the
// shortest text that fits the record's 10 characters, rounded where it must
// be, never cut.

#include "multi/model_data.h"
#include "ui/display_result.h"

#include <QDialog>
#include <QString>

#include <array>

class QLabel;
class QMenu;
class QPushButton;
class QWidget;
class TComboBoxEx;
class TFnpNumericEdit;
class TInvalidEntryCheck;

namespace single_ui {

class TPopulationForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 10400;

    // `displayResult` opens the result window of a kind, `showDisplay` the
    // population display menu.
    TPopulationForm(multi::TMultiModel& model, TDisplayResult displayResult, TShowPopulationDisplay showDisplay,
                    QWidget* parent = nullptr);
    ~TPopulationForm() override;

    // Shows the dialog modally over `parent`. True when it wrote the values
    // into the model, by OK or by Apply (also when Cancel closed it after an
    // Apply): the main window then marks the model modified.
    static bool Execute(QWidget* parent, multi::TMultiModel& model, TDisplayResult displayResult,
                        TShowPopulationDisplay showDisplay);

    bool Stored() const { return stored_; }

    // The record's values into the edits, and the edits into a record.
    void LoadPopulation(const multi::PopulationRecord& record);
    void StorePopulation(multi::PopulationRecord& record) const;
    // The edits into population 1 and the input check.
    void ApplyChanges();
    // The standard deviation and the survival rate only for stochastic runs,
    // K only for a density-dependence type that has one.
    void UpdateControls();

    void OkButtonClick();
    void ApplyButtonClick();
    void DisplayButtonClick();
    void DensityDependenceItemClick();
    void ReplacementCurveItemClick();

    TFnpNumericEdit& InitialAbundanceEdit() const { return *edits_[kInitialAbundance]; }
    TFnpNumericEdit& GrowthRateEdit() const { return *edits_[kGrowthRate]; }
    TFnpNumericEdit& SurvivalEdit() const { return *edits_[kSurvival]; }
    TFnpNumericEdit& StdDevOfREdit() const { return *edits_[kStdDevOfR]; }
    TFnpNumericEdit& CarryingCapacityEdit() const { return *edits_[kCarryingCapacity]; }
    TComboBoxEx& DensityDependenceComboBox() const { return *typeCombo_; }
    QPushButton& DisplayButton() const { return *display_; }
    QPushButton& OkButton() const { return *ok_; }
    QPushButton& CancelButton() const { return *cancel_; }
    QPushButton& ApplyButton() const { return *apply_; }
    QPushButton& HelpButton() const { return *help_; }
    QWidget& Panel() const { return *panel_; }
    QMenu& PopupMenu() const { return *popupMenu_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The numeric edits, in the order of the panel.
    enum TEditIndex { kInitialAbundance, kGrowthRate, kSurvival, kStdDevOfR, kCarryingCapacity, kEditCount };

    void ShowPopulationResult(int kind);

    multi::TMultiModel& model_;
    TDisplayResult displayResult_;
    TShowPopulationDisplay showDisplay_;
    bool stored_ = false;

    QWidget* panel_;
    std::array<TFnpNumericEdit*, kEditCount> edits_{};
    std::array<QLabel*, kEditCount> labels_{};
    TComboBoxEx* typeCombo_;
    QPushButton* display_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* apply_;
    QPushButton* help_;
    QMenu* popupMenu_;
    TInvalidEntryCheck* entryCheck_;
};

}  // namespace single_ui
