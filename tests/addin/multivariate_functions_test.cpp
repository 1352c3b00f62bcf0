// The five multivariate functions through the host, as Excel calls them.
#include <cmath>
#include <map>
#include <thread>
#include <type_traits>

#include "host_fixture.h"
#include "math/random_multi_normal.h"
#include "xll/entry.h"
#include "xll/oper_records.h"
#include "xll/xl_oper.h"
#include "tests/math/linear_algebra_support.h"

using namespace Zr::Testing;
using Zr::Host::Mode;

namespace {

#include "../math/data/series_reference.inc"

const Value kValueError = Value::Error(xlerrValue);
const Value kOutOfRange = ErrorText("Index out of range");

Value Num(double x) { return Value::Number(x); }
Value Bool(bool b) { return Value::Bool(b); }

// A rows x columns table of numbers, row by row.
Value Table(int rows, int columns, const std::vector<double>& numbers) {
    std::vector<Value> elements;
    for (double x : numbers) elements.push_back(Num(x));
    return Value::Array(rows, columns, elements);
}

Value Identity(int n) {
    std::vector<double> numbers(size_t(n) * size_t(n), 0.0);
    for (int i = 0; i < n; ++i) numbers[size_t(i) * size_t(n) + size_t(i)] = 1.0;
    return Table(n, n, numbers);
}

// Columns means and covariance (divisor N) of a result, in long double.
void Moments(const Value& rows, std::vector<double>& mean, std::vector<double>& cov) {
    const int N = rows.rows, n = rows.columns;
    mean.assign(size_t(n), 0.0);
    cov.assign(size_t(n) * size_t(n), 0.0);
    for (int j = 0; j < n; ++j) {
        long double sum = 0;
        for (int k = 0; k < N; ++k) sum += rows.At(k, j).number;
        mean[size_t(j)] = double(sum / N);
    }
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            long double sum = 0;
            for (int k = 0; k < N; ++k)
                sum += ((long double)rows.At(k, i).number - mean[size_t(i)]) * (rows.At(k, j).number - mean[size_t(j)]);
            cov[size_t(i) * size_t(n) + size_t(j)] = double(sum / N);
        }
}

class MultivariateTest : public AddinTest {
protected:
    void SetUp() override { Open(ZR_ADDIN_PATH); }

    Value RandMultiNorm(double size, const Value& cov, const Value& mean, double algorithm = 0, double seed1 = 0,
                        double seed2 = 0, bool inverse = false, bool antithetic = false, bool resampling = false) {
        return host_.Call(u"ZrRandMultiNorm", {Num(size), cov, mean, Num(algorithm), Num(seed1), Num(seed2),
                                               Bool(inverse), Bool(antithetic), Bool(resampling)});
    }
    Value Resampled(double size, const Value& cov, const Value& mean, double algorithm = 0, bool inverse = false,
                    bool antithetic = false) {
        return RandMultiNorm(size, cov, mean, algorithm, 3, 4, inverse, antithetic, true);
    }
    int MaxRows() const { return Modern() ? 1048576 : 65535; }
    int MaxColumns() const { return Modern() ? 16384 : 256; }
};

// The requested moments back from the drawn sample, to 1e-9 of the scale.
void ExpectExactMoments(const Value& drawn, const std::vector<double>& mean, const std::vector<double>& cov,
                        const std::string& what) {
    ASSERT_TRUE(drawn.Is(ValueKind::Array)) << what << ": " << FormatValue(drawn);
    std::vector<double> m, c;
    Moments(drawn, m, c);
    for (size_t i = 0; i < mean.size(); ++i) EXPECT_NEAR(m[i], mean[i], 1e-9 * (1 + std::fabs(mean[i]))) << what;
    for (size_t i = 0; i < cov.size(); ++i) EXPECT_NEAR(c[i], cov[i], 1e-9) << what << " element " << i;
}

}  // namespace

