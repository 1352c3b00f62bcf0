// Uniform numbers per second from each engine of RandomUniform, against
// std::mt19937 building 53-bit doubles from two words the same way, and the
// cost of seeding (every worksheet call seeds fresh generators).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

#include "math/random_uniform.h"

namespace {

using Zr::Math::RandomUniform;
using Zr::Math::UniformGeneratorType;

void BM_Uniform(benchmark::State& state, UniformGeneratorType type) {
    RandomUniform g;
    g.Init(12345, 67890, type);
    for (auto _ : state) benchmark::DoNotOptimize(g.Next());
    state.SetItemsProcessed(state.iterations());
}

void BM_StdMt19937Double53(benchmark::State& state) {
    std::mt19937 engine(12345);
    for (auto _ : state) {
        const uint32_t a = engine() >> 5;
        const uint32_t b = engine() >> 6;
        benchmark::DoNotOptimize((a * 67108864.0 + b) * (1.0 / 9007199254740992.0));
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_UniformInit(benchmark::State& state, UniformGeneratorType type) {
    RandomUniform g;
    uint32_t seed = 0;
    for (auto _ : state) {
        g.Init(++seed, 67890, type);
        benchmark::DoNotOptimize(g.Next());  // the first draw of a twister regenerates
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK_CAPTURE(BM_Uniform, MT2002, Zr::Math::MT2002);
BENCHMARK_CAPTURE(BM_Uniform, MT1998, Zr::Math::MT1998);
BENCHMARK_CAPTURE(BM_Uniform, RAN2, Zr::Math::RAN2);
BENCHMARK(BM_StdMt19937Double53);
BENCHMARK_CAPTURE(BM_UniformInit, MT2002, Zr::Math::MT2002);
BENCHMARK_CAPTURE(BM_UniformInit, MT1998, Zr::Math::MT1998);
BENCHMARK_CAPTURE(BM_UniformInit, RAN2, Zr::Math::RAN2);
