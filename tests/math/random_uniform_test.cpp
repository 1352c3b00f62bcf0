#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>
#include <tuple>
#include <type_traits>
#include <vector>

#include "math/random_uniform.h"

using namespace Zr::Math;

namespace {

struct ReferenceValue {
    UniformGeneratorType type;
    uint32_t seed1;
    uint32_t seed2;
    int draw;
    double value;
};

struct ReferenceWords {
    UniformGeneratorType type;
    uint32_t seed1;
    uint32_t seed2;
    uint32_t words[6];
};

#include "data/random_uniform_reference.inc"

constexpr UniformGeneratorType kAllTypes[] = {RAN2, MT1998, MT2002, MT2002_128BIT};

RandomUniform Seeded(uint32_t seed1, uint32_t seed2, UniformGeneratorType type) {
    RandomUniform g;
    EXPECT_TRUE(g.Init(seed1, seed2, type));
    return g;
}

std::vector<double> Draw(RandomUniform& g, int count) {
    std::vector<double> values(count);
    for (double& v : values) v = g.Next();
    return values;
}

uint32_t Temper(uint32_t y) {
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
}

// The state word that tempers to `y`: each tempering step undone by
// fixed-point iteration.
uint32_t Untemper(uint32_t y) {
    auto undoRight = [](uint32_t v, int shift) {
        uint32_t x = v;
        for (int i = 0; i < 32; ++i) x = v ^ (x >> shift);
        return x;
    };
    auto undoLeft = [](uint32_t v, int shift, uint32_t mask) {
        uint32_t x = v;
        for (int i = 0; i < 32; ++i) x = v ^ ((x << shift) & mask);
        return x;
    };
    y = undoRight(y, 18);
    y = undoLeft(y, 15, 0xEFC60000u);
    y = undoLeft(y, 7, 0x9D2C5680u);
    return undoRight(y, 11);
}

}  // namespace

// ---------------------------------------------------------------- seed words

TEST(UniformSeedWords, InitialSeedWord) {
    EXPECT_EQ(InitialSeedWord(0, 0), 1013904223u);
    EXPECT_EQ(InitialSeedWord(0, 0), 0x3C6EF35Fu);
    EXPECT_EQ(InitialSeedWord(1, 2), 0xA2AEBF79u);  // also MT1998's first state word for (1, 2)
    EXPECT_EQ(InitialSeedWord(0, 1), 1015568748u);
    // One step of SeedStep from seed1 * 65536 + seed2, wrapping modulo 2^32.
    const uint32_t seeds[] = {0u, 1u, 2u, 2178u, 65535u, 65536u, 0x7FFFFFFFu, 0x80000000u,
                              0xFFFFFFFFu, 123456789u};
    for (uint32_t s1 : seeds)
        for (uint32_t s2 : seeds)
            EXPECT_EQ(InitialSeedWord(s1, s2), SeedStep(s1 * 65536u + s2)) << s1 << ", " << s2;
}

TEST(UniformSeedWords, SeedStep) {
    EXPECT_EQ(SeedStep(0), 1013904223u);
    EXPECT_EQ(SeedStep(1), 1015568748u);
    EXPECT_EQ(SeedStep(2178), 344272377u);
    EXPECT_EQ(SeedStep(0xFFFFFFFFu), 1012239698u);  // wraps: 1013904223 - 1664525
    uint64_t x = 987654321;
    for (int i = 0; i < 100; ++i) {
        const uint32_t next = SeedStep(uint32_t(x));
        x = (1664525u * x + 1013904223u) % 4294967296u;
        EXPECT_EQ(next, x);
    }
}

// ---------------------------------------------------------- object and state

TEST(UniformObject, PlainValueWithoutHeap) {
    static_assert(std::is_trivially_copyable_v<RandomUniform>);
    static_assert(std::is_trivially_destructible_v<RandomUniform>);
    static_assert(sizeof(RandomUniform) == 12 + 624 * 4 + 5 * 4 + 32 * 4);
    static_assert(sizeof(UniformGeneratorType) == 4);
    static_assert(RAN2 == 0 && MT1998 == 1 && MT2002 == 2 && MT2002_128BIT == 3);
}

