#pragma once
// The result kinds of the map program (its result-kind table): 1..6 are
// drawn from the inputs, 7..11 from the results of a run.

namespace multi {

inline constexpr int kDensityDependenceInR = 1;
inline constexpr int kReplacementCurve = 2;
inline constexpr int kDispersal = 3;
inline constexpr int kHabitatChange = 4;
inline constexpr int kMigrationDistance = 5;
inline constexpr int kCorrelationDistance = 6;
inline constexpr int kTrajectory = 7;
inline constexpr int kStructure = 8;
inline constexpr int kOccupancy = 9;
inline constexpr int kIntervalExtinctionRisk = 10;
inline constexpr int kIntervalExplosionRisk = 11;

inline constexpr int kHighestResultKind = kIntervalExplosionRisk;

// Kinds that need the results of a run.
inline constexpr bool IsRunResultKind(int kind) { return kind >= kTrajectory && kind <= kIntervalExplosionRisk; }

}  // namespace multi
