// The host's version of Excel's Function Arguments dialog: every active
// function with its category, description, argument help and help topic.
#include <ostream>

#include "host/host.h"

namespace Zr::Host {
namespace {

constexpr int kCommandMacroType = 2;

std::string Joined(const std::vector<std::u16string>& names) {
    std::string out;
    for (size_t i = 0; i < names.size(); ++i) out += (i ? ", " : "") + ToUtf8(names[i]);
    return out;
}

void PrintFunction(std::ostream& out, const Registration& r) {
    const std::vector<std::u16string> names = r.ArgumentNames();
    const std::vector<std::u16string> helps = r.ArgumentHelps();
    out << ToUtf8(r.FunctionName()) << '(' << Joined(names) << ')';
    if (r.MacroType() == kCommandMacroType) out << "  [command]";
    out << "\n  Category: " << FormatValue(r.Category()) << '\n';
    if (!r.FunctionHelp().empty()) out << "  " << ToUtf8(r.FunctionHelp()) << '\n';
    for (size_t i = 0; i < names.size(); ++i) {
        out << "  " << ToUtf8(names[i]) << ':';
        if (i < helps.size() && !helps[i].empty()) out << ' ' << ToUtf8(helps[i]);
        out << '\n';
    }
    out << "  Export: " << ToUtf8(r.Procedure()) << " \"" << ToUtf8(r.TypeText()) << "\"\n";
    if (!r.HelpTopic().empty()) out << "  Help: " << ToUtf8(r.HelpTopic()) << '\n';
}

}  // namespace

void Host::ListFunctions(std::ostream& out) const {
    const std::vector<Registration> active = ActiveFunctions();
    // Worksheet functions first, then the commands Excel keeps out of the wizard.
    for (bool commands : {false, true})
        for (const Registration& r : active)
            if ((r.MacroType() == kCommandMacroType) == commands) PrintFunction(out, r);
}

}  // namespace Zr::Host
