#!/usr/bin/env bash
# Sets up, builds and starts marrit, the desktop program, on the bundled
# demo dictionary. Without a display (neither $DISPLAY nor
# $WAYLAND_DISPLAY set) it says so and runs the command-line tool on the
# demo instead: a search by written form, one typed in romaji and one by
# the end of the word, each printing the entries found, then the menu.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
display=1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then display=0; fi

cmake --preset default >/dev/null
targets=(tomeling demo_book)
[ "$display" -eq 0 ] || targets+=(marrit)
cmake --build --preset default -j "$(nproc)" --target "${targets[@]}"
tomeling=build/apps/tomeling/tomeling
demo=build/data/demo

# A scratch application directory and settings store, so the user's own
# settings, groups and history neither change what the demo shows nor
# are changed by it.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export TOMELING_HOME="$home" XDG_CONFIG_HOME="$home"
# The demo's external characters, through a map named after its directory.
mkdir -p "$home/GAIJI"
cp data/demo/DEMO.MAP "$home/GAIJI/"

if [ "$display" -eq 1 ]; then
  # The group holds the demo dictionary alone, so the program opens it
  # at once (no search of the disks for books); its own window even when
  # another marrit runs.
  "$tomeling" group save "$home/TOMELING.grp" --book "$demo" >/dev/null
  mkdir -p "$home/Inkwold"
  printf '[Globals]\nbFindAllDrv=0\nbMultiApp=1\n' >"$home/Inkwold/Tomeling.ini"
  echo "Starting marrit on the demo dictionary (try 猫, ねこ or cat; close the window to end)."
  build/apps/desktop/marrit
  exit
fi

echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running the command-line demo instead."
set -x
"$tomeling" find --book "$demo" --show 猫
"$tomeling" find --book "$demo" --romaji --show sakura
"$tomeling" find --book "$demo" '*しい'
"$tomeling" menu --book "$demo"
