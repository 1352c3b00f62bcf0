// The function wizard check through real windows: the host plays Excel's main
// window and dialogs (under Wine on a virtual display), the add-in decides
// from them whether a call comes from the Function Arguments dialog. Natively
// there are no windows and every call computes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "host/host.h"
#include "host/host_platform.h"
#include "xll/exceptions.h"
#include "xll/platform.h"
#include "xll/platform_wizard_hook.h"

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

// Keys as virtual-key codes, Shift held for those with 0x100 added.
constexpr unsigned kTab = 0x09, kShiftTab = 0x109, kEnter = 0x0D, kUp = 0x26, kDown = 0x28;

std::vector<HostPlatform::ChildWindow> Children(void* dialog, const std::string& className) {
    std::vector<HostPlatform::ChildWindow> found;
    for (auto& child : HostPlatform::ChildWindows(dialog))
        if (child.className == className) found.push_back(child);
    return found;
}

// ZrRandBeta's algorithm (argument 3) gets a drop-down button at the right end
// of its row, wherever scrolling puts it; Down opens its list only from an
// empty box or a constant; Enter writes the chosen value into the box.
TEST_P(WizardWindows, AlgorithmListBesideItsRow) {
    if (!HostPlatform::HasWindows()) GTEST_SKIP() << "no window system natively";
    host.OpenMainWindow();
    Open();
    void* dialog = host.OpenFunctionArguments(u"ZrRandBeta");
    const auto boxes = Children(dialog, "EDTBX");
    ASSERT_EQ(boxes.size(), 5u);
    EXPECT_TRUE(Children(dialog, "Button").empty());
    HostPlatform::TypeKeys(boxes[0].handle, u"5\b");  // the first preview names the function
    constexpr unsigned kVScroll = 0x115, kThumbPosition = 4;
    for (int scrolled : {0, 2, 0}) {
        HostPlatform::SendWindowMessage(dialog, kVScroll, kThumbPosition | unsigned(scrolled) << 16, 0);
        const auto buttons = Children(dialog, "Button");
        ASSERT_EQ(buttons.size(), 1u) << scrolled;
        const auto& row = boxes[size_t(3 - scrolled)];
        EXPECT_EQ(buttons[0].right, row.right) << scrolled;
        EXPECT_EQ(buttons[0].top, row.top) << scrolled;
        EXPECT_EQ(buttons[0].bottom, row.bottom) << scrolled;
        EXPECT_LT(buttons[0].left, row.right) << scrolled;
    }

    constexpr unsigned kSetText = 0x0C, kGetCount = 0x146, kGetSelection = 0x147, kGetItem = 0x148, kClick = 0xF5;
    constexpr int kList = -1;
    const struct {
        const char16_t* text;
        size_t row;
        std::vector<unsigned> keys;  // empty: the row's button is pressed
        int focus;                   // the focused row afterwards, or kList
        int selected;
        const char16_t* chosen;      // the row's text after Enter
    } cases[] = {
        {u"", 3, {kDown}, kList, 0, u"0"},
        {u"", 3, {}, kList, 0, u"0"},
        {u"1", 3, {kDown, kUp, kUp}, kList, 0, u"0"},  // Up on the first item stays
        {u"0", 3, {kDown, kDown, kDown, kDown}, kList, 2, u"2"},  // Down on the last item stays
        {u" TRUE\t", 3, {kDown}, kList, 0, u"0"},
        {u"\"x\"", 3, {kDown, kDown}, kList, 1, u"1"},
        {u"FALSE", 3, {kDown}, kList, 0, u"0"},
        {u"A1", 3, {kDown}, 3, -1, u"A1"},  // a reference or formula: Excel's own Down
        {u"=2", 3, {kDown}, 3, -1, u"=2"},
        {u"true", 3, {kDown}, 3, -1, u"true"},
        {u"", 3, {kUp}, 3, -1, u""},
        {u"", 2, {kDown}, 2, -1, u""},  // no list in this row
        {u"1", 3, {kDown, kTab}, 4, -1, u"1"},
        {u"1", 3, {kDown, kShiftTab}, 2, -1, u"1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.text) + " row " + std::to_string(c.row) + " keys " + std::to_string(c.keys.size()));
        void* box = boxes[c.row].handle;
        HostPlatform::SendWindowMessage(box, kSetText, 0, reinterpret_cast<intptr_t>(c.text));
        if (c.keys.empty())
            HostPlatform::SendWindowMessage(Children(dialog, "Button")[0].handle, kClick, 0, 0);
        else
            HostPlatform::PressKeys(box, c.keys);
        void* focus = HostPlatform::FocusedWindow();
        const auto lists = Children(dialog, "ComboBox");
        if (c.focus != kList) {
            EXPECT_EQ(focus, boxes[size_t(c.focus)].handle);
        } else {
            ASSERT_EQ(lists.size(), 1u);
            ASSERT_EQ(focus, lists[0].handle);
            EXPECT_EQ(HostPlatform::SendWindowMessage(focus, kGetCount, 0, 0), 3);
            EXPECT_EQ(HostPlatform::SendWindowMessage(focus, kGetSelection, 0, 0), c.selected);
            char16_t item[64] = {};
            HostPlatform::SendWindowMessage(focus, kGetItem, 2, reinterpret_cast<intptr_t>(item));
            EXPECT_EQ(std::u16string(item), u"2 - Numerical Recipies ran2");
            HostPlatform::PressKeys(nullptr, {kEnter});
            EXPECT_EQ(HostPlatform::FocusedWindow(), box);
        }
        EXPECT_EQ(HostPlatform::WindowText(box), c.chosen);
    }
    // The README's picture (scripts/test.sh asks for it): the list open, the dialog shown for once.
    const char* picture = GetParam() == Mode::Excel12 ? std::getenv("ZR_SCREENSHOT") : nullptr;
    if (picture) HostPlatform::ShowTopWindow(dialog, true);
    // Closing the add-in takes its windows along; Excel's stay.
    HostPlatform::PressKeys(boxes[3].handle, {kDown});
    if (picture) {
        EXPECT_TRUE(HostPlatform::SaveScreenshot(picture, "450x190+40+62"));
    }
    host.AutoClose();
    EXPECT_TRUE(Children(dialog, "Button").empty());
    EXPECT_TRUE(Children(dialog, "ComboBox").empty());
    EXPECT_EQ(Children(dialog, "EDTBX").size(), 5u);
}

// Windows refuses a hook for a thread that does not exist: the message names
// the hook and the error code, and the failed hook does not stay installed.
TEST(WizardHook, RefusedHookRaisesAndLeavesNothingInstalled) {
    CWizardHook hook;
    const std::string prefix = "SetWindowsHookEx failed for WH_CALLWNDPROCRET. hr=";
    try {
        hook.Install(0x7FFFFFF0);
        EXPECT_FALSE(HostPlatform::HasWindows()) << "installed for no thread";
        hook.Remove();
    } catch (const CXlRuntimeException& e) {
        EXPECT_EQ(std::string(e.what()).substr(0, prefix.size()), prefix);
        EXPECT_NE(std::strtoul(e.what() + prefix.size(), nullptr, 16), 0ul) << e.what();
    }
    hook.Install(Platform::CurrentThreadId());
    EXPECT_THROW(hook.Install(Platform::CurrentThreadId()), CXlRuntimeException);
    hook.Remove();
}

INSTANTIATE_TEST_SUITE_P(Modes, WizardWindows, ::testing::Values(Mode::Excel12, Mode::Legacy),
                         [](const auto& info) { return info.param == Mode::Excel12 ? "Excel12" : "Legacy"; });

}  // namespace
}  // namespace Zr::Host
