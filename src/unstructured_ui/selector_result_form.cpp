#include "unstructured_ui/selector_result_form.h"

#include "chart/scale_info.h"
#include "ui/hints.h"
#include "ui/picture_files.h"
#include "ui/spin_edit_ex.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace unstructured_ui {


TSelectorSetup PopulationSelector()
{
    return {"PopulationSpinEdit", QStringLiteral("Population:"),
            QStringLiteral("Population|Select index of population being reported")};
}

TSelectorResultForm::TSelectorResultForm(TResultProducer& producer, const TResultWindowSetup& setup,
                                         const TSelectorSetup& selector, QWidget* parent)
    : TResultTemplateForm(producer, setup, parent)
{
    label_ = new QLabel(selector.Caption, this);
    selector_ = new TSpinEditEx(this);
    selector_->setObjectName(QString::fromLatin1(selector.Name));
    SetHint(*selector_, selector.Hint);
    label_->setBuddy(selector_);
    // An index typed that no population (or step) has is refused with a
    // message, never cut to the digits that fit.
    selector_->TellRefusalOnLeaving([](QWidget*) { return true; });
    // Room for three digits whatever the range.
    selector_->setMinimumWidth(selector_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 28);
    // After the buttons, before the panel's closing stretch.
    const int at = ToolPanel().count() - 1;
    ToolPanel().insertSpacing(at, 8);
    ToolPanel().insertWidget(at + 1, label_);
    ToolPanel().insertWidget(at + 2, selector_);
    connect(selector_, &TSpinEditEx::valueChanged, this,
            [this] { CallAfterProduction(this, [this] { SelectorChange(selector_->value()); }); });
}

void TSelectorResultForm::SetSelector(int minimum, int maximum, int value)
{
    const QSignalBlocker quiet(selector_);
    selector_->SetMinValue(minimum);
    selector_->SetMaxValue(maximum);
    selector_->SetValue(value);
}

void TSelectorResultForm::Refresh()
{
    FillNumbers();
    RepaintAfterProduction(&PaintBox());
}

void TSelectorResultForm::SelectIndex(int value)
{
    if (ScaleInfo().Index == value)
        return;
    ChangeableScaleInfo().Index = value;
    DefaultScaleInfo[static_cast<std::size_t>(ResultKind())].Index = value;
    Refresh();
}

}  // namespace unstructured_ui
