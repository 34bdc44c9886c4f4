#!/usr/bin/env bash
# Builds the FreePWING test dictionary into OUTDIR:
#   OUTDIR/CATALOGS, OUTDIR/TOMELING/DATA/HONMON, OUTDIR/positions.txt
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

cp "$src/Makefile" "$src/fpwtomeling" "$src/entries.tsv" "$src/catalogs.utf8.txt" "$work/"
# FreePWING sorts its word lists with sort(1); fix the locale so that the
# order is by bytes whatever the caller's environment.
(cd "$work" && LC_ALL=C fpwmake >build.log 2>&1 && LC_ALL=C fpwmake catalogs >>build.log 2>&1) || {
  cat "$work/build.log" >&2
  exit 1
}

rm -rf "$out/TOMELING" "$out/CATALOGS"
mkdir -p "$out/TOMELING/DATA"
cp "$work/catalogs" "$out/CATALOGS"
cp "$work/honmon" "$out/TOMELING/DATA/HONMON"
cp "$work/work/positions.txt" "$out/positions.txt"
