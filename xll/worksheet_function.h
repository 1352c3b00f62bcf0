// One declaration per worksheet function. ZR_WORKSHEET_FUNCTION names the
// function, its help text and its arguments; from that alone it declares the
// body, defines the exports Name_12 and Name_4 with the C types Excel passes,
// and builds the registration record, every text of which (export names,
// type texts, argument names and helps, descriptor) is computed at compile
// time. A body whose signature differs from the declaration is a function of
// its own that nothing declared, which the build rejects
// (-Werror=missing-declarations), and a name declared twice defines its
// exports twice.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "xll/entry.h"
#include "xll/function_record.h"

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
    std::u16string_view choices = {};  // the wizard's choice list in brace notation
};

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

// ---- Texts computed at compile time ---------------------------------------------------

// Writes text, or only counts it when `out` is null.
template <class Char>
struct TextWriter {
    Char* out = nullptr;
    size_t size = 0;

    constexpr void Put(char16_t c) {
        if (out) out[size] = Char(c);
        ++size;
    }
    template <class C>
    constexpr void Put(std::basic_string_view<C> text) {
        for (C c : text) Put(char16_t(c));
    }
    constexpr void Put(const char* text) { Put(std::string_view(text)); }
};

template <class Char, size_t N>
struct FixedText {
    Char chars[N + 1]{};  // NUL-terminated
};

// The text a stateless writer object produces, in an array of exactly its size.
template <class Char, class Write>
consteval auto CompileText(Write write) {
    constexpr size_t size = [] {
        TextWriter<Char> counter;
        Write{}(counter);
        return counter.size;
    }();
    FixedText<Char, size> text;
    TextWriter<Char> writer{text.chars};
    write(writer);
    return text;
}

// Brace notation: a text holding a comma is enclosed in quotes.
template <class Char>
constexpr void PutQuoted(TextWriter<Char>& w, std::u16string_view text) {
    const bool quote = text.find(u',') != std::u16string_view::npos;
    if (quote) w.Put(u'"');
    w.Put(text);
    if (quote) w.Put(u'"');
}

constexpr std::u16string_view TypeName(char letter) {
    switch (letter) {
        case 'J': return u"Int";
        case 'I': return u"Short Int";
        case 'A': return u"Boolean";
        default: return u"Double";
    }
}

constexpr std::u16string_view ShapeTemplate(Shape shape) {
    switch (shape) {
        case Shape::Vector: return u"{{{,},{,}}}";
        case Shape::Table: return u"{{{,},{,}},{{,},{,}}}";
        default: return u"";
    }
}

// {0,{name,type,flags,,help,,shape,,[,choices]}}; a record argument's flags
// say that blank cells and empty texts hold no value.
template <class Char>
constexpr void PutArgumentDescriptor(TextWriter<Char>& w, const Argument& a) {
    w.Put("{0,{");
    w.Put(a.name);
    w.Put(u',');
    w.Put(TypeName(a.letter));
    w.Put(a.letter == 'P' ? ",10,," : ",0,,");
    PutQuoted(w, a.help);
    w.Put(",,");
    w.Put(ShapeTemplate(a.shape));
    w.Put(",,");
    if (!a.choices.empty()) {
        w.Put(u',');
        w.Put(a.choices);
    }
    w.Put("}}");
}

// Every text of the registration record of declaration D.
template <const auto& D>
struct RegistrationTexts {
    struct LegacyExport {
        constexpr void operator()(auto& w) const { w.Put(D.name), w.Put("_4"); }
    };
    struct ModernExport {
        constexpr void operator()(auto& w) const { w.Put(D.name), w.Put("_12"); }
    };
    struct LegacyType {
        constexpr void operator()(auto& w) const {
            w.Put(u'R');
            for (const Argument& a : D.arguments) w.Put(char16_t(a.letter));
        }
    };
    struct ModernType {
        constexpr void operator()(auto& w) const {
            w.Put(u'U');
            for (const Argument& a : D.arguments) w.Put(a.letter == 'P' ? u'Q' : char16_t(a.letter));
            w.Put(u'$');
        }
    };
    struct Name {
        constexpr void operator()(auto& w) const { w.Put(D.name); }
    };
    struct Category {
        constexpr void operator()(auto& w) const { w.Put(D.category); }
    };
    struct Help {
        constexpr void operator()(auto& w) const { w.Put(D.help); }
    };
    struct ArgumentNames {
        constexpr void operator()(auto& w) const {
            for (size_t i = 0; i < D.arguments.size(); ++i) {
                if (i > 0) w.Put(u',');
                w.Put(D.arguments[i].name);
            }
        }
    };
    // One NUL-terminated text per argument; the array's own NUL ends the list.
    struct ArgumentHelps {
        constexpr void operator()(auto& w) const {
            for (const Argument& a : D.arguments) w.Put(a.help), w.Put(u'\0');
        }
    };
    struct Descriptor {
        constexpr void operator()(auto& w) const {
            w.Put(u'{');
            w.Put(D.name);
            w.Put(",,,");
            PutQuoted(w, D.help);
            w.Put(u',');
            w.Put(D.category);
            w.Put(",1,1,U,{");
            for (size_t i = 0; i < D.arguments.size(); ++i) {
                if (i > 0) w.Put(u',');
                PutArgumentDescriptor(w, D.arguments[i]);
            }
            w.Put("},{},3,,0,0,,,,0,0}");
        }
    };

