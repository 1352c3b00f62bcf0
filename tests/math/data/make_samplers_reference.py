#!/usr/bin/env python3
"""Writes samplers_reference.inc: the first variates of RandomNormal and of each
sampler for fixed seeds, from a model of the algorithms in mpmath at high
precision (uniforms from make_random_uniform_reference.py). Also writes
samplers_cdf_reference.inc: distribution functions for parameters so large that
Boost.Math's incomplete gamma function gives up or takes milliseconds, from
SciPy's gammainc (Temme's uniform asymptotic expansion there) and, for beta,
by quadrature: SciPy's betainc is off by up to 0.46 near the mean for shapes
of 1e10. Run with /usr/bin/python3.
"""
import math
import os
import sys

import mpmath as mp
import scipy.special as sc

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True
sys.path.insert(0, HERE)
from make_random_uniform_reference import make, seed_step  # noqa: E402

F = mp.mpf
PI = F(3.14159265358979)  # the literal the C++ code uses
LARGE = F(1e10)  # kLargeParameter
LANCZOS = [76.18009172947146, -86.50532032941678, 24.01409824083091, -1.231739572450155,
           0.001208650973866179, -5.395239384953e-06]

def uniforms(kind, seed1, seed2):
    g = make(kind, seed1, seed2)
    return lambda: F(g.next())

def norm_inv(u): return mp.sqrt(2) * mp.erfinv(2 * u - 1)
def logit(u): return mp.log(u / (1 - u))

def log_gamma(x):
    s = F(1.000000000190015)
    for i, c in enumerate(LANCZOS):
        s += F(c) / (x + i + 1)
    return mp.log(F(2.5066282746310007) * s / x) - (x + F(5.5) - (x + F(0.5)) * mp.log(x + F(5.5)))

def normal(u, inversion, antithetic, mean, stdev):
    """Box-Muller returns a pair's second coordinate first; each variate is
    followed by its mirror image when antithetic."""
    def raw():
        while True:
            if inversion:
                pair = [norm_inv(u())]
            else:
                r = 0
                while not 0 < r < 1:
                    v1, v2 = 2 * u() - 1, 2 * u() - 1
                    r = v1 * v1 + v2 * v2
                f = mp.sqrt(-2 * mp.log(r) / r)
                pair = [f * v2, f * v1]
            for z in pair:
                yield z
                if antithetic:
                    yield -z
    z = raw()
    return lambda: next(z) * F(stdev) + F(mean)

def marsaglia_tsang(u, a):
    d = a - F(0.3333333333333333)
    c = 1 / (3 * mp.sqrt(d))
    while True:
        x = norm_inv(u())
        v = 1 + c * x
        if v <= 0:
            continue
        v, u2 = v ** 3, u()
        if u2 <= 1 - F(0.0331) * x ** 4 or mp.log(u2) <= d * mp.log(v) + x * x / 2 - d * v + d:
            return d * v

def standard_gamma(u, a):
    if a > 1:
        return marsaglia_tsang(u, a)
    if a < 1:
        w = u()
        return marsaglia_tsang(u, a + 1) * w ** (1 / a)
    return -mp.log(1 - u())

def chi_square(kind, seed1, seed2, n):
    ug, ux = uniforms(kind, seed1, seed2), uniforms(kind, seed_step(seed1), seed_step(seed2))
    if n >= 2:
        return lambda: standard_gamma(ug, F(n) / 2) * 2
    def one():
        w = ux()
        return standard_gamma(ug, F(1.5)) * 2 * w * w
    return one

