#include "xll/messages.h"

#include <array>
#include <cstring>

#include "xll/platform.h"
#include "xll/string_format.h"

namespace Zr::Xll {
namespace {

constexpr std::array<const char*, kMessageCount> BuiltInTable() {
    std::array<const char*, kMessageCount> table{};
    table[0] = "";
#define ZR_MESSAGE(n, text) table[n] = text;
#define ZR_MESSAGE2(n, builtin, resource) table[n] = builtin;
#include "xll/message_table.inc"
#undef ZR_MESSAGE
#undef ZR_MESSAGE2
    return table;
}

constexpr auto kBuiltIn = BuiltInTable();

// The built-in texts are ASCII, so widening them is exact.
std::u16string Widen(const char* text) { return std::u16string(text, text + std::strlen(text)); }

}  // namespace

bool LoadMessage(unsigned n, std::u16string& wide) {
    if (n >= kMessageCount) return false;
    if (!Platform::LoadResourceString(kMessageResourceBase + n, wide)) wide = Widen(kBuiltIn[n]);
    return true;
}

bool LoadMessage(unsigned n, std::string& narrow) {
    std::u16string wide;
    if (n >= kMessageCount) return false;
    if (Platform::LoadResourceString(kMessageResourceBase + n, wide))
        narrow = Platform::WideToAnsi(wide.data(), wide.size());
    else
        narrow = kBuiltIn[n];
    return true;
}

std::string MessageText(unsigned n) {
    std::string text;
    LoadMessage(n, text);
    return text;
}

std::string FormatMessageA(unsigned n, const std::vector<std::string>& args) {
    std::string pattern;
    if (!LoadMessage(n, pattern)) return psl::Format("Message #{0} not found", {psl::DecimalText(n)});
    return psl::Format(pattern, args);
}

std::u16string FormatMessageW(unsigned n, const std::vector<std::u16string>& args) {
    std::u16string pattern;
    if (!LoadMessage(n, pattern)) {
        const std::string number = psl::DecimalText(n);
        return psl::Format(u"Message #{0} not found", {Widen(number.c_str())});
    }
    return psl::Format(pattern, args);
}

}  // namespace Zr::Xll
