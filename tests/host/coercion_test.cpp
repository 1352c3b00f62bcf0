#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "host/coercion.h"
#include "host/host.h"
#include "host/type_text.h"

namespace Zr::Host {
namespace {

const auto N = &Value::Number;
const auto T = &Value::Text;
const auto B = &Value::Bool;
const auto E = &Value::Error;

TEST(TypeText, LettersAndModifiers) {
    using A = ArgType;
    const auto s = ParseTypeText("UJBIC%A$");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->result, ResultType::Record12);
    EXPECT_EQ(s->arguments, (std::vector<A>{A::Int32, A::Double, A::Int16, A::WideText, A::Bool16}));
    EXPECT_TRUE(s->threadSafe);
    EXPECT_TRUE(s->needsExcel12);
    for (const char* legacy : {"RJCCJCCA", "RJPPP", "R"}) EXPECT_FALSE(ParseTypeText(legacy)->needsExcel12) << legacy;
    for (const char* modern : {"RQ", "RB$"}) EXPECT_TRUE(ParseTypeText(modern)->needsExcel12) << modern;
    for (const char* bad : {"", "$", "UX", "QB", "U$B"}) EXPECT_FALSE(ParseTypeText(bad)) << bad;  // Q: no result
}

// What a cell shows for each conversion: the native value or the failure.
template <class Native>
Value Shown(const Coerced<Native>& c) {
    if (c.failure) return *c.failure;
    if constexpr (std::is_same_v<Native, std::u16string>)
        return Value::Text(c.value);
    else
        return Value::Number(double(c.value));
}

Value Convert(char letter, const Value& v) {
    switch (letter) {
    case 'B': return Shown(ToDoubleArgument(v));
    case 'J': return Shown(ToInt32Argument(v));
    case 'I': return Shown(ToInt16Argument(v));
    case 'A': return Shown(ToBoolArgument(v));
    default: return Shown(ToTextArgument(v));
    }
}

TEST(NativeArguments, AsExcelConvertsThem) {
    const Value value = E(xlerrValue), num = E(xlerrNum), missing = Value::Missing();
    const struct {
        char letter;
        Value input, shown;
    } rows[] = {
        {'B', B(true), N(1)}, {'B', T(u" 1e2 "), N(100)}, {'B', missing, N(0)}, {'B', Value::Nil(), N(0)},
        {'B', T(u"abc"), value}, {'B', T(u""), value}, {'B', T(u"inf"), value},
        {'B', Value::Array(1, 1, {N(1)}), value}, {'B', E(xlerrDiv0), E(xlerrDiv0)},  // errors show themselves
        // Integers truncate toward zero; beyond the parameter's range is #NUM!.
        {'J', N(-2.9), N(-2)}, {'J', T(u"7.8"), N(7)}, {'J', B(true), N(1)}, {'J', T(u"x"), value},
        {'J', N(2147483647.9), N(2147483647)}, {'J', N(-2147483648.0), N(-2147483648.0)},
        {'J', N(2147483648.0), num}, {'J', N(std::nan("")), num},
        {'I', N(-0.5), N(0)}, {'I', missing, N(0)}, {'I', N(32767), N(32767)}, {'I', N(-32768), N(-32768)},
        {'I', N(32768), num}, {'I', N(-32769), num},
        {'A', N(-3), N(1)}, {'A', N(0), N(0)}, {'A', T(u"true"), N(1)}, {'A', missing, N(0)},
        {'A', T(u"1"), value}, {'A', E(xlerrNA), E(xlerrNA)},
        {'C', N(0.1), T(u"0.1")}, {'C', B(false), T(u"FALSE")}, {'C', missing, T(u"")},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Convert(row.letter, row.input), row.shown) << row.letter << " " << FormatValue(row.input);
}

TEST(XlCoerce, ToTheRequestedTypes) {
    const Value fiveAndNine = Value::Array(1, 2, {T(u"5"), N(9)});
    const std::nullopt_t failed = std::nullopt;
    const struct {
        Value input;
        uint32_t types;
        bool narrow;  // an XLOPER's 16-bit integer
        std::optional<Value> result;
    } rows[] = {
        {T(u"16.0"), xltypeInt, false, N(16)},  // the version text
        {N(-3.7), xltypeInt, false, N(-3)}, {B(true), xltypeInt, false, N(1)},
        {N(40000), xltypeInt, false, N(40000)}, {N(40000), xltypeInt, true, failed},
        {N(3e9), xltypeInt, false, failed},
        {N(1), xltypeInt | xlbitXLFree, false, N(1)},  // ownership bits are ignored
        {T(u"abc"), xltypeInt, false, failed}, {T(u"abc"), xltypeNum, false, failed},
        {E(xlerrNA), xltypeNum | xltypeStr, false, failed}, {T(u"maybe"), xltypeBool, false, failed},
        {T(u"12"), xltypeNum | xltypeStr, false, T(u"12")},  // already of a requested type
        {E(xlerrNA), xltypeErr, false, E(xlerrNA)}, {N(2.5), xltypeStr, false, T(u"2.5")},
        {B(true), xltypeStr, false, T(u"TRUE")}, {T(u"FALSE"), xltypeBool, false, B(false)},
        {N(0), xltypeBool, false, B(false)}, {B(true), xltypeNum, false, N(1)},
        {fiveAndNine, xltypeNum, false, N(5)},  // the top left element
        {fiveAndNine, xltypeMulti, false, fiveAndNine},
        {N(3), xltypeMulti, false, Value::Array(1, 1, {N(3)})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(FormatValue(row.input) + " to " + std::to_string(row.types));
        const auto c = CoerceToTypes(row.input, row.types, row.narrow);
        ASSERT_EQ(c.has_value(), row.result.has_value());
        if (!c) continue;
        EXPECT_EQ(c->value, *row.result);
        EXPECT_EQ(c->integer, (row.types & xltypeInt) != 0);
    }
}

}  // namespace
}  // namespace Zr::Host
