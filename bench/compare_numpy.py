#!/usr/bin/python3
"""Every random-number function beside numpy in one run, in ns per variate.

The add-in's figures come from zr_bench (Column/<function>: the _12 entry
called through the host for a million rows, the result freed with
xlAutoFree12); numpy's from its legacy RandomState filling an array of the
same size, each function's nearest equivalent with the same parameters.
The second table sets each sampler built on the normal quantile beside the
cost of its uniforms and quantile evaluations alone (QuantileBound/...).

Usage: bench/compare_numpy.py [path/to/zr_bench] [--before path/to/older/zr_bench]
(default build/native/bin/zr_bench; --before adds an older build's columns,
measured in the same run)
"""
import json
import os
import subprocess
import sys
import time

import numpy as np
from scipy.special import ndtr, ndtri

ROWS = 1_000_000
REPEATS = 7


def truncated_normal(rs, lo, hi, mu, sigma):
    a, b = ndtr((lo - mu) / sigma), ndtr((hi - mu) / sigma)
    return mu + sigma * ndtri(a + (b - a) * rs.random_sample(ROWS))


# Column name in zr_bench, the parameters it passes, numpy's equivalent.
FUNCTIONS = [
    ("Rand", "", lambda rs: rs.random_sample(ROWS)),
    ("NormBoxMuller", "", lambda rs: rs.standard_normal(ROWS)),
    ("NormInversion", "", lambda rs: ndtri(rs.random_sample(ROWS))),
    ("LogNorm", "0, 1", lambda rs: rs.lognormal(0.0, 1.0, ROWS)),
    ("JohnsonSU", "0.5, 2, 1, 0 inv.",
     lambda rs: np.sinh((ndtri(rs.random_sample(ROWS)) - 0.5) / 2.0) * 1.0 + 0.0),
    ("TruncNorm", "-1, 2, 0, 1", lambda rs: truncated_normal(rs, -1.0, 2.0, 0.0, 1.0)),
    ("Gamma", "2.5, 1", lambda rs: rs.gamma(2.5, 1.0, ROWS)),
    ("ChiSq", "4", lambda rs: rs.chisquare(4, ROWS)),
    ("Chi", "4", lambda rs: np.sqrt(rs.chisquare(4, ROWS))),
    ("F", "5, 7", lambda rs: rs.f(5, 7, ROWS)),
    ("Beta", "2, 3", lambda rs: rs.beta(2.0, 3.0, ROWS)),
    ("T", "5", lambda rs: rs.standard_t(5, ROWS)),
    ("Poisson", "3", lambda rs: rs.poisson(3.0, ROWS)),
    ("Weibull", "2, 1", lambda rs: rs.weibull(2.0, ROWS) * 1.0),
    ("Logistic", "0, 1", lambda rs: rs.logistic(0.0, 1.0, ROWS)),
    ("Gumbel", "0, 1", lambda rs: rs.gumbel(0.0, 1.0, ROWS)),
    ("Triangular", "0, 1, 0.3", lambda rs: rs.triangular(0.0, 0.3, 1.0, ROWS)),
]


# The least rate each function should reach, and the most a quantile-bound
# sampler may cost over its bound.
RATE_TARGETS = {"Rand": 1.2, **dict.fromkeys(
    ["NormBoxMuller", "Beta", "Poisson", "T", "Logistic", "Gumbel", "Triangular", "Weibull"], 1.0)}
BOUND_TARGET = 1.15


def mark(met):
    return "" if met is None else ("  met" if met else "  short")


def numpy_ns(draw):
    """The fastest of REPEATS fills, in ns per variate."""
    rs = np.random.RandomState(12345)
    draw(rs)
    best = float("inf")
    for _ in range(REPEATS):
        start = time.perf_counter()
        draw(rs)
        best = min(best, time.perf_counter() - start)
    return best * 1e9 / ROWS


def addin_ns(zr_bench):
    """zr_bench's Column/ and QuantileBound/ figures, the fastest of REPEATS
    repetitions (as numpy's: on a shared machine the least disturbed), in ns
    per variate."""
    out = subprocess.run([zr_bench, "--benchmark_filter=^(Column|QuantileBound)/",
                          "--benchmark_format=json", f"--benchmark_repetitions={REPEATS}"],
                         check=True, capture_output=True, text=True).stdout
    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}
    figures = {}
    for b in json.loads(out)["benchmarks"]:
        if b["run_type"] != "iteration":
            continue
        name = b["run_name"].removesuffix("/real_time")
        ns = b["real_time"] * scale[b["time_unit"]] / ROWS
        figures[name] = min(ns, figures.get(name, ns))
    return figures


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    args = sys.argv[1:]
    before_bench = None
    if "--before" in args:
        i = args.index("--before")
        before_bench = args[i + 1]
        del args[i:i + 2]
    zr_bench = args[0] if args else os.path.join(root, "build/native/bin/zr_bench")
    before = addin_ns(before_bench) if before_bench else {}
    addin = addin_ns(zr_bench)
    print(f"{ROWS} variates, ns per variate; rate = numpy / add-in (above 1: the add-in is faster)")
    head = f"{'before':>9}{'rate':>7}" if before else ""
    print(f"{'function':<16}{'parameters':<20}{'numpy':>9}{head}{'add-in':>9}{'rate':>8}{'target':>8}")
    for name, parameters, draw in FUNCTIONS:
        ours = addin[f"Column/{name}"]
        theirs = numpy_ns(draw)
        target = RATE_TARGETS.get(name)
        met = None if target is None else theirs / ours >= target
        old = before.get(f"Column/{name}")
        was = f"{old:9.1f}{theirs / old:7.3f}" if old else ""
        print(f"{name:<16}{parameters:<20}{theirs:9.1f}{was}{ours:9.1f}{theirs / ours:8.3f}"
              f"{target or '':>8}{mark(met)}")
    print()
    print("Quantile-bound samplers: the add-in against its uniforms plus quantile evaluations alone")
    head = f"{'before':>9}{'/ bound':>9}" if before else ""
    print(f"{'function':<16}{'bound':>9}{head}{'add-in':>9}{'/ bound':>9}  (target {BOUND_TARGET})")
    for name, _, _ in FUNCTIONS:
        bound = addin.get(f"QuantileBound/{name}")
        if bound is not None:
            ours = addin[f"Column/{name}"]
            old = before.get(f"Column/{name}")
            was = f"{old:9.1f}{old / bound:9.3f}" if old else ""
            print(f"{name:<16}{bound:9.1f}{was}{ours:9.1f}{ours / bound:9.3f}{mark(ours / bound <= BOUND_TARGET)}")


if __name__ == "__main__":
    main()
