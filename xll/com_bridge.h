// CXllCom: the bridge to the object model of the Excel instance that hosts
// the add-in. It points the Application's OnSheetActivate, OnSheetDeactivate
// and OnCalculate properties at the add-in's hidden commands, which run the
// application's handler and then whatever macro the property named before;
// stopping puts those macros back.
#pragma once

#include <array>
#include <string>

namespace Zr::Xll {

// The platform's side of the bridge (xll/platform_com.h) as a set of
// functions, so that an application can supply another object model.
struct ComPlatform {
    bool (*available)();
    void (*connect)(const std::u16string& modulePath);
    std::u16string (*assignHandler)(const std::u16string& property, const std::u16string& macro);
    void (*disconnect)();
};
const ComPlatform& SystemComPlatform();

enum class ComHandler { SheetActivate, SheetDeactivate, Calculate };
constexpr size_t kComHandlerCount = 3;
// The property, and the event part of the hidden command's names: "OnSheetActivate", ...
const char16_t* ComHandlerName(ComHandler which);

}  // namespace Zr::Xll

class CXllCom {
public:
    // Only one may exist at a time.
    explicit CXllCom(const Zr::Xll::ComPlatform& platform);
    ~CXllCom();
    CXllCom(const CXllCom&) = delete;
    CXllCom& operator=(const CXllCom&) = delete;
    static CXllCom* Instance();

    // Connects to the hosting instance and assigns the three properties;
    // throws CXlComException (and leaves nothing assigned or connected).
    void Init();
    // Restores the properties and disconnects; safe to repeat.
    void Term();
    // What the property named before Init assigned it; empty when nothing.
    const std::u16string& PreviousHandler(Zr::Xll::ComHandler which) const;

    // The hidden command's work: the application's handler, then the
    // previous macro by name. Returns true.
    static bool RunHandler(Zr::Xll::ComHandler which);

private:
    void InitExcelOleFix();
    void TermExcelOleFix();
    void Restore();

    const Zr::Xll::ComPlatform& platform_;
    bool initCalled_ = false;
    bool connected_ = false;
    std::array<bool, Zr::Xll::kComHandlerCount> assigned_{};
    std::array<std::u16string, Zr::Xll::kComHandlerCount> previous_;
};
