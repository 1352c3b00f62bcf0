#include "math/random_gamma.h"

#include <cmath>

#include "math/normal.h"

namespace Zr::Math {

namespace {

// ln of the ratio of the gamma density to Marsaglia and Tsang's envelope at
// the proposal d v, v = (1 + c x)^3. Up to kLargeParameter as the method
// writes it; above, d ln v and d v differ from d by far less than their
// rounding, so the same quantity comes from its series in e = c x:
// d (3 ln(1 + e) - (1 + e)^3 + 1) + x^2/2 = d e^4 (-3/4 + 3/5 e - 1/2 e^2 + ...),
// the x^2/2 cancelling d 9/2 e^2 since c = 1 / (3 sqrt(d)).
double LogAcceptance(double d, double c, double x, double v) noexcept {
    if (d < kLargeParameter) return d * std::log(v) + 0.5 * x * x - d * v + d;
    const double e = c * x;
    return d * (e * e) * (e * e) * (-0.75 + e * (0.6 - 0.5 * e));
}

// Marsaglia and Tsang's constants for a shape a > 1.
double MethodD(double a) noexcept { return a - 0.3333333333333333; }
double MethodC(double d) noexcept { return 1.0 / (3.0 * std::sqrt(d)); }

// Shape a > 1 (d and c from it), scale 1; the normal deviate from inversion
// of one uniform.
double MarsagliaTsang(RandomUniform& generator, double d, double c) noexcept {
    for (int proposal = 0; proposal < kMaxProposals; ++proposal) {
        const double x = NormInv(generator.Next());
        double v = 1.0 + c * x;
        if (v <= 0.0) continue;
        v = v * v * v;
        const double u = generator.Next();
        if (u <= 1.0 - 0.0331 * (x * x) * (x * x) || std::log(u) <= LogAcceptance(d, c, x, v))
            return d * v;
    }
    return kNaN;
}

}  // namespace

GammaShape::GammaShape(double shape) noexcept : shape_(shape) {
    if (!IsPositiveFinite(shape) || shape == 1.0) return;
    d_ = MethodD(shape > 1.0 ? shape : shape + 1.0);
    c_ = MethodC(d_);
    if (shape < 1.0) inversePower_ = 1.0 / shape;
}

double GammaShape::Next(RandomUniform& generator, double scale) const noexcept {
    if (!IsPositiveFinite(shape_) || !IsPositiveFinite(scale)) return kNaN;
    if (shape_ > 1.0) return MarsagliaTsang(generator, d_, c_) * scale;
    if (shape_ < 1.0) {
        const double u = generator.Next();
        const double g = MarsagliaTsang(generator, d_, c_);
        // For tiny shapes the power underflows to 0 (as the variate does);
        // a huge scale must not turn that into infinity times 0.
        const double power = std::pow(u, inversePower_);
        return power == 0.0 ? 0.0 : g * scale * power;
    }
    return -std::log(1.0 - generator.Next()) * scale;
}

double GammaVariate(RandomUniform& generator, double shape, double scale) noexcept {
    return GammaShape(shape).Next(generator, scale);
}

void RandomChiSquare::SetDegreesOfFreedom(int32_t n) noexcept {
    n_ = n;
    gamma_.SetShape(n < 2 ? 1.5 : double(n) * 0.5);
    gamma_.SetScale(2.0);
    initialised_ = false;
}

double RandomChiSquare::Next() noexcept {
    if (!initialised_) {
        if (n_ < 1) return kNaN;
        initialised_ = true;
    }
    if (n_ >= 2) return gamma_.Next();
    const double u = extra_.Next();
    return gamma_.Next() * (u * u);
}

}  // namespace Zr::Math