def beta(u, alpha, beta_):
    alpha, beta_ = F(alpha), F(beta_)
    lo, hi, s_ = min(alpha, beta_), max(alpha, beta_), alpha + beta_
    if s_ > LARGE:
        def ratio():
            ga, gb = standard_gamma(u, lo), standard_gamma(u, hi)
            return (ga if alpha == lo else gb) / (ga + gb)
        return ratio
    a, b = (lo, hi) if lo > 1 else (hi, lo)  # Cheng's BB, else BC
    result = lambda w: w / (b + w) if alpha == a else b / (b + w)  # noqa: E731
    if lo > 1:
        bp = mp.sqrt((s_ - 2) / (2 * a * b - s_))
        gp = a + 1 / bp
        def bb():
            while True:
                u1, u2 = u(), u()
                v = bp * logit(u1)
                w, z = a * mp.exp(v), u1 * u1 * u2
                r = gp * v - F(1.3862944)
                s = a + r - w
                if s + F(2.609438) >= 5 * z:
                    return result(w)
                t = mp.log(z)
                if s > t or r + s_ * mp.log(s_ / (b + w)) >= t:
                    return result(w)
        return bb
    bp, delta = 1 / b, 1 + a - b
    k1 = delta * (F(0.0138889) + F(0.0416667) * b) / (a * bp - F(0.777778))
    k2 = F(0.25) + (F(0.5) + F(0.25) / delta) * b
    def bc():
        while True:
            u1, u2 = u(), u()
            if u1 < F(0.5):
                y = u1 * u2
                z = u1 * y
                if F(0.25) * u2 + z - y >= k1:
                    continue
            else:
                z = u1 * u1 * u2
                if z >= k2 and z > F(0.25):
                    continue
            v = min(bp * logit(u1), F(88.7))
            w = a * mp.exp(v)
            if (u1 >= F(0.5) and z <= F(0.25)) or not mp.log(z) > s_ * (mp.log(s_ / (b + w)) + v) - F(1.3862944):
                return result(w)
    return bc

def poisson(u, mean):
    lam = F(mean)
    if lam < 12:
        g = mp.exp(-lam)
        def product():
            k, t = 0, u()
            while t > g:
                k, t = k + 1, t * u()
            return F(k)
        return product
    if lam > LARGE:  # Cornish-Fisher with the skewness term, continuity-corrected
        def normal_approximation():
            z = norm_inv(u())
            return mp.ceil(lam + mp.sqrt(lam) * (z + (z * z - 1) / (6 * mp.sqrt(lam))) - F(0.5))
        return normal_approximation
    sq, ln = mp.sqrt(2 * lam), mp.log(lam)
    g = lam * ln - log_gamma(lam + 1)
    def rejection():
        while True:
            k = -1
            while k < 0:
                y = mp.tan(PI * u())
                k = sq * y + lam
            k = mp.floor(k)
            if not u() > F(0.9) * (1 + y * y) * mp.exp(k * ln - log_gamma(k + 1) - g):
                return k
    return rejection

T_A = {2: 3.515, 3: 3.143, 4: 2.968, 5: 2.868, 6: 2.783, 7: 2.756, 8: 2.724}

def student_t(u, n):
    if n == 1:
        return lambda: mp.tan((u() - F(0.5)) * PI)
    nf = F(n)
    a = F(T_A[n]) if n <= 8 else F(1.876) * nf ** F(-1.042) + F(2.5074)
    f0 = mp.exp(log_gamma((nf + 1) / 2) - log_gamma(nf / 2)) * F(0.564189583547756) / mp.sqrt(nf)
    b = mp.sqrt(nf * ((2 * a * f0) ** (2 / (nf + 1)) - 1))
    p, h, r = (nf + 1) / 2, F(0.5) / a, b / (a - b)
    q = (1 / r + 1) * h
    def draw():
        x, sign = 2 * u(), 1
        if x > 1:
            sign, x = -1, x - 1
        x *= a
        if x < b:
            return sign * x
        y = u() * h
        if (1 + x * x / nf) ** p * y < f0:
            return sign * x
        x2 = (a - x) * r
        if (1 + x2 * x2 / nf) ** p * (q - y / r) < f0:
            return sign * x2
        while True:
            t = mp.sqrt(u() ** (-2 / (nf - 1)) * (a * a + nf) - nf)
            if not a <= u() * t:
                return sign * t
    return draw

def triangular(lo, hi, mode, p):
    if p < (mode - lo) / (hi - lo):
        return lo + mp.sqrt(p * (hi - lo) * (mode - lo))
    return hi - mp.sqrt((1 - p) * (hi - lo) * (hi - mode))

def inversion(quantile):
    return lambda u, *params: lambda: quantile(*map(F, params), u())

SAMPLERS = {
    "GAMMA": lambda u, shape, scale: lambda: standard_gamma(u, F(shape)) * F(scale),
    "BETA": beta, "POISSON": poisson, "STUDENT_T": student_t, "TRIANGULAR": inversion(triangular),
    "WEIBULL": inversion(lambda shape, scale, p: scale * (-mp.log(1 - p)) ** (1 / shape)),
    "LOGISTIC": inversion(lambda m, b, p: m + b * logit(p)),
    "GUMBEL": inversion(lambda alpha, beta_, p: alpha - beta_ * mp.log(-mp.log(p))),
}

