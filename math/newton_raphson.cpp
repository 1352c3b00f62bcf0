#include "math/newton_raphson.h"

#include <algorithm>
#include <cmath>

#include "math/debug_trace.h"
#include "math/lu_decomposition.h"

namespace Zr::Math {

namespace {

constexpr const char* kFunctionError = "Function error in Zr::Math::NewtonRaphson()";
constexpr const char* kLUError = "Zr::Math::LUDecomp error in Zr::Math::NewtonRaphson()";

double SumOfMagnitudes(const Vector& v) {
    double sum = 0.0;
    for (double value : v) sum += std::fabs(value);
    return sum;
}

bool AllFinite(const Vector& v) {
    return std::all_of(v.begin(), v.end(), [](double value) { return std::isfinite(value); });
}

// The per-call scratch state and the exits that report it.
class Solver {
public:
    explicit Solver(size_t n) : residuals_(n), correction_(n), pivots_(n), jacobian_(n, n) {}

    bool Allocated(size_t n) const {
        return residuals_.Size() == n && correction_.Size() == n && pivots_.Size() == n && jacobian_.Rows() == n;
    }

    bool Run(Vector& x, const double* params, NewtonSystem f, int32_t maxIterations, double tolX, double tolF) {
        if (maxIterations < 1) return false;
        for (;;) {
            if (!Evaluate(x, params, f)) return Fail(kFunctionError);
            if (tolF >= SumOfMagnitudes(residuals_)) return AllFinite(residuals_);
            for (size_t i = 0; i < correction_.Size(); ++i) correction_[i] = -residuals_[i];
            double d = 0.0;
            if (!LUDecomp(jacobian_, pivots_, d)) return Fail(kLUError);
            LUBackSubstitute(jacobian_, pivots_, correction_);
            double errX = 0.0;
            for (size_t i = 0; i < correction_.Size(); ++i) {
                errX += std::fabs(correction_[i]);
                x[i] += correction_[i];
            }
            if (tolX >= errX) return AllFinite(residuals_);
            if (++k_ > maxIterations) return false;
        }
    }

    void Report(int32_t* iterations, Vector* residualsOut) const {
        if (iterations) *iterations = int32_t(std::min<int64_t>(k_, INT32_MAX));
        if (residualsOut) residualsOut->Assign(residuals_);
    }

private:
    // A system function that changed the shape of its outputs is treated as
    // one that failed: the solver would otherwise index beyond them.
    bool Evaluate(const Vector& x, const double* params, NewtonSystem f) {
        if (!f || !f(x, jacobian_, residuals_, params)) return false;
        const size_t n = x.Size();
        return residuals_.Size() == n && jacobian_.Rows() == n && jacobian_.Columns() == n;
    }

    static bool Fail(const char* message) {
        DebugTrace("%s", message);
        return false;
    }

    Vector residuals_;
    Vector correction_;
    IntVector pivots_;
    Matrix jacobian_;
    int64_t k_ = 1;  // 64-bit: maxIterations + 1 must not overflow
};

}  // namespace

bool NewtonRaphson(Vector& x, const double* params, NewtonSystem f, int32_t maxIterations, int32_t* iterations,
                   Vector* residualsOut, double tolX, double tolF) noexcept {
    const size_t n = x.Size();
    if (residualsOut && residualsOut->Size() != n) return false;
    Solver solver(n);
    if (!solver.Allocated(n)) return false;
    const bool result = solver.Run(x, params, f, maxIterations, tolX, tolF);
    solver.Report(iterations, residualsOut);
    return result;
}

}  // namespace Zr::Math
