// The multivariate functions through the host, and their entries alone beyond the sheet's limits.
#include "host/records.h"
#include "tests/addin/host_fixture.h"
#include "tests/math/linear_algebra_support.h"
#include "xll/oper_records.h"
#include "xll/xl_oper.h"

using namespace Zr::Testing;

namespace {
#include "tests/math/data/series_reference.inc"

// A rows x columns table of numbers, row by row.
Value Table(int rows, int columns, const std::vector<double>& numbers) {
    std::vector<Value> elements;
    for (double x : numbers) elements.push_back(Num(x));
    return Value::Array(rows, columns, elements);
}

Value Expected(const std::string& what) { return ErrorText("Expected " + what); }

class MultivariateTest : public AddinTest {
protected:
    // The sample's means and covariance (by ZrMultiCovarp, checked against the reference) are as requested.
    ::testing::AssertionResult HasMoments(const std::string& formula, const std::vector<double>& meanAndCov) {
        const Value drawn = host_.Evaluate(formula);
        const Value moments = host_.Call(u"ZrMultiCovarp", {drawn, Value::Bool(true)});
        return Near(moments, Table(drawn.columns + 1, drawn.columns, meanAndCov), 1e-9) << " for " << formula;
    }
};
}  // namespace

TEST_P(MultivariateTest, ValuesChecksAndConversionMessages) {
    const Value cor = Table(3, 2, {2, 3, 1, 1.0 / 3, 1.0 / 3, 1}), cov = Table(2, 2, {4, 3, 3, 9});
    const Value badAlgorithm = Expected("one of 0,1,2 for algorithm"), number = Expected("number for cov");
    const Value noCov = Expected("at least 1 value for cov"), noData = Expected("at least 1 value for data");
    const struct { const char* formula; Value expected; } cases[] = {
        {"ZrCov2Cor({4,2;2,9}, TRUE)", cor}, {"ZrCov2Cor({4,2;2,9}, FALSE)", Table(2, 2, {1, 1.0 / 3, 1.0 / 3, 1})},
        {"ZrCov2Cor({4,2;2,-1}, FALSE)", kBad}, {"ZrCov2Cor({4,0;0,0}, FALSE)", kBad},  // variances not positive
        {"ZrCov2Cor({4,2,1;2,9,1}, FALSE)", kBad}, {"ZrCov2Cor(4, TRUE)", Table(2, 1, {2, 1})},
        {"ZrCor2Cov({2,3}, {1,0.5;0.5,1})", cov}, {"ZrCor2Cov({2;3}, {1,0.5;0.5,1})", cov},
        {"ZrCor2Cov({2,3,4}, {1,0.5;0.5,1})", kBad}, {"ZrCor2Cov(, {1,0.5;0.5,1})", kBad},
        {"ZrCor2Cov({2,3}, {1,0.5})", kBad}, {"ZrCor2Cov({1e200,1e200}, {1,0.5;0.5,1})", kBad},  // overflow
        {"ZrCor2Cov({-2,3}, {1,7;0,1})", Table(2, 2, {4, -42, 0, 9})},                        // nothing else checked
        {"ZrMultiCovarp({1,2;2,4;3,6}, TRUE)", Table(3, 2, {2, 4, 2.0 / 3, 4.0 / 3, 4.0 / 3, 8.0 / 3})},
        {"ZrMultiCovarp({1,2;2,4;3,6}, FALSE)", Table(2, 2, {2.0 / 3, 4.0 / 3, 4.0 / 3, 8.0 / 3})},
        {"ZrMultiCovarp({1;2}, TRUE)", Table(2, 1, {1.5, 0.25})}, {"ZrMultiCovarp(7, TRUE)", kBad},
        {"ZrMultiCorrel({1,5;2,5;3,5}, TRUE, TRUE)", Table(4, 2, {2, 5, std::sqrt(2.0 / 3), 0, 1, kNaN, kNaN, 1})},
        {"ZrMultiCorrel({1,2,3}, TRUE, TRUE)", kBad},  // one observation
        // Blank cells around the data do not count, unless a value outside touches it.
        {"ZrCov2Cor([4,2,;2,9,;,,], TRUE)", cor}, {"ZrCor2Cov([2;3;], [1,0.5,\"\";0.5,1,;,,])", cov},
        {"ZrMultiCovarp([,1;2,3], TRUE)", kBad},  // blank top-left: no data
        {"ZrMultiCovarp([1,2,;2,4.5,;3,6,9;4,7,;5,11,;,,], TRUE)", Expected("number for data")},
        // N vectors span at most N - 1 dimensions about their mean, N mirrored ones N / 2: too few.
        {"ZrRandMultiNorm(2, {1,0;0,1}, {0,0}, 0, 0, 0, FALSE, FALSE, TRUE)", kBad},
        {"ZrRandMultiNorm(3, {1,0,0;0,1,0;0,0,1}, {0,0,0}, 0, 0, 0, FALSE, FALSE, TRUE)", kBad},
        {"ZrRandMultiNorm(4, {1,0,0;0,1,0;0,0,1}, {0,0,0}, 0, 0, 0, FALSE, TRUE, TRUE)", kBad},
        {"ZrRandMultiNorm(1, 4, 1, 0, 0, 0, FALSE, FALSE, TRUE)", kBad},
        {"ZrRandMultiNorm(0, {4,2;2,9}, {1,2})", kBad}, {"ZrRandMultiNorm(3, {4,2;2,9}, )", kBad},
        {"ZrRandMultiNorm(3, {4,2;2,9}, {1,2,3})", kBad}, {"ZrRandMultiNorm(3, {1,0,0;0,1,0}, {1,2})", kBad},
        // With resampling the pre-pass would first draw two billion vectors (a hang hits the time limit).
        {"ZrRandMultiNorm(2147483647, 1, 0, 0, 0, 0, FALSE, FALSE, TRUE)", ErrorText("Index out of range")},
        // Conversion messages name the argument; the algorithm is checked first, the size after the
        // conversions; a non-finite text is no number.
        {"ZrRandMultiNorm(3, {4,2;2,9}, {1,2}, 3)", badAlgorithm},
        {"ZrRandMultiNorm(3, {1,\"x\";0,1}, {1,2}, -1)", badAlgorithm},
        {"ZrRandMultiNorm(3, {1,\"x\";0,1}, {1,2})", number}, {"ZrRandMultiNorm(0, {1,\"x\";0,1}, {1,2})", number},
        {"ZrRandMultiNorm(3, {\"nan\"}, 0)", number}, {"ZrCov2Cor({1,\"inf\";0,1}, TRUE)", number},
        {"ZrCov2Cor([4,2;2,], TRUE)", number}, {"ZrRandMultiNorm(3, , {1,2})", noCov}, {"ZrCov2Cor(, TRUE)", noCov},
        {"ZrMultiCorrel(, TRUE, TRUE)", noData}, {"ZrMultiCovarp(, TRUE)", noData},
        {"ZrRandMultiNorm(3, {4,2;2,9}, {4,2;2,9})", Expected("vector for mean")},
        {"ZrRandMultiNorm(3, {4,2;2,9}, {1,#N/A})", Expected("number for mean")},
        {"ZrCor2Cov({1,2;3,4}, {1})", Expected("vector for stdev")},
        {"ZrCor2Cov({\"a\",2}, {1})", Expected("number for stdev")},
        {"ZrCor2Cov({1,2}, )", Expected("at least 1 value for cor")},
        {"ZrCor2Cov({1,2}, {1,#N/A;0,1})", Expected("number for cor")},
        {"ZrMultiCorrel({1,2;3,#DIV/0!}, TRUE, TRUE)", Expected("number for data")},
        {"ZrMultiCovarp({1,2;\"3x\",4}, TRUE)", Expected("number for data")},
        {"ZrMultiCovarp({1,TRUE;\" 3 \",FALSE}, FALSE)", Table(2, 2, {1, -0.5, -0.5, 0.25})},  // these convert
    };
    for (const auto& c : cases) EXPECT_EQ(host_.Evaluate(c.formula), c.expected) << c.formula;
    // The blank cells of a selected range A1:C10 around data in A1:B5.
    const char* const data = "{1,2;2,4.5;3,6;4,7;5,11}", *range = "[1,2,;2,4.5,;3,6,;4,7,;5,11,;,,;,,;,,;,,;,,]";
    for (std::string f : {"ZrMultiCovarp(%, TRUE)", "ZrMultiCorrel(%, TRUE, TRUE)"}) {
        std::string inRange = f;
        inRange.replace(f.find('%'), 1, range), f.replace(f.find('%'), 1, data);
        EXPECT_EQ(host_.Evaluate(inRange), host_.Evaluate(f)) << inRange;
    }
}