TEST_P(MultivariateTest, AllFiveAreRegisteredWithTheirTypeTexts) {
    std::map<std::u16string, std::u16string> active;
    for (const auto& r : host_.ActiveFunctions()) active[r.FunctionName()] = r.TypeText();
    const std::map<std::u16string, std::u16string> letters = {{u"ZrRandMultiNorm", u"JPPIJJAAA"},
                                                              {u"ZrCor2Cov", u"PP"},
                                                              {u"ZrCov2Cor", u"PA"},
                                                              {u"ZrMultiCorrel", u"PAA"},
                                                              {u"ZrMultiCovarp", u"PA"}};
    for (const auto& [name, typed] : letters) {
        std::u16string modern = typed;
        for (char16_t& c : modern)
            if (c == u'P') c = u'Q';
        ASSERT_TRUE(active.count(name)) << Zr::Host::ToUtf8(name);
        EXPECT_EQ(active[name], Modern() ? u"U" + modern + u"$" : u"R" + typed);
    }
}

// ----------------------------------------------------------- the examples

TEST_P(MultivariateTest, Cov2CorAndCor2Cov) {
    EXPECT_EQ(host_.Evaluate("ZrCov2Cor({4,2;2,9}, TRUE)"), Table(3, 2, {2, 3, 1, 1.0 / 3, 1.0 / 3, 1}));
    EXPECT_EQ(host_.Evaluate("ZrCov2Cor({4,2;2,9}, FALSE)"), Table(2, 2, {1, 1.0 / 3, 1.0 / 3, 1}));
    EXPECT_EQ(host_.Evaluate("ZrCov2Cor({4,2;2,-1}, FALSE)"), kValueError);  // negative variance
    EXPECT_EQ(host_.Evaluate("ZrCov2Cor({4,0;0,0}, FALSE)"), kValueError);   // zero variance
    EXPECT_EQ(host_.Evaluate("ZrCov2Cor({4,2,1;2,9,1}, FALSE)"), kValueError);
    EXPECT_EQ(host_.Evaluate("ZrCov2Cor(4, TRUE)"), Table(2, 1, {2, 1}));

    EXPECT_EQ(host_.Evaluate("ZrCor2Cov({2,3}, {1,0.5;0.5,1})"), Table(2, 2, {4, 3, 3, 9}));
    EXPECT_EQ(host_.Evaluate("ZrCor2Cov({2;3}, {1,0.5;0.5,1})"), Table(2, 2, {4, 3, 3, 9}));
    EXPECT_EQ(host_.Evaluate("ZrCor2Cov({2,3,4}, {1,0.5;0.5,1})"), kValueError);
    EXPECT_EQ(host_.Evaluate("ZrCor2Cov(, {1,0.5;0.5,1})"), kValueError);  // no standard deviations
    EXPECT_EQ(host_.Evaluate("ZrCor2Cov({2,3}, {1,0.5})"), kValueError);
    EXPECT_EQ(host_.Evaluate("ZrCor2Cov({1e200,1e200}, {1,0.5;0.5,1})"), kValueError);  // overflow
    EXPECT_EQ(host_.Evaluate("ZrCor2Cov({-2,3}, {1,7;0,1})"), Table(2, 2, {4, -42, 0, 9}));  // nothing else checked
}

TEST_P(MultivariateTest, MultiCovarpAndMultiCorrel) {
    EXPECT_EQ(host_.Evaluate("ZrMultiCovarp({1,2;2,4;3,6}, TRUE)"),
              Table(3, 2, {2, 4, 2.0 / 3, 4.0 / 3, 4.0 / 3, 8.0 / 3}));
    EXPECT_EQ(host_.Evaluate("ZrMultiCovarp({1,2;2,4;3,6}, FALSE)"), Table(2, 2, {2.0 / 3, 4.0 / 3, 4.0 / 3, 8.0 / 3}));
    EXPECT_EQ(host_.Evaluate("ZrMultiCovarp({1,5;2,5;3,5}, FALSE)"), Table(2, 2, {2.0 / 3, 0, 0, 0}));

    const double nan = std::nan("");
    EXPECT_EQ(host_.Evaluate("ZrMultiCorrel({1,5;2,5;3,5}, TRUE, TRUE)"),
              Table(4, 2, {2, 5, std::sqrt(2.0 / 3), 0, 1, nan, nan, 1}));
    EXPECT_EQ(host_.Evaluate("ZrMultiCorrel({1,5;2,5;3,5}, FALSE, TRUE)"),
              Table(3, 2, {std::sqrt(2.0 / 3), 0, 1, nan, nan, 1}));
    EXPECT_EQ(host_.Evaluate("ZrMultiCorrel({1,2,3}, TRUE, TRUE)"), kValueError);  // one observation
    EXPECT_EQ(host_.Evaluate("ZrMultiCovarp({1;2}, TRUE)"), Table(2, 1, {1.5, 0.25}));
    EXPECT_EQ(host_.Evaluate("ZrMultiCovarp(7, TRUE)"), kValueError);
}

