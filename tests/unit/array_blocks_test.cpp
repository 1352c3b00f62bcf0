// Element blocks: large ones are kept for the next result within the bounds,
// small ones never, and closing frees them all.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "xll/array_blocks.h"
#include "xll/xl_oper.h"

using namespace Zr::Xll;

TEST(ArrayBlocks, LargeBlocksAreKeptWithinTheBounds) {
    ReleaseKeptBlocks();
    constexpr size_t kColumn = size_t(1048576) * 32;
    std::vector<void*> blocks;
    for (int i = 0; i < kKeptBlockCount + 2; ++i) blocks.push_back(NewElementBlock(kColumn, false));
    void* small = NewElementBlock(kKeptBlockMinimum - 1, true);
    void* huge = NewElementBlock(kKeptBlockMaximum + 1, false);
    for (void* b : blocks) ReleaseElementBlock(b);
    ReleaseElementBlock(small);
    ReleaseElementBlock(huge);
    EXPECT_EQ(KeptBlockCount(), 4u);  // 4 x 32 MiB: both bounds reached at once
    EXPECT_EQ(KeptBlockBytes(), 4 * kColumn);

    // A result of about the same size takes a kept block, a much smaller one does not.
    void* again = NewElementBlock(kColumn - 4096, true);
    EXPECT_NE(std::find(blocks.begin(), blocks.end(), again), blocks.end());
    EXPECT_FALSE(ElementsMayOwnMemory(again));
    EXPECT_EQ(KeptBlockCount(), 3u);
    void* half = NewElementBlock(kColumn / 2 - 1, false);
    EXPECT_EQ(KeptBlockCount(), 3u);
    ReleaseElementBlock(half);
    ReleaseElementBlock(again);
    ReleaseKeptBlocks();
    EXPECT_EQ(KeptBlockCount(), 0u);
    EXPECT_EQ(KeptBlockBytes(), 0u);
}

// An element given text through a view makes freeing look at every element:
// the sanitizer build reports the text as leaked otherwise.
TEST(ArrayBlocks, ElementsWithTextAreFreed) {
    CXlOper array(XlSide::Modern);
    ASSERT_TRUE(array.AllocArrayToWrite(3, 1));
    {
        CXlArrayWriter writer(array);
        for (int i = 0; i < 3; ++i) writer.SetDouble(i, i);
    }
    EXPECT_FALSE(ElementsMayOwnMemory(array.Modern()->val.array.lparray));
    array.Cell(1).SetString(std::string_view("text"));
    EXPECT_TRUE(ElementsMayOwnMemory(array.Modern()->val.array.lparray));
    EXPECT_EQ(array.Cell(0, 0).Type(), uint32_t(xltypeNum));
}
