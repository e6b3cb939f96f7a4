#!/usr/bin/env bash
# Times the settlement map's grid of settle-plot against settle's analysis of
# the settlement points, on every core, in one run: the default grid of each
# example, and 50 x 50 nodes over the two largest bench problems. Prints, for
# each, the processor time and the wall time of a point and of a node, and
# the ratio of the processor times (which the machine's other work changes
# least).
#
# usage: bench/grid_bench.sh [BUILD_DIR] [REPEATS]   (default: build, 3)
# SETTLE_THREADS is passed through (unset: one thread per core).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
build="$(cd "${1:-$root/build}" && pwd)"
repeats="${2:-3}"
cmake --build "$build" --target grid_bench >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

echo "machine: $(nproc) cores; $(uptime | sed 's/.*load/load/')"
echo "threads: ${SETTLE_THREADS:-one per core}; best of $repeats"
for example in sample si_units large; do
  problem="$(head -n 1 "$root/examples/$example/names.dat" | tr -d '\r')"
  printf '%-11s ' "$example"
  "$build/grid_bench" "$root/examples/$example/$problem" 0 "$repeats"
done
for kind in rectangles circles; do
  python3 "$here/make_problem.py" "$kind" "$work/$kind"
  printf '%-11s ' "$kind"
  "$build/grid_bench" "$work/$kind/problem.dat" 50 1
done
echo "after: $(uptime | sed 's/.*load/load/')"
