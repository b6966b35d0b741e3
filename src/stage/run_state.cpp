#include "stage/run_state.h"

#include <algorithm>

void TRunState::Allocate(int populations, int stages)
{
    P = populations;
    S = stages;
    const auto n = static_cast<size_t>(P + 1);
    const auto width = static_cast<size_t>(std::max(P, S) + 1);
    PopulationTotal.assign(n, 0);
    StageAbundance.assign(n, TStageCounts{});
    NewStageAbundance.fill(0);
    Transitions.assign(static_cast<size_t>(S + 1), std::vector<std::int32_t>(width, 0));
    Immigrants.assign(static_cast<size_t>(S + 1), std::vector<std::int32_t>(n, 0));
    Emigrants.assign(static_cast<size_t>(S + 1), std::vector<std::int32_t>(n, 0));
    Deviates.assign(n, 0.0f);
    SurvivalDeviates.assign(n, 0.0f);
    CarryingCapacityDeviates.assign(n, 0.0f);
    IndependentDeviates.assign(n, 0.0);
    LognormalRates.assign(n, TLognormalRates{});
    LocalThreshold.assign(n, 0);
    BelowThresholdRun.assign(n, 0);
    LongestBelowThresholdRun.assign(n, 0);
    StepsSinceCatastrophe.assign(n, 0);
    StepsAboveThreshold.assign(n, 0);
    ReplicationCount = 0;
    CurrentTimeStep = 0;
    CurrentTotal = PreviousTotal = 0.0;
    OverflowFlag = RoundOffFlag = false;
    TruncBelowZero = TruncAboveOne = TruncColumnSum = 0;
    Repl = TReplicationRecord{};
}
