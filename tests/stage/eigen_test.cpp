#include "stage/eigen.h"

#include "sim/random_deviates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

TStageMatrix Matrix(std::initializer_list<std::initializer_list<double>> rows)
{
    TStageMatrix m(static_cast<int>(rows.size()));
    int i = 1;
    for (const auto& row : rows) {
        int j = 1;
        for (double x : row)
            m(i, j++) = x;
        ++i;
    }
    return m;
}

TStageVector Vector(const std::vector<double>& values)
{
    TStageVector v(static_cast<int>(values.size()));
    for (int s = 1; s <= v.size; ++s)
        v(s) = values[s - 1];
    return v;
}

TStageVector Ones(int n) { return Vector(std::vector<double>(n, 1.0)); }

const TStageMatrix kLeslie = Matrix({{0, 4, 3}, {0.5, 0, 0}, {0, 0.25, 0}});

// Largest |A x - lambda x| (right) or |x A - lambda x| (left).
double Residual(const TStageMatrix& a, const TStageVector& x, double lambda, bool left)
{
    double worst = 0.0;
    for (int i = 1; i <= a.size; ++i) {
        double ax = 0.0;
        for (int j = 1; j <= a.size; ++j)
            ax += (left ? a(j, i) : a(i, j)) * x(j);
        worst = std::max(worst, std::abs(ax - lambda * x(i)));
    }
    return worst;
}

} // namespace

