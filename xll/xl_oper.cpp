#include "xll/xl_oper.h"

#include <atomic>
#include <cstring>
#include <memory>

#include "xll/array_blocks.h"
#include "xll/exceptions.h"
#include "xll/excel_bridge.h"
#include "xll/messages.h"
#include "xll/oper_records.h"
#include "xll/thread_data.h"

using namespace Zr::Xll;

namespace Zr::Xll {
namespace {
std::atomic<bool> g_isExcel12 = false;
}
bool IsExcel12() { return g_isExcel12.load(std::memory_order_relaxed); }
void SetIsExcel12(bool value) { g_isExcel12 = value; }
}  // namespace Zr::Xll

namespace {

bool IsScalarType(uint32_t type) {
    return type == xltypeNum || type == xltypeBool || type == xltypeInt || type == xltypeStr;
}

// Frees one side of a value according to who owns its memory.
template <class Rec>
void ReleaseSide(Rec* record, uint16_t flags, uint16_t xlOwned, uint16_t dllOwned) {
    if (!record) return;
    if (flags & xlOwned)
        FreeExcelRecord(record);
    else if (flags & dllOwned)
        FreeRecord(*record);
    std::memset(record, 0, sizeof *record);
}

}  // namespace

// --- CXlValue ---------------------------------------------------------------------

void CXlValue::Release() {
    ReleaseSide(legacy_, flags_, OPER_LEGACY_XL_OWNED, OPER_LEGACY_DLL_OWNED);
    ReleaseSide(modern_, flags_, OPER_MODERN_XL_OWNED, OPER_MODERN_DLL_OWNED);
    flags_ = 0;
}

bool CXlValue::WritesModern() const {
    if (!legacy_) return true;
    if (!modern_) return false;
    return side_ == XlSide::Auto ? IsExcel12() : side_ == XlSide::Modern;
}

XLOPER12& CXlValue::BeginModern(uint32_t type, bool owned) {
    if (legacy_) std::memset(legacy_, 0, sizeof *legacy_);
    std::memset(modern_, 0, sizeof *modern_);
    modern_->xltype = type;
    flags_ = OPER_MODERN_VALID | (owned ? OPER_MODERN_DLL_OWNED : 0);
    return *modern_;
}

XLOPER& CXlValue::BeginLegacy(uint32_t type, bool owned) {
    if (modern_) std::memset(modern_, 0, sizeof *modern_);
    std::memset(legacy_, 0, sizeof *legacy_);
    legacy_->xltype = uint16_t(type);
    flags_ = OPER_LEGACY_VALID | (owned ? OPER_LEGACY_DLL_OWNED : 0);
    return *legacy_;
}

namespace {

// Counted strings for the side being written.
XCHAR* NewStringFor(const XLOPER12&, std::string_view narrow) { return NewWideStringFromAnsi(narrow); }
XCHAR* NewStringFor(const XLOPER12&, std::u16string_view wide) { return NewWideString(wide); }
char* NewStringFor(const XLOPER&, std::string_view narrow) { return NewNarrowString(narrow); }
char* NewStringFor(const XLOPER&, std::u16string_view wide) { return NewNarrowStringFromWide(wide); }

template <class T>
T* Allocated(T* p) {
    if (!p) throw CXlRuntimeException(MSG_MEMORY_ALLOCATION);
    return p;
}

}  // namespace

template <class Fill>
void CXlValue::Store(uint32_t type, bool owned, bool releaseFirst, Fill fill) {
    if (releaseFirst) Release();
    if (WritesModern())
        fill(BeginModern(type, owned));
    else
        fill(BeginLegacy(type, owned));
}

void CXlValue::SetDouble(double value, bool releaseFirst) {
    Store(xltypeNum, false, releaseFirst, [&](auto& r) { r.val.num = value; });
}

void CXlValue::SetError(ExcelErrorCode code, bool releaseFirst) {
    Store(xltypeErr, false, releaseFirst, [&](auto& r) { r.val.err = decltype(r.val.err)(code); });
}

void CXlValue::SetBool(bool value, bool releaseFirst) {
    Store(xltypeBool, false, releaseFirst, [&](auto& r) { r.val.xbool = value; });
}

void CXlValue::SetInt(int32_t value, bool releaseFirst) {
    Store(xltypeInt, false, releaseFirst, [&](auto& r) { r.val.w = decltype(r.val.w)(value); });
}

