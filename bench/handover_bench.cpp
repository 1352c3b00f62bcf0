// What handing a million-row column to Excel costs: building the records and
// the move into the thread's static record, against a plain array of doubles.
#include <benchmark/benchmark.h>

#include <vector>

#include "xll/oper_records.h"
#include "xll/xl_oper.h"

namespace {

constexpr int64_t kRows = 1048576;

void PlainArray(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<double> column(kRows);
        for (int64_t i = 0; i < kRows; ++i) column[i] = double(i);
        benchmark::DoNotOptimize(column.data());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void ColumnHandOver(benchmark::State& state) {
    Zr::Xll::SetIsExcel12(true);
    for (auto _ : state) {
        CXlOper result;
        result.AllocArray(kRows, 1);
        for (int64_t i = 0; i < kRows; ++i) result.Cell(i).SetDouble(double(i));
        XLOPER12* slot = result.ReturnXloper12();
        benchmark::DoNotOptimize(slot);
        Zr::Xll::FreeRecord(*slot);  // what xlAutoFree12 does
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

}  // namespace

BENCHMARK(PlainArray)->Unit(benchmark::kMillisecond);
BENCHMARK(ColumnHandOver)->Unit(benchmark::kMillisecond);
