#include "host/registrations.h"

#include <cmath>

#include "host/coercion.h"

namespace Zr::Host {
namespace {

constexpr size_t kFirstArgumentHelp = 10;

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c; }

}  // namespace

std::u16string Registration::TextAt(size_t index) const {
    if (index >= arguments.size() || !arguments[index].Is(ValueKind::Text)) return {};
    return arguments[index].text;
}

int Registration::MacroType() const {
    if (arguments.size() <= 5) return 1;
    const Value& v = arguments[5];
    if (v.Is(ValueKind::Number)) return std::isfinite(v.number) ? int(v.number) : 1;
    if (v.Is(ValueKind::Text))
        if (const std::optional<double> n = NumberFromText(v.text)) return int(*n);
    return 1;
}

Value Registration::Category() const { return arguments.size() > 6 ? arguments[6] : Value::Missing(); }

std::vector<std::u16string> Registration::ArgumentNames() const {
    std::vector<std::u16string> names;
    const std::u16string text = ArgumentText();
    if (text.empty()) return names;
    size_t start = 0;
    for (size_t comma; (comma = text.find(u',', start)) != std::u16string::npos; start = comma + 1)
        names.push_back(text.substr(start, comma - start));
    names.push_back(text.substr(start));
    return names;
}

std::vector<std::u16string> Registration::ArgumentHelps() const {
    std::vector<std::u16string> helps;
    for (size_t i = kFirstArgumentHelp; i < arguments.size(); ++i) helps.push_back(TextAt(i));
    return helps;
}

bool Registration::IsRemovalPlaceholder() const {
    return SameName(Procedure(), u"xlAutoRemove") && TypeText() == u"J";
}

bool SameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

Value RegistrationBook::Add(std::vector<Value> arguments, bool throughExcel4, std::string refusal) {
    Registration& r = entries_.emplace_back();
    r.arguments = std::move(arguments);
    r.throughExcel4 = throughExcel4;
    r.registerId = refusal.empty() ? Value::Number(nextId_++) : Value::Error(xlerrValue);
    r.refusal = std::move(refusal);
    return r.registerId;
}

bool RegistrationBook::Unregister(double registerId) {
    for (Registration& r : entries_) {
        if (!r.Refused() && !r.unregistered && r.registerId.number == registerId) {
            r.unregistered = true;
            return true;
        }
    }
    return false;
}

void RegistrationBook::DeleteName(std::u16string_view functionName) {
    for (Registration& r : entries_)
        if (SameName(r.FunctionName(), functionName)) r.nameDeleted = true;
}

const Registration* RegistrationBook::FindActive(std::u16string_view functionName) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->IsActive() && SameName(it->FunctionName(), functionName)) return &*it;
    return nullptr;
}

std::vector<Registration> RegistrationBook::Active() const {
    std::vector<Registration> active;
    for (const Registration& r : entries_)
        if (r.IsActive()) active.push_back(r);
    return active;
}

}  // namespace Zr::Host
