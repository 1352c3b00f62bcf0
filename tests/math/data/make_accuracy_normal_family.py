#!/usr/bin/env python3
"""Writes accuracy_normal_family.inc: the normal, log-normal, truncated normal,
Johnson SU and bivariate normal (density) worksheet functions against 50-digit
references, from the centre to the underflow and overflow of each. Points where
the answer is a near-cancelling sum of location and offset (ill-conditioned in
the arguments' last bit) are left out. Run with /usr/bin/python3."""
import random, sys
sys.dont_write_bytecode = True
import mpmath as mp
from scipy.special import ndtri
from accuracy_probe import M, TIGHT, bound_for, row, write

def Phi(x): return mp.ncdf(x) if abs(x) < 1e15 else M(x > 0)  # mpmath's erfc fails beyond
def phi(x): return mp.npdf(x) if abs(x) < 1e15 else M(0)
rnd = random.Random(16)
rows = []
def add(name, args, value, bound=TIGHT): rows.append(row(name, [float(a) for a in args], value, bound))
def norm_inv(p):  # Newton from the double estimate, in the tail that holds p
    p, x = M(p), M(float(ndtri(p)))
    for _ in range(5): x -= (Phi(x) - p if p < 0.5 else (1 - p) - Phi(-x)) / phi(x)
    assert abs(Phi(x) - p if p < 0.5 else (1 - p) - Phi(-x)) <= M(10) ** -45 * min(p, 1 - p)
    return x
def mass(u1, u2): return Phi(u2) - Phi(u1) if u1 < 0 else Phi(-u1) - Phi(-u2)  # from the tail that holds it
ZS = [-38.4, -37.6, -37, -30, -20, -12, -8.3, -5, -2, -1, -0.3, -1e-5, 0, 1e-9, 0.7, 1.5, 3, 6, 8.3, 9, 15, 30, 38]
def zs(n): return ZS + [rnd.uniform(-38.5, 38.5) for _ in range(n)]  # standard points, some random
PS = ([10.0 ** -k for k in (300, 200, 100, 50, 20, 16, 10, 5, 3, 1)] + [0.3, 0.5, 0.7, 0.9] +
      [1 - 10.0 ** -k for k in (3, 5, 8, 10, 12, 14, 15, 16)])
def ps(n): return PS + [10 ** rnd.uniform(-300, -0.3) for _ in range(n)] + [rnd.random() for _ in range(n)]

# The standard normal: the tails out to underflow, and tiny and huge x.
for x in zs(170) + [1e-300, -1e-10, 39.0, -40.0, 1e300, -1e300]:
    add('ZrNormDist', (x, 1), Phi(x)); add('ZrNormDist', (x, 0), phi(x))
for p in ps(180): add('ZrNormInv', (p,), norm_inv(p))

# Log-normal: (m, s) from narrow to wide, with ln x near m cancelling.
LN = [(0, 1), (2.5, 0.25), (-10, 3), (15, 1e-3), (-300, 20), (0, 1e7), (700, 1e-3), (1, 300)]
for m, s in LN:
    for x in [float(mp.exp(m + s * M(z))) for z in zs(15) + [1e-12]] + [1e-300, 1e300]:
        if 0 < x < mp.inf:
            t = (mp.log(x) - m) / s
            add('ZrLogNormDist', (x, m, s, 1), Phi(t), bound_for(s)); add('ZrLogNormDist', (x, m, s, 0), phi(t) / s / x, bound_for(s))
    for p in ps(14): add('ZrLogNormInv', (p, m, s), mp.exp(norm_inv(p) * s + m), bound_for(s))

# Truncated normal: supports in the centre, far out in either tail, and narrow.
TN = [(-1, 2, 0.5, 1.5), (-3, 3, 0, 1), (40, 41, 0, 1), (-41, -40, 0, 1), (3, 3.0000001, 0, 1), (5, 10, 0, 1),
      (0, 10, 0, 0.001), (-60, -1, 0, 1), (2, 1e300, 0, 1), (1e6, 1e6 + 1e-3, 0, 1), (-1e-9, 1e-9, 0, 1),
      (10, 11, 12, 0.01), (-5, 5, 3, 1e-6), (0, 1, 0.5, 1e3)]