TEST(Eigen, KnownEigenvaluesAndVectors)
{
    const double c2 = std::cbrt(2.0);
    const double w1 = 1.0 / (1.0 + 1.0 / c2 + 1.0 / (c2 * c2));
    struct Case {
        std::string name;
        TStageMatrix a;
        double lambda;
        std::vector<double> w; // empty: not unique or not defined
        std::vector<double> v;
    };
    const Case cases[] = {
        {"leslie", kLeslie, 1.5, {0.72, 0.24, 0.04}, {1, 3, 2}},
        {"identity", Matrix({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}), 1.0, {}, {}},
        // Imprimitive: the complex pair has the modulus of lambda, so plain
        // power iteration never settles.
        {"cyclic", Matrix({{0, 0, 2}, {1, 0, 0}, {0, 1, 0}}), c2, {w1, w1 / c2, w1 / (c2 * c2)}, {1, c2, c2 * c2}},
        {"periodic", Matrix({{0, 0, 6}, {0.5, 0, 0}, {0, 1.0 / 3.0, 0}}), 1.0, {0.6, 0.3, 0.1}, {1, 2, 6}},
        // Only stage 1 reproduces; four later stages lead nowhere (a repeated
        // eigenvalue 0 that the QR iteration is slow to split off).
        {"post-reproductive chain",
         Matrix({{3, 0, 0, 0, 0}, {0.25, 0, 0, 0, 0}, {0, 0.75, 0, 0, 0}, {0, 0, 0.5, 0, 0}, {0, 0, 0, 0.5, 0}}), 3.0,
         {1728 / 1915.0, 144 / 1915.0, 36 / 1915.0, 6 / 1915.0, 1 / 1915.0}, {1, 0, 0, 0, 0}},
        // No stage can return to itself: no growth rate at all, however the
        // rounding of the iteration falls.
        {"no reproduction loop",
         Matrix({{0, 0, 0}, {0.76207472004474419, 0, 0.10614940882406854}, {2.1586207288534691, 0, 0}}), 0.0, {}, {}},
        {"one stage", Matrix({{0.7}}), 0.7, {1}, {1}},
        {"one stage negative", Matrix({{-0.7}}), 0.0, {}, {}},
        {"one stage zero", Matrix({{0.0}}), 0.0, {}, {}},
        {"complex pair above real", Matrix({{0, -2, 0}, {2, 0, 0}, {0, 0, 0.5}}), 0.5, {0, 0, 1}, {0, 0, 1}},
        {"negative real eigenvalues", Matrix({{-1, 0}, {0, -2}}), 0.0, {}, {}},
        {"not a number", Matrix({{0, NAN}, {0.5, 0}}), 0.0, {}, {}},
        {"infinite", Matrix({{0, INFINITY}, {0.5, 0}}), 0.0, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const double lambda = DominantEigenvalue(c.a);
        EXPECT_NEAR(lambda, c.lambda, 1e-6 * std::max(1.0, c.lambda));
        TStageVector w, v;
        const bool found = StableDistribution(c.a, Ones(c.a.size), w);
        ReproductiveValues(c.a, Ones(c.a.size), v);
        EXPECT_EQ(found, c.lambda > 0.0);
        for (int s = 1; s <= static_cast<int>(c.w.size()); ++s)
            EXPECT_NEAR(w(s), c.w[s - 1], 1e-6) << "w(" << s << ")";
        for (int s = 1; s <= static_cast<int>(c.v.size()); ++s)
            EXPECT_NEAR(v(s), c.v[s - 1], 1e-6) << "v(" << s << ")";
    }
}

TEST(Eigen, StartVectorDecidesOnlyWhereTheVectorIsNotUnique)
{
    TStageVector w;
    StableDistribution(Matrix({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}), Vector({10001, 20001, 1}), w);
    EXPECT_NEAR(w(1), 10001.0 / 30003.0, 1e-9);
    EXPECT_NEAR(w(3), 1.0 / 30003.0, 1e-9);
    StableDistribution(kLeslie, Vector({0, 0, 5}), w);
    EXPECT_NEAR(w(1), 0.72, 1e-9);
    // An empty first row: the stable distribution is all in the last stage,
    // never the start vector given back.
    StableDistribution(Matrix({{0, 0, 0}, {0.5, 0, 0}, {0, 0.5, 0.9}}), Ones(3), w);
    EXPECT_NEAR(w(3), 1.0, 1e-9);
}

TEST(Eigen, VectorsAreEigenvectorsOfRandomStageMatrices)
{
    // Slowly damped, reducible and random matrices: whatever the start, the
    // vectors satisfy A w = lambda w and v A = lambda v, and w >= 0.
    std::vector<TStageMatrix> matrices = {
        Matrix({{0, 0.0043, 0.1132, 0}, {0.9775, 0.9111, 0, 0}, {0, 0.0736, 0.9534, 0}, {0, 0, 0.0452, 0.9804}}),
        Matrix({{0, 1e-4, 50}, {0.999, 0, 0}, {0, 1e-3, 0.99}}),
        // One of its eigenvalues needs more than 30 QR iterations to split off.
        Matrix({{1.6649997375988821, 1.0812680353762252, 1.7281286741321555, 1.3944288755367515, 1.2118910704252615,
                 0.36976288480303399, 1.7521099391646833},
                {0.37921645760055134, 0, 0, 0, 0, 0, 0},
                {0, 0.37428197262481172, 0, 0, 0, 0, 0},
                {0, 0, 0.81835024216000007, 0, 0, 0, 0},
                {0, 0, 0, 0.46990284600206839, 0.74625188097107564, 0, 0},
                {0, 0, 0, 0, 0.36877301317366973, 0.024446730272240504, 0},
                {0, 0, 0, 0, 0, 0.41290512432147636, 0.21292976503229055}}),
    };
    // Each of these has a positive growth rate; 0 would mean the iteration
    // gave up.
    const std::size_t fixedMatrices = matrices.size();
    TRandomSource random(77);
    for (int k = 0; k < 40; ++k) {
        const int n = 2 + k % 7;
        TStageMatrix a(n);
        for (int j = 1; j <= n; ++j) {
            a(1, j) = random.Uniform() < 0.5 ? 0.0 : 5.0 * random.Uniform();
            double left = 1.0;
            for (int i = 2; i <= n; ++i) {
                a(i, j) = (i == j + 1 || i == j || random.Uniform() < 0.2) ? left * random.Uniform() : 0.0;
                left -= a(i, j);
            }
        }
        matrices.push_back(a);
    }
    for (std::size_t k = 0; k < matrices.size(); ++k) {
        SCOPED_TRACE(k);
        const TStageMatrix& a = matrices[k];
        const double lambda = DominantEigenvalue(a);
        TStageVector w, v;
        if (k < fixedMatrices) {
            EXPECT_GT(lambda, 0.0);
        }
        if (!(lambda > 0.0))
            continue;
        ASSERT_TRUE(StableDistribution(a, Vector(std::vector<double>(a.size, 3.0)), w));
        ASSERT_TRUE(ReproductiveValues(a, Ones(a.size), v));
        // The vectors are exact to double precision, for the eigenvalue they
        // give themselves (sum of A w over the sum of w); the growth rate,
        // a single, agrees with it to single precision.
        double sum = 0.0, image = 0.0;
        for (int s = 1; s <= a.size; ++s) {
            EXPECT_GE(w(s), -1e-12);
            sum += w(s);
            for (int j = 1; j <= a.size; ++j)
                image += a(s, j) * w(j);
        }
        EXPECT_NEAR(sum, 1.0, 1e-12);
        const double exact = image / sum;
        EXPECT_NEAR(lambda, exact, 1e-6 * std::max(1.0, exact));
        EXPECT_LT(Residual(a, w, exact, false), 1e-9 * std::max(1.0, exact));
        double largest = 0.0;
        for (int s = 1; s <= a.size; ++s)
            largest = std::max(largest, std::abs(v(s)));
        EXPECT_LT(Residual(a, v, exact, true), 1e-9 * std::max(1.0, exact) * largest);
    }
}

TEST(Eigen, SensitivitiesAndElasticities)
{
    const double lambda = DominantEigenvalue(kLeslie);
    TStageVector w, v;
    StableDistribution(kLeslie, Ones(3), w);
    ReproductiveValues(kLeslie, Ones(3), v);
    const TStageMatrix e = Elasticities(kLeslie, v, w, lambda);
    const double expected[3][3] = {{0, 8.0 / 19, 1.0 / 19}, {9.0 / 19, 0, 0}, {0, 1.0 / 19, 0}};
    double total = 0.0;
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) {
            EXPECT_NEAR(e(i, j), expected[i - 1][j - 1], 1e-6) << i << "," << j;
            total += e(i, j);
        }
    EXPECT_NEAR(total, 1.0, 1e-9);

    // Sensitivity is the derivative of lambda by each element (a central
    // difference, wide enough for a growth rate in single precision).
    const TStageMatrix s = Sensitivities(v, w);
    TStageMatrix up = kLeslie, down = kLeslie;
    up(3, 2) += 1e-3;
    down(3, 2) -= 1e-3;
    EXPECT_NEAR((DominantEigenvalue(up) - DominantEigenvalue(down)) / 2e-3, s(3, 2), 1e-3);

    // Without a growth rate there is no elasticity (no division by 0).
    const TStageMatrix none = Elasticities(kLeslie, v, w, 0.0);
    for (double x : none.cells)
        EXPECT_EQ(x, 0.0);
}

