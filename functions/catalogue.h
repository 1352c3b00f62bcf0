// The catalogue of worksheet functions: one declarative table of names,
// descriptions and arguments. Everything Excel is told about a function (export
// names, type texts, argument lists, help texts, descriptor) is derived from it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Zr::Functions {

// Excel type letter of an argument in the legacy (_4) type text.
enum class ArgType : char {
    Double = 'B',
    Int = 'J',
    ShortInt = 'I',
    Boolean = 'A',
    Matrix = 'P',  // 'Q' in the Excel 12 type text
};

// How many dimensions a matrix argument has (its descriptor's shape template).
enum class Shape { Scalar, Vector, Table };

struct ArgumentInfo {
    std::string_view name;
    ArgType type;
    std::u16string_view help;
    Shape shape = Shape::Scalar;
    std::u16string_view choices = {};  // choice list in brace notation, empty when none
};

struct FunctionInfo {
    std::string_view name;
    std::u16string_view description;
    std::vector<ArgumentInfo> arguments;
};

// All worksheet functions, in the catalogue's order.
const std::vector<FunctionInfo>& Catalogue();
// The entry named `name`, or null.
const FunctionInfo* FindFunction(std::string_view name);

// Texts derived from an entry.
std::string LegacyExportName(const FunctionInfo& f);   // name + "_4"
std::string ModernExportName(const FunctionInfo& f);   // name + "_12"
std::string LegacyTypeText(const FunctionInfo& f);     // "R" + letters
std::string ModernTypeText(const FunctionInfo& f);     // "U" + letters (P -> Q) + "$"
std::u16string ArgumentNames(const FunctionInfo& f);   // "x,alpha,beta"
std::vector<std::u16string> ArgumentHelps(const FunctionInfo& f);
std::u16string Descriptor(const FunctionInfo& f);      // brace notation

}  // namespace Zr::Functions
