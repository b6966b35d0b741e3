#include "multi_ui/range_limits.h"

#include "core/messages.h"
#include "multi/population_editing.h"
#include "ui/numeric_edit.h"
#include "ui/range_message.h"

namespace multi {

void ShowRangeLimits(const TFnpNumericEdit& edit)
{
    ErrorMessage(RangeMessageText(GeneralFloatText(edit.MinValue()), GeneralFloatText(edit.MaxValue())));
}

}  // namespace multi
