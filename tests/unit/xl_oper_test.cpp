#include <gtest/gtest.h>

#include <string>

#include "xll/exceptions.h"
#include "xll/oper_records.h"
#include "xll/thread_data.h"
#include "xll/xl_oper.h"

using namespace Zr::Xll;

namespace {

// Runs each test in one Excel mode and puts the flag back afterwards.
class OperTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        saved_ = IsExcel12();
        SetIsExcel12(GetParam());
    }
    void TearDown() override { SetIsExcel12(saved_); }
    bool saved_ = false;
};

std::u16string Text12(const XLOPER12& r) { return std::u16string(StringOf(r)); }
std::string Text4(const XLOPER& r) { return std::string(StringOf(r)); }

}  // namespace

TEST_P(OperTest, SettersFillTheActiveSide) {
    CXlOper v;
    v.SetDouble(2.5);
    EXPECT_EQ(v.Flags(), GetParam() ? 0x40 : 0x04);
    EXPECT_EQ(v.Type(), xltypeNum);
    v.SetString("abc");
    EXPECT_EQ(v.Flags(), GetParam() ? 0x50 : 0x05);
    EXPECT_TRUE(v.IsString());
    v.SetInt(-70000);
    if (GetParam())
        EXPECT_EQ(v.Modern()->val.w, -70000);
    else
        EXPECT_EQ(v.Legacy()->val.w, int16_t(-70000));  // the low 16 bits
    v.SetError(xlerrNA);
    EXPECT_TRUE(v.IsError());
    v.SetMissing();
    EXPECT_TRUE(v.IsMissing());
}

TEST_P(OperTest, ArrayLimitsFollowTheRecord) {
    CXlOper v;
    const int64_t maxRows = GetParam() ? 1048576 : 65535;
    const int64_t maxColumns = GetParam() ? 16384 : 256;
    EXPECT_FALSE(v.AllocArray(maxRows + 1, 1));
    EXPECT_EQ(v.Flags(), 0);
    EXPECT_FALSE(v.AllocArray(1, maxColumns + 1));
    EXPECT_FALSE(v.AllocArray(0, 1));
    EXPECT_FALSE(v.AllocArray(-5, 1));
    EXPECT_FALSE(v.AllocArray(int64_t(1) << 40, int64_t(1) << 40));
    ASSERT_TRUE(v.AllocArray(maxRows, 1));
    int32_t rows = 0, columns = 0;
    v.GetDims(rows, columns);
    EXPECT_EQ(rows, maxRows);  // 65,535 rows still fit the legacy record's 16 bits
    EXPECT_EQ(columns, 1);
    v.Cell(maxRows - 1).SetDouble(7);
    EXPECT_THROW(v.Cell(maxRows), CXlOutOfRangeException);
}

TEST_P(OperTest, CellAddressing) {
    CXlOper row;
    ASSERT_TRUE(row.AllocArray(1, 5));
    row.Cell(3).SetDouble(3);
    const double third =
        GetParam() ? row.Modern()->val.array.lparray[3].val.num : row.Legacy()->val.array.lparray[3].val.num;
    EXPECT_EQ(third, 3);
    EXPECT_THROW(row.Cell(1, 0), CXlOutOfRangeException);
    CXlOper square;
    ASSERT_TRUE(square.AllocArray(2, 2));
    EXPECT_THROW(square.Cell(3), CXlOutOfRangeException);

    CXlOper number;
    number.SetDouble(1);
    number.Cell(0, 0).SetDouble(9);  // a view of the value's own record
    EXPECT_EQ(GetParam() ? number.Modern()->val.num : number.Legacy()->val.num, 9);
    CXlOper missing;
    missing.SetMissing();
    EXPECT_THROW(missing.Cell(0, 0), CXlBadOperTypeException);
    CXlOper empty;
    EXPECT_THROW(empty.Cell(0, 0), CXlOutOfRangeException);
}

TEST_P(OperTest, FillAndCellAssignment) {
    CXlOper fill, v;
    fill.SetString("x");
    ASSERT_TRUE(v.AllocArray(3, 2, &fill));
    CXlOper copy(v);  // deep copy: every string duplicated
    EXPECT_TRUE(copy.Cell(2, 1).IsString());
    CXlOper number;
    number.SetDouble(4);
    v.Cell(0, 0) = number;
    EXPECT_EQ(v.Cell(0, 0).Type(), xltypeNum);
    EXPECT_THROW(v.Cell(0, 1) = v, CXlIllegalArgumentException);
    CXlOper notScalar;
    ASSERT_TRUE(notScalar.AllocArray(1, 1));
    CXlOper target;
    EXPECT_THROW(target.AllocArray(2, 2, &notScalar), CXlIllegalArgumentException);
}

