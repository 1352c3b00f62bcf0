#include "host/records.h"

#include <algorithm>
#include <cstring>

#include "xll/platform.h"

namespace Zr::Host {
namespace {

constexpr size_t kMaxWideText = 32767;  // the longest text a cell holds
constexpr size_t kMaxByteText = 255;    // a byte-counted string's limit

// What differs between the two layouts: the grid and how text is stored.
template <class Record>
struct Layout;

template <>
struct Layout<XLOPER12> {
    static constexpr int32_t kMaxRows = kMaxRows12;
    static constexpr int32_t kMaxColumns = kMaxColumns12;

    static void WriteText(const std::u16string& text, XLOPER12& r, RecordAllocator& a) {
        const size_t n = std::min(text.size(), kMaxWideText);
        r.val.str = a.WideChars(n + 1);
        r.val.str[0] = XCHAR(n);
        std::copy_n(text.data(), n, r.val.str + 1);
    }
    static std::u16string ReadText(const XLOPER12& r) { return std::u16string(r.val.str + 1, r.val.str[0]); }
};

template <>
struct Layout<XLOPER> {
    static constexpr int32_t kMaxRows = kMaxRows4;
    static constexpr int32_t kMaxColumns = kMaxColumns4;

    static void WriteText(const std::u16string& text, XLOPER& r, RecordAllocator& a) {
        const std::string ansi = Platform::WideToAnsi(text.data(), text.size());
        const size_t n = Platform::AnsiPrefixLength(ansi.data(), ansi.size(), kMaxByteText);
        r.val.str = a.Bytes(n + 1);
        r.val.str[0] = char(static_cast<unsigned char>(n));
        std::copy_n(ansi.data(), n, r.val.str + 1);
    }
    static std::u16string ReadText(const XLOPER& r) {
        return Platform::AnsiToWide(r.val.str + 1, static_cast<unsigned char>(r.val.str[0]));
    }
};

XLOPER12* Block(RecordAllocator& a, size_t n, XLOPER12*) { return a.Records12(n); }
XLOPER* Block(RecordAllocator& a, size_t n, XLOPER*) { return a.Records4(n); }

template <class Record>
bool WriteRecord(const Value& value, Record& r, RecordAllocator& a, bool integer);

template <class Record>
bool WriteArray(const Value& value, Record& r, RecordAllocator& a) {
    using L = Layout<Record>;
    if (value.rows < 1 || value.columns < 1 || value.rows > L::kMaxRows || value.columns > L::kMaxColumns)
        return false;
    for (const Value& e : value.elements)
        if (e.Is(ValueKind::Array)) return false;  // a cell holds no array
    Record* elements = Block(a, value.elements.size(), static_cast<Record*>(nullptr));
    for (size_t i = 0; i < value.elements.size(); ++i) {
        // Scalars always fit, so the elements need no clean-up path.
        std::memset(&elements[i], 0, sizeof(Record));
        WriteRecord(value.elements[i], elements[i], a, false);
    }
    r.val.array.lparray = elements;
    r.val.array.rows = static_cast<decltype(r.val.array.rows)>(value.rows);
    r.val.array.columns = static_cast<decltype(r.val.array.columns)>(value.columns);
    r.xltype = xltypeMulti;
    return true;
}

template <class Record>
bool WriteRecord(const Value& value, Record& r, RecordAllocator& a, bool integer) {
    std::memset(&r, 0, sizeof r);
    switch (value.kind) {
    case ValueKind::Number:
        if (integer) {
            r.val.w = static_cast<decltype(r.val.w)>(static_cast<int64_t>(value.number));
            r.xltype = xltypeInt;
        } else {
            r.val.num = value.number;
            r.xltype = xltypeNum;
        }
        return true;
    case ValueKind::Text:
        Layout<Record>::WriteText(value.text, r, a);
        r.xltype = xltypeStr;
        return true;
    case ValueKind::Bool:
        r.val.xbool = value.boolean ? 1 : 0;
        r.xltype = xltypeBool;
        return true;
    case ValueKind::Error:
        r.val.err = static_cast<decltype(r.val.err)>(value.error);
        r.xltype = xltypeErr;
        return true;
    case ValueKind::Missing: r.xltype = xltypeMissing; return true;
    case ValueKind::Nil: r.xltype = xltypeNil; return true;
    case ValueKind::Array: break;
    }
    if (WriteArray(value, r, a)) return true;
    std::memset(&r, 0, sizeof r);
    return false;
}

template <class Record>
Value ReadRecord(const Record& r) {
    switch (MaskedType(r.xltype)) {
    case xltypeNum: return Value::Number(r.val.num);
    case xltypeStr: return r.val.str ? Value::Text(Layout<Record>::ReadText(r)) : Value::Error(xlerrValue);
    case xltypeBool: return Value::Bool(r.val.xbool != 0);
    case xltypeErr: return Value::Error(r.val.err);
    case xltypeInt: return Value::Number(r.val.w);
    case xltypeMissing: return Value::Missing();
    case xltypeNil: return Value::Nil();
    case xltypeMulti: break;
    default: return Value::Error(xlerrValue);  // references and the like have no cell value here
    }
    const int rows = r.val.array.rows;
    const int columns = r.val.array.columns;
    if (rows < 1 || columns < 1 || !r.val.array.lparray) return Value::Error(xlerrValue);
    std::vector<Value> elements;
    elements.reserve(size_t(rows) * size_t(columns));
    for (size_t i = 0; i < size_t(rows) * size_t(columns); ++i) elements.push_back(ReadRecord(r.val.array.lparray[i]));
    return Value::Array(rows, columns, std::move(elements));
}

template <class Record>
void FreeRecord(Record& r) {
    switch (MaskedType(r.xltype)) {
    case xltypeStr: delete[] r.val.str; break;
    case xltypeMulti: {
        const size_t count = size_t(std::max(0, int(r.val.array.rows))) * size_t(std::max(0, int(r.val.array.columns)));
        for (size_t i = 0; i < count; ++i) FreeRecord(r.val.array.lparray[i]);
        delete[] r.val.array.lparray;
        break;
    }
    default: break;
    }
    std::memset(&r, 0, sizeof r);
}

template <class Record>
const void* Memory(const Record& r) {
    switch (MaskedType(r.xltype)) {
    case xltypeStr: return r.val.str;
    case xltypeMulti: return r.val.array.lparray;
    default: return nullptr;
    }
}

}  // namespace

bool WriteRecord12(const Value& value, XLOPER12& record, RecordAllocator& allocator, bool integer) {
    return WriteRecord(value, record, allocator, integer);
}

bool WriteRecord4(const Value& value, XLOPER& record, RecordAllocator& allocator, bool integer) {
    return WriteRecord(value, record, allocator, integer);
}

Value ReadRecord12(const XLOPER12& record) { return ReadRecord(record); }
Value ReadRecord4(const XLOPER& record) { return ReadRecord(record); }

void FreeRecord12(XLOPER12& record) { FreeRecord(record); }
void FreeRecord4(XLOPER& record) { FreeRecord(record); }

const void* MemoryOf(const XLOPER12& record) { return Memory(record); }
const void* MemoryOf(const XLOPER& record) { return Memory(record); }

}  // namespace Zr::Host
