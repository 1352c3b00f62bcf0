// The call frame as Excel sees it: every way a body can end becomes the
// right cell value, and the host (Excel) keeps running.
#include <thread>
#include <vector>

#include "host_fixture.h"

using namespace Zr::Testing;
using Zr::Host::Mode;

namespace {

class FrameTest : public AddinTest {
protected:
    void SetUp() override { Open(ZR_FRAME_TEST_ADDIN_PATH); }
};

}  // namespace

TEST_P(FrameTest, ExceptionsBecomeCellValues) {
    EXPECT_EQ(CallEntry("FrameIllegalResult", ""),
              ErrorText("Illegal value for result of common function. Must be 0, &xloResult or static."));
    EXPECT_EQ(CallEntry("FrameOutOfRange", ""), ErrorText("Index out of range"));
    EXPECT_EQ(CallEntry("FrameErrorException", ""), Value::Error(xlerrNum));
    EXPECT_EQ(CallEntry("FrameBadAlloc", ""), ErrorText("Memory allocation failed"));
    EXPECT_EQ(CallEntry("FrameStdException", ""), ErrorText("plain failure"));
    EXPECT_EQ(CallEntry("FrameEmpty", ""), Value::Error(xlerrValue));
    EXPECT_EQ(CallEntry("FrameXloResult", ""), Value::Number(42));
}

TEST_P(FrameTest, LegacyTextKeepsItsFirst255Characters) {
    const Value text = CallEntry("FrameLongText", "J", {Value::Number(300)});
    ASSERT_TRUE(text.Is(ValueKind::Text));
    EXPECT_EQ(text.text.size(), Modern() ? 300u : 255u);
    EXPECT_EQ(text.text.substr(0, 3), u"abc");
}

TEST_P(FrameTest, LargestColumnIsMovedAndFreedOnce) {
    const int rows = Modern() ? 1048576 : 65535;
    const size_t freesBefore = host_.AutoFreeCalls();
    const Value column = CallEntry("FrameColumn", "J", {Value::Number(rows)});
    ASSERT_TRUE(column.Is(ValueKind::Array));
    EXPECT_EQ(column.rows, rows);
    EXPECT_EQ(column.At(rows - 1, 0), Value::Number(rows - 1));
    EXPECT_EQ(host_.AutoFreeCalls(), freesBefore + 1);
    // One row more than the record can hold is refused, not truncated.
    EXPECT_EQ(CallEntry("FrameColumn", "J", {Value::Number(rows + 1)}), Value::Error(xlerrValue));
}

TEST_P(FrameTest, RecordArgumentsComeBackIntact) {
    const Value table = Value::Array(2, 2, {Value::Number(1), Value::TextUtf8("two"), Value::Bool(true),
                                            Value::Error(xlerrNA)});
    EXPECT_EQ(CallEntry("FrameEcho", Modern() ? "Q" : "P", {table}), table);
}

TEST_P(FrameTest, ConcurrentCallsEachGetTheirOwnResult) {
    std::vector<std::thread> threads;
    std::vector<int> good(8, 0);
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 50; ++i) {
                const int rows = 100 + t;
                const Value column = CallEntry("FrameColumn", "J", {Value::Number(rows)});
                good[t] += column.Is(ValueKind::Array) && column.rows == rows &&
                           column.At(rows - 1, 0) == Value::Number(rows - 1);
            }
        });
    for (auto& thread : threads) thread.join();
    for (int t = 0; t < 8; ++t) EXPECT_EQ(good[t], 50) << "thread " << t;
}

#if defined(_WIN32)
// A hardware fault inside a body ends in the cell; the next calls work and
// fault again the same way, so the translator was put back each time.
TEST_P(FrameTest, AccessViolationEndsInTheCell) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(CallEntry("FrameNullDereference", ""), ErrorText("'C' exception 0xC0000005"));
        EXPECT_EQ(CallEntry("FrameXloResult", ""), Value::Number(42));
    }
}
#endif

INSTANTIATE_TEST_SUITE_P(BothModes, FrameTest, ::testing::Values(Mode::Excel12, Mode::Legacy),
                         [](const auto& info) { return Excel12Or4(info.param); });
