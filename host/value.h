// A worksheet cell value as the host sees it: what a formula passes to an
// add-in function and what comes back, independent of the record layouts.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "xll/xl_records.h"

namespace Zr::Host {

enum class ValueKind { Number, Text, Bool, Error, Array, Missing, Nil };

struct Value {
    ValueKind kind = ValueKind::Nil;
    double number = 0.0;          // Number
    std::u16string text;          // Text
    bool boolean = false;         // Bool
    int error = 0;                // Error: an Excel error code (xlerrValue, ...)
    int rows = 0;                 // Array
    int columns = 0;              // Array
    std::vector<Value> elements;  // Array, row by row

    static Value Number(double number);
    static Value Text(std::u16string text);
    static Value TextUtf8(std::string_view text);
    static Value Bool(bool boolean);
    static Value Error(int code);
    static Value Array(int rows, int columns, std::vector<Value> elements);
    static Value Missing();
    static Value Nil();

    bool Is(ValueKind k) const { return kind == k; }
    const Value& At(int row, int column) const { return elements[size_t(row) * size_t(columns) + size_t(column)]; }

    // Numbers compare by value, except that NaN equals NaN (a result may be NaN).
    friend bool operator==(const Value& a, const Value& b);
};

// How the cell shows the value: numbers with 17 significant digits, text as
// UTF-8, TRUE/FALSE, error names, arrays one row per line with tab-separated
// elements; missing and nil show nothing.
std::string FormatValue(const Value& value);

// "#VALUE!" for 15 and so on; "#ERR<code>" for a code Excel does not know.
std::string ErrorName(int code);
// The code of an error name (case-insensitive), or -1.
int ErrorCodeOf(std::string_view name);

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// Lets test frameworks print values readably.
void PrintTo(const Value& value, std::ostream* out);

}  // namespace Zr::Host
