#pragma once
// The twin editors of the model's stage matrix and standard-deviation
// matrix: stages x stages cells, element (row i, column j) in cell (j, i),
// with the stage names along both edges.

#include "core/matrix_buffer.h"
#include "core/one_based.h"
#include "stage_ui/number_grid_form.h"

#include <functional>

class TMatrixEditForm : public TNumberGridForm {
    Q_OBJECT
public:
    struct TMatrixSetup {
        TNumberGridSetup grid;
        // The model matrix edited.
        std::function<SingleMatrix&()> matrix;
        // The stage matrix: Cancel puts back the matrix as the dialog was
        // shown with it, and a change marks the matrix as changed.
        bool stageMatrix = false;
    };

    void LoadFromModel() override;

protected:

    TMatrixEditForm(const TMatrixSetup& setup, QWidget* parent);

    void StoreCells() override;
    void CancelEdits() override;

private:
    TMatrixSetup matrixSetup_;
    TMatrix snapshot_;
    bool loaded_ = false;
};