void CXlValue::SetString(std::string_view narrow, bool releaseFirst) {
    Store(xltypeStr, true, releaseFirst, [&](auto& r) { r.val.str = Allocated(NewStringFor(r, narrow)); });
}

void CXlValue::SetString(std::u16string_view wide, bool releaseFirst) {
    Store(xltypeStr, true, releaseFirst, [&](auto& r) { r.val.str = Allocated(NewStringFor(r, wide)); });
}

void CXlValue::SetMissing(bool releaseFirst) {
    Store(xltypeMissing, false, releaseFirst, [](auto&) {});
}

void CXlValue::SetNil(bool releaseFirst) {
    Store(xltypeNil, false, releaseFirst, [](auto&) {});
}

uint32_t CXlValue::Type() const {
    if (ModernValid() && modern_) return MaskedType(modern_->xltype);
    if (LegacyValid() && legacy_) return MaskedType(legacy_->xltype);
    return 0;
}

bool CXlValue::IsScalar() const { return IsScalarType(Type()); }

namespace {
template <class Rec>
void DimsOf(const Rec& r, int32_t& rows, int32_t& columns, bool arraysOnly) {
    rows = columns = 0;
    switch (MaskedType(r.xltype)) {
    case xltypeMulti:
        rows = r.val.array.rows;
        columns = r.val.array.columns;
        break;
    case xltypeSRef:
        rows = r.val.sref.ref.rwLast - r.val.sref.ref.rwFirst + 1;
        columns = r.val.sref.ref.colLast - r.val.sref.ref.colFirst + 1;
        break;
    case xltypeRef:
        if (r.val.mref.lpmref && r.val.mref.lpmref->count > 0) {
            const auto& area = r.val.mref.lpmref->reftbl[0];
            rows = area.rwLast - area.rwFirst + 1;
            columns = area.colLast - area.colFirst + 1;
        }
        break;
    default:
        if (!arraysOnly && IsScalarType(MaskedType(r.xltype))) rows = columns = 1;
    }
}
}  // namespace

void CXlValue::GetDims(int32_t& rows, int32_t& columns, bool arraysOnly) const {
    rows = columns = 0;
    if (ModernValid() && modern_)
        DimsOf(*modern_, rows, columns, arraysOnly);
    else if (LegacyValid() && legacy_)
        DimsOf(*legacy_, rows, columns, arraysOnly);
}

bool CXlValue::IsVector() const { return VectorLength() > 0; }

int64_t CXlValue::VectorLength() const {
    if (IsScalar()) return 1;
    if (!IsArray()) return 0;
    int32_t rows = 0, columns = 0;
    GetDims(rows, columns, true);
    return (rows == 1 || columns == 1) ? int64_t(rows) * columns : 0;
}

bool CXlValue::CopyFrom(const CXlValue& source) {
    bool allocated = false, ok = false;
    if (WritesModern()) {
        XLOPER12& target = BeginModern(0, false);
        ok = source.ModernValid() ? CopyRecord(source.modern_, &target, allocated)
                                  : source.LegacyValid() && ConvertRecord(source.legacy_, &target, allocated);
        flags_ = OPER_MODERN_VALID | (allocated ? OPER_MODERN_DLL_OWNED : 0);
    } else {
        XLOPER& target = BeginLegacy(0, false);
        ok = source.LegacyValid() ? CopyRecord(source.legacy_, &target, allocated)
                                  : source.ModernValid() && ConvertRecord(source.modern_, &target, allocated);
        flags_ = OPER_LEGACY_VALID | (allocated ? OPER_LEGACY_DLL_OWNED : 0);
    }
    if (!ok) flags_ = 0;
    return ok;
}

// --- CXlOper ----------------------------------------------------------------------

CXlOper::CXlOper() : CXlValue(nullptr, nullptr, 0) {
    auto legacy = std::make_unique<XLOPER>();  // not lost if the second allocation fails
    modern_ = new XLOPER12{};
    legacy_ = legacy.release();
}

CXlOper::CXlOper(const XLOPER* record) : CXlOper() {
    if (!record) return;
    *legacy_ = *record;
    flags_ = OPER_LEGACY_VALID;
}

CXlOper::CXlOper(const XLOPER12* record) : CXlOper() {
    if (!record) return;
    *modern_ = *record;
    flags_ = OPER_MODERN_VALID;
}

CXlOper::CXlOper(const CXlOper& other) : CXlOper() { Assign(other); }

CXlOper& CXlOper::operator=(const CXlOper& other) {
    Assign(other);
    return *this;
}

