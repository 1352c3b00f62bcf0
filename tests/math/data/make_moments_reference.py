#!/usr/bin/python3
"""Writes moments_reference.inc: the mean, standard deviation, skewness and
excess kurtosis of each distribution on a grid of parameters, and the
moments of known parameter sets that the parameter fits must reproduce.

Every moment is computed with mpmath at 60 significant digits from its
textbook definition, independently of the add-in's formulas: raw moments
(beta, chi, F, gamma, log-normal, Student's t, Weibull), cumulants (chi-square,
Gumbel, logistic, Poisson), the moment generating function of the normal
(Johnson SU) or numerical integration of the density (triangular, truncated
normal). A moment that does not exist is written as NaN.
Run with /usr/bin/python3 from any directory.
"""
import os

import mpmath as mp

mp.mp.dps = 60
M = mp.mpf
NAN = None


def central(raw):
    """Mean, standard deviation, skewness, excess kurtosis from E[X^k], k = 1..4;
    NaN from the first raw moment that does not exist on."""
    m1, m2, m3, m4 = raw
    if m1 is NAN:
        return [NAN] * 4
    if m2 is NAN:
        return [m1] + [NAN] * 3
    v = m2 - m1 ** 2
    out = [m1, mp.sqrt(v)]
    out.append(NAN if m3 is NAN else (m3 - 3 * m1 * m2 + 2 * m1 ** 3) / v ** M(1.5))
    out.append(NAN if m3 is NAN or m4 is NAN else (m4 - 4 * m1 * m3 + 6 * m1 ** 2 * m2 - 3 * m1 ** 4) / v ** 2 - 3)
    return out


def from_cumulants(k1, k2, k3, k4):
    return [k1, mp.sqrt(k2), k3 / k2 ** M(1.5), k4 / k2 ** 2]


def beta(a, b):
    a, b = M(a), M(b)
    raw, p = [], M(1)
    for k in range(4):
        p *= (a + k) / (a + b + k)
        raw.append(p)
    return central(raw)


def chi(n):
    return central([2 ** (M(k) / 2) * mp.gamma((M(n) + k) / 2) / mp.gamma(M(n) / 2) for k in range(1, 5)])


def chisq(n):
    return from_cumulants(*[2 ** (k - 1) * mp.factorial(k - 1) * n for k in range(1, 5)])


def f_dist(n1, n2):
    """Only the moments below n2 / 2 exist."""
    n1, n2 = M(n1), M(n2)
    raw = [(n2 / n1) ** k * mp.gamma(n1 / 2 + k) * mp.gamma(n2 / 2 - k) / (mp.gamma(n1 / 2) * mp.gamma(n2 / 2))
           if n2 > 2 * k else NAN for k in range(1, 5)]
    return central(raw)


def gamma_dist(a, b):
    a, b = M(a), M(b)
    return central([b ** k * mp.gamma(a + k) / mp.gamma(a) for k in range(1, 5)])


def gumbel(a, b):
    a, b = M(a), M(b)
    return from_cumulants(a + mp.euler * b, mp.pi ** 2 * b ** 2 / 6, 2 * mp.zeta(3) * b ** 3,
                          mp.pi ** 4 * b ** 4 / 15)


def johnson_su(g, d, lam, xi):
    """X = xi + lam sinh((Z - g)/d): E[exp(t (Z - g)/d)] = exp(-t g/d + t^2/(2 d^2))."""
    g, d, lam, xi = M(g), M(d), M(lam), M(xi)

    def e(t):
        return mp.exp(-t * g / d + t ** 2 / (2 * d ** 2))

    def sinh_power(k):  # E[sinh^k] by the binomial expansion of (e^y - e^-y)^k / 2^k
        return sum(mp.binomial(k, j) * (-1) ** j * e(k - 2 * j) for j in range(k + 1)) / 2 ** k

    raw_y = [sinh_power(k) for k in range(1, 5)]
    mean, sd, skew, kurt = central(raw_y)
    return [xi + lam * mean, lam * sd, skew, kurt]


def logistic(m, b):
    m, b = M(m), M(b)
    return from_cumulants(m, mp.pi ** 2 * b ** 2 / 3, M(0), 2 * mp.pi ** 4 * b ** 4 / 15)


def lognorm(m, s):
    m, s = M(m), M(s)
    return central([mp.exp(k * m + k ** 2 * s ** 2 / 2) for k in range(1, 5)])


def poisson(lam):
    lam = M(lam)
    return from_cumulants(lam, lam, lam, lam)


def student_t(n):
    n = M(n)
    return [M(0) if n > 1 else NAN, mp.sqrt(n / (n - 2)) if n > 2 else NAN, M(0) if n > 3 else NAN,
            6 / (n - 4) if n > 4 else NAN]


