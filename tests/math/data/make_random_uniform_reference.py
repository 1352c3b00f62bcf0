#!/usr/bin/env python3
"""Writes random_uniform_reference.inc: checkpoint values and raw words of the
uniform generators for a few seed pairs, from a plain Python model of the
engines. Run from any directory: python3 make_random_uniform_reference.py

The MT2002 model is also checked against CPython's own random module, whose
seed(int) keys the same 2002 initialisation by the integer's 32-bit words and
whose random() builds the same 53-bit number.
"""
import os
import random

MASK = 0xFFFFFFFF
N, M = 624, 397
LOWEST, HIGHEST = 1e-12, 0.999999999999


def seed_step(s):
    return (1664525 * s + 1013904223) & MASK


def initial_seed_word(seed1, seed2):
    return seed_step((seed1 * 65536 + seed2) & MASK)


def temper(y):
    y ^= y >> 11
    y ^= (y << 7) & 0x9D2C5680
    y ^= (y << 15) & 0xEFC60000
    y ^= y >> 18
    return y & MASK


def regenerate(mt):
    for i in range(N):
        y = (mt[i] & 0x80000000) | (mt[(i + 1) % N] & 0x7FFFFFFF)
        mt[i] = mt[(i + M) % N] ^ (y >> 1) ^ (0x9908B0DF if y & 1 else 0)


def clamp(u):
    return min(max(u, LOWEST), HIGHEST)


class Mt1998:
    def __init__(self, seed1, seed2):
        self.mt = [initial_seed_word(seed1, seed2) | 1]
        for _ in range(1, N):
            self.mt.append((69069 * self.mt[-1]) & MASK)
        self.pos = N

    def word(self):
        if self.pos >= N:
            regenerate(self.mt)
            self.pos = 0
        y = self.mt[self.pos]
        self.pos += 1
        return temper(y)

    def next(self):
        return clamp(self.word() * 2.3283064370807974e-10)


def key_array_state(key):
    mt = [19650218]
    for i in range(1, N):
        mt.append((1812433253 * (mt[-1] ^ (mt[-1] >> 30)) + i) & MASK)
    i, j = 1, 0
    for _ in range(max(N, len(key))):
        mt[i] = ((mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1664525)) + key[j] + j) & MASK
        i += 1
        j += 1
        if i >= N:
            mt[0] = mt[N - 1]
            i = 1
        if j >= len(key):
            j = 0
    for _ in range(N - 1):
        mt[i] = ((mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1566083941)) - i) & MASK
        i += 1
        if i >= N:
            mt[0] = mt[N - 1]
            i = 1
    mt[0] = 0x80000000
    return mt


class Mt2002:
    def __init__(self, key):
        self.mt = key_array_state(key)
        self.left = 1
        self.nxt = 0

    def word(self):
        self.left -= 1
        if self.left == 0:
            regenerate(self.mt)
            self.left = N
            self.nxt = 0
        y = self.mt[self.nxt]
        self.nxt += 1
        return temper(y)

    def next(self):
        a = self.word() >> 5
        b = self.word() >> 6
        return clamp((a * 67108864 + b) * 2.0**-53)


IM1, IA1, IQ1, IR1 = 2147483563, 40014, 53668, 12211
IM2, IA2, IQ2, IR2 = 2147483399, 40692, 52774, 3791
NDIV = 1 + (IM1 - 1) // 32


def schrage(x, a, q, r, m):
    k = x // q  # x > 0 here, so floor and truncation agree
    x = a * (x - k * q) - k * r
    return x + m if x < 0 else x


class Ran2:
    def __init__(self, seed1, seed2):
        v = initial_seed_word(seed1, seed2) | 1
        if v >= 2**31:
            v -= 2**32
        if v > 0:
            v = -v
        self.fill(v)

    def fill(self, v):
        self.s1 = self.s2 = max(1, -v)
        self.table = [0] * 32
        for j in range(39, -1, -1):
            self.s1 = schrage(self.s1, IA1, IQ1, IR1, IM1)
            if j < 32:
                self.table[j] = self.s1
        self.out = self.table[0]

    def word(self):
        if self.s1 <= 0:
            self.fill(self.s1)
        self.s1 = schrage(self.s1, IA1, IQ1, IR1, IM1)
        self.s2 = schrage(self.s2, IA2, IQ2, IR2, IM2)
        j = self.out // NDIV
        self.out = self.table[j] - self.s2
        self.table[j] = self.s1
        if self.out < 1:
            self.out += IM1 - 1
        return self.out

    def next(self):
        return clamp(self.word() * (1.0 / IM1))