// Correlation and covariance of the reference series, against 50-digit values.
TEST_P(MultivariateTest, MatrixStatisticsAgreeWithTheReference) {
    double worst = 0.0;
    for (const SeriesCase& c : kSeriesCases) {
        std::vector<double> numbers;
        for (size_t t = 0; t < c.x.size(); ++t) numbers.insert(numbers.end(), {c.x[t], c.y[t]});
        const Value data = Table(int(c.x.size()), 2, numbers);
        const Value corr = host_.Call(u"ZrMultiCorrel", {data, Bool(true), Bool(true)});
        const Value cov = host_.Call(u"ZrMultiCovarp", {data, Bool(false)});
        ASSERT_EQ(corr.rows, 4) << c.name;
        ASSERT_EQ(cov.rows, 2) << c.name;
        const double n = double(c.x.size());
        const double expected[] = {c.meanX, c.meanY, std::sqrt(c.sxx / n), std::sqrt(c.syy / n),
                                   c.sxy / std::sqrt(c.sxx * c.syy), c.sxx / n, c.sxy / n, c.syy / n};
        const double got[] = {corr.At(0, 0).number, corr.At(0, 1).number, corr.At(1, 0).number,
                              corr.At(1, 1).number, corr.At(2, 1).number, cov.At(0, 0).number,
                              cov.At(0, 1).number,  cov.At(1, 1).number};
        for (size_t i = 0; i < std::size(got); ++i) {
            const double e = std::fabs(got[i] - expected[i]) / std::fabs(expected[i]);
            EXPECT_LT(e, 2e-12) << c.name << " element " << i;
            worst = std::max(worst, e);
        }
        EXPECT_EQ(corr.At(3, 0), corr.At(2, 1));
        EXPECT_EQ(cov.At(1, 0), cov.At(0, 1));
    }
    std::printf("[ measured ] ZrMultiCorrel/ZrMultiCovarp, worst relative error: %.3g\n", worst);
}

// A selected range A1:C10 with data in A1:B5: the blank cells around it do
// not count, unless a value outside the block touches it.
TEST_P(MultivariateTest, BlankCellsAroundTheDataAreIgnored) {
    const std::vector<double> block = {1, 2, 2, 4.5, 3, 6, 4, 7, 5, 11};
    std::vector<Value> cells(30, Value::Nil());
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 2; ++c) cells[size_t(r * 3 + c)] = Num(block[size_t(r * 2 + c)]);
    const Value range = Value::Array(10, 3, cells);
    EXPECT_EQ(host_.Call(u"ZrMultiCovarp", {range, Bool(true)}),
              host_.Call(u"ZrMultiCovarp", {Table(5, 2, block), Bool(true)}));
    EXPECT_EQ(host_.Call(u"ZrMultiCorrel", {range, Bool(true), Bool(true)}),
              host_.Call(u"ZrMultiCorrel", {Table(5, 2, block), Bool(true), Bool(true)}));
    cells[2 * 3 + 2] = Num(9);  // C3
    EXPECT_EQ(host_.Call(u"ZrMultiCovarp", {Value::Array(10, 3, cells), Bool(true)}),
              ErrorText("Expected number for data"));

    EXPECT_EQ(host_.Evaluate("ZrCov2Cor([4,2,;2,9,;,,], TRUE)"), Table(3, 2, {2, 3, 1, 1.0 / 3, 1.0 / 3, 1}));
    EXPECT_EQ(host_.Evaluate("ZrCor2Cov([2;3;], [1,0.5,\"\";0.5,1,;,,])"), Table(2, 2, {4, 3, 3, 9}));
    EXPECT_EQ(host_.Evaluate("ZrMultiCovarp([,1;2,3], TRUE)"), kValueError);  // blank top-left: no data
    EXPECT_EQ(host_.Evaluate("ZrCov2Cor([4,2;2,], TRUE)"), ErrorText("Expected number for cov"));
}

