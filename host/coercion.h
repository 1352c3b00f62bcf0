// Excel's conversions of cell values: to the native arguments of a registered
// function (B, J, I, A, C, C%) and for the xlCoerce callback.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/value.h"

namespace Zr::Host {

// A native argument, or the value the cell shows instead of calling the
// function. An error argument shows itself; a value Excel cannot convert
// shows #VALUE!; an integer out of the parameter's range shows #NUM!.
template <class T>
struct Coerced {
    T value{};
    std::optional<Value> failure;
    bool Ok() const { return !failure; }
};

Coerced<double> ToDoubleArgument(const Value& value);          // B
Coerced<int32_t> ToInt32Argument(const Value& value);          // J, truncated toward zero
Coerced<int16_t> ToInt16Argument(const Value& value);          // I, truncated toward zero
Coerced<bool> ToBoolArgument(const Value& value);              // A
Coerced<std::u16string> ToTextArgument(const Value& value);    // C, C%

// A whole text that reads as a number ("16.0", " -1e3 "), or nullopt.
std::optional<double> NumberFromText(std::u16string_view text);
// A number as the General format shows it (15 significant digits).
std::u16string TextFromNumber(double number);

// The answer to xlCoerce: the value converted to one of the types in
// `typeMask` (xltypeNum, xltypeInt, xltypeStr, xltypeBool, xltypeErr,
// xltypeMulti, ...). `integer` asks for an xltypeInt record. nullopt when no
// requested type can hold the value; the callback then answers xlretFailed.
struct Coercion {
    Value value;
    bool integer = false;
};
// `narrow` limits integers to 16 bits, as an XLOPER holds them.
std::optional<Coercion> CoerceToTypes(const Value& value, uint32_t typeMask, bool narrow);

}  // namespace Zr::Host
