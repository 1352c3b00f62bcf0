#!/usr/bin/python3
"""Writes sweep_reference.inc: the exact doubles of the SVD and of the symmetric
eigen decomposition of a few small matrices, replaying the textbook svdcmp,
tred2 and tqli (0-based) as this library runs them. numpy rounds element-wise
steps as the C++ loops do; sums run in index order (total). /usr/bin/python3."""
import functools
import math
import os
import numpy as np

def total(terms): return functools.reduce(lambda s, t: s + t, terms, 0.0)
def sign(a, b): return abs(a) if b >= 0.0 else -abs(a)
def pythag(a, b):
    a, b = abs(a), abs(b)
    if a > b: return a * math.sqrt(1.0 + (b / a) * (b / a))
    return 0.0 if b == 0.0 else b * math.sqrt(1.0 + (a / b) * (a / b))
def rotate(m, p, q, c, s):  # columns p and q
    t1, t2 = m[:, p].copy(), m[:, q].copy()
    m[:, p], m[:, q] = t1 * c + t2 * s, t2 * c - t1 * s

def svdcmp(a):
    n = len(a)
    w, rv1, v = np.zeros(n), np.zeros(n), np.zeros((n, n))
    g = scale = anorm = 0.0
    for i in range(n):  # Householder bidiagonalisation
        l, rv1[i], g = i + 1, scale * g, 0.0
        scale = total(abs(a[i:, i]))
        if scale != 0.0:
            a[i:, i] /= scale
            s, f = total(a[i:, i] * a[i:, i]), a[i, i]
            g = -sign(math.sqrt(s), f)
            h, a[i, i] = f * g - s, f - g
            for j in range(l, n): a[i:, j] += total(a[i:, i] * a[i:, j]) / h * a[i:, i]
            a[i:, i] *= scale
        w[i], g, scale = scale * g, 0.0, 0.0
        if i != n - 1 and (scale := total(abs(a[i, l:]))) != 0.0:
            a[i, l:] /= scale
            s, f = total(a[i, l:] * a[i, l:]), a[i, l]
            g = -sign(math.sqrt(s), f)
            h, a[i, l] = f * g - s, f - g
            rv1[l:] = a[i, l:] / h
            for j in range(l, n): a[j, l:] += total(a[j, l:] * a[i, l:]) * rv1[l:]
            a[i, l:] *= scale
        x = abs(w[i]) + abs(rv1[i])
        anorm = math.nan if not (math.isfinite(anorm) and math.isfinite(x)) else anorm if anorm >= x else x
    for i in range(n - 1, -1, -1):  # right-hand transformations
        if i < n - 1:
            if g != 0.0:
                v[l:, i] = (a[i, l:] / a[i, l]) / g
                for j in range(l, n): v[l:, j] += total(a[i, l:] * v[l:, j]) * v[l:, i]
            v[i, l:] = v[l:, i] = 0.0
        v[i, i], g, l = 1.0, rv1[i], i
    for i in range(n - 1, -1, -1):  # left-hand transformations
        l, g = i + 1, w[i]
        a[i, l:] = 0.0
        if g != 0.0:
            g = 1.0 / g
            for j in range(l, n): a[i:, j] += (total(a[l:, i] * a[l:, j]) / a[i, i]) * g * a[i:, i]
            a[i:, i] *= g
        else:
            a[i:, i] = 0.0
        a[i, i] += 1.0
    for k in range(n - 1, -1, -1):  # diagonalisation
        for its in range(1, 31):
            l = k  # down to a negligible rv1[l] or, to be cancelled first, a negligible w[l - 1]
            while l >= 1 and abs(rv1[l]) + anorm != anorm and abs(w[l - 1]) + anorm != anorm: l -= 1
            nm = max(l - 1, 0)
            if l == 0 or abs(rv1[l]) + anorm != anorm:
                c, s = 0.0, 1.0
                for i in range(l, k + 1):
                    f, rv1[i] = s * rv1[i], c * rv1[i]
                    if abs(f) + anorm == anorm: break
                    g, w[i] = w[i], pythag(f, w[i])
                    c, s = g * (1.0 / w[i]), -f * (1.0 / w[i])
                    rotate(a, nm, i, c, s)
            z = w[k]
            if l == k:  # converged: a negative value flips with its vector
                if z < 0.0: w[k], v[:, k] = -z, -v[:, k]
                break
            if its == 30: return None
            x, y, g, h, nm = w[l], w[k - 1], rv1[k - 1], rv1[k], k - 1
            f = ((y - z) * (y + z) + (g - h) * (g + h)) / (2.0 * h * y)
            g = pythag(f, 1.0)
            f = ((x - z) * (x + z) + h * ((y / (f + sign(g, f))) - h)) / x
            c = s = 1.0
            for j in range(l, nm + 1):
                i = j + 1
                y, h, g = w[i], s * rv1[i], c * rv1[i]
                z = rv1[j] = pythag(f, h)
                c, s = f / z, h / z
                f, g = x * c + g * s, g * c - x * s
                h, y = y * s, y * c
                rotate(v, j, i, c, s)
                z = w[j] = pythag(f, h)
                if z != 0.0: c, s = f * (1.0 / z), h * (1.0 / z)
                f, x = c * g + s * y, c * y - s * g
                rotate(a, j, i, c, s)
            rv1[l], rv1[k], w[k] = 0.0, f, x
    return a, w, v