TEST(Eigen, ApplyMultipliersScalesFecunditiesAndSurvivals)
{
    const TStageMatrix m = ApplyMultipliers(kLeslie, 0.5, 2.0);
    EXPECT_EQ(m(1, 2), 8.0);
    EXPECT_EQ(m(1, 3), 6.0);
    EXPECT_EQ(m(2, 1), 0.25);
    EXPECT_EQ(m(3, 2), 0.125);
}

TEST(Eigen, FindRateMultiplier)
{
    struct Case {
        std::string name;
        TStageMatrix a;
        double target;
        DDAffects affects;
        double expected; // -1: none
        double tolerance;
    };
    const Case cases[] = {
        {"all rates", kLeslie, 1.0, DDAffects::AllVitalRates, 2.0 / 3.0, 1e-4},
        {"fecundities", kLeslie, 1.0, DDAffects::Fecundities, 8.0 / 19.0, 1e-4},
        {"survivals", kLeslie, 1.0, DDAffects::Survivals, 0.4603, 1e-4},
        {"whole step", kLeslie, 3.0, DDAffects::AllVitalRates, 2.0, 0.0},
        // Lambda 0.99992 at m = 1 is within the tolerance but below the
        // target: the steps go on to 2, and halving finds 1 + 1/2048.
        {"step up to the target itself", Matrix({{0, 0, 0.99975}, {1, 0, 0}, {0, 1, 0}}), 1.0,
         DDAffects::AllVitalRates, 1.0 + 1.0 / 2048.0, 0.0},
        {"no fecundity", Matrix({{0, 0, 0}, {0.5, 0, 0}, {0, 0.5, 0}}), 1.0, DDAffects::Fecundities, -1.0, 0.0},
        {"all zero", TStageMatrix(3), 1.0, DDAffects::AllVitalRates, -1.0, 0.0},
        // Survivals capped at 1 can never give lambda 5.
        {"out of reach", kLeslie, 5.0, DDAffects::Survivals, -1.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const double m = FindRateMultiplier(c.a, c.target, c.affects, false);
        EXPECT_NEAR(m, c.expected, c.tolerance);
    }
    // Ignoring constraints lets survivals above 1 reach the target.
    const double m = FindRateMultiplier(kLeslie, 5.0, DDAffects::Survivals, true);
    TStageMatrix scaled = ApplyMultipliers(kLeslie, m, 1.0);
    EXPECT_NEAR(DominantEigenvalue(scaled), 5.0, 1e-4);
}

TEST(Eigen, SplitIntoStageCounts)
{
    struct Case {
        int total;
        std::vector<double> w;
        std::vector<double> expected;
    };
    const Case cases[] = {
        {100, {1, 1, 1}, {34, 33, 33}},
        {10000, {0.72, 0.24, 0.04}, {7200, 2400, 400}},
        {10, {0, 1, 1}, {0, 5, 5}},
        {0, {0.2, 0.8}, {0, 0}},
        // Every share rounds up: the surplus comes off the largest stages
        // without making any of them negative.
        {1, {0.5, 0.5}, {0, 1}},
        {3, {1, 1, 1, 1, 1, 1}, {0, 0, 0, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total);
        TStageVector counts;
        ASSERT_TRUE(SplitIntoStageCounts(c.total, Vector(c.w), counts));
        for (int s = 1; s <= counts.size; ++s)
            EXPECT_EQ(counts(s), c.expected[s - 1]) << "stage " << s;
    }
    TStageVector counts = Vector({5, 6});
    EXPECT_FALSE(SplitIntoStageCounts(100, Vector({0, 0}), counts));
    EXPECT_EQ(counts(2), 6);
}
