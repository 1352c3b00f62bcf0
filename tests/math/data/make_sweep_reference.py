#!/usr/bin/python3
"""Writes sweep_reference.inc: the exact double results (bit for bit) of the
SVD and of the symmetric eigen decomposition for a few small matrices, from a
plain Python replay of the textbook routines (svdcmp with m = n; tred2 with
the accumulation; tqli), 0-based, with this library's choices: iteration
limits 30, NaN norm for non-finite input, no sorting, the 1x1 sign flip.
Python floats are IEEE doubles with correctly rounded sqrt, so the replay
gives the bits the C++ routines must give. Run with /usr/bin/python3.
"""
import math
import os

import numpy as np


def sign(a, b):
    return abs(a) if b >= 0.0 else -abs(a)


def pythag(a, b):
    absa, absb = abs(a), abs(b)
    if absa > absb:
        return absa * math.sqrt(1.0 + (absb / absa) * (absb / absa))
    return 0.0 if absb == 0.0 else absb * math.sqrt(1.0 + (absa / absb) * (absa / absb))


def norm_update(anorm, x):
    if not (math.isfinite(anorm) and math.isfinite(x)):
        return math.nan
    return anorm if anorm >= x else x


def svdcmp(a):
    n = len(a)
    w = [0.0] * n
    v = [[0.0] * n for _ in range(n)]
    rv1 = [0.0] * n
    g = scale = anorm = 0.0
    l = 0
    for i in range(n):
        l = i + 1
        rv1[i] = scale * g
        g = s = scale = 0.0
        for k in range(i, n):
            scale += abs(a[k][i])
        if scale != 0.0:
            for k in range(i, n):
                a[k][i] /= scale
                s += a[k][i] * a[k][i]
            f = a[i][i]
            g = -sign(math.sqrt(s), f)
            h = f * g - s
            a[i][i] = f - g
            for j in range(l, n):
                s = 0.0
                for k in range(i, n):
                    s += a[k][i] * a[k][j]
                f = s / h
                for k in range(i, n):
                    a[k][j] += f * a[k][i]
            for k in range(i, n):
                a[k][i] *= scale
        w[i] = scale * g
        g = s = scale = 0.0
        if i != n - 1:
            for k in range(l, n):
                scale += abs(a[i][k])
            if scale != 0.0:
                for k in range(l, n):
                    a[i][k] /= scale
                    s += a[i][k] * a[i][k]
                f = a[i][l]
                g = -sign(math.sqrt(s), f)
                h = f * g - s
                a[i][l] = f - g
                for k in range(l, n):
                    rv1[k] = a[i][k] / h
                for j in range(l, n):
                    s = 0.0
                    for k in range(l, n):
                        s += a[j][k] * a[i][k]
                    for k in range(l, n):
                        a[j][k] += s * rv1[k]
                for k in range(l, n):
                    a[i][k] *= scale
        anorm = norm_update(anorm, abs(w[i]) + abs(rv1[i]))
    for i in range(n - 1, -1, -1):
        if i < n - 1:
            if g != 0.0:
                for j in range(l, n):
                    v[j][i] = (a[i][j] / a[i][l]) / g
                for j in range(l, n):
                    s = 0.0
                    for k in range(l, n):
                        s += a[i][k] * v[k][j]
                    for k in range(l, n):
                        v[k][j] += s * v[k][i]
            for j in range(l, n):
                v[i][j] = v[j][i] = 0.0
        v[i][i] = 1.0
        g = rv1[i]
        l = i
    for i in range(n - 1, -1, -1):
        l = i + 1
        g = w[i]
        for j in range(l, n):
            a[i][j] = 0.0
        if g != 0.0:
            g = 1.0 / g
            for j in range(l, n):
                s = 0.0
                for k in range(l, n):
                    s += a[k][i] * a[k][j]
                f = (s / a[i][i]) * g
                for k in range(i, n):
                    a[k][j] += f * a[k][i]
            for j in range(i, n):
                a[j][i] *= g
        else:
            for j in range(i, n):
                a[j][i] = 0.0
        a[i][i] += 1.0

    def rotate(m, p, q, c, s):
        for r in range(n):
            t1, t2 = m[r][p], m[r][q]
            m[r][p] = t1 * c + t2 * s
            m[r][q] = t2 * c - t1 * s

    for k in range(n - 1, -1, -1):
        for its in range(1, 31):
            flag = True
            l = k
            nm = 0
            while l >= 1:
                nm = l - 1
                if abs(rv1[l]) + anorm == anorm:
                    flag = False
                    break
                if abs(w[nm]) + anorm == anorm:
                    break
                l -= 1
            if flag:
                c, s = 0.0, 1.0
                for i in range(l, k + 1):
                    f = s * rv1[i]
                    rv1[i] = c * rv1[i]
                    if abs(f) + anorm == anorm:
                        break
                    g = w[i]
                    h = pythag(f, g)
                    w[i] = h
                    h = 1.0 / h
                    c = g * h
                    s = -f * h
                    rotate(a, nm, i, c, s)
            z = w[k]
            if l == k:
                if z < 0.0:
                    w[k] = -z
                    for j in range(n):
                        v[j][k] = -v[j][k]
                break
            if its == 30:
                return None
            x = w[l]
            nm = k - 1
            y = w[nm]
            g = rv1[nm]
            h = rv1[k]
            f = ((y - z) * (y + z) + (g - h) * (g + h)) / (2.0 * h * y)
            g = pythag(f, 1.0)
            f = ((x - z) * (x + z) + h * ((y / (f + sign(g, f))) - h)) / x
            c = s = 1.0
            for j in range(l, nm + 1):
                i = j + 1
                g = rv1[i]
                y = w[i]
                h = s * g
                g = c * g
                z = pythag(f, h)
                rv1[j] = z
                c = f / z
                s = h / z
                f = x * c + g * s
                g = g * c - x * s
                h = y * s
                y *= c
                rotate(v, j, i, c, s)
                z = pythag(f, h)
                w[j] = z
                if z != 0.0:
                    z = 1.0 / z
                    c = f * z
                    s = h * z
                f = c * g + s * y
                x = c * y - s * g
                rotate(a, j, i, c, s)
            rv1[l] = 0.0
            rv1[k] = f
            w[k] = x
    return a, w, v


