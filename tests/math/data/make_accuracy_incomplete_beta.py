#!/usr/bin/python3
"""Writes accuracy_incomplete_beta.inc: beta, F and Student's t at 50 digits over far tails, shapes 1e-3 to
1e10, degrees of freedom to 2^31 - 1. I_x(a, b) is Numerical Recipes' betacf at 80 digits on its convergent
side; a quantile takes Newton steps on w = ln(x/(1 - x)), where ln I is concave. Takes about a minute."""
import sys, mpmath as mp
sys.dont_write_bytecode = True
from accuracy_probe import M, bound_for, row, write
DPS, log = 80, mp.log

def lbeta(a, b): return mp.loggamma(a) + mp.loggamma(b) - mp.loggamma(a + b)
def ldensity(a, b, x, y): return a * log(x) + b * log(y) - lbeta(a, b)  # ln(x^a y^b / B(a, b))
def fraction(a, b, x):  # converges fast for x below (a + 1)/(a + b + 2)
    c, d, m = M(1), 1 / (1 - (a + b) * x / (a + 1)), 0
    h = d
    while abs(d * c - 1) > mp.eps * 16 or m == 0:
        m += 1
        for t in (m * (b - m) * x / ((a + 2 * m - 1) * (a + 2 * m)),
                  -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 2 * m + 1))):
            d, c = 1 / (1 + t * d), 1 + t / c
            h *= d * c
    return h

def ibeta(a, b, x, y):  # (I_x(a, b), 1 - I_x(a, b)); y = 1 - x, given to keep its digits
    with mp.workdps(DPS):
        a, b, x, y = M(a), M(b), M(x), M(y)
        if x == 0 or y == 0: return (M(0), M(1)) if x == 0 else (M(1), M(0))
        swap = x * (a + b + 2) > a + 1
        if swap: a, b, x, y = b, a, y, x
        s = mp.exp(ldensity(a, b, x, y)) * fraction(a, b, x) / a
        return (1 - s, s) if swap else (s, 1 - s)

def solve(p, a, b):  # (x, 1 - x) with I_x(a, b) = p <= 1/2
    with mp.workdps(DPS):
        p, a, b = M(p), M(a), M(b)
        w = log(a / b) - mp.sqrt((1 / a + 1 / b) * 2 * log(1 / (2 * p)))  # a normal guess
        for _ in range(500):
            x, y = 1 / (1 + mp.exp(-w)), 1 / (1 + mp.exp(w))
            lp = log(ibeta(a, b, x, y)[0])
            step = (log(p) - lp) / mp.exp(ldensity(a, b, x, y) - lp)  # d ln I/dw = x^a y^b/(B I)
            w += step
            if abs(step) < M(10) ** -45 * (1 + abs(w)): return 1 / (1 + mp.exp(-w)), 1 / (1 + mp.exp(w))
        raise RuntimeError('no convergence at %s' % ((p, a, b),))

def quantile(p, a, b): return solve(p, a, b) if p <= 0.5 else solve(1 - M(p), b, a)[::-1]
def beta_cdf(x, a, b): return ibeta(a, b, x, 1 - M(x))[0]
def beta_pdf(x, a, b): return mp.exp(ldensity(M(a), M(b), x, 1 - M(x))) / (x * (1 - M(x)))
def f_xy(f, n1, n2): return n1 * M(f) / (n1 * M(f) + n2), n2 / (n1 * M(f) + n2)
def f_cdf(f, n1, n2): return ibeta(M(n1) / 2, M(n2) / 2, *f_xy(f, n1, n2))[0]
def f_pdf(f, n1, n2): return mp.exp(ldensity(M(n1) / 2, M(n2) / 2, *f_xy(f, n1, n2))) / f
def f_inv(p, n1, n2): x, y = quantile(p, M(n1) / 2, M(n2) / 2); return n2 * x / (n1 * y)
def t_xy(t, n): return n / (n + M(t) ** 2), M(t) ** 2 / (n + M(t) ** 2)
def t_pdf(t, n):
    with mp.workdps(DPS): return mp.exp((n + 1) / M(2) * log(t_xy(t, n)[0]) - lbeta(M(n) / 2, M(1) / 2)) / mp.sqrt(n)
