#include "multi/messages.h"

#include <utility>

namespace multi {

void SetWarningHandler(TWarningHandler handler)
{
    if (handler)
        SetSimulationWarningHandler(std::move(handler));
    else
        SetSimulationWarningHandler([](const std::string& text) { WarningMessage(text); });
}

}  // namespace multi
