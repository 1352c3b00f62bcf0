#!/usr/bin/env python3
"""Writes accuracy_closed_forms.inc: the logistic, Gumbel, Weibull and triangular functions at 50 digits from their
closed forms, at ordinary points and out to where the doubles end (scales and shapes of 1e-300 to 1e300, underflow),
and the quantiles where their formulas cancel (p = 1/2, e^-1, the triangle's mode), each checked against its cdf."""
import math, random, sys; sys.dont_write_bytecode = True  # no __pycache__ beside the scripts
import mpmath as mp
from accuracy_probe import M, TIGHT, bound_for, row, write
def ex(t): return mp.exp(t) if t > -1e6 else M(0)  # exp(-huge) is 0 for any double's sake
def logistic(x, m, b, c):
    z = (M(x) - m) / b; e = ex(-abs(z))
    return (1 / (1 + e) if z > 0 else e / (1 + e)) if c else e / (b * (1 + e) ** 2)
def logistic_inv(p, m, b): return m + b * (mp.log(p) - mp.log1p(-M(p)))
def gumbel(x, a, b, c):
    z = (M(x) - a) / b; t = ex(-z) if z > -1e6 else mp.inf
    return ex(-t) if c else (ex(-z - t) / b if t < mp.inf else M(0))
def gumbel_inv(p, a, b): return a - b * mp.log(-mp.log(p))
def weibull(x, k, s, c):
    w = k * mp.log(M(x) / s) if x > 0 else -mp.inf  # ln u, u = (x/s)^k
    if c: return -mp.expm1(-ex(w)) if w < 13 else 1 - ex(-ex(w))
    return (k / s if k == 1 else 0) if x == 0 else (ex(w - ex(w)) * k / x if w < 1e6 else M(0))
def weibull_inv(p, k, s): return s * (-mp.log1p(-M(p))) ** (1 / M(k))
@mp.workdps(700)  # every difference of doubles exact
def triangular(x, lo, hi, mo, c):
    x, lo, hi, mo = M(x), M(lo), M(hi), M(mo)
    if x < lo or x > hi: return M(0) if x < lo or not c else M(1)
    left = x <= mo and mo > lo; d, w = (x - lo, mo - lo) if left else (hi - x, hi - mo)
    return (d * d / ((hi - lo) * w) if left else 1 - d * d / ((hi - lo) * w)) if c else 2 * d / ((hi - lo) * w)
@mp.workdps(700)
def triangular_inv(p, lo, hi, mo):
    lo, hi, mo, w = M(lo), M(hi), M(mo), M(hi) - lo
    return lo + mp.sqrt(w * (mo - lo) * p) if p * w < mo - lo else hi - mp.sqrt(w * (hi - mo) * (1 - M(p)))
rows, rng = [], random.Random(17)
def dist(name, f, xs, params, bound=lambda *q: TIGHT):  # xs(*params): the points
    rows.extend(row(name, (x,) + q + (c,), f(x, *q, c), bound(*q)) for q in params for x in xs(*q)
                if math.isfinite(x) for c in (1, 0))
def inv(name, f, cdf, probs, params, bound=lambda *q: TIGHT):
    for q in params:
        for p in probs(*q) if callable(probs) else probs:
            x = f(p, *q)  # the closed form, checked against the distribution function
            assert abs(cdf(x, *q, 1) - p) <= M(10) ** -30 * min(p, 1 - M(p)), (name, p, q)
            rows.append(row(name, (p,) + q, x, bound(*q)))
def nans(name, *args): rows.extend(row(name, a, math.nan, TIGHT) for a in args)
def randoms(n, lo=0.0, hi=1.0): return [rng.uniform(lo, hi) for _ in range(n)]
ODD = [(rng.uniform(-10, 10), 10 ** rng.uniform(-1, 1)) for _ in range(8)]  # ordinary locations and scales
P = [5e-324, 1e-310, 1e-300, 1e-200, 1e-100, 1e-30, 1e-16, 1e-10, 1e-5, 1e-3, 0.02, 0.1, 0.25, 0.3, 0.4, 0.45, 0.49,
     0.4999, 0.49999999, 0.499999999999, 0.5 - 2 ** -54, 0.5, 0.5 + 2 ** -53, 0.5000000000001, 0.500001, 0.51, 0.6,
     0.75, 0.9, 0.99, 0.999999, 1 - 1e-10, 1 - 1e-14, 1 - 2 ** -53]
Z = [0, 1e-300, 1e-8, 0.3, 1, 2.5, 7, 20, 36, 45, 100, 500, 700, 709.5, 720, 745, 750, 1000, 1420, 1e4, 1e300]
LB = [(0.0, 1.0), (0.0, 1e-300), (0.0, 1e300), (1.5, 0.3), (-2.0, 4.0), (1e10, 1e-5), (0.0, 2e-309)]
dist('ZrLogisticDist', logistic, lambda m, b: [m + s * z * b for z in Z for s in (1, -1)], LB)
dist('ZrLogisticDist', logistic, lambda m, b: [m + z * b for z in randoms(4, -20, 20)], ODD)
inv('ZrLogisticInv', logistic_inv, logistic, P, LB[:5] + ODD[:4])
nans('ZrLogisticInv', (0, 0, 1), (1, 0, 1), (-0.5, 0, 1), (1.5, 0, 1), (0.5, 0, 0))
GZ = [-1e300, -745, -709, -300, -20, -6.62, -6.61, -6.6, -6.58, -6.56, -6.5, -6.4, -6.2, -6, -5.5, -5, -4, -3, -2, -1,
      -0.5, -1e-8, 0, 1e-8, 0.3, 1, 2, 5, 10, 20, 36, 37, 50, 100, 300, 700, 708, 709, 720, 735, 745, 800, 1e4, 1e300]
