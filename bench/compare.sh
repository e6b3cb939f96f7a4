#!/usr/bin/env bash
# Runs two builds of settle on the largest problems, turn about, and prints
# the best wall time and the peak memory of each, and whether their outputs
# are the same bytes: a before-and-after in one run, on one machine load.
#
# usage: bench/compare.sh BEFORE_BUILD_DIR AFTER_BUILD_DIR [ROUNDS] [KIND...]
# (default: 3 rounds, all four kinds). SETTLE_THREADS is passed through.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
before="$(cd "$1" && pwd)"
after="$(cd "$2" && pwd)"
rounds="${3:-3}"
shift 3 || shift $#
kinds=("$@")
[ ${#kinds[@]} -gt 0 ] || kinds=(rectangles circles spread mix)
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# One run of `build`'s settle in `folder`: wall seconds, peak MB, output digest.
run_once() {
  local build="$1" folder="$2"
  (cd "$folder" && /usr/bin/time -f '%e %M' -o "$work/time" "$build/settle" 2>/dev/null >/dev/null)
  read -r wall peak <"$work/time"
  echo "$wall $(echo "$peak / 1024" | bc -l) $(cd "$folder" && cat report.txt aux.txt trace.txt | sha256sum | cut -c1-16)"
}

echo "machine: $(nproc) cores; $(uptime | sed 's/.*load/load/')"
echo "threads: ${SETTLE_THREADS:-one per core}; best of $rounds rounds, taken turn about"
printf '%-11s %10s %10s %10s %10s  %s\n' problem before_s after_s before_MB after_MB outputs
for kind in "${kinds[@]}"; do
  folder="$work/$kind"
  python3 "$here/make_problem.py" "$kind" "$folder"
  best_before=999999 best_after=999999
  for ((r = 0; r < rounds; ++r)); do
    read -r wall peak_before digest_before < <(run_once "$before" "$folder")
    best_before=$(echo "if ($wall < $best_before) $wall else $best_before" | bc -l)
    read -r wall peak_after digest_after < <(run_once "$after" "$folder")
    best_after=$(echo "if ($wall < $best_after) $wall else $best_after" | bc -l)
  done
  same=$([ "$digest_before" = "$digest_after" ] && echo same || echo DIFFERENT)
  printf '%-11s %10.2f %10.2f %10.1f %10.1f  %s\n' "$kind" "$best_before" "$best_after" \
    "$peak_before" "$peak_after" "$same"
done
