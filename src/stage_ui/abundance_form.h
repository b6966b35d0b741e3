#pragma once
// Initial Abundances: one row per population, one column per stage, each
// abundance from 0 to 2147483647 in at most 10 characters. OK stores the
// grid and runs the input check over the model (its findings go to the run
// window's warnings); Cancel puts back the abundances as the dialog was shown
// with them.

#include "core/matrix_buffer.h"
#include "stage_ui/number_grid_form.h"

class TAbundanceForm : public TNumberGridForm {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 10500;
    static constexpr double kMaxValue = 2147483647;
    static constexpr std::size_t kMaxLength = 10;

    explicit TAbundanceForm(QWidget* parent = nullptr);

    void LoadFromModel() override;

protected:
    void StoreCells() override;
    void CancelEdits() override;

private:
    // Element (stage - 1, population - 1): the abundances when shown.
    TMatrix snapshot_;
    bool loaded_ = false;
};
