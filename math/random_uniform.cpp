#include "math/random_uniform.h"

#include <immintrin.h>  // SSE2, which every x86-64 processor has, and AVX2 where it is there

#include <cassert>

namespace Zr::Math {

namespace {

constexpr int kN = RandomUniform::kStateWords;
constexpr int kM = 397;
constexpr uint32_t kUpperMask = 0x80000000u;
constexpr uint32_t kLowerMask = 0x7FFFFFFFu;
constexpr uint32_t kMatrixA = 0x9908B0DFu;

// 1 / (2^32 - 1): the largest word maps to 1, which the clamp then lowers.
constexpr double kMt1998Scale = 2.3283064370807974e-10;
static_assert(kMt1998Scale == 1.0 / 4294967295.0);

// ran2 constants: two congruential generators advanced by Schrage's method,
// which keeps every product inside 32-bit signed arithmetic.
constexpr int32_t kIm1 = 2147483563;
constexpr int32_t kIa1 = 40014;
constexpr int32_t kIq1 = 53668;
constexpr int32_t kIr1 = 12211;
constexpr int32_t kIm2 = 2147483399;
constexpr int32_t kIa2 = 40692;
constexpr int32_t kIq2 = 52774;
constexpr int32_t kIr2 = 3791;
constexpr int32_t kNdiv = 1 + (kIm1 - 1) / RandomUniform::kRan2TableSize;
constexpr double kRan2Scale = 1.0 / kIm1;
static_assert(kNdiv == 67108862);
static_assert(kRan2Scale == 4.656613057391769e-10);

// x -> a x mod m for 0 < x < m, without overflow (m = a q + r, r < q).
constexpr int32_t Schrage(int32_t x, int32_t a, int32_t q, int32_t r, int32_t m) {
    const int32_t k = x / q;
    x = a * (x - k * q) - k * r;
    return x < 0 ? x + m : x;
}

// One word of the MT19937 recurrence from the upper bit of `u`, the lower
// bits of `v` and the word M places further on. Branch-free, so the
// regeneration loops vectorise.
inline uint32_t Twist(uint32_t u, uint32_t v, uint32_t far) {
    const uint32_t y = (u & kUpperMask) | (v & kLowerMask);
    return far ^ (y >> 1) ^ (-(v & 1u) & kMatrixA);
}

// Kept inline so that each width compiles its own copy.
[[gnu::always_inline]] inline void RegenerateWords(uint32_t* state) {
    int i = 0;
    for (; i < kN - kM; ++i) state[i] = Twist(state[i], state[i + 1], state[i + kM]);
    // From here the far word is one already regenerated in this pass.
    for (; i < kN - 1; ++i) state[i] = Twist(state[i], state[i + 1], state[i + kM - kN]);
    state[kN - 1] = Twist(state[kN - 1], state[0], state[kM - 1]);
}

}  // namespace

namespace TwisterBlock {

// The block's work, twice as wide where the processor has AVX2 (the
// processor's own answer, which includes the system saving its registers).
// Integer steps and exact double arithmetic: every width gives the same bits.
bool HasAvx2() noexcept {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}

[[gnu::target("avx2")]] void RegenerateAvx2(uint32_t* state) noexcept { RegenerateWords(state); }

// Number k of a block from words 2k and 2k + 1, tempered: (a 2^26 + b) 2^-53
// with a = word >> 5 and b = word >> 6, formed exactly in double, clamped.
// Four words (two numbers) at a time.
void ConvertSse2(const uint32_t* state, double* numbers) noexcept {
    const __m128i mask1 = _mm_set1_epi32(int32_t(0x9D2C5680u)), mask2 = _mm_set1_epi32(int32_t(0xEFC60000u));
    const __m128d high = _mm_set1_pd(0x1p26), scale = _mm_set1_pd(0x1p-53);
    const __m128d lowest = _mm_set1_pd(RandomUniform::kLowest), highest = _mm_set1_pd(RandomUniform::kHighest);
    for (int k = 0; k < kN; k += 4) {
        __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(state + k));
        y = _mm_xor_si128(y, _mm_srli_epi32(y, 11));
        y = _mm_xor_si128(y, _mm_and_si128(_mm_slli_epi32(y, 7), mask1));
        y = _mm_xor_si128(y, _mm_and_si128(_mm_slli_epi32(y, 15), mask2));
        y = _mm_xor_si128(y, _mm_srli_epi32(y, 18));
        const __m128i a = _mm_shuffle_epi32(_mm_srli_epi32(y, 5), _MM_SHUFFLE(3, 1, 2, 0));  // words 0, 2
        const __m128i b = _mm_shuffle_epi32(_mm_srli_epi32(y, 6), _MM_SHUFFLE(3, 1, 3, 1));  // words 1, 3
        const __m128d u = _mm_mul_pd(_mm_add_pd(_mm_mul_pd(_mm_cvtepi32_pd(a), high), _mm_cvtepi32_pd(b)), scale);
        _mm_storeu_pd(numbers + k / 2, _mm_min_pd(_mm_max_pd(u, lowest), highest));
    }
}

// The same, eight words (four numbers) at a time.
[[gnu::target("avx2")]] void ConvertAvx2(const uint32_t* state, double* numbers) noexcept {
    const __m256i mask1 = _mm256_set1_epi32(int32_t(0x9D2C5680u)), mask2 = _mm256_set1_epi32(int32_t(0xEFC60000u));
    const __m256i shifts = _mm256_setr_epi32(5, 6, 5, 6, 5, 6, 5, 6);
    const __m256i split = _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7);  // a words, then b words
    const __m256d high = _mm256_set1_pd(0x1p26), scale = _mm256_set1_pd(0x1p-53);
    const __m256d lowest = _mm256_set1_pd(RandomUniform::kLowest);
    const __m256d highest = _mm256_set1_pd(RandomUniform::kHighest);
    for (int k = 0; k < kN; k += 8) {
        __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(state + k));
        y = _mm256_xor_si256(y, _mm256_srli_epi32(y, 11));
        y = _mm256_xor_si256(y, _mm256_and_si256(_mm256_slli_epi32(y, 7), mask1));
        y = _mm256_xor_si256(y, _mm256_and_si256(_mm256_slli_epi32(y, 15), mask2));
        y = _mm256_xor_si256(y, _mm256_srli_epi32(y, 18));
        y = _mm256_permutevar8x32_epi32(_mm256_srlv_epi32(y, shifts), split);
        const __m256d a = _mm256_cvtepi32_pd(_mm256_castsi256_si128(y));
        const __m256d b = _mm256_cvtepi32_pd(_mm256_extracti128_si256(y, 1));
        const __m256d u = _mm256_mul_pd(_mm256_add_pd(_mm256_mul_pd(a, high), b), scale);
        _mm256_storeu_pd(numbers + k / 2, _mm256_min_pd(_mm256_max_pd(u, lowest), highest));
    }
}

