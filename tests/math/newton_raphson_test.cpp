// The Newton-Raphson solver: the order of its tests, its counters and what it
// reports on each exit.
#include "linear_algebra_support.h"
#include "math/newton_raphson.h"

using namespace Zr::Math;
using namespace Zr::Testing;

namespace {

#include "data/newton_raphson_reference.inc"
static_assert(kSqrt2Final == kSqrt2, "the reference iteration ends on the double nearest sqrt 2");

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const std::string kFunctionError = "Function error in Zr::Math::NewtonRaphson()";

int g_calls = 0;  // evaluations by the systems below (the tests run one at a time)
double g_lastY = 0.0;

// x^2 - p[0] with J = 2x; the evaluation numbered p[1] fails after writing its residual.
bool Square(const Vector& x, Matrix& j, Vector& r, const double* p) {
    r[0] = x[0] * x[0] - p[0];
    j(0, 0) = 2.0 * x[0];
    return ++g_calls != p[1];
}

// r = b + A x with J = A: p holds the n x n matrix A row by row, then b.
bool Affine(const Vector& x, Matrix& j, Vector& r, const double* p) {
    const size_t n = x.Size();
    if (n == 2) g_lastY = x[1];
    for (size_t i = 0; i < n; ++i) {
        r[i] = p[n * n + i];
        for (size_t k = 0; k < n; ++k) r[i] += (j(i, k) = p[i * n + k]) * x[k];
    }
    return ++g_calls > 0;
}

// x^2 + y^2 = 4, x y = 1.
bool CircleHyperbola(const Vector& x, Matrix& j, Vector& r, const double*) {
    r[0] = x[0] * x[0] + x[1] * x[1] - 4.0;
    r[1] = x[0] * x[1] - 1.0;
    j(0, 0) = 2.0 * x[0];
    j(0, 1) = 2.0 * x[1];
    j(1, 0) = x[1];
    j(1, 1) = x[0];
    return true;
}

// Shrinks its residual vector: the solver must not index beyond it.
bool ShrinksResiduals(const Vector&, Matrix& j, Vector& r, const double*) {
    j.Fill(1.0);
    return r.Resize(1) && ++g_calls > 0;
}

}  // namespace

