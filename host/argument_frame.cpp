#include "host/argument_frame.h"

#include "host/coercion.h"
#include "xll/platform.h"

namespace Zr::Host {
namespace {

constexpr size_t kMaxNarrowText = 255;  // a C argument holds at most 255 bytes

RawArgument AsReal(double d) { return RawArgument::Real(d); }
RawArgument AsInteger(int64_t n) { return RawArgument::Integer(n); }

}  // namespace

bool ArgumentFrame::Add(ArgType type, const Value& value) {
    switch (type) {
    case ArgType::Double: return AddScalar(ToDoubleArgument(value), AsReal);
    case ArgType::Int32: return AddScalar(ToInt32Argument(value), AsInteger);
    case ArgType::Int16: return AddScalar(ToInt16Argument(value), AsInteger);
    case ArgType::Bool16: return AddScalar(ToBoolArgument(value), AsInteger);  // TRUE is 1
    case ArgType::Record12: return AddRecord12(value);
    case ArgType::Record4: return AddRecord4(value);
    case ArgType::Text: return AddText(value, false);
    case ArgType::WideText: return AddText(value, true);
    }
    return Reject(Value::Error(xlerrValue));
}

template <class T, class Make>
bool ArgumentFrame::AddScalar(const Coerced<T>& coerced, Make make) {
    if (!coerced.Ok()) return Reject(*coerced.failure);
    raw_.push_back(make(coerced.value));
    return true;
}

bool ArgumentFrame::Reject(Value shown) {
    failure_ = std::move(shown);
    return false;
}

bool ArgumentFrame::AddRecord12(const Value& value) {
    XLOPER12* record = arena_.NewRecord12();
    if (!WriteRecord12(value, *record, arena_)) return Reject(Value::Error(xlerrValue));
    raw_.push_back(RawArgument::Pointer(record));
    return true;
}

bool ArgumentFrame::AddRecord4(const Value& value) {
    XLOPER* record = arena_.NewRecord4();
    if (!WriteRecord4(value, *record, arena_)) return Reject(Value::Error(xlerrValue));
    raw_.push_back(RawArgument::Pointer(record));
    return true;
}

bool ArgumentFrame::AddText(const Value& value, bool wide) {
    const Coerced<std::u16string> text = ToTextArgument(value);
    if (!text.Ok()) return Reject(*text.failure);
    if (wide) {
        raw_.push_back(RawArgument::Pointer(wideTexts_.emplace_back(text.value).c_str()));
        return true;
    }
    std::string ansi = Platform::WideToAnsi(text.value.data(), text.value.size());
    ansi.resize(Platform::AnsiPrefixLength(ansi.data(), ansi.size(), kMaxNarrowText));
    raw_.push_back(RawArgument::Pointer(narrowTexts_.emplace_back(std::move(ansi)).c_str()));
    return true;
}

}  // namespace Zr::Host
