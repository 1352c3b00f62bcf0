// Every random-number function's streams, pinned bit for bit: each row hashes
// the columns of one function and parameter set over three generators, four
// seed pairs and four sizes. The Windows build has its own digests: its
// runtime's log, exp and pow round a few variates differently.
#include <cstdint>
#include <cstring>

#include "tests/addin/host_fixture.h"

using namespace Zr::Testing;

namespace {

struct StreamRow {
    const char* function;
    std::vector<double> parameters;  // between size and algorithm
    std::vector<double> switches;    // after the seeds
    uint64_t native;
    uint64_t windows;
};

#if defined(_WIN32)
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

// FNV-1a over the shape and each element's kind and bits.
void Mix(uint64_t& digest, uint64_t word) {
    for (int i = 0; i < 8; ++i, word >>= 8) digest = (digest ^ (word & 0xFF)) * 0x100000001B3u;
}

uint64_t Bits(const Value& v) {
    if (!v.Is(ValueKind::Number)) return 0xE0000000u | uint64_t(v.error) << 8 | uint64_t(v.kind);
    uint64_t bits;
    std::memcpy(&bits, &v.number, sizeof bits);
    return bits;
}

const std::vector<StreamRow> kRows = {
    {"ZrRand", {}, {}, 0x69a718cbeec5679, 0x69a718cbeec5679},
    {"ZrRandNorm", {}, {0, 0, 0}, 0x772fbb615cc6c598, 0x68f8e32b445c050},
    {"ZrRandNorm", {}, {1, 0, 0}, 0xe5fae0ec7a2be7a6, 0x5a5964e3bc6cfa84},
    {"ZrRandNorm", {}, {0, 1, 0}, 0xf5ad0531ff20a2df, 0x628d4c276bc288b3},
    {"ZrRandNorm", {}, {1, 1, 0}, 0x9707cab5cab78362, 0x49db22f6cd87d816},
    {"ZrRandNorm", {}, {0, 0, 1}, 0xa21d927baa3fba35, 0x3cabdc112c8facdb},
    {"ZrRandNorm", {}, {1, 1, 1}, 0xbe61c6bb66da553b, 0xe68e74a72d4c47db},
    {"ZrRandLogNorm", {0, 1}, {}, 0xaf9e178c80b7602b, 0x77dc8fda55e8e896},
    {"ZrRandLogNorm", {2, 0.25}, {}, 0x101eb8c5a475d2e1, 0x8248b3cbfcfd73ef},
    {"ZrRandLogNorm", {88, 1}, {}, 0xb2fe33044d441136, 0xb209db3b7f210b75},
    {"ZrRandJohnsonSU", {0.5, 2, 1, 0}, {0, 0, 0}, 0x2348263c69b4d929, 0x70d1c5450b964b17},
    {"ZrRandJohnsonSU", {-1, 0.7, 3, 2}, {1, 1, 1}, 0x271d907fd77d0ffb, 0x5183b8c8aee6937f},
    {"ZrRandTruncNorm", {-1, 2, 0, 1}, {}, 0xf1abc95bb0743e66, 0xca1bbaecb02b94f},
    {"ZrRandTruncNorm", {3, 10, 0, 1}, {}, 0x6422d6e28c7f0735, 0x62bb4f0af83161c9},
    {"ZrRandTruncNorm", {-0.01, 0.02, 0, 1}, {}, 0xb805a4d366ead132, 0xc68a5b3a6f10b0b4},
    {"ZrRandTruncNorm", {-40, -38, 1, 2}, {}, 0x229f161032b5d2bd, 0xeadbdfec9f11913e},
    {"ZrRandGamma", {2.5, 1}, {}, 0xb203ba844f52ab4a, 0x356f086c6a83b983},
    {"ZrRandGamma", {0.5, 2}, {}, 0x811513eeaab446db, 0x983b78e109c5ee5},
    {"ZrRandGamma", {1, 1}, {}, 0x72e522036dd38b95, 0xded8ea9c08b8be57},
    {"ZrRandGamma", {0.01, 3}, {}, 0xed2791e2154daf95, 0xe573f7a38b4a1e74},
    {"ZrRandGamma", {1e11, 1}, {}, 0xbff1fa5f806221dd, 0xbff1fa5f806221dd},
    {"ZrRandChiSq", {1}, {}, 0x7c193f42c86149be, 0x1267ddba4bafdaf2},
    {"ZrRandChiSq", {4}, {}, 0x331035ba8a0017d1, 0x26786f72d7521745},
    {"ZrRandChiSq", {101}, {}, 0xc8a6f8b71cc434a0, 0xc8a6f8b71cc434a0},
    {"ZrRandChi", {1}, {}, 0xba226e84fa25d560, 0xff64a2a9eb9cccef},
    {"ZrRandChi", {4}, {}, 0x46c8ed4e2584fa8a, 0x53ce82e53907a08},
    {"ZrRandF", {5, 7}, {}, 0x940456891a7201eb, 0x3e9a1d47c0955cf6},
    {"ZrRandF", {1, 1}, {}, 0x91fc61e68a115685, 0xdc80a4f291e0c800},
    {"ZrRandF", {100, 3}, {}, 0xcd0b4cc301972a86, 0x66b2c926873d1532},
    {"ZrRandBeta", {2, 3}, {}, 0x9ac53a664106c880, 0x4931b76fc2eb0cf2},
    {"ZrRandBeta", {0.5, 0.5}, {}, 0x867176565d6b8938, 0xca42c0bb7aa50523},
    {"ZrRandBeta", {0.3, 4}, {}, 0x675c075c3039ddec, 0xd7ed1bf0dd254afe},
    {"ZrRandBeta", {1e6, 2e6}, {}, 0xa60df80ec15aa17f, 0x933be4ef4d96ea5},
    {"ZrRandBeta", {6e9, 6e9}, {}, 0x1591e99116a0db7a, 0x1591e99116a0db7a},
    {"ZrRandT", {1}, {}, 0xc876422d3eb2bac0, 0xac664596376201bf},
    {"ZrRandT", {5}, {}, 0x7b40e010d5816a4c, 0x2fa05d8d47cd40d3},
    {"ZrRandT", {1000}, {}, 0xdb504557a1e34ae5, 0xdb504557a1e34ae5},
    {"ZrRandPoisson", {3}, {}, 0x63309d9d399f657e, 0x63309d9d399f657e},
    {"ZrRandPoisson", {0.5}, {}, 0xb39f6e85cc924040, 0xb39f6e85cc924040},
    {"ZrRandPoisson", {50}, {}, 0x997c337463f1b983, 0x997c337463f1b983},
    {"ZrRandPoisson", {1e6}, {}, 0xd49da77ab5e02bfb, 0xd49da77ab5e02bfb},
    {"ZrRandPoisson", {1e11}, {}, 0x8030480940755d75, 0x8030480940755d75},
    {"ZrRandWeibull", {2, 1}, {}, 0x6568c17a7506cbd, 0xe9c254e4904c74cd},
    {"ZrRandWeibull", {0.3, 2}, {}, 0x9c06827e7322e9ac, 0x1b9faea607ad1f84},
    {"ZrRandWeibull", {0.01, 1}, {}, 0xe9a6e95fb49d45a8, 0x22f0eff537db37e1},
    {"ZrRandLogistic", {0, 1}, {}, 0x9f445e10e0cbfd10, 0x343231904bd312b7},
    {"ZrRandLogistic", {-3, 0.5}, {}, 0x6f0bd156ef641b0, 0x72deab7dcbadc7ac},
    {"ZrRandGumbel", {0, 1}, {}, 0x4c0805012e7e69ad, 0x1c01078126d44397},
    {"ZrRandGumbel", {5, 2}, {}, 0x5abacc3576a9e0cb, 0x52ffa0cb856bd47d},
    {"ZrRandTriangular", {0, 1, 0.3}, {}, 0xdea9aa5678ae322f, 0xdea9aa5678ae322f},
    {"ZrRandTriangular", {-2, 5, 3}, {}, 0x5ceec97dc9882439, 0x5ceec97dc9882439},
};

constexpr double kAlgorithms[] = {0, 1, 2};
constexpr double kSeeds[][2] = {{0, 0}, {1, 2}, {-1, 123456789}, {2147483647, -2147483648.0}};
constexpr double kSizes[] = {1, 3, 625, 10007};

class StreamDigestTest : public AddinTest {};

TEST_P(StreamDigestTest, EveryColumnIsWhatItWas) {
    int columns = 0;
    for (const StreamRow& row : kRows) {
        uint64_t digest = 0xCBF29CE484222325u;
        for (double algorithm : kAlgorithms)
            for (const auto& seeds : kSeeds)
                for (double size : kSizes) {
                    std::vector<double> args = {size};
                    args.insert(args.end(), row.parameters.begin(), row.parameters.end());
                    args.insert(args.end(), {algorithm, seeds[0], seeds[1]});
                    args.insert(args.end(), row.switches.begin(), row.switches.end());
                    const Value column = Call(row.function, args);
                    Mix(digest, uint64_t(column.rows) << 32 | uint32_t(column.columns));
                    for (const Value& v : column.elements) Mix(digest, Bits(v));
                    Mix(digest, Bits(column));
                    ++columns;
                }
        EXPECT_EQ(digest, kWindows ? row.windows : row.native)
            << std::hex << "0x" << digest << " for " << row.function << " " << ::testing::PrintToString(row.parameters)
            << " " << ::testing::PrintToString(row.switches);
    }
    std::printf("%d columns compared\n", columns);
}

ZR_IN_BOTH_MODES(StreamDigestTest);

}  // namespace
