// ZrVersion through the host, as Excel calls it.
#include <atomic>
#include <thread>
#include <vector>

#include "host_fixture.h"

using namespace Zr::Testing;
using Zr::Host::Mode;

namespace {

class VersionTest : public AddinTest {
protected:
    void SetUp() override { Open(ZR_ADDIN_PATH); }
};

bool IsVersionText(const Value& v) {
    return v.Is(ValueKind::Text) &&
           Zr::Host::ToUtf8(v.text).find("Version 3.3.0 Release September 25, 2012") != std::string::npos;
}

}  // namespace

TEST_P(VersionTest, ReturnsTheVersionTextThroughBothEntries) {
    EXPECT_TRUE(IsVersionText(host_.Evaluate("ZrVersion()")));
    EXPECT_TRUE(IsVersionText(CallEntry("ZrVersion", "")));
}

TEST_P(VersionTest, ManyThreadsEachGetTheirOwnRecord) {
    if (!Modern()) GTEST_SKIP() << "only the _12 entries are called on calculation threads";
    std::atomic<int> good = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 16; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 100; ++i) good += IsVersionText(host_.CallExport("ZrVersion_12", "U$", {}));
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(good, 1600);
}

INSTANTIATE_TEST_SUITE_P(BothModes, VersionTest, ::testing::Values(Mode::Excel12, Mode::Legacy),
                         [](const auto& info) { return Excel12Or4(info.param); });

// Excel's calculation threads exist before the add-in is loaded; their
// per-thread records must still be created on first use.
TEST(VersionThreads, ThreadStartedBeforeTheAddinWasLoaded) {
    std::atomic<int> stage = 0;
    Value seen;
    Zr::Host::Host host;
    std::thread early([&] {
        while (stage != 1) std::this_thread::yield();
        seen = host.CallExport("ZrVersion_12", "U$", {});
    });
    std::string error;
    ASSERT_TRUE(host.Load(ZR_ADDIN_PATH, error)) << error;
    ASSERT_EQ(host.AutoOpen(), 1);
    stage = 1;
    early.join();
    EXPECT_TRUE(IsVersionText(seen));
    host.AutoClose();
    host.AutoRemove();
}
