#include "math/random_multi_normal.h"

#include <algorithm>
#include <ctime>

#include "math/debug_trace.h"
#include "math/lu_decomposition.h"
#include "math/matrix_products.h"
#include "math/svd.h"
#include "math/symmetric_eigen.h"

namespace Zr::Math {

namespace {

constexpr const char* kDecomposeFailed = "Zr::Math::RandomMultiNormal::Init() unable to decompose covariance matrix.";

const char* ResamplingName(ResamplingMode mode) noexcept {
    switch (mode) {
    case DISABLED:
        return "DISABLED";
    case ENABLE_RESAMPLING_TYPE1:
        return "ENABLE_RESAMPLING_TYPE1";
    case ENABLE_RESAMPLING_TYPE2:
        return "ENABLE_RESAMPLING_TYPE2";
    }
    return "{ERROR}";
}

std::unique_ptr<RandomNormal[]> CopyOf(const RandomNormal* generators, size_t n) noexcept {
    std::unique_ptr<RandomNormal[]> copy(AllocateArray<RandomNormal>(n));
    if (copy) std::copy(generators, generators + n, copy.get());
    return copy;
}

// How a decomposition outcome enters the log: the label, preceded by a
// separator when the log already holds a line.
struct LogLine {
    const char* label;
    const char* fallbackSeparator;
    const char* failureSeparator;
};

constexpr LogLine kTargetLine{"\tTriangular decomposition : ", "", ""};
constexpr LogLine kCrudeLine{"\tTriangular decomposition(empirical) : ", "\n", "\r\n"};

void AppendLog(std::string* log, const char* separator, const LogLine& line, DecompositionResult r) noexcept {
    if (!log) return;
    try {
        if (!log->empty()) *log += separator;
        *log += line.label;
        *log += DecompositionResultDescription(r);
    } catch (...) {
        // A log line lost to a full heap changes no number.
    }
}

// DecomposeCovariance with the trace and log lines of the generator: only
// an eigen fallback or a failure is logged.
bool Decompose(Matrix& a, Vector& w, Matrix& v, bool verbose, std::string* log, const LogLine& line) noexcept {
    const DecompositionResult r = DecomposeCovariance(a, w, v, verbose);
    if (r == SUCCEEDED_AT_SVD_DECOMP) return true;
    const bool fellBack = r == SUCCEEDED_AT_EIGEN_DECOMP;
    if (!fellBack) DebugTrace("%s", kDecomposeFailed);
    AppendLog(log, fellBack ? line.fallbackSeparator : line.failureSeparator, line, r);
    return fellBack;
}

// The crude covariance has rank at most N - 1 (its centred vectors sum to
// zero); antithetic vectors come in mirrored pairs, so only ceil(N / 2) of
// them are independent. Below full rank LK is singular: the "inverse" that
// rounding or the tiny-pivot rule yields gives draws that miss the requested
// covariance entirely, some of them of order 1e20 and beyond.
bool CrudeSampleSpans(int32_t N, size_t n, bool antithetic) noexcept {
    const int64_t count = N, dimension = int64_t(n);
    return count > dimension && (!antithetic || count > 2 * dimension - 2);
}

}  // namespace

const char* DecompositionResultDescription(DecompositionResult result) noexcept {
    switch (result) {
    case ERROR:
        return "Error occurred";
    case SUCCEEDED_AT_SVD_DECOMP:
        return "Succeeded at SVD";
    case SUCCEEDED_AT_EIGEN_DECOMP:
        return "Succeeded at Eigen decomposition";
    case FAILED_TO_DECOMPOSE:
        return "Failed to decompose matrix";
    }
    return " -";
}

DecompositionResult DecomposeCovariance(Matrix& a, VectorView w, Matrix& v, bool verbose) noexcept {
    const size_t n = w.Size();
    Matrix original(n, n, StorageOrder::COLUMN_MAJOR);
    Vector scratch(n);  // allocated here: short memory must not pass for an SVD that failed to converge
    if (original.Rows() != n || scratch.Size() != n || a.Rows() < n || a.Columns() < n) return ERROR;
    for (size_t j = 0; j < n; ++j)
        for (size_t i = 0; i < n; ++i) original(i, j) = a(i, j);
    if (SvdDecomp(a, w, v, scratch)) return SUCCEEDED_AT_SVD_DECOMP;
    if (verbose) DebugTrace("SVD failed.");
    for (size_t j = 0; j < n; ++j)
        for (size_t i = 0; i < n; ++i) a(i, j) = original(i, j);
    if (!v.Reshape(n, n)) return ERROR;
    if (SymmetricEigenAbs(a, w, v)) return SUCCEEDED_AT_EIGEN_DECOMP;
    if (verbose) DebugTrace("Eigen decomposition failed, unable to decompose covariance matrix.");
    return FAILED_TO_DECOMPOSE;
}

// Progress lines and elapsed wall-clock time in whole seconds, traced only
// when verbose.
class RandomMultiNormal::Progress {
public:
    explicit Progress(bool verbose) noexcept : verbose_(verbose), start_(std::time(nullptr)), lap_(start_) {}
    bool Verbose() const noexcept { return verbose_; }
    void Line(const char* text) const noexcept {
        if (verbose_) DebugTrace("%s", text);
    }
    void Lap() noexcept {
        if (!verbose_) return;
        const std::time_t now = std::time(nullptr);
        DebugTrace("\t\t*** Elapsed time = %6.0f sec. Lap time = %6.0f sec. ***", std::difftime(now, start_),
                   std::difftime(now, lap_));
        lap_ = now;
    }
    // A lap, then the next step's line.
    void Step(const char* text) noexcept {
        Lap();
        Line(text);
    }

private:
    bool verbose_;
    std::time_t start_;
    std::time_t lap_;
};

RandomMultiNormal::RandomMultiNormal(const RandomMultiNormal& other) noexcept
    : mean_(other.mean_),
      shift_(other.shift_),
      transform_(other.transform_),
      generators_(CopyOf(other.generators_.get(), other.count_)),
      count_(generators_ ? other.count_ : 0) {}

RandomMultiNormal& RandomMultiNormal::operator=(const RandomMultiNormal& other) noexcept {
    if (this != &other) *this = RandomMultiNormal(other);
    return *this;
}

bool RandomMultiNormal::InitGenerators(size_t n, bool useInverse, bool useAntithetic, uint32_t seed1,
                                       uint32_t seed2, UniformGeneratorType type) noexcept {
    generators_.reset();  // before allocating, so old and new never coexist
    count_ = 0;
    generators_.reset(AllocateArray<RandomNormal>(n));
    if (!generators_) return false;
    count_ = n;
    for (size_t i = 0; i < n; ++i) {
        if (!generators_[i].Init(seed1, seed2 + uint32_t(i), 0.0, 1.0, useInverse ? INV : BOX_MULLER,
                                 useAntithetic ? 1 : 0, DISABLED, 0, type)) {
            DebugTrace("%s", "Zr::Math::RandomMultiNormal::Init() unable to initialize Gaussian random generator.");
            return false;
        }
    }
    return true;
}

bool RandomMultiNormal::Init(ConstVectorView mean, const Matrix& cov, bool useInverse, bool useAntithetic,
                             ResamplingMode resampling, int32_t N, uint32_t seed1, uint32_t seed2,
                             UniformGeneratorType type, bool verbose, std::string* log) noexcept {
    const size_t n = mean.Size();
    if (!InitGenerators(n, useInverse, useAntithetic, seed1, seed2, type)) return false;
    mean_.Reshape(0);
    shift_.Reshape(0);
    if (verbose) {
        DebugTrace("%s", "*** Orvex Monte Carlo Simulator ***");
        DebugTrace("\t- Dimension = %d\r\n\t- N = %d\r\n\t- Quadratic Resampling = %s", int(n), N,
                   ResamplingName(resampling));
    }
    Progress progress(verbose);
    progress.Line("\tInitializing Gaussian random generator...");

    Matrix work(n, n, StorageOrder::COLUMN_MAJOR), v(n, n, StorageOrder::COLUMN_MAJOR);
    Vector w(n);
    if (work.Rows() != n || v.Rows() != n || w.Size() != n || !work.CopyFrom(cov)) return false;
    progress.Line("\tTriangular decomposition started...");
    if (!Decompose(work, w, v, verbose, log, kTargetLine)) return false;
    progress.Lap();
    if (!mean_.Assign(mean)) return false;

    if (resampling == DISABLED) {
        progress.Line("\t\tComputing Q * Tr(V)...");
        if (!transform_.Reshape(n, n, 0.0) || !ScaleColumns(w, v, transform_) || !shift_.Reshape(n, 0.0))
            return false;
        progress.Step("\tInitialization completed.");
        return true;
    }
    return Resample(N, useAntithetic, work, w, v, progress, log);
}

// On entry w and v hold the decomposition of the requested covariance.
bool RandomMultiNormal::Resample(int32_t N, bool antithetic, Matrix& work, Vector& w, Matrix& v,
                                 Progress& progress, std::string* log) noexcept {
    const size_t n = count_;
    progress.Line("\tComputing empirical stats from crude data set...");
    if (!CrudeSampleSpans(N, n, antithetic)) {
        DebugTrace("Zr::Math::RandomMultiNormal::Init() %d crude vectors cannot span %d dimensions.", N, int(n));
        return false;
    }
    if (!CrudeMoments(N, work)) return false;

    progress.Step("\tComputing Q * Tr(V)...");
    if (!transform_.Reshape(n, n, 0.0) || !ScaleColumns(w, v, transform_)) return false;

    progress.Step("\tTriangular decomposition(empirical) started...");
    if (!Decompose(work, w, v, progress.Verbose(), log, kCrudeLine)) return false;

    progress.Step("\tComputing Q * Tr(V)...");
    Matrix lk(n, n, 0.0);
    if (lk.Rows() != n || !ScaleColumns(w, v, lk)) return false;

    progress.Step("\tComputing inverse matrix...");
    if (!Inverse(lk, lk)) {
        DebugTrace("%s",
                   "Zr::Math::RandomMultiNormal::Init() unable to inverse decomposed empirical covariance matrix.");
        return false;
    }

    progress.Step("\tComputing Product...");
    if (!Multiply(transform_, transform_, lk)) return false;
    progress.Step("\tInitialization completed.");
    return true;
}

// Draws the N crude vectors from copies of the generators (which therefore
// repeat them afterwards), sets the shift to their mean and `covariance` to
// their covariance with divisor N. Only the sums and the upper triangle of
// the cross-products are kept.
bool RandomMultiNormal::CrudeMoments(int32_t N, Matrix& covariance) noexcept {
    const size_t n = count_;
    const std::unique_ptr<RandomNormal[]> crude = CopyOf(generators_.get(), n);
    Vector sums(n), g(n);
    Matrix products(n, n);
    if (!crude || sums.Size() != n || g.Size() != n || products.Rows() != n || !shift_.Reshape(n)) return false;
    for (int32_t t = 0; t < N; ++t) {
        for (size_t i = 0; i < n; ++i) g[i] = crude[i].Next();
        for (size_t i = 0; i < n; ++i) {
            sums[i] += g[i];
            double* row = &products(i, 0);
            for (size_t j = i; j < n; ++j) row[j] += g[j] * g[i];
        }
    }
    const double count = N;
    for (size_t i = 0; i < n; ++i) shift_[i] = sums[i] / count;
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i; j < n; ++j)
            covariance(i, j) = covariance(j, i) = (products(i, j) - sums[j] * sums[i] / count) / count;
    return true;
}

void RandomMultiNormal::Next(Vector& out, Vector& z) noexcept {
    const size_t n = z.Size();
    for (size_t i = 0; i < n; ++i) z[i] = generators_[i].Next() - shift_[i];
    double* o = out.First();
    for (size_t i = 0; i < n; ++i) o[i] = mean_[i];
    // Column by column: element i still sums its terms in k order.
    for (size_t k = 0; k < n; ++k) {
        const double zk = z[k];
        const double* column = transform_.Data() + k * size_t(transform_.ColumnStride());
        for (size_t i = 0; i < n; ++i) o[i] += column[i] * zk;
    }
}

}  // namespace Zr::Math
