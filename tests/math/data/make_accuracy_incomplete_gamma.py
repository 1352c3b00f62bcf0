"""Writes accuracy_incomplete_gamma.inc: the gamma, chi-square, chi and Poisson functions against
50-digit references, probabilities 1e-300 to 1 - 2^-53, shapes and means 1e-3 to 1e10 (mpmath's
incomplete gamma gives up beyond about 1e6: there the tail is integrated). Run with /usr/bin/python3."""
import sys; sys.dont_write_bytecode = True
from scipy import special as sc
from accuracy_probe import M, mp, bound_for, row, write, EXACT
def gammainc(a, x, upper=False):  # regularized P(a, x), or Q(a, x) when upper
    a, x = M(a), M(x)
    if x <= 0 or x == mp.inf: return M(upper == (x <= 0))
    if a <= 1e5:  # the smaller side directly, then its complement
        side = mp.gammainc(a, *((x, mp.inf) if x > a else (0, x)), regularized=True)
        return side if upper == (x > a) else 1 - side
    # The density, scaled by its value at x, integrated from x away from the mode.
    lg, side = mp.loggamma(a), 1 if x > a else -1
    f = lambda t: mp.exp((a - 1) * mp.log(t) - t - lg)
    r = max(abs((a - 1) / x - 1), 1 / mp.sqrt(a))  # its rate of decay at x, at least the mode's
    cuts = sorted([x + side * k / r for k in (0, 1, 4, 16, 64, 256) if x + side * k / r > 0] + [mp.inf if side > 0 else 0])
    tail = mp.quad(lambda t: f(t) / f(x), cuts) * f(x)
    return tail if upper == (side > 0) else 1 - tail
def gamma_pdf(x, a):
    x, a = M(x), M(a)
    return (mp.inf if a < 1 else M(a == 1)) if x == 0 else mp.exp((a - 1) * mp.log(x) - x - mp.loggamma(a))
def gamma_inv(p, a):  # Newton on ln P (ln Q above 1/2) in ln x from SciPy's estimate
    p, a, upper = M(p), M(a), p > 0.5
    target = 1 - p if upper else p
    x = M(float(sc.gammainccinv(float(a), float(target)) if upper else sc.gammaincinv(float(a), float(target))))
    if not x > 0: x = mp.exp((mp.log(p) + mp.loggamma(a + 1)) / a)  # P = x^a / Gamma(a + 1) far down
    for _ in range(40):
        F = gammainc(a, x, upper)
        step = (mp.log(F) - mp.log(target)) * F / (x * gamma_pdf(x, a)) * (-1 if upper else 1)
        x *= mp.exp(-step)
        if abs(step) < M(10) ** -30: return x
    raise ArithmeticError('gamma_inv(%s, %s)' % (p, a))
poisson_cdf = lambda k, m: gammainc(k + 1, m, True)
def poisson_inv(p, m):  # Boost's outward rounding: the last k with cdf <= p below 1/2, the first with cdf >= p above
    z = sc.ndtri(p)
    k = max(0, int(m + z * m ** 0.5 + (z * z - 1) / 6))
    if p < 0.5:
        while k > 0 and poisson_cdf(k, m) > p: k -= 1
        while poisson_cdf(k + 1, m) <= p: k += 1
    else:
        while poisson_cdf(k, m) < p: k += 1
        while k > 0 and poisson_cdf(k - 1, m) >= p: k -= 1
    return k
rows = []
def add(name, args, value, bound): rows.append(row(name, args, value, bound))
P = [1e-300, 1e-100, 1e-30, 1e-10, 1e-3, 0.1, 0.3, 0.5, 0.7, 0.9, 1 - 1e-3, 1 - 1e-8, 1 - 1e-12, 0.999999999999999,
     1 - 2 ** -52, 1 - 2 ** -53]
