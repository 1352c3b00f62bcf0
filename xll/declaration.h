// A worksheet function's declaration as data: its name, category, help
// text and arguments, and the C signature of its body that the arguments'
// type letters give.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "xll/entry.h"
#include "xll/xl_oper.h"

namespace Zr::Xll {

// How many dimensions a matrix argument has (its descriptor's shape template).
enum class Shape : uint8_t { Scalar, Vector, Table };

// One argument as the function wizard shows it. `letter` is its type letter in
// the legacy type text: B double, J 32-bit integer, I 16-bit integer,
// A boolean, P record (Q in the Excel 12 type text).
struct Argument {
    std::string_view name;
    char letter;
    std::u16string_view help;
    Shape shape = Shape::Scalar;
    // The values the function wizard lists for it: items separated by
    // kListSeparator, each a value and a label separated by kItemSeparator.
    std::u16string_view list = {};
};

inline constexpr char16_t kListSeparator = u';';
inline constexpr char16_t kItemSeparator = u',';

template <size_t N>
struct Declaration {
    std::string_view name;
    std::u16string_view category;
    std::u16string_view help;
    std::array<Argument, N> arguments;
};

consteval bool KnownLetter(char letter) { return std::string_view("BJIAP").find(letter) != std::string_view::npos; }

template <class... A>
consteval Declaration<sizeof...(A)> Declare(std::string_view name, std::u16string_view category,
                                             std::u16string_view help, const A&... arguments) {
    if (!(KnownLetter(arguments.letter) && ...)) throw "an argument's type letter is not one of B, J, I, A, P";
    return {name, category, help, {arguments...}};
}

// Whether an argument of D carries a list (its entries then notify the wizard's hook).
template <size_t N>
constexpr bool HasListedArgument(const Declaration<N>& d) {
    for (const Argument& a : d.arguments)
        if (!a.list.empty()) return true;
    return false;
}

// The C type of an argument: as the body takes it, and as Excel passes it.
template <char L> struct ArgumentTypes;
template <> struct ArgumentTypes<'B'> { using Body = double; using Wire12 = double; using Wire4 = double; };
template <> struct ArgumentTypes<'J'> { using Body = int32_t; using Wire12 = int32_t; using Wire4 = int32_t; };
template <> struct ArgumentTypes<'I'> { using Body = int16_t; using Wire12 = int16_t; using Wire4 = int16_t; };
template <> struct ArgumentTypes<'A'> { using Body = XlBool; using Wire12 = XlBool; using Wire4 = XlBool; };
template <> struct ArgumentTypes<'P'> { using Body = const CXlOper&; using Wire12 = XLOPER12*; using Wire4 = XLOPER*; };

// const CXlOper* Body(CXlOper& result, <argument types>...)
template <const auto& D, class = std::make_index_sequence<D.arguments.size()>>
struct BodySignature;
template <const auto& D, size_t... I>
struct BodySignature<D, std::index_sequence<I...>> {
    using Type = const CXlOper*(CXlOper&, typename ArgumentTypes<D.arguments[I].letter>::Body...);
};
template <const auto& D>
using BodyType = typename BodySignature<D>::Type;

}  // namespace Zr::Xll