void RegenerateSse2(uint32_t* state) noexcept { RegenerateWords(state); }

}  // namespace TwisterBlock

void RandomUniform::Regenerate(uint32_t* state) noexcept {
    if (TwisterBlock::HasAvx2())
        TwisterBlock::RegenerateAvx2(state);
    else
        TwisterBlock::RegenerateSse2(state);
}

void RandomUniform::SeedByKeyArray(uint32_t* state, const uint32_t* key, size_t length) noexcept {
    assert(length >= 1);
    state[0] = 19650218u;
    for (uint32_t i = 1; i < uint32_t(kN); ++i)
        state[i] = 1812433253u * (state[i - 1] ^ (state[i - 1] >> 30)) + i;

    uint32_t i = 1;
    size_t j = 0;
    for (size_t k = length > size_t(kN) ? length : size_t(kN); k > 0; --k) {
        state[i] = (state[i] ^ ((state[i - 1] ^ (state[i - 1] >> 30)) * 1664525u)) + key[j] +
                   uint32_t(j);
        if (++i >= uint32_t(kN)) {
            state[0] = state[kN - 1];
            i = 1;
        }
        if (++j >= length) j = 0;
    }
    for (int k = kN - 1; k > 0; --k) {
        state[i] = (state[i] ^ ((state[i - 1] ^ (state[i - 1] >> 30)) * 1566083941u)) - i;
        if (++i >= uint32_t(kN)) {
            state[0] = state[kN - 1];
            i = 1;
        }
    }
    state[0] = 0x80000000u;  // the initial state is then never all zero
}

