#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the same real-valued expressions in three dialects.

Usage: generate.py COUNT OUT_DIR

OUT_DIR/sheet.txt   a worksheet for vora-calc, one statement a line
OUT_DIR/exprs.py    one Python expression a line (names from the math module)
OUT_DIR/exprs.bc    one bc -l expression a line

The expressions look like what people type into a worksheet: a few numbers,
the four operations, small integer powers, brackets and a function now and
then. Every function argument keeps its function defined (logarithms and
roots of positive numbers only) and every divisor is a non-zero number, so
all three programs calculate every line.
"""

import os
import random
import sys

# name in the worksheet, in Python, in bc -l
FUNCTIONS = [
    ("sin", "sin", "s"),
    ("cos", "cos", "c"),
    ("exp", "exp", "e"),
    ("ln", "log", "l"),
    ("sqrt", "sqrt", "sqrt"),
    ("atan", "atan", "a"),
]


def number(rng):
    whole = rng.randint(0, 999)
    if rng.random() < 0.6:
        return f"{whole}.{rng.randint(0, 999):03d}".rstrip("0").rstrip(".") or "0"
    return str(whole)


def positive(rng):
    return f"{rng.randint(1, 999)}.{rng.randint(0, 99):02d}"


def term(rng, depth):
    """Returns the term in the three dialects."""
    choice = rng.random()
    if depth <= 0 or choice < 0.45:
        n = number(rng)
        return n, n, n
    if choice < 0.65:
        name = rng.choice(FUNCTIONS)
        if name[0] in ("ln", "sqrt"):
            a = positive(rng)
            args = (a, a, a)
        elif name[0] == "exp":
            a = f"{rng.randint(0, 20)}.{rng.randint(0, 9)}"
            args = (a, a, a)
        else:
            # Angles stay moderate, as in real sheets: the sine of 1e17 says
            # more about argument reduction than about speed.
            a = number(rng)
            args = (a, a, a)
        return tuple(f"{f}({a})" for f, a in zip(name, args))
    if choice < 0.8:
        inner = expression(rng, depth - 1)
        return tuple(f"({x})" for x in inner)
    base = number(rng)
    power = str(rng.randint(2, 3))
    return f"{base}^{power}", f"{base}**{power}", f"{base}^{power}"


def expression(rng, depth):
    parts = [term(rng, depth)]
    for _ in range(rng.randint(0, 3)):
        op = rng.choice("+-*/")
        if op == "/":
            d = positive(rng)
            parts.append((d, d, d))
        else:
            parts.append(term(rng, depth))
        parts[-1] = (op,) + parts[-1]
    out = []
    for dialect in range(3):
        text = parts[0][dialect]
        for p in parts[1:]:
            text += p[0] + p[dialect + 1]
        out.append(text)
    return tuple(out)


def main():
    count = int(sys.argv[1])
    out_dir = sys.argv[2]
    rng = random.Random(20261211)
    sheet, py, bc = [], [], []
    for _ in range(count):
        v, p, b = expression(rng, 2)
        sheet.append(v + ";\n")
        py.append(p + "\n")
        bc.append(b + "\n")
    with open(os.path.join(out_dir, "sheet.txt"), "w", newline="\n") as f:
        f.writelines(sheet)
    with open(os.path.join(out_dir, "exprs.py"), "w", newline="\n") as f:
        f.writelines(py)
    with open(os.path.join(out_dir, "exprs.bc"), "w", newline="\n") as f:
        f.write("scale=20\n")
        f.writelines(bc)


if __name__ == "__main__":
    main()
