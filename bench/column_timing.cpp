// Full worksheet columns end to end where Google Benchmark is not built (the
// Windows build, under Wine) and natively beside it: ZrRand and ZrRandNorm
// (Box-Muller) for all 1,048,576 rows, called through their _12 entries and
// handed back with xlAutoFree12 as Excel does. The first call fills memory
// fresh from the system; the later ones show what a recalculation costs.
// Usage: zr_column_timing [ADDIN]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/loaded_addin.h"

namespace {

constexpr int32_t kRows = 1048576;
constexpr int kCalls = 20;

// Milliseconds of each call, the first one first.
template <class Call>
std::vector<double> Time(const Zr::Bench::LoadedAddin& addin, Call call) {
    std::vector<double> ms;
    for (int i = 0; i <= kCalls; ++i) {
        const auto start = std::chrono::steady_clock::now();
        XLOPER12* result = call();
        addin.Free(result);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return ms;
}

void Print(const char* label, std::vector<double> ms) {
    const double first = ms.front();
    std::sort(ms.begin() + 1, ms.end());
    std::printf("%-14s %9.2f %9.2f %9.2f %12.2f\n", label, first, ms[1], ms[1 + kCalls / 2], ms[1] * 1e6 / kRows);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : ZR_ADDIN_FILE_NAME;
    const Zr::Bench::LoadedAddin addin(path);
    using Rand = XLOPER12* (*)(int32_t, int16_t, int32_t, int32_t);
    using Norm = XLOPER12* (*)(int32_t, int16_t, int32_t, int32_t, int16_t, int16_t, int16_t);
    const auto rand = addin.Export<Rand>("ZrRand_12");
    const auto norm = addin.Export<Norm>("ZrRandNorm_12");
    if (!addin.Ready() || !rand || !norm) {
        std::fprintf(stderr, "cannot load %s\n", path.c_str());
        return 1;
    }
    std::printf("%d rows, ms per call          first   fastest    median  ns/row fastest\n", kRows);
    Print("ZrRand", Time(addin, [&] { return rand(kRows, 0, 1, 2); }));
    Print("ZrRandNorm", Time(addin, [&] { return norm(kRows, 0, 1, 2, 0, 0, 0); }));
    return 0;
}