bool RandomUniform::Init(uint32_t seed1, uint32_t seed2, UniformGeneratorType type) noexcept {
    type_ = type;
    seed1_ = seed1;
    seed2_ = seed2;
    switch (type) {
    case MT1998:
        SeedMt1998(InitialSeedWord(seed1, seed2));
        break;
    case MT2002: {
        const uint32_t key[2] = {seed1, seed2};
        SeedMt2002(key, 2);
        break;
    }
    case MT2002_128BIT: {
        const uint32_t key[4] = {seed1, seed2, SeedStep(seed1), SeedStep(seed2)};
        SeedMt2002(key, 4);
        break;
    }
    default:
        SeedRan2(InitialSeedWord(seed1, seed2));
        break;
    }
    return true;
}

void RandomUniform::SeedMt1998(uint32_t seedWord) noexcept {
    state_[0] = seedWord | 1u;
    for (int i = 1; i < kN; ++i) state_[i] = 69069u * state_[i - 1];
    position_ = kN;  // the first draw regenerates
}

void RandomUniform::SeedMt2002(const uint32_t* key, size_t length) noexcept {
    SeedByKeyArray(state_, key, length);
    position_ = 0;
    next_ = kN;  // the first word regenerates
}

void RandomUniform::SeedRan2(uint32_t seedWord) noexcept {
    int32_t v = static_cast<int32_t>(seedWord | 1u);  // odd, so never INT32_MIN
    if (v > 0) v = -v;
    FillRan2Table(v);
    position_ = kN;  // unused by ran2, but no longer "never seeded"
}

// Seeds both congruential states from a non-positive value and fills the
// shuffle table after eight discarded steps.
void RandomUniform::FillRan2Table(int32_t start) noexcept {
    // Negation modulo 2^32, so that INT32_MIN (which seeding never yields)
    // stays defined and ends up as 1.
    const int32_t negated = static_cast<int32_t>(0u - static_cast<uint32_t>(start));
    ran2State1_ = ran2State2_ = negated > 1 ? negated : 1;
    ran2Output_ = 0;
    for (int j = kRan2TableSize + 7; j >= 0; --j) {
        ran2State1_ = Schrage(ran2State1_, kIa1, kIq1, kIr1, kIm1);
        if (j < kRan2TableSize) ran2Table_[j] = ran2State1_;
    }
    ran2Output_ = ran2Table_[0];
}

int32_t RandomUniform::StepRan2() noexcept {
    if (ran2State1_ <= 0) FillRan2Table(ran2State1_);
    ran2State1_ = Schrage(ran2State1_, kIa1, kIq1, kIr1, kIm1);
    ran2State2_ = Schrage(ran2State2_, kIa2, kIq2, kIr2, kIm2);
    const int32_t j = ran2Output_ / kNdiv;
    ran2Output_ = ran2Table_[j] - ran2State2_;
    ran2Table_[j] = ran2State1_;
    if (ran2Output_ < 1) ran2Output_ += kIm1 - 1;
    return ran2Output_;
}

uint32_t RandomUniform::WordMt1998() noexcept {
    if (position_ >= kN) {
        Regenerate(state_);
        position_ = 0;
    }
    return Temper(state_[position_++]);
}

void RandomUniform::RefillMt2002() noexcept {
    if (position_ < 0) Init(seed1_, seed2_, type_);
    Regenerate(state_);
    ConvertBlock();
    next_ = 0;
}

void RandomUniform::ConvertBlock() noexcept {
    if (TwisterBlock::HasAvx2())
        TwisterBlock::ConvertAvx2(state_, numbers_);
    else
        TwisterBlock::ConvertSse2(state_, numbers_);
}

double RandomUniform::NextMt2002Words() noexcept {
    const uint32_t first = WordMt2002();
    return ToUnit(first, WordMt2002());
}

double RandomUniform::NextOther() noexcept {
    if (position_ < 0) Init(seed1_, seed2_, type_);
    const double u = type_ == MT1998 ? WordMt1998() * kMt1998Scale : StepRan2() * kRan2Scale;
    return Clamp(u);
}

}  // namespace Zr::Math
