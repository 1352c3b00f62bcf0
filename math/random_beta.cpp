#include "math/random_beta.h"

#include <cmath>

#include "math/random_gamma.h"

namespace Zr::Math {

double RandomBeta::Next() noexcept {
    if (!initialised_) SetUp();
    switch (method_) {
    case Method::CHENG_BB: return NextBB();
    case Method::CHENG_BC: return NextBC();
    case Method::GAMMA_RATIO: return NextGammaRatio();
    case Method::INVALID: break;
    }
    return kNaN;
}

void RandomBeta::SetUp() noexcept {
    if (!IsPositiveFinite(alpha_) || !IsPositiveFinite(beta_))
        method_ = Method::INVALID;
    else if (alpha_ + beta_ > kLargeParameter)
        SetUpGammaRatio();
    else if ((beta_ > alpha_ ? alpha_ : beta_) > 1.0)
        SetUpBB();
    else
        SetUpBC();
    initialised_ = true;
}

void RandomBeta::SetUpGammaRatio() noexcept {
    method_ = Method::GAMMA_RATIO;
    a_ = beta_ > alpha_ ? alpha_ : beta_;
    b_ = alpha_ > beta_ ? alpha_ : beta_;
}

void RandomBeta::SetUpBB() noexcept {
    method_ = Method::CHENG_BB;
    a_ = beta_ > alpha_ ? alpha_ : beta_;
    b_ = alpha_ > beta_ ? alpha_ : beta_;
    sum_ = a_ + b_;
    betaPrime_ = std::sqrt((sum_ - 2.0) / (2.0 * a_ * b_ - sum_));
    gammaPrime_ = a_ + 1.0 / betaPrime_;
}

void RandomBeta::SetUpBC() noexcept {
    method_ = Method::CHENG_BC;
    a_ = alpha_ > beta_ ? alpha_ : beta_;
    b_ = beta_ > alpha_ ? alpha_ : beta_;
    sum_ = a_ + b_;
    betaPrime_ = 1.0 / b_;
    const double delta = 1.0 + a_ - b_;
    k1_ = delta * (0.0138889 + 0.0416667 * b_) / (a_ * betaPrime_ - 0.777778);
    k2_ = 0.25 + (0.5 + 0.25 / delta) * b_;
}

double RandomBeta::NextBB() noexcept {
    for (int proposal = 0; proposal < kMaxProposals; ++proposal) {
        const double u1 = generator_.Next();
        const double u2 = generator_.Next();
        const double v = betaPrime_ * std::log(u1 / (1.0 - u1));
        const double w = a_ * std::exp(v);
        const double z = u1 * u1 * u2;
        const double r = gammaPrime_ * v - 1.3862944;
        const double s = a_ + r - w;
        if (s + 2.609438 >= 5.0 * z) return Result(w);
        const double t = std::log(z);
        if (s > t || r + sum_ * std::log(sum_ / (b_ + w)) >= t) return Result(w);
    }
    return kNaN;
}

double RandomBeta::NextBC() noexcept {
    for (int proposal = 0; proposal < kMaxProposals; ++proposal) {
        const double u1 = generator_.Next();
        const double u2 = generator_.Next();
        double z;
        bool accepted = false;
        if (u1 < 0.5) {
            const double y = u1 * u2;
            z = u1 * y;
            if (0.25 * u2 + z - y >= k1_) continue;
        } else {
            z = u1 * u1 * u2;
            accepted = z <= 0.25;
            if (!accepted && z >= k2_) continue;
        }
        double v = betaPrime_ * std::log(u1 / (1.0 - u1));
        if (v > 88.7) v = 88.7;
        const double w = a_ * std::exp(v);
        if (accepted || !(std::log(z) > sum_ * (std::log(sum_ / (b_ + w)) + v) - 1.3862944))
            return Result(w);
    }
    return kNaN;
}

namespace {

// x / (x + y) for x, y >= 0 without overflow, whichever is larger.
double Share(double x, double y) noexcept {
    if (x >= y) return 1.0 / (1.0 + y / x);
    const double ratio = x / y;
    return ratio / (1.0 + ratio);
}

}  // namespace

// The smaller shape's gamma first, so that swapping the shapes mirrors the
// variate as Cheng's algorithms do.
double RandomBeta::NextGammaRatio() noexcept {
    const double x = GammaVariate(generator_, a_, 1.0);
    const double y = GammaVariate(generator_, b_, 1.0);
    return alpha_ == a_ ? Share(x, y) : Share(y, x);
}

}  // namespace Zr::Math
