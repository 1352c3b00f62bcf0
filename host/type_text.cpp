#include "host/type_text.h"

namespace Zr::Host {
namespace {

struct Letter {
    ArgType type;
    bool excel12;
    size_t length;  // characters taken from the text
};

std::optional<Letter> ReadArgument(std::string_view text) {
    const bool percent = text.size() > 1 && text[1] == '%';
    switch (text[0]) {
    case 'B': return Letter{ArgType::Double, false, 1};
    case 'J': return Letter{ArgType::Int32, false, 1};
    case 'I': return Letter{ArgType::Int16, false, 1};
    case 'A': return Letter{ArgType::Bool16, false, 1};
    case 'Q':
    case 'U': return Letter{ArgType::Record12, true, 1};
    case 'P':
    case 'R': return Letter{ArgType::Record4, false, 1};
    case 'C': return percent ? Letter{ArgType::WideText, true, 2} : Letter{ArgType::Text, false, 1};
    default: return std::nullopt;
    }
}

std::optional<ResultType> ReadResult(char letter) {
    switch (letter) {
    case 'U': return ResultType::Record12;
    case 'R': return ResultType::Record4;
    case 'B': return ResultType::Double;
    case 'J': return ResultType::Int32;
    case 'I': return ResultType::Int16;
    case 'A': return ResultType::Bool16;
    default: return std::nullopt;
    }
}

bool IsModifier(char c) { return c == '$' || c == '!' || c == '#'; }

}  // namespace

std::optional<Signature> ParseTypeText(std::string_view typeText) {
    if (typeText.empty()) return std::nullopt;
    const std::optional<ResultType> result = ReadResult(typeText[0]);
    if (!result) return std::nullopt;
    Signature signature;
    signature.result = *result;
    signature.needsExcel12 = *result == ResultType::Record12;
    size_t i = 1;
    while (i < typeText.size() && !IsModifier(typeText[i])) {
        const std::optional<Letter> letter = ReadArgument(typeText.substr(i));
        if (!letter) return std::nullopt;
        signature.arguments.push_back(letter->type);
        signature.needsExcel12 |= letter->excel12;
        i += letter->length;
    }
    for (; i < typeText.size(); ++i) {
        if (!IsModifier(typeText[i])) return std::nullopt;  // argument letters come before the modifiers
        if (typeText[i] == '$') signature.threadSafe = signature.needsExcel12 = true;
    }
    return signature;
}

}  // namespace Zr::Host
