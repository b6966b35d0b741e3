#pragma once
// The density-dependence settings the engine's numeric routines need; the
// types themselves are in the shared table.

#include "sim/density_types.h"

#include <cstdint>

// Which vital rates density dependence acts on.
enum class DDAffects : std::uint8_t { AllVitalRates = 0, Fecundities = 1, Survivals = 2 };

// Whether density dependence scales row `row` (one-based) of a stage matrix.
inline bool AffectsRow(DDAffects affects, int row)
{
    switch (affects) {
    case DDAffects::Fecundities: return row == 1;
    case DDAffects::Survivals: return row >= 2;
    default: return true;
    }
}
