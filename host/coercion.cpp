#include "host/coercion.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace Zr::Host {
namespace {

template <class T>
Coerced<T> Fail(int code) {
    return {T{}, Value::Error(code)};
}

template <class T>
Coerced<T> Fail(const Value& error) {
    return {T{}, error};
}

std::optional<bool> BoolFromText(std::u16string_view text) {
    auto same = [&](std::u16string_view upper) {
        if (text.size() != upper.size()) return false;
        for (size_t i = 0; i < text.size(); ++i) {
            const char16_t c = (text[i] >= u'a' && text[i] <= u'z') ? char16_t(text[i] - u'a' + u'A') : text[i];
            if (c != upper[i]) return false;
        }
        return true;
    };
    if (same(u"TRUE")) return true;
    if (same(u"FALSE")) return false;
    return std::nullopt;
}

// A number for B, J and I parameters and for xlCoerce; nullopt when the value
// has none (error values are handled by the callers).
std::optional<double> NumberOf(const Value& value) {
    switch (value.kind) {
    case ValueKind::Number: return value.number;
    case ValueKind::Bool: return value.boolean ? 1.0 : 0.0;
    case ValueKind::Text: return NumberFromText(value.text);
    case ValueKind::Missing:
    case ValueKind::Nil: return 0.0;
    default: return std::nullopt;
    }
}

std::optional<int32_t> Truncate(double number, int32_t low, int32_t high) {
    const double t = std::trunc(number);
    if (!(t >= low && t <= high)) return std::nullopt;  // NaN fails too
    return static_cast<int32_t>(t);
}

template <class T>
Coerced<T> ToIntegerArgument(const Value& value) {
    if (value.Is(ValueKind::Error)) return Fail<T>(value);
    const std::optional<double> number = NumberOf(value);
    if (!number) return Fail<T>(xlerrValue);
    const std::optional<int32_t> n =
        Truncate(*number, std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
    if (!n) return Fail<T>(xlerrNum);
    return {static_cast<T>(*n), std::nullopt};
}

std::optional<Value> TextOf(const Value& v) {
    switch (v.kind) {
    case ValueKind::Text: return v;
    case ValueKind::Number: return Value::Text(TextFromNumber(v.number));
    case ValueKind::Bool: return Value::Text(v.boolean ? u"TRUE" : u"FALSE");
    case ValueKind::Missing:
    case ValueKind::Nil: return Value::Text(u"");
    default: return std::nullopt;
    }
}

std::optional<Value> BoolOf(const Value& v) {
    switch (v.kind) {
    case ValueKind::Bool: return v;
    case ValueKind::Number: return Value::Bool(v.number != 0.0);
    case ValueKind::Missing:
    case ValueKind::Nil: return Value::Bool(false);
    case ValueKind::Text: {
        const std::optional<bool> b = BoolFromText(v.text);
        return b ? std::optional<Value>(Value::Bool(*b)) : std::nullopt;
    }
    default: return std::nullopt;
    }
}

uint32_t NaturalType(const Value& v) {
    switch (v.kind) {
    case ValueKind::Number: return xltypeNum;
    case ValueKind::Text: return xltypeStr;
    case ValueKind::Bool: return xltypeBool;
    case ValueKind::Error: return xltypeErr;
    case ValueKind::Array: return xltypeMulti;
    case ValueKind::Missing: return xltypeMissing;
    case ValueKind::Nil: return xltypeNil;
    }
    return 0;
}

// Tries the scalar types in Excel's order of preference.
std::optional<Coercion> CoerceScalar(const Value& v, uint32_t mask, bool narrow) {
    if (mask & NaturalType(v)) return Coercion{v};
    if (v.Is(ValueKind::Error)) return std::nullopt;  // an error converts to nothing else
    const std::optional<double> number = NumberOf(v);
    if ((mask & xltypeNum) && number) return Coercion{Value::Number(*number)};
    if ((mask & xltypeInt) && number) {
        const std::optional<int32_t> n =
            narrow ? Truncate(*number, INT16_MIN, INT16_MAX) : Truncate(*number, INT32_MIN, INT32_MAX);
        if (n) return Coercion{Value::Number(*n), true};
    }
    if (mask & xltypeStr)
        if (std::optional<Value> text = TextOf(v)) return Coercion{*text};
    if (mask & xltypeBool)
        if (std::optional<Value> b = BoolOf(v)) return Coercion{*b};
    return std::nullopt;
}

}  // namespace

Coerced<double> ToDoubleArgument(const Value& value) {
    if (value.Is(ValueKind::Error)) return Fail<double>(value);
    const std::optional<double> number = NumberOf(value);
    if (!number) return Fail<double>(xlerrValue);
    return {*number, std::nullopt};
}

Coerced<int32_t> ToInt32Argument(const Value& value) { return ToIntegerArgument<int32_t>(value); }
Coerced<int16_t> ToInt16Argument(const Value& value) { return ToIntegerArgument<int16_t>(value); }

Coerced<bool> ToBoolArgument(const Value& value) {
    if (value.Is(ValueKind::Error)) return Fail<bool>(value);
    const std::optional<Value> b = BoolOf(value);
    if (!b) return Fail<bool>(xlerrValue);
    return {b->boolean, std::nullopt};
}

Coerced<std::u16string> ToTextArgument(const Value& value) {
    if (value.Is(ValueKind::Error)) return Fail<std::u16string>(value);
    const std::optional<Value> text = TextOf(value);
    if (!text) return Fail<std::u16string>(xlerrValue);
    return {text->text, std::nullopt};
}

std::optional<double> NumberFromText(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == u'+') text.remove_prefix(1);
    std::string narrow;
    for (char16_t c : text) {
        // from_chars would also read "inf" and "nan", which are no numbers to Excel.
        const bool allowed = (c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'+' || c == u'e' || c == u'E';
        if (!allowed) return std::nullopt;
        narrow.push_back(char(c));
    }
    double number = 0.0;
    const auto [end, ec] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), number);
    if (narrow.empty() || ec != std::errc() || end != narrow.data() + narrow.size()) return std::nullopt;
    return number;
}

std::u16string TextFromNumber(double number) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", number);
    return FromUtf8(buffer);
}

std::optional<Coercion> CoerceToTypes(const Value& value, uint32_t typeMask, bool narrow) {
    const uint32_t mask = MaskedType(typeMask);
    if (mask == 0) return Coercion{value};  // no type asked for: the value as it is
    if (value.Is(ValueKind::Array)) {
        if (mask & xltypeMulti) return Coercion{value};
        if (value.elements.empty()) return std::nullopt;
        return CoerceScalar(value.elements[0], mask, narrow);  // Excel takes the top-left element
    }
    if (std::optional<Coercion> scalar = CoerceScalar(value, mask, narrow)) return scalar;
    if (mask & xltypeMulti) return Coercion{Value::Array(1, 1, {value})};
    return std::nullopt;
}

}  // namespace Zr::Host
