// Helpers of the normal-generator and sampler tests: goodness of fit,
// counting the uniforms a draw consumes, and a generator stuck at one value.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "math/random_uniform.h"

namespace Zr::Testing {

// Kolmogorov-Smirnov critical value at significance 0.001 for n draws.
inline double KsCritical(size_t n) { return 1.9495 / std::sqrt(double(n)); }

// sup |F_n(x) - F(x)| for a continuous distribution function F.
template <class Cdf>
double KsStatistic(std::vector<double> sample, Cdf cdf) {
    std::sort(sample.begin(), sample.end());
    const double n = double(sample.size());
    double d = 0.0;
    for (size_t i = 0; i < sample.size(); ++i) {
        const double f = cdf(sample[i]);
        d = std::max({d, f - double(i) / n, double(i + 1) / n - f});
    }
    return d;
}

// The same for a distribution on the integers: the empirical and the exact
// distribution functions compared at every integer the sample reaches.
template <class Cdf>
double KsStatisticDiscrete(std::vector<double> sample, Cdf cdf) {
    std::sort(sample.begin(), sample.end());
    const double n = double(sample.size());
    double d = 0.0;
    for (size_t i = 0; i < sample.size();) {
        const double k = sample[i];
        while (i < sample.size() && sample[i] == k) ++i;
        d = std::max(d, std::fabs(double(i) / n - cdf(k)));
    }
    return d;
}

template <class Sampler>
std::vector<double> Draw(Sampler& sampler, size_t count) {
    std::vector<double> values(count);
    for (double& v : values) v = sampler.Next();
    return values;
}

// Population mean and standard deviation in long double from the mean.
struct SampleMoments {
    long double mean;
    long double stdev;
};
inline SampleMoments PopulationMoments(const std::vector<double>& x) {
    long double sum = 0;
    for (double v : x) sum += v;
    const long double mean = sum / x.size();
    long double squares = 0;
    for (double v : x) squares += (v - mean) * (v - mean);
    return {mean, std::sqrt(squares / x.size())};
}

// The number of uniforms a RAN2 generator has drawn between two of its
// states: every Next advances the first congruential state by one step.
inline int UniformsBetween(const Math::RandomUniform& before, const Math::RandomUniform& after) {
    int32_t state = before.Ran2State1();
    for (int n = 0; n < 1000000; ++n) {
        if (state == after.Ran2State1()) return n;
        const int32_t k = state / 53668;
        state = 40014 * (state - k * 53668) - k * 12211;
        if (state < 0) state += 2147483563;
    }
    return -1;
}

// Makes every further Next of `g` return 1e-12: an all-zero twister state
// regenerates to zeros.
inline void Jam(Math::RandomUniform& g) {
    g.Init(0, 0, Math::MT2002);
    std::fill_n(g.TwisterState(), Math::RandomUniform::kStateWords, 0u);
}

}  // namespace Zr::Testing