    static constexpr auto legacyExport = CompileText<char>(LegacyExport{});
    static constexpr auto modernExport = CompileText<char>(ModernExport{});
    static constexpr auto legacyType = CompileText<char>(LegacyType{});
    static constexpr auto modernType = CompileText<char>(ModernType{});
    static constexpr auto name = CompileText<char16_t>(Name{});
    static constexpr auto category = CompileText<char16_t>(Category{});
    static constexpr auto help = CompileText<char16_t>(Help{});
    static constexpr auto argumentNames = CompileText<char16_t>(ArgumentNames{});
    static constexpr auto argumentHelps = CompileText<char16_t>(ArgumentHelps{});
    static constexpr auto descriptor = CompileText<char16_t>(Descriptor{});

    static constexpr XlFunctionRecord Record() {
        return {nullptr, legacyExport.chars, modernExport.chars, legacyType.chars, modernType.chars, name.chars,
                nullptr, argumentNames.chars, 1, nullptr, category.chars, u"", 0, u"", nullptr, help.chars,
                nullptr, argumentHelps.chars, nullptr, descriptor.chars, 0, 0};
    }
};

// ---- The catalogue ---------------------------------------------------------------------

// A declared worksheet function: its declaration as data and its registration
// record. Constructing one at namespace scope links both into the add-in's lists.
class WorksheetFunction {
public:
    template <size_t N>
    WorksheetFunction(const Declaration<N>& d, const XlFunctionRecord& record)
        : name(d.name), help(d.help), arguments(d.arguments), record_(record) {
        Link();
    }

    std::string_view name;
    std::u16string_view help;
    std::span<const Argument> arguments;
    const XlFunctionRecord& Record() const { return record_; }

private:
    void Link();
    XlFunctionRecord record_;
    const WorksheetFunction* next_ = nullptr;
    friend std::vector<const WorksheetFunction*> WorksheetFunctions();
};

// Every declared worksheet function, in case-insensitive order of their names
// (the order of their help topics).
std::vector<const WorksheetFunction*> WorksheetFunctions();

}  // namespace Zr::Xll

// ---- The declaration macro --------------------------------------------------------------

#define ZR_XLL_COUNT(...) ZR_XLL_COUNT_(__VA_OPT__(__VA_ARGS__, ) 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0)
#define ZR_XLL_COUNT_(_1, _2, _3, _4, _5, _6, _7, _8, _9, _10, _11, N, ...) N
#define ZR_XLL_CAT(a, b) ZR_XLL_CAT_(a, b)
#define ZR_XLL_CAT_(a, b) a##b

