// The host with real libraries: the tiny fake add-in beside these tests, and
// the frame test add-in for Excel 2003's side.
#include <gtest/gtest.h>

#include "host/host.h"
#include "host/host_platform.h"

ZR_EXPORT int MdCallBack12(int xlfn, int count, XLOPER12** args, XLOPER12* result);

namespace Zr::Host {
namespace {

class HostSession : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host.Load(ZR_FAKE_ADDIN_PATH, error)) << error;
    }
    Host host;
};

// An empty record goes as a null pointer.
int Callback(int function, std::vector<XLOPER12> args, XLOPER12* result) {
    std::vector<XLOPER12*> pointers;
    for (XLOPER12& a : args) pointers.push_back(a.xltype ? &a : nullptr);
    return MdCallBack12(function, int(args.size()), pointers.data(), result);
}

XLOPER12 Num12(double n) { return {{.num = n}, xltypeNum}; }

TEST_F(HostSession, AHostRecordReturnedByTheAddinIsFreedByTheHost) {
    const CallOutcome name = host.CallExportDetailed("FakeName_12", "U$", {});
    EXPECT_EQ(name.value, Value::TextUtf8(host.AddinPath()));
    EXPECT_EQ(name.resultType, xltypeStr | xlbitXLFree);
    EXPECT_EQ(host.OutstandingAllocations(), 0u);
    EXPECT_EQ(host.AutoFreeCalls(), 0u);  // not the add-in's memory
}

TEST_F(HostSession, CallbacksAnswerAndRefuseAsExcel) {
    XLOPER12 result{};
    EXPECT_EQ(Callback(xlfGetWorkspace, {Num12(37)}, &result), xlretSuccess);
    EXPECT_EQ(result.xltype, xltypeMulti | xlbitXLFree);
    EXPECT_EQ(host.OutstandingAllocations(), 1u);
    EXPECT_EQ(Callback(xlFree, {result}, nullptr), xlretSuccess);
    EXPECT_EQ(host.OutstandingAllocations(), 0u);

    std::u16string counted = u"\x03" u"abc";
    const XLOPER12 text{{.str = counted.data()}, xltypeStr};
    EXPECT_EQ(Callback(12345, {}, &result), xlretInvXlfn);
    EXPECT_EQ(Callback(xlfGetWorkspace, {}, &result), xlretInvCount);
    EXPECT_EQ(Callback(xlCoerce, {XLOPER12{}}, &result), xlretInvXloper);
    EXPECT_EQ(Callback(xlCoerce, {text, Num12(xltypeNum)}, &result), xlretFailed);
    EXPECT_EQ(Callback(xlFree, {text}, nullptr), xlretSuccess);  // not the host's memory: counted only
    EXPECT_EQ(host.ForeignFrees(), 1u);
}

// Excel 2003 has no Excel 12 callback: the add-in's legacy path must really run.
TEST_F(HostSession, LegacyModeSpeaksOnlyExcel4) {
    host.Unload();
    std::string error;
    ASSERT_TRUE(host.Load(ZR_FRAME_TEST_ADDIN_PATH, Mode::Legacy, error)) << error;
    ASSERT_EQ(host.AutoOpen(), 1);
    XLOPER12 result{};
    EXPECT_EQ(Callback(xlGetHwnd, {}, &result), xlretFailed);
    ASSERT_FALSE(host.CallLog().empty());
    for (const CallbackCall& call : host.CallLog()) EXPECT_FALSE(call.throughExcel12);
    host.AutoRemove();
}

// The callbacks reach the host through one global pointer.
TEST_F(HostSession, OnlyOneHostAtATime) {
    Host other;
    std::string error;
    EXPECT_FALSE(other.Load(ZR_FAKE_ADDIN_PATH, error));
    EXPECT_FALSE(error.empty());
    host.Unload();
    EXPECT_FALSE(other.Load(std::string(ZR_FAKE_ADDIN_PATH) + ".missing", error));
    EXPECT_TRUE(other.Load(ZR_FAKE_ADDIN_PATH, error)) << error;
}

// Excel's records are handed back within the call, and nothing calls into Excel once the add-in is
// closed: not its unload, not process exit, not after the host has gone. Each ending runs in a child.
enum class Ending { ExitStillLoaded, UnloadAfterClose, CallbacksGoneBeforeUnload };

[[noreturn]] void EndProcess(Ending ending) {
    auto* host = new Host;  // left to the exit, as a host that simply ends
    std::string error;
    if (!host->Load(ZR_ADDIN_PATH, error) || host->AutoOpen() != 1) std::_Exit(2);
    host->Evaluate("ZrVersion()");
    if (ending == Ending::UnloadAfterClose) {
        host->AutoClose();
        host->Unload();
    } else if (ending == Ending::CallbacksGoneBeforeUnload) {
        HostPlatform::LoadLibraryFile(ZR_ADDIN_PATH, error);  // keeps the library past the host
        delete host;
    }
    std::exit(0);
}

TEST(HostExit, NoCallIntoExcelAfterClosing) {
    Host host;
    std::string error;
    ASSERT_TRUE(host.Load(ZR_ADDIN_PATH, error)) << error;
    ASSERT_EQ(host.AutoOpen(), 1);
    EXPECT_EQ(host.AutoClose(), 1);
    EXPECT_EQ(host.OutstandingAllocations(), 0u);
    host.ClearCallLog();
    host.Unload();
    EXPECT_TRUE(host.CallLog().empty());

    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (Ending ending : {Ending::ExitStillLoaded, Ending::UnloadAfterClose, Ending::CallbacksGoneBeforeUnload})
        EXPECT_EXIT(EndProcess(ending), ::testing::ExitedWithCode(0), "") << int(ending);
}

}  // namespace
}  // namespace Zr::Host
