#include "host/dynamic_call.h"

#include <array>
#include <bit>
#include <cassert>
#include <utility>

namespace Zr::Host {

RawArgument RawArgument::Real(double value) { return {std::bit_cast<uint64_t>(value), true}; }

namespace {

template <size_t>
using Word = uint64_t;
template <size_t>
using Real = double;

template <class Fn>
Fn As(const void* function) {
    return reinterpret_cast<Fn>(const_cast<void*>(function));
}

#if defined(_WIN32)

// Windows x64 passes arguments by position: the first four in RCX/RDX/R8/R9
// or XMM0-3, the rest in 8-byte stack slots. A call through a variadic pointer
// copies each of the first four into both its integer and its XMM register, so
// a double carrying an argument's 64-bit pattern reaches the callee whatever
// type it declares. Surplus arguments are harmless: the caller owns the stack.
using Frame = std::array<double, kMaxCallArguments>;

Frame Layout(std::span<const RawArgument> arguments) {
    Frame frame{};
    for (size_t i = 0; i < arguments.size(); ++i) frame[i] = std::bit_cast<double>(arguments[i].bits);
    return frame;
}

template <class R, size_t... I>
R Invoke(const void* function, const Frame& frame, std::index_sequence<I...>) {
    return As<R (*)(...)>(function)(frame[I]...);
}

template <class R>
R Call(const void* function, std::span<const RawArgument> arguments) {
    return Invoke<R>(function, Layout(arguments), std::make_index_sequence<kMaxCallArguments>());
}

#elif defined(__x86_64__) || defined(__aarch64__)

// System V x86-64 and AAPCS64 hand integer-class arguments to the integer
// registers in order and doubles to the vector registers in order, however
// the two interleave; what does not fit goes to 8-byte stack slots in argument
// order. So one fixed signature (all integer registers, all vector registers,
// then stack words) reaches every parameter list.
#if defined(__x86_64__)
constexpr size_t kIntegerRegisters = 6;
#else
constexpr size_t kIntegerRegisters = 8;
#endif
constexpr size_t kVectorRegisters = 8;

struct Frame {
    std::array<uint64_t, kIntegerRegisters> integers{};
    std::array<double, kVectorRegisters> reals{};
    std::array<uint64_t, kMaxCallArguments> stack{};
};

Frame Layout(std::span<const RawArgument> arguments) {
    Frame frame;
    size_t integers = 0, reals = 0, stack = 0;
    for (const RawArgument& a : arguments) {
        if (a.isDouble && reals < kVectorRegisters)
            frame.reals[reals++] = std::bit_cast<double>(a.bits);
        else if (!a.isDouble && integers < kIntegerRegisters)
            frame.integers[integers++] = a.bits;
        else
            frame.stack[stack++] = a.bits;  // a double keeps its bit pattern
    }
    return frame;
}

template <class R, size_t... I, size_t... J, size_t... K>
R Invoke(const void* function, const Frame& frame, std::index_sequence<I...>, std::index_sequence<J...>,
         std::index_sequence<K...>) {
    using Fn = R (*)(Word<I>..., Real<J>..., Word<K>...);
    return As<Fn>(function)(frame.integers[I]..., frame.reals[J]..., frame.stack[K]...);
}

template <class R>
R Call(const void* function, std::span<const RawArgument> arguments) {
    return Invoke<R>(function, Layout(arguments), std::make_index_sequence<kIntegerRegisters>(),
                     std::make_index_sequence<kVectorRegisters>(), std::make_index_sequence<kMaxCallArguments>());
}

#else
#error "No dynamic call convention for this processor"
#endif

}  // namespace

uint64_t CallForInteger(const void* function, std::span<const RawArgument> arguments) {
    assert(arguments.size() <= kMaxCallArguments);
    return Call<uint64_t>(function, arguments);
}

double CallForDouble(const void* function, std::span<const RawArgument> arguments) {
    assert(arguments.size() <= kMaxCallArguments);
    return Call<double>(function, arguments);
}

}  // namespace Zr::Host
