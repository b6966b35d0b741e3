#include "stage_ui/stage_matrix_form.h"

#include "core/messages.h"
#include "stage/model_store.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace {

TMatrixEditForm::TMatrixSetup StageMatrixSetup()
{
    TMatrixEditForm::TMatrixSetup setup;
    setup.grid = {QStringLiteral("Stage Matrix"), TStageMatrixForm::kHelpContext, TStageMatrixForm::kMaxValue,
                  TStageMatrixForm::kMaxLength, true};
    setup.matrix = []() -> SingleMatrix& { return Info.stagematrix[1]; };
    setup.stageMatrix = true;
    return setup;
}

}  // namespace

TStageMatrixForm::TStageMatrixForm(TShowStageDisplayMenu showDisplayMenu, QWidget* parent)
    : TMatrixEditForm(StageMatrixSetup(), parent), showDisplayMenu_(std::move(showDisplayMenu))
{
    display_ = new QPushButton(QStringLiteral("Displa&y..."), this);
    display_->setAutoDefault(false);
    AddLeadingButton(*display_);
    connect(display_, &QPushButton::clicked, this, &TStageMatrixForm::DisplayButtonClick);
}

void TStageMatrixForm::DisplayButtonClick()
{
    if (!ValidateCells())
        return;
    StoreCells();
    Info.selectedpop = 1;
    if (showDisplayMenu_)
        showDisplayMenu_(this);
    StatusMessage("");
}
