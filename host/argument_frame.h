// The arguments of one call of an export, converted from cell values to what
// the function's type text asks for, with the records and texts they point to.
#pragma once

#include <deque>
#include <span>
#include <string>
#include <vector>

#include "host/coercion.h"
#include "host/dynamic_call.h"
#include "host/records.h"
#include "host/type_text.h"
#include "host/value.h"

namespace Zr::Host {

class ArgumentFrame {
public:
    ArgumentFrame() = default;
    ArgumentFrame(const ArgumentFrame&) = delete;  // the arguments point into the frame
    ArgumentFrame& operator=(const ArgumentFrame&) = delete;

    // Appends `value` as a `type` argument. False, with Failure() telling what
    // the cell shows instead, when Excel would not call the function.
    bool Add(ArgType type, const Value& value);

    std::span<const RawArgument> Raw() const { return raw_; }
    const Value& Failure() const { return failure_; }

private:
    bool Reject(Value shown);
    template <class T, class Make>
    bool AddScalar(const Coerced<T>& coerced, Make make);
    bool AddRecord12(const Value& value);
    bool AddRecord4(const Value& value);
    bool AddText(const Value& value, bool wide);

    RecordArena arena_;
    std::deque<std::string> narrowTexts_;  // a deque keeps c_str() pointers valid
    std::deque<std::u16string> wideTexts_;
    std::vector<RawArgument> raw_;
    Value failure_;
};

}  // namespace Zr::Host
