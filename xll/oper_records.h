// Record-level operations on XLOPER and XLOPER12: allocation of counted
// strings and element blocks from the add-in's heap, recursive freeing, deep
// copies within one layout and conversions between the two layouts.
#pragma once

#include <cstddef>
#include <string_view>

#include "xll/xl_records.h"

namespace Zr::Xll {

// True when the record's masked type owns memory (string, reference, array).
bool HoldsMemory(uint32_t xltype);

// Frees what the record points to (elements of an array first) with the
// add-in's own free, then zeroes the record.
void FreeRecord(XLOPER& record);
void FreeRecord(XLOPER12& record);

// New counted strings; null when out of memory. A narrow string keeps at most
// 255 bytes, cut on a character boundary.
XCHAR* NewWideString(std::u16string_view text);
char* NewNarrowString(std::string_view text);
// Counted strings built by converting from the other side's text.
XCHAR* NewWideStringFromAnsi(std::string_view text);
char* NewNarrowStringFromWide(std::u16string_view text);

// A block of rows x columns elements, or null (count overflow, out of memory).
// Zeroed unless the caller writes every element itself.
XLOPER* NewArray4(int64_t rows, int64_t columns, bool zeroed = true);
XLOPER12* NewArray12(int64_t rows, int64_t columns, bool zeroed = true);

// Deep copy within one layout into a free `target`. Returns false when the copy
// fails (the target is then left zeroed); `allocated` says whether memory was
// allocated.
bool CopyRecord(const XLOPER* source, XLOPER* target, bool& allocated);
bool CopyRecord(const XLOPER12* source, XLOPER12* target, bool& allocated);

// Conversions between the layouts into a free `target`, with the same
// contract. Narrowing fails for what an XLOPER cannot hold.
bool ConvertRecord(const XLOPER* source, XLOPER12* target, bool& allocated);
bool ConvertRecord(const XLOPER12* source, XLOPER* target, bool& allocated);

// The text of a counted string record.
std::u16string_view StringOf(const XLOPER12& record);
std::string_view StringOf(const XLOPER& record);

}  // namespace Zr::Xll
