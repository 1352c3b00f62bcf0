// Cost of the parameter fits: the four Newton-Raphson fits from the moments
// of typical parameters, and a closed-form fit for scale.
#include <benchmark/benchmark.h>

#include "math/closed_form_moments.h"
#include "math/distributions.h"
#include "math/fits.h"

namespace {

using namespace Zr::Math;

void BM_BetaFit(benchmark::State& state) {
    const Moments m = BetaMoments(2, 5);
    double a = 0, b = 0;
    for (auto _ : state) benchmark::DoNotOptimize(BetaFit(m.mean, m.stdev, a, b));
}
BENCHMARK(BM_BetaFit);

void BM_WeibullFit(benchmark::State& state) {
    const Moments m = WeibullMoments(2.5, 3);
    double a = 0, b = 0;
    for (auto _ : state) benchmark::DoNotOptimize(WeibullFit(m.mean, m.stdev, a, b));
}
BENCHMARK(BM_WeibullFit);

void BM_TriangularFit(benchmark::State& state) {
    const Moments m = TriangularMoments(0, 1, 0.2);
    double lo = 0, hi = 0, mode = 0;
    for (auto _ : state) benchmark::DoNotOptimize(TriangularFit(m.mean, m.stdev, m.skew, lo, hi, mode));
}
BENCHMARK(BM_TriangularFit);

void BM_TruncNormFit(benchmark::State& state) {
    const double mean = TruncNormMean(-1, 2, 0.4, 1), stdev = TruncNormStdev(-1, 2, 0.4, 1);
    double mu = 0, sigma = 0;
    for (auto _ : state) benchmark::DoNotOptimize(TruncNormFit(-1, 2, mean, stdev, mu, sigma));
}
BENCHMARK(BM_TruncNormFit);

void BM_JohnsonSUFit(benchmark::State& state) {
    const double mean = JohnsonSUMean(-0.6, 1.3, 2, 1), stdev = JohnsonSUStdev(-0.6, 1.3, 2, 1);
    const double skew = JohnsonSUSkew(-0.6, 1.3, 2, 1), kurt = JohnsonSUKurt(-0.6, 1.3);
    double g = 0, d = 0, l = 0, x = 0;
    for (auto _ : state) benchmark::DoNotOptimize(JohnsonSUFit(mean, stdev, skew, kurt, g, d, l, x));
}
BENCHMARK(BM_JohnsonSUFit);

}  // namespace
