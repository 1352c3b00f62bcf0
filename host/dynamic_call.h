// Calls a function whose parameter list is known only at run time (from an
// Excel type text), the way Excel calls an add-in's exports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace Zr::Host {

// One argument as the machine passes it: an integer-class value (integers and
// pointers, sign-extended to 64 bits) or a double.
struct RawArgument {
    uint64_t bits = 0;
    bool isDouble = false;

    static RawArgument Integer(int64_t value) { return {static_cast<uint64_t>(value), false}; }
    static RawArgument Pointer(const void* p) { return {reinterpret_cast<uintptr_t>(p), false}; }
    static RawArgument Real(double value);
};

constexpr size_t kMaxCallArguments = 32;

// Both require arguments.size() <= kMaxCallArguments. The first returns what
// the function leaves in the integer result register (an integer or a
// pointer), the second its floating-point result.
uint64_t CallForInteger(const void* function, std::span<const RawArgument> arguments);
double CallForDouble(const void* function, std::span<const RawArgument> arguments);

}  // namespace Zr::Host
