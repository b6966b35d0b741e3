#pragma once
// General Information: the model's title, up to four comment lines,
// replications, duration, demographic stochasticity and "Ignore
// constraints".
//
// The main window creates it once and calls Execute; true means OK stored
// the dialog into the model, and the model is then modified (also when the
// dialog follows File, New). OK sets the inputs-changed flag when a value
// that affects results changed.

#include "ui/comments_memo.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class TSpinEditEx;

class TGeneralForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 10000;
    static constexpr int kCommentLines = 4;

    explicit TGeneralForm(QWidget* parent = nullptr);

    // Loads the model, shows the dialog modally and tells whether OK closed it.
    bool Execute();
    void LoadFromModel();
    void StoreToModel();

    QLineEdit& TitleEdit() const { return *titleEdit_; }
    TCommentsMemo& CommentsMemo() const { return *commentsMemo_; }
    TSpinEditEx& ReplicationsSpinEdit() const { return *replications_; }
    TSpinEditEx& DurationSpinEdit() const { return *duration_; }
    QCheckBox& UseDemographicStochasticityCheckBox() const { return *demogStoch_; }
    QCheckBox& ConstraintsCheckBox() const { return *constraints_; }
    QPushButton& OkButton() const { return *ok_; }
    QPushButton& CancelButton() const { return *cancel_; }
    QPushButton& HelpButton() const { return *help_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ApplyLimits();
    void OkButtonClick();

    QLineEdit* titleEdit_;
    TCommentsMemo* commentsMemo_;
    TSpinEditEx* replications_;
    TSpinEditEx* duration_;
    QCheckBox* demogStoch_;
    QCheckBox* constraints_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* help_;
};
