#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/host.h"

namespace Zr::Host {
namespace {

TEST(FormatValue, NumbersKeepSeventeenSignificantDigits) {
    EXPECT_EQ(FormatValue(Value::Number(1)), "1");
    EXPECT_EQ(FormatValue(Value::Number(-2.5)), "-2.5");
    EXPECT_EQ(FormatValue(Value::Number(0.1)), "0.10000000000000001");
    EXPECT_EQ(FormatValue(Value::Number(1.0 / 3.0)), "0.33333333333333331");
    EXPECT_EQ(FormatValue(Value::Number(1e300)), "1.0000000000000001e+300");
    EXPECT_EQ(FormatValue(Value::Number(-0.0)), "-0");
}

TEST(FormatValue, NanHasNoSign) {
    EXPECT_EQ(FormatValue(Value::Number(std::numeric_limits<double>::quiet_NaN())), "nan");
    EXPECT_EQ(FormatValue(Value::Number(-std::numeric_limits<double>::quiet_NaN())), "nan");
}

TEST(FormatValue, TextIsUtf8) {
    EXPECT_EQ(FormatValue(Value::Text(u"plain")), "plain");
    EXPECT_EQ(FormatValue(Value::Text(u"caf\u00e9 \u20ac")), "caf\xc3\xa9 \xe2\x82\xac");
    EXPECT_EQ(FormatValue(Value::Text(u"\U0001F600")), "\xf0\x9f\x98\x80");  // a surrogate pair
    EXPECT_EQ(FormatValue(Value::Text(u"")), "");
}

TEST(FormatValue, BooleansAndEmptyCells) {
    EXPECT_EQ(FormatValue(Value::Bool(true)), "TRUE");
    EXPECT_EQ(FormatValue(Value::Bool(false)), "FALSE");
    EXPECT_EQ(FormatValue(Value::Missing()), "");
    EXPECT_EQ(FormatValue(Value::Nil()), "");
}

TEST(FormatValue, ErrorsAsExcelShowsThem) {
    EXPECT_EQ(FormatValue(Value::Error(xlerrNull)), "#NULL!");
    EXPECT_EQ(FormatValue(Value::Error(xlerrDiv0)), "#DIV/0!");
    EXPECT_EQ(FormatValue(Value::Error(xlerrValue)), "#VALUE!");
    EXPECT_EQ(FormatValue(Value::Error(xlerrRef)), "#REF!");
    EXPECT_EQ(FormatValue(Value::Error(xlerrName)), "#NAME?");
    EXPECT_EQ(FormatValue(Value::Error(xlerrNum)), "#NUM!");
    EXPECT_EQ(FormatValue(Value::Error(xlerrNA)), "#N/A");
    EXPECT_EQ(FormatValue(Value::Error(99)), "#ERR99");
}

TEST(FormatValue, ArraysOneLinePerRowTabsBetweenElements) {
    const Value grid = Value::Array(2, 3,
                                    {Value::Number(1), Value::Text(u"a"), Value::Bool(true), Value::Error(xlerrNA),
                                     Value::Nil(), Value::Number(0.5)});
    EXPECT_EQ(FormatValue(grid), "1\ta\tTRUE\n#N/A\t\t0.5");
    EXPECT_EQ(FormatValue(Value::Array(3, 1, {Value::Number(1), Value::Number(2), Value::Number(3)})), "1\n2\n3");
}

TEST(ErrorNames, RoundTripIgnoringCase) {
    for (int code : {0, 7, 15, 23, 29, 36, 42}) EXPECT_EQ(ErrorCodeOf(ErrorName(code)), code);
    EXPECT_EQ(ErrorCodeOf("#n/a"), xlerrNA);
    EXPECT_EQ(ErrorCodeOf("#div/0!"), xlerrDiv0);
    EXPECT_EQ(ErrorCodeOf("#NA"), -1);
}

TEST(ValueEquality, ComparesKindAndContent) {
    EXPECT_EQ(Value::Number(2), Value::Number(2));
    EXPECT_NE(Value::Number(1), Value::Bool(true));
    EXPECT_NE(Value::Missing(), Value::Nil());
    EXPECT_NE(Value::Text(u"a"), Value::Text(u"A"));
    EXPECT_EQ(Value::Number(std::nan("")), Value::Number(std::nan("")));
    EXPECT_NE(Value::Error(xlerrNA), Value::Error(xlerrNum));
}

TEST(ValueEquality, ArraysCompareShapeNotJustElements) {
    const std::vector<Value> four = {Value::Number(1), Value::Number(2), Value::Number(3), Value::Number(4)};
    EXPECT_EQ(Value::Array(2, 2, four), Value::Array(2, 2, four));
    EXPECT_NE(Value::Array(2, 2, four), Value::Array(1, 4, four));
    EXPECT_EQ(Value::Array(2, 2, four).At(1, 0), Value::Number(3));
}

TEST(Utf, Utf8AndUtf16RoundTrip) {
    const std::u16string text = u"x\u00e9\u4e2d\U0001F600";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
    EXPECT_EQ(FromUtf8("a\xff" "b"), u"a\uFFFDb");
    EXPECT_EQ(FromUtf8("\xc3"), u"\uFFFD");               // cut short
    EXPECT_EQ(FromUtf8("\xc0\xaf"), u"\uFFFD");            // overlong '/'
    EXPECT_EQ(FromUtf8("\xed\xa0\x80"), u"\uFFFD");        // an encoded surrogate
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xef\xbf\xbd");  // lone surrogate
}

}  // namespace
}  // namespace Zr::Host