// ------------------------------------------------------------ ZrRandMultiNorm

TEST_P(MultivariateTest, ResamplingReproducesMeanAndCovariance) {
    ExpectExactMoments(host_.Evaluate("ZrRandMultiNorm(3, {4,2;2,9}, {1,2}, 0, 0, 0, FALSE, FALSE, TRUE)"),
                       {1, 2}, {4, 2, 2, 9}, "the example");
    const std::vector<double> cov = {2, 0.5, 0, -0.3, 0.5, 1, 0.2, 0, 0, 0.2, 3, 0.1, -0.3, 0, 0.1, 0.5};
    const std::vector<double> mean = {-1, 0, 100, 1e3};
    for (int algorithm : {0, 1, 2})
        for (bool inverse : {false, true})
            for (double size : {5.0, 7.0, 50.0, 1000.0}) {
                const std::string what = std::to_string(algorithm) + (inverse ? " inv " : " bm ") +
                                         std::to_string(size);
                ExpectExactMoments(Resampled(size, Table(4, 4, cov), Table(1, 4, mean), algorithm, inverse), mean,
                                   cov, what);
                if (size >= 7)  // 2n - 1: the fewest antithetic vectors that span four dimensions
                    ExpectExactMoments(Resampled(size, Table(4, 4, cov), Table(1, 4, mean), algorithm, inverse, true),
                                       mean, cov, what + " antithetic");
            }
}

// N vectors span at most N - 1 dimensions about their mean, mirrored pairs
// only ceil(N / 2): such a crude sample cannot be resampled.
TEST_P(MultivariateTest, ResamplingNeedsASampleThatSpansTheSpace) {
    EXPECT_EQ(host_.Evaluate("ZrRandMultiNorm(1, {1,0;0,1}, {0,0}, 0, 0, 0, FALSE, FALSE, TRUE)"), kValueError);
    EXPECT_EQ(host_.Evaluate("ZrRandMultiNorm(2, {1,0;0,1}, {0,0}, 0, 0, 0, FALSE, FALSE, TRUE)"), kValueError);
    EXPECT_EQ(host_.Evaluate("ZrRandMultiNorm(3, {1,0;0,1}, {0,0}, 0, 0, 0, FALSE, FALSE, TRUE)").rows, 3);
    const Value cov3 = Identity(3), mean3 = Table(3, 1, {0, 0, 0});
    EXPECT_EQ(Resampled(3, cov3, mean3), kValueError);
    EXPECT_EQ(Resampled(4, cov3, mean3, 0, false, true), kValueError);  // 2n - 2 with antithetic pairs
    ExpectExactMoments(Resampled(5, cov3, mean3, 0, false, true), {0, 0, 0}, {1, 0, 0, 0, 1, 0, 0, 0, 1},
                       "2n - 1 antithetic");
    EXPECT_EQ(Resampled(1, Table(1, 1, {4}), Table(1, 1, {1})), kValueError);
}

TEST_P(MultivariateTest, EveryCallGivesTheSameVectors) {
    const Value cov = Table(2, 2, {4, 2, 2, 9}), mean = Table(1, 2, {1, 2});
    for (bool resampling : {false, true}) {
        const Value first = RandMultiNorm(20, cov, mean, 2, -1, 5, true, true, resampling);
        ASSERT_EQ(first.rows, 20);
        EXPECT_EQ(RandMultiNorm(20, cov, mean, 2, -1, 5, true, true, resampling), first);
        EXPECT_NE(RandMultiNorm(20, cov, mean, 2, -1, 6, true, true, resampling).At(0, 0), first.At(0, 0));
    }
    if (!Modern()) return;  // only the _12 entries run on calculation threads
    const Value expected = RandMultiNorm(5000, cov, mean, 0, 1, 2, false, false, true);
    Value got0, got1;
    std::thread t0([&] { got0 = RandMultiNorm(5000, cov, mean, 0, 1, 2, false, false, true); });
    std::thread t1([&] { got1 = RandMultiNorm(5000, cov, mean, 0, 1, 2, false, false, true); });
    t0.join();
    t1.join();
    EXPECT_EQ(got0, expected);
    EXPECT_EQ(got1, expected);
}

