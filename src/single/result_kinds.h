#pragma once
// The result kinds of the single-population program (its result-kind
// table): 1 and 2 are drawn from the inputs, 3 to 5 from the results of a
// run.

namespace single {

inline constexpr int kDensityDependenceInR = 1;
inline constexpr int kReplacementCurve = 2;
inline constexpr int kTrajectory = 3;
inline constexpr int kIntervalExtinctionRisk = 4;
inline constexpr int kIntervalExplosionRisk = 5;

inline constexpr int kHighestResultKind = kIntervalExplosionRisk;

}  // namespace single
