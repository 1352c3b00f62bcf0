// The function wizard check through real windows: the host plays Excel's main
// window and dialogs (under Wine on a virtual display), the add-in decides
// from them whether a call comes from the Function Arguments dialog. Natively
// there are no windows and every call computes.
#include <gtest/gtest.h>

#include <thread>

#include "host/host.h"
#include "host/host_platform.h"

namespace Zr::Host {
namespace {

constexpr char kFormula[] = "ZrNormInv(0.3)";
const Value kWizardAnswer = Value::Error(xlerrNA);

class WizardWindows : public ::testing::TestWithParam<Mode> {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host.Load(ZR_ADDIN_PATH, GetParam(), error)) << error;
    }
    void Open() { ASSERT_EQ(host.AutoOpen(), 1); }
    void Close() {
        host.AutoClose();
        host.AutoRemove();
    }
    void TearDown() override { Close(); }
    // The formula on this thread and on a calculation thread: both must agree.
    Value Evaluate() {
        Value fromThread;
        std::thread([&] { fromThread = host.Evaluate(kFormula); }).join();
        const Value here = host.Evaluate(kFormula);
        EXPECT_EQ(here, fromThread);
        return here;
    }
    Host host;
};

// Every kind of window the check must tell apart, opened before the add-in
// opens and after; closing it lets the function compute again.
TEST_P(WizardWindows, OnlyExcelsOwnDialogsOtherThanFindAreTheWizard) {
    enum Owner { kMain, kOtherExcel, kNone };
    const struct {
        const char* className;
        const char16_t* title;
        Owner owner;
        bool wizard;
    } cases[] = {
        {"bosa_sdm_XL9", u"Function Arguments", kMain, true},
        {"bosa_sdm_XL9", u"Format Cells", kMain, true},
        {"bosa_sdm_XL9", u"", kMain, true},
        {"BOSA_SDM_XL8", u"function arguments", kMain, true},  // the older class, any case
        {"bosa_sdm_XL9", u"Find and Replace", kMain, false},
        {"bosa_sdm_XL9", u"Function Arguments", kOtherExcel, false},
        {"bosa_sdm_XL9", u"Function Arguments", kNone, false},
        {"bosa_sdm_XL", u"Function Arguments", kMain, true},
        {"bosa_sdm_X", u"Function Arguments", kMain, false},
        {"#32770", u"Function Arguments", kMain, false},
        {"XLMAIN", u"Function Arguments", kMain, false},
    };
    void* main = host.OpenMainWindow();
    void* otherExcel = host.OpenMainWindow();
    ASSERT_EQ(main != nullptr, HostPlatform::HasWindows());
    for (bool beforeOpen : {true, false}) {
        if (!beforeOpen) Open();
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.className) + " " + ToUtf8(c.title) + (beforeOpen ? " before open" : ""));
            void* owner = c.owner == kMain ? main : c.owner == kOtherExcel ? otherExcel : nullptr;
            void* window = host.OpenWindow(c.className, c.title, owner);
            EXPECT_EQ(window != nullptr, HostPlatform::HasWindows());
            if (beforeOpen) Open();
            const Value value = Evaluate();
            EXPECT_EQ(value == kWizardAnswer, c.wizard && window) << FormatValue(value);
            host.CloseWindow(window);
            EXPECT_TRUE(Evaluate().Is(ValueKind::Number));
            if (beforeOpen) Close();
        }
    }
}

// The Function Arguments dialog laid out as Excel's: five argument boxes with
// one left edge, then the argument scroll bar; typing previews the formula,
// which the add-in answers at once with #N/A. Scrolling shows later arguments.
TEST_P(WizardWindows, TheDialogPreviewsEveryKeystroke) {
    if (!HostPlatform::HasWindows()) {
        EXPECT_EQ(host.OpenMainWindow(), nullptr);
        GTEST_SKIP() << "no window system natively";
    }
    host.OpenMainWindow();
    Open();
    void* dialog = host.OpenFunctionArguments(u"ZrRandBeta");
    ASSERT_NE(dialog, nullptr);
    const std::vector<HostPlatform::ChildWindow> children = HostPlatform::ChildWindows(dialog);
    ASSERT_GE(children.size(), 7u);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(children[row].className, "EDTBX");
        EXPECT_EQ(children[row].left, children[0].left);
        EXPECT_GT(children[row].top, row ? children[row - 1].top : -100000);
    }
    EXPECT_EQ(children[5].className, "ScrollBar");
    void* result = children[6].handle;

    HostPlatform::TypeKeys(children[0].handle, u"5");
    EXPECT_EQ(HostPlatform::WindowText(children[0].handle), u"5");
    EXPECT_EQ(HostPlatform::WindowText(result), u"Formula result = #N/A");
    HostPlatform::TypeKeys(children[0].handle, u"\b");
    EXPECT_EQ(HostPlatform::WindowText(children[0].handle), u"");

    constexpr unsigned kVScroll = 0x115, kLineDown = 1;
    HostPlatform::SendWindowMessage(dialog, kVScroll, kLineDown, 0);
    HostPlatform::SendWindowMessage(dialog, kVScroll, kLineDown, 0);
    HostPlatform::TypeKeys(children[1].handle, u"2");  // the second row now shows argument 3
    HostPlatform::SendWindowMessage(dialog, kVScroll, 0, 0);
    HostPlatform::SendWindowMessage(dialog, kVScroll, 0, 0);
    EXPECT_EQ(HostPlatform::WindowText(children[3].handle), u"2");
    EXPECT_EQ(HostPlatform::WindowText(children[1].handle), u"");

    host.CloseWindow(dialog);
    EXPECT_TRUE(host.Evaluate(kFormula).Is(ValueKind::Number));
}

INSTANTIATE_TEST_SUITE_P(Modes, WizardWindows, ::testing::Values(Mode::Excel12, Mode::Legacy),
                         [](const auto& info) { return info.param == Mode::Excel12 ? "Excel12" : "Legacy"; });

}  // namespace
}  // namespace Zr::Host