def tred2(a):
    n = len(a)
    d = [0.0] * n
    e = [0.0] * n
    for i in range(n - 1, 0, -1):
        l = i - 1
        h = scale = 0.0
        if l > 0:
            for k in range(l + 1):
                scale += abs(a[i][k])
            if scale == 0.0:
                e[i] = a[i][l]
            else:
                for k in range(l + 1):
                    a[i][k] /= scale
                    h += a[i][k] * a[i][k]
                f = a[i][l]
                g = -math.sqrt(h) if f >= 0.0 else math.sqrt(h)
                e[i] = scale * g
                h -= f * g
                a[i][l] = f - g
                f = 0.0
                for j in range(l + 1):
                    a[j][i] = a[i][j] / h
                    g = 0.0
                    for k in range(j + 1):
                        g += a[j][k] * a[i][k]
                    for k in range(j + 1, l + 1):
                        g += a[k][j] * a[i][k]
                    e[j] = g / h
                    f += e[j] * a[i][j]
                hh = f / (h + h)
                for j in range(l + 1):
                    f = a[i][j]
                    e[j] = g = e[j] - hh * f
                    for k in range(j + 1):
                        a[j][k] -= (f * e[k] + g * a[i][k])
        else:
            e[i] = a[i][l]
        d[i] = h
    d[0] = 0.0
    e[0] = 0.0
    for i in range(n):
        if d[i] != 0.0:
            for j in range(i):
                g = 0.0
                for k in range(i):
                    g += a[i][k] * a[k][j]
                for k in range(i):
                    a[k][j] -= g * a[k][i]
        d[i] = a[i][i]
        a[i][i] = 1.0
        for j in range(i):
            a[j][i] = a[i][j] = 0.0
    return d, e


