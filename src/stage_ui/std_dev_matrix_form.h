#pragma once
// Standard Deviation Matrix: edits standard-deviation matrix 1, each element
// from 0 to 2147483647. Cancel leaves the model as it is.

#include "stage_ui/matrix_edit_form.h"

class TStdDevMatrixForm : public TMatrixEditForm {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 10300;
    static constexpr double kMaxValue = 2147483647;
    static constexpr std::size_t kMaxLength = 10;

    explicit TStdDevMatrixForm(QWidget* parent = nullptr);
};
