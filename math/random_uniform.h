// Uniform random numbers strictly inside (0, 1) from two 32-bit seeds: the
// Mersenne Twister MT19937 with its 1998 or its 2002 seeding, or L'Ecuyer's
// combined congruential generator with a Bays-Durham shuffle ("ran2").
//
// One RandomUniform holds the state of all three engines inline (no heap
// memory) and its type selects the engine. Copying it copies the whole state,
// so a copy continues with exactly the numbers the original would give next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace Zr::Math {

enum UniformGeneratorType : int32_t {
    RAN2 = 0,           // also every value other than the three below
    MT1998 = 1,         // MT19937, 1998 seeding, 32-bit resolution
    MT2002 = 2,         // MT19937, 2002 seeding by key array, 53-bit resolution
    MT2002_128BIT = 3,  // MT2002 keyed by four words, see RandomUniform::Init
};

// One step of the congruential map x -> 1664525 x + 1013904223 (mod 2^32).
// Derives the seeds of further generators from a seed pair.
constexpr uint32_t SeedStep(uint32_t s) noexcept { return 1664525u * s + 1013904223u; }

// The single seed word of MT1998 and RAN2: SeedStep applied to
// seed1 * 65536 + seed2 (mod 2^32); 0x660D0000 is the low word of 1664525 * 65536.
constexpr uint32_t InitialSeedWord(uint32_t seed1, uint32_t seed2) noexcept {
    return seed1 * 0x660D0000u + seed2 * 1664525u + 1013904223u;
}

// A twister block's work at SSE2 and at AVX2 width: regenerating its 624
// words, and turning them into its 312 MT2002 numbers. RandomUniform takes
// the wider where the processor has it; both give the same bits.
namespace TwisterBlock {
bool HasAvx2() noexcept;
void RegenerateSse2(uint32_t* state) noexcept;
void RegenerateAvx2(uint32_t* state) noexcept;
void ConvertSse2(const uint32_t* state, double* numbers) noexcept;
void ConvertAvx2(const uint32_t* state, double* numbers) noexcept;
}  // namespace TwisterBlock

class RandomUniform {
public:
    static constexpr int32_t kStateWords = 624;
    static constexpr int32_t kRan2TableSize = 32;
    // Every number Next returns lies in [kLowest, kHighest], so callers may take
    // logarithms of u and 1 - u without checks.
    static constexpr double kLowest = 1e-12;
    static constexpr double kHighest = 0.999999999999;

    // Type MT2002, seeds 2178 and 2179, never seeded: the first Next seeds it.
    RandomUniform() noexcept = default;

    // Stores the seeds and type and seeds the engine the type selects; calling
    // it again restarts the sequence. Seeds are taken as bit patterns, so a
    // negative worksheet integer means its two's complement. Always true.
    //
    // MT2002_128BIT is keyed by the four words {seed1, seed2, SeedStep(seed1),
    // SeedStep(seed2)} and then draws exactly as MT2002. The two extra words
    // come from the map the samplers already use to derive seeds, so the type
    // needs no further user input and every seed pair stays valid.
    bool Init(uint32_t seed1, uint32_t seed2, UniformGeneratorType type) noexcept;

    // The next number in [kLowest, kHighest]. MT2002 combines two twister
    // words into 53 bits, MT1998 scales one word by 1 / (2^32 - 1), RAN2 one
    // shuffled output by 1 / 2147483563.
    double Next() noexcept;

    // The 2002 reference initialisation of a twister state by key array,
    // ending with word 0 = 0x80000000.
    static void SeedByKeyArray(uint32_t* state, const uint32_t* key, size_t length) noexcept;

private:
    friend struct Inspect;  // reference checks of the raw engine words (tests)

    static bool DrawsAsMt2002(UniformGeneratorType type) noexcept {
        return static_cast<uint32_t>(type) - uint32_t{MT2002} <= 1u;
    }
    static double Clamp(double u) noexcept {
        return u < kLowest ? kLowest : (u > kHighest ? kHighest : u);
    }
    static uint32_t Temper(uint32_t y) noexcept {
        y ^= y >> 11;
        y ^= (y << 7) & 0x9D2C5680u;
        y ^= (y << 15) & 0xEFC60000u;
        y ^= y >> 18;
        return y;
    }
    // Regenerates all 624 words with the MT19937 recurrence.
    static void Regenerate(uint32_t* state) noexcept;

    void SeedMt1998(uint32_t seedWord) noexcept;
    void SeedMt2002(const uint32_t* key, size_t length) noexcept;
    void SeedRan2(uint32_t seedWord) noexcept;
    void FillRan2Table(int32_t start) noexcept;
    int32_t StepRan2() noexcept;

    // An MT2002 number from two tempered words: 53 bits, clamped.
    static double ToUnit(uint32_t first, uint32_t second) noexcept {
        const uint64_t a = first >> 5;
        const uint64_t b = second >> 6;
        // a * 2^26 + b < 2^53, so the conversion is exact.
        return Clamp(static_cast<double>(static_cast<int64_t>((a << 26) | b)) * 0x1p-53);
    }

    uint32_t WordMt2002() noexcept;
    uint32_t WordMt1998() noexcept;
    // Regenerates the MT2002 block once its words are used up, seeding first
    // when the generator was never seeded, and converts it to numbers.
    void RefillMt2002() noexcept;
    void ConvertBlock() noexcept;
    // Next for MT2002 off the number table: at a block's end, or where single
    // words (reference checks) left the word index odd.
    double NextMt2002Words() noexcept;
    // Next for MT1998 and RAN2, clamped.
    double NextOther() noexcept;

    UniformGeneratorType type_ = MT2002;
    uint32_t seed1_ = 2178;
    uint32_t seed2_ = 2179;
    uint32_t state_[kStateWords] = {};
    // MT1998: index of the next word (624 = regenerate first). MT2002 and
    // RAN2: 0 once seeded. -1: never seeded.
    int32_t position_ = -1;
    // MT2002: index of the next word, 624 = regenerate first. An index
    // rather than a pointer, so that the default copy is exact.
    uint32_t next_ = kStateWords;
    // MT2002: the numbers of the current block, number k from words 2k, 2k + 1.
    double numbers_[kStateWords / 2] = {};
    int32_t ran2State1_ = 0;
    int32_t ran2State2_ = 0;
    int32_t ran2Output_ = 0;
    int32_t ran2Table_[kRan2TableSize] = {};
};

static_assert(std::is_trivially_copyable_v<RandomUniform>,
              "generators live inside samplers and are copied as plain values");

inline uint32_t RandomUniform::WordMt2002() noexcept {
    if (next_ >= uint32_t(kStateWords)) [[unlikely]]
        RefillMt2002();
    return Temper(state_[next_++]);
}

// Numbers take words in pairs from the start of a block, so the index is
// even and the number ready, except at a block's end.
inline double RandomUniform::Next() noexcept {
    if (DrawsAsMt2002(type_)) [[likely]] {
        if (next_ < uint32_t(kStateWords) && (next_ & 1u) == 0) [[likely]] {
            const double u = numbers_[next_ >> 1];
            next_ += 2;
            return u;
        }
        return NextMt2002Words();
    }
    return NextOther();
}

}  // namespace Zr::Math
