// The message formatter on any pattern, narrow and wide: a result or StringFormatterError.
#include <cstring>

#include "xll/string_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string pattern(reinterpret_cast<const char*>(data), size);
    std::u16string wide(size / 2, u'\0');
    std::memcpy(wide.data(), data, wide.size() * 2);
    try { psl::Format(pattern, {"", "x", "{0}"}); } catch (const psl::StringFormatterError&) {}
    try { psl::Format(wide, {u"", u"x", u"{0}"}); } catch (const psl::StringFormatterError&) {}
    return 0;
}
