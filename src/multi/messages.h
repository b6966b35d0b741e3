#pragma once
// The message service of the multi-population engine. Status texts, boxes,
// input warnings and batch log lines are the core service's own (LogLine,
// WarningBeep, WarningMessage, ErrorMessage, InformationMessage,
// StatusMessage, InputWarning, SimulationWarning); what this engine adds is
// where simulation warnings go outside batch mode: to the handler that the
// running simulation window registers, or, with none registered, to a warning
// box (so a warning outside a run beeps twice: once for the simulation
// warning, once for the box).

#include "core/messages.h"

#include <functional>
#include <string>

namespace multi {

using TWarningHandler = std::function<void(const std::string&)>;

// Stores the handler for simulation warnings; an empty one clears it.
void SetWarningHandler(TWarningHandler handler);

}  // namespace multi
