#!/usr/bin/env python3
"""Writes distributions_worksheet_reference.inc and distributions_math_reference.inc:
the distribution and inverse worksheet functions on a grid of ordinary arguments
and the numerics beneath them, by mpmath at 40 digits from the textbook
definitions; the chi density is the add-in's formula with its Lanczos log-gamma
at full precision, the true one is written separately. Run with /usr/bin/python3."""
import os
import sys
import mpmath as mp
sys.dont_write_bytecode = True  # no __pycache__ beside the scripts
from make_moments_reference import MOMENT_GRID, johnson_su  # textbook moments, at 60 digits

mp.mp.dps = 40
M, HALF = mp.mpf, mp.mpf(1) / 2
phi, Phi = mp.npdf, mp.ncdf
LANCZOS = [M('76.18009172947146'), M('-86.50532032941678'), M('24.01409824083091'),
           M('-1.231739572450155'), M('0.001208650973866179'), M('-5.395239384953e-06')]
def lanczos_loggamma(x):
    x = M(x)
    s = M('1.000000000190015') + sum(c / (x + i + 1) for i, c in enumerate(LANCZOS))
    return mp.log(M('2.5066282746310007') * s / x) - (x + M('5.5') - (x + HALF) * mp.log(x + M('5.5')))
def invert(cdf, p, lo, hi):  # the x in [lo, hi] where the increasing cdf reaches p
    p, lo, hi = M(p), M(lo), M(hi)
    for _ in range(220):  # bisection: slow but sure
        mid = (lo + hi) / 2
        lo, hi = (mid, hi) if cdf(mid) < p else (lo, mid)
    return (lo + hi) / 2
def norm_inv(p):  # 2p - 1 must keep the digits of a tiny p
    with mp.workdps(40 + max(0, int(-mp.log10(p)))):
        return +(mp.sqrt(2) * mp.erfinv(2 * M(p) - 1))

# Each distribution: (cdf, pdf) of the worksheet arguments and a quantile.
def beta_cdf(x, a, b): return mp.betainc(a, b, 0, x, regularized=True)
def beta_pdf(x, a, b): return x ** (a - 1) * (1 - x) ** (b - 1) / mp.beta(a, b)
def chisq_cdf(x, n): return mp.gammainc(M(n) / 2, 0, M(x) / 2, regularized=True)
def chisq_pdf(x, n): k = M(n) / 2; return M(x) ** (k - 1) * mp.exp(-M(x) / 2) / (mp.gamma(k) * 2 ** k)
def f_cdf(x, n1, n2): return mp.betainc(M(n1) / 2, M(n2) / 2, 0, n1 * M(x) / (n1 * M(x) + n2), regularized=True)
def f_pdf(x, n1, n2):
    x = M(x)
    return mp.sqrt((n1 * x) ** n1 * n2 ** n2 / (n1 * x + n2) ** (n1 + n2)) / (x * mp.beta(M(n1) / 2, M(n2) / 2))
def gamma_cdf(x, a, b): return mp.gammainc(a, 0, M(x) / b, regularized=True)
def gamma_pdf(x, a, b): return M(x) ** (a - 1) * mp.exp(-M(x) / b) / (mp.gamma(a) * M(b) ** a)
def t_cdf(x, n):
    x = M(x); tail = mp.betainc(M(n) / 2, HALF, 0, n / (n + x * x), regularized=True) / 2
    return 1 - tail if x > 0 else tail
def t_pdf(x, n): return mp.gamma((n + 1) * HALF) / (mp.sqrt(n * mp.pi) * mp.gamma(M(n) / 2)) * (1 + M(x) ** 2 / n) ** (-(n + 1) * HALF)
def chi_cdf(x, n): return chisq_cdf(M(x) ** 2, n)
def chi_pdf_true(x, n): k = M(n) / 2; return M(x) ** (n - 1) * mp.exp(-M(x) ** 2 / 2) / (mp.gamma(k) * 2 ** (k - 1))
def chi_pdf_formula(x, n):
    k = M(n) / 2
    return mp.exp((n - 1) * mp.log(x) - M(x) ** 2 / 2 - lanczos_loggamma(k) - (k - 1) * mp.log(2))
def gumbel_z(x, a, b): return (M(x) - a) / b
def gumbel_cdf(x, a, b): return mp.exp(-mp.exp(-gumbel_z(x, a, b)))
def gumbel_pdf(x, a, b): z = gumbel_z(x, a, b); return mp.exp(-z - mp.exp(-z)) / b
def logistic_cdf(x, m, b): return 1 / (1 + mp.exp(-(M(x) - m) / b))
def logistic_pdf(x, m, b): e = mp.exp(-(M(x) - m) / b); return e / (b * (1 + e) ** 2)
def lognorm_cdf(x, m, s): return Phi((mp.log(x) - m) / s)
def lognorm_pdf(x, m, s): return phi((mp.log(x) - m) / s) / (s * x)
def poisson_cdf(k, lam): return mp.gammainc(k + 1, lam, mp.inf, regularized=True)
def poisson_pdf(k, lam): return mp.exp(-M(lam)) * M(lam) ** k / mp.factorial(k)
def tri_cdf(x, lo, hi, mo):
    x = M(x); return (x - lo) ** 2 / ((hi - lo) * (mo - lo)) if x <= mo else 1 - (hi - x) ** 2 / ((hi - lo) * (hi - mo))