PX = [1e-300, 1e-20, 1e-5, 0.2, 0.5, 0.8, 1 - 1e-5, 1 - 1e-12, 1 - 2 ** -53]  # where the Dist rows sit
SHAPES = [1e-3, 0.02, 0.3, 1, 1.5, 7.25, 30, 250, 3e3, 4e4, 1e5, 5e5, 1e6, 3e7, 4e8, 5e9, 7.5e9, 1e10]
SCALES = [1, 0.5, 3.7, 1e-3, 2.5e4, 1e-200, 1e200]
DF = [1, 2, 3, 4, 7, 10, 35, 100, 999, 10 ** 4, 123457, 10 ** 6, 10 ** 7, 10 ** 8, 10 ** 9, 2 ** 31 - 1]
MEANS = [1e-3, 0.1, 1, 3.5, 20, 170.5, 1e3, 2.5e4, 3e5, 1e6, 7e6, 1e8, 1e9, 5e9, 1e10]

for i, a in enumerate(SHAPES):
    b = SCALES[i % len(SCALES)]
    xs = {float(gamma_inv(p, a)) for p in PX} - {0.0} | {1e-300, a, 1e300}
    for x in sorted(x for x in xs if 0 < x * b < float('inf')):
        add('ZrGammaDist', (x * b, a, b, 1), gammainc(a, M(x * b) / b), bound_for(a))
        add('ZrGammaDist', (x * b, a, b, 0), gamma_pdf(M(x * b) / b, a) / b, bound_for(a))
    for p in P: add('ZrGammaDistInv', (p, a, b), gamma_inv(p, a) * b, bound_for(a))
add('ZrGammaDist', (1e11, 1e11, 1, 1), gammainc(1e11, 1e11), bound_for(1e11))

for n in DF:
    xs = {float(2 * gamma_inv(p, n / 2)) for p in PX} - {0.0} | {1e-300, n, 1e300}
    for x in sorted(xs):
        add('ZrChiSqDist', (x, n, 1), gammainc(M(n) / 2, M(x) / 2), bound_for(n))
        add('ZrChiSqDist', (x, n, 0), gamma_pdf(M(x) / 2, M(n) / 2) / 2, bound_for(n))
        y = float(mp.sqrt(x))
        add('ZrChiDist', (y, n, 1), gammainc(M(n) / 2, M(y) ** 2 / 2), bound_for(n))
        # The density's Lanczos log-gamma (2e-10) is kept up to 1000 degrees of freedom.
        add('ZrChiDist', (y, n, 0), y * gamma_pdf(M(y) ** 2 / 2, M(n) / 2), 1e-9 if n <= 1000 else bound_for(n))
    for p in P:
        x = 2 * gamma_inv(p, M(n) / 2)
        add('ZrChiSqDistInv', (p, n), x, bound_for(n))
        add('ZrChiDistInv', (p, n), mp.sqrt(x), bound_for(n))
for y in (1e-300, 1e-160, 1e160, 1e300):
    add('ZrChiDist', (y, 3, 1), gammainc(1.5, M(y) ** 2 / 2), bound_for(3))
add('ZrChiDist', (0, 1, 0), mp.sqrt(2 / mp.pi), 1e-9)
add('ZrChiSqDist', (1e-300, 1000, 1), gammainc(500, M(1e-300) / 2), bound_for(1000))

for m in MEANS:
    ks = {min(poisson_inv(p, m), 2 ** 31 - 1) for p in PX} | {0, 1, 2 ** 31 - 1}
    for k in sorted(ks):
        add('ZrPoissonDist', (k, m, 1), poisson_cdf(k, m), bound_for(m))
        add('ZrPoissonDist', (k, m, 0), mp.exp(k * mp.log(m) - m - mp.loggamma(k + 1)), bound_for(m))
    for p in P: add('ZrPoissonDistInv', (p, m), poisson_inv(p, m), EXACT)
add('ZrPoissonDistInv', (0.3, 1e11), poisson_inv(0.3, 1e11), EXACT)
write('accuracy_incomplete_gamma.inc', 'make_accuracy_incomplete_gamma.py', rows)
