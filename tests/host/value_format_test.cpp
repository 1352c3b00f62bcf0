#include <gtest/gtest.h>

#include <cmath>

#include "host/host.h"

namespace Zr::Host {
namespace {

TEST(FormatValue, AsTheHostPrintsCells) {
    const struct { Value value; const char* text; } rows[] = {
        {Value::Number(0.1), "0.10000000000000001"},  // seventeen significant digits
        {Value::Number(1e300), "1.0000000000000001e+300"}, {Value::Number(-0.0), "-0"},
        {Value::Number(-std::nan("")), "nan"},  // no sign
        {Value::Text(u"caf\u00e9 \U0001F600"), "caf\xc3\xa9 \xf0\x9f\x98\x80"},  // a surrogate pair
        {Value::Bool(false), "FALSE"}, {Value::Missing(), ""}, {Value::Nil(), ""},
        {Value::Error(xlerrDiv0), "#DIV/0!"}, {Value::Error(xlerrName), "#NAME?"}, {Value::Error(99), "#ERR99"},
        {Value::Array(2, 3, {Value::Number(1), Value::Text(u"a"), Value::Bool(true), Value::Error(xlerrNA),
                             Value::Nil(), Value::Number(0.5)}),
         "1\ta\tTRUE\n#N/A\t\t0.5"},  // one line per row, tabs between elements
    };
    for (const auto& row : rows) EXPECT_EQ(FormatValue(row.value), row.text);
}

TEST(ValueEquality, ComparesKindShapeAndContent) {
    const std::vector<Value> four = {Value::Number(1), Value::Number(2), Value::Number(3), Value::Number(4)};
    EXPECT_EQ(Value::Number(std::nan("")), Value::Number(std::nan("")));  // a result may be NaN
    EXPECT_NE(Value::Number(1), Value::Bool(true));
    EXPECT_NE(Value::Missing(), Value::Nil());
    EXPECT_NE(Value::Text(u"a"), Value::Text(u"A"));
    EXPECT_NE(Value::Array(2, 2, four), Value::Array(1, 4, four));
    for (int code : {0, 7, 15, 23, 29, 36, 42}) EXPECT_EQ(ErrorCodeOf(ErrorName(code)), code);
    EXPECT_EQ(ErrorCodeOf("#div/0!"), xlerrDiv0);  // names ignore case
    EXPECT_EQ(ErrorCodeOf("#NA"), -1);
}

TEST(Utf, RoundTripAndReplacementOfMalformedInput) {
    const std::u16string text = u"x\u00e9\u4e2d\U0001F600";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    // A bad byte, a sequence cut short, an overlong '/', an encoded surrogate.
    for (auto [bad, read] : {std::pair{"a\xff" "b", u"a\uFFFDb"}, {"\xc3", u"\uFFFD"}, {"\xc0\xaf", u"\uFFFD"},
                             {"\xed\xa0\x80", u"\uFFFD"}})
        EXPECT_EQ(FromUtf8(bad), read) << bad;
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xef\xbf\xbd");  // lone surrogate
}

}  // namespace
}  // namespace Zr::Host
