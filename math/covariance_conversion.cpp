#include "math/covariance_conversion.h"

#include <cmath>

namespace Zr::Math {

bool AllFinite(const Matrix& m) noexcept {
    for (size_t i = 0; i < m.Rows(); ++i)
        for (size_t j = 0; j < m.Columns(); ++j)
            if (!std::isfinite(m(i, j))) return false;
    return true;
}

bool CorToCov(const Matrix& cor, ConstVectorView stdev, Matrix& out) noexcept {
    const size_t n = stdev.Size();
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j) out(i, j) = (cor(i, j) * stdev[i]) * stdev[j];
    return AllFinite(out);
}

bool CovToCor(const Matrix& cov, Matrix& cor, VectorView stdev) noexcept {
    const size_t n = stdev.Size();
    bool finite = true;
    for (size_t i = 0; i < n; ++i) {
        stdev[i] = std::sqrt(cov(i, i));
        finite = finite && std::isfinite(stdev[i]);
    }
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j) cor(i, j) = cov(i, j) / (stdev[i] * stdev[j]);
    return finite && AllFinite(cor);
}

}  // namespace Zr::Math
