// The element blocks of the arrays the add-in hands to Excel.
//
// Each block starts with a header that records its size and whether any
// element may own memory, so that freeing a column of a million numbers does
// not read the column again. A few large blocks freed last are kept for the
// next large result: memory fresh from the system costs a page fault per
// 4 KiB, about ten times what filling memory already mapped costs, and the
// Windows heap (like glibc from 32 MiB) takes large blocks from the system on
// every call. Excel frees a result before the calling thread's next call, so
// a recalculated column finds the block its last result had.
#pragma once

#include <cstddef>

namespace Zr::Xll {

// Blocks of this many bytes and more may be kept; a full column of the
// largest grid (1,048,576 records of 32 bytes) is 32 MiB.
inline constexpr size_t kKeptBlockMinimum = size_t(1) << 20;
inline constexpr size_t kKeptBlockMaximum = size_t(64) << 20;
// At most this many blocks, and this many bytes, are kept between calls.
inline constexpr int kKeptBlockCount = 4;
inline constexpr size_t kKeptBytesMaximum = size_t(128) << 20;

// Room for `bytes` of elements, all zero when `zeroed`, else unset: the
// caller then writes every element. Null when out of memory. The block's
// elements are taken to own no memory until marked.
void* NewElementBlock(size_t bytes, bool zeroed);
// Frees the block (or keeps it for the next large result).
void ReleaseElementBlock(void* elements);

// Whether an element may hold a string, reference or array of its own.
bool ElementsMayOwnMemory(const void* elements);
void MarkElementsMayOwnMemory(void* elements);

// Frees every kept block (the add-in closing or unloading).
void ReleaseKeptBlocks();
// The number and bytes of the blocks kept now (tests).
size_t KeptBlockCount();
size_t KeptBlockBytes();

}  // namespace Zr::Xll
