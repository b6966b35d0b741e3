#pragma once
// Density dependence: the type of population 1 (the only population this
// program's dialogs edit), its maximum growth rate Rmax and its carrying
// capacity K; and the two density-dependence charts. OK and Apply store the
// values and check the model (its findings go to the run window's warnings
// list); Apply leaves the dialog open. Display shows the population display
// menu; the form's context menu opens either chart at once.

#include "stage/model_store.h"
#include "stage/density_settings.h"
#include "ui/display_result.h"

#include <QDialog>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class TComboBoxEx;
class TFnpNumericEdit;
class TInvalidEntryCheck;

class TPopulationForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 10400;
    // The result kinds of the two charts.
    static constexpr int kDensityDependenceKind = 1;
    static constexpr int kReplacementCurveKind = 2;
    // What the edits take; a run asks more of scramble and contest
    // (kSmallestRunRmax) and of K (above 0).
    static constexpr double kLargestRmax = 20;
    static constexpr double kLargestK = 2147483647;

    TPopulationForm(TCoravel& model, TDisplayResult displayResult, TShowPopulationDisplay showDisplay,
                    QWidget* parent = nullptr);

    // Shows the dialog modally over `parent`. True when it stored the
    // values, by OK or by Apply (also when Cancel closed it afterwards):
    // the main window then marks the model modified and shows the new
    // summary.
    static bool Execute(QWidget* parent, TCoravel& model, TDisplayResult displayResult,
                        TShowPopulationDisplay showDisplay);

    // True once OK or Apply stored the values.
    bool Stored() const { return stored_; }

    void LoadPopulation();
    // True when the type, Rmax or K shown differ from the stored ones.
    bool IsChanged() const;
    void StorePopulation();
    // The numeric edits the type uses are enabled.
    void UpdateEnabling();

    void OkButtonClick();
    void ApplyButtonClick();
    void DisplayButtonClick();
    void DensityDependenceItemClick();
    void ReplacementCurveItemClick();

    TComboBoxEx& DensityDependenceComboBox() const { return *typeCombo_; }
    TFnpNumericEdit& MaxGrowthRateEdit() const { return *rmaxEdit_; }
    TFnpNumericEdit& CarryingCapacityEdit() const { return *kEdit_; }
    QPushButton& OkButton() const { return *ok_; }
    QPushButton& CancelButton() const { return *cancel_; }
    QPushButton& ApplyButton() const { return *apply_; }
    QPushButton& HelpButton() const { return *help_; }
    QPushButton& DisplayButton() const { return *display_; }
    QMenu& PopupMenu() const { return *popupMenu_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    static constexpr int kPopulation = 1;

    TDensitySettings ShownSettings() const;
    // Stores and checks the model; false when a value is out of range.
    bool StoreAndCheck();
    void OpenChart(int kind);

    TCoravel& model_;
    TDisplayResult displayResult_;
    TShowPopulationDisplay showDisplay_;
    bool stored_ = false;

    TComboBoxEx* typeCombo_;
    TFnpNumericEdit* rmaxEdit_;
    TFnpNumericEdit* kEdit_;
    QLabel* rmaxLabel_;
    QLabel* kLabel_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* apply_;
    QPushButton* help_;
    QPushButton* display_;
    QMenu* popupMenu_;
    TInvalidEntryCheck* entryCheck_;
};
