// Allocation failing at each of the add-in's allocations in turn, through a
// call of every function family: each call ends in its usual result or an
// error value, never a crash, and leaves nothing allocated and no record of
// Excel's unreleased; and a random column asking for its result and nothing
// else that grows with it. The add-in's allocations are those made while the
// host runs its code (Host::RunningAddinCode); they reach the global
// allocation functions replaced below. Native only: the Windows add-in links
// its own.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "tests/addin/host_fixture.h"

namespace {
std::atomic<long> g_live = 0;       // blocks allocated and not yet freed
thread_local long t_seen = 0;       // the add-in's allocations so far
thread_local long t_countdown = 0;  // the add-in's allocation that brings this to 0 fails
thread_local size_t t_bytes = 0;    // bytes the add-in asked for so far

void* Allocate(size_t bytes) noexcept {
    if (Zr::Host::RunningAddinCode() && (t_bytes += bytes, ++t_seen, t_countdown > 0 && --t_countdown == 0))
        return nullptr;
    void* block = std::malloc(bytes ? bytes : 1);
    g_live += block != nullptr;
    return block;
}
void Release(void* block) noexcept {
    g_live -= block != nullptr;
    std::free(block);
}
}  // namespace

void* operator new(size_t bytes) {
    if (void* block = Allocate(bytes)) return block;
    throw std::bad_alloc();
}
void* operator new[](size_t bytes) { return operator new(bytes); }
void* operator new(size_t bytes, const std::nothrow_t&) noexcept { return Allocate(bytes); }
void* operator new[](size_t bytes, const std::nothrow_t&) noexcept { return Allocate(bytes); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, size_t) noexcept { Release(block); }
void operator delete[](void* block, size_t) noexcept { Release(block); }

namespace Zr::Testing {
namespace {

using AllocationFailureTest = AddinTest;
ZR_IN_BOTH_MODES(AllocationFailureTest);

TEST_P(AllocationFailureTest, EachAllocationFailingInTurnEndsInAnErrorValue) {
    const char* const formulas[] = {
        "ZrVersion()", "ZrRand(4, 0, 1, 2)", "ZrRandNorm(4, 1, 5, 6, TRUE, TRUE, TRUE)",
        "ZrRandMultiNorm(4, {4,2;2,9}, {1,2}, 0, 1, 2, TRUE, TRUE, TRUE)", "ZrCov2Cor({4,2;2,9}, TRUE)",
        "ZrCov2Cor({\"x\",2;2,9}, TRUE)", "ZrMultiCovarp({1,2;2,4;3,7}, TRUE)", "ZrBetaDist(0.3, 2, 5, TRUE)",
        "ZrRandBeta(3, 2, 5, 0, 1, 2)", "ZrBiNormDist(0.1, 0.2, 0.3, TRUE)", "ZrRandChi(3, 4, 0, 1, 2)",
        "ZrChiSqDistInv(0.5, 4)", "ZrFDist(1, 3, 4, TRUE)", "ZrRandF(3, 3, 4, 0, 1, 2)", "ZrGammaMom(2, 3)",
        "ZrGumbelInv(0.3, 0, 1)", "ZrJohnsonSUParam(0, 1, 0.5, 5)", "ZrLogisticParam(1, 2)", "ZrLogNormMom(0, 1)",
        "ZrRandPoisson(3, 4, 0, 1, 2)", "ZrTMom(5)", "ZrRandT(3, 5, 0, 1, 2)", "ZrTriangularParam(1, 0.5, 0.2)",
        "ZrRandTruncNorm(3, 0, 1, 0.5, 1, 0, 1, 2)", "ZrWeibullParam(2, 1)"};
    for (const char* formula : formulas) {
        const Value expected = host_.Evaluate(formula);  // also sets up what a first call sets up
        t_seen = 0;
        host_.Evaluate(formula);
        for (long k = 1, allocations = t_seen; k <= allocations; ++k) {
            host_.ClearCallLog();
            const long live = g_live;
            t_countdown = k;
            {
                const Value got = host_.Evaluate(formula);
                t_countdown = 0;
                EXPECT_TRUE(got == expected || got.Is(ValueKind::Error) || got.text.starts_with(u"#ERROR: "))
                    << formula << ", allocation " << k << " of " << allocations << ": " << FormatValue(got);
            }
            host_.ClearCallLog();
            EXPECT_EQ(g_live, live) << formula << ", allocation " << k << " leaks";
            EXPECT_EQ(host_.OutstandingAllocations(), 0u) << formula << ", allocation " << k;
        }
    }
}

// Two sizes of each random column: the add-in asks for exactly the larger
// result's extra records more (under the size whose results are kept for
// reuse), so all else it takes per call is a constant.
TEST_P(AllocationFailureTest, RandomColumnsTakeTheirResultAndAConstant) {
    const char* const formulas[] = {
        "ZrRand(%d, 0, 1, 2)", "ZrRandNorm(%d, 1, 5, 6, TRUE, TRUE, TRUE)", "ZrRandNorm(%d, 0, 5, 6, FALSE, FALSE, FALSE)",
        "ZrRandJohnsonSU(%d, 0.5, 2, 1, 0, 0, 1, 2, TRUE, TRUE, TRUE)", "ZrRandGamma(%d, 2.5, 1, 0, 1, 2)",
        "ZrRandF(%d, 3, 4, 2, 1, 2)", "ZrRandTruncNorm(%d, 0, 1, 0.5, 1, 1, 1, 2)", "ZrRandWeibull(%d, 2, 1, 0, 1, 2)"};
    const size_t record = Modern() ? sizeof(XLOPER12) : sizeof(XLOPER);
    const int small = 1000, large = 30000;
    for (const char* formula : formulas) {
        size_t bytes[2];
        for (int i = 0; i < 2; ++i) {
            char text[160];
            std::snprintf(text, sizeof text, formula, i ? large : small);
            host_.Evaluate(text);
            t_bytes = 0;
            const Value column = host_.Evaluate(text);
            bytes[i] = t_bytes;
            ASSERT_EQ(column.rows, i ? large : small) << text;
        }
        EXPECT_EQ(bytes[1] - bytes[0], record * (large - small)) << formula;
    }
}

}  // namespace
}  // namespace Zr::Testing
