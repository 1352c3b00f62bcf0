// A value record built from the bytes (any type, texts, errors, arrays of up to
// 5 x 5 cells), in the Excel 12 and the Excel 97-2003 layout, through every
// record conversion and the vector and matrix readers.
#include <deque>
#include <vector>

#include "xll/conversion.h"
#include "xll/exceptions.h"

using namespace Zr::Xll;

template <class Rec, class Char>
struct Builder {
    const uint8_t* p;
    size_t n;
    std::deque<std::vector<Char>> texts;  // what the records point into
    std::deque<std::vector<Rec>> arrays;

    uint8_t Byte() { return n ? (--n, *p++) : 0; }
    template <class T>
    T Take() {
        T v{};
        for (size_t i = 0; i < sizeof v; ++i) reinterpret_cast<uint8_t*>(&v)[i] = Byte();
        return v;
    }
    void Fill(Rec& r, bool element) {  // Excel never nests arrays
        static const uint32_t kTypes[] = {xltypeNum, xltypeStr, xltypeBool, xltypeErr, xltypeInt,
                                          xltypeMissing, xltypeNil, xltypeRef, 0, xltypeMulti};
        const uint8_t b = Byte();
        r = Rec{};
        r.xltype = kTypes[b % (element ? 9 : 10)] | (b & 0x80 ? xlbitXLFree : 0);
        switch (MaskedType(r.xltype)) {
        case xltypeNum: r.val.num = Take<double>(); break;
        case xltypeBool: r.val.xbool = Take<decltype(r.val.xbool)>(); break;
        case xltypeErr: r.val.err = Byte(); break;
        case xltypeInt: r.val.w = Take<decltype(r.val.w)>(); break;
        case xltypeStr: {
            auto& t = texts.emplace_back(size_t(Byte()) + 1);  // counted text
            t[0] = Char(t.size() - 1);
            for (size_t i = 1; i < t.size(); ++i) t[i] = Take<Char>();
            r.val.str = t.data();
            break;
        }
        case xltypeMulti: {
            const uint8_t rows = Byte() % 6, columns = Byte() % 6;
            for (Rec& e : arrays.emplace_back(size_t(rows) * columns)) Fill(e, true);
            r.val.array = {arrays.back().data(), rows, columns};
        }
        }
    }
};

template <class Rec, class Text>
void Convert(const uint8_t* data, size_t size) {
    Builder<Rec, typename Text::value_type> in{data, size, {}, {}};
    Rec r;
    in.Fill(r, false);
    double x;
    int32_t i;
    bool b;
    Text text;
    RecordToDouble(r, x), RecordToInt(r, i), RecordToBool(r, b), RecordToText(r, text);
    const CXlOper value(&r);
    value.ToDouble(false), value.ToBool(false), value.ToString(false), value.ToWideString(false);
    XlDimensionSlot rows, columns;  // shared, so the second reading may disagree with the first
    try { ReadMatrix(value, {"m", &rows, &columns}); } catch (const CXlConversionException&) {}
    try { ReadVector(value, {"v", &rows}); } catch (const CXlConversionException&) {}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Convert<XLOPER12, std::u16string>(data, size);
    Convert<XLOPER, std::string>(data, size);
    return 0;
}
