#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Evaluates every line of a file with eval() and prints each value, in one
process: the Python side of the comparison."""

import math
import sys


def main():
    names = {name: getattr(math, name) for name in dir(math) if not name.startswith("_")}
    names["__builtins__"] = {}
    with open(sys.argv[1]) as f:
        lines = f.read().splitlines()
    out = []
    for line in lines:
        out.append(repr(eval(line, names)))
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