# (kind name, parameters, generator type, seed1, seed2)
CASES = [
    ("GAMMA", (2.5, 1), 2, 0, 0), ("GAMMA", (0.5, 1), 2, 0, 0), ("GAMMA", (1, 3), 1, 5, 6),
    ("GAMMA", (0.1, 2), 0, 7, 8), ("GAMMA", (7.3, 0.5), 2, 123, 456), ("GAMMA", (1e6, 1), 1, 9, 9),
    ("GAMMA", (5e14, 2), 2, 1, 2), ("GAMMA", (2e10, 1), 0, 1, 2), ("GAMMA", (1.0000001, 1), 0, 3, 4),
    ("CHI_SQUARE", (1,), 2, 0, 0), ("CHI_SQUARE", (2,), 2, 0, 0), ("CHI_SQUARE", (4,), 2, 0, 0),
    ("CHI_SQUARE", (3,), 1, 11, 12), ("CHI_SQUARE", (50,), 0, 13, 14),
    ("CHI_SQUARE", (2147483647,), 2, 15, 16), ("BETA", (2, 3), 2, 0, 0), ("BETA", (3, 2), 2, 0, 0),
    ("BETA", (1, 1), 1, 17, 18), ("BETA", (0.5, 0.5), 0, 19, 20), ("BETA", (0.3, 2), 2, 21, 22),
    ("BETA", (5, 0.7), 2, 23, 24), ("BETA", (40, 1.5), 1, 25, 26), ("BETA", (1e154, 1e154), 2, 1, 1),
    ("BETA", (0.5, 1e13), 2, 2, 2), ("BETA", (1e13, 0.5), 2, 2, 2), ("BETA", (3e10, 2e10), 1, 3, 3),
    ("POISSON", (3,), 2, 0, 0), ("POISSON", (50,), 2, 0, 0), ("POISSON", (11.9,), 1, 27, 28),
    ("POISSON", (12,), 0, 29, 30), ("POISSON", (1000,), 2, 31, 32), ("POISSON", (1e9,), 1, 33, 34),
    ("POISSON", (1e10,), 0, 61, 62), ("POISSON", (1.5e10,), 1, 63, 64), ("POISSON", (1e13,), 2, 35, 36),
    ("POISSON", (1e308,), 2, 37, 38), ("STUDENT_T", (1,), 2, 0, 0), ("STUDENT_T", (5,), 2, 0, 0),
    ("STUDENT_T", (2,), 1, 39, 40), ("STUDENT_T", (9,), 0, 41, 42), ("STUDENT_T", (30,), 2, 43, 44),
    ("STUDENT_T", (2147483647,), 2, 45, 46), ("TRIANGULAR", (0, 1, 0.5), 2, 0, 0),
    ("TRIANGULAR", (-2, 5, 3), 0, 47, 48), ("WEIBULL", (2, 1), 2, 0, 0), ("WEIBULL", (0.5, 3), 1, 49, 50),
    ("LOGISTIC", (0, 1), 2, 0, 0), ("LOGISTIC", (-3, 0.5), 0, 51, 52), ("GUMBEL", (0, 1), 2, 0, 0),
    ("GUMBEL", (2, 0.25), 1, 53, 54), ("NORMAL_BOX_MULLER", (0, 1), 2, 0, 0),
    ("NORMAL_BOX_MULLER", (1.5, 2), 0, 55, 56), ("NORMAL_INVERSION", (0, 1), 2, 0, 0),
    ("NORMAL_INVERSION", (-1, 0.25), 1, 57, 58), ("NORMAL_BOX_MULLER_ANTITHETIC", (0, 1), 2, 0, 0),
    ("NORMAL_INVERSION_ANTITHETIC", (3, 2), 2, 59, 60),
]

def variates(name, params, kind, seed1, seed2):
    """Variates 1 to 8 and 1000 (far enough for twister regenerations mid-loop)."""
    # Enough digits for the largest parameters (1e308 + 1e154 z must resolve z).
    with mp.workdps(40 + int(max(mp.log10(abs(F(p)) + 1) for p in params))):
        if name == "CHI_SQUARE":
            draw = chi_square(kind, seed1, seed2, *params)
        elif name.startswith("NORMAL"):
            draw = normal(uniforms(kind, seed1, seed2), "INVERSION" in name, name.endswith("ANTITHETIC"), *params)
        else:
            draw = SAMPLERS[name](uniforms(kind, seed1, seed2), *params)
        values = [draw() for _ in range(1000)]
        return [float(v) for v in values[:8] + values[-1:]]

