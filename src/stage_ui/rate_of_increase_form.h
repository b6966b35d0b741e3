#pragma once
// The text window of the finite rate of increase (lambda) of the stage
// matrix, with a button that copies lambda alone, as the user's locale writes
// it, for pasting into another program.

#include "ui/result_text_window.h"

class QToolButton;

class TRateOfIncreaseForm : public TResultTextTemplateForm {
    Q_OBJECT
public:
    static constexpr int kKind = 14;

    explicit TRateOfIncreaseForm(QWidget* parent = nullptr);

    QToolButton& CopyRateButton() const { return *copyRateBtn_; }
    // Puts lambda of the last showing on the clipboard as plain text.
    void CopyRateBtnClick();

protected:
    // Keeps lambda when the producer gave the report; otherwise there is no
    // number to copy and the button is disabled.
    void showEvent(QShowEvent* event) override;

private:
    QToolButton* copyRateBtn_;
    double lambda_ = 0;
};
