#include "xll/string_format.h"

#include <cstdio>

namespace psl {
namespace {

// One run of literal text or one placeholder of a parsed pattern.
template <class CharT>
struct Piece {
    std::basic_string_view<CharT> literal;
    int index = -1;  // placeholder index, or -1 for a literal
};

template <class CharT>
int ParseIndex(std::basic_string_view<CharT> digits) {
    if (digits.empty()) throw StringFormatterError();
    long index = 0;
    for (CharT c : digits) {
        if (c < '0' || c > '9') throw StringFormatterError();
        index = index * 10 + (c - '0');
        if (index > 65535) throw StringFormatterError();
    }
    return int(index);
}

template <class CharT>
std::vector<Piece<CharT>> Parse(std::basic_string_view<CharT> pattern) {
    std::vector<Piece<CharT>> pieces;
    size_t start = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const CharT c = pattern[i];
        if (c != '{' && c != '}') continue;
        if (i > start) pieces.push_back({pattern.substr(start, i - start)});
        if (i + 1 < pattern.size() && pattern[i + 1] == c) {  // doubled brace
            pieces.push_back({pattern.substr(i, 1)});
            start = ++i + 1;
            continue;
        }
        if (c == '}') throw StringFormatterError();
        size_t close = i + 1;
        while (close < pattern.size() && pattern[close] != '}') {
            if (pattern[close] == '{') throw StringFormatterError();
            ++close;
        }
        if (close == pattern.size()) throw StringFormatterError();
        pieces.push_back({{}, ParseIndex(pattern.substr(i + 1, close - i - 1))});
        start = (i = close) + 1;
    }
    if (start < pattern.size()) pieces.push_back({pattern.substr(start)});
    return pieces;
}

template <class CharT>
std::basic_string<CharT> FormatImpl(std::basic_string_view<CharT> pattern,
                                    const std::vector<std::basic_string<CharT>>& args) {
    const auto pieces = Parse(pattern);
    auto text = [&](const Piece<CharT>& p) -> std::basic_string_view<CharT> {
        if (p.index < 0) return p.literal;
        return size_t(p.index) < args.size() ? std::basic_string_view<CharT>(args[p.index])
                                             : std::basic_string_view<CharT>();
    };
    size_t length = 0;
    for (const auto& p : pieces) length += text(p).size();
    std::basic_string<CharT> out;
    out.reserve(length);
    for (const auto& p : pieces) out += text(p);
    return out;
}

}  // namespace

std::string Format(std::string_view pattern, const std::vector<std::string>& args) {
    return FormatImpl(pattern, args);
}

std::u16string Format(std::u16string_view pattern, const std::vector<std::u16string>& args) {
    return FormatImpl(pattern, args);
}

std::string DecimalText(long long n) { return std::to_string(n); }

std::string HexText(uint32_t n) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%lX", static_cast<unsigned long>(n));
    return text;
}

}  // namespace psl
