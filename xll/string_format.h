// psl: the framework's positional string formatter. "{0}".."{65535}" are
// replaced by the arguments; "{{" and "}}" stand for braces.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace psl {

class StringFormatterError : public std::runtime_error {
public:
    StringFormatterError() : std::runtime_error("Error in string format") {}
};

// Fills the placeholders of `pattern`; an index beyond `args` reads as empty.
// Throws StringFormatterError for a malformed pattern.
std::string Format(std::string_view pattern, const std::vector<std::string>& args = {});
std::u16string Format(std::u16string_view pattern, const std::vector<std::u16string>& args = {});

// Number texts for placeholders: "%d" and "0x%lX".
std::string DecimalText(long long n);
std::string HexText(uint32_t n);

}  // namespace psl
