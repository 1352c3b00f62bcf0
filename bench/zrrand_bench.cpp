// ZrRand_12 with a million rows through the host's call path (the call, the
// hand-over in the thread's record, xlAutoFree12), beside the same generator
// writing into a plain array and the floor of allocating and filling the
// 32-byte records.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/host_platform.h"
#include "math/random_normal.h"
#include "math/random_uniform.h"

namespace {

constexpr int32_t kRows = 1048576;

using ZrRand12 = XLOPER12* (*)(int32_t, int16_t, int32_t, int32_t);
using ZrRandNorm12 = XLOPER12* (*)(int32_t, int16_t, int32_t, int32_t, int16_t, int16_t, int16_t);
using AutoFree12 = void (*)(XLOPER12*);

// The add-in loaded and opened by the host once for all benchmarks.
struct LoadedAddin {
    Zr::Host::Host host;
    void* library = nullptr;
    ZrRand12 rand = nullptr;
    ZrRandNorm12 randNorm = nullptr;
    AutoFree12 autoFree = nullptr;

    LoadedAddin() {
        std::string error;
        if (!host.Load(ZR_ADDIN_FULL_PATH, error) || host.AutoOpen() != 1) return;
        library = Zr::HostPlatform::LoadLibraryFile(ZR_ADDIN_FULL_PATH, error);
        rand = reinterpret_cast<ZrRand12>(Zr::HostPlatform::FindSymbol(library, "ZrRand_12"));
        randNorm = reinterpret_cast<ZrRandNorm12>(Zr::HostPlatform::FindSymbol(library, "ZrRandNorm_12"));
        autoFree = reinterpret_cast<AutoFree12>(Zr::HostPlatform::FindSymbol(library, "xlAutoFree12"));
    }
};

LoadedAddin& Addin() {
    static LoadedAddin addin;
    return addin;
}

void ZrRandEndToEnd(benchmark::State& state) {
    LoadedAddin& addin = Addin();
    if (!addin.rand || !addin.autoFree) {
        state.SkipWithError("the add-in could not be loaded");
        return;
    }
    for (auto _ : state) {
        XLOPER12* result = addin.rand(kRows, 0, 1, 2);
        benchmark::DoNotOptimize(result->val.array.lparray);
        if (result->xltype & xlbitDLLFree) addin.autoFree(result);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// ZrRandNorm_12 (inversion, no antithetic, resampling as the argument says).
void ZrRandNormEndToEnd(benchmark::State& state) {
    LoadedAddin& addin = Addin();
    if (!addin.randNorm || !addin.autoFree) {
        state.SkipWithError("the add-in could not be loaded");
        return;
    }
    for (auto _ : state) {
        XLOPER12* result = addin.randNorm(kRows, 0, 1, 2, 1, 0, int16_t(state.range(0)));
        benchmark::DoNotOptimize(result->val.array.lparray);
        if (result->xltype & xlbitDLLFree) addin.autoFree(result);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
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

BENCHMARK(ZrRandEndToEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(UniformIntoPlainArray)->Unit(benchmark::kMillisecond);
BENCHMARK(RecordFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(ZrRandNormEndToEnd)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(NormalIntoPlainArray)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