TEST_P(OperTest, HandOverMovesOwnedMemory) {
    CXlOper v;
    ASSERT_TRUE(v.AllocArray(1048, 1));
    if (GetParam()) {
        XLOPER12* elements = v.Modern()->val.array.lparray;
        XLOPER12* slot = v.ReturnXloper12();
        EXPECT_EQ(slot->xltype, xltypeMulti | xlbitDLLFree);
        EXPECT_EQ(slot->val.array.lparray, elements);  // moved, not copied
        EXPECT_EQ(v.Flags(), 0x40);                     // the value no longer owns it
        FreeRecord(*slot);
    } else {
        XLOPER* elements = v.Legacy()->val.array.lparray;
        XLOPER* slot = v.ReturnXloper();
        EXPECT_EQ(slot->xltype, xltypeMulti | xlbitDLLFree);
        EXPECT_EQ(slot->val.array.lparray, elements);
        FreeRecord(*slot);
    }
}

TEST_P(OperTest, HandOverOfScalarsAndEmptyValues) {
    CXlOper number;
    number.SetDouble(1.5);
    XLOPER12* r12 = number.ReturnXloper12();
    EXPECT_EQ(r12->xltype, xltypeNum);  // no memory, no free bit
    EXPECT_EQ(r12->val.num, 1.5);
    CXlOper empty;
    EXPECT_EQ(empty.ReturnXloper12()->xltype, xltypeErr);
    EXPECT_EQ(empty.ReturnXloper()->val.err, xlerrValue);
}

INSTANTIATE_TEST_SUITE_P(BothModes, OperTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Excel12" : "Legacy"; });

TEST(OperConversion, LegacyAndModernRecords) {
    SetIsExcel12(true);
    CXlOper longText;
    longText.SetString(std::string(300, 'a'));
    EXPECT_EQ(longText.ReturnXloper()->xltype, xltypeErr);  // 300 units cannot be an XLOPER string
    SetIsExcel12(false);
    CXlOper cut;
    cut.SetString(std::string(300, 'b'));
    EXPECT_EQ(Text4(*cut.Legacy()).size(), 255u);
    XLOPER12* widened = cut.ReturnXloper12();
    EXPECT_EQ(widened->xltype, xltypeStr | xlbitDLLFree);
    EXPECT_EQ(Text12(*widened), std::u16string(255, u'b'));
    FreeRecord(*widened);

    CXlOper small;
    small.SetInt(-5);
    XLOPER12* wideInt = small.ReturnXloper12();
    EXPECT_EQ(wideInt->xltype, xltypeInt);
    EXPECT_EQ(wideInt->val.w, -5);
}

TEST(OperConversion, NarrowingChecksArraysAndReferences) {
    XLOPER12 big{};
    big.xltype = xltypeMulti;
    big.val.array = {nullptr, 65536, 1};  // 65,536 rows do not fit 16 bits
    XLOPER out{};
    bool allocated = false;
    EXPECT_FALSE(ConvertRecord(&big, &out, allocated));
    EXPECT_EQ(out.xltype, 0);

    XLOPER12 ref{};
    ref.xltype = xltypeSRef;
    ref.val.sref.count = 1;
    ref.val.sref.ref = {0, 9, 0, 300};
    EXPECT_FALSE(ConvertRecord(&ref, &out, allocated));
    ref.val.sref.ref = {0, 9, 0, 3};
    ASSERT_TRUE(ConvertRecord(&ref, &out, allocated));
    EXPECT_EQ(out.val.sref.ref.colLast, 3);

    XLOPER12 flow{};
    flow.xltype = xltypeFlow;
    XLOPER12 copy{};
    EXPECT_FALSE(CopyRecord(&flow, &copy, allocated));
}

TEST(OperConversion, FreeingArraysOfStrings) {
    SetIsExcel12(true);
    CXlOper fill, v;
    fill.SetString("text");
    ASSERT_TRUE(v.AllocArray(4, 4, &fill));
    XLOPER12* slot = v.ReturnXloper12();
    FreeRecord(*slot);  // what xlAutoFree12 does: every string, then the block
    EXPECT_EQ(slot->xltype, 0u);
    EXPECT_EQ(slot->val.array.lparray, nullptr);
}

TEST(OperResult, OnlyNullSelfOrXloResult) {
    SetIsExcel12(true);
    CXlOper result;
    result.SetDouble(1);
    EXPECT_NO_THROW(result.SetResult(nullptr));
    EXPECT_NO_THROW(result.SetResult(&result));
    CXlThreadData* data = ThreadData();
    ASSERT_NE(data, nullptr);
    data->xloResult.SetDouble(42);
    result.SetResult(&data->xloResult);
    EXPECT_EQ(result.Modern()->val.num, 42);
    CXlOper other;
    EXPECT_THROW(result.SetResult(&other), CXlIllegalArgumentException);
}
