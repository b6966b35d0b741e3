#pragma once
// Chart Properties: edits one chart's settings (title, axis labels, and the
// axis limits used when automatic scaling is off). The result window loads
// its settings, shows the dialog and on OK takes the edited settings back.
//
// The limits are checked when the focus leaves one of them, after the
// focus has moved (not inside the leave itself, so no second message can
// arise and no click is swallowed), and not when a click moves it to the
// buttons or to Autoscale: OK checks everything, Cancel and Help need no
// check. Tab out of a limit checks it wherever the focus lands. A mistake
// is told once on leaving; leaving again with the same limits says nothing
// more (OK still refuses them).

#include "chart/scale_info.h"

#include <QDialog>
#include <QPointer>

#include <string>

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
    void ScheduleLeaveCheck(TFnpNumericEdit* edit, bool byKeyboard);
    void LeaveCheck();
    // What is wrong with the limits once `edit` is left, or empty: the
    // edit's own range, else the order of its axis's limits.
    std::string Mistake(const TFnpNumericEdit& edit) const;
    std::string AxisMistake(bool xAxis) const;
    bool IsYLimit(const TFnpNumericEdit& edit) const;

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
    bool pendingByKeyboard_ = false;
    bool checking_ = false;
    // Per axis (x, y): the mistake last told, until that axis is right.
    std::string reported_[2];
};
