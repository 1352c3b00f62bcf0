// Declares one worksheet function of the add-in: its two exports over the
// body in Zr::Functions and its registration record from the catalogue.
#pragma once

#include <string>

#include "catalogue_record.h"
#include "xll/entry.h"

namespace Zr::Addin {

// Type letters of the exports' C types, to check them against the catalogue.
template <class T>
constexpr char Letter();
template <> constexpr char Letter<double>() { return 'B'; }
template <> constexpr char Letter<int32_t>() { return 'J'; }
template <> constexpr char Letter<int16_t>() { return 'I'; }
template <> constexpr char Letter<Xll::XlBool>() { return 'A'; }
template <> constexpr char Letter<XLOPER*>() { return 'P'; }
template <> constexpr char Letter<XLOPER12*>() { return 'Q'; }

template <class... A>
std::string TypeText(XLOPER12* (*)(A...)) {
    return std::string{'U', Letter<A>()...} + "$";
}

template <class... A>
std::string TypeText(XLOPER* (*)(A...)) {
    return std::string{'R', Letter<A>()...};
}

}  // namespace Zr::Addin

#define ZR_ADDIN_FUNCTION(Name, Params, Args)                                                  \
    ZR_WORKSHEET_ENTRIES(Name, Params, Args)                                                    \
    static const Zr::Addin::CatalogueRecord Name##Record ZR_EARLY_INIT(#Name, Zr::Addin::TypeText(&Zr::Entry4::Name##_4), \
                                                         Zr::Addin::TypeText(&Zr::Entry12::Name##_12));
