#pragma once
// A small age/stage model for the report tests: 3 stages, the matrix
// [[0, 4, 3], [.5, 0, 0], [0, .25, 0]] (lambda 1.5, stable distribution
// .72 .24 .04, reproductive values 1 3 2), two populations; population 2
// ("North") is the current one and starts in the stable distribution.

#include "stage/model_store.h"

#include <memory>

inline std::unique_ptr<TCoravel> MakeReportModel()
{
    auto model = std::make_unique<TCoravel>();
    ModelLimits limits;
    limits.pops = 4;
    limits.stages = 7;
    limits.duration = 20;
    limits.replications = 10;
    limits.matrices = 2;
    model->Create(limits);
    TCoravel& m = *model;
    m.stages = 3;
    m.pops = 2;
    m.selectedpop = 2;
    m.duration = 10;
    m.state = kStateInputs;
    m.title = "Report model";
    m.matrixheaders[1].name = "Adults";
    const float a[3][3] = {{0, 4, 3}, {0.5f, 0, 0}, {0, 0.25f, 0}};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j)
            m.stagematrix[1][i][j] = a[i - 1][j - 1];
    m.populations[1].name = "Pop 1";
    m.populations[2].name = "North";
    const double first[3] = {5, 5, 5};
    const double second[3] = {720, 240, 40};
    for (int s = 1; s <= 3; ++s) {
        m.initialabundance[1][s] = first[s - 1];
        m.initialabundance[2][s] = second[s - 1];
    }
    m.initialtotal[1] = 15;
    m.initialtotal[2] = 1000;
    for (int p = 1; p <= 2; ++p) {
        m.fecmultiplier[p] = 1;
        m.survmultiplier[p] = 1;
        m.capacity[p] = 1000;
        m.rmax[p] = 1.2f;
        m.ddmultiplier[p] = 1;
        m.catmult1[p] = 1;
        m.catmult2[p] = 1;
    }
    return model;
}
