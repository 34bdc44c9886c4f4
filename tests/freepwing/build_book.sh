#!/usr/bin/env bash
# Builds the FreePWING test dictionary into OUTDIR, in the layout FreePWING
# itself installs books in (lower-case names):
#   OUTDIR/catalogs
#   OUTDIR/tomeling/data/honmon
#   OUTDIR/tomeling/gaiji/gai16h, gai16f
#   OUTDIR/positions.txt   where the parser put each entry (see fpwtomeling)
# FreePWING works in its current directory, so it runs in a scratch copy of
# this folder and the source tree stays clean. Exit status 77 when FreePWING
# is not installed (scripts/setup.sh installs it).
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 OUTDIR" >&2
  exit 2
fi
command -v fpwmake >/dev/null 2>&1 || { echo "fpwmake not found" >&2; exit 77; }

src="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$1"
out="$(cd "$1" && pwd)"
work="$(mktemp -d "${TMPDIR:-/tmp}/fpwbook.XXXXXX")"
trap 'rm -rf "$work"' EXIT

cp -R "$src/Makefile" "$src/fpwtomeling" "$src/entries.tsv" "$src/catalogs.utf8.txt" \
  "$src/halfchars.txt" "$src/fullchars.txt" "$src/gaiji" "$src/cgraphs.txt" "$src/sounds.txt" \
  "$src/media" "$work/"
# FreePWING sorts its word lists with sort(1); fix the locale so that the
# order is by bytes whatever the caller's environment.
if ! (cd "$work" && LC_ALL=C fpwmake install INSTALLDIR="$work/book" >build.log 2>&1); then
  cat "$work/build.log" >&2
  exit 1
fi

rm -rf "$out/catalogs" "$out/tomeling" "$out/positions.txt"
cp -R "$work/book/tomeling/." "$out/"
cp "$work/work/positions.txt" "$out/positions.txt"
