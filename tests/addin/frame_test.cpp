// The call frame as Excel sees it: every way a body can end becomes a cell value; Excel keeps running.
#include "tests/addin/host_fixture.h"

using namespace Zr::Testing;

class FrameTest : public AddinTest {
protected:
    void SetUp() override { Open(ZR_FRAME_TEST_ADDIN_PATH); }
};

TEST_P(FrameTest, ExceptionsBecomeCellValues) {
    const std::pair<const char*, Value> cases[] = {
        {"FrameIllegalResult",
         ErrorText("Illegal value for result of common function. Must be 0, &xloResult or static.")},
        {"FrameOutOfRange", ErrorText("Index out of range")}, {"FrameErrorException", Value::Error(xlerrNum)},
        {"FrameBadAlloc", ErrorText("Memory allocation failed")}, {"FrameStdException", ErrorText("plain failure")},
        {"FrameEmpty", kBad}, {"FrameXloResult", Num(42)},
    };
    for (const auto& [entry, expected] : cases) EXPECT_EQ(CallEntry(entry, ""), expected) << entry;
}

// Records come back intact; legacy text keeps its first 255 characters.
TEST_P(FrameTest, RecordsAndTextsComeBack) {
    const Value table = Value::Array(2, 2, {Num(1), Value::TextUtf8("two"), Value::Bool(true), Value::Error(xlerrNA)});
    EXPECT_EQ(CallEntry("FrameEcho", Modern() ? "Q" : "P", {table}), table);
    const Value text = CallEntry("FrameLongText", "J", {Num(300)});
    ASSERT_TRUE(text.Is(ValueKind::Text));
    EXPECT_EQ(text.text.size(), Modern() ? 300u : 255u);
    EXPECT_EQ(text.text.substr(0, 3), u"abc");
}

// The largest column is handed over and freed once; one row more is refused, not truncated.
TEST_P(FrameTest, LargestColumnIsMovedAndFreedOnce) {
    const size_t freesBefore = host_.AutoFreeCalls();
    const Value column = CallEntry("FrameColumn", "J", {Num(MaxRows())});
    ASSERT_EQ(column.rows, MaxRows());
    EXPECT_EQ(column.At(MaxRows() - 1, 0), Num(MaxRows() - 1));
    EXPECT_EQ(host_.AutoFreeCalls(), freesBefore + 1);
    EXPECT_EQ(CallEntry("FrameColumn", "J", {Num(MaxRows() + 1)}), kBad);
}

#if defined(_WIN32)
// A hardware fault ends in the cell; the next calls work and fault alike: the handler is put back.
TEST_P(FrameTest, AccessViolationEndsInTheCell) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(CallEntry("FrameNullDereference", ""), ErrorText("'C' exception 0xC0000005"));
        EXPECT_EQ(CallEntry("FrameXloResult", ""), Num(42));
    }
}
#endif

ZR_IN_BOTH_MODES(FrameTest);