TEST(UniformObject, DefaultConstruction) {
    const RandomUniform g;
    EXPECT_EQ(g.Type(), MT2002);
    EXPECT_EQ(g.Seed1(), 2178u);
    EXPECT_EQ(g.Seed2(), 2179u);
    EXPECT_EQ(g.Position(), -1);
    EXPECT_EQ(g.Ran2State1(), 0);
    EXPECT_EQ(g.Ran2State2(), 0);
    EXPECT_EQ(g.Ran2Output(), 0);
}

TEST(UniformObject, DefaultConstructedDrawsAsInit2178And2179) {
    RandomUniform fresh;
    RandomUniform seeded = Seeded(2178, 2179, MT2002);
    EXPECT_EQ(Draw(fresh, 2000), Draw(seeded, 2000));

    RandomUniform byWord;  // self-seeds on a raw word too
    RandomUniform seededByWord = Seeded(2178, 2179, MT2002);
    for (int i = 0; i < 1300; ++i) ASSERT_EQ(byWord.NextWord(), seededByWord.NextWord()) << i;
}

TEST(UniformObject, InitStoresSeedsAndTypeAndReturnsTrue) {
    for (UniformGeneratorType type : kAllTypes) {
        RandomUniform g;
        EXPECT_TRUE(g.Init(17, 4000000000u, type));
        EXPECT_EQ(g.Type(), type);
        EXPECT_EQ(g.Seed1(), 17u);
        EXPECT_EQ(g.Seed2(), 4000000000u);
        EXPECT_NE(g.Position(), -1);
    }
}

TEST(UniformObject, SameSeedsSameSequenceAndReInitRestarts) {
    for (UniformGeneratorType type : kAllTypes) {
        RandomUniform a = Seeded(5, 6, type);
        RandomUniform b = Seeded(5, 6, type);
        const std::vector<double> first = Draw(a, 1500);
        EXPECT_EQ(first, Draw(b, 1500)) << type;
        EXPECT_TRUE(a.Init(5, 6, type));
        EXPECT_EQ(Draw(a, 1500), first) << type;
    }
    // Re-seeding with another engine leaves nothing of the previous one behind.
    for (UniformGeneratorType from : kAllTypes) {
        for (UniformGeneratorType to : kAllTypes) {
            RandomUniform used = Seeded(9, 10, from);
            Draw(used, 777);
            used.Init(11, 12, to);
            RandomUniform fresh = Seeded(11, 12, to);
            EXPECT_EQ(Draw(used, 1300), Draw(fresh, 1300)) << from << " -> " << to;
        }
    }
}

TEST(UniformObject, NegativeSeedIsItsBitPattern) {
    for (UniformGeneratorType type : kAllTypes) {
        const int32_t minusOne = -1;
        const int32_t minusBig = -2147483647 - 1;
        RandomUniform negative = Seeded(minusOne, 0, type);
        RandomUniform unsignedSeed = Seeded(4294967295u, 0, type);
        EXPECT_EQ(Draw(negative, 700), Draw(unsignedSeed, 700)) << type;
        RandomUniform negative2 = Seeded(3, minusBig, type);
        RandomUniform unsigned2 = Seeded(3, 2147483648u, type);
        EXPECT_EQ(Draw(negative2, 700), Draw(unsigned2, 700)) << type;
    }
}

TEST(UniformObject, SeedsAndEnginesGiveDistinctSequences) {
    std::set<std::vector<double>> seen;
    for (UniformGeneratorType type : kAllTypes) {
        for (auto [s1, s2] : {std::pair{0u, 0u}, {0u, 1u}, {1u, 0u}, {1u, 2u}, {2u, 1u}}) {
            RandomUniform g = Seeded(s1, s2, type);
            EXPECT_TRUE(seen.insert(Draw(g, 8)).second) << type << ": " << s1 << ", " << s2;
        }
    }
}

// ------------------------------------------------------------------- copying

