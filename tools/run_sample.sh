#!/bin/sh
# tools/run_sample.sh SETTLE: runs the given settle executable on
# examples/sample in a fresh temporary folder and compares the report, the
# auxiliary data file and the trace file byte for byte with the reviewed
# ones in examples/sample/expected/. Exit status 0 when all three match.
set -eu
settle=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
sample=$(cd "$(dirname "$0")/../examples/sample" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp "$sample/names.dat" "$sample/sample.dat" "$work/"
status=0
(cd "$work" && "$settle" 2>console.txt) || status=$?
if [ "$status" -ne 0 ]; then
  echo "run_sample: $settle ended with status $status:" >&2
  cat "$work/console.txt" >&2
  exit 1
fi
for file in sample.rpt sample.aux sample.trc; do
  if ! cmp "$sample/expected/$file" "$work/$file"; then
    echo "run_sample: $file differs from examples/sample/expected/$file" >&2
    exit 1
  fi
done
echo "run_sample: $settle reproduces the sample's report, auxiliary and trace files"
