// Samplers by inversion of the distribution function, one uniform per
// variate: triangular, Weibull, logistic and Gumbel. The first three check
// their parameters at the first draw after a change and give NaN while they
// are invalid (NaN parameters included); the Gumbel sampler checks nothing.
// Each keeps what its quantile needs from the parameters between draws, and
// the draws are inline: a column spends its time in the logarithms.
#pragma once

#include <type_traits>

#include "math/gumbel.h"
#include "math/logistic.h"
#include "math/sampler_base.h"
#include "math/triangular.h"
#include "math/weibull.h"

namespace Zr::Math {

// Stricter than the distribution: the mode must lie strictly inside.
class RandomTriangular : public SamplerBase {
public:
    void SetMin(double min) noexcept { SetParameter(min_, min); }
    void SetMax(double max) noexcept { SetParameter(max_, max); }
    void SetMode(double mode) noexcept { SetParameter(mode_, mode); }
    double Next() noexcept {
        if (!initialised_ && !Prepare()) return kNaN;
        return quantile_(generator_.Next());
    }

private:
    bool Prepare() noexcept;

    double min_ = 0.0;
    double max_ = 1.0;
    double mode_ = 0.5;
    TriangularQuantile quantile_;
};

class RandomWeibull : public SamplerBase {
public:
    void SetShape(double alpha) noexcept { SetParameter(alpha_, alpha); }
    void SetScale(double beta) noexcept { SetParameter(beta_, beta); }
    double Next() noexcept {
        if (!initialised_ && !Prepare()) return kNaN;
        return quantile_(generator_.Next());
    }

private:
    bool Prepare() noexcept;

    double alpha_ = 1.0;
    double beta_ = 1.0;
    WeibullQuantile quantile_;
};

class RandomLogistic : public SamplerBase {
public:
    void SetLocation(double m) noexcept { SetParameter(m_, m); }
    void SetScale(double b) noexcept { SetParameter(b_, b); }
    double Next() noexcept {
        if (!initialised_ && !Prepare()) return kNaN;
        const double u = generator_.Next();
        return inside_ ? LogisticQuantileInside(u, m_, b_) : LogisticInv(u, m_, b_);
    }

private:
    bool Prepare() noexcept;

    double m_ = 0.0;
    double b_ = 1.0;
    bool inside_ = true;  // m finite, b finite: LogisticInv's checks pass for every uniform
};

// alpha - ln(-ln u) beta; the flag of SamplerBase is not used.
class RandomGumbel : public SamplerBase {
public:
    void SetLocation(double alpha) noexcept { alpha_ = alpha; }
    void SetScale(double beta) noexcept { beta_ = beta; }
    double Next() noexcept { return GumbelInv(generator_.Next(), alpha_, beta_); }

private:
    double alpha_ = 0.0;
    double beta_ = 1.0;
};

static_assert(std::is_trivially_copyable_v<RandomTriangular>);
static_assert(std::is_trivially_copyable_v<RandomWeibull>);
static_assert(std::is_trivially_copyable_v<RandomLogistic>);
static_assert(std::is_trivially_copyable_v<RandomGumbel>);

}  // namespace Zr::Math
