// Texts derived from a catalogue entry: export names, type texts, argument
// names and helps, and the descriptor in brace notation.
#include "functions/catalogue.h"

namespace Zr::Functions {
namespace {

// Names are plain ASCII, so widening is a per-character copy.
std::u16string Widen(std::string_view text) { return {text.begin(), text.end()}; }

// Joins parts with commas (empty parts keep their place).
std::u16string JoinWithCommas(const std::vector<std::u16string>& parts) {
    std::u16string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) joined += u',';
        joined += parts[i];
    }
    return joined;
}

// "{" + comma-separated fields + "}", the building block of brace notation.
std::u16string Braced(const std::vector<std::u16string>& fields) { return u"{" + JoinWithCommas(fields) + u"}"; }

// A text holding a comma would split its field, so it is enclosed in quotes.
std::u16string Quoted(std::u16string_view text) {
    if (text.find(u',') == std::u16string_view::npos) return std::u16string(text);
    return u"\"" + std::u16string(text) + u"\"";
}

std::u16string TypeName(ArgType type) {
    switch (type) {
        case ArgType::Int: return u"Int";
        case ArgType::ShortInt: return u"Short Int";
        case ArgType::Boolean: return u"Boolean";
        case ArgType::Double:
        case ArgType::Matrix: break;
    }
    return u"Double";
}

// Conversion options of a matrix argument: blank cells and empty texts hold no value.
std::u16string Flag(ArgType type) { return type == ArgType::Matrix ? u"10" : u"0"; }

std::u16string ShapeTemplate(Shape shape) {
    switch (shape) {
        case Shape::Vector: return u"{{{,},{,}}}";
        case Shape::Table: return u"{{{,},{,}},{{,},{,}}}";
        case Shape::Scalar: break;
    }
    return {};
}

std::u16string ArgumentEntry(const ArgumentInfo& a) {
    std::vector<std::u16string> fields{
        Widen(a.name), TypeName(a.type), Flag(a.type), {}, Quoted(a.help), {}, ShapeTemplate(a.shape), {}, {}};
    if (!a.choices.empty()) fields.emplace_back(a.choices);
    return Braced({u"0", Braced(fields)});
}

std::u16string ArgumentList(const FunctionInfo& f) {
    std::vector<std::u16string> entries;
    for (const auto& a : f.arguments) entries.push_back(ArgumentEntry(a));
    return Braced(entries);
}

// The argument letters of a type text; `matrix` is the letter of a matrix argument.
std::string ArgumentLetters(const FunctionInfo& f, char matrix) {
    std::string letters;
    for (const auto& a : f.arguments) letters += a.type == ArgType::Matrix ? matrix : static_cast<char>(a.type);
    return letters;
}

}  // namespace

std::string LegacyExportName(const FunctionInfo& f) { return std::string(f.name) + "_4"; }

std::string ModernExportName(const FunctionInfo& f) { return std::string(f.name) + "_12"; }

std::string LegacyTypeText(const FunctionInfo& f) { return "R" + ArgumentLetters(f, 'P'); }

std::string ModernTypeText(const FunctionInfo& f) { return "U" + ArgumentLetters(f, 'Q') + "$"; }

std::u16string ArgumentNames(const FunctionInfo& f) {
    std::vector<std::u16string> names;
    for (const auto& a : f.arguments) names.push_back(Widen(a.name));
    return JoinWithCommas(names);
}

std::vector<std::u16string> ArgumentHelps(const FunctionInfo& f) {
    std::vector<std::u16string> helps;
    for (const auto& a : f.arguments) helps.emplace_back(a.help);
    return helps;
}

std::u16string Descriptor(const FunctionInfo& f) {
    return Braced({Widen(f.name), {}, {}, Quoted(f.description), u"ZrRand", u"1", u"1", u"U", ArgumentList(f), u"{}",
                   u"3", {}, u"0", u"0", {}, {}, {}, u"0", u"0"});
}

}  // namespace Zr::Functions
