#include "xll/conversion.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "xll/exceptions.h"
#include "xll/messages.h"
#include "xll/oper_records.h"
#include "xll/platform.h"
#include "xll/string_format.h"

namespace Zr::Xll {
namespace {

// Wide text as narrow ASCII for the number parsers; any other character
// cannot belong to a number and becomes an invalid byte.
std::string AsciiOf(std::u16string_view text) {
    std::string ascii(text.size(), '\x01');
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] < 0x80) ascii[i] = char(text[i]);
    return ascii;
}
std::string AsciiOf(std::string_view text) { return std::string(text); }

// Up to `end`, not to a NUL: a counted text may hold NULs, which are no space.
bool OnlySpace(const char* p, const char* end) {
    while (p != end && (*p == ' ' || (*p >= '\t' && *p <= '\r'))) ++p;
    return p == end;
}

std::string NumberText(double x) {
    const int n = std::snprintf(nullptr, 0, "%lf", x);
    std::string text(size_t(n > 0 ? n : 0), '\0');
    std::snprintf(text.data(), text.size() + 1, "%lf", x);
    return text;
}

template <class S>
S Converted(const std::string& ascii) {
    return S(ascii.begin(), ascii.end());
}

template <class Rec, class S>
bool ToText(const Rec& r, S& text) {
    switch (MaskedType(r.xltype)) {
    case xltypeNum:
        text = Converted<S>(NumberText(r.val.num));
        return true;
    case xltypeBool:
        text = Converted<S>(r.val.xbool ? "TRUE" : "FALSE");
        return true;
    case xltypeInt:
        text = Converted<S>(std::to_string(r.val.w));
        return true;
    case xltypeErr: {
        const std::string_view name = ErrorName(r.val.err);
        text = Converted<S>(std::string(name));
        return !name.empty();
    }
    case xltypeStr:
        text = S(StringOf(r));
        return true;
    default:
        return false;
    }
}

bool NumberToInt(double x, int32_t& value) {
    if (!(x >= -2147483648.0 && x <= 2147483647.0)) return false;
    value = int32_t(x);  // toward zero
    return true;
}

template <class Rec>
bool ToDouble(const Rec& r, double& value) {
    switch (MaskedType(r.xltype)) {
    case xltypeNum:
        value = r.val.num;
        return true;
    case xltypeBool:
        value = r.val.xbool ? 1.0 : 0.0;
        return true;
    case xltypeInt:
        value = r.val.w;
        return true;
    case xltypeStr:
        return ParseDouble(AsciiOf(StringOf(r)), value);
    default:
        return false;
    }
}

