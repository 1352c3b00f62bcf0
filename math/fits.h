// Distribution parameters that reproduce requested moments. Each fit returns
// true and writes the parameters on success; on failure it returns false and
// leaves them untouched. Beta, Gumbel, logistic and log-normal have closed
// forms; Weibull, triangular, truncated normal and Johnson SU are solved by
// NewtonRaphson (at most 200 iterations, tolF 1e-14, tolX 1e-10, 1e-7 for
// Johnson SU). None throws.
#pragma once

namespace Zr::Math {

bool BetaFit(double mean, double stdev, double& alpha, double& beta);
// Location alpha, scale beta.
bool GumbelFit(double mean, double stdev, double& alpha, double& beta);
// Location m, scale b.
bool LogisticFit(double mean, double stdev, double& m, double& b);
// Mean m and standard deviation s of ln X.
bool LogNormFit(double mean, double stdev, double& m, double& s);

// Shape alpha, scale beta.
bool WeibullFit(double mean, double stdev, double& alpha, double& beta);
// Needs skew^2 < 0.32, the skewness of a right triangle.
bool TriangularFit(double mean, double stdev, double skew, double& min, double& max, double& mode);
// The parent normal (mu, sigma > 0) whose truncation to [a, b] has the
// requested mean and standard deviation.
bool TruncNormFit(double a, double b, double mean, double stdev, double& mu, double& sigma);
// kurt is excess kurtosis; it must be positive, and skew^2 below the
// log-normal bound that it sets.
bool JohnsonSUFit(double mean, double stdev, double skew, double kurt, double& gamma, double& delta, double& lambda,
                  double& xi);

}  // namespace Zr::Math
