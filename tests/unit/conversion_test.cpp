// Conversions of Excel values and the reading of vector and matrix arguments.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "xll/conversion.h"
#include "xll/exceptions.h"
#include "xll/oper_records.h"

using namespace Zr::Xll;

namespace {

XLOPER12 Number(double x) {
    XLOPER12 r{};
    r.xltype = xltypeNum;
    r.val.num = x;
    return r;
}

// A string record that frees itself.
struct Text12 {
    XLOPER12 r{};
    explicit Text12(std::u16string_view s) {
        r.xltype = xltypeStr;
        r.val.str = NewWideString(s);
    }
    ~Text12() { FreeRecord(r); }
};

XLOPER12 Error(int code) {
    XLOPER12 r{};
    r.xltype = xltypeErr;
    r.val.err = code;
    return r;
}

// An array value built cell by cell: numbers, "" for empty text, nil for blank.
struct Table {
    CXlOper value;
    Table(int rows, int columns, const std::vector<const char*>& cells) {
        SetIsExcel12(true);
        value.AllocArray(rows, columns);
        for (int i = 0; i < rows * columns; ++i) {
            CXlCellRef cell = value.Cell(i / columns, i % columns);
            if (!cells[i]) cell.SetNil();
            else cell.SetString(cells[i]);
        }
    }
};

std::string MessageOf(auto&& call) {
    try {
        call();
    } catch (const CXlConversionException& e) {
        return e.what();
    }
    return "no exception";
}

}  // namespace

TEST(RecordConversion, TextToNumbers) {
    double x = 0;
    EXPECT_TRUE(RecordToDouble(Text12(u" 2.5").r, x));
    EXPECT_EQ(x, 2.5);
    EXPECT_TRUE(RecordToDouble(Text12(u"2.5 ").r, x));
    for (auto bad : {u"2.5x", u"", u"  ", u"1e999", u"nan", u"inf", u"-Infinity", u"\u00bd"})
        EXPECT_FALSE(RecordToDouble(Text12(bad).r, x)) << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
    int32_t i = 0;
    EXPECT_TRUE(RecordToInt(Number(3.9), i));
    EXPECT_EQ(i, 3);
    EXPECT_TRUE(RecordToInt(Number(-3.9), i));
    EXPECT_EQ(i, -3);
    EXPECT_FALSE(RecordToInt(Number(2147483648.0), i));
    EXPECT_FALSE(RecordToInt(Number(std::nan("")), i));
    EXPECT_TRUE(RecordToInt(Text12(u"12.7").r, i));  // not an integer text: read as a number
    EXPECT_EQ(i, 12);
}

TEST(RecordConversion, Booleans) {
    bool b = false;
    EXPECT_TRUE(RecordToBool(Text12(u"TRUE").r, b));
    EXPECT_TRUE(b);
    EXPECT_TRUE(RecordToBool(Text12(u"False").r, b));
    EXPECT_FALSE(b);
    EXPECT_TRUE(RecordToBool(Text12(u"0").r, b));
    EXPECT_FALSE(b);
    EXPECT_TRUE(RecordToBool(Text12(u"0.5").r, b));
    EXPECT_TRUE(b);
    EXPECT_FALSE(RecordToBool(Text12(u"yes").r, b));
}

TEST(RecordConversion, Texts) {
    std::u16string text;
    EXPECT_TRUE(RecordToText(Error(xlerrNA), text));
    EXPECT_EQ(text, u"#N/A");
    EXPECT_TRUE(RecordToText(Error(xlerrNull), text));
    EXPECT_EQ(text, u"#NULL!");
    EXPECT_FALSE(RecordToText(Error(99), text));
    EXPECT_TRUE(RecordToText(Number(1), text));
    EXPECT_EQ(text, u"1.000000");
    XLOPER legacy{};
    legacy.xltype = xltypeInt;
    legacy.val.w = 7;
    std::string narrow;
    EXPECT_TRUE(RecordToText(legacy, narrow));
    EXPECT_EQ(narrow, "7");
}

TEST(ValueConversion, ThrowsOrDefaults) {
    SetIsExcel12(true);
    CXlOper missing;
    missing.SetMissing();
    EXPECT_EQ(MessageOf([&] { missing.ToDouble(); }), "Expected number");
    EXPECT_EQ(missing.ToDouble(false), 0.0);
    EXPECT_EQ(MessageOf([&] { missing.ToBool(); }), "Expected boolean");
    CXlOper flag;
    flag.SetBool(true);
    EXPECT_EQ(flag.ToString(), "TRUE");
    EXPECT_EQ(flag.ToDouble(), 1.0);
}

TEST(MatrixArgument, TopLeftBlockOfARange) {
    // A1:C4 with data in A1:B3 and blanks elsewhere: a 3 x 2 table.
    Table range(4, 3, {"1", "2", nullptr, "3", "4", "", "5", "6", nullptr, nullptr, nullptr, nullptr});
    const XlTable t = ReadMatrix(range.value, {"data"});
    EXPECT_EQ(t.rows, 3);
    EXPECT_EQ(t.columns, 2);
    EXPECT_EQ(t.At(2, 1), 6);
}

TEST(MatrixArgument, DataBeyondABlankIsReadWholeAndFails) {
    Table range(3, 3, {"1", "2", nullptr, "3", "4", "9", "5", "6", nullptr});
    EXPECT_EQ(MessageOf([&] { ReadMatrix(range.value, {"data"}); }), "Expected number for data");
    Table text(2, 2, {"1", "x", "3", "4"});
    EXPECT_EQ(MessageOf([&] { ReadMatrix(text.value, {"cov"}); }), "Expected number for cov");
    CXlOper missing;
    missing.SetMissing();
    EXPECT_EQ(MessageOf([&] { ReadMatrix(missing, {"cov"}); }), "Expected at least 1 value for cov");
}

TEST(VectorArgument, ShapesAndLengths) {
    Table row(1, 4, {"1", "2", "", "4"});
    EXPECT_EQ(ReadVector(row.value, {"mean"}), (std::vector<double>{1, 2}));
    Table square(2, 2, {"1", "2", "3", "4"});
    EXPECT_EQ(MessageOf([&] { ReadVector(square.value, {"mean"}); }), "Expected vector for mean");
    CXlOper missing;
    missing.SetMissing();
    EXPECT_TRUE(ReadVector(missing, {"mean"}).empty());

    XlDimensionSlot shared;
    Table three(3, 1, {"1", "2", "3"}), four(1, 4, {"1", "2", "3", "4"});
    ReadVector(three.value, {"first", &shared});
    EXPECT_EQ(MessageOf([&] { ReadVector(four.value, {"second", &shared}); }), "Expected 3 values in second");
    XlDimensionSlot one;
    CheckRows(&one, 1, "a");
    EXPECT_EQ(MessageOf([&] { CheckRows(&one, 2, "b"); }), "Expected 1 row in b");
}
