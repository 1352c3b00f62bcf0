#!/usr/bin/python3
"""Writes moments_reference.inc: the four moments of each distribution on a
grid of parameters and of known parameter sets that the fits must reproduce,
by mpmath at 60 digits from raw moments, cumulants, the normal's moment
generating function or quadrature; a moment that does not exist is None (NaN)."""
import os
import mpmath as mp
mp.mp.dps = 60
M = mp.mpf
def central(raw):  # the four moments from E[X^k], k = 1..4; NaN from the first that does not exist on
    m1, m2, m3, m4 = raw
    if m1 is None or m2 is None: return [m1, None, None, None]
    v = m2 - m1 ** 2
    skew = None if m3 is None else (m3 - 3 * m1 * m2 + 2 * m1 ** 3) / v ** M(1.5)
    kurt = None if m3 is None or m4 is None else (m4 - 4 * m1 * m3 + 6 * m1 ** 2 * m2 - 3 * m1 ** 4) / v ** 2 - 3
    return [m1, mp.sqrt(v), skew, kurt]
def from_cumulants(k1, k2, k3, k4): return [k1, mp.sqrt(k2), k3 / k2 ** M(1.5), k4 / k2 ** 2]
def beta(a, b):  # E[X^k] = prod_{j < k} (a + j) / (a + b + j)
    a, b, raw = M(a), M(b), [M(1)]
    for k in range(4): raw.append(raw[-1] * ((a + k) / (a + b + k)))
    return central(raw[1:])
def f_dist(n1, n2):  # only the moments below n2 / 2 exist
    n1, n2 = M(n1), M(n2)
    return central([(n2 / n1) ** k * mp.gamma(n1 / 2 + k) * mp.gamma(n2 / 2 - k) / (mp.gamma(n1 / 2) * mp.gamma(n2 / 2))
                    if n2 > 2 * k else None for k in range(1, 5)])
def johnson_su(g, d, lam, xi):  # X = xi + lam sinh(y), y = (Z - g)/d: E[sinh^k y] by the binomial expansion
    g, d = M(g), M(d)
    e = lambda t: mp.exp(-t * g / d + t ** 2 / (2 * d ** 2))  # E[exp(t y)]
    mean, sd, skew, kurt = central([sum(mp.binomial(k, j) * (-1) ** j * e(k - 2 * j) for j in range(k + 1)) / 2 ** k
                                    for k in range(1, 5)])
    return [xi + lam * mean, lam * sd, skew, kurt]
def by_quadrature(pdf, points):
    norm = mp.quad(pdf, points)
    return central([mp.quad(lambda x: x ** k * pdf(x), points) / norm for k in range(1, 5)])
def triangular(lo, hi, mode):
    lo, hi, mode = M(lo), M(hi), M(mode)
    return by_quadrature(lambda x: 2 * (x - lo) / ((hi - lo) * (mode - lo)) if x < mode
                         else 2 * (hi - x) / ((hi - lo) * (hi - mode)), [lo, mode, hi])
def trunc_norm(a, b, mu, sigma):
    a, b, mu, sigma = M(a), M(b), M(mu), M(sigma)
    inside = [x for x in (mu - 3 * sigma, mu, mu + 3 * sigma) if a < x < b]
    return by_quadrature(lambda x: mp.npdf((x - mu) / sigma), [a] + inside + [b])

