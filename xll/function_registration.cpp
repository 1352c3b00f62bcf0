#include "xll/function_registration.h"

#include <cctype>
#include <memory>

#include "xll/excel_bridge.h"
#include "xll/platform.h"
#include "xll/string_format.h"

namespace Zr::Xll {
namespace {

constexpr size_t kMaxHelpLength = 255;

std::string Narrow(const std::u16string& s) { return Platform::WideToAnsi(s.data(), s.size()); }
std::u16string Wide(const std::string& s) { return Platform::AnsiToWide(s.data(), s.size()); }
std::u16string WideOrEmpty(const char16_t* s) { return s ? std::u16string(s) : std::u16string(); }
std::string NarrowOrEmpty(const char* s) { return s ? std::string(s) : std::string(); }

std::vector<std::u16string> SplitMultiString(const char16_t* s) {
    std::vector<std::u16string> texts;
    for (; s && *s; s += texts.back().size() + 1) texts.emplace_back(s);
    return texts;
}

std::vector<std::string> SplitMultiString(const char* s) {
    std::vector<std::string> texts;
    for (; s && *s; s += texts.back().size() + 1) texts.emplace_back(s);
    return texts;
}

// The narrow partner of a wide text: given, or converted.
std::string NarrowPartner(const char* narrow, const std::u16string& wide) {
    return (narrow && *narrow) || wide.empty() ? NarrowOrEmpty(narrow) : Narrow(wide);
}

template <class S>
S Cut(S text) {
    if (text.size() > kMaxHelpLength) text.resize(kMaxHelpLength);
    return text;
}

template <class S>
S PadHelpImpl(S text) {
    const size_t n = text.size();
    if (n >= 2 && text[n - 1] == '.' && text[n - 2] == '.') return text;
    text.append(n >= 1 && text[n - 1] == '.' ? 1 : 2, typename S::value_type('.'));
    return text;
}

template <class S>
bool IsDecimal(const S& text) {
    if (text.empty()) return false;
    for (auto c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

int DigitValue(int c, int base) {
    if (c >= '0' && c <= '9') return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

template <class S>
S ExpandImpl(const S& text) {
    using C = typename S::value_type;
    S out;
    for (size_t i = 0; i < text.size(); ++i) {
        size_t j = i + 1;
        if (text[i] != '#') {
            out += text[i];
            continue;
        }
        if (j < text.size() && text[j] == '@') ++j;  // the interface language: same lookup here
        int base = 10;
        if (j + 1 < text.size() && text[j] == '0' && (text[j + 1] == 'x' || text[j + 1] == 'X')) {
            base = 16;
            j += 2;
        }
        unsigned long id = 0;
        size_t k = j;
        for (; k < text.size() && k < j + 8; ++k) {
            const int digit = DigitValue(int(text[k]), base);
            if (digit < 0) break;
            id = id * base + digit;
        }
        std::u16string resource;
        if (k == j || !Platform::LoadResourceString(unsigned(id), resource)) {
            out += C('#');
            continue;
        }
        if constexpr (std::is_same_v<C, char>)
            out += Narrow(resource);
        else
            out += resource;
        i = k - 1;
    }
    return out;
}

// The arguments of xlfRegister for one form, built on that form's side.
class ArgumentList {
public:
    explicit ArgumentList(XlSide side) : side_(side) {}

    template <class S>
    void Text(const S& text) {
        Add().SetString(text);
    }
    void Int(int value) { Add().SetInt(value); }
    void Double(double value) { Add().SetDouble(value); }
    void Missing() { Add().SetMissing(); }

    std::vector<const CXlOper*> Pointers() const {
        std::vector<const CXlOper*> p;
        for (const auto& v : values_) p.push_back(v.get());
        return p;
    }

private:
    CXlOper& Add() { return *values_.emplace_back(std::make_unique<CXlOper>(side_)); }
    XlSide side_;
    std::vector<std::unique_ptr<CXlOper>> values_;
};

template <class S>
void AddTexts(ArgumentList& args, const S& argumentNames, int macroType, const S& category, const S& helpTopic,
              const S& help, const std::vector<S>& argumentHelp, size_t argumentCount) {
    args.Text(ExpandResourceReferences(argumentNames));
    args.Text(psl::DecimalText(macroType >= 3 ? 1 : macroType));
    if (IsDecimal(category))
        args.Int(std::stoi(std::string(category.begin(), category.end())));
    else
        args.Text(ExpandResourceReferences(category));
    args.Text(S());  // shortcut
    args.Text(helpTopic);
    const S expandedHelp = ExpandResourceReferences(help);
    args.Text(Cut(argumentCount == 0 ? PadHelp(expandedHelp) : expandedHelp));
    for (size_t i = 0; i < argumentCount; ++i) {
        S text = ExpandResourceReferences(i < argumentHelp.size() ? argumentHelp[i] : S());
        args.Text(Cut(i + 1 == argumentCount ? PadHelp(text) : text));
    }
}

int Call(int xlfn, CXlOper* result, const ArgumentList& args, bool modern) {
    const auto pointers = args.Pointers();
    return CallExcel(xlfn, result, pointers, modern ? BridgeMode::Excel12 : BridgeMode::Legacy);
}

}  // namespace

std::u16string PadHelp(std::u16string text) { return PadHelpImpl(std::move(text)); }
std::string PadHelp(std::string text) { return PadHelpImpl(std::move(text)); }
std::u16string ExpandResourceReferences(const std::u16string& text) { return ExpandImpl(text); }
std::string ExpandResourceReferences(const std::string& text) { return ExpandImpl(text); }

CXlFunctionRegistration::CXlFunctionRegistration(const XlFunctionRecord& r)
    : legacyExport_(NarrowOrEmpty(r.legacyExport)),
      modernExport_(NarrowOrEmpty(r.modernExport)),
      legacyType_(NarrowOrEmpty(r.legacyType)),
      modernType_(NarrowOrEmpty(r.modernType)),
      name_(WideOrEmpty(r.name)),
      helpTopic_(WideOrEmpty(r.helpTopic)),
      argumentNames_(WideOrEmpty(r.argumentNames)),
      category_(WideOrEmpty(r.category)),
      help_(WideOrEmpty(r.help)),
      argumentHelp_(SplitMultiString(r.argumentHelp)),
      descriptor_(WideOrEmpty(r.descriptor)),
      macroType_(r.macroType),
      helpContext_(r.helpContext),
      minVersion_(r.minVersion),
      maxVersion_(r.maxVersion) {
    argumentNamesNarrow_ = NarrowPartner(r.argumentNamesNarrow, argumentNames_);
    categoryNarrow_ = NarrowPartner(r.categoryNarrow, category_);
    helpNarrow_ = NarrowPartner(r.helpNarrow, help_);
    argumentHelpNarrow_ = SplitMultiString(r.argumentHelpNarrow);
    if (argumentHelpNarrow_.empty())
        for (const auto& text : argumentHelp_) argumentHelpNarrow_.push_back(Narrow(text));
}

size_t CXlFunctionRegistration::ArgumentCount() const {
    const std::string& type = UsesModernForm(true) ? modernType_ : legacyType_;
    size_t count = 0;
    for (size_t i = 1; i < type.size(); ++i) count += std::isalpha(static_cast<unsigned char>(type[i])) ? 1 : 0;
    return count;
}

bool CXlFunctionRegistration::UsesModernForm(bool excel12) const {
    return excel12 && !modernExport_.empty() && !modernType_.empty();
}

bool CXlFunctionRegistration::Register(const RegistrationContext& context, uint16_t helpContext) {
    const int version = context.excelVersion;
    if ((minVersion_ && version < minVersion_) || (maxVersion_ && version > maxVersion_)) return registered_ = true;
    const bool modern = UsesModernForm(context.excel12);
    if (!modern && (legacyExport_.empty() || legacyType_.empty())) return registered_ = true;

    std::u16string topic;
    if (!helpTopic_.empty() || helpContext != 0)
        topic = context.helpFile + u"!" + (helpTopic_.empty() ? Wide(psl::DecimalText(helpContext)) : helpTopic_);
    ArgumentList args(modern ? XlSide::Modern : XlSide::Legacy);
    args.Text(context.modulePath);
    args.Text(modern ? modernExport_ : legacyExport_);
    args.Text(modern ? modernType_ : legacyType_);
    if (modern) {
        args.Text(name_);
        AddTexts(args, argumentNames_, macroType_, category_, topic, help_, argumentHelp_, ArgumentCount());
    } else {
        args.Text(Narrow(name_));
        AddTexts(args, argumentNamesNarrow_, macroType_, categoryNarrow_, Narrow(topic), helpNarrow_,
                 argumentHelpNarrow_, ArgumentCount());
    }
    CXlOper result;
    registerId_ = 0;
    if (Call(xlfRegister, &result, args, modern) == 0 && result.Type() == xltypeNum)
        registerId_ = modern ? result.Modern()->val.num : result.Legacy()->val.num;
    registeredModern_ = modern;
    return registered_ = registerId_ != 0;
}

void CXlFunctionRegistration::Unregister(const RegistrationContext& context) {
    const bool modern = registeredModern_;
    const XlSide side = modern ? XlSide::Modern : XlSide::Legacy;
    if (registerId_ != 0) {
        ArgumentList id(side);
        id.Double(registerId_);
        Call(xlfUnregister, nullptr, id, modern);
        registerId_ = 0;
    }
    ArgumentList name(side);
    name.Text(name_);
    Call(xlfSetName, nullptr, name, modern);
    registered_ = false;
    // Leaves the name defined as a hidden entry in place of the function.
    ArgumentList hidden(side);
    hidden.Text(context.modulePath);
    hidden.Text(std::string("xlAutoRemove"));
    hidden.Text(std::string("J"));
    hidden.Text(name_);
    hidden.Missing();
    hidden.Int(0);
    Call(xlfRegister, nullptr, hidden, modern);
}

}  // namespace Zr::Xll
