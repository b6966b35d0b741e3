#pragma once
// What the programs' General Information dialogs share: the model's title,
// up to four comment lines, replications, duration and demographic
// stochasticity, OK, Cancel and Help. The box for demographic
// stochasticity is enabled only while there are replications. A program's
// dialog adds its own fields below that box, then the buttons, and loads and
// stores the model itself.
//
// The main window creates the dialog once and calls Execute; true means OK
// changed the model, so that the window marks it modified. OK on a dialog
// left as it was shown stores nothing new and answers false.
//
// Replications and duration take any whole number typed, however long; one
// outside its limits is refused with the range message when the field is
// left or on OK, and the field gets the focus back. Where the limits are
// the configuration's, the message names the setting.

#include "ui/comments_memo.h"

#include <QDialog>

class QBoxLayout;
class QCheckBox;
class QLineEdit;
class QPushButton;
class TSpinEditEx;

class TGeneralFormBase : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 10000;
    static constexpr int kCommentLines = 4;

    // Loads the model, shows the dialog modally and tells whether OK closed
    // it with a change of the model.
    bool Execute();
    virtual void LoadFromModel() = 0;
    // Stores the fields; true when that changed the model.
    virtual bool StoreToModel() = 0;
    void UpdateStochasticityEnabling();
    // The limits are the configuration's REP and DUR (so the range message
    // says where they come from); off by default.
    void SetLimitsFromConfiguration(bool on) { limitsFromConfiguration_ = on; }

    QLineEdit& TitleEdit() const { return *titleEdit_; }
    TCommentsMemo& CommentsMemo() const { return *commentsMemo_; }
    TSpinEditEx& ReplicationsSpinEdit() const { return *replications_; }
    TSpinEditEx& DurationSpinEdit() const { return *duration_; }
    QCheckBox& UseDemographicStochasticityCheckBox() const { return *demogStoch_; }
    QPushButton& OkButton() const { return *ok_; }
    QPushButton& CancelButton() const { return *cancel_; }
    QPushButton& HelpButton() const { return *help_; }

protected:
    explicit TGeneralFormBase(QWidget* parent);

    // Where a dialog's own fields go, below the demographic box.
    QBoxLayout& FieldsLayout() const { return *layout_; }
    // Ends the layout with OK, Cancel and Help.
    void AddButtons();
    // Replications 0 .. maxReplications, duration 1 .. maxDuration.
    void SetLimits(int maxReplications, int maxDuration);

    void showEvent(QShowEvent* event) override;

private:
    void OkButtonClick();
    // The spin edit's text is a number within its limits; otherwise the
    // range message, the focus back on the edit, and false.
    bool CheckLimit(TSpinEditEx& spinEdit);
    // After the focus left a spin edit with a number out of its limits.
    void LimitLeft(TSpinEditEx& spinEdit);

    bool changed_ = false;
    bool limitsFromConfiguration_ = false;
    bool telling_ = false;   // a limit's message and the focus going back

    QBoxLayout* layout_;
    QLineEdit* titleEdit_;
    TCommentsMemo* commentsMemo_;
    TSpinEditEx* replications_;
    TSpinEditEx* duration_;
    QCheckBox* demogStoch_;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* help_ = nullptr;
};