TEST(UniformCopy, ContinuesIdenticallyFromAnyPoint) {
    // Offsets put the copy mid-table, just before and just after a twister
    // regeneration (312 MT2002 numbers or 624 MT1998 numbers per block).
    for (UniformGeneratorType type : kAllTypes) {
        for (int offset : {0, 1, 100, 311, 312, 313, 623, 624, 625, 1000}) {
            RandomUniform original = Seeded(42, 43, type);
            Draw(original, offset);
            RandomUniform copy(original);
            // Draw the original first: the copy must not share its state.
            const std::vector<double> expected = Draw(original, 1500);
            EXPECT_EQ(Draw(copy, 1500), expected) << type << " at " << offset;
        }
    }
}

TEST(UniformCopy, CopyAcrossMt2002RegenerationWithOddWordOffset) {
    // After 623 words the next number takes the block's last word and the
    // first word of a regenerated block.
    RandomUniform original = Seeded(42, 43, MT2002);
    for (int i = 0; i < 623; ++i) original.NextWord();
    ASSERT_EQ(original.Position(), 2);
    ASSERT_EQ(original.NextIndex(), 623u);
    RandomUniform copy = original;
    const std::vector<double> expected = Draw(original, 700);
    EXPECT_EQ(copy.NextIndex(), 623u);
    EXPECT_EQ(Draw(copy, 700), expected);
}

TEST(UniformCopy, AssignmentReplacesWholeState) {
    RandomUniform source = Seeded(7, 8, MT2002);
    Draw(source, 400);
    for (UniformGeneratorType type : kAllTypes) {
        RandomUniform target = Seeded(1, 1, type);
        Draw(target, 50);
        target = source;
        RandomUniform reference = source;
        EXPECT_EQ(target.Type(), MT2002);
        EXPECT_EQ(Draw(target, 900), Draw(reference, 900)) << type;
    }
    RandomUniform ran2 = Seeded(7, 8, RAN2);
    Draw(ran2, 33);
    RandomUniform target = Seeded(7, 8, MT1998);
    target = ran2;
    EXPECT_EQ(Draw(target, 500), Draw(ran2, 500));
}

TEST(UniformCopy, CopyOfUnseededGeneratorSeedsItselfAlike) {
    RandomUniform original;
    RandomUniform copy = original;
    EXPECT_EQ(copy.Position(), -1);
    EXPECT_EQ(Draw(original, 800), Draw(copy, 800));
}

// -------------------------------------------------------------------- MT2002

TEST(UniformMt2002, FirstValuesForZeroSeeds) {
    RandomUniform g = Seeded(0, 0, MT2002);
    EXPECT_EQ(g.Next(), 0.1507172537105722);
    EXPECT_EQ(g.Next(), 0.19554272386502092);
    EXPECT_EQ(g.Next(), 0.16532538485071524);
}

TEST(UniformMt2002, PublishedKeyArrayReference) {
    const uint32_t key[4] = {0x123, 0x234, 0x345, 0x456};
    RandomUniform g;
    g.InitByKey(key, 4);
    EXPECT_EQ(g.Type(), MT2002);
    for (uint32_t expected : {1067595299u, 955945823u, 477289528u, 4107218783u, 4228976476u})
        EXPECT_EQ(g.NextWord(), expected);

    uint32_t state[624];
    RandomUniform::SeedByKeyArray(state, key, 4);
    EXPECT_EQ(state[0], 0x80000000u);
    RandomUniform fresh;
    fresh.InitByKey(key, 4);
    EXPECT_EQ(std::memcmp(state, fresh.TwisterState(), sizeof state), 0);
}

TEST(UniformMt2002, KeyedByTheTwoSeeds) {
    for (auto [s1, s2] : {std::pair{0u, 0u}, {1u, 2u}, {0xFFFFFFFFu, 5u}}) {
        const uint32_t key[2] = {s1, s2};
        RandomUniform byKey;
        byKey.InitByKey(key, 2);
        RandomUniform byInit = Seeded(s1, s2, MT2002);
        EXPECT_EQ(Draw(byKey, 1000), Draw(byInit, 1000));
    }
    // A one-word key is a different initialisation (key length enters the mix).
    const uint32_t one[1] = {0};
    RandomUniform oneWord;
    oneWord.InitByKey(one, 1);
    RandomUniform twoWords = Seeded(0, 0, MT2002);
    EXPECT_NE(oneWord.Next(), twoWords.Next());
}

