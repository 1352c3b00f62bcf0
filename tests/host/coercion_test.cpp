#include <gtest/gtest.h>

#include <cmath>

#include "host/coercion.h"
#include "host/host.h"
#include "host/type_text.h"

namespace Zr::Host {
namespace {

// --- Type texts ---------------------------------------------------------------

TEST(TypeText, ReadsResultArgumentsAndModifiers) {
    const auto s = ParseTypeText("UJBBIJJ$");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->result, ResultType::Record12);
    EXPECT_EQ(s->arguments, (std::vector<ArgType>{ArgType::Int32, ArgType::Double, ArgType::Double, ArgType::Int16,
                                                  ArgType::Int32, ArgType::Int32}));
    EXPECT_TRUE(s->threadSafe);
    EXPECT_TRUE(s->needsExcel12);
}

TEST(TypeText, WideTextTakesTwoCharacters) {
    const auto s = ParseTypeText("UJC%C%JC%C%A");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->arguments.size(), 7u);
    EXPECT_EQ(s->arguments[1], ArgType::WideText);
    EXPECT_EQ(s->arguments[3], ArgType::Int32);
    EXPECT_EQ(s->arguments[6], ArgType::Bool16);
}

TEST(TypeText, LegacyTextsNeedNoExcel12) {
    for (const char* text : {"RJCCJCCA", "RBBBA", "R", "RJPPP", "J"}) {
        const auto s = ParseTypeText(text);
        ASSERT_TRUE(s) << text;
        EXPECT_FALSE(s->needsExcel12) << text;
    }
    EXPECT_TRUE(ParseTypeText("RQ")->needsExcel12);
    EXPECT_TRUE(ParseTypeText("RB$")->needsExcel12);
    EXPECT_EQ(ParseTypeText("U$")->arguments.size(), 0u);
}

TEST(TypeText, RejectsUnknownLettersAndMisplacedModifiers) {
    EXPECT_FALSE(ParseTypeText(""));
    EXPECT_FALSE(ParseTypeText("$"));
    EXPECT_FALSE(ParseTypeText("UX"));
    EXPECT_FALSE(ParseTypeText("QB"));  // Q is no result letter
    EXPECT_FALSE(ParseTypeText("U$B"));
}

// --- Native arguments ---------------------------------------------------------

TEST(DoubleArgument, NumbersBooleansNumericTextAndEmptyCells) {
    EXPECT_EQ(ToDoubleArgument(Value::Number(2.5)).value, 2.5);
    EXPECT_EQ(ToDoubleArgument(Value::Bool(true)).value, 1.0);
    EXPECT_EQ(ToDoubleArgument(Value::Text(u" 1e2 ")).value, 100.0);
    EXPECT_EQ(ToDoubleArgument(Value::Missing()).value, 0.0);
    EXPECT_TRUE(ToDoubleArgument(Value::Nil()).Ok());
}

TEST(DoubleArgument, WhatExcelCannotConvertIsShownInstead) {
    EXPECT_EQ(*ToDoubleArgument(Value::Text(u"abc")).failure, Value::Error(xlerrValue));
    EXPECT_EQ(*ToDoubleArgument(Value::Text(u"")).failure, Value::Error(xlerrValue));
    EXPECT_EQ(*ToDoubleArgument(Value::Text(u"inf")).failure, Value::Error(xlerrValue));
    EXPECT_EQ(*ToDoubleArgument(Value::Array(1, 1, {Value::Number(1)})).failure, Value::Error(xlerrValue));
    EXPECT_EQ(*ToDoubleArgument(Value::Error(xlerrDiv0)).failure, Value::Error(xlerrDiv0));  // errors pass through
}

TEST(IntegerArgument, TruncatesTowardZero) {
    EXPECT_EQ(ToInt32Argument(Value::Number(2.9)).value, 2);
    EXPECT_EQ(ToInt32Argument(Value::Number(-2.9)).value, -2);
    EXPECT_EQ(ToInt16Argument(Value::Number(-0.5)).value, 0);
    EXPECT_EQ(ToInt32Argument(Value::Text(u"7.8")).value, 7);
    EXPECT_EQ(ToInt32Argument(Value::Bool(true)).value, 1);
    EXPECT_EQ(ToInt16Argument(Value::Missing()).value, 0);
}

TEST(IntegerArgument, RangeLimitsGiveNum) {
    EXPECT_EQ(ToInt32Argument(Value::Number(2147483647.9)).value, 2147483647);
    EXPECT_EQ(ToInt32Argument(Value::Number(-2147483648.0)).value, -2147483647 - 1);
    EXPECT_EQ(*ToInt32Argument(Value::Number(2147483648.0)).failure, Value::Error(xlerrNum));
    EXPECT_EQ(ToInt16Argument(Value::Number(32767)).value, 32767);
    EXPECT_EQ(ToInt16Argument(Value::Number(-32768)).value, -32768);
    EXPECT_EQ(*ToInt16Argument(Value::Number(32768)).failure, Value::Error(xlerrNum));
    EXPECT_EQ(*ToInt16Argument(Value::Number(-32769)).failure, Value::Error(xlerrNum));
    EXPECT_EQ(*ToInt32Argument(Value::Number(std::nan(""))).failure, Value::Error(xlerrNum));
    EXPECT_EQ(*ToInt32Argument(Value::Text(u"x")).failure, Value::Error(xlerrValue));
}

