// ZrRand through the host, as Excel calls it.
#include <thread>

#include "host_fixture.h"
#include "math/random_uniform.h"

using namespace Zr::Testing;
using Zr::Host::Mode;

namespace {

class UniformTest : public AddinTest {
protected:
    void SetUp() override { Open(ZR_ADDIN_PATH); }

    Value Rand(double size, double algorithm, double seed1, double seed2) {
        return host_.Call(u"ZrRand", {Value::Number(size), Value::Number(algorithm), Value::Number(seed1),
                                      Value::Number(seed2)});
    }
    int64_t MaxRows() const { return Modern() ? 1048576 : 65535; }
};

Value Column(std::initializer_list<double> numbers) {
    std::vector<Value> elements;
    for (double x : numbers) elements.push_back(Value::Number(x));
    return Value::Array(int(elements.size()), 1, elements);
}

}  // namespace

TEST_P(UniformTest, FirstNumbersOfEachAlgorithm) {
    EXPECT_EQ(Rand(3, 0, 0, 0), Column({0.1507172537105722, 0.19554272386502092, 0.16532538485071524}));
    EXPECT_EQ(Rand(3, 1, 0, 0), Column({0.6991623490348371, 0.34871351191511224, 0.6324858105817078}));
    EXPECT_EQ(Rand(3, 2, 0, 0), Column({0.5635495343719192, 0.5651372396557897, 0.6538863091638015}));
    EXPECT_EQ(Rand(1, 0, 0, 0), Column({0.1507172537105722}));
    EXPECT_EQ(Rand(5, 0, 0, 0).At(2, 0), Value::Number(0.16532538485071524));
}

TEST_P(UniformTest, SeedsAreBitPatterns) {
    Zr::Math::RandomUniform reference;
    reference.Init(4294967295u, 0, Zr::Math::MT2002);
    const Value column = Rand(4, 0, -1, 0);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(column.At(i, 0), Value::Number(reference.Next()));
    EXPECT_EQ(Rand(4, 0, -1, 0), column);   // recalculation gives the same numbers
    EXPECT_NE(Rand(4, 0, -1, 1).At(0, 0), column.At(0, 0));  // another seed2 changes them
}

TEST_P(UniformTest, BadArgumentsAndSizes) {
    const Value badAlgorithm = ErrorText("Expected one of 0,1,2 for algorithm");
    EXPECT_EQ(Rand(3, 3, 0, 0), badAlgorithm);
    EXPECT_EQ(Rand(3, -1, 0, 0), badAlgorithm);
    EXPECT_EQ(Rand(0, 3, 0, 0), badAlgorithm);  // the algorithm is checked first
    EXPECT_EQ(Rand(0, 0, 0, 0), Value::Error(xlerrValue));
    EXPECT_EQ(Rand(-5, 0, 0, 0), Value::Error(xlerrValue));
    EXPECT_EQ(Rand(double(MaxRows() + 1), 0, 0, 0), ErrorText("Index out of range"));
    EXPECT_EQ(Rand(2147483647, 0, 0, 0), ErrorText("Index out of range"));
}

TEST_P(UniformTest, LargestColumnStaysInsideTheOpenInterval) {
    const Value column = Rand(double(MaxRows()), 1, 12345, 678);
    ASSERT_TRUE(column.Is(ValueKind::Array));
    ASSERT_EQ(column.rows, MaxRows());
    for (const Value& v : column.elements) {
        ASSERT_GE(v.number, 1e-12);
        ASSERT_LE(v.number, 0.999999999999);
    }
}

TEST_P(UniformTest, ThreadsGetTheSameColumnsAsOneThread) {
    if (!Modern()) GTEST_SKIP() << "only the _12 entries are called on calculation threads";
    const Value expected0 = Rand(20000, 0, 1, 2), expected1 = Rand(20000, 2, 3, 4);
    Value got0, got1;
    std::thread t0([&] { got0 = Rand(20000, 0, 1, 2); });
    std::thread t1([&] { got1 = Rand(20000, 2, 3, 4); });
    t0.join();
    t1.join();
    EXPECT_EQ(got0, expected0);
    EXPECT_EQ(got1, expected1);
}

INSTANTIATE_TEST_SUITE_P(BothModes, UniformTest, ::testing::Values(Mode::Excel12, Mode::Legacy),
                         [](const auto& info) { return Excel12Or4(info.param); });
