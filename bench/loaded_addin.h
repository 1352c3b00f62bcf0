// The add-in loaded and opened by the host once for all benchmarks, with its
// exports looked up by name, so that a benchmark calls an entry exactly as
// Excel does and hands the result back through xlAutoFree12.
#pragma once

#include <string>

#include "host/host.h"
#include "host/host_platform.h"

namespace Zr::Bench {

class LoadedAddin {
public:
    explicit LoadedAddin(const std::string& path) {
        std::string error;
        if (!host_.Load(path, error) || host_.AutoOpen() != 1) return;
        library_ = HostPlatform::LoadLibraryFile(path, error);
        autoFree_ = Export<void (*)(XLOPER12*)>("xlAutoFree12");
    }

    // The export `name` as a function pointer of type F, or null.
    template <class F>
    F Export(const char* name) const {
        return library_ ? reinterpret_cast<F>(HostPlatform::FindSymbol(library_, name)) : nullptr;
    }

    // Hands a result back as Excel does.
    void Free(XLOPER12* result) const {
        if (result->xltype & xlbitDLLFree) autoFree_(result);
    }

    bool Ready() const { return autoFree_ != nullptr; }

private:
    Host::Host host_;
    void* library_ = nullptr;
    void (*autoFree_)(XLOPER12*) = nullptr;
};

#ifdef ZR_ADDIN_FULL_PATH
// The benchmarks' add-in, the one this build made.
inline const LoadedAddin& Addin() {
    static const LoadedAddin addin(ZR_ADDIN_FULL_PATH);
    return addin;
}
#endif

}  // namespace Zr::Bench
