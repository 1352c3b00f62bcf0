// The host's formula parser on any text: a formula, or FormulaError at a column inside the text.
#include <cstdlib>

#include "host/formula_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        Zr::Host::ParseFormula({reinterpret_cast<const char*>(data), size});
    } catch (const Zr::Host::FormulaError& e) {
        if (e.Column() < 1 || e.Column() > size + 1) std::abort();
    }
    return 0;
}
