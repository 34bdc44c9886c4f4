#!/bin/sh
# Every text the programs show has a finished translation in each .ts file:
# the sources are read again by lupdate into a copy of the file (so a text
# added to the code but not to the file counts as unfinished), and lrelease
# must then report no unfinished entries.
#   check_translations.sh LUPDATE LRELEASE SOURCE_DIR
set -eu
lupdate=$1 lrelease=$2 src=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$src"/translations/*.ts; do
  copy="$work/$(basename "$ts")"
  cp "$ts" "$copy"
  "$lupdate" -silent -no-obsolete -locations none -source-language ja -I "$src/src" \
    "$src/src/views" "$src/src/shell" "$src/apps/desktop" -ts "$copy" >/dev/null
  report=$("$lrelease" "$copy" -qm "$work/out.qm")
  echo "$(basename "$ts"): $report"
  case "$report" in
    *" 0 unfinished"*) ;;
    *) status=1 ;;
  esac
  if grep -q 'type="unfinished"' "$copy"; then
    echo "unfinished in $(basename "$ts"):"
    grep -B2 'type="unfinished"' "$copy" | grep '<source>'
    status=1
  fi
  if ! cmp -s "$ts" "$copy"; then
    echo "$(basename "$ts") is not up to date with the sources; run the update_translations target"
    diff "$ts" "$copy" | head -20
    status=1
  fi
done
exit $status