# (kind, parameters): gamma (shape, scale), chi-square (n,), Poisson (mean,), beta (alpha, beta)
CDF_CASES = [("GAMMA", (2e10, 1)), ("GAMMA", (1e12, 1)), ("GAMMA", (5e14, 2)),
             ("CHI_SQUARE", (2147483647,)), ("POISSON", (1e10,)), ("POISSON", (1.5e10,)),
             ("POISSON", (1e13,)), ("POISSON", (1e15,)), ("BETA", (6e10, 4e10)), ("BETA", (0.5, 2e10))]
CDF_POINTS = 81  # mean + sd z for z = -4, -3.9, ..., 4; beta: the quantiles of (j + 1/2) / 81

def integrated_cdf(log_pdf, lo, x, step):
    """The integral of exp(log_pdf) from lo to x at high precision, split every
    `step` so that each piece sees a smooth part of the peak."""
    with mp.workdps(30):
        cuts = [F(lo)]
        while cuts[-1] + step < x:
            cuts.append(cuts[-1] + step)
        return float(mp.quad(lambda t: mp.exp(log_pdf(t)), cuts + [F(x)]))

def cdf_points(kind, params):
    if kind == "BETA":  # the points from SciPy's inverse; the values by quadrature of the density
        a, b = params
        xs = [float(sc.betaincinv(a, b, (j + 0.5) / CDF_POINTS)) for j in range(CDF_POINTS)]
        mean, sd = a / (a + b), math.sqrt(a * b / (a + b) ** 3)
        A, B = F(a), F(b)
        log_b = mp.loggamma(A) + mp.loggamma(B) - mp.loggamma(A + B)
        log_pdf = lambda t: (A - 1) * mp.log(t) + (B - 1) * mp.log(1 - t) - log_b  # noqa: E731
        return [(x, integrated_cdf(log_pdf, max(0.0, mean - 40 * sd), x, sd / 2)) for x in xs]
    if kind == "POISSON":
        mean = params[0]
        xs = [math.floor(mean + math.sqrt(mean) * (j - 40) / 10) for j in range(CDF_POINTS)]
        return [(float(x), float(sc.gammaincc(x + 1, mean))) for x in xs]
    shape, scale = (params[0] / 2, 2.0) if kind == "CHI_SQUARE" else params
    mean, sd = shape * scale, math.sqrt(shape) * scale
    xs = [mean + sd * (j - 40) / 10 for j in range(CDF_POINTS)]
    return [(x, float(sc.gammainc(shape, x / scale))) for x in xs]

def write(name, header, rows):
    with open(os.path.join(HERE, name), "w") as f:
        f.write("\n".join(header + rows + ["};", ""]))

def main():
    mp.mp.dps = 30  # ln B(a, b) is near 1e12 for shapes of 1e10
    rows = []
    for kind, params in CDF_CASES:
        pts = cdf_points(kind, params)
        p = list(params) + [0] * (2 - len(params))
        rows += [f"    {{{kind}, {{{repr(float(p[0]))}, {repr(float(p[1]))}}},",
                 "     {" + ", ".join(repr(x) for x, _ in pts) + "},",
                 "     {" + ", ".join(repr(f) for _, f in pts) + "}},"]
    write("samplers_cdf_reference.inc",
          ["// Generated by make_samplers_reference.py from SciPy's incomplete gamma",
           "// function and quadrature of the beta density; do not edit.", "",
           f"// {{kind, parameters, {CDF_POINTS} points x, F(x) at each}}", "constexpr CdfCase kCdfCases[] = {"], rows)
    mp.mp.dps = 40
    rows = []
    for name, params, kind, seed1, seed2 in CASES:
        p = ", ".join(repr(float(x)) for x in list(params) + [0] * (3 - len(params)))
        v = ", ".join(repr(x) for x in variates(name, params, kind, seed1, seed2))
        rows.append(f"    {{{name}, {{{p}}}, {('RAN2', 'MT1998', 'MT2002')[kind]}, {seed1}u, {seed2}u, {{{v}}}}},")
    write("samplers_reference.inc",
          ["// Generated by make_samplers_reference.py from a high-precision model of the",
           "// samplers; do not edit.", "", "// {kind, parameters, generator type, seed1, seed2, variates 1 to 8"
           " and 1000}", "constexpr SequenceCase kSequenceCases[] = {"], rows)

if __name__ == "__main__":
    main()
