// The function wizard check's cost per call under Wine, on a display: the
// add-in's check beside the enumeration it replaces (ask Excel for its main
// window, then look at every top-level window), with 0 and 200 other windows
// and with and without a dialog of Excel's class. It loads the frame test
// add-in, whose FrameWizardChecks and FrameWizardEnumerations make either
// many times. Usage: zr_wizard_timing [ADDIN]
#include <chrono>
#include <cstdio>
#include <string>

#include "host/host.h"
#include "host/host_platform.h"

using namespace Zr::Host;
namespace HostPlatform = Zr::HostPlatform;

namespace {

// Microseconds per call of `exportName` making `count` checks at once.
double PerCall(Host& host, const char* exportName, int count) {
    const auto start = std::chrono::steady_clock::now();
    host.CallExport(exportName, "JJ", {Value::Number(count)});
    const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / count;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "ZrFrameTestAddin.dll";
    if (!HostPlatform::HasWindows()) {
        std::puts("no window system: the check answers false at once");
        return 0;
    }
    Host host;
    std::string error;
    void* main = host.Load(path, error) ? host.OpenMainWindow() : nullptr;
    if (!main || host.AutoOpen() != 1) {
        std::fprintf(stderr, "cannot open %s with a main window: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    std::puts("other windows  dialog  check (us/call)  enumeration (us/call)");
    int others = 0;
    for (int wanted : {0, 200}) {
        for (; others < wanted; ++others) host.OpenWindow("ZrOtherWindow", u"other", nullptr);
        for (bool dialog : {false, true}) {
            void* window = dialog ? host.OpenWindow("bosa_sdm_XL9", u"Function Arguments", main) : nullptr;
            const double check = PerCall(host, "FrameWizardChecks", dialog ? 200 : 2000000);
            const double enumeration = PerCall(host, "FrameWizardEnumerations", 200);
            std::printf("%13d  %6s  %15.3f  %21.3f\n", others, dialog ? "yes" : "no", check, enumeration);
            if (window) host.CloseWindow(window);
        }
    }
    host.AutoClose();
    return 0;
}