def make(kind, seed1, seed2):
    if kind == 1:
        return Mt1998(seed1, seed2)
    if kind == 2:
        return Mt2002([seed1, seed2])
    if kind == 3:
        return Mt2002([seed1, seed2, seed_step(seed1), seed_step(seed2)])
    return Ran2(seed1, seed2)


def self_check():
    g = Mt2002([0, 0])
    assert [g.next() for _ in range(3)] == [0.1507172537105722, 0.19554272386502092,
                                            0.16532538485071524]
    g = Mt1998(0, 0)
    assert [g.word() for _ in range(3)] == [0xB2FC4DBF, 0x594549E9, 0xA1EA970F]
    g = Mt1998(0, 0)
    assert [g.next() for _ in range(3)] == [0.6991623490348371, 0.34871351191511224,
                                            0.6324858105817078]
    g = Ran2(0, 0)
    assert [g.word() for _ in range(3)] == [0x482263F2, 0x48566A95, 0x53B28BB5]
    g = Ran2(0, 0)
    assert [g.next() for _ in range(3)] == [0.5635495343719192, 0.5651372396557897,
                                            0.6538863091638015]
    assert Mt1998(1, 2).mt[:4] == [0xA2AEBF79, 0xE52178E5, 0xA7D67061, 0xBACDEAAD]
    g = Mt2002([0x123, 0x234, 0x345, 0x456])
    assert [g.word() for _ in range(5)] == [1067595299, 955945823, 477289528, 4107218783,
                                            4228976476]
    assert initial_seed_word(0, 0) == 1013904223
    # CPython keys its twister by the seed's 32-bit words, low word first.
    for key in ([1, 2], [123456789, 987654321], [5, 6, 7, 8]):
        r = random.Random(sum(w << (32 * i) for i, w in enumerate(key)))
        g = Mt2002(key)
        for _ in range(2000):
            assert clamp(r.random()) == g.next()


SEEDS = [(0, 0), (1, 2), (2178, 2179), (4294967295, 0), (123456789, 987654321),
         (2147483648, 2147483647), (4294967295, 4294967295)]
# 1-based draw numbers; 312/313 and 624/625 straddle twister regenerations.
CHECKPOINTS = [1, 2, 3, 311, 312, 313, 624, 625, 1000, 5000]
WORDS = 6
KINDS = [(0, "RAN2"), (1, "MT1998"), (2, "MT2002"), (3, "MT2002_128BIT")]


def main():
    self_check()
    lines = ["// Generated by make_random_uniform_reference.py from a Python model of the",
             "// generators; do not edit.", "",
             "// {type, seed1, seed2, draw number (1-based), value of that Next}",
             "constexpr ReferenceValue kReferenceValues[] = {"]
    for kind, name in KINDS:
        for s1, s2 in SEEDS:
            g = make(kind, s1, s2)
            for n in range(1, max(CHECKPOINTS) + 1):
                u = g.next()
                if n in CHECKPOINTS:
                    lines.append(f"    {{{name}, {s1}u, {s2}u, {n}, {u!r}}},")
    lines += ["};", "",
              f"// {{type, seed1, seed2, first {WORDS} raw words (NextWord)}}",
              "constexpr ReferenceWords kReferenceWords[] = {"]
    for kind, name in KINDS:
        for s1, s2 in SEEDS:
            g = make(kind, s1, s2)
            words = ", ".join(f"0x{g.word():08X}u" for _ in range(WORDS))
            lines.append(f"    {{{name}, {s1}u, {s2}u, {{{words}}}}},")
    lines += ["};", ""]
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "random_uniform_reference.inc")
    with open(out, "w") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()
