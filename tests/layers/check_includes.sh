#!/bin/sh
# Fails when a folder of src/ includes a folder above it. The layers, from
# the bottom: storage decode catalog reader layout shell views; apps/ may
# include any of them. A subbook entry owns the readers of its files, so
# catalog/subbook_entry.cc alone reaches up into reader/. The engine
# (storage to layout) includes no Qt at all, the shell none of Qt's GUI.
#
#   check_includes.sh SOURCE_ROOT
# prints each offending line as FILE:LINE: TEXT and exits 1 when there is
# one, 0 when there is none.
root=${1:?usage: check_includes.sh SOURCE_ROOT}
[ -d "$root/src" ] || { echo "no src/ in $root" >&2; exit 2; }

rank() {
  case $1 in
    storage) echo 1 ;; decode) echo 2 ;; catalog) echo 3 ;; reader) echo 4 ;;
    layout) echo 5 ;; shell) echo 6 ;; views) echo 7 ;; *) echo 0 ;;
  esac
}

allowed() {  # FILE INCLUDED
  case "$1:$2" in
    src/catalog/subbook_entry.cc:reader/*) return 0 ;;
  esac
  return 1
}

status=0
for dir in "$root"/src/*/; do
  layer=$(basename "$dir")
  own=$(rank "$layer")
  [ "$own" -gt 0 ] || continue
  for file in "$dir"*; do
    [ -f "$file" ] || continue
    rel=${file#"$root"/}
    # Quoted includes of another folder of src/.
    grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z_]*/' "$file" | while IFS= read -r line; do
      target=$(printf '%s\n' "$line" | sed 's/^[0-9]*:[^"]*"\([^"]*\)".*/\1/')
      folder=${target%%/*}
      theirs=$(rank "$folder")
      if [ "$theirs" -gt "$own" ] && ! allowed "$rel" "$target"; then
        echo "$rel:$line"
      fi
    done
    # Qt in the engine; Qt's GUI in the shell.
    if [ "$own" -le 5 ]; then
      grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$file" | sed "s#^#$rel:#"
    elif [ "$layer" = shell ]; then
      grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(QtGui|QtWidgets|QImage|QPainter|QPixmap|QFont|QColor|QWidget|QApplication|QGuiApplication|QClipboard)' "$file" | sed "s#^#$rel:#"
    fi
  done
done > "${TMPDIR:-/tmp}/check_includes.$$"
if [ -s "${TMPDIR:-/tmp}/check_includes.$$" ]; then
  echo "includes of a higher layer:"
  cat "${TMPDIR:-/tmp}/check_includes.$$"
  status=1
else
  echo "layers: no include of a higher layer"
fi
rm -f "${TMPDIR:-/tmp}/check_includes.$$"
exit $status