def tri_pdf(x, lo, hi, mo):
    x = M(x)
    if x == mo: return M(2) / (hi - lo)
    return 2 * (x - lo) / ((hi - lo) * (mo - lo)) if x < mo else 2 * (hi - x) / ((hi - lo) * (hi - mo))
def tri_inv(p, lo, hi, mo):
    p = M(p); c = (M(mo) - lo) / (hi - lo)
    return lo + mp.sqrt(p * (hi - lo) * (mo - lo)) if p <= c else hi - mp.sqrt((1 - p) * (hi - lo) * (hi - mo))
def weibull_cdf(x, a, b): return -mp.expm1(-(M(x) / b) ** a)
def weibull_pdf(x, a, b): return M(a) / b * (M(x) / b) ** (a - 1) * mp.exp(-(M(x) / b) ** a)
def weibull_inv(p, a, b): return b * (-mp.log1p(-M(p))) ** (1 / M(a))
def trunc_cdf(x, lo, hi, mu, s):
    return (Phi((M(x) - mu) / s) - Phi((M(lo) - mu) / s)) / (Phi((M(hi) - mu) / s) - Phi((M(lo) - mu) / s))
def trunc_pdf(x, lo, hi, mu, s):
    return phi((M(x) - mu) / s) / s / (Phi((M(hi) - mu) / s) - Phi((M(lo) - mu) / s))
def trunc_inv(p, lo, hi, mu, s):
    with mp.workdps(80):  # the upper tail needs the extra digits
        a, b = Phi((M(lo) - mu) / s), Phi((M(hi) - mu) / s)
        return mp.sqrt(2) * mp.erfinv(2 * (a + (b - a) * p) - 1) * s + mu
def johnson_z(x, g, d, l, xi): return g + d * mp.asinh((M(x) - xi) / l)
def johnson_cdf(x, g, d, l, xi): return Phi(johnson_z(x, g, d, l, xi))
def johnson_pdf(x, g, d, l, xi):
    u = (M(x) - xi) / l
    return d / (l * mp.sqrt(u * u + 1)) * phi(johnson_z(x, g, d, l, xi))
def johnson_inv(p, g, d, l, xi): return xi + l * mp.sinh((norm_inv(p) - g) / d)
def binorm_cdf(a, b, r):
    a, b, r = M(a), M(b), M(r)
    s = mp.sqrt(1 - r * r)
    return mp.quad(lambda x: phi(x) * Phi((b - r * x) / s), [-mp.inf, min(a, 0), a] if a > 0 else [-mp.inf, a])
def binorm_pdf(a, b, r):
    a, b, r = M(a), M(b), M(r)
    return mp.exp(-(a * a - 2 * r * a * b + b * b) / (2 * (1 - r * r))) / (2 * mp.pi * mp.sqrt(1 - r * r))
def poisson_inv(p, lam):  # Boost's integer_round_outwards: down below 0.5, up above
    k = 0
    while (poisson_cdf(k + 1, lam) <= p) if p < 0.5 else (poisson_cdf(k, lam) < p): k += 1
    return k

rows = []  # (function, args, expected)
def dist(name, cdf, pdf, xs, params):  # the distribution function (1) and the density (0) at each x
    rows.extend((name, (x,) + ps + (c,), (cdf if c else pdf)(x, *ps))
                for ps in params for x in (xs(*ps) if callable(xs) else xs) for c in (1, 0))
def inv(name, quantile, probs, params): rows.extend((name, (p,) + ps, quantile(p, *ps)) for ps in params for p in probs)

P = [0.001, 0.05, 0.3, 0.5, 0.72, 0.95, 0.999]
dist('ZrBetaDist', beta_cdf, beta_pdf, [0.05, 0.3, 0.5, 0.77, 0.95], [(0.5, 0.5), (2.0, 3.0), (5.0, 1.5), (0.8, 4.0)])
inv('ZrBetaInv', lambda p, a, b: invert(lambda x: beta_cdf(x, a, b), p, 1e-30, 1 - M(10) ** -30), P,
    [(0.5, 0.5), (2.0, 3.0), (5.0, 1.5), (0.8, 4.0)])
