// Conversions between Values and Excel's records (XLOPER12 and XLOPER), and
// the two homes of the records the host builds: an arena for the arguments
// of one call, the heap for results the add-in later returns with xlFree.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <vector>

#include "host/value.h"
#include "xll/xl_records.h"

namespace Zr::Host {

class RecordAllocator {
public:
    virtual ~RecordAllocator() = default;
    virtual XCHAR* WideChars(size_t count) = 0;
    virtual char* Bytes(size_t count) = 0;
    virtual XLOPER12* Records12(size_t count) = 0;
    virtual XLOPER* Records4(size_t count) = 0;
};

// Fills `record` with `value` (an xltypeInt when `integer` is set and the
// value is a number; an XLOPER keeps its low 16 bits). Text is cut to what
// the layout holds: 32,767 UTF-16 units, or 255 bytes of the ANSI code page.
// False, with the record zeroed, when the layout cannot hold the value: an
// array nested in an array, an empty array or one beyond the layout's grid.
bool WriteRecord12(const Value& value, XLOPER12& record, RecordAllocator& allocator, bool integer = false);
bool WriteRecord4(const Value& value, XLOPER& record, RecordAllocator& allocator, bool integer = false);

// A deep copy of a record as a Value. Integers read as numbers; references,
// flow records, big data and malformed records read as #VALUE!.
Value ReadRecord12(const XLOPER12& record);
Value ReadRecord4(const XLOPER& record);

// Owns every record and block it hands out until it is destroyed.
class RecordArena final : public RecordAllocator {
public:
    XLOPER12* NewRecord12() { return &records12_.emplace_back(XLOPER12{}); }
    XLOPER* NewRecord4() { return &records4_.emplace_back(XLOPER{}); }

    XCHAR* WideChars(size_t count) override { return Keep(wide_, count); }
    char* Bytes(size_t count) override { return Keep(bytes_, count); }
    XLOPER12* Records12(size_t count) override { return Keep(blocks12_, count); }
    XLOPER* Records4(size_t count) override { return Keep(blocks4_, count); }

private:
    template <class T>
    static T* Keep(std::vector<std::unique_ptr<T[]>>& store, size_t count) {
        return store.emplace_back(std::make_unique<T[]>(count)).get();
    }

    std::deque<XLOPER12> records12_;  // a deque keeps handed-out addresses stable
    std::deque<XLOPER> records4_;
    std::vector<std::unique_ptr<XCHAR[]>> wide_;
    std::vector<std::unique_ptr<char[]>> bytes_;
    std::vector<std::unique_ptr<XLOPER12[]>> blocks12_;
    std::vector<std::unique_ptr<XLOPER[]>> blocks4_;
};

// Memory from new[], owned by the record until FreeRecord12/FreeRecord4.
class HeapAllocator final : public RecordAllocator {
public:
    XCHAR* WideChars(size_t count) override { return new XCHAR[count](); }
    char* Bytes(size_t count) override { return new char[count](); }
    XLOPER12* Records12(size_t count) override { return new XLOPER12[count](); }
    XLOPER* Records4(size_t count) override { return new XLOPER[count](); }
};

// Frees what a record written with a HeapAllocator holds, element by element,
// and zeroes the record.
void FreeRecord12(XLOPER12& record);
void FreeRecord4(XLOPER& record);

// The block a record's memory starts at (its string or element block), or null.
const void* MemoryOf(const XLOPER12& record);
const void* MemoryOf(const XLOPER& record);

}  // namespace Zr::Host