// Correlation and covariance of the reference series, against 50-digit values.
TEST_P(MultivariateTest, MatrixStatisticsAgreeWithTheReference) {
    for (const SeriesCase& c : kSeriesCases) {
        std::vector<double> numbers;
        for (size_t t = 0; t < c.x.size(); ++t) numbers.insert(numbers.end(), {c.x[t], c.y[t]});
        const Value data = Table(int(c.x.size()), 2, numbers);
        const double n = double(c.x.size()), sx = std::sqrt(c.sxx / n), sy = std::sqrt(c.syy / n);
        const double r = c.sxy / std::sqrt(c.sxx * c.syy);
        EXPECT_TRUE(Near(host_.Call(u"ZrMultiCorrel", {data, Value::Bool(true), Value::Bool(true)}),
                         Table(4, 2, {c.meanX, c.meanY, sx, sy, 1, r, r, 1}), 2e-12)) << c.name;
        EXPECT_TRUE(Near(host_.Call(u"ZrMultiCovarp", {data, Value::Bool(false)}),
                         Table(2, 2, {c.sxx / n, c.sxy / n, c.sxy / n, c.syy / n}), 2e-12)) << c.name;
    }
}

// Every call gives the same vectors; resampled, they have exactly the requested moments.
TEST_P(MultivariateTest, ResamplingReproducesMeanAndCovariance) {
    for (const char* f : {"ZrRandMultiNorm(20, {4,2;2,9}, {1,2}, 2, -1, 5, TRUE, TRUE, FALSE)",
                          "ZrRandMultiNorm(20, {4,2;2,9}, {1,2}, 2, -1, 5, TRUE, TRUE, TRUE)"})
        EXPECT_EQ(host_.Evaluate(f), host_.Evaluate(f)) << f;
    EXPECT_TRUE(HasMoments("ZrRandMultiNorm(3, {4,2;2,9}, {1,2}, 0, 0, 0, FALSE, FALSE, TRUE)", {1, 2, 4, 2, 2, 9}));
    EXPECT_TRUE(HasMoments("ZrRandMultiNorm(5, {1,0,0;0,1,0;0,0,1}, {0,0,0}, 0, 3, 4, FALSE, TRUE, TRUE)",
                           {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}));  // 2n - 1 mirrored vectors suffice
    const std::string cov = "{2,0.5,0,-0.3;0.5,1,0.2,0;0,0.2,3,0.1;-0.3,0,0.1,0.5}, {-1,0,100,1e3}";
    const std::vector<double> moments = {-1, 0, 100, 1e3,  // the means, then the covariance
                                         2, 0.5, 0, -0.3, 0.5, 1, 0.2, 0, 0, 0.2, 3, 0.1, -0.3, 0, 0.1, 0.5};
    for (const char* size : {"5", "7", "50", "1000"})
        for (const char* algorithm : {"0", "1", "2"})
            for (const char* switches : {"FALSE, FALSE", "TRUE, FALSE", "FALSE, TRUE", "TRUE, TRUE"})
                // 2n - 1 = 7 mirrored vectors are the fewest that span 4 dimensions.
                if (size != std::string("5") || std::string(switches).ends_with("FALSE")) {
                    EXPECT_TRUE(HasMoments("ZrRandMultiNorm(" + std::string(size) + ", " + cov + ", " + algorithm +
                                           ", 3, 4, " + switches + ", TRUE)", moments));
                }
}