for a, b, mu, s in TN:
    with mp.workdps(80):
        al, be = (M(a) - mu) / s, (M(b) - mu) / s; z = mass(al, be)
        w = min(b - a, 20 * s)  # near either end, and around mu where the support holds it
        fs = [0, 1e-12, 1e-7, 1e-5, 1e-3, 0.1, 0.5] + [rnd.random() for _ in range(6)]
        xs = [a, b] + [float(a + M(w) * f) for f in fs] + [float(b - M(w) * f) for f in fs]
        for x in sorted(set(x for x in xs + [float(mu + s * M(z)) for z in (-2, -0.5, 0.3, 1.7)] if a <= x <= b)):
            t = (M(x) - mu) / s
            add('ZrTruncNormDist', (x, a, b, mu, s, 1), mass(al, t) / z); add('ZrTruncNormDist', (x, a, b, mu, s, 0), phi(t) / s / z)
        for p in [0, 1, 1e-300, 1e-10, 0.25, 1 - 1e-15] + ps(6)[::2]:
            if p in (0, 1): add('ZrTruncNormInv', (p, a, b, mu, s), (a, b)[p]); continue
            with mp.workdps(80 - int(mp.log10(p))):  # a point near a is a difference of tails down to p z
                al, z = (M(a) - mu) / s, mass((M(a) - mu) / s, (M(b) - mu) / s)
                lo, hi = max(al, min(be, 0) - 60), min(be, max(al, 0) + 60)  # the mass beyond is negligible
                for _ in range(240):  # bisection for the point holding mass p z from alpha, then Newton
                    mid = (lo + hi) / 2
                    lo, hi = (mid, hi) if mass(al, mid) < p * z else (lo, mid)
                for _ in range(3): lo -= (mass(al, lo) - p * z) / phi(lo)
                add('ZrTruncNormInv', (p, a, b, mu, s), min(max(lo * s + mu, M(a)), M(b)))

# Johnson SU: shapes from 1e-3 to 1e10; x from the standard points, far out, and overflowing u^2.
JSU = [(0, 1, 1, 0), (0.5, 2, 1.5, -1), (-1.2, 0.8, 0.5, 2), (0, 0.01, 1, 0), (1, 1e-3, 2, 0), (0, 1e6, 1, 0),
       (3, 1e10, 1e-8, 0), (-20, 5, 1, 0), (1e3, 1e3, 1, 0), (0.3, 0.05, 1e-10, 0)]
for g, d, l, xi in JSU:
    zj = lambda x: g + d * mp.asinh((M(x) - xi) / l)
    for x in [float(xi + l * mp.sinh((M(z) - g) / d)) for z in zs(14)] + [-1e200, 1e200, -1e300, 1e-300]:
        if abs(x) < mp.inf:
            u = (M(x) - xi) / l
            add('ZrJohnsonSUDist', (x, g, d, l, xi, 1), Phi(zj(x)), bound_for(g, d))
            add('ZrJohnsonSUDist', (x, g, d, l, xi, 0), phi(zj(x)) * d / (l * mp.sqrt(u * u + 1)), bound_for(g, d))
    for p in ps(14): add('ZrJohnsonSUInv', (p, g, d, l, xi), xi + l * mp.sinh((norm_inv(p) - g) / d), bound_for(g, d))

# Bivariate normal density, correlations up to one ulp from +-1.
for r in [0, 0.3, -0.7, 0.99, -0.9999, 1 - 1e-8, -1 + 1e-12, 1 - 2 ** -53, -1 + 2 ** -53]:
    for _ in range(40):
        a = rnd.choice([rnd.uniform(-3, 3), rnd.uniform(-30, 30)])
        sd = mp.sqrt(1 - M(r) ** 2)
        b = float(r * M(a) + sd * rnd.choice([rnd.uniform(-3, 3), rnd.uniform(-30, 30)]))
        add('ZrBiNormDist', (a, b, r, 0), mp.exp(-(M(a) ** 2 - 2 * M(r) * a * b + M(b) ** 2) / (2 * sd ** 2)) / (2 * mp.pi * sd))
for a, r in ((0.3, 1), (-0.4, -1)): add('ZrBiNormDist', (a, a * r, r, 0), mp.nan); add('ZrBiNormDist', (a, 2, r, 0), 0)

write('accuracy_normal_family.inc', 'make_accuracy_normal_family.py', rows)
