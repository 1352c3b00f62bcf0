#include "math/series_statistics.h"

#include <limits>

namespace Zr::Math {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The first index whose value differs from x[0] (NaN compares unequal), or
// the length when the series is constant. Needs a non-empty series.
size_t FirstChange(ConstVectorView x) noexcept {
    size_t p = 1;
    while (p < x.Size() && x[p] == x[0]) ++p;
    return p;
}

// The mean of a series whose first change is at p: the leading run enters
// the sum as one product, and a constant series is its first value.
double MeanFrom(ConstVectorView x, size_t p) noexcept {
    if (p == x.Size()) return x[0];
    double sum = x[0] * double(p);
    for (size_t t = p; t < x.Size(); ++t) sum += x[t];
    return sum / double(x.Size());
}

double SquaredDeviations(ConstVectorView x, double mean) noexcept {
    double sum = 0.0;
    for (size_t t = 0; t < x.Size(); ++t) sum += (x[t] - mean) * (x[t] - mean);
    return sum;
}

}  // namespace

double SeriesMean(ConstVectorView x) noexcept { return x.Empty() ? kNaN : MeanFrom(x, FirstChange(x)); }

double SeriesVariance(ConstVectorView x) noexcept {
    if (x.Empty()) return kNaN;
    const size_t p = FirstChange(x);
    if (p == x.Size()) return 0.0;
    return SquaredDeviations(x, MeanFrom(x, p)) / double(x.Size());
}

Comoments SeriesComoments(ConstVectorView x, ConstVectorView y) noexcept {
    Comoments m;
    m.n = double(x.Size());
    if (x.Empty()) {
        m.meanX = m.meanY = m.sxx = m.syy = m.sxy = kNaN;
        return m;
    }
    const size_t px = FirstChange(x), py = FirstChange(y);
    const bool xVaries = px < x.Size(), yVaries = py < y.Size();
    m.meanX = MeanFrom(x, px);
    m.meanY = MeanFrom(y, py);
    if (xVaries && yVaries) {
        for (size_t t = 0; t < x.Size(); ++t) {
            const double dx = x[t] - m.meanX, dy = y[t] - m.meanY;
            m.sxx += dx * dx;
            m.syy += dy * dy;
            m.sxy += dy * dx;
        }
    } else if (xVaries) {
        m.sxx = SquaredDeviations(x, m.meanX);
    } else if (yVaries) {
        m.syy = SquaredDeviations(y, m.meanY);
    }
    return m;
}

}  // namespace Zr::Math