// The worksheet's arguments reach the generator as they should: algorithm 1
// is MT1998, seeds are bit patterns, the switches select the options.
TEST_P(MultivariateTest, DrawsAreTheGeneratorsVectors) {
    const Value got = RandMultiNorm(6, Table(2, 2, {4, 2, 2, 9}), Table(1, 2, {1, 2}), 1, -1, 7, true, true, false);
    Zr::Math::RandomMultiNormal g;
    ASSERT_TRUE(g.Init(Zr::Math::Vector{1, 2}, MatrixOf({{4, 2}, {2, 9}}), true, true, Zr::Math::DISABLED, 6,
                       0xFFFFFFFFu, 7, Zr::Math::MT1998, false));
    Zr::Math::Vector out(2), z(2);
    ASSERT_EQ(got.rows, 6);
    for (int k = 0; k < 6; ++k) {
        g.Next(out, z);
        EXPECT_EQ(got.At(k, 0), Num(out[0])) << k;
        EXPECT_EQ(got.At(k, 1), Num(out[1])) << k;
    }
}

TEST_P(MultivariateTest, SizeChecks) {
    const Value cov = Table(2, 2, {4, 2, 2, 9}), mean = Table(1, 2, {1, 2});
    EXPECT_EQ(RandMultiNorm(0, cov, mean), kValueError);
    EXPECT_EQ(RandMultiNorm(-3, cov, mean), kValueError);
    EXPECT_EQ(RandMultiNorm(3, cov, Table(1, 3, {1, 2, 3})), kValueError);
    EXPECT_EQ(RandMultiNorm(3, Table(2, 3, {1, 0, 0, 0, 1, 0}), mean), kValueError);
    EXPECT_EQ(RandMultiNorm(3, cov, Value::Missing()), kValueError);
    EXPECT_EQ(RandMultiNorm(3, Table(2, 2, {1, 5, -2, 1}), mean).rows, 3);  // not symmetric: not checked
}

// ------------------------------------------------------------ conversion messages

TEST_P(MultivariateTest, ConversionMessagesNameTheArgument) {
    const Value cov = Table(2, 2, {4, 2, 2, 9}), mean = Table(1, 2, {1, 2});
    const Value text = Value::Array(2, 2, {Num(1), Value::TextUtf8("x"), Num(0), Num(1)});
    EXPECT_EQ(RandMultiNorm(3, cov, mean, 3), ErrorText("Expected one of 0,1,2 for algorithm"));
    EXPECT_EQ(RandMultiNorm(3, text, mean, -1), ErrorText("Expected one of 0,1,2 for algorithm"));
    EXPECT_EQ(RandMultiNorm(3, text, mean), ErrorText("Expected number for cov"));
    EXPECT_EQ(RandMultiNorm(0, text, mean), ErrorText("Expected number for cov"));  // converted before checked
    EXPECT_EQ(RandMultiNorm(3, Value::Missing(), mean), ErrorText("Expected at least 1 value for cov"));
    EXPECT_EQ(RandMultiNorm(3, cov, cov), ErrorText("Expected vector for mean"));
    EXPECT_EQ(RandMultiNorm(3, cov, Value::Array(1, 2, {Num(1), Value::Error(xlerrNA)})),
              ErrorText("Expected number for mean"));
    EXPECT_EQ(RandMultiNorm(3, Value::Array(1, 1, {Value::TextUtf8("nan")}), Num(0)),
              ErrorText("Expected number for cov"));  // a non-finite text is no number

    EXPECT_EQ(host_.Evaluate("ZrCor2Cov({1,2;3,4}, {1})"), ErrorText("Expected vector for stdev"));
    EXPECT_EQ(host_.Evaluate("ZrCor2Cov({\"a\",2}, {1})"), ErrorText("Expected number for stdev"));
    EXPECT_EQ(host_.Evaluate("ZrCor2Cov({1,2}, )"), ErrorText("Expected at least 1 value for cor"));
    EXPECT_EQ(host_.Evaluate("ZrCor2Cov({1,2}, {1,#N/A;0,1})"), ErrorText("Expected number for cor"));
    EXPECT_EQ(host_.Evaluate("ZrCov2Cor(, TRUE)"), ErrorText("Expected at least 1 value for cov"));
    EXPECT_EQ(host_.Evaluate("ZrCov2Cor({1,\"inf\";0,1}, TRUE)"), ErrorText("Expected number for cov"));
    EXPECT_EQ(host_.Evaluate("ZrMultiCorrel(, TRUE, TRUE)"), ErrorText("Expected at least 1 value for data"));
    EXPECT_EQ(host_.Evaluate("ZrMultiCorrel({1,2;3,#DIV/0!}, TRUE, TRUE)"), ErrorText("Expected number for data"));
    EXPECT_EQ(host_.Evaluate("ZrMultiCovarp(, TRUE)"), ErrorText("Expected at least 1 value for data"));
    EXPECT_EQ(host_.Evaluate("ZrMultiCovarp({1,2;\"3x\",4}, TRUE)"), ErrorText("Expected number for data"));
    // Numbers, booleans and numeric text convert.
    EXPECT_EQ(host_.Evaluate("ZrMultiCovarp({1,TRUE;\" 3 \",FALSE}, FALSE)"), Table(2, 2, {1, -0.5, -0.5, 0.25}));
}

