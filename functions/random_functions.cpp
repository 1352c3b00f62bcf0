#include "random_functions.h"

#include <cmath>
#include <initializer_list>

#include "math/distributions.h"
#include "math/samplers.h"
#include "random_arguments.h"

namespace Zr::Functions {
namespace {

using Math::UniformGeneratorType;

// Parameter checks are written so that NaN fails them: a NaN would pass
// "alpha <= 1e-12" and then sample nonsense. Infinite parameters fail too.
bool Finite(std::initializer_list<double> values) {
    for (double x : values)
        if (!std::isfinite(x)) return false;
    return true;
}
bool Positive(double x) { return x > 1e-12; }

// A column of the sampler's variates, each passed through `form`.
template <class Sampler, class Form>
const CXlOper* SamplerColumn(CXlOper& result, const RandomArguments& args, bool valid, Sampler& sampler,
                             Form form) {
    return RandomColumn(
        result, args, [valid] { return valid; },
        [&](uint32_t s1, uint32_t s2, UniformGeneratorType type) { return sampler.Seed(s1, s2, type); },
        [&](CXlArrayWriter& out, int64_t i) { out.SetDouble(i, form(sampler.Next())); });
}

template <class Sampler>
const CXlOper* SamplerColumn(CXlOper& result, const RandomArguments& args, bool valid, Sampler& sampler) {
    return SamplerColumn(result, args, valid, sampler, [](double x) { return x; });
}

// The standard normal variates of RandomNormal with the three switches.
template <class Draw>
const CXlOper* NormalColumn(CXlOper& result, const RandomArguments& args, bool valid, Math::GaussianMethod method,
                            bool antithetic, bool resampling, Draw draw) {
    Math::RandomNormal normal;
    return RandomColumn(
        result, args, [valid] { return valid; },
        [&](uint32_t s1, uint32_t s2, UniformGeneratorType type) {
            return normal.Init(s1, s2, 0.0, 1.0, method, antithetic ? 1 : 0,
                               resampling ? Math::ENABLE_RESAMPLING_TYPE2 : Math::DISABLED, args.size, type);
        },
        [&](CXlArrayWriter& out, int64_t i) { draw(out, i, normal.Next()); });
}

Math::GaussianMethod Method(XlBool useInvertFunc) { return useInvertFunc ? Math::INV : Math::BOX_MULLER; }

}  // namespace

const CXlOper* ZrRandBeta(CXlOper& result, int32_t size, double alpha, double beta, int16_t algorithm,
                          int32_t seed1, int32_t seed2) {
    Math::RandomBeta sampler;
    sampler.SetAlpha(alpha);
    sampler.SetBeta(beta);
    const bool valid = Finite({alpha, beta}) && Positive(alpha) && Positive(beta);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, valid, sampler);
}

const CXlOper* ZrRandChiSq(CXlOper& result, int32_t size, int32_t n, int16_t algorithm, int32_t seed1,
                           int32_t seed2) {
    Math::RandomChiSquare sampler;
    sampler.SetDegreesOfFreedom(n);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, n >= 1, sampler);
}

// The same chi-square variates as ZrRandChiSq, square-rooted.
const CXlOper* ZrRandChi(CXlOper& result, int32_t size, int32_t n, int16_t algorithm, int32_t seed1, int32_t seed2) {
    Math::RandomChiSquare sampler;
    sampler.SetDegreesOfFreedom(n);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, n >= 1, sampler,
                         [](double x) { return std::sqrt(x); });
}

// x / n1 over y / n2 for two chi-square variates; Y's gamma generator takes
// the seeds of X's extra generator.
const CXlOper* ZrRandF(CXlOper& result, int32_t size, int32_t n1, int32_t n2, int16_t algorithm, int32_t seed1,
                       int32_t seed2) {
    Math::RandomChiSquare x, y;
    x.SetDegreesOfFreedom(n1);
    y.SetDegreesOfFreedom(n2);
    const double r = double(n2) / double(n1);
    return RandomColumn(
        result, {size, algorithm, seed1, seed2}, [&] { return n1 >= 1 && n2 >= 1; },
        [&](uint32_t s1, uint32_t s2, UniformGeneratorType type) {
            return x.Seed(s1, s2, type) && y.Seed(Math::SeedStep(s1), Math::SeedStep(s2), type);
        },
        [&](CXlArrayWriter& out, int64_t i) {
            const double xi = x.Next();
            out.SetDouble(i, xi * r / y.Next());
        });
}

const CXlOper* ZrRandGamma(CXlOper& result, int32_t size, double alpha, double beta, int16_t algorithm,
                           int32_t seed1, int32_t seed2) {
    Math::RandomGamma sampler;
    sampler.SetShape(alpha);
    sampler.SetScale(beta);
    const bool valid = Finite({alpha, beta}) && Positive(alpha) && Positive(beta);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, valid, sampler);
}