def by_quadrature(pdf, lo, hi, points):
    raw = [mp.quad(lambda x: x ** k * pdf(x), points) for k in range(1, 5)]
    norm = mp.quad(pdf, points)
    return central([r / norm for r in raw])


def triangular(lo, hi, mode):
    lo, hi, mode = M(lo), M(hi), M(mode)

    def pdf(x):
        return 2 * (x - lo) / ((hi - lo) * (mode - lo)) if x < mode else 2 * (hi - x) / ((hi - lo) * (hi - mode))

    return by_quadrature(pdf, lo, hi, [lo, mode, hi])


def trunc_norm(a, b, mu, sigma):
    a, b, mu, sigma = M(a), M(b), M(mu), M(sigma)
    inside = [x for x in (mu - 3 * sigma, mu, mu + 3 * sigma) if a < x < b]
    return by_quadrature(lambda x: mp.npdf((x - mu) / sigma), a, b, [a] + inside + [b])


def weibull(a, b):
    a, b = M(a), M(b)
    return central([b ** k * mp.gamma(1 + k / a) for k in range(1, 5)])


MOMENT_GRID = {
    'Beta': (beta, [(a, b) for a in (0.5, 1, 2.5, 7) for b in (0.5, 1, 3, 13.25)]),
    'Chi': (chi, [(n,) for n in (1, 2, 3, 4, 5, 7, 10, 15, 16, 17, 25, 50, 100, 1000, 100000)]),
    'ChiSq': (chisq, [(n,) for n in (1, 2, 3, 10, 99, 100000)]),
    'F': (f_dist, [(n1, n2) for n1 in (1, 3, 10, 250) for n2 in (3, 5, 7, 9, 10, 30, 1000)] + [(10, 46343)]),
    'Gamma': (gamma_dist, [(a, b) for a in (0.25, 1, 4.5, 100) for b in (0.5, 2)]),
    'Gumbel': (gumbel, [(a, b) for a in (-3, 0, 12.5) for b in (0.1, 1, 4)]),
    'JohnsonSU': (johnson_su, [(g, d, 1.5, 2) for g in (-2, -0.5, 0, 0.3, 1.7) for d in (0.8, 1, 2.5, 6)]
                  + [(0.1, 1.3, 0.02, -7), (-1, 3, 250, 1000)]),
    'Logistic': (logistic, [(m, b) for m in (-2, 0, 7.5) for b in (0.2, 1, 3)]),
    'LogNorm': (lognorm, [(m, s) for m in (-1, 0, 2) for s in (0.001, 0.1, 0.5, 1, 1.5)]),
    'Poisson': (poisson, [(lam,) for lam in (0.001, 0.5, 1, 7.3, 1000)]),
    'T': (student_t, [(n,) for n in (2, 3, 4, 5, 6, 9, 30, 1000)]),
    'Triangular': (triangular, [(0, 1, 0.5), (0, 1, 0.1), (0, 1, 0.9), (-2, 5, 4), (10, 10.5, 10.01), (-7, -1, -6)]),
    'TruncNorm': (trunc_norm, [(a, b, mu, s) for (a, b) in ((-1, 1), (0, 3), (-2, 0.5)) for mu in (-0.5, 0, 1.2)
                               for s in (0.5, 1, 2)] + [(2, 4, 0, 1), (-10, 10, 1, 3)]),
    'Weibull': (weibull, [(a, b) for a in (0.5, 1, 1.5, 3.6, 8) for b in (0.5, 2)]),
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


def fit_request(family, params):
    mean, sd, skew, kurt = MOMENT_GRID[family][0](*params)
    if family == 'Triangular':
        return [mean, sd, skew]
    if family == 'TruncNorm':
        return [M(params[0]), M(params[1]), mean, sd]
    if family == 'JohnsonSU':
        return [mean, sd, skew, kurt]
    return [mean, sd]


def c_double(x):
    if x is NAN:
        return 'kNaN'
    return repr(float(x))


def main():
    lines = ['// Generated by make_moments_reference.py; do not edit.', '',
             '// Family, parameters; mean, standard deviation, skewness, excess kurtosis.',
             'const std::vector<MomentCase> kMomentCases = {']
    for family, (moments, grid) in MOMENT_GRID.items():
        for params in grid:
            values = moments(*params)
            lines.append('    {"%s", {%s}, {%s}},' % (family, ', '.join(c_double(p) for p in params),
                                                    ', '.join(c_double(v) for v in values)))
    lines += ['};', '', '// Family, known parameters; the Param function\'s arguments (their moments).',
              'const std::vector<FitCase> kFitCases = {']
    for family, grid in FIT_GRID.items():
        for params in grid:
            request = fit_request(family, params)
            lines.append('    {"%s", {%s}, {%s}},' % (family, ', '.join(c_double(p) for p in params),
                                                    ', '.join(c_double(v) for v in request)))
    lines.append('};')
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'moments_reference.inc')
    with open(path, 'w') as out:
        out.write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    main()
