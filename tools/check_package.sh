#!/bin/sh
# tools/check_package.sh BUILD: makes the Debian package with cpack in the
# build folder BUILD, shows its metadata and checks the fields that matter,
# extracts it into a fresh temporary root with dpkg-deb -x and runs the sample
# with the extracted settle.
set -eu
build=$(cd "$1" && pwd)
tools=$(cd "$(dirname "$0")" && pwd)

rm -f "$build"/settle_*.deb
if ! (cd "$build" && cpack -G DEB >cpack.log 2>&1); then
  cat "$build/cpack.log" >&2
  exit 1
fi
deb=$(ls "$build"/settle_*.deb)
dpkg-deb -I "$deb"

failed=0
field() { dpkg-deb -f "$deb" "$1"; }
expect() {
  case "$(field "$1")" in
    $2) ;;
    *) echo "check_package: $1 is '$(field "$1")', expected $2" >&2; failed=1 ;;
  esac
}
expect Package settle
expect Maintainer "Seed 77128440 maintainers <maintainers@users.noreply.c-seed-77128440.example>"
expect Section science
expect Architecture "$(dpkg --print-architecture)"
for library in libc6 libstdc++6 libgcc-s1; do
  expect Depends "*$library (*"
done
[ "$failed" -eq 0 ] || exit 1

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
for file in usr/bin/settle usr/share/man/man1/settle.1.gz usr/share/doc/settle/README.md; do
  [ -e "$root/$file" ] || { echo "check_package: the package has no /$file" >&2; exit 1; }
done
gzip -dc "$root/usr/share/man/man1/settle.1.gz" | grep -q /usr/share/doc/settle/docs/method ||
  { echo "check_package: settle(1) does not name /usr/share/doc/settle" >&2; exit 1; }
"$tools/run_sample.sh" "$root/usr/bin/settle"
echo "check_package: $(basename "$deb") runs the sample"
# With the Python module in the package, it imports from the extracted tree
# and analyses the sample to the report's total.
module=$(find "$root/usr/lib" -path '*/dist-packages/settle/__init__.py' 2>/dev/null | head -n 1)
if [ -n "$module" ]; then
  (cd "$root" && PYTHONPATH="$(dirname "$(dirname "$module")")" /usr/bin/python3 -c "
import settle
problem = settle.read_problem('usr/share/doc/settle/examples/sample/sample.dat')
total = float(settle.analyse(problem).total_settlement[0])
assert '%.3f' % total == '1.724', total
print('check_package: the packaged Python module analyses the sample:', '%.3f' % total)")
fi
