// Helpers of the moment and parameter bodies: the column of a Mom function
// and the body of a Param function, whose failed fit gives #VALUE! for the
// whole result.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <tuple>

#include "functions/body.h"
#include "math/moments.h"

namespace Zr::Functions {

// Mean, standard deviation, skewness and excess kurtosis, top to bottom.
inline std::array<Element, 4> MomentColumn(const Math::Moments& m) { return {m.mean, m.stdev, m.skew, m.kurt}; }

// A moment that exists only under its own condition; #VALUE! otherwise.
inline Element MomentIf(bool exists, double value) { return exists ? Element(value) : std::nullopt; }

// The N parameters of a fit, or nothing when it failed.
template <size_t N>
using Fitted = std::optional<std::array<double, N>>;

// Calls a fit of the form bool(inputs..., double& output x N).
template <size_t N, class FitFunction, class... Inputs>
Fitted<N> Fit(FitFunction fit, Inputs... inputs) {
    std::array<double, N> parameters{};
    const bool fitted = std::apply([&](auto&... out) { return fit(inputs..., out...); }, parameters);
    return fitted ? Fitted<N>(parameters) : std::nullopt;
}

// The body convention for a Param function: #N/A from the function wizard,
// #VALUE! when a check or the fit fails, else the parameters as a column.
template <class FitCall>
const CXlOper* FitBody(CXlOper& result, bool invalid, FitCall fitCall) {
    if (Xll::IsCalledFromFunctionWizard()) {
        result.SetError(xlerrNA);
        return nullptr;
    }
    const auto fitted = invalid ? std::nullopt : fitCall();
    if (!fitted || !result.AllocArray(int64_t(fitted->size()), 1)) {
        result.SetError(xlerrValue);
        return nullptr;
    }
    for (size_t i = 0; i < fitted->size(); ++i) result.Cell(int64_t(i)).SetDouble((*fitted)[i]);
    return nullptr;
}

}  // namespace Zr::Functions
