#pragma once
// Chart Properties: edits one chart's settings (title, axis labels, and the
// axis limits used when automatic scaling is off). The result window loads
// its settings, shows the dialog and on OK takes the edited settings back.
//
// The limits are checked when the focus leaves one of them, after the
// focus has moved (not inside the leave itself, so no second message can
// arise and no click is swallowed), and not when it moves to the buttons
// or to Autoscale: OK checks everything, Cancel and Help need no check.

#include "chart/scale_info.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TFnpNumericEdit;

class TScaleForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 40300;

    explicit TScaleForm(QWidget* parent = nullptr);

    void LoadScaleInfo(const TScaleInfo& info);
    // Everything but the tic spacings, which the dialog does not hold.
    void StoreScaleInfo(TScaleInfo& info) const;

    // The four limit edits and their labels are enabled exactly when
    // Autoscale is off.
    void UpdateAxisControls();
    // True with Autoscale on or minimum < maximum; otherwise an error box
    // and the focus on the axis's maximum.
    bool ValidateXAxis();
    bool ValidateYAxis();

    QLineEdit& TitleEdit() const { return *titleEdit_; }
    QLineEdit& XAxisTitleEdit() const { return *xTitleEdit_; }
    QLineEdit& YAxisTitleEdit() const { return *yTitleEdit_; }
    QCheckBox& AutoscaleCheckBox() const { return *autoscale_; }
    QCheckBox& ShowAllCheckBox() const { return *showAll_; }
    TFnpNumericEdit& XAxisMinEdit() const { return *xMin_; }
    TFnpNumericEdit& XAxisMaxEdit() const { return *xMax_; }
    TFnpNumericEdit& YAxisMinEdit() const { return *yMin_; }
    TFnpNumericEdit& YAxisMaxEdit() const { return *yMax_; }
    TFnpNumericEdit& IndexEdit() const { return *index_; }
    QPushButton& OkButton() const { return *ok_; }
    QPushButton& CancelButton() const { return *cancel_; }
    QPushButton& HelpButton() const { return *help_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OkButtonClick();
    bool ValidateAxis(bool xAxis, QWidget& focusTarget);
    void ScheduleLeaveCheck(TFnpNumericEdit* edit);
    void LeaveCheck();

    QLineEdit* titleEdit_;
    QLineEdit* xTitleEdit_;
    QLineEdit* yTitleEdit_;
    QCheckBox* autoscale_;
    QCheckBox* showAll_;
    TFnpNumericEdit* xMin_;
    TFnpNumericEdit* xMax_;
    TFnpNumericEdit* yMin_;
    TFnpNumericEdit* yMax_;
    TFnpNumericEdit* index_;
    QLabel* limitLabels_[4];
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* help_;

    QPointer<TFnpNumericEdit> pendingCheck_;   // an edit left, checked once the focus has moved
    bool checking_ = false;
};
