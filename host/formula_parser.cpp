#include "host/formula_parser.h"

#include <charconv>
#include <istream>

namespace Zr::Host {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsNameStart(char c) { return IsLetter(c) || c == '_' || c == '\\'; }
bool IsNamePart(char c) { return IsNameStart(c) || IsDigit(c) || c == '.'; }

bool EqualsIgnoringCase(std::string_view word, std::string_view upper) {
    if (word.size() != upper.size()) return false;
    for (size_t i = 0; i < word.size(); ++i) {
        const char c = (word[i] >= 'a' && word[i] <= 'z') ? char(word[i] - 'a' + 'A') : word[i];
        if (c != upper[i]) return false;
    }
    return true;
}

class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) {}

    Formula Parse() {
        SkipSpace();
        if (Peek() == '=') ++pos_;
        SkipSpace();
        Formula formula;
        formula.function = FromUtf8(ParseName());
        SkipSpace();
        if (!AtEnd()) {
            Expect('(');
            formula.arguments = ParseArguments();
            Expect(')');
            SkipSpace();
            if (!AtEnd()) Fail("unexpected text after the closing parenthesis");
        }
        return formula;
    }

private:
    std::string_view s_;
    size_t pos_ = 0;

    bool AtEnd() const { return pos_ >= s_.size(); }
    char Peek() const { return AtEnd() ? '\0' : s_[pos_]; }
    void SkipSpace() {
        while (!AtEnd() && (s_[pos_] == ' ' || s_[pos_] == '\t')) ++pos_;
    }
    [[noreturn]] void Fail(const std::string& message) const { throw FormulaError(message, pos_ + 1); }

    void Expect(char c) {
        SkipSpace();
        if (Peek() != c) Fail(std::string("expected '") + c + "'");
        ++pos_;
    }

    std::string_view TakeWhile(bool (*accept)(char)) {
        const size_t start = pos_;
        while (!AtEnd() && accept(s_[pos_])) ++pos_;
        return s_.substr(start, pos_ - start);
    }

    std::string ParseName() {
        if (!IsNameStart(Peek())) Fail("expected a function name");
        return std::string(TakeWhile(IsNamePart));
    }

    std::vector<Value> ParseArguments() {
        std::vector<Value> arguments;
        SkipSpace();
        if (Peek() == ')') return arguments;  // F() takes no argument
        for (;;) {
            arguments.push_back(ParseArgument());
            SkipSpace();
            if (Peek() != ',') return arguments;
            ++pos_;
        }
    }

    Value ParseArgument() {
        SkipSpace();
        const char c = Peek();
        if (c == ',' || c == ')') return Value::Missing();
        if (c == '{') return ParseArray('}', false);
        if (c == '[') return ParseArray(']', true);
        return ParseScalar();
    }

    Value ParseScalar() {
        SkipSpace();
        const char c = Peek();
        if (c == '"') return ParseText();
        if (c == '#') return ParseError();
        if (IsDigit(c) || c == '+' || c == '-' || c == '.') return ParseNumber();
        if (IsLetter(c)) return ParseBool();
        if (AtEnd()) Fail("unexpected end of formula");
        Fail(std::string("unexpected character '") + c + "'");
    }

    Value ParseText() {
        ++pos_;  // opening quote
        std::string text;
        for (;;) {
            if (AtEnd()) Fail("unterminated text");
            const char c = s_[pos_++];
            if (c != '"') {
                text.push_back(c);
            } else if (Peek() == '"') {
                text.push_back('"');
                ++pos_;
            } else {
                return Value::TextUtf8(text);
            }
        }
    }

    Value ParseError() {
        for (const char* name : {"#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A"}) {
            const std::string_view candidate = s_.substr(pos_, std::string_view(name).size());
            if (EqualsIgnoringCase(candidate, name)) {
                pos_ += candidate.size();
                return Value::Error(ErrorCodeOf(name));
            }
        }
        Fail("unknown error value");
    }

    Value ParseNumber() {
        const size_t start = pos_;
        const bool plus = Peek() == '+';
        if (Peek() == '+' || Peek() == '-') ++pos_;
        const size_t integerDigits = TakeWhile(IsDigit).size();
        size_t fractionDigits = 0;
        if (Peek() == '.') {
            ++pos_;
            fractionDigits = TakeWhile(IsDigit).size();
        }
        if (integerDigits + fractionDigits == 0) Fail("expected a number");
        if (Peek() == 'e' || Peek() == 'E') {
            ++pos_;
            if (Peek() == '+' || Peek() == '-') ++pos_;
            if (TakeWhile(IsDigit).empty()) Fail("expected the exponent's digits");
        }
        // from_chars takes no leading '+' and ignores the locale.
        const std::string_view digits = s_.substr(start + (plus ? 1 : 0), pos_ - start - (plus ? 1 : 0));
        double number = 0.0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (ec != std::errc() || end != digits.data() + digits.size()) Fail("number out of range");
        return Value::Number(number);
    }

    Value ParseBool() {
        const size_t start = pos_;
        const std::string_view word = TakeWhile(IsNamePart);
        if (EqualsIgnoringCase(word, "TRUE")) return Value::Bool(true);
        if (EqualsIgnoringCase(word, "FALSE")) return Value::Bool(false);
        pos_ = start;
        std::string message(word);  // appended piecewise: g++ 12 misreports "'" + string (-Wrestrict)
        message += " is not a constant (references, names and nested calls are not supported)";
        Fail(message);
    }

    // An array constant {1,2;3,4}, or with `blanks` a range of cells
    // [1,2,;3,4,;,,] whose empty elements are blank cells (Nil), as Excel
    // passes a selected range with empty cells.
    Value ParseArray(char close, bool blanks) {
        ++pos_;  // opening bracket
        std::vector<Value> elements;
        int rows = 1;
        int columns = 0;
        int column = 0;
        for (;;) {
            SkipSpace();
            const char c = Peek();
            if (c == '{' || c == '[') Fail("arrays cannot be nested");
            if (c != ',' && c != ';' && c != close)
                elements.push_back(ParseScalar());
            else if (blanks)
                elements.push_back(Value::Nil());
            else
                Fail("empty array element");
            ++column;
            SkipSpace();
            const char next = Peek();
            if (next == ',') {
                ++pos_;
                continue;
            }
            if (next != ';' && next != close) {
                std::string message = "expected ',', ';' or '";  // piecewise, as in ParseBool
                message += close;
                Fail(message + "' in the array");
            }
            if (rows == 1) columns = column;
            if (column != columns) Fail("array rows differ in length");
            column = 0;
            ++pos_;
            if (next == close) return Value::Array(rows, columns, std::move(elements));
            ++rows;
        }
    }
};

}  // namespace

FormulaError::FormulaError(const std::string& message, size_t column)
    : std::runtime_error(message + " (column " + std::to_string(column) + ")"), column_(column) {}

Formula ParseFormula(std::string_view text) { return Parser(text).Parse(); }

std::vector<std::string> ReadFormulas(std::istream& in) {
    std::vector<std::string> formulas;
    for (std::string line; std::getline(in, line);) {
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        line.erase(line.find_last_not_of(" \t\r") + 1);
        formulas.push_back(std::move(line));
    }
    return formulas;
}

}  // namespace Zr::Host
