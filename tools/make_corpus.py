#!/usr/bin/python3
"""Builds the root-accuracy corpus used by the C++ tests.

    /usr/bin/python3 tools/make_corpus.py > tests/data/corpus.txt

Needs the Debian packages mpsolve and python3-numpy. The output is
deterministic: a fixed seed, single-threaded mpsolve, sorted roots.

For every polynomial the coefficients are worked out exactly (Python ints and
Fractions) and rounded to double once; those doubles ARE the polynomial. The
reference roots are the roots of exactly those doubles, computed by mpsolve
from the exact rational value of each double, with a certified inclusion
radius that is checked to be far below the 30 digits written. The baseline is
the worst error of numpy.roots (eigenvalues of the companion matrix in double)
against the reference.
"""

import concurrent.futures
import decimal
import math
import os
import random
import re
import subprocess
import sys
import tempfile
from decimal import Decimal
from fractions import Fraction

import numpy

SEED = 20240611
MPSOLVE_DIGITS = 40          # asked of mpsolve; the file keeps 30
PRINT_DIGITS = 30
MPSOLVE_ARGS = ["mpsolve", "-as", "-Ga", "-o%d" % MPSOLVE_DIGITS, "-j1", "-Of"]

decimal.getcontext().prec = 80
D = decimal.getcontext()


# ---------------------------------------------------------------- polynomials
# A polynomial is a list of exact coefficients, highest power first.

def poly_mul(p, q):
    out = [0] * (len(p) + len(q) - 1)
    for i, a in enumerate(p):
        for j, b in enumerate(q):
            out[i + j] += a * b
    return out


def poly_from_factors(factors):
    p = [1]
    for f in factors:
        p = poly_mul(p, f)
    return p


def linear(root):
    """(q x - p) for root p/q: integer coefficients, the root stays exact."""
    r = Fraction(root)
    return [r.denominator, -r.numerator]


def is_exact_double(c):
    return Fraction(float(c)) == Fraction(c)


# ------------------------------------------------------------------ families
# Each generator yields (coefficients, known_roots or None, needs_exact).
# The known roots, when given, are a list of exact (re, im) Fraction pairs or
# a ("chebyshev", n) / ("xnc", n, c) tag worked out in Decimal; they only
# serve to check the mpsolve result.

def fam_uniform(rng):
    for deg in range(1, 23):
        for _ in range(2):
            lead = 0.0
            while abs(lead) < 0.01:
                lead = rng.uniform(-10, 10)
            rest = [rng.uniform(-10, 10) for _ in range(deg)]
            yield [lead] + rest, None, True


def fam_smallint(rng):
    for deg in range(1, 23):
        for _ in range(2):
            lead = 0
            while lead == 0:
                lead = rng.randint(-9, 9)
            yield [lead] + [rng.randint(-9, 9) for _ in range(deg)], None, True


def fam_intreal(rng):
    values = list(range(-6, 7))
    degrees = list(range(1, 23)) + [rng.randint(2, 22) for _ in range(11)]
    for deg in degrees:
        base = rng.sample(values, min(deg, len(values)))
        if deg > len(values):
            # only 13 integers in range: the rest are doubled, never more
            roots = base + rng.sample(base, deg - len(base))
        else:
            roots = base
            if deg >= 3 and rng.random() < 0.25:
                roots[-1] = roots[0]
        roots = [Fraction(k) for k in roots]
        yield poly_from_factors(linear(k) for k in roots), \
            [(k, Fraction(0)) for k in roots], True


