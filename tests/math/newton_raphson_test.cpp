// The Newton-Raphson solver: order of its tests, its counters and what it
// reports on each exit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "linear_algebra_support.h"
#include "math/newton_raphson.h"

using namespace Zr::Math;
using namespace Zr::Testing;

namespace {

#include "data/newton_raphson_reference.inc"

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const char* const kFunctionError = "Function error in Zr::Math::NewtonRaphson()";
const char* const kLUError = "Zr::Math::LUDecomp error in Zr::Math::NewtonRaphson()";
const char* const kSingular = "LUDecomp() the matrix is Singular";

// Evaluations seen by the system functions below (tests run one at a time).
int g_calls = 0;
std::vector<double> g_points;

// f(x) = x^2 - params[0], J = 2x.
bool Square(const Vector& x, Matrix& j, Vector& r, const double* params) {
    ++g_calls;
    g_points.push_back(x[0]);
    r[0] = x[0] * x[0] - params[0];
    j(0, 0) = 2.0 * x[0];
    return true;
}

// x^2 + y^2 = 4, x y = 1.
bool CircleHyperbola(const Vector& x, Matrix& j, Vector& r, const double*) {
    ++g_calls;
    r[0] = x[0] * x[0] + x[1] * x[1] - 4.0;
    r[1] = x[0] * x[1] - 1.0;
    j(0, 0) = 2.0 * x[0];
    j(0, 1) = 2.0 * x[1];
    j(1, 0) = x[1];
    j(1, 1) = x[0];
    return true;
}

// f(x) = params[0] with J = params[1] (constant residual and slope).
bool Constant(const Vector&, Matrix& j, Vector& r, const double* params) {
    ++g_calls;
    r[0] = params[0];
    j(0, 0) = params[1];
    return true;
}

// f = (x + y - 1, x + y + y^3 - 2): at (1, 0) the Jacobian [[1, 1], [1, 1]]
// is singular with non-zero rows and the residuals (0, -1) are inconsistent
// with it.
bool SingularStart(const Vector& x, Matrix& j, Vector& r, const double*) {
    ++g_calls;
    g_points.push_back(x[0]);
    r[0] = x[0] + x[1] - 1.0;
    r[1] = x[0] + x[1] + x[1] * x[1] * x[1] - 2.0;
    j(0, 0) = j(0, 1) = j(1, 0) = 1.0;
    j(1, 1) = 1.0 + 3.0 * x[1] * x[1];
    return true;
}

// Fails on its third evaluation after writing a residual.
bool FailsThirdTime(const Vector& x, Matrix& j, Vector& r, const double* params) {
    Square(x, j, r, params);
    return g_calls < 3;
}

// Shrinks its residual vector: the solver must not index beyond it.
bool ShrinksResiduals(const Vector&, Matrix& j, Vector& r, const double*) {
    ++g_calls;
    r.Resize(1);
    j.Fill(1.0);
    return true;
}

// A Jacobian whose first column is NaN, rows otherwise non-zero.
bool NaNColumn(const Vector& x, Matrix& j, Vector& r, const double*) {
    ++g_calls;
    r[0] = x[0] + x[1];
    r[1] = x[0] - x[1] - 1.0;
    j(0, 0) = j(1, 0) = kNaN;
    j(0, 1) = 1.0;
    j(1, 1) = -1.0;
    return true;
}

class NewtonRaphsonTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_calls = 0;
        g_points.clear();
    }
    std::vector<double> Values(const Vector& v) const { return {v.begin(), v.end()}; }

    TraceCapture trace_;
    int32_t iterations_ = -7;
};

}  // namespace

// --- Convergence -------------------------------------------------------------

TEST_F(NewtonRaphsonTest, SquareRootOfTwoConvergesOnTheCorrection) {
    const double two = 2.0;
    Vector x{1.0};
    Vector residuals(1);
    EXPECT_TRUE(NewtonRaphson(x, &two, Square, 200, &iterations_, &residuals, 1e-10, 1e-14));
    EXPECT_EQ(iterations_, kSqrt2Iterations);
    EXPECT_EQ(x[0], kSqrt2Final);
    EXPECT_EQ(x[0], kSqrt2);
    // The residuals are those of the last evaluation, before the last step.
    EXPECT_EQ(residuals[0], kSqrt2LastResidual);
    EXPECT_EQ(g_calls, kSqrt2Iterations);
    EXPECT_TRUE(trace_.Messages().empty());
}

TEST_F(NewtonRaphsonTest, ResidualTestComesFirstAndLeavesXUnmoved) {
    const double params[] = {0.0, 1.0};
    Vector x{0.25};
    Vector residuals{9.0};
    EXPECT_TRUE(NewtonRaphson(x, params, Constant, 200, &iterations_, &residuals, 1e-10, 0.0));
    EXPECT_EQ(iterations_, 1);
    EXPECT_EQ(g_calls, 1);
    EXPECT_EQ(x[0], 0.25);
    EXPECT_EQ(residuals[0], 0.0);
}

