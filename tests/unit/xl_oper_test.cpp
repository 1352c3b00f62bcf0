#include <gtest/gtest.h>

#include <string>

#include "xll/exceptions.h"
#include "xll/oper_records.h"
#include "xll/xl_oper.h"

using namespace Zr::Xll;

namespace {

// Runs each test in one Excel mode and puts the flag back afterwards.
class OperTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { SetIsExcel12(modern); }
    void TearDown() override { SetIsExcel12(saved_); }
    bool modern = GetParam();
    bool saved_ = IsExcel12();
};

}  // namespace

TEST_P(OperTest, ArrayLimitsFollowTheRecord) {
    CXlOper v;
    const int64_t maxRows = modern ? 1048576 : 65535, maxColumns = modern ? 16384 : 256;
    for (auto [rows, columns] : {std::pair<int64_t, int64_t>{maxRows + 1, 1}, {1, maxColumns + 1}, {0, 1}, {-5, 1},
                                 {int64_t(1) << 40, int64_t(1) << 40}}) {
        EXPECT_FALSE(v.AllocArray(rows, columns)) << rows << " x " << columns;
        EXPECT_EQ(v.Type(), 0u);
    }
    ASSERT_TRUE(v.AllocArray(maxRows, 1));  // 65,535 rows still fit the legacy record's 16 bits
    v.Cell(maxRows - 1).SetDouble(7);
    EXPECT_THROW(v.Cell(maxRows), CXlOutOfRangeException);
}

TEST_P(OperTest, CellsAndTheirAssignment) {
    CXlOper row, square, number, missing, empty;
    ASSERT_TRUE(row.AllocArray(1, 5) && square.AllocArray(2, 2));
    row.Cell(3).SetDouble(3);
    EXPECT_EQ(modern ? row.Modern()->val.array.lparray[3].val.num : row.Legacy()->val.array.lparray[3].val.num, 3);
    EXPECT_THROW(row.Cell(1, 0), CXlOutOfRangeException);
    EXPECT_THROW(square.Cell(3), CXlOutOfRangeException);  // one index only for a vector
    number.SetDouble(1);
    number.Cell(0, 0).SetDouble(9);  // a scalar's cell is its own record
    EXPECT_EQ(modern ? number.Modern()->val.num : number.Legacy()->val.num, 9);
    missing.SetMissing();
    EXPECT_THROW(missing.Cell(0, 0), CXlBadOperTypeException);
    EXPECT_THROW(empty.Cell(0, 0), CXlOutOfRangeException);

    CXlOper fill, v;
    fill.SetString("x");
    ASSERT_TRUE(v.AllocArray(3, 2, &fill));
    CXlOper copy(v);  // deep: every string duplicated (a double free shows under the sanitizers)
    EXPECT_TRUE(copy.Cell(2, 1).IsString());
    v.Cell(0, 0) = number;
    EXPECT_EQ(v.Cell(0, 0).Type(), xltypeNum);
    EXPECT_THROW(v.Cell(0, 1) = v, CXlIllegalArgumentException);  // no array inside an array
    EXPECT_THROW(CXlOper().AllocArray(2, 2, &square), CXlIllegalArgumentException);
}

INSTANTIATE_TEST_SUITE_P(BothModes, OperTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Excel12" : "Legacy"; });

// An array result is moved into the slot Excel reads, not copied, and
// xlAutoFree12 frees it once: every string, then the block. Were the value
// still its owner, its destructor would free it again under the sanitizers.
TEST(OperResult, HandOver) {
    SetIsExcel12(true);
    CXlOper fill, v, number, empty, longText, integer;
    fill.SetString("text");
    ASSERT_TRUE(v.AllocArray(1048, 2, &fill));
    const XLOPER12* elements = v.Modern()->val.array.lparray;
    XLOPER12* slot = v.ReturnXloper12();
    EXPECT_EQ(slot->xltype, xltypeMulti | xlbitDLLFree);
    EXPECT_EQ(slot->val.array.lparray, elements);
    FreeRecord(*slot);
    EXPECT_EQ(slot->xltype, 0u);
    number.SetDouble(1.5);
    EXPECT_EQ(number.ReturnXloper12()->xltype, xltypeNum);  // no memory, no free bit
    EXPECT_EQ(empty.ReturnXloper12()->xltype, xltypeErr);   // an empty result shows #VALUE!
    EXPECT_EQ(empty.ReturnXloper()->val.err, xlerrValue);
    longText.SetString(std::string(300, 'a'));
    EXPECT_EQ(longText.ReturnXloper()->xltype, xltypeErr);  // 300 units cannot be an XLOPER string
    SetIsExcel12(false);
    integer.SetInt(-70000);
    EXPECT_EQ(integer.ReturnXloper12()->val.w, int16_t(-70000));  // an XLOPER holds 16 bits
}

TEST(OperConversion, NarrowingRefusesWhatTheLegacyRecordCannotHold) {
    bool allocated = false;
    XLOPER out{};
    XLOPER12 big{{.array = {nullptr, 65536, 1}}, xltypeMulti};  // 65,536 rows do not fit 16 bits
    EXPECT_FALSE(ConvertRecord(&big, &out, allocated));
    EXPECT_EQ(out.xltype, 0);
    XLOPER12 ref{{.sref = {1, {0, 9, 0, 300}}}, xltypeSRef};  // nor column 300 eight bits
    EXPECT_FALSE(ConvertRecord(&ref, &out, allocated));
    ref.val.sref.ref = {0, 9, 0, 3};
    ASSERT_TRUE(ConvertRecord(&ref, &out, allocated));
    EXPECT_EQ(out.val.sref.ref.colLast, 3);
    XLOPER12 flow{{}, xltypeFlow}, copy{};
    EXPECT_FALSE(CopyRecord(&flow, &copy, allocated));
}