ZR_IN_BOTH_MODES(MultivariateTest);

// Excel never passes an argument wider than its own sheet, so the host cannot make these requests;
// the test program's own copies of the entries are called with hand-made records.

using Zr::Xll::XlBool;
extern "C" {
XLOPER12* ZrMultiCorrel_12(XLOPER12*, XlBool, XlBool);
XLOPER12* ZrMultiCovarp_12(XLOPER12*, XlBool);
XLOPER12* ZrCov2Cor_12(XLOPER12*, XlBool);
XLOPER12* ZrCor2Cov_12(XLOPER12*, XLOPER12*);
XLOPER12* ZrRandMultiNorm_12(int32_t, XLOPER12*, XLOPER12*, int16_t, int32_t, int32_t, XlBool, XlBool, XlBool);
XLOPER* ZrMultiCorrel_4(XLOPER*, XlBool, XlBool);
XLOPER* ZrMultiCovarp_4(XLOPER*, XlBool);
XLOPER* ZrCov2Cor_4(XLOPER*, XlBool);
XLOPER* ZrCor2Cov_4(XLOPER*, XLOPER*);
XLOPER* ZrRandMultiNorm_4(int32_t, XLOPER*, XLOPER*, int16_t, int32_t, int32_t, XlBool, XlBool, XlBool);
}

