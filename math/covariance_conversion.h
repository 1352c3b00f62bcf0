// Conversions between a covariance matrix and a vector of standard
// deviations with a correlation matrix.
#pragma once

#include "math/matrix.h"
#include "math/vector.h"

namespace Zr::Math {

// No element is NaN or infinite.
bool AllFinite(const Matrix& m) noexcept;

// out(i, j) := (cor(i, j) x stdev[i]) x stdev[j] for i, j < n = size of
// stdev; cor and out are at least n x n. True when out is all finite.
bool CorToCov(const Matrix& cor, ConstVectorView stdev, Matrix& out) noexcept;

// stdev[i] := sqrt(cov(i, i)) (NaN for a negative variance), then
// cor(i, j) := cov(i, j) / (stdev[i] x stdev[j]) for i, j < n = size of
// stdev. The diagonal is divided like the rest, not set to 1. True when
// every stdev[i] and every element of cor is finite (a zero variance makes
// its row and column infinite or NaN).
bool CovToCor(const Matrix& cov, Matrix& cor, VectorView stdev) noexcept;

}  // namespace Zr::Math
