#pragma once
// The result kinds of the age/stage program that have names of their own:
// the risk curves and the times to threshold, drawn from the results of a run.

namespace stage {

inline constexpr int kIntervalExtinctionRisk = 26;
inline constexpr int kTerminalExtinctionRisk = 27;
inline constexpr int kIntervalExplosionRisk = 28;
inline constexpr int kTerminalExplosionRisk = 29;
inline constexpr int kIntervalPercentDecline = 30;
inline constexpr int kTerminalPercentDecline = 31;
inline constexpr int kTimeToExtinction = 32;
inline constexpr int kTimeToExplosion = 33;

}  // namespace stage