template <class Rec>
bool ToInt(const Rec& r, int32_t& value) {
    switch (MaskedType(r.xltype)) {
    case xltypeNum:
        return NumberToInt(r.val.num, value);
    case xltypeBool:
        value = r.val.xbool ? 1 : 0;
        return true;
    case xltypeInt:
        value = r.val.w;
        return true;
    case xltypeStr: {
        const std::string text = AsciiOf(StringOf(r));
        double x = 0;
        return ParseInt(text, value) || (ParseDouble(text, x) && NumberToInt(x, value));
    }
    default:
        return false;
    }
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

template <class Rec>
bool ToBool(const Rec& r, bool& value) {
    switch (MaskedType(r.xltype)) {
    case xltypeNum:
        value = r.val.num != 0.0;
        return true;
    case xltypeBool:
    case xltypeInt:
        value = (MaskedType(r.xltype) == xltypeBool ? r.val.xbool : r.val.w) != 0;
        return true;
    case xltypeStr: {
        const std::string text = AsciiOf(StringOf(r));
        int32_t i = 0;
        double x = 0;
        if (EqualsIgnoringCase(text, "true") || EqualsIgnoringCase(text, "false")) value = EqualsIgnoringCase(text, "true");
        else if (ParseInt(text, i)) value = i != 0;
        else if (ParseDouble(text, x)) value = x != 0.0;
        else return false;
        return true;
    }
    default:
        return false;
    }
}

// --- Reading vector and matrix arguments -------------------------------------------

[[noreturn]] void Fail(unsigned message, const std::string& name, const std::string& detail = {}) {
    throw CXlConversionException(message, {name, detail});
}

// The cells of a value as a grid: an array's elements, or the value itself.
template <class Rec>
struct Grid {
    const Rec* cells = nullptr;
    int32_t rows = 0;
    int32_t columns = 0;

    explicit Grid(const Rec* r) {
        const uint32_t type = r ? MaskedType(r->xltype) : 0;
        if (type == xltypeMulti) {
            cells = r->val.array.lparray;
            rows = std::max<int32_t>(0, r->val.array.rows);
            columns = std::max<int32_t>(0, r->val.array.columns);
            if (rows == 0 || columns == 0) rows = columns = 0;  // no cells to read
        } else if (type != 0 && type != xltypeMissing && type != xltypeNil) {
            cells = r;
            rows = columns = 1;
        }
    }
    const Rec& At(int32_t r, int32_t c) const { return cells[int64_t(r) * columns + c]; }
    bool Blank(int32_t r, int32_t c) const {
        const uint32_t type = MaskedType(At(r, c).xltype);
        return type == 0 || type == xltypeNil || type == xltypeMissing ||
               (type == xltypeStr && StringOf(At(r, c)).empty());
    }
};

template <class Rec>
double CellNumber(const Grid<Rec>& grid, int32_t r, int32_t c, const std::string& name) {
    double x = 0;
    if (grid.Blank(r, c) || !ToDouble(grid.At(r, c), x)) Fail(MSG_EXPECTED_TYPE_FOR, name, MessageText(MSG_TYPE_NUMBER));
    return x;
}

// The top-left block of non-blank cells, when nothing else in the value
// touches it; otherwise the whole value.
template <class Rec>
void Extent(const Grid<Rec>& g, int32_t& rows, int32_t& columns) {
    int32_t c = 0, r = 0;
    while (c < g.columns && !g.Blank(0, c)) ++c;
    if (c > 0)
        for (r = 1; r < g.rows && !g.Blank(r, 0);) ++r;
    bool touched = false;
    for (int32_t i = 1; c < g.columns && i < r && !touched; ++i) touched = !g.Blank(i, c);
    for (int32_t j = 1; r < g.rows && j < c && !touched; ++j) touched = !g.Blank(r, j);
    rows = touched ? g.rows : r;
    columns = touched ? g.columns : c;
}

template <class Rec>
XlTable Matrix(const Rec* record, const XlArgument& argument) {
    const Grid<Rec> grid(record);
    if (grid.rows == 0 || grid.columns == 0) Fail(MSG_EXPECTED_AT_LEAST_ONE, argument.name);
    XlTable table;
    Extent(grid, table.rows, table.columns);
    if (table.rows == 0 || table.columns == 0) table.rows = table.columns = 0;
    // No reserve: a declared shape may be far larger than the cells that turn out to be numbers.
    for (int32_t r = 0; r < table.rows; ++r)
        for (int32_t c = 0; c < table.columns; ++c) table.values.push_back(CellNumber(grid, r, c, argument.name));
    CheckRows(argument.rows, table.rows, argument.name);
    CheckColumns(argument.columns, table.columns, argument.name);
    return table;
}

template <class Rec>
std::vector<double> Vector(const Rec* record, const XlArgument& argument) {
    const Grid<Rec> grid(record);
    if (grid.rows > 1 && grid.columns > 1) Fail(MSG_EXPECTED_VECTOR, argument.name);
    const bool alongRow = grid.rows == 1;
    const int32_t length = alongRow ? grid.columns : grid.rows;
    std::vector<double> values;
    for (int32_t i = 0; i < length; ++i) {
        const int32_t r = alongRow ? 0 : i, c = alongRow ? i : 0;
        if (grid.Blank(r, c)) break;
        values.push_back(CellNumber(grid, r, c, argument.name));
    }
    CheckLength(argument.rows, int32_t(values.size()), argument.name);
    return values;
}

void CheckCount(XlDimensionSlot* slot, int32_t count, const std::string& name, unsigned one, unsigned many) {
    if (!slot) return;
    if (slot->count < 0) {
        slot->count = count;
    } else if (slot->count != count) {
        if (slot->count == 1) Fail(one, name);
        Fail(many, name, psl::DecimalText(slot->count));
    }
}

}  // namespace

bool RecordToText(const XLOPER12& r, std::u16string& text) { return ToText(r, text); }
bool RecordToText(const XLOPER& r, std::string& text) { return ToText(r, text); }
bool RecordToDouble(const XLOPER12& r, double& value) { return ToDouble(r, value); }
bool RecordToDouble(const XLOPER& r, double& value) { return ToDouble(r, value); }
bool RecordToInt(const XLOPER12& r, int32_t& value) { return ToInt(r, value); }
bool RecordToInt(const XLOPER& r, int32_t& value) { return ToInt(r, value); }
bool RecordToBool(const XLOPER12& r, bool& value) { return ToBool(r, value); }
bool RecordToBool(const XLOPER& r, bool& value) { return ToBool(r, value); }

std::string_view ErrorName(int32_t code) {
    switch (code) {
    case xlerrNull: return "#NULL!";
    case xlerrDiv0: return "#DIV/0!";
    case xlerrValue: return "#VALUE!";
    case xlerrRef: return "#REF!";
    case xlerrName: return "#NAME?";
    case xlerrNum: return "#NUM!";
    case xlerrNA: return "#N/A";
    default: return {};
    }
}