MOMENT_GRID = {
    'Beta': (beta, [(a, b) for a in (0.5, 1, 2.5, 7) for b in (0.5, 1, 3, 13.25)]),
    'Chi': (lambda n: central([2 ** (M(k) / 2) * mp.gamma((M(n) + k) / 2) / mp.gamma(M(n) / 2) for k in range(1, 5)]),
            [(n,) for n in (1, 2, 3, 4, 5, 7, 10, 15, 16, 17, 25, 50, 100, 1000, 100000)]),
    'ChiSq': (lambda n: from_cumulants(*[2 ** (k - 1) * mp.factorial(k - 1) * n for k in range(1, 5)]),
              [(n,) for n in (1, 2, 3, 10, 99, 100000)]),
    'F': (f_dist, [(n1, n2) for n1 in (1, 3, 10, 250) for n2 in (3, 5, 7, 9, 10, 30, 1000)] + [(10, 46343)]),
    'Gamma': (lambda a, b: central([M(b) ** k * mp.gamma(M(a) + k) / mp.gamma(M(a)) for k in range(1, 5)]),
              [(a, b) for a in (0.25, 1, 4.5, 100) for b in (0.5, 2)]),
    'Gumbel': (lambda a, b: from_cumulants(a + mp.euler * b, mp.pi ** 2 * M(b) ** 2 / 6, 2 * mp.zeta(3) * M(b) ** 3,
                                           mp.pi ** 4 * M(b) ** 4 / 15), [(a, b) for a in (-3, 0, 12.5) for b in (0.1, 1, 4)]),
    'JohnsonSU': (johnson_su, [(g, d, 1.5, 2) for g in (-2, -0.5, 0, 0.3, 1.7) for d in (0.8, 1, 2.5, 6)]
                  + [(0.1, 1.3, 0.02, -7), (-1, 3, 250, 1000)]),
    'Logistic': (lambda m, b: from_cumulants(M(m), mp.pi ** 2 * M(b) ** 2 / 3, M(0), 2 * mp.pi ** 4 * M(b) ** 4 / 15),
                 [(m, b) for m in (-2, 0, 7.5) for b in (0.2, 1, 3)]),
    'LogNorm': (lambda m, s: central([mp.exp(k * M(m) + k ** 2 * M(s) ** 2 / 2) for k in range(1, 5)]),
                [(m, s) for m in (-1, 0, 2) for s in (0.001, 0.1, 0.5, 1, 1.5)]),
    'Poisson': (lambda lam: from_cumulants(*[M(lam)] * 4), [(lam,) for lam in (0.001, 0.5, 1, 7.3, 1000)]),
    'T': (lambda n: [M(0) if n > 1 else None, mp.sqrt(M(n) / (n - 2)) if n > 2 else None, M(0) if n > 3 else None,
                     6 / (M(n) - 4) if n > 4 else None], [(n,) for n in (2, 3, 4, 5, 6, 9, 30, 1000)]),
    'Triangular': (triangular, [(0, 1, 0.5), (0, 1, 0.1), (0, 1, 0.9), (-2, 5, 4), (10, 10.5, 10.01), (-7, -1, -6)]),
    'TruncNorm': (trunc_norm, [(a, b, mu, s) for (a, b) in ((-1, 1), (0, 3), (-2, 0.5)) for mu in (-0.5, 0, 1.2)
                               for s in (0.5, 1, 2)] + [(2, 4, 0, 1), (-10, 10, 1, 3)]),
    'Weibull': (lambda a, b: central([M(b) ** k * mp.gamma(1 + k / M(a)) for k in range(1, 5)]),
                [(a, b) for a in (0.5, 1, 1.5, 3.6, 8) for b in (0.5, 2)]),
}

# Known parameters whose moments each Param function must turn back into
# parameters that reproduce them: (parameters, the Param function's arguments).
FIT_GRID = {
    'Beta': [(a, b) for a in (0.5, 2, 7.5) for b in (0.8, 3)],
    'Gumbel': [(a, b) for a in (-2, 5) for b in (0.3, 2)],
    'Logistic': [(a, b) for a in (-2, 5) for b in (0.3, 2)],
    'LogNorm': [(m, s) for m in (-1, 0.5) for s in (0.05, 0.4, 1.2)],
    'Weibull': [(a, b) for a in (0.7, 1, 2, 3.6, 6) for b in (0.5, 3)],
    'Triangular': [(0, 1, 0.5), (0, 1, 0.2), (0, 1, 0.8), (-3, 4, 3.9), (-3, 4, -2.99), (5, 6, 5.37)],
    'TruncNorm': [(a, b, mu, s) for (a, b) in ((-1, 1), (0, 3)) for mu in (-0.5, 0.2, 1.1) for s in (0.4, 1, 1.8)],
    'JohnsonSU': [(g, d, lam, xi) for g in (-1.5, -0.2, 0, 0.7) for d in (0.9, 1.6, 4) for (lam, xi) in ((1, 0), (2.5, -3))],
}
REQUEST = {'Triangular': lambda p, m: m[:3], 'TruncNorm': lambda p, m: [M(p[0]), M(p[1])] + m[:2],
           'JohnsonSU': lambda p, m: m}
def row(family, params, values):
    c = lambda x: 'kNaN' if x is None else repr(float(x))
    return '    {"%s", {%s}, {%s}},' % (family, ', '.join(map(c, params)), ', '.join(map(c, values)))

if __name__ == '__main__':  # make_distributions_reference.py imports the moments
    lines = ['// Generated by make_moments_reference.py; do not edit.', '',
             '// Family, parameters; mean, standard deviation, skewness, excess kurtosis.',
             'const std::vector<MomentCase> kMomentCases = {']
    lines += [row(family, p, moments(*p)) for family, (moments, grid) in MOMENT_GRID.items() for p in grid]
    lines += ['};', '', '// Family, known parameters; the Param function\'s arguments (their moments).',
              'const std::vector<FitCase> kFitCases = {']
    lines += [row(family, p, REQUEST.get(family, lambda p, m: m[:2])(p, MOMENT_GRID[family][0](*p)))
              for family, grid in FIT_GRID.items() for p in grid]
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'moments_reference.inc'), 'w') as out:
        out.write('\n'.join(lines + ['};']) + '\n')
