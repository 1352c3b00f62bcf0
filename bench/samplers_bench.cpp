// Variates per second from each sampler and from RandomNormal by both
// methods, for parameters on each of the samplers' paths (items/s is the
// figure to read). The generator is the default MT2002 throughout.
#include <benchmark/benchmark.h>

#include "math/samplers.h"

namespace {

using namespace Zr::Math;

template <class Sampler>
void Drain(benchmark::State& state, Sampler& sampler) {
    for (auto _ : state) benchmark::DoNotOptimize(sampler.Next());
    state.SetItemsProcessed(state.iterations());
}

// `sampler` comes configured by one of the functions below.
template <class Sampler>
void BM_Sampler(benchmark::State& state, Sampler sampler) {
    sampler.Seed(12345, 67890, MT2002);
    Drain(state, sampler);
}

void BM_Normal(benchmark::State& state, GaussianMethod method, int32_t antithetic) {
    RandomNormal g;
    g.Init(12345, 67890, 0.0, 1.0, method, antithetic, DISABLED, 0, MT2002);
    Drain(state, g);
}

// Init with resampling over 1000 variates, then the 1000 variates: the cost
// of one resampled worksheet column of 1000 rows.
void BM_NormalResampled1000(benchmark::State& state, GaussianMethod method) {
    RandomNormal g;
    for (auto _ : state) {
        g.Init(12345, 67890, 0.0, 1.0, method, 0, ENABLE_RESAMPLING_TYPE2, 1000, MT2002);
        for (int i = 0; i < 1000; ++i) benchmark::DoNotOptimize(g.Next());
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}

RandomGamma Gamma(double shape) {
    RandomGamma s;
    s.SetShape(shape);
    return s;
}
RandomChiSquare ChiSquare(int32_t n) {
    RandomChiSquare s;
    s.SetDegreesOfFreedom(n);
    return s;
}
RandomBeta Beta(double alpha, double beta) {
    RandomBeta s;
    s.SetAlpha(alpha);
    s.SetBeta(beta);
    return s;
}
RandomPoisson Poisson(double mean) {
    RandomPoisson s;
    s.SetMean(mean);
    return s;
}
RandomStudentT StudentT(int32_t n) {
    RandomStudentT s;
    s.SetDegreesOfFreedom(n);
    return s;
}

}  // namespace

BENCHMARK_CAPTURE(BM_Normal, BoxMuller, BOX_MULLER, 0);
BENCHMARK_CAPTURE(BM_Normal, Inversion, INV, 0);
BENCHMARK_CAPTURE(BM_Normal, BoxMullerAntithetic, BOX_MULLER, 1);
BENCHMARK_CAPTURE(BM_Normal, InversionAntithetic, INV, 1);
BENCHMARK_CAPTURE(BM_NormalResampled1000, BoxMuller, BOX_MULLER);
BENCHMARK_CAPTURE(BM_NormalResampled1000, Inversion, INV);

BENCHMARK_CAPTURE(BM_Sampler, Gamma_0_5, Gamma(0.5));
BENCHMARK_CAPTURE(BM_Sampler, Gamma_1, Gamma(1.0));
BENCHMARK_CAPTURE(BM_Sampler, Gamma_2_5, Gamma(2.5));
BENCHMARK_CAPTURE(BM_Sampler, Gamma_1e12, Gamma(1e12));
BENCHMARK_CAPTURE(BM_Sampler, ChiSquare_1, ChiSquare(1));
BENCHMARK_CAPTURE(BM_Sampler, ChiSquare_4, ChiSquare(4));
BENCHMARK_CAPTURE(BM_Sampler, BetaBC_0_5_0_5, Beta(0.5, 0.5));
BENCHMARK_CAPTURE(BM_Sampler, BetaBB_2_3, Beta(2.0, 3.0));
BENCHMARK_CAPTURE(BM_Sampler, BetaGammaRatio_1e154, Beta(1e154, 1e154));
BENCHMARK_CAPTURE(BM_Sampler, PoissonProduct_3, Poisson(3.0));
BENCHMARK_CAPTURE(BM_Sampler, PoissonLorentzian_50, Poisson(50.0));
BENCHMARK_CAPTURE(BM_Sampler, PoissonNormal_1e15, Poisson(1e15));
BENCHMARK_CAPTURE(BM_Sampler, StudentT_1, StudentT(1));
BENCHMARK_CAPTURE(BM_Sampler, StudentT_5, StudentT(5));
BENCHMARK_CAPTURE(BM_Sampler, Triangular, RandomTriangular());
BENCHMARK_CAPTURE(BM_Sampler, Weibull, RandomWeibull());
BENCHMARK_CAPTURE(BM_Sampler, Logistic, RandomLogistic());
BENCHMARK_CAPTURE(BM_Sampler, Gumbel, RandomGumbel());
