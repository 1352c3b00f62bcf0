#include "xll/ribbon.h"

#include "xll/excel_bridge.h"

using namespace Zr::Xll;

namespace {

// RTD(server, "", topic1, topic2, topic3) into `result`; false when Excel
// fails the call or answers an error (no such server).
bool AskServer(const std::u16string& topic1, const std::u16string& topic2, const std::u16string& topic3,
               CXlOper& result) {
    CXlOper server, computer, t1, t2, t3, answer;
    server.SetString(std::u16string(CXlpRibbonImplShared::kServer));
    computer.SetString(u"");
    t1.SetString(topic1);
    t2.SetString(topic2);
    t3.SetString(topic3);
    if (CallExcel(xlfRtd, &answer, {&server, &computer, &t1, &t2, &t3}) != 0 || answer.IsError()) return false;
    result.Assign(answer);
    return true;
}

std::u16string Decimal(int32_t n) {
    const std::string text = std::to_string(n);
    return std::u16string(text.begin(), text.end());
}

}  // namespace

void CXlpRibbonImplNull::Invoke(const CXlpRibbonCall&, CXlOper& result) { result.SetError(xlerrNA); }

// Topics: "Connect", the module path, "".
std::unique_ptr<CXlpRibbonImplShared> CXlpRibbonImplShared::Connect(const std::u16string& modulePath) {
    CXlOper answer;
    if (!AskServer(u"Connect", modulePath, u"", answer)) return nullptr;
    return std::unique_ptr<CXlpRibbonImplShared>(new CXlpRibbonImplShared(modulePath));
}

// Topics: the callback number, the module path, and the control's arguments
// joined by tabs (id, tag, index, text, selected id, pressed as 0 or 1). The
// server's answer is the callback's; #N/A when it gives none.
void CXlpRibbonImplShared::Invoke(const CXlpRibbonCall& call, CXlOper& result) {
    const std::u16string arguments = call.id + u"\t" + call.tag + u"\t" + Decimal(call.index) + u"\t" + call.text +
                                     u"\t" + call.selectedId + u"\t" + (call.pressed ? u"1" : u"0");
    if (!AskServer(Decimal(call.callback), modulePath_, arguments, result)) result.SetError(xlerrNA);
}