dist('ZrChiSqDist', chisq_cdf, chisq_pdf, [0.1, 0.9, 2.5, 7.0, 15.0], [(1,), (2,), (5,), (12,)])
inv('ZrChiSqDistInv', lambda p, n: invert(lambda x: chisq_cdf(x, n), p, 1e-30, 200), P, [(1,), (2,), (5,), (12,)])
inv('ZrChiDistInv', lambda p, n: mp.sqrt(invert(lambda x: chisq_cdf(x, n), p, 1e-30, 200)), P, [(1,), (3,), (8,)])
dist('ZrChiDist', chi_cdf, chi_pdf_formula, [0.2, 1.0, 1.7, 3.0, 5.5], [(1,), (2,), (3,), (10,), (40,)])
rows.append(('ZrChiDist', (16.0, 260, 0), chi_pdf_formula(16, 260)))
rows.append(('ZrChiDist', (16.0, 260, 1), chi_cdf(16, 260)))
dist('ZrFDist', f_cdf, f_pdf, [0.2, 0.8, 1.5, 4.0], [(1, 1), (3, 7), (10, 20)])
inv('ZrFDistInv', lambda p, a, b: invert(lambda x: f_cdf(x, a, b), p, 1e-30, 1e6), P[1:-1], [(3, 7), (10, 20)])
dist('ZrGammaDist', gamma_cdf, gamma_pdf, [0.1, 0.9, 2.5, 7.0], [(0.7, 1.0), (3.0, 0.5), (10.0, 2.0)])
inv('ZrGammaDistInv', lambda p, a, b: invert(lambda x: gamma_cdf(x, a, b), p, 1e-300, 500), P,
    [(0.7, 1.0), (3.0, 0.5), (10.0, 2.0)])
dist('ZrGumbelDist', gumbel_cdf, gumbel_pdf, lambda a, b: [a - 2 * b, a - 0.3 * b, a, a + 1.1 * b, a + 4 * b],
     [(0.0, 1.0), (2.0, 0.5), (-1.0, 3.0)])
inv('ZrGumbelInv', lambda p, a, b: a - b * mp.log(-mp.log(p)), P, [(0.0, 1.0), (2.0, 0.5), (-1.0, 3.0)])
JSU = [(0.0, 1.0, 1.0, 0.0), (0.5, 2.0, 1.5, -1.0), (-1.2, 0.8, 0.5, 2.0)]
dist('ZrJohnsonSUDist', johnson_cdf, johnson_pdf, [-3.0, -0.4, 0.0, 1.3, 6.0], JSU)
inv('ZrJohnsonSUInv', johnson_inv, P, JSU)
dist('ZrLogisticDist', logistic_cdf, logistic_pdf, [-4.0, -0.5, 0.0, 1.25, 9.0], [(0.0, 1.0), (1.5, 0.3), (-2.0, 4.0)])
inv('ZrLogisticInv', lambda p, m, b: m + b * mp.log(M(p) / (1 - M(p))), P, [(0.0, 1.0), (1.5, 0.3), (-2.0, 4.0)])
dist('ZrLogNormDist', lognorm_cdf, lognorm_pdf, [0.05, 0.6, 1.0, 2.2, 9.0], [(0.0, 1.0), (1.0, 0.25), (-0.5, 2.0)])
inv('ZrLogNormInv', lambda p, m, s: mp.exp(norm_inv(p) * s + m), P, [(0.0, 1.0), (1.0, 0.25), (-0.5, 2.0)])
dist('ZrNormDist', Phi, phi, [-6.5, -2.0, -0.3, 0.0, 0.8, 3.0, 7.5], [()])
inv('ZrNormInv', norm_inv, [1e-300, 1e-10] + P + [1 - 1e-12], [()])
for lam in (0.5, 3.0, 12.5):
    dist('ZrPoissonDist', poisson_cdf, poisson_pdf, (0, 1, 3, 7, 20), [(lam,)])
    inv('ZrPoissonDistInv', lambda p, lam: M(poisson_inv(p, lam)), (0.3, 0.45, 0.6, 0.9, 0.999), [(lam,)])
dist('ZrTDist', t_cdf, t_pdf, [-5.0, -1.2, 0.0, 0.4, 2.5, 30.0], [(1,), (2,), (5,), (30,)])
def t_inv(p, n): return M(0) if p == 0.5 else invert(lambda x: t_cdf(x, n), p, -1e5, 1e5)
inv('ZrTDistInv', t_inv, P[1:-1], [(1,), (2,), (5,), (30,)])
inv('ZrTDistInv', t_inv, [0.001, 0.999], [(5,), (30,)])
TRI = [(0.0, 4.0, 1.0), (-2.0, 3.0, 3.0), (1.0, 2.0, 1.5)]
dist('ZrTriangularDist', tri_cdf, tri_pdf, lambda lo, hi, mo: [lo + (hi - lo) * f for f in (0.1, 0.45, 0.8)], TRI)
inv('ZrTriangularInv', tri_inv, P, TRI)
TN = [(-1.0, 2.0, 0.5, 1.5), (0.0, 1.0, 3.0, 0.5), (2.0, 5.0, 0.0, 1.0), (10.0, 11.0, 0.0, 1.0),
      (0.0, 100.0, 50.0, 5.0)]
