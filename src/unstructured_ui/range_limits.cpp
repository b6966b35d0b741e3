#include "unstructured_ui/range_limits.h"

#include "core/messages.h"
#include "multi/population_editing.h"
#include "ui/edit_ranges.h"
#include "ui/invalid_entry_check.h"
#include "ui/numeric_edit.h"
#include "ui/range_message.h"

namespace unstructured_ui {

using namespace multi;

void ShowRangeLimits(const TFnpNumericEdit& edit)
{
    ErrorMessage(RangeMessageText(GeneralFloatText(edit.MinValue()), GeneralFloatText(edit.MaxValue())));
}

TFnpNumericEdit* AddParameterEdit(QWidget& parent, TInvalidEntryCheck& check, const char* name, int decimals,
                                  double minValue, double maxValue)
{
    auto* edit = new TFnpNumericEdit(&parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->SetDecimals(decimals);
    SetNumericEditRange(*edit, minValue, maxValue);
    check.Watch(*edit, [](TFnpNumericEdit& e) { ShowRangeLimits(e); });
    return edit;
}

}  // namespace unstructured_ui
