// The ribbon implementations behind RibbonCallback. A ribbon is served by a
// separate real-time-data server; without one every callback is answered by
// the null implementation.
#pragma once

#include <memory>
#include <string>

#include "xll/xl_oper.h"

// One ribbon control's callback as Excel's ribbon manager passes it.
struct CXlpRibbonCall {
    int32_t callback = 0;
    std::u16string id, tag;
    int32_t index = 0;
    std::u16string text, selectedId;
    bool pressed = false;
};

class CXlpRibbonImpl {
public:
    virtual ~CXlpRibbonImpl() = default;
    virtual void Invoke(const CXlpRibbonCall& call, CXlOper& result) = 0;
};

// No ribbon: every callback answers #N/A.
class CXlpRibbonImplNull : public CXlpRibbonImpl {
public:
    void Invoke(const CXlpRibbonCall& call, CXlOper& result) override;
};

// The shared ribbon server, reached through RTD.
class CXlpRibbonImplShared : public CXlpRibbonImpl {
public:
    static constexpr const char16_t* kServer = u"XlpRibbonServer.XlpRtdRibbonServer";
    // The implementation when the server answers the connection topics, else null.
    static std::unique_ptr<CXlpRibbonImplShared> Connect(const std::u16string& modulePath);
    void Invoke(const CXlpRibbonCall& call, CXlOper& result) override;

private:
    explicit CXlpRibbonImplShared(std::u16string modulePath) : modulePath_(std::move(modulePath)) {}
    std::u16string modulePath_;
};
