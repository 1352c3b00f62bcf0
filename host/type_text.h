// Excel's type text of a registered function: the result letter, then one
// letter per argument, then optional modifiers ("$" thread-safe, "!" volatile,
// "#" macro-sheet equivalent).
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace Zr::Host {

enum class ArgType {
    Double,    // B
    Int32,     // J
    Int16,     // I
    Bool16,    // A: a 16-bit flag
    Record12,  // Q (or U): XLOPER12*
    Record4,   // P (or R): XLOPER*
    Text,      // C: zero-terminated narrow text
    WideText,  // C%: zero-terminated wide text
};

// The result letters the host can read back. Records are read through the
// pointer the function returns.
enum class ResultType { Record12, Record4, Double, Int32, Int16, Bool16 };

struct Signature {
    ResultType result = ResultType::Record12;
    std::vector<ArgType> arguments;
    bool threadSafe = false;
    // U, Q, C% and "$" exist only since Excel 2007.
    bool needsExcel12 = false;
};

// nullopt when the text holds a letter this host does not know.
std::optional<Signature> ParseTypeText(std::string_view typeText);

}  // namespace Zr::Host
