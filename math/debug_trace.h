// The numerics' diagnostic trace. Routines hand it a message naming
// themselves when they fail for a numerical reason; no caller observes it.
// Without a sink the message is discarded unformatted, so tracing costs one
// atomic load.
#pragma once

namespace Zr::Math {

// Receives each formatted message (without a trailing newline).
using DebugTraceSink = void (*)(const char* message);

// printf-style; formats and forwards to the installed sink, if any.
#if defined(__GNUC__)
[[gnu::format(printf, 1, 2)]]
#endif
void DebugTrace(const char* format, ...) noexcept;

// Installs a sink (null discards again) and returns the previous one. Meant
// for tests and debugging sessions; safe from any thread.
DebugTraceSink SetDebugTraceSink(DebugTraceSink sink) noexcept;

}  // namespace Zr::Math
