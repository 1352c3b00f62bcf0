#include "math/random_student_t.h"

#include <cmath>

#include "math/constants.h"
#include "math/log_gamma.h"

namespace Zr::Math {

namespace {

// The plateau half-width for n = 2 to 8; a fitted power law beyond.
double PlateauWidth(int32_t n) noexcept {
    constexpr double kSmall[] = {3.515, 3.143, 2.968, 2.868, 2.783, 2.756, 2.724};
    if (n <= 8) return kSmall[n - 2];
    return 1.876 * std::pow(double(n), -1.042) + 2.5074;
}

}  // namespace

double RandomStudentT::Next() noexcept {
    if (!initialised_) {
        if (n_ < 1) return kNaN;
        SetUp();
    }
    if (n_ == 1) return std::tan((generator_.Next() - 0.5) * kPi);
    return NextTableMountain();
}

void RandomStudentT::SetUp() noexcept {
    initialised_ = true;
    if (n_ < 2) return;
    const double n = n_;
    a_ = PlateauWidth(n_);
    f0_ = std::exp(LogGamma((n + 1.0) / 2.0) - LogGamma(n / 2.0)) * 0.564189583547756 / std::sqrt(n);
    b_ = std::sqrt(n * (std::pow(2.0 * a_ * f0_, 2.0 / (n + 1.0)) - 1.0));
    p_ = (n + 1.0) / 2.0;
    h_ = 0.5 / a_;
    r_ = b_ / (a_ - b_);
    q_ = (1.0 / r_ + 1.0) * h_;
}

double RandomStudentT::NextTableMountain() noexcept {
    const double n = n_;
    double x = 2.0 * generator_.Next();
    double sign = 1.0;
    if (x > 1.0) {
        sign = -1.0;
        x -= 1.0;
    }
    x *= a_;
    if (x < b_) return sign * x;
    const double y = generator_.Next() * h_;
    if (std::pow(1.0 + x * x / n, p_) * y < f0_) return sign * x;
    const double mirrored = (a_ - x) * r_;
    if (std::pow(1.0 + mirrored * mirrored / n, p_) * (q_ - y / r_) < f0_) return sign * mirrored;
    // The tail beyond the plateau, by rejection.
    for (int proposal = 0; proposal < kMaxProposals; ++proposal) {
        const double t = std::sqrt(std::pow(generator_.Next(), -2.0 / (n - 1.0)) * (a_ * a_ + n) - n);
        if (!(a_ <= generator_.Next() * t)) return sign * t;
    }
    return kNaN;
}

}  // namespace Zr::Math
