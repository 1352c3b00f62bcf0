// The guard around Boost.Math: the library reports errors by throwing, and
// every exception, of whatever type, becomes NaN here so that nothing reaches
// the worksheet bodies. The library's policies are its defaults except that
// double is not promoted to long double (BOOST_MATH_PROMOTE_DOUBLE_POLICY,
// set for every user of zr_math by math/CMakeLists.txt): long double is
// double under Microsoft's compiler, and promotion would cost four times the
// time.
//
// Include the Boost.Math distribution headers first: bm::pdf and its kin are
// qualified names, looked up where these templates are defined.
#pragma once

#include <limits>
#include <utility>

#if !defined(BOOST_MATH_PROMOTE_DOUBLE_POLICY) || BOOST_MATH_PROMOTE_DOUBLE_POLICY
#error "Boost.Math must evaluate in double: define BOOST_MATH_PROMOTE_DOUBLE_POLICY=false"
#endif

namespace Zr::Math::BoostGuard {

namespace bm = boost::math;

template <class Evaluate>
double Guarded(Evaluate evaluate) noexcept {
    try {
        return evaluate();
    } catch (...) {
        return std::numeric_limits<double>::quiet_NaN();
    }
}

// The three evaluations of a distribution built from `make()` inside the guard,
// so that a constructor's parameter check is guarded too. A family that needs
// long double builds its distribution in long double; x is widened to match
// and the result rounded to double.
template <class Make>
using ValueType = typename decltype(std::declval<Make>()())::value_type;

template <class Make>
double Pdf(Make make, double x) noexcept {
    return Guarded([&] { return double(bm::pdf(make(), ValueType<Make>(x))); });
}
template <class Make>
double Cdf(Make make, double x) noexcept {
    return Guarded([&] { return double(bm::cdf(make(), ValueType<Make>(x))); });
}
template <class Make>
double Quantile(Make make, double p) noexcept {
    return Guarded([&] { return double(bm::quantile(make(), ValueType<Make>(p))); });
}

}  // namespace Zr::Math::BoostGuard
