#!/usr/bin/env bash
# Runs settle-plot on every example and renders the top 3000 pixels of each page,
# 1400 wide, to PNG with headless Chromium, to look at the pages as a user sees
# them. Not part of CI.
#
# usage: tools/render_plot.sh [BUILD_DIR] [OUT_DIR]
#   BUILD_DIR  folder holding the settle-plot executable (default: build)
#   OUT_DIR    where the pages and PNGs go (default: a new temporary folder)
# Needs the Debian package chromium.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
out="${2:-$(mktemp -d /tmp/settle-plot-XXXXXX)}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
browser="$(command -v chromium || command -v chromium-browser || true)"
if [ -z "$browser" ]; then
  echo "render_plot.sh: chromium not found (apt-get install chromium)" >&2
  exit 1
fi

for example in "$root"/examples/*/; do
  name="$(basename "$example")"
  work="$out/$name"
  rm -rf "$work" && mkdir -p "$work"
  find "$example" -maxdepth 1 -type f -exec cp {} "$work/" \;
  (cd "$work" && "$build/settle-plot" "$name.html" 2>"$work/console.txt") ||
    { echo "$name: settle-plot failed, see $work/console.txt" >&2; continue; }
  profile="$(mktemp -d "$out/chromium-profile-XXXXXX")"
  "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --screenshot="$out/$name.png" --window-size=1400,3000 \
    "file://$work/$name.html" >/dev/null 2>&1
  rm -rf "$profile"
  echo "$out/$name.png"
done
