#include "xll/oper_records.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>

#include "xll/array_blocks.h"
#include "xll/platform.h"

namespace Zr::Xll {
namespace {

constexpr size_t kMaxNarrowLength = 255;
constexpr size_t kMaxWideLength = 32767;  // the longest text a cell holds

template <class Rec>
int64_t ElementCount(const Rec& r) {
    const int64_t rows = r.val.array.rows, columns = r.val.array.columns;
    return (rows > 0 && columns > 0) ? rows * columns : 0;
}

// Records take their memory from the global allocation functions, like the
// rest of the add-in: zeroed, and null when none is left.
void* Allocate(size_t count, size_t size) {
    if (size != 0 && count > SIZE_MAX / size) return nullptr;
    void* block = ::operator new(count * size, std::nothrow);
    return block ? std::memset(block, 0, count * size) : nullptr;
}

void Release(void* block) { ::operator delete(block); }

template <class Rec>
Rec* NewArray(int64_t rows, int64_t columns, bool zeroed = true) {
    if (rows < 1 || columns < 1 || rows > (int64_t(1) << 31) || columns > (int64_t(1) << 31)) return nullptr;
    const size_t count = size_t(rows * columns);
    if (count > SIZE_MAX / sizeof(Rec)) return nullptr;
    return static_cast<Rec*>(NewElementBlock(count * sizeof(Rec), zeroed));
}

template <class Rec>
void Free(Rec& r) {
    switch (MaskedType(r.xltype)) {
    case xltypeStr:
        Release(r.val.str);
        break;
    case xltypeRef:
        Release(r.val.mref.lpmref);
        break;
    case xltypeMulti:
        if (r.val.array.lparray) {
            if (ElementsMayOwnMemory(r.val.array.lparray))
                for (int64_t i = 0, n = ElementCount(r); i < n; ++i) Free(r.val.array.lparray[i]);
            ReleaseElementBlock(r.val.array.lparray);
        }
        break;
    default:
        break;
    }
    std::memset(&r, 0, sizeof r);
}

// --- Pieces that differ by layout ------------------------------------------------

std::string_view CountedText(const char* s) {
    return s ? std::string_view(s + 1, uint8_t(s[0])) : std::string_view();
}

std::u16string_view CountedText(const XCHAR* s) { return s ? std::u16string_view(s + 1, s[0]) : std::u16string_view(); }

bool TransferString(const char* s, char*& t) { return (t = NewNarrowString(CountedText(s))) != nullptr; }
bool TransferString(const XCHAR* s, XCHAR*& t) { return (t = NewWideString(CountedText(s))) != nullptr; }
bool TransferString(const char* s, XCHAR*& t) { return (t = NewWideStringFromAnsi(CountedText(s))) != nullptr; }

bool TransferString(const XCHAR* s, char*& t) {
    const std::u16string_view text = CountedText(s);
    if (text.size() > kMaxNarrowLength) return false;
    return (t = NewNarrowStringFromWide(text)) != nullptr;
}

template <class Area>
bool TransferArea(const Area& s, Area& t) {
    t = s;
    return true;
}

bool TransferArea(const XLREF& s, XLREF12& t) {
    t = {s.rwFirst, s.rwLast, s.colFirst, s.colLast};
    return true;
}

bool TransferArea(const XLREF12& s, XLREF& t) {
    auto rowFits = [](int32_t r) { return r >= 0 && r < 65536; };
    auto columnFits = [](int32_t c) { return c >= 0 && c < 256; };
    if (!rowFits(s.rwFirst) || !rowFits(s.rwLast) || !columnFits(s.colFirst) || !columnFits(s.colLast))
        return false;
    t = {uint16_t(s.rwFirst), uint16_t(s.rwLast), uint8_t(s.colFirst), uint8_t(s.colLast)};
    return true;
}

template <class Block>
Block* NewBlock(uint16_t count) {
    using Area = std::remove_reference_t<decltype(Block{}.reftbl[0])>;
    const size_t bytes = sizeof(Block) + sizeof(Area) * (std::max<size_t>(count, 1) - 1);
    auto* block = static_cast<Block*>(Allocate(1, bytes));
    if (block) block->count = count;
    return block;
}

template <class SrcBlock, class DstBlock>
bool TransferBlock(const SrcBlock* s, DstBlock*& t) {
    t = NewBlock<DstBlock>(s ? s->count : 0);
    if (!t) return false;
    for (uint16_t i = 0; s && i < s->count; ++i)
        if (!TransferArea(s->reftbl[i], t->reftbl[i])) {
            Release(t);
            t = nullptr;
            return false;
        }
    return true;
}

template <class Dst>
bool DimensionsFit(int64_t rows, int64_t columns) {
    if (rows < 0 || columns < 0) return false;
    if constexpr (std::is_same_v<Dst, XLOPER>) return rows <= kMaxRows4 && columns <= kMaxColumns4;
    return true;
}

template <class Src, class Dst>
bool Transfer(const Src* s, Dst* t, bool& allocated);

template <class Src, class Dst>
bool TransferArray(const Src& s, Dst& t) {
    const int64_t rows = s.val.array.rows, columns = s.val.array.columns;
    if (!DimensionsFit<Dst>(rows, columns)) return false;
    Dst* elements = nullptr;
    if (rows > 0 && columns > 0 && !(elements = NewArray<Dst>(rows, columns))) return false;
    for (int64_t i = 0, n = ElementCount(s); i < n; ++i) {
        bool allocated = false;
        if (!Transfer(&s.val.array.lparray[i], &elements[i], allocated)) {
            for (int64_t j = 0; j < i; ++j) Free(elements[j]);
            ReleaseElementBlock(elements);
            return false;
        }
        if (allocated) MarkElementsMayOwnMemory(elements);
    }
    t.val.array.lparray = elements;
    t.val.array.rows = decltype(t.val.array.rows)(rows);
    t.val.array.columns = decltype(t.val.array.columns)(columns);
    return true;
}

// Deep copy (same layout) or conversion (different layouts) into a free target.
template <class Src, class Dst>
bool Transfer(const Src* s, Dst* t, bool& allocated) {
    allocated = false;
    if (!s || !t || static_cast<const void*>(s) == static_cast<const void*>(t)) return true;
    const uint32_t type = MaskedType(s->xltype);
    bool ok = true;
    switch (type) {
    case xltypeNum:
        t->val.num = s->val.num;
        break;
    case xltypeBool:
        t->val.xbool = decltype(t->val.xbool)(s->val.xbool);
        break;
    case xltypeErr:
        t->val.err = decltype(t->val.err)(s->val.err);
        break;
    case xltypeInt:  // widened with sign, narrowed to the low 16 bits
        t->val.w = decltype(t->val.w)(s->val.w);
        break;
    case xltypeSRef:
        t->val.sref.count = s->val.sref.count;
        ok = TransferArea(s->val.sref.ref, t->val.sref.ref);
        break;
    case xltypeStr:
        ok = allocated = TransferString(s->val.str, t->val.str);
        break;
    case xltypeRef:
        ok = allocated = TransferBlock(s->val.mref.lpmref, t->val.mref.lpmref);
        t->val.mref.idSheet = s->val.mref.idSheet;
        break;
    case xltypeMulti:
        ok = allocated = TransferArray(*s, *t);
        break;
    case xltypeBigData:
        t->val.bigdata.data = s->val.bigdata.data;
        t->val.bigdata.cbData = s->val.bigdata.cbData;
        break;
    case xltypeFlow:
        ok = false;
        break;
    default:
        break;  // missing, nil and unknown codes carry only their type
    }
    if (!ok) {
        std::memset(t, 0, sizeof *t);
        allocated = false;
        return false;
    }
    t->xltype = decltype(t->xltype)(type);
    return true;
}

}  // namespace

bool HoldsMemory(uint32_t xltype) {
    const uint32_t type = MaskedType(xltype);
    return type == xltypeStr || type == xltypeRef || type == xltypeMulti;
}

void FreeRecord(XLOPER& record) { Free(record); }
void FreeRecord(XLOPER12& record) { Free(record); }

XCHAR* NewWideString(std::u16string_view text) {
    const size_t n = std::min(text.size(), kMaxWideLength);
    auto* s = static_cast<XCHAR*>(Allocate(n + 1, sizeof(XCHAR)));
    if (!s) return nullptr;
    s[0] = XCHAR(n);
    std::memcpy(s + 1, text.data(), n * sizeof(XCHAR));
    return s;
}

char* NewNarrowString(std::string_view text) {
    const size_t n = Platform::AnsiPrefixLength(text.data(), text.size(), kMaxNarrowLength);
    auto* s = static_cast<char*>(Allocate(n + 1, 1));
    if (!s) return nullptr;
    s[0] = char(uint8_t(n));
    std::memcpy(s + 1, text.data(), n);
    return s;
}

XCHAR* NewWideStringFromAnsi(std::string_view text) {
    return NewWideString(Platform::AnsiToWide(text.data(), text.size()));
}

char* NewNarrowStringFromWide(std::u16string_view text) {
    size_t n = std::min(text.size(), kMaxNarrowLength);
    if (n > 0 && n < text.size() && text[n - 1] >= 0xD800 && text[n - 1] < 0xDC00) --n;  // keep pairs whole
    return NewNarrowString(Platform::WideToAnsi(text.data(), n));
}

XLOPER* NewArray4(int64_t rows, int64_t columns, bool zeroed) { return NewArray<XLOPER>(rows, columns, zeroed); }
XLOPER12* NewArray12(int64_t rows, int64_t columns, bool zeroed) { return NewArray<XLOPER12>(rows, columns, zeroed); }

bool CopyRecord(const XLOPER* source, XLOPER* target, bool& allocated) { return Transfer(source, target, allocated); }
bool CopyRecord(const XLOPER12* source, XLOPER12* target, bool& allocated) {
    return Transfer(source, target, allocated);
}
bool ConvertRecord(const XLOPER* source, XLOPER12* target, bool& allocated) {
    return Transfer(source, target, allocated);
}
bool ConvertRecord(const XLOPER12* source, XLOPER* target, bool& allocated) {
    return Transfer(source, target, allocated);
}

std::u16string_view StringOf(const XLOPER12& record) { return CountedText(record.val.str); }
std::string_view StringOf(const XLOPER& record) { return CountedText(record.val.str); }

}  // namespace Zr::Xll