def tred2(a):
    n = len(a)
    d, e = np.zeros(n), np.zeros(n)
    for i in range(n - 1, 0, -1):
        l, h = i - 1, 0.0
        scale = total(abs(a[i, :l + 1])) if l > 0 else 0.0
        if scale == 0.0:
            e[i] = a[i, l]
        else:
            a[i, :l + 1] /= scale
            h, f = total(a[i, :l + 1] * a[i, :l + 1]), a[i, l]
            g = -math.sqrt(h) if f >= 0.0 else math.sqrt(h)
            e[i], h, a[i, l], f = scale * g, h - f * g, f - g, 0.0
            for j in range(l + 1):
                a[j, i] = a[i, j] / h
                e[j] = total(list(a[j, :j + 1] * a[i, :j + 1]) + list(a[j + 1:l + 1, j] * a[i, j + 1:l + 1])) / h
                f += e[j] * a[i, j]
            hh = f / (h + h)
            for j in range(l + 1):
                f = a[i, j]
                e[j] = g = e[j] - hh * f
                a[j, :j + 1] -= f * e[:j + 1] + g * a[i, :j + 1]
        d[i] = h
    d[0] = e[0] = 0.0
    for i in range(n):  # the accumulated transformations
        if d[i] != 0.0:
            for j in range(i): a[:i, j] -= total(a[i, :i] * a[:i, j]) * a[:i, i]
        d[i], a[i, i] = a[i, i], 1.0
        a[:i, i] = a[i, :i] = 0.0
    return d, e

def tqli(d, e, z):
    n = len(d)
    e[:] = list(e[1:]) + [0.0]
    for l in range(n):
        it = 0
        while True:
            m = l
            while m < n - 1 and abs(e[m]) + (dd := abs(d[m]) + abs(d[m + 1])) != dd: m += 1
            if m == l: break
            if it == 30: return False
            it += 1
            g = (d[l + 1] - d[l]) / (2.0 * e[l])
            r = pythag(g, 1.0)
            g = d[m] - d[l] + e[l] / (g + sign(r, g))
            s, c, p = 1.0, 1.0, 0.0
            for i in range(m - 1, l - 1, -1):
                f, b = s * e[i], c * e[i]
                r = e[i + 1] = pythag(f, g)
                if r == 0.0:
                    d[i + 1], e[m] = d[i + 1] - p, 0.0
                    break
                s, c = f / r, g / r
                g = d[i + 1] - p
                r = (d[i] - g) * s + 2.0 * c * b
                p = s * r
                d[i + 1], g = g + p, c * r - b
                t = z[:, i + 1].copy()
                z[:, i + 1], z[:, i] = s * z[:, i] + c * t, c * z[:, i] - s * t
            else:
                d[l], e[l], e[m] = d[l] - p, g, 0.0
    return True
def eigen(z): d, e = tred2(z); assert tqli(d, e, z); return d
def doubles(values): return "{" + ", ".join(repr(float(x)) for x in np.ravel(values)) + "}"

rng = np.random.default_rng(77)
uniform = lambda n: rng.uniform(-1, 1, (n, n))
symmetric = lambda m: (m + m.T) / 2.0
zero_column = lambda m: np.where(np.arange(len(m)) == 1, 0.0, m)  # column 1
CASES = [("general4", uniform(4)), ("general6", uniform(6)), ("zeroColumn5", zero_column(uniform(5))),
         ("symmetric5", symmetric(uniform(5))), ("symmetric8", symmetric(uniform(8))),
         ("diagonalBlock4", np.array([[3.0, 1, 0, 0], [1, 3, 0, 0], [0, 0, -2, 0.5], [0, 0, 0.5, 1]])),
         ("ones3", np.ones((3, 3)))]
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "sweep_reference.inc"), "w") as out:
    out.write("// Generated by make_sweep_reference.py; do not edit.\n"
              "// name, n, matrix, SVD: U, w, V; symmetric only: eigenvalues d, vectors z\n"
              "// (all row-major, exact doubles in the order the sweeps leave them).\n"
              "const SweepReference kSweepReferences[] = {\n")
    for name, a in CASES:
        u, w, v = svdcmp(a.copy())
        z = a.copy() if np.array_equal(a, a.T) else np.zeros(0)
        d = eigen(z) if len(z) else []
        out.write(f'    {{"{name}", {len(a)},\n     {doubles(a)},\n     {doubles(u)},\n'
                  f"     {doubles(w)},\n     {doubles(v)},\n     {doubles(d)},\n     {doubles(z)}}},\n")
    out.write("};\n")
