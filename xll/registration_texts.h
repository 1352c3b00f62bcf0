// The texts of a declaration's registration record (export names, type
// texts, argument names and helps, the descriptor in brace notation),
// computed at compile time into arrays of exactly their size.
#pragma once

#include <cstddef>
#include <string_view>

#include "xll/declaration.h"
#include "xll/function_record.h"

namespace Zr::Xll {

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

// {0,{name,type,flags,,help,,shape,,[,list]}}; a record argument's flags
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
    if (!a.list.empty()) {  // "0,x;1,y" is {1,1,{{0,x},{1,y}}}
        w.Put(",{1,1,{{");
        for (char16_t c : a.list) {
            if (c == kListSeparator)
                w.Put("},{");
            else
                w.Put(c);
        }
        w.Put("}}}");
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

}  // namespace Zr::Xll
