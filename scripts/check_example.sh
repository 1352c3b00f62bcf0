#!/usr/bin/env bash
# The worked example (docs/worked-example.md and its block in the README):
# runs the host on the example's formulas, renders the text from what the
# add-in returned and fails when the checked-in text differs. --update writes
# the rendered text instead.
# Usage: scripts/check_example.sh [--update] [BUILD_DIR]   (default build/native)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
update=0
if [ "${1:-}" = --update ]; then update=1; shift; fi
bin=${1:-$root/build/native}/bin
exec /usr/bin/python3 - "$root" "$bin/zrhost" "$bin/ZrRand3.so" "$update" <<'PY'
import difflib, math, re, subprocess, sys

root, host, addin, update = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4] == "1"

# A European call: spot S, strike K, rate r, volatility sigma, maturity T.
S, K, r, sigma, T = 100, 100, 0.05, 0.2, 1
drift, vol, discount = (r - sigma**2 / 2) * T, sigma * math.sqrt(T), math.exp(-r * T)
d1 = (math.log(S / K) + (r + sigma**2 / 2) * T) / vol
d2 = d1 - vol
sizes = [1000, 10000, 100000]
methods = [("plain", "FALSE, FALSE"), ("antithetic", "TRUE, FALSE"), ("antithetic + resampling", "TRUE, TRUE")]
seeds = "1, 2"

closed = [f"ZrNormDist({d1:.2f}, TRUE)", f"ZrNormDist({d2:.2f}, TRUE)"]
draws = [f"ZrRandNorm({n}, 0, {seeds}, FALSE, {switches})" for n in sizes for _, switches in methods]
out = subprocess.run([host, addin, "--file", "-"], input="\n".join(closed + draws) + "\n", text=True,
                     capture_output=True, check=True).stdout.splitlines()

# The host prints each formula and then its value, one row per line.
values, i = {}, 0
for formula in closed + draws:
    assert out[i] == formula, (out[i], formula)
    rows = int(re.match(r"ZrRandNorm\((\d+)", formula).group(1)) if formula in draws else 1
    values[formula] = [float(x) for x in out[i + 1:i + 1 + rows]]
    i += 1 + rows

nd1, nd2 = values[closed[0]][0], values[closed[1]][0]
exact = S * nd1 - K * discount * nd2

def payoff(z):
    return discount * max(S * math.exp(drift + vol * z) - K, 0)

def estimate(zs, antithetic):
    # Antithetic draws come in pairs z, -z: the pair means are the independent samples.
    p = [payoff(z) for z in zs]
    samples = [(a + b) / 2 for a, b in zip(p[::2], p[1::2])] if antithetic else p
    m = sum(samples) / len(samples)
    sd = math.sqrt(sum((x - m) ** 2 for x in samples) / (len(samples) - 1))
    return m, sd / math.sqrt(len(samples))

table = ["| draws | method | price | error | standard error |", "|---:|---|---:|---:|---:|"]
for n in sizes:
    for name, switches in methods:
        price, se = estimate(values[f"ZrRandNorm({n}, 0, {seeds}, FALSE, {switches})"], name != "plain")
        table.append(f"| {n:,} | {name} | {price:.4f} | {price - exact:+.4f} | {se:.4f} |")

