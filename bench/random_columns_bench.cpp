// Every random-number function end to end: its _12 entry called through the
// host's call path for a million-row column and the result handed back with
// xlAutoFree12 (Column/<function>), and, for the samplers built on the
// normal quantile, the cost of just their uniforms and quantile evaluations
// (QuantileBound/<function>). bench/compare_numpy.py sets these beside numpy.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "bench/loaded_addin.h"
#include "math/normal.h"
#include "math/random_gamma.h"
#include "math/random_uniform.h"

namespace {

constexpr int32_t kRows = 1000000;
constexpr int32_t kFullColumn = 1048576;
constexpr int16_t kAlgorithm = 0;  // MT2002
constexpr int32_t kSeed1 = 1;
constexpr int32_t kSeed2 = 2;
constexpr int16_t kNo = 0;
constexpr int16_t kYes = 1;

using Zr::Bench::Addin;

// Column/<label>: entry(kRows, parameters...) on every iteration, the result
// freed as Excel frees it. Threads/ runs the same on one and on two threads
// at once (each thread's rows count), as Excel's calculation threads call it;
// FullColumn/ fills all 1,048,576 rows of a worksheet column.
template <class... P>
benchmark::internal::Benchmark* RegisterColumnIn(const std::string& group, const std::string& label, int32_t rows,
                                                 const char* entry, P... parameters) {
    return benchmark::RegisterBenchmark((group + "/" + label).c_str(), [=](benchmark::State& state) {
        const auto call = Addin().Export<XLOPER12* (*)(int32_t, P...)>(entry);
        if (!call || !Addin().Ready()) {
            state.SkipWithError("the add-in could not be loaded");
            return;
        }
        XLOPER12* first = call(rows, parameters...);
        const bool column = (first->xltype & xltypeMulti) && first->val.array.rows == rows;
        Addin().Free(first);
        if (!column) {
            state.SkipWithError("the entry did not return a column");
            return;
        }
        for (auto _ : state) {
            XLOPER12* result = call(rows, parameters...);
            benchmark::DoNotOptimize(result->val.array.lparray);
            Addin().Free(result);
        }
        state.SetItemsProcessed(state.iterations() * rows);
    })->Unit(benchmark::kMillisecond)->UseRealTime();
}

template <class... P>
benchmark::internal::Benchmark* RegisterColumn(const std::string& label, const char* entry, P... parameters) {
    return RegisterColumnIn("Column", label, kRows, entry, parameters...);
}

// The uniforms `draw` takes per variate, found by replay: a second generator
// with the same seeds steps on until its outputs match what the first one
// gives after the variates.
template <class Draw>
double UniformsPerVariate(Draw draw) {
    constexpr int kVariates = 100000;
    constexpr int kWindow = 4;
    Zr::Math::RandomUniform used, replay;
    used.Init(kSeed1, kSeed2, Zr::Math::MT2002);
    replay.Init(kSeed1, kSeed2, Zr::Math::MT2002);
    for (int i = 0; i < kVariates; ++i) draw(used);
    double next[kWindow], window[kWindow];
    for (int j = 0; j < kWindow; ++j) {
        next[j] = used.Next();
        window[j] = replay.Next();
    }
    int64_t skipped = 0;
    for (;;) {
        bool same = true;
        for (int j = 0; j < kWindow; ++j) same = same && window[j] == next[j];
        if (same) break;
        for (int j = 0; j + 1 < kWindow; ++j) window[j] = window[j + 1];
        window[kWindow - 1] = replay.Next();
        ++skipped;
    }
    return double(skipped) / kVariates;
}

// Marsaglia and Tsang's method: each proposal is the quantile of one uniform
// and one more uniform (the proposals it rejects before the second uniform
// are a few in a million), so a variate takes half its uniforms as quantiles.
double GammaUniforms(double shape) {
    return UniformsPerVariate([shape](Zr::Math::RandomUniform& g) { Zr::Math::GammaVariate(g, shape, 1.0); });
}

// QuantileBound/<label>: per variate, `quantiles` normal quantiles of
// uniforms and `uniforms - quantiles` further uniforms, from the generator
// the entries use.
void RegisterQuantileBound(const std::string& label, double uniforms, double quantiles) {
    benchmark::RegisterBenchmark(("QuantileBound/" + label).c_str(), [=](benchmark::State& state) {
        const auto quantileCount = int64_t(std::llround(quantiles * kRows));
        const auto uniformCount = int64_t(std::llround((uniforms - quantiles) * kRows));
        for (auto _ : state) {
            Zr::Math::RandomUniform generator;
            generator.Init(kSeed1, kSeed2, Zr::Math::MT2002);
            double sum = 0.0;
            for (int64_t i = 0; i < quantileCount; ++i) sum += Zr::Math::NormInv(generator.Next());
            for (int64_t i = 0; i < uniformCount; ++i) sum += generator.Next();
            benchmark::DoNotOptimize(sum);
        }
        state.counters["uniforms"] = uniforms;
        state.counters["quantiles"] = quantiles;
        state.SetItemsProcessed(state.iterations() * kRows);
    })->Unit(benchmark::kMillisecond)->UseRealTime();
}

const bool kRegistered = [] {
    RegisterColumn("Rand", "ZrRand_12", kAlgorithm, kSeed1, kSeed2);
    RegisterColumn("NormBoxMuller", "ZrRandNorm_12", kAlgorithm, kSeed1, kSeed2, kNo, kNo, kNo);
    RegisterColumn("NormInversion", "ZrRandNorm_12", kAlgorithm, kSeed1, kSeed2, kYes, kNo, kNo);
    RegisterColumn("LogNorm", "ZrRandLogNorm_12", 0.0, 1.0, kAlgorithm, kSeed1, kSeed2);
    RegisterColumn("JohnsonSU", "ZrRandJohnsonSU_12", 0.5, 2.0, 1.0, 0.0, kAlgorithm, kSeed1, kSeed2, kYes, kNo, kNo);
    RegisterColumn("TruncNorm", "ZrRandTruncNorm_12", -1.0, 2.0, 0.0, 1.0, kAlgorithm, kSeed1, kSeed2);
    RegisterColumn("Gamma", "ZrRandGamma_12", 2.5, 1.0, kAlgorithm, kSeed1, kSeed2);
    RegisterColumn("ChiSq", "ZrRandChiSq_12", int32_t(4), kAlgorithm, kSeed1, kSeed2);
    RegisterColumn("Chi", "ZrRandChi_12", int32_t(4), kAlgorithm, kSeed1, kSeed2);
    RegisterColumn("F", "ZrRandF_12", int32_t(5), int32_t(7), kAlgorithm, kSeed1, kSeed2);
    RegisterColumn("Beta", "ZrRandBeta_12", 2.0, 3.0, kAlgorithm, kSeed1, kSeed2);
    RegisterColumn("T", "ZrRandT_12", int32_t(5), kAlgorithm, kSeed1, kSeed2);
    RegisterColumn("Poisson", "ZrRandPoisson_12", 3.0, kAlgorithm, kSeed1, kSeed2);
    RegisterColumn("Weibull", "ZrRandWeibull_12", 2.0, 1.0, kAlgorithm, kSeed1, kSeed2);
    RegisterColumn("Logistic", "ZrRandLogistic_12", 0.0, 1.0, kAlgorithm, kSeed1, kSeed2);
    RegisterColumn("Gumbel", "ZrRandGumbel_12", 0.0, 1.0, kAlgorithm, kSeed1, kSeed2);
    RegisterColumn("Triangular", "ZrRandTriangular_12", 0.0, 1.0, 0.3, kAlgorithm, kSeed1, kSeed2);

    // One uniform and its quantile per variate; chi and chi-square with n = 4
    // are gamma(2) variates, F(5, 7) one gamma(2.5) and one gamma(3.5).
    RegisterQuantileBound("NormInversion", 1.0, 1.0);
    RegisterQuantileBound("LogNorm", 1.0, 1.0);
    RegisterQuantileBound("JohnsonSU", 1.0, 1.0);
    const double gamma25 = GammaUniforms(2.5);
    const double gamma2 = GammaUniforms(2.0);
    const double f = gamma25 + GammaUniforms(3.5);
    RegisterQuantileBound("Gamma", gamma25, gamma25 / 2);
    RegisterQuantileBound("ChiSq", gamma2, gamma2 / 2);
    RegisterQuantileBound("Chi", gamma2, gamma2 / 2);
    RegisterQuantileBound("F", f, f / 2);

    for (auto* b : {RegisterColumnIn("Threads", "Rand", kRows, "ZrRand_12", kAlgorithm, kSeed1, kSeed2),
                    RegisterColumnIn("Threads", "NormBoxMuller", kRows, "ZrRandNorm_12", kAlgorithm, kSeed1, kSeed2,
                                     kNo, kNo, kNo),
                    RegisterColumnIn("Threads", "Gamma", kRows, "ZrRandGamma_12", 2.5, 1.0, kAlgorithm, kSeed1,
                                     kSeed2)})
        b->Threads(1)->Threads(2);
    RegisterColumnIn("FullColumn", "Rand", kFullColumn, "ZrRand_12", kAlgorithm, kSeed1, kSeed2);
    RegisterColumnIn("FullColumn", "NormBoxMuller", kFullColumn, "ZrRandNorm_12", kAlgorithm, kSeed1, kSeed2, kNo, kNo,
                     kNo);
    return true;
}();

}  // namespace