dist('ZrTruncNormDist', trunc_cdf, trunc_pdf, lambda lo, hi, mu, s: [lo, lo + (hi - lo) * 0.37, hi], TN)
inv('ZrTruncNormInv', trunc_inv, [0.001, 0.3, 0.5, 0.9], TN)
dist('ZrWeibullDist', weibull_cdf, weibull_pdf, [0.05, 0.5, 1.0, 2.7], [(0.6, 1.0), (2.0, 1.5), (5.0, 0.8)])
inv('ZrWeibullInv', weibull_inv, P, [(0.6, 1.0), (2.0, 1.5), (5.0, 0.8)])
dist('ZrBiNormDist', binorm_cdf, binorm_pdf,
     [-2.5, -0.7, 0.0, 1.3], [(-0.4, -0.95), (0.9, -0.3), (-1.1, 0.0), (0.6, 0.5), (2.0, 0.97)])

def trunc_moments(lo, hi, mu, s):
    with mp.workdps(80):
        z = Phi((M(hi) - mu) / s) - Phi((M(lo) - mu) / s)
        mean = mp.quad(lambda x: M(x) * phi((x - mu) / s) / s / z, [lo, hi])
        c = [mp.quad(lambda x: (x - mean) ** k * phi((x - mu) / s) / s / z, [lo, hi]) for k in range(5)]
        return mean, c[2], c[3] / c[2] ** M(1.5), c[4] / c[2] ** 2 - 3
def num(x):
    x = mp.mpf(x)
    if mp.isnan(x): return 'kNaN'
    if mp.isinf(x): return 'kInf' if x > 0 else '-kInf'
    return mp.nstr(x, 17, min_fixed=-mp.inf, max_fixed=mp.inf) if x == int(x) and abs(x) < 1e15 else mp.nstr(x, 17)
def write(name, lines):
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), name), 'w') as f:
        f.write('\n'.join(['// Written by make_distributions_reference.py; do not edit.', ''] + lines + ['};']) + '\n')
def at60(moments, *params):
    with mp.workdps(60): return moments(*params)
def row(*values): return '    {%s},' % ', '.join(map(num, values))

write('distributions_worksheet_reference.inc', ['const std::vector<WorksheetCase> kWorksheetCases = {'] +
      ['    {"%s", {%s}, %s},' % (name, ', '.join(map(num, args)), num(expected)) for name, args, expected in rows])
write('distributions_math_reference.inc', [
    '// x, ln Gamma(x), its derivative.', 'const std::vector<std::array<double, 3>> kLogGammaCases = {'] +
    [row(x, mp.loggamma(x), mp.digamma(x)) for x in (0.1, 0.5, 1.0, 2.5, 7.0, 33.3, 171.0, 1e4)] +
    ['};', '', '// x, n, the true chi density.', 'const std::vector<std::array<double, 3>> kChiDensityCases = {'] +
    [row(x, n, chi_pdf_true(x, n)) for x, n in ((0.2, 1), (1.0, 2), (1.7, 3), (3.0, 10), (5.5, 40), (16.0, 260),
                                                (10.4, 304), (30.0, 900))] +
    ['};', '', '// Moment cases: parameters, then mean, standard deviation, skewness, excess kurtosis.',
     'const std::vector<std::array<double, 5>> kChiMomentCases = {'] +
    [row(n, *at60(MOMENT_GRID['Chi'][0], n)) for n in (1, 2, 3, 5, 10, 15, 16, 20, 50, 100, 1000, 10 ** 5, 10 ** 7, 2147483647)] +
    ['};', 'const std::vector<std::array<double, 6>> kWeibullMomentCases = {'] +
    [row(a, b, *at60(MOMENT_GRID['Weibull'][0], a, b)) for a, b in ((0.5, 1.0), (1.5, 2.0), (3.6, 0.7), (10.0, 5.0))] +
    ['};', '// The standard deviation column holds the variance.',
     'const std::vector<std::array<double, 8>> kTruncNormMomentCases = {'] +
    [row(*ps, *trunc_moments(*ps)) for ps in TN + [(-3.0, -2.0, 0.0, 1.0), (0.0, 1.0, 0.5, 0.2)]] +
    ['};', 'const std::vector<std::array<double, 8>> kJohnsonSUMomentCases = {'] +
    [row(*ps, *at60(johnson_su, *ps)) for ps in JSU + [(2.0, 1.5, 1.0, 0.0), (-0.3, 3.0, 2.0, 1.0)]])
