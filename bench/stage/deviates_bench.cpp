// Prints the cost of one draw of each deviate and of one eigenvalue, the
// calls that run inside every time step of every replication.

#include "sim/random_deviates.h"
#include "stage/eigen.h"

#include <chrono>
#include <cstdio>

namespace {

template <typename Draw>
void Measure(const char* name, int count, Draw draw)
{
    const auto start = std::chrono::steady_clock::now();
    double sink = 0.0;
    for (int i = 0; i < count; ++i)
        sink += draw(i);
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("%-28s %8.1f ns/call   (checksum %g)\n", name, elapsed.count() / count, sink);
}

} // namespace

int main()
{
    TRandomSource random(12345);
    const int n = 2000000;
    Measure("Uniform", n, [&](int) { return random.Uniform(); });
    Measure("NormalDeviate", n, [&](int) { return NormalDeviate(random); });
    Measure("POIDEV(5)", n, [&](int) { return POIDEV(random, 5.0); });
    Measure("POIDEV(300)", n, [&](int) { return POIDEV(random, 300.0); });
    Measure("POIDEV(varying 12..112)", n, [&](int i) { return POIDEV(random, 12.0 + i % 100); });
    Measure("BNLDEV(20, 0.3)", n, [&](int) { return BNLDEV(random, 20, 0.3); });
    Measure("BNLDEV(500, 0.9)", n, [&](int) { return BNLDEV(random, 500, 0.9); });
    Measure("BNLDEV(varying n, 0.4)", n, [&](int i) { return BNLDEV(random, 100 + i % 50, 0.4); });

    TStageMatrix a(7);
    for (int j = 1; j <= 7; ++j) {
        a(1, j) = j > 2 ? 1.5 : 0.0;
        if (j < 7)
            a(j + 1, j) = 0.6;
        a(j, j) += 0.2;
    }
    Measure("DominantEigenvalue 7x7", 20000, [&](int) { return DominantEigenvalue(a); });
    TStageVector w;
    Measure("StableDistribution 7x7", 20000, [&](int) {
        StableDistribution(a, TStageVector(7), w);
        return w(1);
    });
    return 0;
}
