// The multivariate worksheet functions at worksheet sizes: ZrRandMultiNorm
// with 100,000 rows for dimensions 2, 10 and 50, with and without
// resampling, and ZrMultiCorrel on 100,000 x 20 observations. The _12
// entries are called directly with Excel 12 values, so the figures hold the
// add-in's work (the conversion of the arguments, the numerics, the result
// records) and none of a host's copying. The generator alone, writing into a plain array, shows
// what the records cost.
#include <benchmark/benchmark.h>

#include <random>

#include "bench/loaded_addin.h"
#include "xll/entry.h"
#include "xll/xl_oper.h"
#include "math/random_multi_normal.h"

namespace {

constexpr int32_t kRows = 100000;

using Zr::Bench::Addin;
using Zr::Xll::XlBool;
using ZrRandMultiNorm12 = XLOPER12* (*)(int32_t, XLOPER12*, XLOPER12*, int16_t, int32_t, int32_t, XlBool, XlBool,
                                        XlBool);
using ZrMultiCorrel12 = XLOPER12* (*)(XLOPER12*, XlBool, XlBool);

// An Excel 12 array of rows x columns numbers from `next`.
template <class Next>
CXlOper ArrayOf(int64_t rows, int64_t columns, Next next) {
    Zr::Xll::SetIsExcel12(true);
    CXlOper value;
    value.AllocArray(rows, columns);
    CXlArrayWriter writer(value);
    for (int64_t i = 0; i < rows * columns; ++i) writer.SetDouble(i, next(i / columns, i % columns));
    return value;
}

// A positive definite n x n covariance with correlated components.
CXlOper Covariance(int n) {
    return ArrayOf(n, n, [n](int64_t i, int64_t j) {
        return (i == j ? 1.0 + double(i) / n : 0.0) + 0.5 / (1.0 + double(i > j ? i - j : j - i));
    });
}

void ZrRandMultiNormEntry(benchmark::State& state) {
    const int n = int(state.range(0));
    const XlBool resampling{int16_t(state.range(1))}, no{0};
    const CXlOper cov = Covariance(n), mean = ArrayOf(1, n, [](int64_t, int64_t j) { return double(j); });
    const auto randMultiNorm = Addin().Export<ZrRandMultiNorm12>("ZrRandMultiNorm_12");
    if (!randMultiNorm) return state.SkipWithError("the add-in could not be loaded");
    for (auto _ : state) {
        XLOPER12* result = randMultiNorm(kRows, cov.Modern(), mean.Modern(), 0, 1, 2, no, no, resampling);
        if (result->xltype != (xltypeMulti | xlbitDLLFree)) state.SkipWithError("no result array");
        Addin().Free(result);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kRows) * n);
}

void RandomMultiNormalIntoPlainArray(benchmark::State& state) {
    const size_t n = size_t(state.range(0));
    Zr::Math::Matrix cov(n, n);
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j) cov(i, j) = (i == j ? 1.0 : 0.0) + 0.5 / (1.0 + double(i > j ? i - j : j - i));
    Zr::Math::Vector mean(n), out(n), z(n);
    std::vector<double> values(size_t(kRows) * n);
    for (auto _ : state) {
        Zr::Math::RandomMultiNormal g;
        g.Init(mean, cov, false, false, Zr::Math::DISABLED, kRows, 1, 2, Zr::Math::MT2002, false);
        for (size_t k = 0; k < size_t(kRows); ++k) {
            g.Next(out, z);
            std::copy(out.begin(), out.end(), values.begin() + ptrdiff_t(k * n));
        }
        benchmark::DoNotOptimize(values.data());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kRows) * int64_t(n));
}

void ZrMultiCorrelEntry(benchmark::State& state) {
    constexpr int kSeries = 20;
    std::mt19937_64 engine(7);
    std::normal_distribution<double> normal;
    const CXlOper data = ArrayOf(kRows, kSeries, [&](int64_t, int64_t j) { return normal(engine) + double(j); });
    const XlBool yes{1};
    const auto multiCorrel = Addin().Export<ZrMultiCorrel12>("ZrMultiCorrel_12");
    if (!multiCorrel) return state.SkipWithError("the add-in could not be loaded");
    for (auto _ : state) {
        XLOPER12* result = multiCorrel(data.Modern(), yes, yes);
        if (result->xltype != (xltypeMulti | xlbitDLLFree)) state.SkipWithError("no result array");
        Addin().Free(result);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kRows) * kSeries);
}

}  // namespace

BENCHMARK(ZrRandMultiNormEntry)
    ->ArgNames({"n", "resampling"})
    ->ArgsProduct({{2, 10, 50}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RandomMultiNormalIntoPlainArray)->ArgName("n")->Arg(2)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(ZrMultiCorrelEntry)->Unit(benchmark::kMillisecond);
