#include "stage_ui/matrix_edit_form.h"

#include "stage/model_store.h"
#include "stage/editor_cells.h"
#include "stage_ui/grid_util.h"
#include "ui/string_align_grid.h"

TMatrixEditForm::TMatrixEditForm(const TMatrixSetup& setup, QWidget* parent)
    : TNumberGridForm(setup.grid, parent), matrixSetup_(setup)
{
}

void TMatrixEditForm::LoadFromModel()
{
    const int stages = Info.stages;
    SingleMatrix& matrix = matrixSetup_.matrix();
    SetupStageMatrixGrid(Grid());
    if (matrixSetup_.stageMatrix)
        snapshot_.LoadFromSingles(matrix, stages, stages);
    loaded_ = true;
    for (int i = 1; i <= stages; ++i)
        for (int j = 1; j <= stages; ++j)
            Grid().SetCells(j, i, QString::fromStdString(MatrixCellText(matrix[i][j])));
    FinishLoading();
}

void TMatrixEditForm::StoreCells()
{
    SingleMatrix& matrix = matrixSetup_.matrix();
    bool changed = false;
    for (int i = 1; i <= Info.stages; ++i)
        for (int j = 1; j <= Info.stages; ++j)
            if (StoreMatrixCell(matrix[i][j], Grid().Cells(j, i).toStdString()))
                changed = true;
    if (!changed)
        return;
    InputsChanged = true;
    if (matrixSetup_.stageMatrix)
        Info.matrixchanged[1] = true;
}

void TMatrixEditForm::CancelEdits()
{
    if (matrixSetup_.stageMatrix && loaded_)
        snapshot_.StoreToSingles(matrixSetup_.matrix(), Info.stages, Info.stages);
}
