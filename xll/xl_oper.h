// CXlOper: the value that crosses the border between Excel and the add-in.
// It holds room for both record layouts; the process-wide Excel 12 flag
// decides which side the setters fill.
#pragma once

#include <emmintrin.h>  // SSE2, which every x86-64 processor has

#include <cstdint>
#include <string>
#include <string_view>

#include "xll/xl_records.h"

namespace Zr::Xll {
// True once the running Excel reports version 12 or later (set during opening).
bool IsExcel12();
void SetIsExcel12(bool value);
}  // namespace Zr::Xll

// Which side of a value is valid and who owns its memory.
enum OperFlags : uint16_t {
    OPER_LEGACY_DLL_OWNED = 0x01,
    OPER_LEGACY_XL_OWNED = 0x02,
    OPER_LEGACY_VALID = 0x04,
    OPER_MODERN_DLL_OWNED = 0x10,
    OPER_MODERN_XL_OWNED = 0x20,
    OPER_MODERN_VALID = 0x40,
};

class CXlOper;
class CXlCellRef;

// The side a value's setters write: the running Excel's (Auto) or a fixed one,
// for calls that must use one interface whatever Excel runs.
enum class XlSide : uint8_t { Auto, Legacy, Modern };

// Two record pointers and the flags: what CXlOper and the element view
// CXlCellRef have in common. Setters write the side chosen by IsExcel12 (a
// view writes the side it points into).
class CXlValue {
public:
    CXlValue(const CXlValue&) = delete;
    CXlValue& operator=(const CXlValue&) = delete;

    void Release();

    void SetDouble(double value, bool releaseFirst = true);
    void SetError(ExcelErrorCode code, bool releaseFirst = true);
    void SetBool(bool value, bool releaseFirst = true);
    void SetInt(int32_t value, bool releaseFirst = true);
    void SetString(std::string_view narrow, bool releaseFirst = true);
    void SetString(std::u16string_view wide, bool releaseFirst = true);
    void SetString(const char* narrow, bool releaseFirst = true) { SetString(std::string_view(narrow ? narrow : ""), releaseFirst); }
    void SetMissing(bool releaseFirst = true);
    void SetNil(bool releaseFirst = true);

    // Rows and columns of an array or reference; 1 x 1 for a scalar unless
    // arraysOnly; 0 x 0 otherwise.
    void GetDims(int32_t& rows, int32_t& columns, bool arraysOnly = false) const;

    // Queries read the Excel 12 side when valid, else the legacy side.
    uint32_t Type() const;  // masked type, 0 when empty
    bool IsError() const { return Type() == xltypeErr; }
    bool IsString() const { return Type() == xltypeStr; }
    bool IsScalar() const;
    bool IsNil() const { return Type() == xltypeNil; }
    bool IsMissing() const { return Type() == xltypeMissing; }
    bool IsArray() const { return Type() == xltypeMulti; }
    bool IsVector() const;
    int64_t VectorLength() const;

    // Deep copy (or conversion) of `source`'s content into this value's
    // writing side, without releasing first; false when it cannot be copied.
    bool CopyFrom(const CXlValue& source);

    uint16_t Flags() const { return flags_; }
    bool ModernValid() const { return flags_ & OPER_MODERN_VALID; }
    bool LegacyValid() const { return flags_ & OPER_LEGACY_VALID; }
    XLOPER* Legacy() const { return legacy_; }
    XLOPER12* Modern() const { return modern_; }

protected:
    CXlValue(XLOPER* legacy, XLOPER12* modern, uint16_t flags) : legacy_(legacy), modern_(modern), flags_(flags) {}
    ~CXlValue() = default;

    // The side a setter writes: Excel 12 when IsExcel12, unless only one exists.
    bool WritesModern() const;
    // Zeroes both records and sets one side's record type and flags.
    XLOPER12& BeginModern(uint32_t type, bool owned);
    XLOPER& BeginLegacy(uint32_t type, bool owned);
    // Releases when asked, begins the writing side's record and lets `fill`
    // set its value.
    template <class Fill>
    void Store(uint32_t type, bool owned, bool releaseFirst, Fill fill);
    XLOPER* legacy_;
    XLOPER12* modern_;
    uint16_t flags_;
    XlSide side_ = XlSide::Auto;
};

class CXlOper : public CXlValue {
public:
    CXlOper();
    explicit CXlOper(XlSide side) : CXlOper() { side_ = side; }
    explicit CXlOper(const XLOPER* record);    // a view of an _4 argument; Excel keeps ownership
    explicit CXlOper(const XLOPER12* record);  // the same for an _12 argument
    CXlOper(const CXlOper& other);
    CXlOper& operator=(const CXlOper& other);
    ~CXlOper();

