#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Calculates one generated real-valued worksheet with vora-calc, with python3
# (an eval loop over the same expressions with its math module, one process)
# and with bc -l, and prints statements per second and the ratios. Every
# program is timed as a whole process, start-up included, on the same lines.
#
# Usage: bench/compare/run-compare.sh BUILD_DIR [STATEMENTS]   (default 40000)
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:?usage: run-compare.sh BUILD_DIR [STATEMENTS]}"
count="${2:-40000}"
calc="$build/src/cli/vora-calc"

[[ -x "$calc" ]] || { echo "run-compare: $calc is missing; build the vora-calc target" >&2; exit 2; }
if ! command -v bc >/dev/null; then
  "$root/scripts/install-deps" bench
fi
command -v python3 >/dev/null || { echo "run-compare: python3 is missing" >&2; exit 2; }

export BC_LINE_LENGTH=0  # one result a line
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 "$here/generate.py" "$count" "$work"

now() { date +%s%N; }

# Runs "$@" three times and prints the best wall time in nanoseconds; the
# output of the last run is kept in $work/out.$label.
best_of_three() {
  local label="$1" input="$2"
  shift 2
  local best=""
  for _ in 1 2 3; do
    local start end
    start=$(now)
    "$@" <"$input" >"$work/out.$label"
    end=$(now)
    local t=$((end - start))
    if [[ -z "$best" || $t -lt $best ]]; then best=$t; fi
  done
  echo "$best"
}

t_vora=$(best_of_three vora "$work/sheet.txt" "$calc")
t_python=$(best_of_three python /dev/null python3 "$here/evalloop.py" "$work/exprs.py")
t_bc=$(best_of_three bc "$work/exprs.bc" bc -l)

# The three must agree before their speeds mean anything.
python3 - "$work" "$count" <<'PY'
import re, sys
work, count = sys.argv[1], int(sys.argv[2])
vora = []
for statement in open(f"{work}/out.vora", encoding="utf-8").read().split(";"):
    if "=" in statement:
        vora.append(float(statement.rsplit("=", 1)[1].strip()))
python = [float(x) for x in open(f"{work}/out.python").read().split()]
bc = [float(x.replace("\\", "")) for x in re.sub(r"\\\n", "", open(f"{work}/out.bc").read()).split()]
if not (len(vora) == len(python) == len(bc) == count):
    sys.exit(f"run-compare: result counts differ: vora-calc {len(vora)}, python3 {len(python)}, bc {len(bc)}")
def rel(a, b):
    # relative to the size of the values, absolute near zero
    return abs(a - b) / max(abs(a), abs(b), 1.0)
worst_py = max(rel(a, b) for a, b in zip(vora, python))
worst_bc = max(rel(a, b) for a, b in zip(vora, bc))
print(f"results agree: largest difference {worst_py:.3g} to python3, {worst_bc:.3g} to bc -l"
      " (relative; absolute for values below 1)")
PY

python3 - "$count" "$t_vora" "$t_python" "$t_bc" "$(wc -c <"$work/sheet.txt")" <<'PY'
import sys
count = int(sys.argv[1])
t = {"vora-calc": int(sys.argv[2]), "python3": int(sys.argv[3]), "bc -l": int(sys.argv[4])}
size = int(sys.argv[5])
print(f"{count} statements, worksheet of {size} bytes; best of three runs, whole process")
rate = {}
for name, ns in t.items():
    rate[name] = count / (ns / 1e9)
    print(f"  {name:10s} {ns / 1e6:9.1f} ms  {rate[name]:12.0f} statements/s")
print(f"  vora-calc / python3: {rate['vora-calc'] / rate['python3']:.1f}x")
print(f"  vora-calc / bc -l:   {rate['vora-calc'] / rate['bc -l']:.1f}x")
PY
