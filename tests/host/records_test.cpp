#include <gtest/gtest.h>

#include <cstring>

#include "host/argument_frame.h"
#include "host/host.h"
#include "host/records.h"

namespace Zr::Host {
namespace {

const Value kMixed = Value::Array(2, 3,
                                  {Value::Number(1.5), Value::Text(u"text"), Value::Bool(true), Value::Error(xlerrNA),
                                   Value::Nil(), Value::Text(u"")});

Value RoundTrip12(const Value& v) {
    RecordArena arena;
    XLOPER12* record = arena.NewRecord12();
    EXPECT_TRUE(WriteRecord12(v, *record, arena));
    return ReadRecord12(*record);
}

Value RoundTrip4(const Value& v) {
    RecordArena arena;
    XLOPER* record = arena.NewRecord4();
    EXPECT_TRUE(WriteRecord4(v, *record, arena));
    return ReadRecord4(*record);
}

TEST(Records, EveryKindSurvivesBothLayouts) {
    for (const Value& v : {Value::Number(-0.25), Value::Text(u"abc"), Value::Bool(false), Value::Error(xlerrDiv0),
                           Value::Missing(), Value::Nil(), kMixed}) {
        EXPECT_EQ(RoundTrip12(v), v);
        EXPECT_EQ(RoundTrip4(v), v);
    }
}

TEST(Records, WideTextIsCountedWithoutTerminator) {
    RecordArena arena;
    XLOPER12 r{};
    ASSERT_TRUE(WriteRecord12(Value::Text(u"ab\u20ac"), r, arena));
    EXPECT_EQ(r.xltype, xltypeStr);
    EXPECT_EQ(r.val.str[0], 3);
    EXPECT_EQ(r.val.str[3], u'\u20ac');
}

TEST(Records, ByteTextUsesTheAnsiCodePageAndStopsAt255) {
    RecordArena arena;
    XLOPER r{};
    ASSERT_TRUE(WriteRecord4(Value::Text(u"caf\u00e9"), r, arena));
    EXPECT_EQ(static_cast<unsigned char>(r.val.str[0]), 4);
    EXPECT_EQ(static_cast<unsigned char>(r.val.str[4]), 0xE9);
    ASSERT_TRUE(WriteRecord4(Value::Text(std::u16string(300, u'x')), r, arena));
    EXPECT_EQ(static_cast<unsigned char>(r.val.str[0]), 255);
    EXPECT_EQ(ReadRecord4(r), Value::Text(std::u16string(255, u'x')));
}

TEST(Records, ArraysAreMultiRecordsRowByRow) {
    RecordArena arena;
    XLOPER12 r{};
    ASSERT_TRUE(WriteRecord12(kMixed, r, arena));
    EXPECT_EQ(r.xltype, xltypeMulti);
    EXPECT_EQ(r.val.array.rows, 2);
    EXPECT_EQ(r.val.array.columns, 3);
    EXPECT_EQ(r.val.array.lparray[3].xltype, xltypeErr);  // row 1, column 0
    EXPECT_EQ(r.val.array.lparray[4].xltype, xltypeNil);
}

TEST(Records, ArraysBeyondTheGridOrNestedAreRefused) {
    RecordArena arena;
    XLOPER legacy{};
    EXPECT_FALSE(WriteRecord4(Value::Array(1, 257, {}), legacy, arena));
    EXPECT_EQ(legacy.xltype, 0u);
    EXPECT_TRUE(WriteRecord4(Value::Array(1, 256, {}), legacy, arena));
    XLOPER12 modern{};
    EXPECT_FALSE(WriteRecord12(Value::Array(1, 16385, {}), modern, arena));
    EXPECT_FALSE(WriteRecord12(Value::Array(1, 1, {kMixed}), modern, arena));
    EXPECT_FALSE(WriteRecord12(Value::Array(0, 0, {}), modern, arena));
}

TEST(Records, IntegersAndOwnershipBitsReadAsExcelMeansThem) {
    XLOPER12 modern{};
    modern.xltype = xltypeInt | xlbitDLLFree;
    modern.val.w = -5;
    EXPECT_EQ(ReadRecord12(modern), Value::Number(-5));
    XLOPER legacy{};
    legacy.xltype = xltypeBool | xlbitXLFree;
    legacy.val.xbool = 1;
    EXPECT_EQ(ReadRecord4(legacy), Value::Bool(true));
}

TEST(Records, RecordsWithoutCellValueReadAsValueError) {
    XLOPER12 r{};
    r.xltype = xltypeSRef;
    EXPECT_EQ(ReadRecord12(r), Value::Error(xlerrValue));
    r.xltype = xltypeStr;  // with no string behind it
    EXPECT_EQ(ReadRecord12(r), Value::Error(xlerrValue));
    r.xltype = xltypeMulti;
    EXPECT_EQ(ReadRecord12(r), Value::Error(xlerrValue));
}

TEST(Records, IntegerResultsKeepTheLow16BitsInAnXloper) {
    HeapAllocator heap;
    XLOPER legacy{};
    ASSERT_TRUE(WriteRecord4(Value::Number(0x12345), legacy, heap, true));
    EXPECT_EQ(legacy.xltype, xltypeInt);
    EXPECT_EQ(legacy.val.w, 0x2345);
    XLOPER12 modern{};
    ASSERT_TRUE(WriteRecord12(Value::Number(0x12345), modern, heap, true));
    EXPECT_EQ(modern.val.w, 0x12345);
}

TEST(Records, HeapRecordsFreeElementByElementAndZero) {
    HeapAllocator heap;
    XLOPER12 modern{};
    ASSERT_TRUE(WriteRecord12(kMixed, modern, heap));
    EXPECT_EQ(MemoryOf(modern), modern.val.array.lparray);
    FreeRecord12(modern);  // a leak or double free shows under the sanitizers
    EXPECT_EQ(modern.xltype, 0u);
    EXPECT_EQ(MemoryOf(modern), nullptr);
    XLOPER legacy{};
    ASSERT_TRUE(WriteRecord4(Value::Text(u"x"), legacy, heap));
    FreeRecord4(legacy);
    EXPECT_EQ(legacy.val.str, nullptr);
}

// --- Arguments of one call ------------------------------------------------------

TEST(ArgumentFrame, ScalarsBecomeRegistersOfTheirClass) {
    ArgumentFrame frame;
    ASSERT_TRUE(frame.Add(ArgType::Double, Value::Number(0.5)));
    ASSERT_TRUE(frame.Add(ArgType::Int32, Value::Number(-7.9)));
    ASSERT_TRUE(frame.Add(ArgType::Int16, Value::Bool(true)));
    ASSERT_TRUE(frame.Add(ArgType::Bool16, Value::Number(-2)));
    ASSERT_TRUE(frame.Add(ArgType::Double, Value::Missing()));
    const auto raw = frame.Raw();
    ASSERT_EQ(raw.size(), 5u);
    EXPECT_TRUE(raw[0].isDouble);
    EXPECT_EQ(raw[0].bits, RawArgument::Real(0.5).bits);
    EXPECT_FALSE(raw[1].isDouble);
    EXPECT_EQ(static_cast<int64_t>(raw[1].bits), -7);  // sign-extended
    EXPECT_EQ(raw[2].bits, 1u);
    EXPECT_EQ(raw[3].bits, 1u);
    EXPECT_EQ(raw[4].bits, 0u);
}

TEST(ArgumentFrame, RecordArgumentsPointAtTheValue) {
    ArgumentFrame frame;
    ASSERT_TRUE(frame.Add(ArgType::Record12, kMixed));
    ASSERT_TRUE(frame.Add(ArgType::Record4, Value::Missing()));
    const auto* modern = reinterpret_cast<const XLOPER12*>(frame.Raw()[0].bits);
    const auto* legacy = reinterpret_cast<const XLOPER*>(frame.Raw()[1].bits);
    EXPECT_EQ(ReadRecord12(*modern), kMixed);
    EXPECT_EQ(legacy->xltype, xltypeMissing);
}

TEST(ArgumentFrame, TextArgumentsAreZeroTerminated) {
    ArgumentFrame frame;
    ASSERT_TRUE(frame.Add(ArgType::Text, Value::Text(u"abc")));
    ASSERT_TRUE(frame.Add(ArgType::WideText, Value::Number(2)));
    EXPECT_STREQ(reinterpret_cast<const char*>(frame.Raw()[0].bits), "abc");
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(frame.Raw()[1].bits)), u"2");
}

TEST(ArgumentFrame, FailureTellsWhatTheCellShows) {
    ArgumentFrame frame;
    EXPECT_FALSE(frame.Add(ArgType::Int16, Value::Number(1e6)));
    EXPECT_EQ(frame.Failure(), Value::Error(xlerrNum));
    ArgumentFrame other;
    EXPECT_FALSE(other.Add(ArgType::Record4, Value::Array(70000, 1, {})));
    EXPECT_EQ(other.Failure(), Value::Error(xlerrValue));
}

}  // namespace
}  // namespace Zr::Host
