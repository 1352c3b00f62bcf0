// Boost.Math densities, distribution functions and quantiles under the guard
// that turns library errors into NaN.
#include <boost/math/distributions/beta.hpp>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/gamma.hpp>
#include <boost/math/distributions/logistic.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/poisson.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/math/distributions/triangular.hpp>
#include <boost/math/distributions/weibull.hpp>
#include <limits>

#include "math/boost_guard.h"
#include "math/distributions.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto StandardNormal() {
    return [] { return bm::normal_distribution<double>(0.0, 1.0); };
}
auto Beta(double alpha, double beta) {
    return [=] { return bm::beta_distribution<double>(alpha, beta); };
}
auto ChiSq(int32_t n) {
    return [=] { return bm::chi_squared_distribution<double>(double(n)); };
}
auto Fisher(int32_t n1, int32_t n2) {
    return [=] { return bm::fisher_f_distribution<double>(double(n1), double(n2)); };
}
auto Gamma(double alpha, double beta) {
    return [=] { return bm::gamma_distribution<double>(alpha, beta); };
}
auto Logistic(double m, double b) {
    return [=] { return bm::logistic_distribution<double>(m, b); };
}
auto Poisson(double mean) {
    return [=] { return bm::poisson_distribution<double>(mean); };
}
auto Student(int32_t n) {
    return [=] { return bm::students_t_distribution<double>(double(n)); };
}
auto Triangular(double min, double max, double mode) {
    return [=] { return bm::triangular_distribution<double>(min, mode, max); };
}
auto Weibull(double alpha, double beta) {
    return [=] { return bm::weibull_distribution<double>(alpha, beta); };
}

}  // namespace

double NormPdf(double x) { return Pdf(StandardNormal(), x); }
double NormCdf(double x) { return Cdf(StandardNormal(), x); }
double NormInv(double p) { return Quantile(StandardNormal(), p); }

double BetaPdf(double x, double alpha, double beta) { return Pdf(Beta(alpha, beta), x); }
double BetaCdf(double x, double alpha, double beta) { return Cdf(Beta(alpha, beta), x); }
double BetaInv(double p, double alpha, double beta) { return Quantile(Beta(alpha, beta), p); }

double ChiSqPdf(double x, int32_t n) { return Pdf(ChiSq(n), x); }
double ChiSqCdf(double x, int32_t n) { return Cdf(ChiSq(n), x); }
double ChiSqInv(double p, int32_t n) { return Quantile(ChiSq(n), p); }

double FPdf(double x, int32_t n1, int32_t n2) { return Pdf(Fisher(n1, n2), x); }
double FCdf(double x, int32_t n1, int32_t n2) { return Cdf(Fisher(n1, n2), x); }
double FInv(double p, int32_t n1, int32_t n2) { return Quantile(Fisher(n1, n2), p); }

double GammaPdf(double x, double alpha, double beta) { return Pdf(Gamma(alpha, beta), x); }
double GammaCdf(double x, double alpha, double beta) { return Cdf(Gamma(alpha, beta), x); }
double GammaInv(double p, double alpha, double beta) { return Quantile(Gamma(alpha, beta), p); }

double LogisticPdf(double x, double m, double b) { return Pdf(Logistic(m, b), x); }
double LogisticCdf(double x, double m, double b) { return Cdf(Logistic(m, b), x); }
double LogisticInv(double p, double m, double b) { return Quantile(Logistic(m, b), p); }

double PoissonPdf(int32_t k, double mean) { return Pdf(Poisson(mean), double(k)); }
double PoissonCdf(int32_t k, double mean) { return Cdf(Poisson(mean), double(k)); }
// Above 2^53 the whole numbers are no longer all doubles, and the library's
// search for the whole-number quantile, stepping from one to the next, would
// never end (it does not for a mean of 1e18): such a mean gives NaN.
constexpr double kLargestPoissonMean = 9007199254740992.0;

double PoissonInv(double p, double mean) {
    if (mean > kLargestPoissonMean) return std::numeric_limits<double>::quiet_NaN();
    return Quantile(Poisson(mean), p);
}

double TPdf(double x, int32_t n) { return Pdf(Student(n), x); }
double TCdf(double x, int32_t n) { return Cdf(Student(n), x); }
double TInv(double p, int32_t n) { return Quantile(Student(n), p); }

double TriangularPdf(double x, double min, double max, double mode) { return Pdf(Triangular(min, max, mode), x); }
double TriangularCdf(double x, double min, double max, double mode) { return Cdf(Triangular(min, max, mode), x); }
double TriangularInv(double p, double min, double max, double mode) {
    return Quantile(Triangular(min, max, mode), p);
}

double WeibullPdf(double x, double alpha, double beta) { return Pdf(Weibull(alpha, beta), x); }
double WeibullCdf(double x, double alpha, double beta) { return Cdf(Weibull(alpha, beta), x); }
double WeibullInv(double p, double alpha, double beta) { return Quantile(Weibull(alpha, beta), p); }

}  // namespace Zr::Math