TEST(NewtonRaphsonTest, ExitsCountersAndResiduals) {
    constexpr double third = 1.5 - 0.25 / 3;  // the third iterate of x^2 - 2 from 1
    const struct {
        const char* name;
        NewtonSystem f;
        std::vector<double> params, x;
        int32_t maxIterations;
        double tolX, tolF;
        bool ok;
        int32_t iterations;
        int calls;
        std::vector<std::string> messages;
        std::vector<double> finalX, residuals;  // empty: not compared
    } cases[] = {
        // The residuals are those of the last evaluation, before the last step.
        {"x^2 - 2 from 1", Square, {2, 0}, {1}, 200, 1e-10, 1e-14, true, kSqrt2Iterations, kSqrt2Iterations, {},
         {kSqrt2Final}, {kSqrt2LastResidual}},
        {"the residual test comes first", Affine, {1, -0.25}, {0.25}, 200, 1e-10, 0, true, 1, 1, {}, {0.25}, {0}},
        {"an all-zero Jacobian row", Affine, {0, 1}, {3}, 200, 1e-10, 1e-14, false, 1, 1,
         {"LUDecomp() the matrix is Singular", "Zr::Math::LUDecomp error in Zr::Math::NewtonRaphson()"}, {3}, {1}},
        {"no iteration allowed", Square, {2, 0}, {1}, 0, 1e-10, 1e-14, false, 1, 0, {}, {1}, {}},
        {"a negative limit", Square, {2, 0}, {1}, INT32_MIN, 1e-10, 1e-14, false, 1, 0, {}, {1}, {}},
        // x - 1, solved by the first step, but negative or NaN tolerances are never met.
        {"tolerances never met", Affine, {1, -1}, {5}, 200, -1, -1, false, 201, 200, {}, {1}, {0}},
        {"NaN tolerances", Affine, {1, -1}, {5}, 3, kNaN, kNaN, false, 4, 3, {}, {1}, {0}},
        {"no function", nullptr, {}, {1}, 200, 1e-10, 1e-14, false, 1, 0, {kFunctionError}, {1}, {}},
        {"a failing evaluation", Square, {2, 3}, {1}, 200, 1e-10, 1e-14, false, 3, 3, {kFunctionError}, {third},
         {third * third - 2}},
        // An infinite residual can meet a test against an infinite tolerance; still no success.
        {"infinite residual, met on the step", Affine, {1, kInf}, {0}, 200, kInf, -1, false, 1, 1, {}, {-kInf},
         {kInf}},
        {"infinite residual, met on the residual", Affine, {1, kInf}, {0}, 200, -1, kInf, false, 1, 1, {}, {0},
         {kInf}},
        {"a NaN residual meets no test", Affine, {1, kNaN}, {0}, 50, kInf, kInf, false, 51, 50, {}, {}, {}},
        {"a NaN Jacobian column", Affine, {kNaN, 1, kNaN, -1, 0, -1}, {1, 2}, 20, 1e-10, 1e-14, false, 21, 20, {},
         {}, {}},
        {"resized residuals", ShrinksResiduals, {}, {1, 2}, 200, 1e-10, 1e-14, false, 1, 1, {kFunctionError}, {1, 2},
         {}},
        {"an empty system", Affine, {}, {}, 200, 1e-10, 1e-14, true, 1, 1, {}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_calls = 0;
        TraceCapture trace;
        Vector x(c.x.size()), residuals(c.x.size());
        for (size_t i = 0; i < c.x.size(); ++i) x[i] = c.x[i];
        int32_t iterations = -7;
        EXPECT_EQ(NewtonRaphson(x, c.params.data(), c.f, c.maxIterations, &iterations, &residuals, c.tolX, c.tolF),
                  c.ok);
        EXPECT_EQ(iterations, c.iterations);
        EXPECT_EQ(g_calls, c.calls);
        EXPECT_EQ(trace.Messages(), c.messages);
        EXPECT_TRUE(c.finalX.empty() || Values(x) == c.finalX) << "x: " << testing::PrintToString(Values(x));
        EXPECT_TRUE(c.residuals.empty() || Values(residuals) == c.residuals) << "r: " << residuals[0];
    }
}

TEST(NewtonRaphsonTest, TwoEquationsAndOptionalOutputs) {
    Vector x{2.0, 0.5};
    int32_t iterations = 0;
    EXPECT_TRUE(NewtonRaphson(x, nullptr, CircleHyperbola, 200, &iterations, nullptr, 1e-10, 1e-14));
    EXPECT_NEAR(x[0], kCircleHyperbolaRoot[0], 4e-16 * kCircleHyperbolaRoot[0]);
    EXPECT_NEAR(x[1], kCircleHyperbolaRoot[1], 4e-16);
    EXPECT_LT(iterations, 10);
    // A singular Jacobian whose rows are not zero: through the tiny pivot a
    // huge step, and the next evaluation is there.
    const double singular[] = {1, 1, 1, 1, -1, -2};
    Vector y{1.0, 0.0}, z{1.0, 0.0};
    EXPECT_FALSE(NewtonRaphson(y, singular, Affine, 1, &iterations, nullptr, 1e-10, 1e-14));
    EXPECT_EQ(iterations, 2);
    EXPECT_GT(std::fabs(y[1]), 1e37);
    NewtonRaphson(z, singular, Affine, 2, &iterations, nullptr, 1e-10, 1e-14);
    EXPECT_EQ(g_lastY, y[1]);
    // Residuals of another size are refused before anything else; both outputs are optional.
    const double two[] = {2, 0};
    Vector one{1.0}, residuals{5.0, 5.0};
    g_calls = 0;
    iterations = -7;
    EXPECT_FALSE(NewtonRaphson(one, two, Square, 200, &iterations, &residuals, 1e-10, 1e-14));
    EXPECT_TRUE(iterations == -7 && g_calls == 0);
    EXPECT_EQ(Values(residuals), (std::vector<double>{5, 5}));
    EXPECT_TRUE(NewtonRaphson(one, two, Square, 200, nullptr, nullptr, 1e-10, 1e-14));
    EXPECT_EQ(one[0], kSqrt2Final);
}