    // Deep copy of every valid side of `other`.
    void Assign(const CXlOper& other);

    // An array of rows x columns empty elements, each set to a copy of `fill`
    // when given. False (value left empty) beyond the host's limits or when out
    // of memory.
    bool AllocArray(int64_t rows, int64_t columns, const CXlOper* fill = nullptr);
    // The same with the elements left unset, for a caller that writes every
    // one of them with a CXlArrayWriter before the value is read or returned.
    bool AllocArrayToWrite(int64_t rows, int64_t columns);

    CXlCellRef Cell(int64_t row, int64_t column);
    CXlCellRef Cell(int64_t index);  // element of a one-row or one-column array

    // Takes the body's returned pointer: null or this value, or the thread's
    // xloResult (copied in); anything else throws.
    void SetResult(const CXlOper* result);

    // Hands the value to Excel in the calling thread's static record.
    XLOPER12* ReturnXloper12();
    XLOPER* ReturnXloper();

    // Conversions of the value (the Excel 12 side when valid). On failure they
    // throw "Expected number" and the like, or without the flag give 0, false
    // or empty text.
    double ToDouble(bool throwOnFailure = true) const;
    bool ToBool(bool throwOnFailure = true) const;
    std::string ToString(bool throwOnFailure = true) const;
    std::u16string ToWideString(bool throwOnFailure = true) const;

    // Takes a record Excel returned from a call (freed later with xlFree).
    void TakeExcelResult(bool modern);

private:
    bool AllocElements(int64_t rows, int64_t columns, bool zeroed);
    void Fill(const CXlOper& fill);
};

// A view of one element of an array (or of a scalar value's own record).
class CXlCellRef : public CXlValue {
public:
    CXlCellRef(XLOPER* legacy, XLOPER12* modern, uint16_t flags) : CXlValue(legacy, modern, flags) {}
    CXlCellRef(const CXlCellRef& other) : CXlValue(other.legacy_, other.modern_, other.flags_) {}
    // Stores a deep copy of a scalar (number, boolean, integer, string, nil).
    CXlCellRef& operator=(const CXlOper& source);
    CXlCellRef& operator=(double value) {
        SetDouble(value);
        return *this;
    }
    CXlCellRef& operator=(ExcelErrorCode code) {
        SetError(code);
        return *this;
    }
};

// Writes numbers and error codes straight into the elements of an array that
// was just allocated (its elements own nothing, so nothing needs releasing):
// the fast way to fill a column of a million results. Each store writes the
// whole record, padding included, so the array may come unset from
// AllocArrayToWrite. Element i counts row by row; the caller keeps i below
// rows x columns.
//
// An Excel 12 record is built in two 16-byte registers. Arrays beyond the
// cache are written around it (streaming stores): the records go straight to
// memory instead of each line being read in first.
class CXlArrayWriter {
public:
    // Arrays of this size and more are written with streaming stores.
    static constexpr uint64_t kStreamingBytes = uint64_t(1) << 20;

    explicit CXlArrayWriter(CXlOper& array);
    ~CXlArrayWriter() {
        if (streaming_) _mm_sfence();  // the records are in memory before anyone reads them
    }
    CXlArrayWriter(const CXlArrayWriter&) = delete;
    CXlArrayWriter& operator=(const CXlArrayWriter&) = delete;

    void SetDouble(int64_t i, double value) {
        if (modern_) {
            Store(i, _mm_castpd_si128(_mm_set_sd(value)), xltypeNum);
        } else {
            XLOPER record{};
            record.val.num = value;
            record.xltype = xltypeNum;
            legacy_[i] = record;
        }
    }

    void SetError(int64_t i, ExcelErrorCode code) {
        if (modern_) {
            Store(i, _mm_cvtsi32_si128(int32_t(code)), xltypeErr);
        } else {
            XLOPER record{};
            record.val.err = uint16_t(code);
            record.xltype = xltypeErr;
            legacy_[i] = record;
        }
    }

private:
    // Bytes 0-15 hold the value, bytes 24-27 the type; the rest is zero.
    void Store(int64_t i, __m128i value, uint32_t type) {
        static_assert(sizeof(XLOPER12) == 32);
        __m128i* record = reinterpret_cast<__m128i*>(modern_ + i);
        const __m128i typed = _mm_set_epi32(0, int32_t(type), 0, 0);
        if (streaming_) {
            _mm_stream_si128(record, value);
            _mm_stream_si128(record + 1, typed);
        } else {
            _mm_storeu_si128(record, value);
            _mm_storeu_si128(record + 1, typed);
        }
    }

    XLOPER12* modern_;
    XLOPER* legacy_;
    bool streaming_ = false;
};
