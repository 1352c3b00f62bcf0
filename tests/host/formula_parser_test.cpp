#include <gtest/gtest.h>

#include "host/host.h"

namespace Zr::Host {
namespace {

std::vector<Value> Arguments(const std::string& formula) { return ParseFormula(formula).arguments; }
Value Only(const std::string& argument) {
    const std::vector<Value> args = Arguments("F(" + argument + ")");
    EXPECT_EQ(args.size(), 1u) << argument;
    return args.empty() ? Value::Nil() : args[0];
}

TEST(ParseFormula, NameWithAndWithoutArgumentList) {
    EXPECT_EQ(ParseFormula("ZrVersion()").function, u"ZrVersion");
    EXPECT_TRUE(ParseFormula("ZrVersion()").arguments.empty());
    EXPECT_TRUE(ParseFormula("ZrVersion").arguments.empty());
    EXPECT_EQ(ParseFormula("  =NORM.DIST ( 1 )  ").function, u"NORM.DIST");
    EXPECT_EQ(ParseFormula("_x1(1)").function, u"_x1");
}

TEST(ParseFormula, Numbers) {
    EXPECT_EQ(Only("42"), Value::Number(42));
    EXPECT_EQ(Only("-1.5"), Value::Number(-1.5));
    EXPECT_EQ(Only("+2"), Value::Number(2));
    EXPECT_EQ(Only(".25"), Value::Number(0.25));
    EXPECT_EQ(Only("5."), Value::Number(5));
    EXPECT_EQ(Only("1e3"), Value::Number(1000));
    EXPECT_EQ(Only("-2.5E-2"), Value::Number(-0.025));
    EXPECT_EQ(Only("1e+2"), Value::Number(100));
    EXPECT_EQ(Only("0.1"), Value::Number(0.1));  // correctly rounded, not accumulated
}

TEST(ParseFormula, BooleansIgnoreCase) {
    EXPECT_EQ(Only("TRUE"), Value::Bool(true));
    EXPECT_EQ(Only("false"), Value::Bool(false));
    EXPECT_EQ(Only("True"), Value::Bool(true));
}

TEST(ParseFormula, TextWithDoubledQuotes) {
    EXPECT_EQ(Only("\"abc\""), Value::Text(u"abc"));
    EXPECT_EQ(Only("\"\""), Value::Text(u""));
    EXPECT_EQ(Only("\"say \"\"hi\"\"\""), Value::Text(u"say \"hi\""));
    EXPECT_EQ(Only("\"a,b)\""), Value::Text(u"a,b)"));  // delimiters inside text are text
    EXPECT_EQ(Only("\"caf\xc3\xa9\""), Value::Text(u"caf\u00e9"));
}

TEST(ParseFormula, ErrorLiterals) {
    EXPECT_EQ(Only("#N/A"), Value::Error(xlerrNA));
    EXPECT_EQ(Only("#value!"), Value::Error(xlerrValue));
    EXPECT_EQ(Only("#DIV/0!"), Value::Error(xlerrDiv0));
    EXPECT_EQ(Only("#NAME?"), Value::Error(xlerrName));
    EXPECT_EQ(Only("#NULL!"), Value::Error(xlerrNull));
    EXPECT_EQ(Only("#NUM!"), Value::Error(xlerrNum));
    EXPECT_EQ(Only("#REF!"), Value::Error(xlerrRef));
}

TEST(ParseFormula, EmptyArgumentsAreMissing) {
    const std::vector<Value> args = Arguments("F(,1, ,)");
    ASSERT_EQ(args.size(), 4u);
    EXPECT_EQ(args[0], Value::Missing());
    EXPECT_EQ(args[1], Value::Number(1));
    EXPECT_EQ(args[2], Value::Missing());
    EXPECT_EQ(args[3], Value::Missing());
    EXPECT_EQ(Arguments("F(1,)").size(), 2u);
    EXPECT_EQ(Arguments("F( )").size(), 0u);
}

TEST(ParseFormula, ArrayConstantsCommasColumnsSemicolonsRows) {
    EXPECT_EQ(Only("{4,2;2,9}"),
              Value::Array(2, 2, {Value::Number(4), Value::Number(2), Value::Number(2), Value::Number(9)}));
    EXPECT_EQ(Only("{1;2;3}"), Value::Array(3, 1, {Value::Number(1), Value::Number(2), Value::Number(3)}));
    EXPECT_EQ(Only("{ -1 , \"x\" , TRUE , #N/A }"),
              Value::Array(1, 4, {Value::Number(-1), Value::Text(u"x"), Value::Bool(true), Value::Error(xlerrNA)}));
}

TEST(ParseFormula, MixedArgumentList) {
    const std::vector<Value> args = Arguments("ZrRandNorm(1000, 0, 1, 2, TRUE, ,{1,0.5;0.5,1})");
    ASSERT_EQ(args.size(), 7u);
    EXPECT_EQ(args[0], Value::Number(1000));
    EXPECT_EQ(args[4], Value::Bool(true));
    EXPECT_EQ(args[5], Value::Missing());
    EXPECT_EQ(args[6].rows, 2);
    EXPECT_EQ(args[6].At(0, 1), Value::Number(0.5));
}

void ExpectRejected(const std::string& formula) {
    EXPECT_THROW(ParseFormula(formula), FormulaError) << formula;
}

TEST(ParseFormula, RejectsBadSyntax) {
    ExpectRejected("");
    ExpectRejected("=");
    ExpectRejected("1+2");
    ExpectRejected("F(1");
    ExpectRejected("F(1))");
    ExpectRejected("F(1) x");
    ExpectRejected("F(\"open)");
    ExpectRejected("F(-)");
    ExpectRejected("F(1e)");
    ExpectRejected("F(1e999)");
    ExpectRejected("F(#BOGUS!)");
    ExpectRejected("F(TRUEX)");
    ExpectRejected("F(1 2)");
}

TEST(ParseFormula, RejectsWhatOnlyAWorksheetHas) {
    ExpectRejected("F(A1)");
    ExpectRejected("F(G(1))");
    ExpectRejected("F(1+2)");
}

TEST(ParseFormula, RejectsMalformedArrays) {
    ExpectRejected("F({1,2;3})");   // ragged
    ExpectRejected("F({1,2;3,4,5})");
    ExpectRejected("F({})");
    ExpectRejected("F({1,,2})");
    ExpectRejected("F({{1}})");
    ExpectRejected("F({1,2)");
}

TEST(ParseFormula, CellRangesHoldBlankCells) {
    const Value n = Value::Nil();
    EXPECT_EQ(Only("[1,2,;3,4,;,,]"), Value::Array(3, 3, {Value::Number(1), Value::Number(2), n, Value::Number(3),
                                                           Value::Number(4), n, n, n, n}));
    EXPECT_EQ(Only("[ , \"\" ; #N/A , TRUE ]"),
              Value::Array(2, 2, {n, Value::Text(u""), Value::Error(xlerrNA), Value::Bool(true)}));
    EXPECT_EQ(Only("[]"), Value::Array(1, 1, {n}));
    EXPECT_EQ(Only("[;]"), Value::Array(2, 1, {n, n}));
    const std::vector<Value> args = Arguments("F([1;2], {3})");
    ASSERT_EQ(args.size(), 2u);
    EXPECT_EQ(args[0], Value::Array(2, 1, {Value::Number(1), Value::Number(2)}));
}

TEST(ParseFormula, RejectsMalformedCellRanges) {
    ExpectRejected("F([1,2;3])");  // ragged, blanks or not
    ExpectRejected("F([,;,,])");
    ExpectRejected("F([1,2)");
    ExpectRejected("F([1,2})");
    ExpectRejected("F({1,2])");
    ExpectRejected("F([[1]])");
    ExpectRejected("F([{1}])");
    ExpectRejected("F({[1]})");
    ExpectRejected("F([A1])");
}

TEST(ParseFormula, ErrorTellsWhere) {
    try {
        ParseFormula("F(1,@)");
        FAIL() << "accepted";
    } catch (const FormulaError& e) {
        EXPECT_EQ(e.Column(), 5u);
        EXPECT_NE(std::string(e.what()).find("column 5"), std::string::npos);
    }
}

}  // namespace
}  // namespace Zr::Host
