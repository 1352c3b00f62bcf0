#include <gtest/gtest.h>

#include "host/argument_frame.h"
#include "host/host.h"
#include "host/records.h"

namespace Zr::Host {
namespace {

const Value kMixed = Value::Array(2, 3, {Value::Number(1.5), Value::Text(u"text"), Value::Bool(true),
                                         Value::Error(xlerrNA), Value::Nil(), Value::Text(u"")});

// Round trips of every kind go through the add-in's own reader in its tests.
TEST(Records, LayoutsAndTheirLimits) {
    RecordArena arena;
    XLOPER12 wide{}, array{};
    XLOPER narrow{}, refused{};
    ASSERT_TRUE(WriteRecord12(Value::Text(u"ab\u20ac"), wide, arena));
    EXPECT_EQ(std::u16string(wide.val.str, 4), u"\x03" u"ab\u20ac");  // counted, no terminator
    ASSERT_TRUE(WriteRecord4(Value::Text(u"caf\u00e9"), narrow, arena));
    EXPECT_EQ(std::string(narrow.val.str, 5), "\x04" "caf\xe9");  // the ANSI code page
    ASSERT_TRUE(WriteRecord4(Value::Text(std::u16string(300, u'x')), narrow, arena));
    EXPECT_EQ(ReadRecord4(narrow), Value::Text(std::u16string(255, u'x')));
    ASSERT_TRUE(WriteRecord12(kMixed, array, arena));
    EXPECT_EQ(array.xltype, xltypeMulti);
    EXPECT_EQ(array.val.array.rows, 2);
    EXPECT_EQ(array.val.array.columns, 3);
    EXPECT_EQ(array.val.array.lparray[3].xltype, xltypeErr);  // row by row: row 1, column 0
    // Arrays beyond the grid, nested or empty are refused.
    EXPECT_FALSE(WriteRecord4(Value::Array(1, 257, {}), refused, arena));
    EXPECT_EQ(refused.xltype, 0u);
    EXPECT_TRUE(WriteRecord4(Value::Array(1, 256, {}), narrow, arena));
    for (const Value& v : {Value::Array(1, 16385, {}), Value::Array(1, 1, {kMixed}), Value::Array(0, 0, {})})
        EXPECT_FALSE(WriteRecord12(v, array, arena)) << v.rows << " x " << v.columns;
}

TEST(Records, ReadAsExcelMeansThem) {
    XLOPER12 r{{.w = -5}, xltypeInt | xlbitDLLFree};  // ownership bits do not change the value
    EXPECT_EQ(ReadRecord12(r), Value::Number(-5));
    EXPECT_EQ(ReadRecord4(XLOPER{{.xbool = 1}, xltypeBool | xlbitXLFree}), Value::Bool(true));
    r = {};
    for (uint32_t type : {xltypeSRef, xltypeStr, xltypeMulti}) {  // no cell value, or nothing behind it
        r.xltype = type;
        EXPECT_EQ(ReadRecord12(r), Value::Error(xlerrValue)) << type;
    }
}

TEST(Records, HeapRecordsOfResults) {
    HeapAllocator heap;
    XLOPER legacy{};
    XLOPER12 modern{};
    ASSERT_TRUE(WriteRecord4(Value::Number(0x12345), legacy, heap, true));
    EXPECT_EQ(legacy.xltype, xltypeInt);
    EXPECT_EQ(legacy.val.w, 0x2345);  // an XLOPER keeps the low 16 bits
    ASSERT_TRUE(WriteRecord12(Value::Number(0x12345), modern, heap, true));
    EXPECT_EQ(modern.val.w, 0x12345);
    ASSERT_TRUE(WriteRecord12(kMixed, modern, heap));
    EXPECT_EQ(MemoryOf(modern), modern.val.array.lparray);
    FreeRecord12(modern);  // element by element: a leak or double free shows under the sanitizers
    EXPECT_EQ(modern.xltype, 0u);
    EXPECT_EQ(MemoryOf(modern), nullptr);
    ASSERT_TRUE(WriteRecord4(Value::Text(u"x"), legacy, heap));
    FreeRecord4(legacy);
    EXPECT_EQ(legacy.val.str, nullptr);
}

// Numbers reach the callee as every add-in test shows; texts and records
// must point at memory laid out as the callee reads it.
TEST(ArgumentFrame, PointerArgumentsAndFailures) {
    ArgumentFrame frame;
    ASSERT_TRUE(frame.Add(ArgType::Record12, kMixed) && frame.Add(ArgType::Record4, Value::Missing()) &&
                frame.Add(ArgType::Text, Value::Text(u"abc")) && frame.Add(ArgType::WideText, Value::Number(2)));
    const auto raw = frame.Raw();
    EXPECT_EQ(ReadRecord12(*reinterpret_cast<const XLOPER12*>(raw[0].bits)), kMixed);
    EXPECT_EQ(reinterpret_cast<const XLOPER*>(raw[1].bits)->xltype, xltypeMissing);
    EXPECT_STREQ(reinterpret_cast<const char*>(raw[2].bits), "abc");  // zero-terminated
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(raw[3].bits)), u"2");
    ArgumentFrame tooWide, tooLong;
    EXPECT_FALSE(tooWide.Add(ArgType::Int16, Value::Number(1e6)));
    EXPECT_EQ(tooWide.Failure(), Value::Error(xlerrNum));
    EXPECT_FALSE(tooLong.Add(ArgType::Record4, Value::Array(70000, 1, {})));  // beyond 65,535 rows
    EXPECT_EQ(tooLong.Failure(), Value::Error(xlerrValue));
}

}  // namespace
}  // namespace Zr::Host