def tqli(d, e, z):
    n = len(d)
    for i in range(1, n):
        e[i - 1] = e[i]
    e[n - 1] = 0.0
    for l in range(n):
        it = 0
        while True:
            m = l
            while m < n - 1:
                dd = abs(d[m]) + abs(d[m + 1])
                if abs(e[m]) + dd == dd:
                    break
                m += 1
            if m == l:
                break
            if it == 30:
                return False
            it += 1
            g = (d[l + 1] - d[l]) / (2.0 * e[l])
            r = pythag(g, 1.0)
            g = d[m] - d[l] + e[l] / (g + sign(r, g))
            s = c = 1.0
            p = 0.0
            early = False
            for i in range(m - 1, l - 1, -1):
                f = s * e[i]
                b = c * e[i]
                r = pythag(f, g)
                e[i + 1] = r
                if r == 0.0:
                    d[i + 1] -= p
                    e[m] = 0.0
                    early = True
                    break
                s = f / r
                c = g / r
                g = d[i + 1] - p
                r = (d[i] - g) * s + 2.0 * c * b
                p = s * r
                d[i + 1] = g + p
                g = c * r - b
                for k in range(n):
                    f = z[k][i + 1]
                    z[k][i + 1] = s * z[k][i] + c * f
                    z[k][i] = c * z[k][i] - s * f
            if early:
                continue
            d[l] -= p
            e[l] = g
            e[m] = 0.0
    return True


def doubles(values):
    return "{" + ", ".join(repr(float(x)) for x in values) + "}"


def flat(m):
    return [x for row in m for x in row]


rng = np.random.default_rng(77)


def symmetric(n):
    m = rng.uniform(-1, 1, (n, n))
    return ((m + m.T) / 2.0).tolist()


def general(n):
    return rng.uniform(-1, 1, (n, n)).tolist()


def with_zero_column(n):
    m = general(n)
    for row in m:
        row[1] = 0.0
    return m


CASES = [
    ("general4", general(4)),
    ("general6", general(6)),
    ("zeroColumn5", with_zero_column(5)),
    ("symmetric5", symmetric(5)),
    ("symmetric8", symmetric(8)),
    ("diagonalBlock4", [[3.0, 1.0, 0.0, 0.0], [1.0, 3.0, 0.0, 0.0], [0.0, 0.0, -2.0, 0.5], [0.0, 0.0, 0.5, 1.0]]),
    ("ones3", [[1.0] * 3 for _ in range(3)]),
]


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sweep_reference.inc")
    with open(out, "w") as f:
        f.write("// Generated by make_sweep_reference.py; do not edit.\n")
        f.write("// name, n, matrix, SVD: U, w, V; symmetric only: eigenvalues d, vectors z\n")
        f.write("// (all row-major, exact doubles in the order the sweeps leave them).\n")
        f.write("const SweepReference kSweepReferences[] = {\n")
        for name, a in CASES:
            n = len(a)
            u, w, v = svdcmp([row[:] for row in a])
            sym = all(a[i][j] == a[j][i] for i in range(n) for j in range(n))
            d, z = [], []
            if sym:
                zz = [row[:] for row in a]
                d, e = tred2(zz)
                assert tqli(d, e, zz)
                z = flat(zz)
            f.write(f'    {{"{name}", {n},\n     {doubles(flat(a))},\n     {doubles(flat(u))},\n'
                    f"     {doubles(w)},\n     {doubles(flat(v))},\n     {doubles(d)},\n     {doubles(z)}}},\n")
        f.write("};\n")


if __name__ == "__main__":
    main()
