#pragma once
// A small model and run state for time-step, management and dispersal tests:
// the per-population number vectors are filled directly, as the input check
// would fill them.

#include "stage/model_store.h"
#include "stage/run_state.h"

#include <initializer_list>
#include <memory>

struct StepFixture {
    std::unique_ptr<TCoravel> owned = std::make_unique<TCoravel>();
    TCoravel& model = *owned;
    TRunState run;

    StepFixture(int pops, int stages, bool stochastic, std::uint32_t seed = 1)
    {
        ModelLimits limits;
        limits.pops = pops;
        limits.stages = stages;
        limits.duration = 30;
        limits.replications = 10;
        model.Create(limits);
        model.pops = static_cast<std::uint8_t>(pops);
        model.stages = static_cast<std::uint8_t>(stages);
        model.duration = 30;
        for (int p = 1; p <= pops; ++p) {
            model.fecmultiplier[p] = 1.0f;
            model.survmultiplier[p] = 1.0f;
            model.capacity[p] = 1000.0f;
            model.catmult1[p] = model.catmult2[p] = 1.0f;
        }
        run.Allocate(pops, stages);
        run.Stochastic = stochastic;
        run.Random.Seed(seed);
        run.CurrentTimeStep = 1;
    }

    // Stage matrix 1, row by row.
    void Matrix(std::initializer_list<double> cells) { Fill(model.stagematrix[1], cells); }
    void StDev(std::initializer_list<double> cells) { Fill(model.stdevmatrix[1], cells); }

    void Stages(int p, std::initializer_list<std::int32_t> counts)
    {
        int s = 1;
        double total = 0;
        for (std::int32_t n : counts) {
            run.StageAbundance[p][s++] = n;
            total += n;
        }
        run.PopulationTotal[p] = static_cast<std::int32_t>(total);
    }

    void Fill(SingleMatrix& m, std::initializer_list<double> cells)
    {
        const int S = model.stages;
        int k = 0;
        for (double v : cells) {
            m(k / S + 1, k % S + 1) = static_cast<float>(v);
            ++k;
        }
    }
};