TEST(BoolArgument, NonZeroIsTrue) {
    EXPECT_TRUE(ToBoolArgument(Value::Number(-3)).value);
    EXPECT_FALSE(ToBoolArgument(Value::Number(0)).value);
    EXPECT_TRUE(ToBoolArgument(Value::Bool(true)).value);
    EXPECT_TRUE(ToBoolArgument(Value::Text(u"true")).value);
    EXPECT_FALSE(ToBoolArgument(Value::Missing()).value);
    EXPECT_EQ(*ToBoolArgument(Value::Text(u"1")).failure, Value::Error(xlerrValue));
    EXPECT_EQ(*ToBoolArgument(Value::Error(xlerrNA)).failure, Value::Error(xlerrNA));
}

TEST(TextArgument, ScalarsAsTheCellShowsThem) {
    EXPECT_EQ(ToTextArgument(Value::Text(u"x")).value, u"x");
    EXPECT_EQ(ToTextArgument(Value::Number(0.1)).value, u"0.1");
    EXPECT_EQ(ToTextArgument(Value::Bool(false)).value, u"FALSE");
    EXPECT_EQ(ToTextArgument(Value::Missing()).value, u"");
}

// --- xlCoerce -------------------------------------------------------------------

TEST(XlCoerce, VersionTextToInteger) {
    const auto c = CoerceToTypes(Value::Text(u"16.0"), xltypeInt, false);
    ASSERT_TRUE(c);
    EXPECT_TRUE(c->integer);
    EXPECT_EQ(c->value, Value::Number(16));
}

TEST(XlCoerce, IntegersTruncateAndRespectTheRecordWidth) {
    EXPECT_EQ(CoerceToTypes(Value::Number(-3.7), xltypeInt, false)->value, Value::Number(-3));
    EXPECT_EQ(CoerceToTypes(Value::Bool(true), xltypeInt, false)->value, Value::Number(1));
    EXPECT_TRUE(CoerceToTypes(Value::Number(40000), xltypeInt, false));
    EXPECT_FALSE(CoerceToTypes(Value::Number(40000), xltypeInt, true));
    EXPECT_FALSE(CoerceToTypes(Value::Number(3e9), xltypeInt, false));
}

TEST(XlCoerce, ImpossibleConversionsFail) {
    EXPECT_FALSE(CoerceToTypes(Value::Text(u"abc"), xltypeInt, false));
    EXPECT_FALSE(CoerceToTypes(Value::Text(u"abc"), xltypeNum, false));
    EXPECT_FALSE(CoerceToTypes(Value::Error(xlerrNA), xltypeNum | xltypeStr, false));
    EXPECT_FALSE(CoerceToTypes(Value::Text(u"maybe"), xltypeBool, false));
}

TEST(XlCoerce, KeepsAValueAlreadyOfARequestedType) {
    const auto c = CoerceToTypes(Value::Text(u"12"), xltypeNum | xltypeStr, false);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->value, Value::Text(u"12"));
    EXPECT_FALSE(c->integer);
    EXPECT_EQ(CoerceToTypes(Value::Error(xlerrNA), xltypeErr, false)->value, Value::Error(xlerrNA));
}

TEST(XlCoerce, ConvertsBetweenScalarTypes) {
    EXPECT_EQ(CoerceToTypes(Value::Number(2.5), xltypeStr, false)->value, Value::Text(u"2.5"));
    EXPECT_EQ(CoerceToTypes(Value::Bool(true), xltypeStr, false)->value, Value::Text(u"TRUE"));
    EXPECT_EQ(CoerceToTypes(Value::Text(u"FALSE"), xltypeBool, false)->value, Value::Bool(false));
    EXPECT_EQ(CoerceToTypes(Value::Number(0), xltypeBool, false)->value, Value::Bool(false));
    EXPECT_EQ(CoerceToTypes(Value::Bool(true), xltypeNum, false)->value, Value::Number(1));
}

TEST(XlCoerce, ArraysGiveTheirTopLeftElementOrStayArrays) {
    const Value a = Value::Array(1, 2, {Value::Text(u"5"), Value::Number(9)});
    EXPECT_EQ(CoerceToTypes(a, xltypeNum, false)->value, Value::Number(5));
    EXPECT_EQ(CoerceToTypes(a, xltypeMulti, false)->value, a);
    EXPECT_EQ(CoerceToTypes(Value::Number(3), xltypeMulti, false)->value, Value::Array(1, 1, {Value::Number(3)}));
}

TEST(XlCoerce, OwnershipBitsInTheTypeAreIgnored) {
    EXPECT_TRUE(CoerceToTypes(Value::Number(1), xltypeInt | xlbitXLFree, false)->integer);
}

}  // namespace
}  // namespace Zr::Host