TEST_F(NewtonRaphsonTest, TwoEquationsReachTheHighPrecisionRoot) {
    Vector x{2.0, 0.5};
    Vector residuals(2);
    EXPECT_TRUE(NewtonRaphson(x, nullptr, CircleHyperbola, 200, &iterations_, &residuals, 1e-10, 1e-14));
    EXPECT_NEAR(x[0], kCircleHyperbolaRoot[0], 4e-16 * kCircleHyperbolaRoot[0]);
    EXPECT_NEAR(x[1], kCircleHyperbolaRoot[1], 4e-16);
    EXPECT_GT(iterations_, 1);
    EXPECT_LT(iterations_, 10);
    EXPECT_EQ(g_calls, iterations_);
    EXPECT_LT(std::fabs(residuals[0]) + std::fabs(residuals[1]), 1e-8);
}

TEST_F(NewtonRaphsonTest, EmptySystemIsSolvedAtOnce) {
    auto nothing = [](const Vector&, Matrix&, Vector&, const double*) {
        ++g_calls;
        return true;
    };
    Vector x;
    Vector residuals;
    EXPECT_TRUE(NewtonRaphson(x, nullptr, nothing, 200, &iterations_, &residuals, 1e-10, 1e-14));
    EXPECT_EQ(iterations_, 1);
    EXPECT_EQ(g_calls, 1);
}

// --- Exits without convergence -------------------------------------------------

TEST_F(NewtonRaphsonTest, AllZeroJacobianRowFailsInTheFirstIteration) {
    const double params[] = {1.0, 0.0};
    Vector x{3.0};
    Vector residuals(1);
    EXPECT_FALSE(NewtonRaphson(x, params, Constant, 200, &iterations_, &residuals, 1e-10, 1e-14));
    EXPECT_EQ(iterations_, 1);
    EXPECT_EQ(x[0], 3.0);
    EXPECT_EQ(residuals[0], 1.0);
    EXPECT_EQ(trace_.Messages(), (std::vector<std::string>{kSingular, kLUError}));
}

TEST_F(NewtonRaphsonTest, NoIterationAllowedMeansNoEvaluation) {
    const double two = 2.0;
    for (int32_t maxIterations : {0, -1, INT32_MIN}) {
        Vector x{1.0};
        EXPECT_FALSE(NewtonRaphson(x, &two, Square, maxIterations, &iterations_, nullptr, 1e-10, 1e-14));
        EXPECT_EQ(iterations_, 1);
        EXPECT_EQ(x[0], 1.0);
    }
    EXPECT_EQ(g_calls, 0);
    EXPECT_TRUE(trace_.Messages().empty());
}

// f(x) = x - 1 is solved exactly by the first step, but negative tolerances
// are never met: every allowed iteration runs and the counter ends one past.
TEST_F(NewtonRaphsonTest, UnmetTolerancesRunEveryIteration) {
    const double params[] = {1.0, 1.0};
    auto linear = [](const Vector& x, Matrix& j, Vector& r, const double* p) {
        ++g_calls;
        r[0] = x[0] - p[0];
        j(0, 0) = p[1];
        return true;
    };
    Vector x{5.0};
    Vector residuals(1);
    EXPECT_FALSE(NewtonRaphson(x, params, linear, 200, &iterations_, &residuals, -1.0, -1.0));
    EXPECT_EQ(iterations_, 201);
    EXPECT_EQ(g_calls, 200);
    EXPECT_EQ(x[0], 1.0);
    EXPECT_EQ(residuals[0], 0.0);
    EXPECT_TRUE(trace_.Messages().empty());
    g_calls = 0;
    EXPECT_FALSE(NewtonRaphson(x, params, linear, 3, &iterations_, nullptr, kNaN, kNaN));
    EXPECT_EQ(iterations_, 4);
    EXPECT_EQ(g_calls, 3);
}

TEST_F(NewtonRaphsonTest, SingularJacobianWithNonZeroRowsTakesAHugeStep) {
    Vector x{1.0, 0.0};
    EXPECT_FALSE(NewtonRaphson(x, nullptr, SingularStart, 1, &iterations_, nullptr, 1e-10, 1e-14));
    EXPECT_EQ(iterations_, 2);
    EXPECT_GT(std::fabs(x[1]), 1e37);
    EXPECT_TRUE(trace_.Messages().empty());
    // With a second iteration allowed, f is evaluated at that point.
    g_points.clear();
    Vector y{1.0, 0.0};
    NewtonRaphson(y, nullptr, SingularStart, 2, &iterations_, nullptr, 1e-10, 1e-14);
    ASSERT_EQ(g_points.size(), 2u);
    EXPECT_EQ(g_points[1], x[0]);
}

