// Conversions of Excel values and the reading of vector and matrix arguments.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "xll/conversion.h"
#include "xll/exceptions.h"

using namespace Zr::Xll;

namespace {

// Values on the Excel 12 side: a number, a text, missing (nullptr) or a
// table of texts (0 cells blank).
template <class T>
CXlOper Oper(T value) {
    SetIsExcel12(true);
    CXlOper v;
    if constexpr (std::is_arithmetic_v<T>)
        v.SetDouble(value);
    else if constexpr (std::is_same_v<T, std::nullptr_t>)
        v.SetMissing();
    else
        v.SetString(value);
    return v;
}

CXlOper Table(int rows, int columns, const std::vector<const char*>& cells) {
    CXlOper value = Oper(0);
    value.AllocArray(rows, columns);
    for (int i = 0; i < rows * columns; ++i) {
        CXlCellRef cell = value.Cell(i / columns, i % columns);
        cells[i] ? cell.SetString(cells[i]) : cell.SetNil();
    }
    return value;
}

std::string MessageOf(auto&& call) {
    try {
        call();
    } catch (const CXlConversionException& e) {
        return e.what();
    }
    return "no exception";
}

// A record read 'D'ouble, 'I'nteger or 'B'oolean; nullopt when refused.
std::optional<double> Read(char to, const XLOPER12& r) {
    double d = 0;
    int32_t i = 0;
    bool b = false;
    if (to == 'D') return RecordToDouble(r, d) ? std::optional(d) : std::nullopt;
    if (to == 'I') return RecordToInt(r, i) ? std::optional<double>(i) : std::nullopt;
    return RecordToBool(r, b) ? std::optional<double>(b) : std::nullopt;
}

}  // namespace

TEST(RecordConversion, NumbersIntegersAndBooleans) {
    const struct { char to; CXlOper in; std::optional<double> out; } rows[] = {
        {'D', Oper(u" 2.5"), 2.5},  {'D', Oper(u"2.5 "), 2.5},  // blanks around a number are allowed
        {'D', Oper(u"2.5x"), {}},   {'D', Oper(u""), {}},      {'D', Oper(u"  "), {}},   {'D', Oper(u"1e999"), {}},
        {'D', Oper(u"nan"), {}},    {'D', Oper(u"inf"), {}},   {'D', Oper(u"-Infinity"), {}},
        {'D', Oper(u"\u00bd"), {}},  // one half
        {'D', Oper(std::u16string_view(u"4\0zz", 4)), {}}, {'D', Oper(std::u16string_view(u"4 \0", 3)), {}},
        {'I', Oper(std::u16string_view(u"4\0", 2)), {}},    {'B', Oper(std::u16string_view(u"1\0", 2)), {}},
        {'I', Oper(3.9), 3},        {'I', Oper(-3.9), -3},     {'I', Oper(2147483648.0), {}},
        {'I', Oper(std::nan("")), {}}, {'I', Oper(u"12.7"), 12},  // not an integer text: read as a number
        {'B', Oper(u"TRUE"), 1},    {'B', Oper(u"False"), 0},  {'B', Oper(u"0"), 0},     {'B', Oper(u"0.5"), 1},
        {'B', Oper(u"yes"), {}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Read(row.to, *row.in.Modern()), row.out) << row.to << " from " << row.in.ToString(false);
}

TEST(RecordConversion, Texts) {
    std::u16string text;
    for (auto [code, name] : {std::pair{xlerrNA, u"#N/A"}, {xlerrNull, u"#NULL!"}, {ExcelErrorCode(99), u""}}) {
        CXlOper error = Oper(0);
        error.SetError(code);
        EXPECT_EQ(RecordToText(*error.Modern(), text), *name != 0) << code;
        if (*name) { EXPECT_EQ(text, name); }
    }
    EXPECT_TRUE(RecordToText(*Oper(1).Modern(), text));
    EXPECT_EQ(text, u"1.000000");
    std::string narrow;
    EXPECT_TRUE(RecordToText(XLOPER{{.w = 7}, xltypeInt}, narrow));
    EXPECT_EQ(narrow, "7");
}

TEST(ValueConversion, ThrowsOrDefaults) {
    EXPECT_EQ(MessageOf([] { Oper(nullptr).ToDouble(); }), "Expected number");
    EXPECT_EQ(Oper(nullptr).ToDouble(false), 0.0);
    EXPECT_EQ(MessageOf([] { Oper(nullptr).ToBool(); }), "Expected boolean");
    CXlOper flag = Oper(0);
    flag.SetBool(true);
    EXPECT_EQ(flag.ToString(), "TRUE");
    EXPECT_EQ(flag.ToDouble(), 1.0);
}

TEST(MatrixArgument, TopLeftBlockOrTheWholeValue) {
    // A1:C4 with data in A1:B3 and blanks elsewhere: a 3 x 2 table.
    const XlTable t = ReadMatrix(Table(4, 3, {"1", "2", 0, "3", "4", "", "5", "6", 0, 0, 0, 0}), {"data"});
    EXPECT_EQ(t.rows, 3);
    EXPECT_EQ(t.columns, 2);
    EXPECT_EQ(t.At(2, 1), 6);
    // Data beyond a blank: the whole value is read, and fails.
    EXPECT_EQ(MessageOf([] { ReadMatrix(Table(3, 3, {"1", "2", 0, "3", "4", "9", "5", "6", 0}), {"data"}); }),
              "Expected number for data");
    EXPECT_EQ(MessageOf([] { ReadMatrix(Table(2, 2, {"1", "x", "3", "4"}), {"cov"}); }), "Expected number for cov");
    EXPECT_EQ(MessageOf([] { ReadMatrix(Oper(nullptr), {"cov"}); }), "Expected at least 1 value for cov");
    EXPECT_EQ(MessageOf([] { ReadMatrix(Oper(std::u16string_view(u"4\0zz", 4)), {"cov"}); }),
              "Expected number for cov");
    // A whole sheet declared, three rows there, a value beside the top-left block: the declared size
    // reserves nothing, and the first blank cell fails as usual.
    std::vector<XLOPER12> cells(3 * 16384);
    cells[0] = cells[16384] = cells[16385] = {.val = {.num = 1}, .xltype = xltypeNum};
    const XLOPER12 sheet{.val = {.array = {cells.data(), 1048576, 16384}}, .xltype = xltypeMulti};
    EXPECT_EQ(MessageOf([&] { ReadMatrix(CXlOper(&sheet), {"data"}); }), "Expected number for data");
}

TEST(VectorArgument, ShapesAndLengths) {
    EXPECT_EQ(ReadVector(Table(1, 4, {"1", "2", "", "4"}), {"mean"}), (std::vector<double>{1, 2}));
    EXPECT_EQ(MessageOf([] { ReadVector(Table(2, 2, {"1", "2", "3", "4"}), {"mean"}); }), "Expected vector for mean");
    EXPECT_TRUE(ReadVector(Oper(nullptr), {"mean"}).empty());
    XlDimensionSlot shared, one;
    ReadVector(Table(3, 1, {"1", "2", "3"}), {"first", &shared});
    EXPECT_EQ(MessageOf([&] { ReadVector(Table(1, 4, {"1", "2", "3", "4"}), {"second", &shared}); }),
              "Expected 3 values in second");
    CheckRows(&one, 1, "a");
    EXPECT_EQ(MessageOf([&] { CheckRows(&one, 2, "b"); }), "Expected 1 row in b");
}
