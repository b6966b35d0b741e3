#include "unstructured_ui/population_fields.h"

#include "sim/density_types.h"
#include "ui/combo_box_ex.h"

#include <QGridLayout>
#include <QLabel>

namespace unstructured_ui {


TComboBoxEx* NewDensityTypeComboBox(QWidget& parent)
{
    auto* combo = new TComboBoxEx(&parent);
    combo->setObjectName(QStringLiteral("DensityDependenceComboBox"));
    for (int i = 0; i < DensityTypeListSize(); ++i)
        combo->addItem(QString::fromLatin1(DensityTypeListRow(i)->name));
    return combo;
}

void TFieldRows::Add(QLabel* label, QWidget* field)
{
    label->setBuddy(field);
    grid_.addWidget(label, row_, 0);
    grid_.addWidget(field, row_, 1);
    ++row_;
}

}  // namespace unstructured_ui
