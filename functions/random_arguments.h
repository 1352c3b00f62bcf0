// The arguments every random-number function shares (size, algorithm, seed1,
// seed2) and the body procedure that checks them, seeds the function's
// sampler and fills the result column.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "math/random_uniform.h"
#include "xll/exceptions.h"
#include "xll/function_wizard.h"
#include "xll/messages.h"
#include "xll/xl_oper.h"

namespace Zr::Functions {

// The values an argument may take; Check throws "Expected one of 0,1,2 for
// algorithm" (a CXlConversionException) for any other.
class AllowedValueList {
public:
    explicit AllowedValueList(std::vector<int16_t> values);
    void Check(int16_t value, const char* argumentName) const;
    const std::string& Text() const { return text_; }

private:
    std::vector<int16_t> values_;
    std::string text_;  // "0,1,2"
};

// The generators offered for `algorithm`: 0, 1 and 2.
const AllowedValueList& AlgorithmValues();
// 0 -> MT2002, 1 -> MT1998, 2 -> RAN2.
Math::UniformGeneratorType AlgorithmToGeneratorType(int16_t algorithm);

struct RandomArguments {
    int32_t size;
    int16_t algorithm;
    int32_t seed1;
    int32_t seed2;
};

// The largest column the running Excel can take.
int64_t HostRowLimit();

// The body procedure of every random-number function:
//   valid()                         the function's parameter checks (after size >= 1)
//   seed(seed1, seed2, type)        seeds its generators; false gives #VALUE!
//   draw(writer, i)                 stores element i (a number, or #VALUE! alone)
// Elements are drawn strictly in order, one draw each.
template <class Valid, class Seed, class Draw>
const CXlOper* RandomColumn(CXlOper& result, const RandomArguments& args, Valid valid, Seed seed, Draw draw) {
    AlgorithmValues().Check(args.algorithm, "algorithm");
    if (Xll::IsCalledFromFunctionWizard()) {
        result.SetError(xlerrNA);
        return nullptr;
    }
    const Math::UniformGeneratorType type = AlgorithmToGeneratorType(args.algorithm);
    if (args.size < 1 || !valid()) {
        result.SetError(xlerrValue);
        return nullptr;
    }
    // The result first: seeding may draw a whole pre-pass of `size` numbers.
    if (args.size > HostRowLimit() || !result.AllocArrayToWrite(args.size, 1))
        throw CXlOutOfRangeException(Xll::MSG_INDEX_OUT_OF_RANGE);
    if (!seed(uint32_t(args.seed1), uint32_t(args.seed2), type)) {
        result.SetError(xlerrValue);
        return nullptr;
    }
    CXlArrayWriter writer(result);
    for (int64_t i = 0; i < args.size; ++i) draw(writer, i);
    return nullptr;
}

}  // namespace Zr::Functions
