#!/usr/bin/env python3
"""Prints, exactly from the Bernoulli numbers, the coefficients of the chi
moments' asymptotic series that math/chi.cpp uses from 16 degrees of freedom
on (x = n/2, u = 1/n; L = ln(Gamma(x + 1/2) / Gamma(x)) - ln(x)/2, e = 1/2 -
variance = 1/2 + n expm1(2L) = sum a_k u^(k+1); the fourth central moment less
3 v^2 is 2n(2v - 1) + 4v - 6v^2 = -4 sum a_k u^k + 2e - 6e^2). Run with python3."""
from fractions import Fraction as F

TERMS = 24
b = []  # B_0 .. B_26 by the Akiyama-Tanigawa algorithm (B_1 = +1/2)
for m in range(2 * (TERMS // 2 + 1) + 1):
    a = [F(1, j + 1) for j in range(m + 1)]
    for j in range(m, 0, -1):
        for i in range(j):
            a[i] = (i + 1) * (a[i] - a[i + 1])
    b.append(a[0])
c = [-(2 - F(2) ** (1 - 2 * k)) * b[2 * k] / ((2 * k - 1) * 2 * k) for k in range(1, TERMS // 2 + 2)]
s = [F(0)] * (TERMS + 3)  # 2L in u: the coefficient of u^(2k-1) is 2 c_k 2^(2k-1)
for k, ck in enumerate(c, start=1):
    s[2 * k - 1] = 2 * ck * F(2) ** (2 * k - 1)
e = [F(1)] + [F(0)] * (len(s) - 1)  # exp(2L), by e' = (2L)' e
for n in range(1, len(s)):
    e[n] = sum(j * s[j] * e[n - j] for j in range(1, n + 1)) / n
a = e[2:]  # n e = u^-1/2 + u^-2 expm1(2L)
fourth = [F(0)] + [-4 * a[k] + 2 * a[k - 1] for k in range(1, len(a))]
for i in range(len(a)):
    for j in range(len(a) - i - 2):
        fourth[i + j + 2] -= 6 * a[i] * a[j]
print('kLogRatio', [float(x) for x in c[:12]])
print('kHalfLessVariance', [float(x) for x in a[:22]])
print('kExcessFourth', [float(x) for x in fourth[2:22]])
