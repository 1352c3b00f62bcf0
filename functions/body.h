// The body convention of the single-value and short-column worksheet
// functions: a call from the function wizard gives #N/A before anything is
// checked, the first failed check gives #VALUE!, otherwise the numbers are
// stored (a NaN from the numerics stays a number).
#pragma once

#include <cmath>
#include <initializer_list>
#include <optional>

#include "xll/entry.h"
#include "xll/function_wizard.h"
#include "xll/xl_oper.h"

namespace Zr::Functions {

using Xll::XlBool;

// `invalid` is the function's checks joined with ||, in their order.
template <class Compute>
const CXlOper* ScalarBody(CXlOper& result, bool invalid, Compute compute) {
    if (Xll::IsCalledFromFunctionWizard())
        result.SetError(xlerrNA);
    else if (invalid)
        result.SetError(xlerrValue);
    else
        result.SetDouble(compute());
    return nullptr;
}

// An element of a result column: a number, or #VALUE! on its own.
using Element = std::optional<double>;

// A column of n elements (n = 2, 3 or 4 in this catalogue), filled top to bottom.
template <class Compute>
const CXlOper* ColumnBody(CXlOper& result, bool invalid, Compute compute) {
    if (Xll::IsCalledFromFunctionWizard()) {
        result.SetError(xlerrNA);
    } else if (invalid) {
        result.SetError(xlerrValue);
    } else {
        const auto elements = compute();
        result.AllocArray(int64_t(elements.size()), 1);
        for (size_t i = 0; i < elements.size(); ++i) {
            if (elements[i])
                result.Cell(int64_t(i)).SetDouble(*elements[i]);
            else
                result.Cell(int64_t(i)).SetError(xlerrValue);
        }
    }
    return nullptr;
}

// The distribution function when isCumulative is set, else the density.
template <class Cdf, class Pdf>
auto Either(XlBool isCumulative, Cdf cdf, Pdf pdf) {
    return [=] { return isCumulative ? cdf() : pdf(); };
}

}  // namespace Zr::Functions