AB = [(0.0, 1.0), (0.0, 2e-12), (2.0, 3.0), (-1.0, 0.25), (0.0, 1e300), (5e299, 1e299)]
dist('ZrGumbelDist', gumbel, lambda a, b: [a + z * b for z in GZ], AB)
dist('ZrGumbelDist', gumbel, lambda a, b: [a + z * b for z in randoms(6, -4, 12)], ODD)
E = float(mp.exp(-1))  # the quantile's formula cancels at e^-1
NEAR_E = [E * (1 + s * 10.0 ** -k) for k in range(1, 17) for s in (1, -1)] + [E + i * 2 ** -54 for i in range(-2, 3)]
inv('ZrGumbelInv', gumbel_inv, gumbel, P + NEAR_E, AB[:5])
inv('ZrGumbelInv', gumbel_inv, gumbel, randoms(8), ODD)
U = [1e-300, 1e-100, 1e-20, 1e-5, 0.01, 0.5, 1, 2, 10, 50, 300, 700, 745, 800]  # (x / scale)^shape
def wx(k, s): return [x for x in [0.0, 5e-324, 1e-300, 1e300, 1.7e308] + [float(s * M(u) ** (1 / M(k))) for u in U]
                      if x > 0 or k >= 1]
KS = [(k, 1.0) for k in [1e-3, 0.1, 0.5, 1, 2, 3.7, 10, 50, 1e3, 1e6, 1e7, 1e10]] + \
     [(2.0, 1e-300), (0.5, 1e300), (10.0, 3.0), (1e10, 1e-300), (1e-3, 1e300), (1e6, 7.0)]
shape = lambda k, s: bound_for(k)
dist('ZrWeibullDist', weibull, wx, KS, shape)
WP = [5e-324, 1e-300, 1e-100, 1e-20, 1e-10, 1e-5, 0.01, 0.1, 0.3, 0.5, 1 - E, 0.9, 0.99, 1 - 1e-10, 1 - 2 ** -53]
inv('ZrWeibullInv', weibull_inv, weibull, WP, KS, shape)
inv('ZrWeibullInv', weibull_inv, weibull, randoms(8), [(10 ** rng.uniform(-1, 1), b) for a, b in ODD])
nans('ZrWeibullDist', (-1, 2, 1, 1), (1, 0, 1, 0)); nans('ZrWeibullInv', (0.5, 0, 1), (1.5, 2, 1))
TRI = [(0.0, 1.0, 0.0), (0.0, 1.0, 1.0), (0.0, 1.0, 0.5), (-1.0, 1.0, 0.0), (-2.0, 5.0, 3.0), (0.0, 4.0, 1.0),
       (1e-300, 3e-300, 2e-300), (-1e308, 1e308, 0.0), (-1e200, 1e200, 3e199), (1.0, 1.0 + 2 ** -40, 1.0 + 2 ** -42)]
def tx(lo, hi, mo):  # the ends, the mode and points near each
    w = M(hi) - lo; near = [mo + s * 10 ** -M(k) * w for k in (1, 4, 8, 12, 15) for s in (1, -1)]
    ends = [lo + f * w if f < 0.5 else hi - (1 - f) * w for f in (0, 1e-300, 1e-16, 1e-12, 1e-5, 0.3, 0.9, 1 - 1e-12, 1)]
    return [lo - 1, hi + 1] + [float(x) for x in ends + near]
def tp(lo, hi, mo):
    p0 = float((M(mo) - lo) / (M(hi) - lo))
    return [p for p in [0.0, 1.0] + P[2:] + [p0 * (1 + s * 10.0 ** -k) for k in (3, 9, 15) for s in (1, -1)] if 0 <= p <= 1]
dist('ZrTriangularDist', triangular, tx, TRI)
dist('ZrTriangularDist', triangular, lambda lo, hi, mo: randoms(10, lo, hi), [(a - b, a + b, a + rng.uniform(-b, b)) for a, b in ODD])
inv('ZrTriangularInv', triangular_inv, triangular, tp, TRI)
inv('ZrTriangularInv', triangular_inv, triangular, randoms(8), [(0.0, 2.0, 0.5), (-3.0, 7.0, 6.0)])
nans('ZrTriangularInv', (0.5, 0, 1, 2), (1.5, 0, 1, 0.5)); nans('ZrTriangularDist', (0.5, 1, 0, 0.5, 1), (0.5, 0, 1, -1, 0))
write('accuracy_closed_forms.inc', 'make_accuracy_closed_forms.py', list(dict.fromkeys(rows)))  # no repeated rows
