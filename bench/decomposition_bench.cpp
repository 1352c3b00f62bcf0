// Cost of the dense kit at the sizes a covariance matrix takes on a
// worksheet: the SVD and eigen decompositions, the inverse and the product,
// row- and column-major.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <random>

#include "math/lu_decomposition.h"
#include "math/matrix.h"
#include "math/matrix_products.h"
#include "math/svd.h"
#include "math/symmetric_eigen.h"

namespace {

using namespace Zr::Math;

// A random symmetric positive definite matrix: B B^T + n I.
Matrix Covariance(size_t n, StorageOrder order) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    Matrix b(n, n, order), c(order);
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j) b(i, j) = u(rng);
    Matrix bt(n, n, order);
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j) bt(i, j) = b(j, i);
    Multiply(c, b, bt);
    for (size_t i = 0; i < n; ++i) c(i, i) += double(n);
    return c;
}

StorageOrder OrderOf(const benchmark::State& state) {
    return state.range(1) ? StorageOrder::COLUMN_MAJOR : StorageOrder::ROW_MAJOR;
}

void BM_SvdDecomp(benchmark::State& state) {
    const size_t n = size_t(state.range(0));
    const Matrix cov = Covariance(n, OrderOf(state));
    Matrix a(cov), v(n, n, OrderOf(state));
    Vector w(n);
    for (auto _ : state) {
        a.CopyFrom(cov);
        benchmark::DoNotOptimize(SvdDecomp(a, w, v));
    }
}

void BM_SymmetricEigen(benchmark::State& state) {
    const size_t n = size_t(state.range(0));
    const Matrix cov = Covariance(n, OrderOf(state));
    Matrix z(n, n, OrderOf(state));
    Vector d(n);
    for (auto _ : state) benchmark::DoNotOptimize(SymmetricEigen(cov, d, z));
}

void BM_Inverse(benchmark::State& state) {
    const size_t n = size_t(state.range(0));
    const Matrix cov = Covariance(n, OrderOf(state));
    Matrix inv(n, n, OrderOf(state));
    for (auto _ : state) benchmark::DoNotOptimize(Inverse(cov, inv));
}

void BM_Multiply(benchmark::State& state) {
    const size_t n = size_t(state.range(0));
    const Matrix a = Covariance(n, OrderOf(state));
    Matrix p(n, n, OrderOf(state));
    for (auto _ : state) benchmark::DoNotOptimize(Multiply(p, a, a));
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (int order : {0, 1})
        for (int n : {4, 20, 100}) b->Args({n, order});
    b->ArgNames({"n", "colmajor"});
}

BENCHMARK(BM_SvdDecomp)->Apply(Sizes);
BENCHMARK(BM_SymmetricEigen)->Apply(Sizes);
BENCHMARK(BM_Inverse)->Apply(Sizes);
BENCHMARK(BM_Multiply)->Apply(Sizes);

}  // namespace
