#include "host/dynamic_call.h"

#include <array>
#include <bit>
#include <cassert>
#include <type_traits>
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

// Windows x64 passes arguments by position: the first four in RCX/RDX/R8/R9,
// or XMM0-3 for doubles, the rest in 8-byte stack slots whatever their type.
// (A call through a variadic pointer would be meant to fill both registers,
// but g++ for MinGW-w64 leaves the integer register empty.) So the first four
// positions take one of sixteen fixed signatures, chosen by which of them are
// doubles, and every later argument goes as a 64-bit word.
constexpr size_t kRegisterArguments = 4;

struct Frame {
    std::array<uint64_t, kMaxCallArguments> words{};
    unsigned doubles = 0;  // bit i: register argument i is a double
};

Frame Layout(std::span<const RawArgument> arguments) {
    Frame frame;
    for (size_t i = 0; i < arguments.size(); ++i) {
        frame.words[i] = arguments[i].bits;
        if (arguments[i].isDouble && i < kRegisterArguments) frame.doubles |= 1u << i;
    }
    return frame;
}

template <unsigned Doubles, size_t I>
using Slot = std::conditional_t<((Doubles >> I) & 1u) != 0, double, uint64_t>;

template <class T>
T FromBits(uint64_t bits) {
    return std::bit_cast<T>(bits);
}

template <class R, unsigned Doubles, size_t... K>
R Invoke(const void* function, const Frame& f, std::index_sequence<K...>) {
    using Fn = R (*)(Slot<Doubles, 0>, Slot<Doubles, 1>, Slot<Doubles, 2>, Slot<Doubles, 3>, Word<K>...);
    return As<Fn>(function)(FromBits<Slot<Doubles, 0>>(f.words[0]), FromBits<Slot<Doubles, 1>>(f.words[1]),
                            FromBits<Slot<Doubles, 2>>(f.words[2]), FromBits<Slot<Doubles, 3>>(f.words[3]),
                            f.words[kRegisterArguments + K]...);
}

template <class R, unsigned Doubles>
R InvokeWith(const void* function, const Frame& frame) {
    return Invoke<R, Doubles>(function, frame, std::make_index_sequence<kMaxCallArguments - kRegisterArguments>());
}

template <class R, unsigned... Doubles>
R Dispatch(const void* function, const Frame& frame, std::integer_sequence<unsigned, Doubles...>) {
    using Invoker = R (*)(const void*, const Frame&);
    static constexpr Invoker kInvokers[] = {&InvokeWith<R, Doubles>...};
    return kInvokers[frame.doubles](function, frame);
}

template <class R>
R Call(const void* function, std::span<const RawArgument> arguments) {
    return Dispatch<R>(function, Layout(arguments), std::make_integer_sequence<unsigned, 1u << kRegisterArguments>());
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