TEST(UniformMt2002, CountdownAndNextIndex) {
    RandomUniform g = Seeded(3, 4, MT2002);
    EXPECT_EQ(g.Position(), 1);
    EXPECT_EQ(g.TwisterState()[0], 0x80000000u);
    g.Next();  // first word regenerates: countdown 624, then 623 after the second word
    EXPECT_EQ(g.Position(), 623);
    EXPECT_EQ(g.NextIndex(), 2u);
    Draw(g, 311);  // 624 words: the block is used up, the next word regenerates
    EXPECT_EQ(g.Position(), 1);
    EXPECT_EQ(g.NextIndex(), 624u);
    g.Next();
    EXPECT_EQ(g.Position(), 623);
    EXPECT_EQ(g.NextIndex(), 2u);
}

TEST(UniformMt2002, NumberIsTwoWordsCombined) {
    // Starting one word in, every other pair straddles a regeneration.
    for (int lead : {0, 1}) {
        RandomUniform numbers = Seeded(77, 78, MT2002);
        RandomUniform words = Seeded(77, 78, MT2002);
        for (int i = 0; i < lead; ++i) {
            numbers.NextWord();
            words.NextWord();
        }
        for (int i = 0; i < 2000; ++i) {
            const uint64_t a = words.NextWord() >> 5;
            const uint64_t b = words.NextWord() >> 6;
            const double expected =
                std::clamp(double(a * 67108864 + b) * 1.1102230246251565e-16,
                           RandomUniform::kLowest, RandomUniform::kHighest);
            ASSERT_EQ(numbers.Next(), expected) << lead << ", " << i;
        }
    }
}

// ------------------------------------------------------------- MT2002_128BIT

TEST(UniformMt2002_128Bit, KeyedByFourWordsDrawingAsMt2002) {
    for (auto [s1, s2] : {std::pair{0u, 0u}, {1u, 2u}, {2178u, 2179u}}) {
        const uint32_t key[4] = {s1, s2, SeedStep(s1), SeedStep(s2)};
        RandomUniform byKey;
        byKey.InitByKey(key, 4);
        RandomUniform g = Seeded(s1, s2, MT2002_128BIT);
        EXPECT_EQ(g.Position(), 1);
        EXPECT_EQ(Draw(g, 1000), Draw(byKey, 1000));
        RandomUniform two = Seeded(s1, s2, MT2002);
        RandomUniform four = Seeded(s1, s2, MT2002_128BIT);
        EXPECT_NE(Draw(two, 4), Draw(four, 4));
    }
}

// -------------------------------------------------------------------- MT1998

TEST(UniformMt1998, FirstWordsAndValuesForZeroSeeds) {
    RandomUniform words = Seeded(0, 0, MT1998);
    EXPECT_EQ(words.NextWord(), 0xB2FC4DBFu);
    EXPECT_EQ(words.NextWord(), 0x594549E9u);
    EXPECT_EQ(words.NextWord(), 0xA1EA970Fu);
    RandomUniform g = Seeded(0, 0, MT1998);
    EXPECT_EQ(g.Next(), 0.6991623490348371);
    EXPECT_EQ(g.Next(), 0.34871351191511224);
    EXPECT_EQ(g.Next(), 0.6324858105817078);
}

TEST(UniformMt1998, StateAfterSeeding) {
    const RandomUniform g = Seeded(1, 2, MT1998);
    EXPECT_EQ(g.TwisterState()[0], 0xA2AEBF79u);
    EXPECT_EQ(g.TwisterState()[1], 0xE52178E5u);
    EXPECT_EQ(g.TwisterState()[2], 0xA7D67061u);
    EXPECT_EQ(g.TwisterState()[3], 0xBACDEAADu);
    EXPECT_EQ(g.Position(), 624);
    for (int i = 1; i < 624; ++i)
        ASSERT_EQ(g.TwisterState()[i], 69069u * g.TwisterState()[i - 1]) << i;
}