// Parameters a0, a1, ... of an export, typed after the declaration D.
#define ZR_XLL_P(D, W, i) typename ::Zr::Xll::ArgumentTypes<D.arguments[i].letter>::W a##i
#define ZR_XLL_PARAMS_0(D, W)
#define ZR_XLL_PARAMS_1(D, W) ZR_XLL_P(D, W, 0)
#define ZR_XLL_PARAMS_2(D, W) ZR_XLL_PARAMS_1(D, W), ZR_XLL_P(D, W, 1)
#define ZR_XLL_PARAMS_3(D, W) ZR_XLL_PARAMS_2(D, W), ZR_XLL_P(D, W, 2)
#define ZR_XLL_PARAMS_4(D, W) ZR_XLL_PARAMS_3(D, W), ZR_XLL_P(D, W, 3)
#define ZR_XLL_PARAMS_5(D, W) ZR_XLL_PARAMS_4(D, W), ZR_XLL_P(D, W, 4)
#define ZR_XLL_PARAMS_6(D, W) ZR_XLL_PARAMS_5(D, W), ZR_XLL_P(D, W, 5)
#define ZR_XLL_PARAMS_7(D, W) ZR_XLL_PARAMS_6(D, W), ZR_XLL_P(D, W, 6)
#define ZR_XLL_PARAMS_8(D, W) ZR_XLL_PARAMS_7(D, W), ZR_XLL_P(D, W, 7)
#define ZR_XLL_PARAMS_9(D, W) ZR_XLL_PARAMS_8(D, W), ZR_XLL_P(D, W, 8)
#define ZR_XLL_PARAMS_10(D, W) ZR_XLL_PARAMS_9(D, W), ZR_XLL_P(D, W, 9)
#define ZR_XLL_PARAMS_11(D, W) ZR_XLL_PARAMS_10(D, W), ZR_XLL_P(D, W, 10)

// The export's arguments handed to the body (records wrapped in a CXlOper view).
#define ZR_XLL_ARGS_0
#define ZR_XLL_ARGS_1 , ::Zr::Xll::BodyArg(a0)
#define ZR_XLL_ARGS_2 ZR_XLL_ARGS_1, ::Zr::Xll::BodyArg(a1)
#define ZR_XLL_ARGS_3 ZR_XLL_ARGS_2, ::Zr::Xll::BodyArg(a2)
#define ZR_XLL_ARGS_4 ZR_XLL_ARGS_3, ::Zr::Xll::BodyArg(a3)
#define ZR_XLL_ARGS_5 ZR_XLL_ARGS_4, ::Zr::Xll::BodyArg(a4)
#define ZR_XLL_ARGS_6 ZR_XLL_ARGS_5, ::Zr::Xll::BodyArg(a5)
#define ZR_XLL_ARGS_7 ZR_XLL_ARGS_6, ::Zr::Xll::BodyArg(a6)
#define ZR_XLL_ARGS_8 ZR_XLL_ARGS_7, ::Zr::Xll::BodyArg(a7)
#define ZR_XLL_ARGS_9 ZR_XLL_ARGS_8, ::Zr::Xll::BodyArg(a8)
#define ZR_XLL_ARGS_10 ZR_XLL_ARGS_9, ::Zr::Xll::BodyArg(a9)
#define ZR_XLL_ARGS_11 ZR_XLL_ARGS_10, ::Zr::Xll::BodyArg(a10)

// Declares the worksheet function Name in category Category with help text
// Help and the listed Argument constants; the body follows, defined with
// exactly the parameters the arguments give:
//   ZR_WORKSHEET_FUNCTION(u"ZrRand", ZrNormInv, u"Returns ...", kProbOpen)
//   const CXlOper* ZrNormInv(CXlOper& result, double prob) { ... }
#define ZR_WORKSHEET_FUNCTION(Category, Name, Help, ...)                                                 \
    static constexpr auto Name##Declaration = ::Zr::Xll::Declare(#Name, Category, Help __VA_OPT__(, ) __VA_ARGS__); \
    ::Zr::Xll::BodyType<Name##Declaration> Name;                                                      \
    ZR_XLL_EXPORT(XLOPER12, Name##_12, Wire12, RunEntry12, Name, ZR_XLL_COUNT(__VA_ARGS__))             \
    ZR_XLL_EXPORT(XLOPER, Name##_4, Wire4, RunEntry4, Name, ZR_XLL_COUNT(__VA_ARGS__))                  \
    static const ::Zr::Xll::WorksheetFunction Name##Function ZR_EARLY_INIT(                            \
        Name##Declaration, ::Zr::Xll::RegistrationTexts<Name##Declaration>::Record());

// One export of the body Name, declared and defined.
#define ZR_XLL_EXPORT(Record, Export, Wire, Run, Name, N)                                                \
    ZR_EXPORT Record* Export(ZR_XLL_CAT(ZR_XLL_PARAMS_, N)(Name##Declaration, Wire));                    \
    ZR_EXPORT Record* Export(ZR_XLL_CAT(ZR_XLL_PARAMS_, N)(Name##Declaration, Wire)) {                   \
        return ::Zr::Xll::Run([&](CXlOper& result) { return Name(result ZR_XLL_CAT(ZR_XLL_ARGS_, N)); }); \
    }