// ------------------------------------------------------------ host limits

TEST_P(MultivariateTest, ResultsBeyondTheHostsRowLimitFailAtOnce) {
    const Value cov = Table(1, 1, {1}), mean = Table(1, 1, {0});
    EXPECT_EQ(RandMultiNorm(MaxRows() + 1, cov, mean), kOutOfRange);
    // With resampling the pre-pass would first draw two billion vectors.
    EXPECT_EQ(RandMultiNorm(2147483647, cov, mean, 0, 0, 0, false, false, true), kOutOfRange);
}

INSTANTIATE_TEST_SUITE_P(BothModes, MultivariateTest, ::testing::Values(Mode::Excel12, Mode::Legacy),
                         [](const auto& info) { return Excel12Or4(info.param); });

// ------------------------------------------------------------ the entries alone
//
// Excel never passes an argument wider than its own sheet, so the host
// cannot make these requests; the test program's own copies of the entries
// are called with hand-made records.

using Zr::Xll::XlBool;
extern "C" {
XLOPER12* ZrMultiCorrel_12(XLOPER12*, XlBool, XlBool);
XLOPER* ZrMultiCorrel_4(XLOPER*, XlBool, XlBool);
XLOPER12* ZrMultiCovarp_12(XLOPER12*, XlBool);
XLOPER* ZrMultiCovarp_4(XLOPER*, XlBool);
XLOPER12* ZrCov2Cor_12(XLOPER12*, XlBool);
XLOPER* ZrCov2Cor_4(XLOPER*, XlBool);
XLOPER12* ZrCor2Cov_12(XLOPER12*, XLOPER12*);
XLOPER* ZrCor2Cov_4(XLOPER*, XLOPER*);
XLOPER12* ZrRandMultiNorm_12(int32_t, XLOPER12*, XLOPER12*, int16_t, int32_t, int32_t, XlBool, XlBool, XlBool);
XLOPER* ZrRandMultiNorm_4(int32_t, XLOPER*, XLOPER*, int16_t, int32_t, int32_t, XlBool, XlBool, XlBool);
}

