#!/usr/bin/env python3
"""Writes distributions_math_reference.inc: the log-gamma function and the
closed-form moments beneath the distribution functions, by mpmath from the
textbook definitions. Run with /usr/bin/python3."""
import os
import sys
import mpmath as mp
sys.dont_write_bytecode = True  # no __pycache__ beside the scripts
from make_moments_reference import MOMENT_GRID, johnson_su  # textbook moments, at 60 digits

mp.mp.dps = 40
M = mp.mpf
phi, Phi = mp.npdf, mp.ncdf
TN = [(-1.0, 2.0, 0.5, 1.5), (0.0, 1.0, 3.0, 0.5), (2.0, 5.0, 0.0, 1.0), (10.0, 11.0, 0.0, 1.0),
      (0.0, 100.0, 50.0, 5.0), (-3.0, -2.0, 0.0, 1.0), (0.0, 1.0, 0.5, 0.2)]
JSU = [(0.0, 1.0, 1.0, 0.0), (0.5, 2.0, 1.5, -1.0), (-1.2, 0.8, 0.5, 2.0), (2.0, 1.5, 1.0, 0.0), (-0.3, 3.0, 2.0, 1.0)]

def trunc_moments(lo, hi, mu, s):
    with mp.workdps(80):
        z = Phi((M(hi) - mu) / s) - Phi((M(lo) - mu) / s)
        mean = mp.quad(lambda x: M(x) * phi((x - mu) / s) / s / z, [lo, hi])
        c = [mp.quad(lambda x: (x - mean) ** k * phi((x - mu) / s) / s / z, [lo, hi]) for k in range(5)]
        return mean, c[2], c[3] / c[2] ** M(1.5), c[4] / c[2] ** 2 - 3
def num(x):
    x = mp.mpf(x)
    return mp.nstr(x, 17, min_fixed=-mp.inf, max_fixed=mp.inf) if x == int(x) and abs(x) < 1e15 else mp.nstr(x, 17)
def at60(moments, *params):
    with mp.workdps(60): return moments(*params)
def row(*values): return '    {%s},' % ', '.join(map(num, values))

lines = ['// Written by make_distributions_reference.py; do not edit.', '',
    '// x, ln Gamma(x), its derivative.', 'const std::vector<std::array<double, 3>> kLogGammaCases = {'] + \
    [row(x, mp.loggamma(x), mp.digamma(x)) for x in (0.1, 0.5, 1.0, 2.5, 7.0, 33.3, 171.0, 1e4)] + \
    ['};', '', '// Moment cases: parameters, then mean, standard deviation, skewness, excess kurtosis.',
     'const std::vector<std::array<double, 5>> kChiMomentCases = {'] + \
    [row(n, *at60(MOMENT_GRID['Chi'][0], n)) for n in (1, 2, 3, 5, 10, 15, 16, 20, 50, 100, 1000, 10 ** 5, 10 ** 7, 2147483647)] + \
    ['};', 'const std::vector<std::array<double, 6>> kWeibullMomentCases = {'] + \
    [row(a, b, *at60(MOMENT_GRID['Weibull'][0], a, b)) for a, b in ((0.5, 1.0), (1.5, 2.0), (3.6, 0.7), (10.0, 5.0))] + \
    ['};', '// The standard deviation column holds the variance.',
     'const std::vector<std::array<double, 8>> kTruncNormMomentCases = {'] + \
    [row(*ps, *trunc_moments(*ps)) for ps in TN] + \
    ['};', 'const std::vector<std::array<double, 8>> kJohnsonSUMomentCases = {'] + \
    [row(*ps, *at60(johnson_su, *ps)) for ps in JSU] + ['};']
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'distributions_math_reference.inc'), 'w') as f:
    f.write('\n'.join(lines) + '\n')