block = f"""Pricing a European call (spot {S}, strike {K}, rate {r:.0%}, volatility
{sigma:.0%}, one year) by Monte Carlo with `ZrRandNorm`, against the
Black-Scholes price from `ZrNormDist`:

- Closed form: d1 = (ln(S/K) + (r + sigma^2/2) T) / (sigma sqrt(T)) = {d1:.2f},
  d2 = d1 - sigma sqrt(T) = {d2:.2f}; `{closed[0]}` = {nd1:.10f},
  `{closed[1]}` = {nd2:.10f}; price = S N(d1) - K exp(-rT) N(d2) = **{exact:.4f}**.
- Monte Carlo: `ZrRandNorm(n, 0, {seeds}, FALSE, antithetic, resampling)` draws
  n standard normal z (Mersenne Twister, seeds {seeds}, Box-Muller); each gives
  the discounted payoff exp(-rT) max(S exp((r - sigma^2/2) T + sigma sqrt(T) z) - K, 0),
  and the price is their mean. Antithetic draws come in pairs z, -z, so the
  standard error is taken over the pair means; quadratic resampling also
  scales the draws to mean 0 and standard deviation 1 exactly (the draws are
  then no longer independent and the standard error is indicative).

{chr(10).join(table)}
"""

excel = f"""## In Excel

With the add-in loaded, on an empty sheet (n = 10,000):

1. Select A2:A10001, type `=ZrRandNorm(10000, 0, {seeds}, FALSE, FALSE, FALSE)`
   and press Ctrl+Shift+Enter: one array formula fills the column with the
   draws (Excel 365 spills it from A2 by itself). `TRUE, FALSE` gives
   antithetic pairs, `TRUE, TRUE` antithetic pairs with quadratic resampling.
2. Price, entered in one cell with Ctrl+Shift+Enter (the payoff is positive
   exactly when z > -d2 = {-d2:.2f}):
   `=EXP(-{r}*{T})*AVERAGE(({S}*EXP({drift:.2f}+{vol}*A2:A10001)-{K})*(A2:A10001>{-d2:.2f}))`
3. Standard error of plain draws, also with Ctrl+Shift+Enter:
   `=EXP(-{r}*{T})*STDEV.S(({S}*EXP({drift:.2f}+{vol}*A2:A10001)-{K})*(A2:A10001>{-d2:.2f}))/SQRT(10000)`.
   For antithetic draws put the discounted payoffs in B2:B10001
   (`=EXP(-{r}*{T})*MAX({S}*EXP({drift:.2f}+{vol}*A2)-{K},0)`, filled down), the pair
   means in C2:C5001 (`=AVERAGE(INDEX(B:B,2*ROW()-2):INDEX(B:B,2*ROW()-1))`,
   filled down) and take `=STDEV.S(C2:C5001)/SQRT(5000)`.
4. Closed form: `={S}*ZrNormDist({d1:.2f},TRUE)-{K}*EXP(-{r}*{T})*ZrNormDist({d2:.2f},TRUE)`.
"""

doc = f"""# Worked example: a European call by Monte Carlo

<!-- Written by scripts/check_example.sh from what the add-in returns in the host; do not edit. -->

{block}
Every figure above comes from what the add-in returned in the host
(`zrhost`): `scripts/check_example.sh` hands it the two `ZrNormDist` calls and
the nine `ZrRandNorm` columns on standard input and does the arithmetic on the
printed values (payoffs, means, standard errors). The test command reruns it
and fails when this page is stale.

{excel}"""

readme_path, doc_path = f"{root}/README.md", f"{root}/docs/worked-example.md"
begin, end = "<!-- worked-example:begin -->\n", "<!-- worked-example:end -->\n"
readme = open(readme_path).read()
head, rest = readme.split(begin)
new_readme = head + begin + block + "\nHow to enter it in Excel: [docs/worked-example.md](docs/worked-example.md).\n" + end + rest.split(end)[1]

stale = []
for path, text in [(doc_path, doc), (readme_path, new_readme)]:
    try:
        old = open(path).read()
    except FileNotFoundError:
        old = None
    if old != text:
        if update:
            open(path, "w").write(text)
        else:
            stale.append(path)
            sys.stderr.writelines(difflib.unified_diff((old or "").splitlines(True), text.splitlines(True), path, "rendered"))
if stale:
    sys.exit("stale worked example (rerun scripts/check_example.sh --update): " + ", ".join(stale))
if not update:
    print("check_example: the worked example matches what the add-in gives")
PY
