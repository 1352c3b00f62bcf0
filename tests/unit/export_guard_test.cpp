// No exception thrown inside a lifecycle export reaches Excel: each ends as
// the export's failure value, and the add-in keeps working.
#include <gtest/gtest.h>

#include "host/host.h"

using Zr::Host::Value;

TEST(ExportGuard, ThrowingHooksEndAsTheFailureValue) {
    enum { kNone, kBadAlloc, kStdException, kFrameworkException, kOtherException };  // the fixture's HookFailure
    struct Row {
        const char* exportName;
        const char* typeText;
        std::vector<Value> args;
        int failure;
        Value expected;
    };
    const Value longName = Value::Number(1);  // the add-in manager's request
    // In order: a failed open leaves the add-in closed, the next one opens it.
    const Row rows[] = {
        {"xlAutoOpen", "J", {}, kBadAlloc, Value::Number(0)},
        {"xlAutoOpen", "J", {}, kNone, Value::Number(1)},
        {"xlAutoAdd", "J", {}, kStdException, Value::Number(1)},
        {"xlAddInManagerInfo12", "UU", {longName}, kOtherException, Value::Error(xlerrValue)},
        {"xlAddInManagerInfo", "RR", {longName}, kBadAlloc, Value::Error(xlerrValue)},
        {"xlAutoClose", "J", {}, kFrameworkException, Value::Number(1)},
        {"xlAutoRemove", "J", {}, kOtherException, Value::Number(1)},
    };
    Zr::Host::Host host;
    std::string error;
    ASSERT_TRUE(host.Load(ZR_FRAME_TEST_ADDIN_PATH, error)) << error;
    auto arm = [&](int failure) { return host.CallExport("FrameArmHookFailure", "JJ", {Value::Number(failure)}); };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.exportName) + " failing with " + std::to_string(row.failure));
        const Value thrownBefore = arm(row.failure);
        EXPECT_EQ(host.CallExport(row.exportName, row.typeText, row.args), row.expected);
        const Value thrown = arm(kNone);
        EXPECT_EQ(thrown.number - thrownBefore.number, row.failure == kNone ? 0 : 1);
    }
}
