#!/usr/bin/env bash
# Runs settle on the largest problems it accepts and prints, for each, the
# wall time, user time and peak memory of the whole run, the time of the
# stress computation alone, and a digest of the four output files.
#
# usage: bench/run.sh [BUILD_DIR] [KIND...]   (default: build, all four kinds)
# SETTLE_THREADS is passed through (unset: one thread per core).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
build="$(cd "${1:-$root/build}" && pwd)"
shift || true
kinds=("$@")
[ ${#kinds[@]} -gt 0 ] || kinds=(rectangles circles spread mix)

# A folder without a build (a saved pair of binaries) is run as it is.
if [ -f "$build/build.ninja" ]; then
  cmake --build "$build" --target settle stress_bench >/dev/null
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

echo "machine: $(nproc) cores; $(uptime | sed 's/.*load/load/')"
echo "threads: ${SETTLE_THREADS:-one per core}"
printf '%-11s %8s %8s %9s %10s  %s\n' problem wall_s user_s peak_MB stress_s outputs_sha256
for kind in "${kinds[@]}"; do
  folder="$work/$kind"
  python3 "$here/make_problem.py" "$kind" "$folder"
  (cd "$folder" && /usr/bin/time -v "$build/settle" 2>"$work/$kind.time" >/dev/null) ||
    { echo "$kind: settle failed" >&2; tail -5 "$work/$kind.time" >&2; exit 1; }
  wall="$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/$kind.time" |
          awk -F: '{ s = 0; for (i = 1; i <= NF; ++i) s = s * 60 + $i; printf "%.2f", s }')"
  user="$(sed -n 's/.*User time (seconds): //p' "$work/$kind.time")"
  peak="$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/$kind.time")"
  stress="$("$build/stress_bench" "$folder/problem.dat" 3 | sed -n 's/.*best \([0-9.]*\) s.*/\1/p')"
  digest="$(cd "$folder" && cat report.txt aux.txt trace.txt | sha256sum | cut -c1-16)"
  printf '%-11s %8s %8s %9.1f %10s  %s\n' "$kind" "$wall" "$user" "$(echo "$peak / 1024" | bc -l)" \
    "$stress" "$digest"
done
