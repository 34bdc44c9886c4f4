#!/usr/bin/env bash
# Sets up, builds and runs the command-line tool on the bundled demo
# dictionary: a search by written form, one typed in romaji and one by the
# end of the word, each printing the entries found, then the menu.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target tomeling demo_book
tomeling=build/apps/tomeling/tomeling
demo=build/data/demo
# A scratch application directory, so the user's own settings and groups
# don't change what the demo shows.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export TOMELING_HOME="$home" XDG_CONFIG_HOME="$home"
# The demo's external characters, through a map named after its directory.
mkdir -p "$home/GAIJI"
cp data/demo/DEMO.MAP "$home/GAIJI/"
set -x
"$tomeling" find --book "$demo" --show 猫
"$tomeling" find --book "$demo" --romaji --show sakura
"$tomeling" find --book "$demo" '*しい'
"$tomeling" menu --book "$demo"
