// How the C entry points are exported, the one operating-system difference
// that the record definitions need; part of the platform layer (platform.h).
#pragma once

#if defined(_WIN32)
#define ZR_EXPORT extern "C" __declspec(dllexport)
#else
#define ZR_EXPORT extern "C" __attribute__((visibility("default")))
#endif
