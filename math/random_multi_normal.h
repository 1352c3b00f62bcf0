// Vectors drawn from a multivariate normal distribution: mean + L z, with z
// a vector of independent standard normal numbers (one RandomNormal per
// component) and L a square root of the covariance taken from its singular
// value decomposition, or from its eigen decomposition when the SVD does not
// converge. L is V diag(sqrt(w)), not a Cholesky factor, so singular and
// (with negative eigenvalues made positive) indefinite matrices are accepted.
//
// Quadratic resampling draws the N vectors once beforehand from copies of
// the generators, measures their mean m and covariance K (divisor N) and
// folds the correction into the draw: z is shifted by m and L becomes
// L_target L_K^-1. The first N vectors drawn afterwards repeat that crude
// sample, so they have exactly the requested mean and covariance.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "math/matrix.h"
#include "math/random_normal.h"
#include "math/vector.h"

namespace Zr::Math {

enum DecompositionResult : int32_t {
    ERROR = 0,
    SUCCEEDED_AT_SVD_DECOMP = 1,
    SUCCEEDED_AT_EIGEN_DECOMP = 2,
    FAILED_TO_DECOMPOSE = 3,
};

// "Succeeded at SVD" and the like; " -" for a value outside the enumeration.
const char* DecompositionResultDescription(DecompositionResult result) noexcept;

// Factors the n x n matrix a (n = size of w) as V diag(w) V^T: first by
// SvdDecomp (a then holds the left vectors), and when that fails by
// SymmetricEigenAbs on the original a, which it restores. v receives the
// vectors in its columns. ERROR when memory is short or v cannot be made
// n x n. With verbose, each failed method is traced.
DecompositionResult DecomposeCovariance(Matrix& a, VectorView w, Matrix& v, bool verbose) noexcept;

class RandomMultiNormal {
public:
    RandomMultiNormal() noexcept = default;
    // Deep copies, generator states included; a copy whose memory cannot be
    // allocated is empty.
    RandomMultiNormal(const RandomMultiNormal& other) noexcept;
    RandomMultiNormal& operator=(const RandomMultiNormal& other) noexcept;
    RandomMultiNormal(RandomMultiNormal&&) noexcept = default;
    RandomMultiNormal& operator=(RandomMultiNormal&&) noexcept = default;
    ~RandomMultiNormal() = default;

    // Builds everything afresh for the dimension n = size of mean; cov must
    // be n x n. Generator i is seeded (seed1, seed2 + i) and draws by
    // inversion or Box-Muller, antithetic pairs when asked. Any non-zero
    // resampling mode resamples over the crude sample of N vectors.
    //
    // False when cov (or the crude covariance) cannot be decomposed, LK
    // cannot be inverted, memory is short, or the crude sample cannot span
    // the space: its covariance has rank at most N - 1, or with antithetic
    // pairs at most N / 2 (N even) or (N + 1) / 2 (N odd), so resampling
    // needs N > n, and N > 2n - 2 with antithetic variates. After a failure
    // the object must not be drawn from.
    //
    // With verbose, progress and elapsed-time lines go to DebugTrace; the
    // failure messages go there always. `log`, when given, receives one line
    // per decomposition that fell back to the eigen method or failed.
    bool Init(ConstVectorView mean, const Matrix& cov, bool useInverse, bool useAntithetic,
              ResamplingMode resampling, int32_t N, uint32_t seed1, uint32_t seed2, UniformGeneratorType type,
              bool verbose, std::string* log = nullptr) noexcept;

    // z[i] := the next draw of generator i - shift[i], then out := mean + L z;
    // out and z hold n elements, sized by the caller.
    void Next(Vector& out, Vector& z) noexcept;

private:
    friend struct Inspect;  // the decomposition's transform (tests)

    class Progress;
    bool InitGenerators(size_t n, bool useInverse, bool useAntithetic, uint32_t seed1, uint32_t seed2,
                        UniformGeneratorType type) noexcept;
    bool Resample(int32_t N, bool antithetic, Matrix& work, Vector& w, Matrix& v, Progress& progress,
                  std::string* log) noexcept;
    bool CrudeMoments(int32_t N, Matrix& covariance) noexcept;

    Vector mean_;
    Vector shift_;
    // Column-major: a draw adds L's columns scaled by z[k], in k order.
    Matrix transform_{StorageOrder::COLUMN_MAJOR};
    std::unique_ptr<RandomNormal[]> generators_;
    size_t count_ = 0;
};

}  // namespace Zr::Math