namespace {
bool OutOfRange(const XLOPER12* r) { return Zr::Host::ReadRecord12(*r) == ErrorText("Index out of range"); }
bool OutOfRange(const XLOPER* r) { return Zr::Host::ReadRecord4(*r) == ErrorText("Index out of range"); }

// A record viewing `cells`, made a rows x columns table of ones on the diagonal.
template <class R>
R* TableOf(std::vector<R>& cells, R& record, int rows, int columns) {
    cells.assign(size_t(rows) * size_t(columns), R{});
    for (size_t i = 0; i < cells.size(); ++i)
        cells[i] = {.val = {.num = double(i % (columns + 1) == 0)}, .xltype = xltypeNum};
    record.xltype = xltypeMulti;
    using Count = decltype(record.val.array.rows);  // 16 bits in a legacy record, 32 in an Excel 12 one
    record.val.array = {cells.data(), Count(rows), Count(columns)};
    return &record;
}

// One row or column beyond the sheet is refused before a generator is built, which would report its
// progress as the largest legacy column does; a square table is tried where it fits in memory.
template <class R>
void ExpectBeyondLimits(int maxRows, int maxColumns, auto correl, auto covarp, auto cov2cor, auto cor2cov,
                        auto multiNorm) {
    const XlBool no{0}, yes{1};
    std::vector<R> cells, rowCells;
    R record{}, rowRecord{}, one{.val = {.num = 1}, .xltype = xltypeNum};
    TraceCapture trace;
    EXPECT_TRUE(OutOfRange(multiNorm(maxRows + 1, &one, &one, 0, 0, 0, no, no, yes)));
    R* wide = TableOf(cells, record, 2, maxColumns + 1);
    EXPECT_TRUE(OutOfRange(correl(wide, yes, yes)));
    EXPECT_TRUE(OutOfRange(covarp(wide, no)));
    if (maxColumns <= 256) {
        R* square = TableOf(cells, record, maxColumns + 1, maxColumns + 1);
        R* row = TableOf(rowCells, rowRecord, 1, maxColumns + 1);
        EXPECT_TRUE(OutOfRange(cov2cor(square, no)));
        EXPECT_TRUE(OutOfRange(cor2cov(row, square)));
        EXPECT_TRUE(OutOfRange(multiNorm(10, square, row, 0, 0, 0, no, no, yes)));
    }
    EXPECT_TRUE(trace.Messages().empty());
    R* column = multiNorm(65535, &one, &one, 0, 0, 0, no, no, yes);
    EXPECT_EQ(column->xltype, xltypeMulti | xlbitDLLFree);
    Zr::Xll::FreeRecord(*column);
    EXPECT_FALSE(trace.Messages().empty());
}

}  // namespace

TEST(MultivariateBody, ResultsBeyondTheLimitsFailBeforeTheGenerator) {
    const bool saved = Zr::Xll::IsExcel12();
    Zr::Xll::SetIsExcel12(true);
    ExpectBeyondLimits<XLOPER12>(1048576, 16384, ZrMultiCorrel_12, ZrMultiCovarp_12, ZrCov2Cor_12, ZrCor2Cov_12,
                                 ZrRandMultiNorm_12);
    Zr::Xll::SetIsExcel12(false);
    ExpectBeyondLimits<XLOPER>(65535, 256, ZrMultiCorrel_4, ZrMultiCovarp_4, ZrCov2Cor_4, ZrCor2Cov_4,
                               ZrRandMultiNorm_4);
    Zr::Xll::SetIsExcel12(saved);
}

#if defined(__SANITIZE_ADDRESS__)
// Allocations beyond 4 GB fail here whatever the machine's memory, and fail as in Excel: with a null pointer.
extern "C" __attribute__((visibility("default"))) const char* __asan_default_options() {
    return "allocator_may_return_null=1:max_allocation_size_mb=4096";
}

// A result memory cannot hold (1,048,576 x 200) is refused before the generator draws: with resampling
// it would first draw the whole sample, for minutes.
TEST(MultivariateBody, UnallocatableResultFailsBeforeTheGenerator) {
    const bool saved = Zr::Xll::IsExcel12();
    Zr::Xll::SetIsExcel12(true);
    std::vector<XLOPER12> covCells, meanCells;
    XLOPER12 cov{}, mean{};
    TraceCapture trace;
    for (XlBool resampling : {XlBool{0}, XlBool{1}})
        EXPECT_TRUE(OutOfRange(ZrRandMultiNorm_12(1048576, TableOf(covCells, cov, 200, 200),
                                                  TableOf(meanCells, mean, 1, 200), 0, 0, 0, XlBool{0}, XlBool{0},
                                                  resampling)));
    EXPECT_TRUE(trace.Messages().empty());
    Zr::Xll::SetIsExcel12(saved);
}
#endif
