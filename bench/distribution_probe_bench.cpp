// The time of each distribution and inverse function over the points of the
// accuracy probe (tests/math/data/accuracy_*.inc): far tails, tiny and huge
// shapes. Per function, the mean time per call over all its points and, as
// the counter worst_us, the slowest single point (each point timed alone,
// the best of five rounds of 20 calls, so that a stray interrupt does not count).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "tests/math/accuracy_functions.h"

namespace {

using namespace Zr::Testing::Accuracy;
using Clock = std::chrono::steady_clock;

double MicrosecondsPerCall(Evaluate evaluate, const Args& args) {
    double best = 1e300;
    for (int round = 0; round < 5; ++round) {
        const auto start = Clock::now();
        for (int i = 0; i < 20; ++i) benchmark::DoNotOptimize(evaluate(args));
        best = std::min(best, std::chrono::duration<double, std::micro>(Clock::now() - start).count() / 20);
    }
    return best;
}

void Probe(benchmark::State& state, Evaluate evaluate, std::vector<Args> points) {
    double worst = 0;
    for (const Args& args : points) worst = std::max(worst, MicrosecondsPerCall(evaluate, args));
    for (auto _ : state)
        for (const Args& args : points) benchmark::DoNotOptimize(evaluate(args));
    state.SetItemsProcessed(int64_t(state.iterations() * points.size()));
    state.counters["worst_us"] = worst;
}

const bool kRegistered = [] {
    for (const auto& [name, evaluate] : kFunctions) {
        std::vector<Args> points;
        for (const Row& row : kRows)
            if (row.function == name) points.push_back(row.args);
        if (!points.empty())
            benchmark::RegisterBenchmark(("Probe/" + std::string(name)).c_str(), Probe, evaluate, points);
    }
    return true;
}();

}  // namespace
