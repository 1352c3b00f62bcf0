#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "math/random_uniform.h"
#include "tests/math/inspect.h"

using namespace Zr::Math;

namespace {

struct ReferenceValue { UniformGeneratorType type; uint32_t seed1, seed2; int draw; double value; };
struct ReferenceWords { UniformGeneratorType type; uint32_t seed1, seed2; uint32_t words[6]; };

// From a Python model of the engines, checked against the published first values.
#include "tests/math/data/random_uniform_reference.inc"

constexpr UniformGeneratorType kAllTypes[] = {RAN2, MT1998, MT2002, MT2002_128BIT};

RandomUniform Seeded(uint32_t seed1, uint32_t seed2, UniformGeneratorType type) {
    RandomUniform g;
    EXPECT_TRUE(g.Init(seed1, seed2, type));
    return g;
}

std::vector<double> Draw(RandomUniform& g, int n) {
    std::vector<double> v(n);
    for (double& u : v) u = g.Next();
    return v;
}

// The state word that tempers to `y`, by fixed-point iteration (a negative shift shifts right).
uint32_t Untemper(uint32_t y) {
    auto undo = [](uint32_t v, int shift, uint32_t mask) {
        uint32_t x = v;
        for (int i = 0; i < 32; ++i) x = v ^ ((shift > 0 ? x << shift : x >> -shift) & mask);
        return x;
    };
    return undo(undo(undo(undo(y, -18, ~0u), 15, 0xEFC60000u), 7, 0x9D2C5680u), -11, ~0u);
}

}  // namespace

TEST(UniformReference, CheckpointValuesAndRawWords) {
    for (const ReferenceValue& r : kReferenceValues) {
        RandomUniform g = Seeded(r.seed1, r.seed2, r.type);
        EXPECT_EQ(Draw(g, r.draw).back(), r.value) << "type " << r.type << ", seeds " << r.seed1 << ", " << r.seed2
                                                   << ", draw " << r.draw;
    }
    for (const ReferenceWords& r : kReferenceWords) {
        RandomUniform g = Seeded(r.seed1, r.seed2, r.type);
        for (uint32_t expected : r.words)
            EXPECT_EQ(Inspect::NextWord(g), expected) << "type " << r.type << ", seeds " << r.seed1 << ", " << r.seed2;
    }
}

// The published MT19937 outputs of the 2002 initialisation by key array.
TEST(UniformReference, PublishedKeyArrayWords) {
    const uint32_t key[4] = {0x123, 0x234, 0x345, 0x456};
    RandomUniform g;
    Inspect::InitByKey(g, key, 4);
    for (uint32_t expected : {1067595299u, 955945823u, 477289528u, 4107218783u, 4228976476u})
        EXPECT_EQ(Inspect::NextWord(g), expected);
}

// Offsets in raw words put the copy mid-table, around a regeneration (624
// words) and, for MT2002, with a number straddling two blocks (623 words).
// Copies must not share the original's state; re-seeding leaves nothing of
// the previous engine behind.
TEST(UniformState, CopiesContinueIdentically) {
    for (UniformGeneratorType type : kAllTypes) {
        for (int offset : {0, 1, 311, 623, 624, 625, 1000}) {
            RandomUniform original = Seeded(9, 10, type == RAN2 ? MT2002 : RAN2), reference = Seeded(42, 43, type);
            RandomUniform assigned = original;
            Draw(original, 777);
            original.Init(42, 43, type);
            for (int i = 0; i < offset; ++i) Inspect::NextWord(original), Inspect::NextWord(reference);
            RandomUniform copy(original);
            assigned = original;
            const std::vector<double> expected = Draw(original, 1300);
            EXPECT_EQ(Draw(reference, 1300), expected) << type << " at " << offset;
            EXPECT_EQ(Draw(copy, 1300), expected) << type << " at " << offset;
            EXPECT_EQ(Draw(assigned, 1300), expected) << type << " at " << offset;
        }
    }
}

// Twister outputs planted at the extremes: Next keeps to [1e-12, 0.999999999999]
// and clamps exactly at the bounds, not one representable step inside them.
TEST(UniformRange, TwisterExtremesAreClamped) {
    struct Case {
        UniformGeneratorType type;
        std::vector<uint32_t> words;
        std::vector<double> expected;
    };
    const Case cases[] = {
        {MT1998, {0, ~0u, ~0u - 1, 1},  // ~0u is exactly 1 before clamping
         {1e-12, 0.999999999999, 4294967294.0 * 2.3283064370807974e-10, 2.3283064370807974e-10}},
        // 9000 * 2^-53 < 1e-12 < 9008 * 2^-53; 1 - 2^-53; (2^27 - 1) * 2^26 * 2^-53
        {MT2002, {0, 0, 0, 9000u << 6, 0, 9008u << 6, ~0u, ~0u, ~0u, 0},
         {1e-12, 1e-12, 9008 * 0x1p-53, 0.999999999999, 134217727.0 * 67108864.0 * 0x1p-53}},
    };
    for (const Case& c : cases) {
        RandomUniform g = Seeded(0, 0, c.type);
        Inspect::NextWord(g);  // regenerated; the next word is state word 1
        for (size_t i = 0; i < c.words.size(); ++i) Inspect::TwisterState(g)[1 + i] = Untemper(c.words[i]);
        for (double u : c.expected) EXPECT_EQ(g.Next(), u) << c.type;
    }
}

// Both widths of a block's work give the same words and the same number bits,
// on seeded states and on states holding the extreme words.
TEST(UniformBlock, BothWidthsAgree) {
    if (!TwisterBlock::HasAvx2()) GTEST_SKIP() << "no AVX2 here: the SSE2 width alone is in use";
    std::vector<std::vector<uint32_t>> states;
    for (uint32_t seed : {0u, 1u, 4357u, 0xFFFFFFFFu}) {
        std::vector<uint32_t> state(RandomUniform::kStateWords);
        const uint32_t key[2] = {seed, ~seed};
        RandomUniform::SeedByKeyArray(state.data(), key, 2);
        states.push_back(state);
    }
    for (uint32_t word : {0u, ~0u, 0x80000000u, 0x7FFFFFFFu}) states.emplace_back(RandomUniform::kStateWords, word);
    for (std::vector<uint32_t>& narrow : states) {
        std::vector<uint32_t> wide = narrow;
        TwisterBlock::RegenerateSse2(narrow.data());
        TwisterBlock::RegenerateAvx2(wide.data());
        ASSERT_EQ(narrow, wide);
        std::vector<double> narrowNumbers(RandomUniform::kStateWords / 2), wideNumbers(narrowNumbers.size());
        for (const std::vector<uint32_t>* s : {&narrow, &states.front()}) {
            TwisterBlock::ConvertSse2(s->data(), narrowNumbers.data());
            TwisterBlock::ConvertAvx2(s->data(), wideNumbers.data());
            EXPECT_EQ(0, std::memcmp(narrowNumbers.data(), wideNumbers.data(), narrowNumbers.size() * sizeof(double)));
        }
    }
}
