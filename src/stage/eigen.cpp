#include "stage/eigen.h"

#include <algorithm>
#include <cmath>

namespace {

// One-based work array with a margin of one row and column on each side,
// zero-initialised, so that the QR sweep may look one element past a 2 x 2
// block without reading anything but 0. The growth rate of the model is
// found in single precision, as the model holds its matrices (T = float);
// the eigenvectors refine it in double precision first (T = double).
template <class T>
using WorkArray = std::array<std::array<T, kStageMatrixCapacity + 2>, kStageMatrixCapacity + 2>;

// Magnitude of a with the sign of b (b = 0 counts as positive).
template <class T>
T Sign(T a, T b) { return b >= T(0) ? std::abs(a) : -std::abs(a); }

// Scales rows and columns by powers of 2 so that each row and column have
// comparable off-diagonal norms; the eigenvalues are unchanged and the QR
// iteration loses less accuracy on matrices with large and small rates.
template <class T>
void Balance(WorkArray<T>& a, int n)
{
    constexpr T kRadix = 2;
    constexpr T kRadixSquared = kRadix * kRadix;
    bool done = false;
    while (!done) {
        done = true;
        for (int i = 1; i <= n; ++i) {
            T c = 0, r = 0;
            for (int j = 1; j <= n; ++j)
                if (j != i) {
                    c += std::abs(a[j][i]);
                    r += std::abs(a[i][j]);
                }
            if (c != T(0) && r != T(0)) {
                T g = r / kRadix;
                T f = 1;
                const T s = c + r;
                while (c < g) {
                    f *= kRadix;
                    c *= kRadixSquared;
                }
                g = r * kRadix;
                while (c > g) {
                    f /= kRadix;
                    c /= kRadixSquared;
                }
                if ((c + r) / f < T(0.95) * s) {
                    done = false;
                    g = T(1) / f;
                    for (int j = 1; j <= n; ++j)
                        a[i][j] *= g;
                    for (int j = 1; j <= n; ++j)
                        a[j][i] *= f;
                }
            }
        }
    }
}

// Reduces to upper Hessenberg form by elimination with partial pivoting;
// the entries below the sub-diagonal are cleared afterwards.
template <class T>
void ReduceToHessenberg(WorkArray<T>& a, int n)
{
    for (int m = 2; m < n; ++m) {
        T x = 0;
        int i = m;
        for (int j = m; j <= n; ++j)
            if (std::abs(a[j][m - 1]) > std::abs(x)) {
                x = a[j][m - 1];
                i = j;
            }
        if (i != m) {
            for (int j = m - 1; j <= n; ++j)
                std::swap(a[i][j], a[m][j]);
            for (int j = 1; j <= n; ++j)
                std::swap(a[j][i], a[j][m]);
        }
        if (x != T(0)) {
            for (i = m + 1; i <= n; ++i) {
                T y = a[i][m - 1];
                if (y != T(0)) {
                    y /= x;
                    a[i][m - 1] = y;
                    for (int j = m; j <= n; ++j)
                        a[i][j] -= y * a[m][j];
                    for (int j = 1; j <= n; ++j)
                        a[j][m] += y * a[j][i];
                }
            }
        }
    }
    for (int i = 3; i <= n; ++i)
        for (int j = 1; j < i - 1; ++j)
            a[i][j] = T(0);
}

constexpr int kMaxQrIterations = 300;

// All eigenvalues of an upper Hessenberg matrix by the shifted QR algorithm
// (real and imaginary parts). False when one eigenvalue needs kMaxQrIterations.
template <class T>
bool HessenbergEigenvalues(WorkArray<T>& a, int n, T* wr, T* wi)
{
    T anorm = 0;
    for (int i = 1; i <= n; ++i)
        for (int j = std::max(i - 1, 1); j <= n; ++j)
            anorm += std::abs(a[i][j]);
    int nn = n;
    T t = 0;
    T p = 0, q = 0, r = 0, s = 0, w = 0, x = 0, y = 0, z = 0;
    while (nn >= 1) {
        int its = 0;
        int l;
        do {
            // Look for a single small sub-diagonal element.
            for (l = nn; l >= 2; --l) {
                s = std::abs(a[l - 1][l - 1]) + std::abs(a[l][l]);
                if (s == T(0))
                    s = anorm;
                if (std::abs(a[l][l - 1]) + s == s) {
                    a[l][l - 1] = T(0);
                    break;
                }
            }
            x = a[nn][nn];
            if (l == nn) { // one root found
                wr[nn] = x + t;
                wi[nn--] = T(0);
            } else {
                y = a[nn - 1][nn - 1];
                w = a[nn][nn - 1] * a[nn - 1][nn];
                if (l == nn - 1) { // two roots found
                    p = T(0.5) * (y - x);
                    q = p * p + w;
                    z = std::sqrt(std::abs(q));
                    x += t;
                    if (q >= T(0)) {
                        z = p + Sign(z, p);
                        wr[nn - 1] = wr[nn] = x + z;
                        if (z != T(0))
                            wr[nn] = x - w / z;
                        wi[nn - 1] = wi[nn] = T(0);
                    } else {
                        wr[nn - 1] = wr[nn] = x + p;
                        wi[nn - 1] = -(wi[nn] = z);
                    }
                    nn -= 2;
                } else {
                    // Exceptional shifts at iterations 10 and 20 and, should
                    // the eigenvalue still not have split off at 30, every
                    // 10 after that: a matrix that settles within 30 is
                    // treated exactly as with a limit of 30, and a valid stage
                    // matrix that needs more is not mistaken for one without
                    // a growth rate.
                    if (its == kMaxQrIterations)
                        return false;
                    if (its > 0 && its % 10 == 0) { // exceptional shift
                        t += x;
                        for (int i = 1; i <= nn; ++i)
                            a[i][i] -= x;
                        s = std::abs(a[nn][nn - 1]) + std::abs(a[nn - 1][nn - 2]);
                        y = x = T(0.75) * s;
                        w = T(-0.4375) * s * s;
                    }
                    ++its;
                    int m;
                    for (m = nn - 2; m >= l; --m) {
                        z = a[m][m];
                        r = x - z;
                        s = y - z;
                        p = (r * s - w) / a[m + 1][m] + a[m][m + 1];
                        q = a[m + 1][m + 1] - z - r - s;
                        r = a[m + 2][m + 1];
                        s = std::abs(p) + std::abs(q) + std::abs(r);
                        p /= s;
                        q /= s;
                        r /= s;
                        if (m == l)
                            break;
                        const T u = std::abs(a[m][m - 1]) * (std::abs(q) + std::abs(r));
                        const T v = std::abs(p) * (std::abs(a[m - 1][m - 1]) + std::abs(z) + std::abs(a[m + 1][m + 1]));
                        if (u + v == v)
                            break;
                    }
                    for (int i = m + 2; i <= nn; ++i) {
                        a[i][i - 2] = T(0);
                        if (i != m + 2)
                            a[i][i - 3] = T(0);
                    }
                    for (int k = m; k <= nn - 1; ++k) {
                        if (k != m) {
                            p = a[k][k - 1];
                            q = a[k + 1][k - 1];
                            r = T(0);
                            if (k != nn - 1)
                                r = a[k + 2][k - 1];
                            if ((x = std::abs(p) + std::abs(q) + std::abs(r)) != T(0)) {
                                p /= x;
                                q /= x;
                                r /= x;
                            }
                        }
                        if ((s = Sign(std::sqrt(p * p + q * q + r * r), p)) != T(0)) {
                            if (k == m) {
                                if (l != m)
                                    a[k][k - 1] = -a[k][k - 1];
                            } else {
                                a[k][k - 1] = -s * x;
                            }
                            p += s;
                            x = p / s;
                            y = q / s;
                            z = r / s;
                            q /= p;
                            r /= p;
                            for (int j = k; j <= nn; ++j) {
                                p = a[k][j] + q * a[k + 1][j];
                                if (k != nn - 1) {
                                    p += r * a[k + 2][j];
                                    a[k + 2][j] -= p * z;
                                }
                                a[k + 1][j] -= p * y;
                                a[k][j] -= p * x;
                            }
                            const int mmin = nn < k + 3 ? nn : k + 3;
                            for (int i = l; i <= mmin; ++i) {
                                p = x * a[i][k] + y * a[i][k + 1];
                                if (k != nn - 1) {
                                    p += z * a[i][k + 2];
                                    a[i][k + 2] -= p * r;
                                }
                                a[i][k + 1] -= p * q;
                                a[i][k] -= p;
                            }
                        }
                    }
                }
            }
        } while (l < nn - 1);
    }
    return true;
}

bool AllFinite(const TStageMatrix& m)
{
    for (int i = 1; i <= m.size; ++i)
        for (int j = 1; j <= m.size; ++j)
            if (!std::isfinite(m(i, j)))
                return false;
    return true;
}

// Largest real eigenvalue counting from 0, computed in precision T from the
// matrix rounded to T; false when the iteration fails.
//
// Stages that receive individuals from no other remaining stage (a zero row
// off the diagonal), or send individuals to none (a zero column), are split
// off first, one at a time: each contributes its diagonal element as an
// eigenvalue, and the matrix of the stages left has the other eigenvalues.
// This is exact (a reordering of the stages makes the matrix block
// triangular), and it keeps chains of stages that lead nowhere, such as
// post-reproductive stages, out of the QR iteration, where their repeated
// eigenvalue 0 converges too slowly for the iteration limit.
template <class T>
bool TryDominantEigenvalue(const TStageMatrix& matrix, T& lambda)
{
    lambda = 0;
    const int n = matrix.size;
    if (n == 0 || !AllFinite(matrix))
        return n == 0;

    TStageMatrixOf<T> m(n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            m(i, j) = static_cast<T>(matrix(i, j));
    int active[kStageMatrixCapacity];
    int count = n;
    for (int k = 0; k < n; ++k)
        active[k] = k + 1;
    for (bool split = true; split && count > 0;) {
        split = false;
        for (int k = 0; k < count && !split; ++k) {
            const int i = active[k];
            bool rowEmpty = true, columnEmpty = true;
            for (int l = 0; l < count; ++l) {
                const int j = active[l];
                if (j == i)
                    continue;
                rowEmpty = rowEmpty && m(i, j) == T(0);
                columnEmpty = columnEmpty && m(j, i) == T(0);
            }
            if (rowEmpty || columnEmpty) {
                lambda = std::max(lambda, m(i, i));
                for (int l = k + 1; l < count; ++l)
                    active[l - 1] = active[l];
                --count;
                split = true;
            }
        }
    }
    if (count == 0)
        return true;

    WorkArray<T> a{};
    for (int i = 1; i <= count; ++i)
        for (int j = 1; j <= count; ++j)
            a[i][j] = m(active[i - 1], active[j - 1]);
    Balance(a, count);
    ReduceToHessenberg(a, count);
    T wr[kStageMatrixCapacity + 2] = {};
    T wi[kStageMatrixCapacity + 2] = {};
    if (!HessenbergEigenvalues(a, count, wr, wi)) {
        lambda = 0;
        return false;
    }
    for (int i = 1; i <= count; ++i)
        if (wi[i] == T(0) && wr[i] > lambda)
            lambda = wr[i];
    return true;
}

TStageMatrix Transposed(const TStageMatrix& m)
{
    TStageMatrix t(m.size);
    for (int i = 1; i <= m.size; ++i)
        for (int j = 1; j <= m.size; ++j)
            t(j, i) = m(i, j);
    return t;
}

// A usable start vector: the given one when it is finite, non-negative and
// not all 0, else all ones.
TStageVector StartVector(const TStageVector& start, int n)
{
    TStageVector x(n);
    bool usable = start.size == n;
    double sum = 0.0;
    for (int s = 1; usable && s <= n; ++s) {
        usable = std::isfinite(start(s)) && start(s) >= 0.0;
        sum += usable ? start(s) : 0.0;
    }
    for (int s = 1; s <= n; ++s)
        x(s) = usable && sum > 0.0 ? start(s) : 1.0;
    return x;
}

// Scales x to unit length with a positive sum (the largest entry positive
// when the sum is about 0), so that successive iterates can be compared.
void NormaliseDirection(TStageVector& x)
{
    double norm = 0.0, sum = 0.0, largest = 0.0;
    for (int s = 1; s <= x.size; ++s) {
        norm += x(s) * x(s);
        sum += x(s);
        if (std::abs(x(s)) > std::abs(largest))
            largest = x(s);
    }
    norm = std::sqrt(norm);
    if (!(norm > 0.0) || !std::isfinite(norm))
        return;
    const double sign = std::abs(sum) > 1e-9 * norm ? (sum > 0.0 ? 1.0 : -1.0) : (largest >= 0.0 ? 1.0 : -1.0);
    for (int s = 1; s <= x.size; ++s)
        x(s) *= sign / norm;
}

// The eigenvector of `lambda` by inverse iteration with a shift just above
// lambda: it converges in a few steps whatever the other eigenvalues are,
// periodic (imprimitive) matrices included, where plain power iteration
// oscillates for ever.
bool InverseIteration(const TStageMatrix& a, double lambda, TStageVector& x)
{
    const int n = a.size;
    double norm = 0.0;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            norm = std::max(norm, std::abs(a(i, j)));
    const double shift = lambda + 1e-10 * std::max(1.0, std::abs(lambda));

    // LU factors of a - shift I with partial pivoting; an exactly singular
    // pivot is replaced by a tiny one, which only amplifies the wanted
    // direction.
    double lu[kStageMatrixCapacity + 1][kStageMatrixCapacity + 1] = {};
    int pivot[kStageMatrixCapacity + 1] = {};
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            lu[i][j] = a(i, j) - (i == j ? shift : 0.0);
    const double tiny = 1e-16 * std::max(norm, 1.0);
    for (int k = 1; k <= n; ++k) {
        int best = k;
        for (int i = k + 1; i <= n; ++i)
            if (std::abs(lu[i][k]) > std::abs(lu[best][k]))
                best = i;
        pivot[k] = best;
        if (best != k)
            for (int j = 1; j <= n; ++j)
                std::swap(lu[k][j], lu[best][j]);
        if (std::abs(lu[k][k]) < tiny)
            lu[k][k] = lu[k][k] < 0.0 ? -tiny : tiny;
        for (int i = k + 1; i <= n; ++i) {
            lu[i][k] /= lu[k][k];
            for (int j = k + 1; j <= n; ++j)
                lu[i][j] -= lu[i][k] * lu[k][j];
        }
    }

    NormaliseDirection(x);
    for (int iteration = 0; iteration < 100; ++iteration) {
        TStageVector y = x;
        for (int k = 1; k <= n; ++k)
            std::swap(y(k), y(pivot[k]));
        for (int i = 2; i <= n; ++i)
            for (int j = 1; j < i; ++j)
                y(i) -= lu[i][j] * y(j);
        for (int i = n; i >= 1; --i) {
            for (int j = i + 1; j <= n; ++j)
                y(i) -= lu[i][j] * y(j);
            y(i) /= lu[i][i];
        }
        NormaliseDirection(y);
        double change = 0.0;
        for (int s = 1; s <= n; ++s) {
            if (!std::isfinite(y(s)))
                return false;
            change = std::max(change, std::abs(y(s) - x(s)));
        }
        x = y;
        if (change <= 1e-14)
            break;
    }
    // Accept only a true eigenvector: |a x - lambda x| small against |a|.
    double residual = 0.0;
    for (int i = 1; i <= n; ++i) {
        double ax = 0.0;
        for (int j = 1; j <= n; ++j)
            ax += a(i, j) * x(j);
        residual = std::max(residual, std::abs(ax - lambda * x(i)));
    }
    return residual <= 1e-9 * std::max(norm + std::abs(lambda), 1e-300);
}

void ScaleToSum(TStageVector& x)
{
    double sum = 0.0, largest = 0.0;
    for (int s = 1; s <= x.size; ++s) {
        sum += x(s);
        largest = std::max(largest, std::abs(x(s)));
    }
    const double divisor = sum > 0.0 ? sum : largest;
    if (divisor > 0.0)
        for (int s = 1; s <= x.size; ++s)
            x(s) /= divisor;
}

void ScaleToFirst(TStageVector& x)
{
    double largest = 0.0;
    for (int s = 1; s <= x.size; ++s)
        if (std::abs(x(s)) > std::abs(largest))
            largest = x(s);
    const double divisor = x.size > 0 && std::abs(x(1)) > 1e-12 * std::abs(largest) ? x(1) : largest;
    if (divisor != 0.0)
        for (int s = 1; s <= x.size; ++s)
            x(s) /= divisor;
}

bool DominantVector(const TStageMatrix& matrix, const TStageVector& start, TStageVector& out)
{
    out = StartVector(start, matrix.size);
    double lambda = 0.0;
    if (matrix.size == 0 || !TryDominantEigenvalue<double>(matrix, lambda) || !(lambda > 0.0))
        return false;
    TStageVector x = out;
    if (!InverseIteration(matrix, lambda, x))
        return false;
    out = x;
    return true;
}

} // namespace

TStageMatrix ApplyMultipliers(const TStageMatrix& source, double survivalMultiplier, double fecundityMultiplier)
{
    TStageMatrix result(source.size);
    for (int i = 1; i <= source.size; ++i)
        for (int j = 1; j <= source.size; ++j)
            result(i, j) = source(i, j) * (i == 1 ? fecundityMultiplier : survivalMultiplier);
    return result;
}

double DominantEigenvalue(const TStageMatrix& matrix)
{
    float lambda = 0.0f;
    return TryDominantEigenvalue<float>(matrix, lambda) ? lambda : 0.0;
}

bool StableDistribution(const TStageMatrix& matrix, const TStageVector& start, TStageVector& w)
{
    const bool found = DominantVector(matrix, start, w);
    ScaleToSum(w);
    return found;
}

bool ReproductiveValues(const TStageMatrix& matrix, const TStageVector& start, TStageVector& v)
{
    const bool found = DominantVector(Transposed(matrix), start, v);
    ScaleToFirst(v);
    return found;
}

TStageMatrix Sensitivities(const TStageVector& v, const TStageVector& w)
{
    const int n = std::min(v.size, w.size);
    TStageMatrix s(n);
    double d = 0.0;
    for (int k = 1; k <= n; ++k)
        d += v(k) * w(k);
    if (d == 0.0 || !std::isfinite(d))
        return s;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            s(i, j) = v(i) * w(j) / d;
    return s;
}

TStageMatrix Elasticities(const TStageMatrix& matrix, const TStageVector& v, const TStageVector& w, double lambda)
{
    TStageMatrix e = Sensitivities(v, w);
    for (int i = 1; i <= e.size; ++i)
        for (int j = 1; j <= e.size; ++j)
            e(i, j) = lambda == 0.0 ? 0.0 : e(i, j) * matrix(i, j) / lambda;
    return e;
}

namespace {

double Single(double x) { return static_cast<float>(x); }

// The scaled matrix of the multiplier search, held in single precision like
// the model's matrices: every entry is rounded to a single when it is stored.
TStageMatrix ScaledForMultiplier(const TStageMatrix& matrix, double m, DDAffects affects, bool ignoreConstraints)
{
    const int n = matrix.size;
    TStageMatrix scaled(n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            const double a = Single(matrix(i, j));
            scaled(i, j) = !AffectsRow(affects, i) ? a : (a > 0.0 ? Single(m * a) : 0.0);
        }
    if (!ignoreConstraints) {
        for (int j = 1; j <= n; ++j) {
            double survival = 0.0;
            for (int i = 2; i <= n; ++i) {
                if (AffectsRow(affects, i) && scaled(i, j) > 1.0)
                    scaled(i, j) = 1.0;
                survival += scaled(i, j);
            }
            if (survival > 1.0)
                for (int i = 2; i <= n; ++i)
                    scaled(i, j) = Single(scaled(i, j) / survival);
        }
    }
    return scaled;
}

} // namespace

double FindRateMultiplier(const TStageMatrix& matrix, double target, DDAffects affects, bool ignoreConstraints,
                          bool precise)
{
    const double epsilon = precise ? 0.0001 : 0.001;
    const int n = matrix.size;
    double affectedSum = 0.0;
    for (int i = 1; i <= n; ++i)
        if (AffectsRow(affects, i))
            for (int j = 1; j <= n; ++j)
                affectedSum += matrix(i, j);
    if (!(std::abs(affectedSum) > epsilon) || !std::isfinite(target))
        return -1.0;

    auto lambdaAt = [&](double m) {
        return DominantEigenvalue(ScaledForMultiplier(matrix, m, affects, ignoreConstraints));
    };
    // Whole steps until lambda reaches the target itself; a whole multiplier
    // whose lambda is within the tolerance below the target is passed, and
    // the bisection below the next one finds a multiplier within it.
    double m = 0.0;
    double lambda = 0.0;
    for (int step = 1; step <= 200; ++step) {
        m = step;
        lambda = lambdaAt(m);
        if (lambda >= target)
            break;
    }
    if (lambda < target)
        return -1.0;
    if (std::abs(lambda - target) <= epsilon)
        return m;

    double low = m - 1.0, high = m, mid = m;
    for (int i = 0; i < 200; ++i) {
        mid = 0.5 * (low + high);
        lambda = lambdaAt(mid);
        if (std::abs(lambda - target) <= epsilon)
            break;
        if (lambda > target)
            high = mid;
        else
            low = mid;
    }
    return Single(mid);
}

bool SplitIntoStageCounts(std::int32_t total, const TStageVector& w, TStageVector& counts)
{
    const int n = w.size;
    double sum = 0.0;
    for (int s = 1; s <= n; ++s)
        sum += w(s);
    if (!(sum > 0.0) || !std::isfinite(sum))
        return false;

    TStageVector result(n);
    double rounded = 0.0;
    for (int s = 1; s <= n; ++s) {
        result(s) = std::round(w(s) / sum * total);
        rounded += result(s);
    }
    // Stages from the largest w down, the first stage first on ties.
    int order[kStageMatrixCapacity];
    for (int s = 0; s < n; ++s)
        order[s] = s + 1;
    std::stable_sort(order, order + n, [&w](int a, int b) { return w(a) > w(b); });
    double difference = total - rounded;
    for (int k = 0; k < n && difference != 0.0; ++k) {
        const int s = order[k];
        result(s) += difference;
        difference = 0.0;
        if (result(s) < 0.0) {
            difference = result(s);
            result(s) = 0.0;
        }
    }
    counts = result;
    return true;
}