CXlOper::~CXlOper() {
    Release();
    delete legacy_;
    delete modern_;
}

void CXlOper::Assign(const CXlOper& other) {
    if (&other == this) return;
    Release();
    bool allocated = false;
    if (other.LegacyValid() && CopyRecord(other.legacy_, legacy_, allocated))
        flags_ |= OPER_LEGACY_VALID | (allocated ? OPER_LEGACY_DLL_OWNED : 0);
    if (other.ModernValid() && CopyRecord(other.modern_, modern_, allocated))
        flags_ |= OPER_MODERN_VALID | (allocated ? OPER_MODERN_DLL_OWNED : 0);
}

bool CXlOper::AllocArray(int64_t rows, int64_t columns, const CXlOper* fill) {
    if (!AllocElements(rows, columns, true)) return false;
    if (fill) Fill(*fill);
    return true;
}

bool CXlOper::AllocArrayToWrite(int64_t rows, int64_t columns) { return AllocElements(rows, columns, false); }

bool CXlOper::AllocElements(int64_t rows, int64_t columns, bool zeroed) {
    Release();
    const bool modern = WritesModern();
    const int64_t maxRows = modern ? kMaxRows12 : kMaxRows4;
    const int64_t maxColumns = modern ? kMaxColumns12 : kMaxColumns4;
    if (rows < 1 || columns < 1 || rows > maxRows || columns > maxColumns) return false;
    if (modern) {
        XLOPER12* elements = NewArray12(rows, columns, zeroed);
        if (!elements) return false;
        auto& array = BeginModern(xltypeMulti, true).val.array;
        array = {elements, int32_t(rows), int32_t(columns)};
    } else {
        XLOPER* elements = NewArray4(rows, columns, zeroed);
        if (!elements) return false;
        auto& array = BeginLegacy(xltypeMulti, true).val.array;
        array = {elements, uint16_t(rows), uint16_t(columns)};
    }
    return true;
}

void CXlOper::Fill(const CXlOper& fill) {
    const uint32_t type = fill.Type();
    if (!IsScalarType(type) && type != xltypeNil && type != xltypeErr)
        throw CXlIllegalArgumentException(MSG_SOURCE_NOT_SCALAR);
    if (!IsArray()) throw CXlIllegalArgumentException(MSG_ILLEGAL_ARGUMENT);
    int32_t rows = 0, columns = 0;
    GetDims(rows, columns);
    for (int64_t i = 0, n = int64_t(rows) * columns; i < n; ++i) {
        CXlCellRef cell = Cell(i / columns, i % columns);
        if (!cell.CopyFrom(fill)) throw CXlStringTooLongException(MSG_STRING_TOO_LONG);
    }
}

CXlArrayWriter::CXlArrayWriter(CXlOper& array)
    : modern_(array.ModernValid() && array.IsArray() ? array.Modern()->val.array.lparray : nullptr),
      legacy_(array.LegacyValid() && array.IsArray() ? array.Legacy()->val.array.lparray : nullptr) {
    if (!modern_) return;
    int32_t rows = 0, columns = 0;
    array.GetDims(rows, columns);
    const uint64_t bytes = uint64_t(rows) * uint64_t(columns) * sizeof(XLOPER12);
    // Streaming stores need 16-byte alignment, which element blocks have.
    streaming_ = bytes >= kStreamingBytes && reinterpret_cast<uintptr_t>(modern_) % 16 == 0;
}

CXlCellRef CXlOper::Cell(int64_t row, int64_t column) {
    const bool modern = ModernValid();
    if (!modern && !LegacyValid()) throw CXlOutOfRangeException(MSG_INDEX_OUT_OF_RANGE);
    const int64_t maxRows = modern ? kMaxRows12 : kMaxRows4;
    const int64_t maxColumns = modern ? kMaxColumns12 : kMaxColumns4;
    if (row < 0 || column < 0 || row >= maxRows || column >= maxColumns)
        throw CXlOutOfRangeException(MSG_INDEX_OUT_OF_RANGE);
    const uint32_t type = Type();
    if (type == xltypeMulti) {
        int32_t rows = 0, columns = 0;
        GetDims(rows, columns);
        if (row >= rows || column >= columns) throw CXlOutOfRangeException(MSG_INDEX_OUT_OF_RANGE);
        const int64_t index = row * columns + column;
        // A view may store text or an array: freeing must then look at each element.
        if (modern && (flags_ & OPER_MODERN_DLL_OWNED)) MarkElementsMayOwnMemory(modern_->val.array.lparray);
        if (!modern && (flags_ & OPER_LEGACY_DLL_OWNED)) MarkElementsMayOwnMemory(legacy_->val.array.lparray);
        if (modern) return CXlCellRef(nullptr, &modern_->val.array.lparray[index], flags_ & 0x70);
        return CXlCellRef(&legacy_->val.array.lparray[index], nullptr, flags_ & 0x07);
    }
    if (row != 0 || column != 0) throw CXlOutOfRangeException(MSG_INDEX_OUT_OF_RANGE);
    if (!IsScalarType(type)) throw CXlBadOperTypeException(MSG_BAD_XLOPER_TYPE);
    if (modern) return CXlCellRef(nullptr, modern_, flags_ & 0x70);
    return CXlCellRef(legacy_, nullptr, flags_ & 0x07);
}

