#include "stage_ui/std_dev_matrix_form.h"

#include "stage/model_store.h"

namespace {

TMatrixEditForm::TMatrixSetup StdDevMatrixSetup()
{
    TMatrixEditForm::TMatrixSetup setup;
    setup.grid = {QStringLiteral("Standard Deviation Matrix"), TStdDevMatrixForm::kHelpContext,
                  TStdDevMatrixForm::kMaxValue, TStdDevMatrixForm::kMaxLength, false};
    setup.matrix = []() -> SingleMatrix& { return Info.stdevmatrix[1]; };
    return setup;
}

}  // namespace

TStdDevMatrixForm::TStdDevMatrixForm(QWidget* parent) : TMatrixEditForm(StdDevMatrixSetup(), parent) {}