const CXlOper* ZrRandGumbel(CXlOper& result, int32_t size, double alpha, double beta, int16_t algorithm,
                            int32_t seed1, int32_t seed2) {
    Math::RandomGumbel sampler;
    sampler.SetLocation(alpha);
    sampler.SetScale(beta);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, Finite({alpha, beta}) && Positive(beta), sampler);
}

// Resampling acts on the normal variates, before the transformation.
const CXlOper* ZrRandJohnsonSU(CXlOper& result, int32_t size, double gamma, double delta, double lambda, double xi,
                               int16_t algorithm, int32_t seed1, int32_t seed2, XlBool useInvertFunc,
                               XlBool useAntithetic, XlBool useResampling) {
    const bool valid = Finite({gamma, delta, lambda, xi}) && Positive(delta) && Positive(lambda);
    return NormalColumn(result, {size, algorithm, seed1, seed2}, valid, Method(useInvertFunc), bool(useAntithetic),
                        bool(useResampling), [&](CXlArrayWriter& out, int64_t i, double z) {
                            out.SetDouble(i, std::sinh((z - gamma) / delta) * lambda + xi);
                        });
}

const CXlOper* ZrRandLogistic(CXlOper& result, int32_t size, double m, double b, int16_t algorithm, int32_t seed1,
                              int32_t seed2) {
    Math::RandomLogistic sampler;
    sampler.SetLocation(m);
    sampler.SetScale(b);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, Finite({m, b}) && Positive(b), sampler);
}

// Always inversion without antithetic variates or resampling; an element
// whose exponent exceeds 88.7 is #VALUE! on its own.
const CXlOper* ZrRandLogNorm(CXlOper& result, int32_t size, double m, double s, int16_t algorithm, int32_t seed1,
                             int32_t seed2) {
    return NormalColumn(result, {size, algorithm, seed1, seed2}, Finite({m, s}) && Positive(s), Math::INV, false,
                        false, [&](CXlArrayWriter& out, int64_t i, double z) {
                            const double x = z * s + m;
                            if (x > 88.7)
                                out.SetError(i, xlerrValue);
                            else
                                out.SetDouble(i, std::exp(x));
                        });
}

const CXlOper* ZrRandNorm(CXlOper& result, int32_t size, int16_t algorithm, int32_t seed1, int32_t seed2,
                          XlBool useInvertFunc, XlBool useAntithetic, XlBool useResampling) {
    return NormalColumn(result, {size, algorithm, seed1, seed2}, true, Method(useInvertFunc), bool(useAntithetic),
                        bool(useResampling),
                        [](CXlArrayWriter& out, int64_t i, double z) { out.SetDouble(i, z); });
}

const CXlOper* ZrRandPoisson(CXlOper& result, int32_t size, double mean, int16_t algorithm, int32_t seed1,
                             int32_t seed2) {
    Math::RandomPoisson sampler;
    sampler.SetMean(mean);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, Finite({mean}) && Positive(mean), sampler);
}

const CXlOper* ZrRandT(CXlOper& result, int32_t size, int32_t n, int16_t algorithm, int32_t seed1, int32_t seed2) {
    Math::RandomStudentT sampler;
    sampler.SetDegreesOfFreedom(n);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, n >= 1, sampler);
}

const CXlOper* ZrRandTriangular(CXlOper& result, int32_t size, double min, double max, double mode,
                                int16_t algorithm, int32_t seed1, int32_t seed2) {
    Math::RandomTriangular sampler;
    sampler.SetMin(min);
    sampler.SetMax(max);
    sampler.SetMode(mode);
    const bool valid = Finite({min, max, mode}) && min < mode && mode < max;
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, valid, sampler);
}

// The truncated normal quantile of each uniform.
const CXlOper* ZrRandTruncNorm(CXlOper& result, int32_t size, double min, double max, double mu, double sigma,
                               int16_t algorithm, int32_t seed1, int32_t seed2) {
    Math::RandomUniform uniform;
    const bool valid = Finite({min, max, mu, sigma}) && Positive(sigma) && min < max;
    return RandomColumn(
        result, {size, algorithm, seed1, seed2}, [valid] { return valid; },
        [&](uint32_t s1, uint32_t s2, UniformGeneratorType type) { return uniform.Init(s1, s2, type); },
        [&](CXlArrayWriter& out, int64_t i) {
            out.SetDouble(i, Math::TruncNormInv(uniform.Next(), min, max, mu, sigma));
        });
}

const CXlOper* ZrRandWeibull(CXlOper& result, int32_t size, double alpha, double beta, int16_t algorithm,
                             int32_t seed1, int32_t seed2) {
    Math::RandomWeibull sampler;
    sampler.SetShape(alpha);
    sampler.SetScale(beta);
    const bool valid = Finite({alpha, beta}) && Positive(alpha) && Positive(beta);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, valid, sampler);
}

}  // namespace Zr::Functions
