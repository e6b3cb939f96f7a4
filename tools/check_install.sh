#!/bin/sh
# tools/check_install.sh BUILD: installs the build folder BUILD into a fresh
# temporary prefix with cmake --install, checks that the programs, the man
# pages and the documentation are where a Debian system looks for them, and
# runs the sample with the installed settle.
set -eu
build=$1
tools=$(cd "$(dirname "$0")" && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
missing=0
for file in bin/settle share/doc/settle/README.md share/doc/settle/docs/method.md \
    share/doc/settle/docs/verification.md share/doc/settle/examples/sample/sample.dat \
    share/doc/settle/examples/sample/expected/sample.rpt; do
  [ -e "$prefix/$file" ] || { echo "check_install: $file not installed" >&2; missing=1; }
done
# settle-plot and the man pages are built only with Boost and scdoc.
if [ -e "$build/settle-plot" ] && ! [ -x "$prefix/bin/settle-plot" ]; then
  echo "check_install: bin/settle-plot not installed" >&2; missing=1
fi
for page in settle.1 settle-plot.1; do
  if [ -e "$build/man/$page" ] && [ "$page" = settle.1 -o -e "$build/settle-plot" ] &&
      ! [ -e "$prefix/share/man/man1/$page.gz" ]; then
    echo "check_install: share/man/man1/$page.gz not installed" >&2; missing=1
  fi
done
[ "$missing" -eq 0 ] || exit 1
# The installed man page names the documentation where it was installed.
if [ -e "$prefix/share/man/man1/settle.1.gz" ] &&
    ! gzip -dc "$prefix/share/man/man1/settle.1.gz" | grep -q "$prefix/share/doc/settle/docs/method"; then
  echo "check_install: settle(1) does not name $prefix/share/doc/settle" >&2; exit 1
fi

"$tools/run_sample.sh" "$prefix/bin/settle"