CXlCellRef CXlOper::Cell(int64_t index) {
    int32_t rows = 0, columns = 0;
    GetDims(rows, columns);
    if (rows == 1) return Cell(0, index);
    if (columns == 1) return Cell(index, 0);
    throw CXlOutOfRangeException(MSG_INDEX_OUT_OF_RANGE);
}

void CXlOper::SetResult(const CXlOper* result) {
    if (!result || result == this) return;
    CXlThreadData* data = ThreadData();
    if (!data || result != &data->xloResult) throw CXlIllegalArgumentException(MSG_ILLEGAL_RESULT);
    Assign(data->xloResult);
}

void CXlOper::TakeExcelResult(bool modern) {
    flags_ = modern ? (OPER_MODERN_VALID | OPER_MODERN_XL_OWNED) : (OPER_LEGACY_VALID | OPER_LEGACY_XL_OWNED);
}

namespace {

// Moves (or copies) one side of `value` into the static record of that layout.
template <class Rec, class OtherRec>
Rec* HandOver(Rec* slot, Rec* own, OtherRec* other, uint16_t& flags, uint16_t valid, uint16_t dllOwned,
              uint16_t xlOwned, uint16_t otherValid) {
    if (HoldsMemory(slot->xltype)) FreeRecord(*slot);
    std::memset(slot, 0, sizeof *slot);
    bool allocated = false;
    bool ok = true;
    if ((flags & valid) && !(flags & xlOwned)) {
        *slot = *own;  // move: the slot takes the memory, the value forgets it
        allocated = (flags & dllOwned) && HoldsMemory(own->xltype);
        flags &= uint16_t(~dllOwned);
    } else if (flags & valid) {
        ok = CopyRecord(own, slot, allocated);
    } else if (flags & otherValid) {
        ok = ConvertRecord(other, slot, allocated);
    } else {
        ok = false;
    }
    if (!ok) {
        std::memset(slot, 0, sizeof *slot);
        slot->val.err = xlerrValue;
        slot->xltype = xltypeErr;
        return slot;
    }
    slot->xltype = decltype(slot->xltype)(MaskedType(slot->xltype) | (allocated ? uint32_t(xlbitDLLFree) : 0u));
    return slot;
}

}  // namespace

XLOPER12* CXlOper::ReturnXloper12() {
    CXlThreadData* data = ThreadData();
    if (!data) return nullptr;
    return HandOver(&data->result12, modern_, legacy_, flags_, OPER_MODERN_VALID, OPER_MODERN_DLL_OWNED,
                    OPER_MODERN_XL_OWNED, OPER_LEGACY_VALID);
}

XLOPER* CXlOper::ReturnXloper() {
    CXlThreadData* data = ThreadData();
    if (!data) return nullptr;
    return HandOver(&data->result4, legacy_, modern_, flags_, OPER_LEGACY_VALID, OPER_LEGACY_DLL_OWNED,
                    OPER_LEGACY_XL_OWNED, OPER_MODERN_VALID);
}

// --- CXlCellRef -------------------------------------------------------------------

CXlCellRef& CXlCellRef::operator=(const CXlOper& source) {
    const uint32_t type = source.Type();
    if (!IsScalarType(type) && type != xltypeNil)
        throw CXlIllegalArgumentException(MSG_CELL_NOT_SCALAR);
    const bool same = (modern_ && modern_ == source.Modern()) || (legacy_ && legacy_ == source.Legacy());
    if (same) return *this;
    Release();
    if (!CopyFrom(source)) throw CXlStringTooLongException(MSG_STRING_TOO_LONG);
    return *this;
}
