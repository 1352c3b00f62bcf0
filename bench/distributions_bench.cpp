// Evaluations per second of the distribution formulas most used in
// simulation and fitting: the normal, beta, gamma and t quantiles, the normal
// distribution function, the bivariate normal, the truncated normal and
// Johnson SU quantiles. Arguments cycle through a small table so that no
// evaluation is repeated back to back.
#include <benchmark/benchmark.h>

#include <array>

#include "math/distributions.h"

namespace {

using namespace Zr::Math;

constexpr std::array<double, 8> kProbs = {0.001, 0.02, 0.17, 0.35, 0.5, 0.68, 0.93, 0.9995};
constexpr std::array<double, 8> kPoints = {-3.1, -1.7, -0.6, -0.05, 0.3, 0.9, 1.8, 2.9};

template <class Evaluate>
void Run(benchmark::State& state, Evaluate evaluate) {
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(evaluate(i & 7));
        ++i;
    }
    state.SetItemsProcessed(int64_t(state.iterations()));
}

void BmNormInv(benchmark::State& s) { Run(s, [](size_t i) { return NormInv(kProbs[i]); }); }
void BmNormCdf(benchmark::State& s) { Run(s, [](size_t i) { return NormCdf(kPoints[i]); }); }
void BmBetaInv(benchmark::State& s) { Run(s, [](size_t i) { return BetaInv(kProbs[i], 2.5, 4.0); }); }
void BmGammaInv(benchmark::State& s) { Run(s, [](size_t i) { return GammaInv(kProbs[i], 3.2, 1.5); }); }
void BmTInv(benchmark::State& s) { Run(s, [](size_t i) { return TInv(kProbs[i], 7); }); }
void BmBiNormCdf(benchmark::State& s) {
    Run(s, [](size_t i) { return BiNormCdf(kPoints[i], kPoints[7 - i], 0.45); });
}
void BmTruncNormInv(benchmark::State& s) {
    Run(s, [](size_t i) { return TruncNormInv(kProbs[i], -1.0, 2.5, 0.3, 1.2); });
}
void BmJohnsonSUInv(benchmark::State& s) {
    Run(s, [](size_t i) { return JohnsonSUInv(kProbs[i], 0.4, 1.3, 2.0, -0.5); });
}

}  // namespace

BENCHMARK(BmNormInv);
BENCHMARK(BmNormCdf);
BENCHMARK(BmBetaInv);
BENCHMARK(BmGammaInv);
BENCHMARK(BmTInv);
BENCHMARK(BmBiNormCdf);
BENCHMARK(BmTruncNormInv);
BENCHMARK(BmJohnsonSUInv);
