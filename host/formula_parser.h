// Formulas as the host accepts them on its command line and in tests: one
// function applied to constant arguments, e.g. ZrBetaDist(0.5, 2, 3, TRUE) or
// ZrCor2Cov({1,2}, {1,0.5;0.5,1}). Cell references and nested calls are not
// formulas this host can evaluate.
#pragma once

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/value.h"

namespace Zr::Host {

struct Formula {
    std::u16string function;
    std::vector<Value> arguments;  // an empty argument is Missing
};

class FormulaError : public std::runtime_error {
public:
    FormulaError(const std::string& message, size_t column);
    size_t Column() const { return column_; }  // 1-based position of the fault

private:
    size_t column_;
};

// Accepts an optional leading "=", a function name and an optional
// parenthesised argument list: numbers, TRUE/FALSE, "text" ("" for a quote),
// error literals (#N/A, ...), empty arguments, array constants {1,2;3,4} and
// range-like tables [1,2,;3,4,;,,] whose empty elements are blank cells.
// Throws FormulaError on anything else.
Formula ParseFormula(std::string_view text);

// The formulas of a file, one per line, trailing spaces and a carriage return
// removed; blank lines and lines whose first non-blank character is # are skipped.
std::vector<std::string> ReadFormulas(std::istream& in);

}  // namespace Zr::Host