TEST_F(NewtonRaphsonTest, NullFunctionFailsWithTheFunctionMessage) {
    Vector x{1.0};
    EXPECT_FALSE(NewtonRaphson(x, nullptr, nullptr, 200, &iterations_, nullptr, 1e-10, 1e-14));
    EXPECT_EQ(iterations_, 1);
    EXPECT_EQ(trace_.Messages(), std::vector<std::string>{kFunctionError});
}

TEST_F(NewtonRaphsonTest, FunctionFailureKeepsTheLastIterateAndResiduals) {
    const double two = 2.0;
    Vector x{1.0};
    Vector residuals(1);
    EXPECT_FALSE(NewtonRaphson(x, &two, FailsThirdTime, 200, &iterations_, &residuals, 1e-10, 1e-14));
    EXPECT_EQ(iterations_, 3);
    ASSERT_EQ(g_points.size(), 3u);
    EXPECT_EQ(x[0], g_points[2]);
    EXPECT_EQ(residuals[0], g_points[2] * g_points[2] - 2.0);  // written by the failing call
    EXPECT_EQ(trace_.Messages(), std::vector<std::string>{kFunctionError});
}

// --- Non-finite results --------------------------------------------------------

// A NaN residual can meet neither test (it makes both sums NaN); an infinite
// one can, against an infinite tolerance, and the result is still false.
TEST_F(NewtonRaphsonTest, ConvergenceWithAnInfiniteResidualIsNoSuccess) {
    const double params[] = {kInf, 1.0};
    Vector x{0.0};
    Vector residuals(1);
    EXPECT_FALSE(NewtonRaphson(x, params, Constant, 200, &iterations_, &residuals, kInf, -1.0));
    EXPECT_EQ(iterations_, 1);
    EXPECT_EQ(x[0], -kInf);  // met on the correction, x already moved
    EXPECT_EQ(residuals[0], kInf);
    EXPECT_FALSE(NewtonRaphson(x, params, Constant, 200, &iterations_, &residuals, -1.0, kInf));
    EXPECT_EQ(iterations_, 1);
    EXPECT_TRUE(trace_.Messages().empty());
}

TEST_F(NewtonRaphsonTest, NaNResidualRunsOutOfIterations) {
    const double params[] = {kNaN, 1.0};
    Vector x{0.0};
    EXPECT_FALSE(NewtonRaphson(x, params, Constant, 50, &iterations_, nullptr, kInf, kInf));
    EXPECT_EQ(iterations_, 51);
    EXPECT_TRUE(std::isnan(x[0]));
}

TEST_F(NewtonRaphsonTest, NaNJacobianColumnFinishesWithoutStrayPivots) {
    Vector x{1.0, 2.0};
    EXPECT_FALSE(NewtonRaphson(x, nullptr, NaNColumn, 20, &iterations_, nullptr, 1e-10, 1e-14));
    EXPECT_EQ(iterations_, 21);
    EXPECT_EQ(g_calls, 20);
}

// --- Arguments -------------------------------------------------------------------

TEST_F(NewtonRaphsonTest, ResidualsOfAnotherSizeAreRefusedUpFront) {
    const double two = 2.0;
    Vector x{1.0};
    Vector residuals{5.0, 5.0};
    EXPECT_FALSE(NewtonRaphson(x, &two, Square, 200, &iterations_, &residuals, 1e-10, 1e-14));
    EXPECT_EQ(iterations_, -7);
    EXPECT_EQ(g_calls, 0);
    EXPECT_EQ(Values(residuals), (std::vector<double>{5, 5}));
}

TEST_F(NewtonRaphsonTest, ResizedOutputsCountAsAFunctionError) {
    Vector x{1.0, 2.0};
    Vector residuals(2);
    EXPECT_FALSE(NewtonRaphson(x, nullptr, ShrinksResiduals, 200, &iterations_, &residuals, 1e-10, 1e-14));
    EXPECT_EQ(iterations_, 1);
    EXPECT_EQ(Values(x), (std::vector<double>{1, 2}));
    EXPECT_EQ(trace_.Messages(), std::vector<std::string>{kFunctionError});
}

TEST_F(NewtonRaphsonTest, CountersAndResidualsAreOptional) {
    const double two = 2.0;
    Vector x{1.0};
    EXPECT_TRUE(NewtonRaphson(x, &two, Square, 200, nullptr, nullptr, 1e-10, 1e-14));
    EXPECT_EQ(x[0], kSqrt2Final);
}
