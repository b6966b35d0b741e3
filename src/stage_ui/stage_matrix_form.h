#pragma once
// Stage Matrix: edits stage matrix 1, each element from 0 to 350. Cancel
// puts back the matrix as it was when the dialog was shown; OK marks the
// matrix as changed when an element changed (the main window then repairs
// the stage matrices). Display stores the grid as OK does and opens the
// stage display menu (eigen-analysis results) on it; the dialog stays open.

#include "stage_ui/matrix_edit_form.h"

#include <functional>

class QPushButton;

// Opens the stage display menu over `parent`, modally.
using TShowStageDisplayMenu = std::function<void(QWidget* parent)>;

class TStageMatrixForm : public TMatrixEditForm {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 10200;
    static constexpr double kMaxValue = 350;
    static constexpr std::size_t kMaxLength = 8;

    explicit TStageMatrixForm(TShowStageDisplayMenu showDisplayMenu, QWidget* parent = nullptr);

    QPushButton& DisplayButton() const { return *display_; }

private:
    void DisplayButtonClick();

    TShowStageDisplayMenu showDisplayMenu_;
    QPushButton* display_;
};
