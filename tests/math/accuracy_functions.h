// The 31 distribution and inverse functions as their worksheet bodies compute
// them, by name, and the row format of the accuracy probe's reference data
// (tests/math/data/accuracy_*.inc), for the accuracy test and the benchmark.
#pragma once

#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <string_view>

#include "math/distributions.h"

namespace Zr::Testing::Accuracy {

using namespace Zr::Math;

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();

// The worksheet's arguments in order (a Dist function's last is isCumulative;
// integer arguments are whole numbers) and the result its body computes.
using Args = std::array<double, 6>;
using Evaluate = double (*)(const Args&);
inline int I(double n) { return int(n); }

inline const std::map<std::string_view, Evaluate> kFunctions = {
    {"ZrBetaDist", [](const Args& a) { return a[3] ? BetaCdf(a[0], a[1], a[2]) : BetaPdf(a[0], a[1], a[2]); }},
    {"ZrBetaInv", [](const Args& a) { return BetaInv(a[0], a[1], a[2]); }},
    {"ZrBiNormDist", [](const Args& a) { return a[3] ? BiNormCdf(a[0], a[1], a[2]) : BiNormPdf(a[0], a[1], a[2]); }},
    {"ZrChiDist", [](const Args& a) { return a[2] ? ChiCdf(a[0], I(a[1])) : ChiPdf(a[0], I(a[1])); }},
    {"ZrChiDistInv", [](const Args& a) { return ChiInv(a[0], I(a[1])); }},
    {"ZrChiSqDist", [](const Args& a) { return a[2] ? ChiSqCdf(a[0], I(a[1])) : ChiSqPdf(a[0], I(a[1])); }},
    {"ZrChiSqDistInv", [](const Args& a) { return ChiSqInv(a[0], I(a[1])); }},
    {"ZrFDist",
     [](const Args& a) { return a[3] ? FCdf(a[0], I(a[1]), I(a[2])) : FPdf(a[0], I(a[1]), I(a[2])); }},
    {"ZrFDistInv", [](const Args& a) { return FInv(a[0], I(a[1]), I(a[2])); }},
    {"ZrGammaDist", [](const Args& a) { return a[3] ? GammaCdf(a[0], a[1], a[2]) : GammaPdf(a[0], a[1], a[2]); }},
    {"ZrGammaDistInv", [](const Args& a) { return GammaInv(a[0], a[1], a[2]); }},
    {"ZrGumbelDist", [](const Args& a) { return a[3] ? GumbelCdf(a[0], a[1], a[2]) : GumbelPdf(a[0], a[1], a[2]); }},
    {"ZrGumbelInv", [](const Args& a) { return GumbelInv(a[0], a[1], a[2]); }},
    {"ZrJohnsonSUDist",
     [](const Args& a) {
         return a[5] ? JohnsonSUCdf(a[0], a[1], a[2], a[3], a[4]) : JohnsonSUPdf(a[0], a[1], a[2], a[3], a[4]);
     }},
    {"ZrJohnsonSUInv", [](const Args& a) { return JohnsonSUInv(a[0], a[1], a[2], a[3], a[4]); }},
    {"ZrLogisticDist",
     [](const Args& a) { return a[3] ? LogisticCdf(a[0], a[1], a[2]) : LogisticPdf(a[0], a[1], a[2]); }},
    {"ZrLogisticInv", [](const Args& a) { return LogisticInv(a[0], a[1], a[2]); }},
    {"ZrLogNormDist", [](const Args& a) { return a[3] ? LogNormCdf(a[0], a[1], a[2]) : LogNormPdf(a[0], a[1], a[2]); }},
    {"ZrLogNormInv", [](const Args& a) { return LogNormInv(a[0], a[1], a[2]); }},
    {"ZrNormDist", [](const Args& a) { return a[1] ? NormCdf(a[0]) : NormPdf(a[0]); }},
    {"ZrNormInv", [](const Args& a) { return NormInv(a[0]); }},
    {"ZrPoissonDist", [](const Args& a) { return a[2] ? PoissonCdf(I(a[0]), a[1]) : PoissonPdf(I(a[0]), a[1]); }},
    {"ZrPoissonDistInv", [](const Args& a) { return PoissonInv(a[0], a[1]); }},
    {"ZrTDist", [](const Args& a) { return a[2] ? TCdf(a[0], I(a[1])) : TPdf(a[0], I(a[1])); }},
    {"ZrTDistInv", [](const Args& a) { return TInv(a[0], I(a[1])); }},
    {"ZrTriangularDist",
     [](const Args& a) {
         return a[4] ? TriangularCdf(a[0], a[1], a[2], a[3]) : TriangularPdf(a[0], a[1], a[2], a[3]);
     }},
    {"ZrTriangularInv", [](const Args& a) { return TriangularInv(a[0], a[1], a[2], a[3]); }},
    {"ZrTruncNormDist",
     [](const Args& a) {
         return a[5] ? TruncNormCdf(a[0], a[1], a[2], a[3], a[4]) : TruncNormPdf(a[0], a[1], a[2], a[3], a[4]);
     }},
    {"ZrTruncNormInv", [](const Args& a) { return TruncNormInv(a[0], a[1], a[2], a[3], a[4]); }},
    {"ZrWeibullDist", [](const Args& a) { return a[3] ? WeibullCdf(a[0], a[1], a[2]) : WeibullPdf(a[0], a[1], a[2]); }},
    {"ZrWeibullInv", [](const Args& a) { return WeibullInv(a[0], a[1], a[2]); }},
};

struct Row {
    const char* function;
    Args args;
    double expected;  // NaN: no answer exists; 0 below the normal range: underflow
    double bound;     // relative; 0: exactly
};

// Every row of the probe, in the order of the files.
inline const Row kRows[] = {
#include "tests/math/data/accuracy_incomplete_beta.inc"
#include "tests/math/data/accuracy_incomplete_gamma.inc"
#include "tests/math/data/accuracy_normal_family.inc"
#include "tests/math/data/accuracy_closed_forms.inc"
};

}  // namespace Zr::Testing::Accuracy
