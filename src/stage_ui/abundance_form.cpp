#include "stage_ui/abundance_form.h"

#include "stage/model_store.h"
#include "stage/editor_cells.h"
#include "stage/validate_input.h"
#include "ui/model_text.h"
#include "ui/string_align_grid.h"

TAbundanceForm::TAbundanceForm(QWidget* parent)
    : TNumberGridForm({QStringLiteral("Initial Abundances"), kHelpContext, kMaxValue, kMaxLength, true}, parent)
{
}

void TAbundanceForm::LoadFromModel()
{
    const int stages = Info.stages;
    const int pops = Info.pops;
    snapshot_.SetSize(pops, stages);
    for (int p = 1; p <= pops; ++p)
        for (int s = 1; s <= stages; ++s)
            snapshot_.SetElement(s - 1, p - 1, Info.initialabundance[p][s]);
    loaded_ = true;

    TStringAlignGrid& grid = Grid();
    grid.SetColCount(stages + 1);
    grid.SetRowCount(pops + 1);
    for (int s = 1; s <= stages; ++s)
        grid.SetCells(s, 0, ModelText(Info.stageprops[s].name));
    for (int p = 1; p <= pops; ++p) {
        grid.SetCells(0, p, ModelText(Info.populations[p].name));
        for (int s = 1; s <= stages; ++s)
            grid.SetCells(s, p, QString::fromStdString(AbundanceCellText(Info.initialabundance[p][s])));
    }
    FinishLoading();
}

void TAbundanceForm::StoreCells()
{
    for (int p = 1; p <= Info.pops; ++p)
        for (int s = 1; s <= Info.stages; ++s)
            if (StoreAbundanceCell(Info.initialabundance[p][s], Grid().Cells(s, p).toStdString()))
                InputsChanged = true;
    ValidateInput(Info);
}

void TAbundanceForm::CancelEdits()
{
    if (!loaded_)
        return;
    for (int p = 1; p <= Info.pops && p <= snapshot_.Rows; ++p)
        for (int s = 1; s <= Info.stages && s <= snapshot_.Cols; ++s)
            Info.initialabundance[p][s] = snapshot_.GetElement(s - 1, p - 1);
}
