// Evaluations per second of the distribution formulas most used in
// simulation and fitting: the normal, beta, gamma and t quantiles, the normal
// distribution function, the bivariate normal, the truncated normal and
// Johnson SU quantiles, and the density, distribution function and quantile
// of the normal, log-normal, logistic, Gumbel and Weibull. Arguments cycle through a small table so that no
// evaluation is repeated back to back.
#include <benchmark/benchmark.h>

#include <array>
#include <utility>

#include "math/distributions.h"

namespace {

using namespace Zr::Math;

constexpr std::array<double, 8> kProbs = {0.001, 0.02, 0.17, 0.35, 0.5, 0.68, 0.93, 0.9995};
constexpr std::array<double, 8> kPoints = {-3.1, -1.7, -0.6, -0.05, 0.3, 0.9, 1.8, 2.9};
constexpr std::array<double, 8> kPositive = {0.05, 0.2, 0.55, 0.95, 1.35, 2.5, 6.0, 18.0};

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

using Path = double (*)(size_t);
const bool kClosedForms = [] {
    const std::pair<const char*, Path> paths[] = {
        {"BmNormPdf", [](size_t i) { return NormPdf(kPoints[i]); }},
        {"BmLogNormCdf", [](size_t i) { return LogNormCdf(kPositive[i], 0.2, 0.9); }},
        {"BmLogNormPdf", [](size_t i) { return LogNormPdf(kPositive[i], 0.2, 0.9); }},
        {"BmLogNormInv", [](size_t i) { return LogNormInv(kProbs[i], 0.2, 0.9); }},
        {"BmLogisticCdf", [](size_t i) { return LogisticCdf(kPoints[i], 0.3, 1.2); }},
        {"BmLogisticPdf", [](size_t i) { return LogisticPdf(kPoints[i], 0.3, 1.2); }},
        {"BmLogisticInv", [](size_t i) { return LogisticInv(kProbs[i], 0.3, 1.2); }},
        {"BmGumbelCdf", [](size_t i) { return GumbelCdf(kPoints[i], 0.3, 1.2); }},
        {"BmGumbelPdf", [](size_t i) { return GumbelPdf(kPoints[i], 0.3, 1.2); }},
        {"BmGumbelInv", [](size_t i) { return GumbelInv(kProbs[i], 0.3, 1.2); }},
        {"BmWeibullCdf", [](size_t i) { return WeibullCdf(kPositive[i], 1.7, 2.0); }},
        {"BmWeibullPdf", [](size_t i) { return WeibullPdf(kPositive[i], 1.7, 2.0); }},
        {"BmWeibullInv", [](size_t i) { return WeibullInv(kProbs[i], 1.7, 2.0); }},
    };
    for (const auto& [name, path] : paths)
        benchmark::RegisterBenchmark(name, [path = path](benchmark::State& s) { Run(s, path); });
    return true;
}();

}  // namespace

BENCHMARK(BmNormInv);
BENCHMARK(BmNormCdf);
BENCHMARK(BmBetaInv);
BENCHMARK(BmGammaInv);
BENCHMARK(BmTInv);
BENCHMARK(BmBiNormCdf);
BENCHMARK(BmTruncNormInv);
BENCHMARK(BmJohnsonSUInv);