// Not-a-number and infinity texts ("nan", "inf") parse as non-finite
// numbers; like "1e999" they are not numbers a cell can hold.
bool ParseDouble(std::string_view text, double& value) {
    const std::string s(text);
    const char* const last = s.data() + s.size();
    if (OnlySpace(s.data(), last)) return false;
    char* end = nullptr;
    errno = 0;
    const double x = std::strtod(s.c_str(), &end);
    if (end == s.c_str() || errno == ERANGE || !OnlySpace(end, last) || !std::isfinite(x)) return false;
    value = x;
    return true;
}

bool ParseInt(std::string_view text, int32_t& value) {
    const std::string s(text);
    const char* const last = s.data() + s.size();
    if (OnlySpace(s.data(), last)) return false;
    char* end = nullptr;
    errno = 0;
    const long long x = std::strtoll(s.c_str(), &end, 10);
    if (end == s.c_str() || errno == ERANGE || !OnlySpace(end, last) || x < INT32_MIN || x > INT32_MAX) return false;
    value = int32_t(x);
    return true;
}

XlTable ReadMatrix(const CXlOper& value, const XlArgument& argument) {
    return value.ModernValid() ? Matrix(value.Modern(), argument)
                               : Matrix(value.LegacyValid() ? value.Legacy() : nullptr, argument);
}

std::vector<double> ReadVector(const CXlOper& value, const XlArgument& argument) {
    return value.ModernValid() ? Vector(value.Modern(), argument)
                               : Vector(value.LegacyValid() ? value.Legacy() : nullptr, argument);
}

void CheckRows(XlDimensionSlot* slot, int32_t count, const std::string& name) {
    CheckCount(slot, count, name, MSG_EXPECTED_ONE_ROW, MSG_EXPECTED_ROWS);
}

void CheckColumns(XlDimensionSlot* slot, int32_t count, const std::string& name) {
    CheckCount(slot, count, name, MSG_EXPECTED_ONE_COLUMN, MSG_EXPECTED_COLUMNS);
}

void CheckLength(XlDimensionSlot* slot, int32_t count, const std::string& name) {
    CheckCount(slot, count, name, MSG_EXPECTED_ONE_VALUE, MSG_EXPECTED_VALUES);
}

}  // namespace Zr::Xll

// --- Value-level conversions of CXlOper ------------------------------------------------

namespace {

template <class T, class Convert12, class Convert4>
T ConvertValue(const CXlOper& v, bool throwOnFailure, unsigned typeName, Convert12 c12, Convert4 c4) {
    T result{};
    const bool ok = v.ModernValid() ? c12(*v.Modern(), result) : v.LegacyValid() && c4(*v.Legacy(), result);
    if (ok) return result;
    if (throwOnFailure)
        throw CXlConversionException(Zr::Xll::MSG_EXPECTED, {Zr::Xll::MessageText(typeName)});
    return T{};
}

}  // namespace

double CXlOper::ToDouble(bool throwOnFailure) const {
    return ConvertValue<double>(
        *this, throwOnFailure, Zr::Xll::MSG_TYPE_NUMBER,
        [](const XLOPER12& r, double& x) { return Zr::Xll::RecordToDouble(r, x); },
        [](const XLOPER& r, double& x) { return Zr::Xll::RecordToDouble(r, x); });
}

bool CXlOper::ToBool(bool throwOnFailure) const {
    return ConvertValue<bool>(
        *this, throwOnFailure, Zr::Xll::MSG_TYPE_BOOLEAN,
        [](const XLOPER12& r, bool& x) { return Zr::Xll::RecordToBool(r, x); },
        [](const XLOPER& r, bool& x) { return Zr::Xll::RecordToBool(r, x); });
}

std::u16string CXlOper::ToWideString(bool throwOnFailure) const {
    return ConvertValue<std::u16string>(
        *this, throwOnFailure, Zr::Xll::MSG_TYPE_STRING,
        [](const XLOPER12& r, std::u16string& s) { return Zr::Xll::RecordToText(r, s); },
        [](const XLOPER& r, std::u16string& s) {
            std::string narrow;
            if (!Zr::Xll::RecordToText(r, narrow)) return false;
            s = Zr::Platform::AnsiToWide(narrow.data(), narrow.size());
            return true;
        });
}

std::string CXlOper::ToString(bool throwOnFailure) const {
    return ConvertValue<std::string>(
        *this, throwOnFailure, Zr::Xll::MSG_TYPE_STRING,
        [](const XLOPER12& r, std::string& s) {
            std::u16string wide;
            if (!Zr::Xll::RecordToText(r, wide)) return false;
            s = Zr::Platform::WideToAnsi(wide.data(), wide.size());
            return true;
        },
        [](const XLOPER& r, std::string& s) { return Zr::Xll::RecordToText(r, s); });
}
