// The worksheet functions on vectors and matrices: multivariate normal
// vectors (ZrRandMultiNorm), conversions between covariance and correlation
// matrices (ZrCov2Cor, ZrCor2Cov) and the covariance and correlation of data
// series (ZrMultiCovarp, ZrMultiCorrel; one observation per row, one series
// per column). Matrix and vector arguments arrive as Excel passes them and
// are read with the conversion messages that name the argument.

#include <cmath>

#include "functions/arguments.h"
#include "functions/random_arguments.h"
#include "math/covariance_conversion.h"
#include "math/random_multi_normal.h"
#include "math/series_statistics.h"
#include "xll/conversion.h"
#include "xll/function_wizard.h"

namespace Zr::Functions {

namespace {

using Math::Matrix;
using Math::StorageOrder;
using Math::Vector;

const CXlOper* Fail(CXlOper& result, ExcelErrorCode code) {
    result.SetError(code);
    return nullptr;
}

[[noreturn]] void IndexOutOfRange() { throw CXlOutOfRangeException(Xll::MSG_INDEX_OUT_OF_RANGE); }

// Called before the work whose cost grows with the result, so that a shape the host cannot take or
// memory cannot hold is refused at once.
CXlArrayWriter SizeResult(CXlOper& result, size_t rows, size_t columns) {
    if (!result.AllocArray(int64_t(rows), int64_t(columns))) IndexOutOfRange();
    return CXlArrayWriter(result);
}

// Rows firstRow.. of a result `columns` wide receive the block.
void WriteBlock(CXlArrayWriter& writer, size_t firstRow, const Matrix& block) {
    for (size_t i = 0; i < block.Rows(); ++i)
        for (size_t j = 0; j < block.Columns(); ++j)
            writer.SetDouble(int64_t((firstRow + i) * block.Columns() + j), block(i, j));
}

void CheckAllocated(bool allocated) {
    if (!allocated) throw CXlRuntimeException(Xll::MSG_MEMORY_ALLOCATION);
}

// A matrix argument (the empty matrix when its top-left cell is blank).
Matrix ReadMatrixArgument(const CXlOper& value, const char* name, StorageOrder order = StorageOrder::ROW_MAJOR) {
    const Xll::XlTable table = Xll::ReadMatrix(value, {name});
    Matrix m(size_t(table.rows), size_t(table.columns), order);
    CheckAllocated(m.Rows() == size_t(table.rows));
    for (int32_t r = 0; r < table.rows; ++r)
        for (int32_t c = 0; c < table.columns; ++c) m(size_t(r), size_t(c)) = table.At(r, c);
    return m;
}

Vector ReadVectorArgument(const CXlOper& value, const char* name) {
    const std::vector<double> values = Xll::ReadVector(value, {name});
    Vector v(values.size());
    CheckAllocated(v.Size() == values.size());
    for (size_t i = 0; i < values.size(); ++i) v[i] = values[i];
    return v;
}

bool IsSquare(const Matrix& m) { return !m.Empty() && m.Rows() == m.Columns(); }

// A table of observations, stored by column so that each series is contiguous.
Matrix ReadData(const CXlOper& data) { return ReadMatrixArgument(data, "data", StorageOrder::COLUMN_MAJOR); }

// R >= 2 observations of at least one series.
bool EnoughData(const Matrix& table) { return table.Columns() > 0 && table.Rows() >= 2; }

double Correlation(Math::ConstVectorView x, Math::ConstVectorView y) {
    const Math::Comoments c = Math::SeriesComoments(x, y);
    return c.sxy / (std::sqrt(c.syy * c.sxx / (c.n * c.n)) * c.n);
}

double PopulationCovariance(Math::ConstVectorView x, Math::ConstVectorView y) {
    const Math::Comoments c = Math::SeriesComoments(x, y);
    return c.sxy / c.n;
}

// The symmetric matrix of a statistic of pairs of series: the upper
// triangle computed (the diagonal too when withDiagonal, else 1.0 whatever
// the data), the lower triangle copied from it.
template <class Statistic>
Matrix PairMatrix(const Matrix& table, bool withDiagonal, Statistic statistic) {
    const size_t m = table.Columns();
    Matrix pairs(m, m);
    CheckAllocated(pairs.Rows() == m);
    for (size_t j = 0; j < m; ++j) {
        for (size_t i = 0; i < j; ++i) pairs(j, i) = pairs(i, j);
        if (!withDiagonal) pairs(j, j) = 1.0;
        for (size_t k = withDiagonal ? j : j + 1; k < m; ++k) pairs(j, k) = statistic(table.Column(j), table.Column(k));
    }
    return pairs;
}

}  // namespace

ZR_FUNCTION(ZrCor2Cov, u"Converts standard deviation vector and correlation matrix to covariance matrix.",
            kStdevVector, kCor)
const CXlOper* ZrCor2Cov(CXlOper& result, const CXlOper& stdev, const CXlOper& cor) {
    if (Xll::IsCalledFromFunctionWizard()) return Fail(result, xlerrNA);
    const Vector deviations = ReadVectorArgument(stdev, "stdev");
    const Matrix correlation = ReadMatrixArgument(cor, "cor");
    const size_t n = correlation.Rows();
    if (!IsSquare(correlation) || deviations.Size() != n) return Fail(result, xlerrValue);
    CXlArrayWriter writer = SizeResult(result, n, n);
    Matrix covariance(n, n);
    CheckAllocated(covariance.Rows() == n);
    if (!Math::CorToCov(correlation, deviations, covariance)) return Fail(result, xlerrValue);
    WriteBlock(writer, 0, covariance);
    return nullptr;
}

ZR_FUNCTION(ZrCov2Cor, u"Converts covariance matrix to standard deviation vector and correlation matrix.",
            kCov, kCalcStdev)
const CXlOper* ZrCov2Cor(CXlOper& result, const CXlOper& cov, XlBool calcStdev) {
    if (Xll::IsCalledFromFunctionWizard()) return Fail(result, xlerrNA);
    const Matrix covariance = ReadMatrixArgument(cov, "cov");
    const size_t n = covariance.Rows();
    if (!IsSquare(covariance)) return Fail(result, xlerrValue);
    const size_t s = calcStdev ? 1 : 0;
    CXlArrayWriter writer = SizeResult(result, n + s, n);
    Matrix correlation(n, n);
    Vector deviations(n);
    CheckAllocated(correlation.Rows() == n && deviations.Size() == n);
    if (!Math::CovToCor(covariance, correlation, deviations)) return Fail(result, xlerrValue);
    for (size_t j = 0; j < s * n; ++j) writer.SetDouble(int64_t(j), deviations[j]);
    WriteBlock(writer, s, correlation);
    return nullptr;
}

ZR_FUNCTION(ZrMultiCorrel, u"Returns mean vector, standard deviation vector and correlation matrix.",
            kData, kCalcMean, kCalcStdev)
const CXlOper* ZrMultiCorrel(CXlOper& result, const CXlOper& data, XlBool calcMean, XlBool calcStdev) {
    if (Xll::IsCalledFromFunctionWizard()) return Fail(result, xlerrNA);
    const Matrix table = ReadData(data);
    if (!EnoughData(table)) return Fail(result, xlerrValue);
    const size_t m = table.Columns(), a = calcMean ? 1 : 0, s = calcStdev ? 1 : 0;
    CXlArrayWriter writer = SizeResult(result, m + a + s, m);
    for (size_t j = 0; j < m; ++j) {
        if (a) writer.SetDouble(int64_t(j), Math::SeriesMean(table.Column(j)));
        if (s) writer.SetDouble(int64_t(a * m + j), std::sqrt(Math::SeriesVariance(table.Column(j))));
    }
    WriteBlock(writer, a + s, PairMatrix(table, false, Correlation));
    return nullptr;
}

ZR_FUNCTION(ZrMultiCovarp, u"Returns mean vector and covariance matrix.", kData, kCalcMean)
const CXlOper* ZrMultiCovarp(CXlOper& result, const CXlOper& data, XlBool calcMean) {
    if (Xll::IsCalledFromFunctionWizard()) return Fail(result, xlerrNA);
    const Matrix table = ReadData(data);
    if (!EnoughData(table)) return Fail(result, xlerrValue);
    const size_t m = table.Columns(), a = calcMean ? 1 : 0;
    CXlArrayWriter writer = SizeResult(result, m + a, m);
    for (size_t j = 0; a && j < m; ++j) writer.SetDouble(int64_t(j), Math::SeriesMean(table.Column(j)));
    WriteBlock(writer, a, PairMatrix(table, true, PopulationCovariance));
    return nullptr;
}

ZR_FUNCTION(ZrRandMultiNorm,
            u"Returns multivariate normal pseudo random number(s) based on Mersenne Twister algorithm.",
            kSize, kCovMultiNorm, kMeanVector, kAlgorithm, kSeed1,
            kSeed2, kUseInvertFunc, kUseAntithetic, kUseResampling)
const CXlOper* ZrRandMultiNorm(CXlOper& result, int32_t size, const CXlOper& cov, const CXlOper& mean,
                               int16_t algorithm, int32_t seed1, int32_t seed2, XlBool useInvertFunc,
                               XlBool useAntithetic, XlBool useResampling) {
    AlgorithmValues().Check(algorithm, "algorithm");
    if (Xll::IsCalledFromFunctionWizard()) return Fail(result, xlerrNA);
    const Matrix covariance = ReadMatrixArgument(cov, "cov");
    const Vector means = ReadVectorArgument(mean, "mean");
    const Math::UniformGeneratorType type = AlgorithmToGeneratorType(algorithm);
    const size_t n = means.Size();
    if (size < 1 || n == 0 || n != covariance.Rows() || n != covariance.Columns()) return Fail(result, xlerrValue);
    // Before Init: with resampling it draws the whole sample once.
    CXlArrayWriter writer = SizeResult(result, size_t(size), n);
    Math::RandomMultiNormal generator;
    const Math::ResamplingMode resampling = useResampling ? Math::ENABLE_RESAMPLING_TYPE2 : Math::DISABLED;
    if (!generator.Init(means, covariance, bool(useInvertFunc), bool(useAntithetic), resampling, size,
                        uint32_t(seed1), uint32_t(seed2), type, true))
        return Fail(result, xlerrValue);
    Vector out(n), z(n);
    CheckAllocated(out.Size() == n && z.Size() == n);
    for (int64_t k = 0; k < size; ++k) {
        generator.Next(out, z);
        for (size_t j = 0; j < n; ++j) writer.SetDouble(k * int64_t(n) + int64_t(j), out[j]);
    }
    return nullptr;
}

}  // namespace Zr::Functions
