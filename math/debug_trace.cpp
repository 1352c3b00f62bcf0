#include "math/debug_trace.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace Zr::Math {

namespace {

std::atomic<DebugTraceSink> g_sink{nullptr};

}  // namespace

void DebugTrace(const char* format, ...) noexcept {
    const DebugTraceSink sink = g_sink.load(std::memory_order_acquire);
    if (!sink || !format) return;
    char message[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    sink(message);
}

DebugTraceSink SetDebugTraceSink(DebugTraceSink sink) noexcept {
    return g_sink.exchange(sink, std::memory_order_acq_rel);
}

}  // namespace Zr::Math