TEST(UniformMt1998, SeedWordIsForcedOdd) {
    // InitialSeedWord(0, 1) = 1015568748 is even.
    const RandomUniform g = Seeded(0, 1, MT1998);
    EXPECT_EQ(g.TwisterState()[0], 1015568749u);
    EXPECT_EQ(g.TwisterState()[1], 69069u * 1015568749u);
}

TEST(UniformMt1998, PositionIndexesTheNextWord) {
    RandomUniform g = Seeded(1, 2, MT1998);
    g.Next();
    EXPECT_EQ(g.Position(), 1);
    Draw(g, 623);
    EXPECT_EQ(g.Position(), 624);
    g.Next();
    EXPECT_EQ(g.Position(), 1);
}

TEST(UniformMt1998, NumberIsWordTimesReciprocalOfTwoPower32MinusOne) {
    RandomUniform numbers = Seeded(8, 9, MT1998);
    RandomUniform words = Seeded(8, 9, MT1998);
    for (int i = 0; i < 1500; ++i) {
        const double expected = std::clamp(words.NextWord() * 2.3283064370807974e-10,
                                           RandomUniform::kLowest, RandomUniform::kHighest);
        ASSERT_EQ(numbers.Next(), expected) << i;
    }
}

// ---------------------------------------------------------------------- RAN2

TEST(UniformRan2, FirstOutputsAndValuesForZeroSeeds) {
    RandomUniform words = Seeded(0, 0, RAN2);
    EXPECT_EQ(words.NextWord(), 0x482263F2u);
    EXPECT_EQ(words.Ran2Output(), 0x482263F2);
    EXPECT_EQ(words.NextWord(), 0x48566A95u);
    EXPECT_EQ(words.NextWord(), 0x53B28BB5u);
    RandomUniform g = Seeded(0, 0, RAN2);
    EXPECT_EQ(g.Next(), 0.5635495343719192);
    EXPECT_EQ(g.Next(), 0.5651372396557897);
    EXPECT_EQ(g.Next(), 0.6538863091638015);
}

TEST(UniformRan2, StateAfterSeeding) {
    // State 2 keeps |seed word | 1| as a signed value; state 1 is 40 steps on.
    const RandomUniform zero = Seeded(0, 0, RAN2);
    EXPECT_EQ(zero.Ran2State2(), 1013904223);
    EXPECT_EQ(zero.Ran2State1(), 786613321);
    EXPECT_EQ(zero.Ran2Table()[0], 786613321);
    EXPECT_EQ(zero.Ran2Table()[1], 690033058);
    EXPECT_EQ(zero.Ran2Table()[2], 101879688);
    EXPECT_EQ(zero.Ran2Output(), zero.Ran2Table()[0]);
    EXPECT_EQ(zero.Position(), 624);
    // Seed words with the top bit set are negative already.
    EXPECT_EQ(Seeded(4294967295u, 0, RAN2).Ran2State2(), 698223777);
    EXPECT_EQ(Seeded(1, 2, RAN2).Ran2State2(), 1565606023);
    EXPECT_EQ(Seeded(0, 1, RAN2).Ran2State2(), 1015568749);  // forced odd
}

TEST(UniformRan2, OtherTypeValuesBehaveAsRan2) {
    RandomUniform reference = Seeded(12, 34, RAN2);
    const std::vector<double> expected = Draw(reference, 1000);
    for (int32_t value : {4, 7, -1, -2147483647 - 1, 2147483647}) {
        RandomUniform g = Seeded(12, 34, static_cast<UniformGeneratorType>(value));
        EXPECT_EQ(g.Type(), value);
        EXPECT_EQ(Draw(g, 1000), expected) << value;
    }
}

TEST(UniformRan2, NumberIsOutputOverModulus) {
    RandomUniform numbers = Seeded(8, 9, RAN2);
    RandomUniform words = Seeded(8, 9, RAN2);
    for (int i = 0; i < 1500; ++i) {
        const uint32_t w = words.NextWord();
        ASSERT_GE(w, 1u);
        ASSERT_LE(w, 2147483562u);
        ASSERT_EQ(numbers.Next(), w * (1.0 / 2147483563.0)) << i;
    }
}

