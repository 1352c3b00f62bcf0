#include <gtest/gtest.h>

#include <sstream>

#include "host/host.h"

namespace Zr::Host {
namespace {

TEST(ParseFormula, NamesAndArgumentLists) {
    EXPECT_EQ(ParseFormula("  =NORM.DIST ( 1 )  ").function, u"NORM.DIST");
    EXPECT_EQ(ParseFormula("_x1(1)").function, u"_x1");
    EXPECT_TRUE(ParseFormula("ZrVersion").arguments.empty());
    EXPECT_TRUE(ParseFormula("F( )").arguments.empty());
    const Value m = Value::Missing();
    EXPECT_EQ(ParseFormula("F(,1, ,)").arguments, (std::vector<Value>{m, Value::Number(1), m, m}));
    EXPECT_EQ(ParseFormula("F([1;2], {3})").arguments,
              (std::vector<Value>{Value::Array(2, 1, {Value::Number(1), Value::Number(2)}),
                                  Value::Array(1, 1, {Value::Number(3)})}));
}

TEST(ParseFormula, Literals) {
    const auto N = &Value::Number;
    const auto E = &Value::Error;
    const Value n = Value::Nil(), t = Value::Bool(true);
    const struct {
        const char* argument;
        Value expected;
    } rows[] = {
        {"42", N(42)}, {"-2.5E-2", N(-0.025)}, {"+2", N(2)}, {".25", N(0.25)}, {"5.", N(5)}, {"1e+2", N(100)},
        {"0.1", N(0.1)},  // correctly rounded, not accumulated
        {"false", Value::Bool(false)}, {"True", t}, {"\"\"", Value::Text(u"")},
        {"\"say \"\"hi\"\"\"", Value::Text(u"say \"hi\"")},
        {"\"a,b)\"", Value::Text(u"a,b)")},  // delimiters inside text are text
        {"\"caf\xc3\xa9\"", Value::Text(u"caf\u00e9")},
        {"#N/A", E(xlerrNA)}, {"#value!", E(xlerrValue)}, {"#DIV/0!", E(xlerrDiv0)}, {"#NAME?", E(xlerrName)},
        {"#NULL!", E(xlerrNull)}, {"#NUM!", E(xlerrNum)}, {"#REF!", E(xlerrRef)},
        // Array constants: commas between columns, semicolons between rows.
        {"{4,2;2,9}", Value::Array(2, 2, {N(4), N(2), N(2), N(9)})}, {"{1;2}", Value::Array(2, 1, {N(1), N(2)})},
        {"{ -1 , \"x\" , TRUE , #N/A }", Value::Array(1, 4, {N(-1), Value::Text(u"x"), t, E(xlerrNA)})},
        // Cell ranges: like arrays, with blank cells.
        {"[1,;,2]", Value::Array(2, 2, {N(1), n, n, N(2)})},
        {"[ , \"\" ; #N/A , TRUE ]", Value::Array(2, 2, {n, Value::Text(u""), E(xlerrNA), t})},
        {"[]", Value::Array(1, 1, {n})}, {"[;]", Value::Array(2, 1, {n, n})},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ParseFormula(std::string("F(") + row.argument + ")").arguments, std::vector<Value>{row.expected})
            << row.argument;
}

TEST(ParseFormula, RejectsWhatItCannotRead) {
    for (const char* formula : {
             "", "=", "1+2", "F(1", "F(1))", "F(1) x", "F(\"open)", "F(-)", "F(1e)", "F(1e999)", "F(#BOGUS!)",
             "F(TRUEX)", "F(1 2)",
             "F(A1)", "F(G(1))", "F(1+2)",  // only a worksheet has these
             "F({1,2;3})", "F({})", "F({1,,2})", "F({{1}})", "F({1,2)",  // arrays: ragged, empty, nested, open
             "F([1,2;3])", "F([,;,,])", "F([1,2})", "F({1,2])", "F([[1]])", "F([{1}])", "F({[1]})", "F([A1])",
         })
        EXPECT_THROW(ParseFormula(formula), FormulaError) << formula;
    try {
        ParseFormula("F(1,@)");
        FAIL() << "accepted";
    } catch (const FormulaError& e) {
        EXPECT_EQ(e.Column(), 5u);
        EXPECT_NE(std::string(e.what()).find("column 5"), std::string::npos);
    }
}

// A formulas file as users write it: comments, blank lines, Windows line
// ends and a last line without its end.
TEST(ReadFormulas, SkipsBlankAndCommentLines) {
    const struct {
        const char* text;
        std::vector<std::string> expected;
    } rows[] = {
        {"", {}},
        {"ZrVersion()", {"ZrVersion()"}},
        {"# title\n\nA(1)\n  # indented comment\n \t \nB(\"#\")\n", {"A(1)", "B(\"#\")"}},
        {"A(1)\r\n\r\nB(2) \t\r\n", {"A(1)", "B(2)"}},
        {"  =C({1;2})\n#", {"  =C({1;2})"}},
    };
    for (const auto& row : rows) {
        std::istringstream in(row.text);
        EXPECT_EQ(ReadFormulas(in), row.expected) << row.text;
    }
}

}  // namespace
}  // namespace Zr::Host
