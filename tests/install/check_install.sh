#!/bin/sh
# Installs the build given into a temporary prefix and checks the layout:
# the three programs, the demo dictionary, the help pages, the icons, the
# man page and the desktop programs' .desktop files. Then the installed
# tool must find its demo dictionary from where it lies -- also after the
# whole prefix has moved -- and the installed desktop programs must open
# it on their first start.
set -u
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
fail=0
check() {  # check FILE: FILE must be a regular file
  [ -f "$1" ] || { echo "missing: ${1#$tmp/}"; fail=1; }
}

cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 || { cat "$tmp/install.log"; exit 1; }

share=$prefix/share
check "$prefix/bin/tomeling"
check "$share/tomeling/demo/CATALOGS"
check "$share/tomeling/demo/DEMO.MAP"
check "$share/tomeling/demo-ebzip/CATALOGS.ebz"
check "$share/tomeling/help/Tomeling.htm"
check "$share/tomeling/help/Tomeling.en.htm"
check "$share/icons/hicolor/scalable/apps/tomeling.svg"
check "$share/man/man1/tomeling.1"
[ ! -e "$prefix/bin/demo" ] || { echo "the demo dictionary is still installed beside the programs"; fail=1; }
for size in 16 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/tomeling.png
  check "$png"
  # The width and height of the PNG header, big-endian at bytes 16 and 20.
  dims=$(od -An -tu1 -j16 -N8 "$png" 2>/dev/null | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$dims" = "${size}x${size}" ] || { echo "$png is $dims"; fail=1; }
done
grep -q 'id="Main_Contents"' "$share/tomeling/help/Tomeling.htm" || { echo "no Main_Contents anchor"; fail=1; }

# The desktop programs, each with its .desktop file.
for program in velloc marrit; do
  check "$prefix/bin/$program"
  check "$share/applications/$program.desktop"
done

# The man page reads without a warning.
if ! LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$share/man/man1/tomeling.1" 2>"$tmp/groff.log" || [ -s "$tmp/groff.log" ]; then
  cat "$tmp/groff.log"
  fail=1
fi

# The installed tool searches its demo dictionary, before and after the
# prefix moves (nothing of the build tree is in reach of either).
home=$tmp/home
mkdir -p "$home"
for where in prefix moved; do
  if [ "$where" = moved ]; then mv "$prefix" "$tmp/moved" && prefix=$tmp/moved; fi
  out=$(TOMELING_HOME="$home" XDG_CONFIG_HOME="$home" "$prefix/bin/tomeling" find --show 猫 2>&1)
  case "$out" in
    *猫*) ;;
    *) echo "installed in $where: tomeling find found no demo entry:"; echo "$out"; fail=1 ;;
  esac
done

# The installed desktop programs, started for the first time with no books
# anywhere, open the demo dictionary installed beside them: their group
# file names it. SIGTERM closes them as a user would.
first_start() {  # first_start PROGRAM
  local dir=$tmp/first-$1 pid status catalog
  mkdir -p "$dir/config/Inkwold" "$dir/data" "$dir/runtime"
  chmod 700 "$dir/runtime"
  printf '[Globals]\nbFindAllDrv=0\n' >"$dir/config/Inkwold/Tomeling.ini"
  TOMELING_HOME=$dir XDG_CONFIG_HOME=$dir/config XDG_DATA_HOME=$dir/data XDG_RUNTIME_DIR=$dir/runtime \
    QT_QPA_PLATFORM=offscreen "$prefix/bin/$1" >"$dir/log" 2>&1 &
  pid=$!
  for _ in $(seq 1 300); do
    grep -q "share/tomeling/demo" "$dir/TOMELING.grp" 2>/dev/null && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
  done
  kill -TERM "$pid" 2>/dev/null
  wait "$pid"
  status=$?
  # The group's first field is the catalog's path, as the program found it.
  catalog=$(grep -m 1 'CATALOGS|' "$dir/TOMELING.grp" 2>/dev/null | cut -d '|' -f 1)
  if [ -z "$catalog" ] || [ "$(realpath "$catalog")" != "$(realpath "$prefix/share/tomeling/demo/CATALOGS")" ]; then
    echo "installed $1 did not open the installed demo dictionary:"
    cat "$dir/TOMELING.grp" "$dir/log" 2>&1
    fail=1
  fi
  [ "$status" -eq 0 ] || { echo "installed $1 ended with status $status:"; cat "$dir/log"; fail=1; }
}
for program in velloc marrit; do
  [ -x "$prefix/bin/$program" ] && first_start "$program"
done

[ "$fail" -eq 0 ] && echo "install layout complete"
exit $fail