def t_cdf(t, n): tail = ibeta(M(n) / 2, M(1) / 2, *t_xy(t, n))[0] / 2; return tail if t <= 0 else 1 - tail
def t_inv(p, n):
    x, y = quantile(2 * min(M(p), 1 - M(p)), M(n) / 2, M(1) / 2) if p != 0.5 else (1, 0)
    return mp.sqrt(n * y / x) * (1 if p > 0.5 else -1)

rows = []
def dist(name, cdf, pdf, x, *shapes):
    rows.extend(row(name, (x,) + shapes + (c,), (cdf if c else pdf)(x, *shapes), bound_for(*shapes)) for c in (1, 0))
def inv(name, quantile, p, *shapes): rows.append(row(name, (p,) + shapes, quantile(p, *shapes), bound_for(*shapes)))

SHAPES, DOF = [1e-3, 0.5, 1.0, 7.5, 300.0, 1e6, 1e10], [1, 3, 30, 1000, 10 ** 6, 2 ** 31 - 1]
PROBS = [1e-300, 1e-100, 1e-10, 0.01, 0.3, 0.5, 0.9, 1 - 1e-10, 1 - 2 ** -53]
for a in SHAPES:
    for b in SHAPES:
        m, s = a / (a + b), (a * b / (a + b + 1)) ** 0.5 / (a + b)
        for x in sorted({1e-300, 1e-10, 0.5, 1 - 1e-10} | {m + k * s for k in (-20, -2, 0, 2, 20) if 0 < m + k * s < 1}):
            dist('ZrBetaDist', beta_cdf, beta_pdf, x, a, b)
        for p in PROBS: inv('ZrBetaInv', lambda p, a, b: quantile(p, a, b)[0], p, a, b)
dist('ZrBetaDist', beta_cdf, beta_pdf, 0.9999999999999999, 0.5, 0.5)
inv('ZrBetaInv', lambda p, a, b: quantile(p, a, b)[0], 1e-10, 0.5, 2.0)
for n1 in DOF:
    for n2 in DOF:
        rows.append(row('ZrFDist', (0.0, n1, n2, 1), 0.0, bound_for(n1, n2)))
        for x in [1e-300, 1.0, 1e300] + [mp.e ** (k * (2 / n1 + 2 / n2) ** 0.5) for k in (-20, -2, 2, 20)]:
            dist('ZrFDist', f_cdf, f_pdf, float(x), n1, n2)
        for p in PROBS: inv('ZrFDistInv', f_inv, p, n1, n2)
for n1, n2, p in [(5, 30, 1e-100), (10 ** 6, 30, 0.05), (10 ** 6, 30, 0.5), (10 ** 6, 30, 0.95)]:
    inv('ZrFDistInv', f_inv, p, n1, n2)
for n in [1, 2, 3, 4, 5, 10, 30, 1000, 10 ** 6, 10 ** 8, 2 ** 31 - 1]:
    for t in [-1e300, -1e10, -1000.0, -37.0, -8.0, -2.0, -0.5, 0.0, 0.5, 3.0, 40.0, 1e5, 1e300]:
        dist('ZrTDist', t_cdf, t_pdf, t, n)
    for p in [1e-300, 1e-200, 1e-100, 1e-50, 1e-20, 1e-10, 1e-5, 0.001, 0.02, 0.1, 0.25, 0.4, 0.499999999999, 0.5,
              0.5000001, 0.6, 0.75, 0.9, 0.98, 0.999, 1 - 1e-5, 1 - 1e-10, 1 - 2 ** -53]:
        inv('ZrTDistInv', t_inv, p, n)
dist('ZrTDist', t_cdf, t_pdf, -1e200, 1)
write('accuracy_incomplete_beta.inc', 'make_accuracy_incomplete_beta.py', rows)