def fam_conjint(rng):
    pairs_all = [(a, b) for a in range(-3, 4) for b in range(1, 4)]
    degrees = list(range(2, 23)) + [rng.randint(2, 22) for _ in range(12)]
    for deg in degrees:
        while True:
            # at most four real roots, all distinct, so the pairs dominate
            npairs = rng.randint(max(1, (deg - 3) // 2), deg // 2)
            if rng.random() < 0.4:
                npairs = deg // 2
            pairs = rng.sample(pairs_all, npairs)
            reals = rng.sample(range(-4, 5), deg - 2 * npairs)
            factors = [[1, -2 * a, a * a + b * b] for a, b in pairs]
            factors += [linear(k) for k in reals]
            p = poly_from_factors(factors)
            if all(is_exact_double(c) for c in p):
                break
        known = [(Fraction(a), Fraction(s * b)) for a, b in pairs for s in (1, -1)]
        known += [(Fraction(k), Fraction(0)) for k in reals]
        yield p, known, True


def _simple_values():
    vals = [Fraction(k) for k in range(-5, 6)]
    vals += [Fraction(k, 2) for k in range(-7, 8, 2)]
    return vals


def fam_multiple(rng):
    mult_values = ([Fraction(k) for k in range(-3, 4)]
                   + [Fraction(1, 2), Fraction(-3, 2), Fraction(1, 3),
                      Fraction(-2, 3), Fraction(5, 4), Fraction(-1, 5)])
    for i in range(30):
        m = 2 + i % 5
        deg = max(m + 1, 3 + round(i * 19 / 29))
        while True:
            r = rng.choice(mult_values)
            others = rng.sample([v for v in _simple_values() if v != r], deg - m)
            roots = [r] * m + others
            p = poly_from_factors(linear(v) for v in roots)
            if all(is_exact_double(c) for c in p):
                break
        yield p, [(v, Fraction(0)) for v in roots], True


def fam_highmult(rng):
    mult_values = [Fraction(1), Fraction(-1), Fraction(2), Fraction(1, 2),
                   Fraction(-1, 2), Fraction(3), Fraction(1, 3), Fraction(-2)]
    for i in range(20):
        k = 3 + i % 10
        r = mult_values[i % len(mult_values)]
        nsimple = 1 + (i // 10)
        simple = rng.sample([v for v in (Fraction(0), Fraction(-3), Fraction(4),
                                         Fraction(5, 2), Fraction(-1, 3))
                             if v != r], nsimple)
        roots = [r] * k + simple
        p = poly_from_factors(linear(v) for v in roots)
        assert all(is_exact_double(c) for c in p)
        yield p, [(v, Fraction(0)) for v in roots], True


def fam_xnc(rng):
    cs = [1, -1, 2, -2, 0.5, -0.5, 10, -10, 0.1, -3, 100, -0.001, 7, 1e3]
    for n in range(1, 23):
        for c in rng.sample(cs, 2):
            p = [1] + [0] * (n - 1) + [Fraction(c)]
            yield p, ("xnc", n, Fraction(c)), True


def fam_chebyshev(rng):
    t_prev, t = [1], [1, 0]          # T0, T1, highest power first
    for n in range(1, 23):
        yield list(t), ("chebyshev", n), True
        t_next = poly_mul([2, 0], t)
        pad = [0, 0] + t_prev
        t_prev, t = t, [a - b for a, b in zip(t_next, pad)]


def fam_spread(rng):
    for deg in range(1, 23):
        for _ in range(2):
            factors, left = [], deg
            while left > 0:
                rho = 10.0 ** rng.uniform(-3, 3)
                if left >= 2 and rng.random() < 0.5:
                    theta = rng.uniform(0.05, math.pi - 0.05)
                    re_, im_ = rho * math.cos(theta), rho * math.sin(theta)
                    a, b = Fraction(re_), Fraction(im_)
                    factors.append([1, -2 * a, a * a + b * b])
                    left -= 2
                else:
                    factors.append([1, -Fraction(rng.choice((-1, 1)) * rho)])
                    left -= 1
            yield poly_from_factors(factors), None, False


FAMILIES = [
    ("uniform", fam_uniform),
    ("smallint", fam_smallint),
    ("intreal", fam_intreal),
    ("conjint", fam_conjint),
    ("multiple", fam_multiple),
    ("xnc", fam_xnc),
    ("chebyshev", fam_chebyshev),
    ("highmult", fam_highmult),
    ("spread", fam_spread),
]


# ------------------------------------------------------------------- mpsolve

RECORD = re.compile(r"\(\s*([^,\s]+)\s*,\s*([^)\s]+)\s*\)\s*\n\s*(\S+)")


def mp_decimal(s):
    # mpsolve writes radii as 0.123x-013
    return Decimal(s.replace("x", "e"))


def mpsolve_roots(coeffs):
    """Roots of the polynomial with these double coefficients (highest first),
    as (re, im, radius) Decimals, from mpsolve's approximation mode."""
    deg = len(coeffs) - 1
    lines = ["Degree=%d;" % deg, "Monomial;", "Real;", "Rational;", ""]
    for c in reversed(coeffs):               # mpsolve wants lowest power first
        f = Fraction(c)
        lines.append("%d/%d" % (f.numerator, f.denominator))
    with tempfile.NamedTemporaryFile("w", suffix=".pol", delete=False) as fh:
        fh.write("\n".join(lines) + "\n")
        path = fh.name
    try:
        out = subprocess.run(MPSOLVE_ARGS + [path], check=True,
                             capture_output=True, text=True).stdout
    finally:
        os.unlink(path)
    roots = [(mp_decimal(a), mp_decimal(b), mp_decimal(r))
             for a, b, r in RECORD.findall(out)]
    if len(roots) != deg:
        raise RuntimeError("mpsolve gave %d roots for degree %d:\n%s"
                           % (len(roots), deg, out))
    return roots


def certify(roots):
    """Checks each inclusion radius is far below the printed digits and
    clears imaginary parts that lie inside it."""
    clean = []
    for re_, im_, rad in roots:
        mod = (re_ * re_ + im_ * im_).sqrt()
        if mod == 0:
            if rad != 0:
                raise RuntimeError("uncertified zero root")
        elif rad > mod * Decimal("1e-33"):
            raise RuntimeError("radius %s too large for |z| = %s" % (rad, mod))
        # the root lies within rad of (re, im); dropping an imaginary part
        # smaller than rad keeps it within 2 rad, still far below 30 digits
        if abs(im_) <= rad:
            im_ = Decimal(0)
        clean.append((re_, im_))
    clean.sort(key=lambda z: (z[0], z[1]))
    return clean


# --------------------------------------------------------- known-root checks

def dec_pi():
    # Machin's formula, enough for prec digits
    def arctan_inv(x):
        total, term, n, sign = Decimal(0), Decimal(1) / x, 1, 1
        x2 = x * x
        while term != 0:
            total += sign * term / n
            term /= x2
            n += 2
            sign = -sign
        return total
    return 4 * (4 * arctan_inv(Decimal(5)) - arctan_inv(Decimal(239)))


def dec_cos_sin(x):
    c, s, term, i = Decimal(0), Decimal(0), Decimal(1), 0
    while True:
        if i % 4 == 0:
            c += term
        elif i % 4 == 1:
            s += term
        elif i % 4 == 2:
            c -= term
        else:
            s -= term
        i += 1
        term = term * x / i
        if abs(term) < Decimal("1e-75"):
            return c, s


PI = dec_pi()


def known_roots(how):
    if isinstance(how, list):
        return [(Decimal(a.numerator) / a.denominator,
                 Decimal(b.numerator) / b.denominator) for a, b in how]
    if how[0] == "chebyshev":
        n = how[1]
        return [(dec_cos_sin((2 * k - 1) * PI / (2 * n))[0], Decimal(0))
                for k in range(1, n + 1)]
    if how[0] == "xnc":
        n, c = how[1], how[2]
        mag = (Decimal(abs(c.numerator)) / c.denominator).ln() / n
        mag = mag.exp()
        start = Decimal(0) if c < 0 else PI / n       # x^n = -c
        out = []
        for k in range(n):
            co, si = dec_cos_sin(start + 2 * PI * k / n)
            out.append((mag * co, mag * si))
        return out
    raise ValueError(how)


# ------------------------------------------------------------------ matching

def hungarian(cost):
    """Minimum-total-cost perfect matching of a square matrix; returns
    assignment[i] = column matched to row i."""
    n = len(cost)
    inf = float("inf")
    u, v = [0.0] * (n + 1), [0.0] * (n + 1)
    p, way = [0] * (n + 1), [0] * (n + 1)
    for i in range(1, n + 1):
        p[0], j0 = i, 0
        minv, used = [inf] * (n + 1), [False] * (n + 1)
        while True:
            used[j0] = True
            i0, delta, j1 = p[j0], inf, 0
            for j in range(1, n + 1):
                if not used[j]:
                    cur = cost[i0 - 1][j - 1] - u[i0] - v[j]
                    if cur < minv[j]:
                        minv[j], way[j] = cur, j0
                    if minv[j] < delta:
                        delta, j1 = minv[j], j
            for j in range(n + 1):
                if used[j]:
                    u[p[j]] += delta
                    v[j] -= delta
                else:
                    minv[j] -= delta
            j0 = j1
            if p[j0] == 0:
                break
        while j0:
            j1 = way[j0]
            p[j0] = p[j1]
            j0 = j1
    assign = [0] * n
    for j in range(1, n + 1):
        assign[p[j] - 1] = j - 1
    return assign


def rel_err(z, ref):
    return abs(z - ref) / max(1.0, abs(ref))


def matched_errors(computed, reference):
    cost = [[rel_err(z, r) for z in computed] for r in reference]
    assign = hungarian(cost)
    return [cost[i][assign[i]] for i in range(len(reference))]


def dec_matched_max(got, want):
    """Largest relative gap between two Decimal root lists, matched."""
    cost = [[float(((a - c) ** 2 + (b - d) ** 2).sqrt()
                   / max(Decimal(1), (c * c + d * d).sqrt()))
             for a, b in got] for c, d in want]
    assign = hungarian(cost)
    return max(cost[i][assign[i]] for i in range(len(want)))


# ---------------------------------------------------------------------- main

def fmt_dec(x):
    if x == 0:
        return "0"
    return "{:.{}e}".format(x, PRINT_DIGITS - 1)


def build():
    rng = random.Random(SEED)
    items = []
    for name, gen in FAMILIES:
        for exact, known, needs_exact in gen(rng):
            if needs_exact and not all(is_exact_double(c) for c in exact):
                raise RuntimeError("%s: coefficient not an exact double" % name)
            doubles = [float(c) for c in exact]      # the one rounding
            items.append((name, doubles, known))

    with concurrent.futures.ThreadPoolExecutor(os.cpu_count() or 1) as pool:
        refs = list(pool.map(lambda it: certify(mpsolve_roots(it[1])), items))

    records = []
    for (name, doubles, known), ref in zip(items, refs):
        deg = len(doubles) - 1
        if len(ref) != deg:
            raise RuntimeError("%s: wrong root count" % name)
        if known is not None:
            gap = dec_matched_max(ref, known_roots(known))
            if gap > 1e-28:
                raise RuntimeError("%s degree %d: reference is %.1e from the "
                                   "known roots" % (name, deg, gap))
        ref_c = [complex(float(a), float(b)) for a, b in ref]
        computed = numpy.roots(numpy.array(doubles, dtype=float))
        baseline = max(matched_errors(list(computed), ref_c))
        records.append((name, deg, baseline, doubles, ref))
    return records


def main():
    records = build()
    out = sys.stdout
    out.write("# Polynomials with certified reference roots, for the solver's "
              "accuracy tests.\n"
              "# Made by: /usr/bin/python3 tools/make_corpus.py > "
              "tests/data/corpus.txt (needs mpsolve, python3-numpy)\n"
              "# poly <family> <degree> <baseline>: baseline is numpy.roots' "
              "worst error, max |z - ref| / max(1, |ref|),\n"
              "#   roots paired by minimum-total-cost (Hungarian) matching\n"
              "# c <coefficients, highest power first>: exact doubles, they "
              "are the polynomial\n"
              "# r <re> <im>: one reference root a line, %d significant digits, "
              "from mpsolve %s\n" % (PRINT_DIGITS, " ".join(MPSOLVE_ARGS[1:])))
    out.write("# polynomials: %d\n" % len(records))
    for name, deg, baseline, doubles, ref in records:
        out.write("\npoly %s %d %.3e\n" % (name, deg, baseline))
        out.write("c " + " ".join(repr(c) for c in doubles) + "\n")
        for a, b in ref:
            out.write("r %s %s\n" % (fmt_dec(a), fmt_dec(b)))


if __name__ == "__main__":
    main()
