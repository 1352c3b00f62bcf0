#include "functions/random_arguments.h"

#include "xll/xl_records.h"

namespace Zr::Functions {

AllowedValueList::AllowedValueList(std::vector<int16_t> values) : values_(std::move(values)) {
    for (size_t i = 0; i < values_.size(); ++i) text_ += (i ? "," : "") + std::to_string(values_[i]);
}

void AllowedValueList::Check(int16_t value, const char* argumentName) const {
    for (int16_t allowed : values_)
        if (allowed == value) return;
    throw CXlConversionException(Xll::MSG_EXPECTED_ONE_OF, {argumentName, text_});
}

const AllowedValueList& AlgorithmValues() {
    static const AllowedValueList list({0, 1, 2});
    return list;
}

Math::UniformGeneratorType AlgorithmToGeneratorType(int16_t algorithm) {
    switch (algorithm) {
    case 0:
        return Math::MT2002;
    case 1:
        return Math::MT1998;
    default:
        return Math::RAN2;
    }
}

int64_t HostRowLimit() { return Xll::IsExcel12() ? kMaxRows12 : kMaxRows4; }

}  // namespace Zr::Functions
