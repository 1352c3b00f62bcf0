// What the add-in registered with xlfRegister, in the order it did so.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/value.h"

namespace Zr::Host {

struct Registration {
    std::vector<Value> arguments;  // as xlfRegister received them
    Value registerId;              // the answer: a number, or #VALUE! when refused
    bool throughExcel4 = false;    // came through Excel4v, with narrow texts
    bool unregistered = false;     // xlfUnregister received the id
    bool nameDeleted = false;      // xlfSetName deleted the function's name afterwards
    std::string refusal;           // why the host answered #VALUE!, empty when it did not

    // The arguments by their meaning; a text that is absent reads as empty.
    std::u16string Module() const { return TextAt(0); }
    std::u16string Procedure() const { return TextAt(1); }
    std::u16string TypeText() const { return TextAt(2); }
    std::u16string FunctionName() const { return TextAt(3); }
    std::u16string ArgumentText() const { return TextAt(4); }
    int MacroType() const;  // 1 (function) when absent, 2 for a command
    Value Category() const;  // text, or a number
    std::u16string Shortcut() const { return TextAt(7); }
    std::u16string HelpTopic() const { return TextAt(8); }
    std::u16string FunctionHelp() const { return TextAt(9); }
    std::vector<std::u16string> ArgumentNames() const;  // ArgumentText split at commas
    std::vector<std::u16string> ArgumentHelps() const;  // the arguments after the tenth

    bool Refused() const { return !registerId.Is(ValueKind::Number); }
    // The add-in re-registers xlAutoRemove as "J" under an unregistered
    // function's name to leave a hidden name behind; that is no function.
    bool IsRemovalPlaceholder() const;
    bool IsActive() const { return !Refused() && !unregistered && !IsRemovalPlaceholder(); }

    std::u16string TextAt(size_t index) const;
};

// Excel's names compare without regard to (ASCII) case.
bool SameName(std::u16string_view a, std::u16string_view b);

class RegistrationBook {
public:
    // Records a call and returns its register id: a new number, or #VALUE!
    // when `refusal` gives a reason to refuse.
    Value Add(std::vector<Value> arguments, bool throughExcel4, std::string refusal);
    bool Unregister(double registerId);
    void DeleteName(std::u16string_view functionName);

    // The latest active registration of the name, or null.
    const Registration* FindActive(std::u16string_view functionName) const;
    const std::vector<Registration>& All() const { return entries_; }
    std::vector<Registration> Active() const;
    void Clear() { entries_.clear(); }

private:
    std::vector<Registration> entries_;
    double nextId_ = 1.0;
};

}  // namespace Zr::Host
