#pragma once
// Dispersal and Correlation: the four parameters from which the dispersal
// and the correlation matrices are computed by distance, and views of both
// distance functions. A view writes the parameters into the model at once,
// since the function windows draw from the model; so the dialog takes a
// snapshot of the matrices, the parameters and the matrix-state flags when
// it is shown, and Cancel (or Esc, or closing the window) puts it back. OK
// marks what changed against that snapshot and recomputes each matrix whose
// parameters changed. The rules live in multi/distance_editing.h.

#include "multi/distance_editing.h"
#include "multi/model_data.h"
#include "ui/display_result.h"

#include <QDialog>
#include <QString>

#include <array>

class QPushButton;
class TFnpNumericEdit;
class TInvalidEntryCheck;

namespace multi {

class TDispersalForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 10800;

    TDispersalForm(TMultiModel& model, TDisplayResult displayResult, QWidget* parent = nullptr);
    ~TDispersalForm() override;

    // Shows the dialog modally over `parent`. True when it closed with OK
    // (the parameters then stored): the main window redraws its map and
    // marks the model modified. Cancel leaves the model as it was when the
    // dialog opened. `displayResult` opens the window of a result kind (the
    // two distance functions).
    static bool Execute(QWidget* parent, TMultiModel& model, TDisplayResult displayResult);

    void SaveSnapshot();
    void RestoreSnapshot();
    // The model's texts into the edits.
    void LoadParameters();
    // Sets the inputs-changed flag and marks a matrix out of date when its
    // parameters differ from the snapshot.
    void MarkChanges();
    // The edits into the model's texts; each matrix out of date is refilled.
    void StoreParameters();
    // The values the edits show. Each parameter is shown as its text holds
    // it (with more decimals than the edit's two where it has them), so an
    // edit left alone stands for its text's own value.
    TDistanceValues EditedValues() const;

    void OkButtonClick();
    void CancelButtonClick();
    void ViewDispersalFunctionButtonClick();
    void ViewCorrelationFunctionButtonClick();

    TFnpNumericEdit& AverageDispersalDistanceEdit() const { return *edits_[kAverage]; }
    TFnpNumericEdit& MaximumDispersalDistanceEdit() const { return *edits_[kMaximum]; }
    TFnpNumericEdit& MaximumDispersalRateEdit() const { return *edits_[kRate]; }
    TFnpNumericEdit& CorrelationEdit() const { return *edits_[kCorrelation]; }
    QPushButton& ViewDispersalFunctionButton() const { return *viewDispersal_; }
    QPushButton& ViewCorrelationFunctionButton() const { return *viewCorrelation_; }
    QPushButton& OkButton() const { return *ok_; }
    QPushButton& CancelButton() const { return *cancel_; }
    QPushButton& HelpButton() const { return *help_; }

public slots:
    // Every way of closing without OK restores the snapshot.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum TEditIndex { kAverage, kMaximum, kRate, kCorrelation, kEditCount };

    // Stores the parameters and opens the function window of `kind`.
    void ViewFunction(int kind);

    TMultiModel& model_;
    TDisplayResult displayResult_;
    TDistanceSnapshot snapshot_;
    bool snapshotTaken_ = false;

    std::array<TFnpNumericEdit*, kEditCount> edits_{};
    QPushButton* viewDispersal_;
    QPushButton* viewCorrelation_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* help_;
    TInvalidEntryCheck* entryCheck_;
};

}  // namespace multi