// ------------------------------------------------------------------- clamping

TEST(UniformRange, TwisterExtremesAreClamped) {
    // Plant state words whose tempered outputs are the extremes.
    RandomUniform mt1998 = Seeded(0, 0, MT1998);
    mt1998.Next();
    ASSERT_EQ(mt1998.Position(), 1);
    uint32_t* s = mt1998.TwisterState();
    s[1] = Untemper(0);
    s[2] = Untemper(0xFFFFFFFFu);  // exactly 1 before clamping
    s[3] = Untemper(0xFFFFFFFEu);
    s[4] = Untemper(1);
    ASSERT_EQ(Temper(s[2]), 0xFFFFFFFFu);
    EXPECT_EQ(mt1998.Next(), 1e-12);
    EXPECT_EQ(mt1998.Next(), 0.999999999999);
    EXPECT_EQ(mt1998.Next(), 4294967294.0 * 2.3283064370807974e-10);
    EXPECT_EQ(mt1998.Next(), 2.3283064370807974e-10);

    RandomUniform mt2002 = Seeded(0, 0, MT2002);
    mt2002.Next();
    ASSERT_EQ(mt2002.NextIndex(), 2u);
    s = mt2002.TwisterState();
    const uint32_t pairs[5][2] = {
        {0, 0},                        // 0
        {0, 9000u << 6},               // 9000 * 2^-53 < 1e-12
        {0, 9008u << 6},               // 9008 * 2^-53 > 1e-12
        {0xFFFFFFFFu, 0xFFFFFFFFu},    // 1 - 2^-53
        {0xFFFFFFFFu, 0},
    };
    for (int i = 0; i < 5; ++i) {
        s[2 + 2 * i] = Untemper(pairs[i][0]);
        s[3 + 2 * i] = Untemper(pairs[i][1]);
    }
    EXPECT_EQ(mt2002.Next(), 1e-12);
    EXPECT_EQ(mt2002.Next(), 1e-12);
    EXPECT_EQ(mt2002.Next(), 9008 * 0x1p-53);
    EXPECT_EQ(mt2002.Next(), 0.999999999999);
    EXPECT_EQ(mt2002.Next(), (134217727.0 * 67108864.0) * 0x1p-53);
}

TEST(UniformRange, TenMillionDrawsStayInside) {
    for (UniformGeneratorType type : kAllTypes) {
        RandomUniform g = Seeded(20240501, uint32_t(type), type);
        double lowest = 1, highest = 0, sum = 0;
        const int count = 2500000;
        for (int i = 0; i < count; ++i) {
            const double u = g.Next();
            lowest = std::min(lowest, u);
            highest = std::max(highest, u);
            sum += u;
        }
        EXPECT_GE(lowest, 1e-12) << type;
        EXPECT_LE(highest, 0.999999999999) << type;
        // Loose sanity checks that the whole interval is covered evenly.
        EXPECT_LT(lowest, 1e-5) << type;
        EXPECT_GT(highest, 1 - 1e-5) << type;
        EXPECT_NEAR(sum / count, 0.5, 2e-3) << type;
    }
}

// ------------------------------------------------------ independent reference

TEST(UniformReference, CheckpointValues) {
    for (const ReferenceValue& r : kReferenceValues) {
        RandomUniform g = Seeded(r.seed1, r.seed2, r.type);
        double u = 0;
        for (int i = 0; i < r.draw; ++i) u = g.Next();
        EXPECT_EQ(u, r.value) << "type " << r.type << ", seeds " << r.seed1 << ", " << r.seed2
                              << ", draw " << r.draw;
    }
}

TEST(UniformReference, FirstRawWords) {
    for (const ReferenceWords& r : kReferenceWords) {
        RandomUniform g = Seeded(r.seed1, r.seed2, r.type);
        for (uint32_t expected : r.words)
            EXPECT_EQ(g.NextWord(), expected)
                << "type " << r.type << ", seeds " << r.seed1 << ", " << r.seed2;
    }
}