namespace {

// Whether the entry's result is the error text of an oversized request.
bool OutOfRange(XLOPER12* r) {
    return r->xltype == (xltypeStr | xlbitDLLFree) && std::u16string(r->val.str + 1, r->val.str[0]) ==
                                                          u"#ERROR: Index out of range";
}
bool OutOfRange(XLOPER* r) {
    return (r->xltype & ~xlbitDLLFree) == xltypeStr &&
           std::string(r->val.str + 1, size_t(uint8_t(r->val.str[0]))) == "#ERROR: Index out of range";
}

// A rows x columns record array holding the identity pattern, and a value
// that views it.
template <class Record>
struct RecordTable {
    std::vector<Record> cells;
    Record record{};
    RecordTable(int rows, int columns) : cells(size_t(rows) * size_t(columns)) {
        for (size_t i = 0; i < cells.size(); ++i) {
            cells[i].xltype = xltypeNum;
            cells[i].val.num = i / size_t(columns) == i % size_t(columns) ? 1.0 : 0.0;
        }
        record.xltype = xltypeMulti;
        record.val.array.lparray = cells.data();
        record.val.array.rows = decltype(record.val.array.rows)(rows);
        record.val.array.columns = decltype(record.val.array.columns)(columns);
    }
    RecordTable(const RecordTable&) = delete;  // the record points into cells
    Record* Get() { return &record; }
};

class MultivariateBody : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { Zr::Xll::SetIsExcel12(GetParam()); }
    void TearDown() override { Zr::Xll::SetIsExcel12(saved_); }
    int MaxRows() const { return GetParam() ? 1048576 : 65535; }
    int MaxColumns() const { return GetParam() ? 16384 : 256; }
    // The widest table of this mode's records, plus one column.
    template <class Record>
    static void ExpectTooWide(int rows, int columns, bool square) {
        RecordTable<Record> table(square ? columns : rows, columns), row(1, columns);
        Record *value = table.Get(), *vector = row.Get();
        if constexpr (std::is_same_v<Record, XLOPER12>) {
            EXPECT_TRUE(OutOfRange(ZrMultiCorrel_12(value, yes, yes)));
            EXPECT_TRUE(OutOfRange(ZrMultiCovarp_12(value, no)));
            if (!square) return;
            EXPECT_TRUE(OutOfRange(ZrCov2Cor_12(value, no)));
            EXPECT_TRUE(OutOfRange(ZrCor2Cov_12(vector, value)));
            TraceCapture trace;
            EXPECT_TRUE(OutOfRange(ZrRandMultiNorm_12(10, value, vector, 0, 0, 0, no, no, yes)));
            EXPECT_TRUE(trace.Messages().empty());  // no generator was built
        } else {
            EXPECT_TRUE(OutOfRange(ZrMultiCorrel_4(value, yes, yes)));
            EXPECT_TRUE(OutOfRange(ZrMultiCovarp_4(value, no)));
            if (!square) return;
            EXPECT_TRUE(OutOfRange(ZrCov2Cor_4(value, no)));
            EXPECT_TRUE(OutOfRange(ZrCor2Cov_4(vector, value)));
            TraceCapture trace;
            EXPECT_TRUE(OutOfRange(ZrRandMultiNorm_4(10, value, vector, 0, 0, 0, no, no, yes)));
            EXPECT_TRUE(trace.Messages().empty());  // no generator was built
        }
    }
    // One row beyond the limit is refused before any draw; 65,535 rows work
    // and the generator reports its progress lines.
    template <class Record, class Entry>
    void ExpectRowLimit(Entry entry) {
        Record cov{}, mean{};
        cov.xltype = mean.xltype = xltypeNum;
        cov.val.num = 1.0;
        {
            TraceCapture trace;
            EXPECT_TRUE(OutOfRange(entry(MaxRows() + 1, &cov, &mean, 0, 0, 0, no, no, yes)));
            EXPECT_TRUE(trace.Messages().empty());
        }
        TraceCapture trace;
        Record* result = entry(65535, &cov, &mean, 0, 0, 0, no, no, yes);
        EXPECT_EQ(result->xltype, xltypeMulti | xlbitDLLFree);
        Zr::Xll::FreeRecord(*result);
        ASSERT_FALSE(trace.Messages().empty());
        EXPECT_EQ(trace.Messages()[0], "*** Orvex Monte Carlo Simulator ***");
    }
    static constexpr Zr::Xll::XlBool no{0}, yes{1};
    const bool saved_ = Zr::Xll::IsExcel12();
};

}  // namespace

// An oversized request is refused before the generator is built, so its
// resampling pre-pass never starts.
TEST_P(MultivariateBody, TooManyRowsAreRefusedBeforeTheGenerator) {
    if (GetParam())
        ExpectRowLimit<XLOPER12>(&ZrRandMultiNorm_12);
    else
        ExpectRowLimit<XLOPER>(&ZrRandMultiNorm_4);
}

TEST_P(MultivariateBody, TooManyColumnsFailCleanly) {
    if (GetParam()) {
        ExpectTooWide<XLOPER12>(2, MaxColumns() + 1, false);
    } else {
        ExpectTooWide<XLOPER>(2, 16384, false);  // a modern sheet's width in legacy mode
        ExpectTooWide<XLOPER>(2, MaxColumns() + 1, true);
    }
}

INSTANTIATE_TEST_SUITE_P(BothModes, MultivariateBody, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Excel12" : "Legacy"; });
