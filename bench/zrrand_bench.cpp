// ZrRand_12 with a million rows through the host's call path (the call, the
// hand-over in the thread's record, xlAutoFree12), beside the same generator
// writing into a plain array and the floor of allocating and filling the
// 32-byte records.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bench/loaded_addin.h"
#include "math/random_normal.h"
#include "math/random_uniform.h"

namespace {

constexpr int32_t kRows = 1048576;

using ZrRand12 = XLOPER12* (*)(int32_t, int16_t, int32_t, int32_t);
using ZrRandNorm12 = XLOPER12* (*)(int32_t, int16_t, int32_t, int32_t, int16_t, int16_t, int16_t);
using Zr::Bench::Addin;

void ZrRandEndToEnd(benchmark::State& state) {
    const auto rand = Addin().Export<ZrRand12>("ZrRand_12");
    if (!rand || !Addin().Ready()) {
        state.SkipWithError("the add-in could not be loaded");
        return;
    }
    for (auto _ : state) {
        XLOPER12* result = rand(kRows, 0, 1, 2);
        benchmark::DoNotOptimize(result->val.array.lparray);
        Addin().Free(result);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// ZrRandNorm_12 (inversion, no antithetic, resampling as the argument says).
void ZrRandNormEndToEnd(benchmark::State& state) {
    const auto randNorm = Addin().Export<ZrRandNorm12>("ZrRandNorm_12");
    if (!randNorm || !Addin().Ready()) {
        state.SkipWithError("the add-in could not be loaded");
        return;
    }
    for (auto _ : state) {
        XLOPER12* result = randNorm(kRows, 0, 1, 2, 1, 0, int16_t(state.range(0)));
        benchmark::DoNotOptimize(result->val.array.lparray);
        Addin().Free(result);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// ZrNormInv_12 scalar calls on one thread and on two: a call shares nothing
// with the other thread (no call into Excel on the way), so two threads
// should make nearly twice as many calls per second.
void ZrNormInvCalls(benchmark::State& state) {
    const auto normInv = Addin().Export<XLOPER12* (*)(double)>("ZrNormInv_12");
    if (!normInv || !Addin().Ready()) {
        state.SkipWithError("the add-in could not be loaded");
        return;
    }
    for (auto _ : state) {
        XLOPER12* result = normInv(0.3);
        benchmark::DoNotOptimize(result->val.num);
        Addin().Free(result);
    }
    state.SetItemsProcessed(state.iterations());
}

void NormalIntoPlainArray(benchmark::State& state) {
    std::vector<double> column(kRows);
    for (auto _ : state) {
        Zr::Math::RandomNormal normal;
        normal.Init(1, 2, 0.0, 1.0, Zr::Math::INV, 0,
                    state.range(0) ? Zr::Math::ENABLE_RESAMPLING_TYPE2 : Zr::Math::DISABLED, kRows, Zr::Math::MT2002);
        for (int32_t i = 0; i < kRows; ++i) column[i] = normal.Next();
        benchmark::DoNotOptimize(column.data());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void UniformIntoPlainArray(benchmark::State& state) {
    std::vector<double> column(kRows);
    for (auto _ : state) {
        Zr::Math::RandomUniform generator;
        generator.Init(1, 2, Zr::Math::MT2002);
        for (int32_t i = 0; i < kRows; ++i) column[i] = generator.Next();
        benchmark::DoNotOptimize(column.data());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// Allocating, filling and freeing a million number records: what any
// million-row result costs before a single number is drawn.
void RecordFloor(benchmark::State& state) {
    for (auto _ : state) {
        auto* records = static_cast<XLOPER12*>(std::calloc(kRows, sizeof(XLOPER12)));
        for (int32_t i = 0; i < kRows; ++i) {
            records[i].val.num = 0.5;
            records[i].xltype = xltypeNum;
        }
        benchmark::DoNotOptimize(records);
        std::free(records);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

}  // namespace

BENCHMARK(ZrNormInvCalls)->Threads(1)->Threads(2)->UseRealTime();
BENCHMARK(ZrRandEndToEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(UniformIntoPlainArray)->Unit(benchmark::kMillisecond);
BENCHMARK(RecordFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(ZrRandNormEndToEnd)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(NormalIntoPlainArray)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
