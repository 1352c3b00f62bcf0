#include "host/value.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <utility>

namespace Zr::Host {
namespace {

struct ErrorEntry {
    int code;
    const char* name;
};

constexpr std::array<ErrorEntry, 7> kErrors = {{
    {xlerrNull, "#NULL!"},
    {xlerrDiv0, "#DIV/0!"},
    {xlerrValue, "#VALUE!"},
    {xlerrRef, "#REF!"},
    {xlerrName, "#NAME?"},
    {xlerrNum, "#NUM!"},
    {xlerrNA, "#N/A"},
}};

constexpr char32_t kReplacement = 0xFFFD;

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string FormatNumber(double number) {
    if (std::isnan(number)) return "nan";  // no sign: the sign of a NaN means nothing to a cell
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", number);
    return buffer;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(char16_t(c));
    } else {
        c -= 0x10000;
        out.push_back(char16_t(0xD800 + (c >> 10)));
        out.push_back(char16_t(0xDC00 + (c & 0x3FF)));
    }
}

// Decodes one UTF-8 sequence at `i`, advancing it; malformed input gives U+FFFD.
char32_t DecodeUtf8(std::string_view s, size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    if (lead < 0x80) return lead;
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || lead > 0xF4) return kReplacement;
    char32_t c = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return kReplacement;
        c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    const bool surrogate = c >= 0xD800 && c < 0xE000;
    return (c < kSmallest[extra] || c > 0x10FFFF || surrogate) ? kReplacement : c;
}

}  // namespace

Value Value::Number(double number) {
    Value v;
    v.kind = ValueKind::Number;
    v.number = number;
    return v;
}

Value Value::Text(std::u16string text) {
    Value v;
    v.kind = ValueKind::Text;
    v.text = std::move(text);
    return v;
}

Value Value::TextUtf8(std::string_view text) { return Text(FromUtf8(text)); }

Value Value::Bool(bool boolean) {
    Value v;
    v.kind = ValueKind::Bool;
    v.boolean = boolean;
    return v;
}

Value Value::Error(int code) {
    Value v;
    v.kind = ValueKind::Error;
    v.error = code;
    return v;
}

Value Value::Array(int rows, int columns, std::vector<Value> elements) {
    Value v;
    v.kind = ValueKind::Array;
    v.rows = rows;
    v.columns = columns;
    v.elements = std::move(elements);
    v.elements.resize(size_t(rows) * size_t(columns));
    return v;
}

Value Value::Missing() {
    Value v;
    v.kind = ValueKind::Missing;
    return v;
}

Value Value::Nil() { return Value{}; }

bool operator==(const Value& a, const Value& b) {
    if (a.kind != b.kind) return false;
    switch (a.kind) {
    case ValueKind::Number: return a.number == b.number || (std::isnan(a.number) && std::isnan(b.number));
    case ValueKind::Text: return a.text == b.text;
    case ValueKind::Bool: return a.boolean == b.boolean;
    case ValueKind::Error: return a.error == b.error;
    case ValueKind::Array: return a.rows == b.rows && a.columns == b.columns && a.elements == b.elements;
    case ValueKind::Missing:
    case ValueKind::Nil: return true;
    }
    return false;
}

std::string FormatValue(const Value& value) {
    switch (value.kind) {
    case ValueKind::Number: return FormatNumber(value.number);
    case ValueKind::Text: return ToUtf8(value.text);
    case ValueKind::Bool: return value.boolean ? "TRUE" : "FALSE";
    case ValueKind::Error: return ErrorName(value.error);
    case ValueKind::Missing:
    case ValueKind::Nil: return {};
    case ValueKind::Array: break;
    }
    std::string out;
    for (int r = 0; r < value.rows; ++r) {
        if (r > 0) out += '\n';
        for (int c = 0; c < value.columns; ++c) {
            if (c > 0) out += '\t';
            out += FormatValue(value.At(r, c));
        }
    }
    return out;
}

std::string ErrorName(int code) {
    for (const ErrorEntry& e : kErrors)
        if (e.code == code) return e.name;
    return "#ERR" + std::to_string(code);
}

int ErrorCodeOf(std::string_view name) {
    for (const ErrorEntry& e : kErrors)
        if (SameText(name, e.name)) return e.code;
    return -1;
}

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c < 0xE000) {
            c = kReplacement;  // a lone surrogate has no UTF-8 form
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string FromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) AppendUtf16(out, DecodeUtf8(text, i));
    return out;
}

void PrintTo(const Value& value, std::ostream* out) {
    static constexpr const char* kKinds[] = {"Number", "Text", "Bool", "Error", "Array", "Missing", "Nil"};
    *out << kKinds[int(value.kind)] << '(';
    if (value.Is(ValueKind::Array)) *out << value.rows << 'x' << value.columns << ": ";
    *out << FormatValue(value) << ')';
}

}  // namespace Zr::Host
