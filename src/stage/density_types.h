#pragma once
// The density-dependence settings the engine's numeric routines need, with
// the codes the model stores.

#include <cstdint>

// Which vital rates density dependence acts on.
enum class DDAffects : std::uint8_t { AllVitalRates = 0, Fecundities = 1, Survivals = 2 };

// Density-dependence type of a population: exponential, scramble (logistic),
// contest (Beverton-Holt), ceiling, and the same four with an Allee effect.
enum class DDType : std::uint8_t { EX = 0, LO = 1, BH = 2, CE = 3, EA = 4, LA = 5, BA = 6, CA = 7 };

inline bool IsScramble(DDType t) { return t == DDType::LO || t == DDType::LA; }
inline bool IsContest(DDType t) { return t == DDType::BH || t == DDType::BA; }
inline bool IsCeiling(DDType t) { return t == DDType::CE || t == DDType::CA; }
inline bool HasAllee(DDType t) { return static_cast<std::uint8_t>(t) >= 4; }

// Whether density dependence scales row `row` (one-based) of a stage matrix.
inline bool AffectsRow(DDAffects affects, int row)
{
    switch (affects) {
    case DDAffects::Fecundities: return row == 1;
    case DDAffects::Survivals: return row >= 2;
    default: return true;
    }
}
