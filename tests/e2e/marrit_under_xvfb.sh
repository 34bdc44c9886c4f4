#!/usr/bin/env bash
# The real marrit on a real X server (Xvfb), driven as a user drives it:
#
#   1. A first start in an empty application directory, with XDG folders
#      of the test's own: the program finds no group file and no books, so
#      it opens the bundled demo dictionary -- its name becomes the window
#      title. "cat" typed into the search box and Enter list 猫 and show
#      its entry, which Select All and Copy put on the X clipboard. SIGTERM
#      closes the window as the user would: the program ends with 0 and
#      has written its settings, the group file and the history.
#   2. A second start with what the first left opens the demo again
#      straight from "TOMELING.grp" and keeps the history word.
#
# A screenshot of the first run goes to ARTEFACTS/marrit.png.
#
#   marrit_under_xvfb.sh MARRIT ARTEFACTS
#
# Needs Xvfb, xdotool, xclip, xwd and netpbm (scripts/setup.sh). When
# one is missing the test is skipped (status 77) -- except under CI=true,
# where a skip would hide the fault the test is there to find.
set -u

marrit=$1
artefacts=$2

missing=""
for tool in Xvfb xdotool xclip xwd xwdtopnm pnmtopng; do
  command -v "$tool" >/dev/null || missing="$missing $tool"
done
if [ -n "$missing" ]; then
  if [ "${CI:-}" = true ]; then
    echo "FAILED: missing$missing, and CI=true makes a skip a failure"
    exit 1
  fi
  echo "SKIPPED: missing$missing"
  exit 77
fi

tmp=$(mktemp -d)
pid=""
xvfb=""
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*"
  for log in "$tmp"/run*.log; do
    [ -s "$log" ] && { echo "--- $log"; cat "$log"; }
  done
  exit 1
}

# An X server of its own: Xvfb picks a free display and writes its number
# once it accepts clients (so parallel runs never race for one). 24-bit, so
# that the screenshot shows what a user sees.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb=$!
for ((i = 0; i < 100; ++i)); do
  [ -s "$tmp/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
[ -s "$tmp/display" ] || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
export DISPLAY=":$(head -n 1 "$tmp/display")"

export TOMELING_HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data
export XDG_CACHE_HOME=$tmp/cache XDG_RUNTIME_DIR=$tmp/runtime
# This X server, whatever the calling environment prefers.
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
mkdir -p "$TOMELING_HOME" "$XDG_CONFIG_HOME/Inkwold" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# The Globals store: the first start scans only the user's book folder
# (empty here), not the whole machine.
store=$XDG_CONFIG_HOME/Inkwold/Tomeling.ini
printf '[Globals]\nbFindAllDrv=0\n' >"$store"
demo_title="デモ和英辞典"

# Polls `command` every 0.2 s for up to `seconds` (the sanitizer build
# starts several times slower).
wait_for() {  # wait_for SECONDS COMMAND...
  local tries=$(($1 * 5))
  shift
  for ((i = 0; i < tries; ++i)); do
    "$@" && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

window=""
title_is() {  # title_is TITLE: marrit's main window is mapped with TITLE
  window=$(xdotool search --onlyvisible --classname '^marrit$' 2>/dev/null | head -n 1)
  [ -n "$window" ] && [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "$1" ]
}

# Clicks the blank foot of the content view, selects all and copies; true
# when the clipboard then holds the entry of 猫. The screen is taken first,
# so the one of the last call shows the entry as the user saw it.
entry_on_clipboard() {
  xwd -root -silent >"$tmp/screen.xwd"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove --window "$window" $((WIDTH * 3 / 4)) $((HEIGHT * 9 / 10)) click 1 key ctrl+a ctrl+c
  sleep 0.2
  clip=$(timeout 5 xclip -o -selection clipboard 2>/dev/null)
  case "$clip" in
    *猫【ねこ】*英語：cat*) return 0 ;;
    *) return 1 ;;
  esac
}

start() {  # start N: run N of marrit in the background
  "$marrit" >"$tmp/run$1.log" 2>&1 &
  pid=$!
}

stop() {  # stop: SIGTERM, then the program must end with 0 within 30 s
  kill -TERM "$pid"
  for ((i = 0; i < 150; ++i)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
  done
  kill -0 "$pid" 2>/dev/null && fail "marrit still runs 30 s after SIGTERM"
  wait "$pid"
  local status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "marrit ended with status $status after SIGTERM"
}

# ---- run 1: the first start
start 1
wait_for 60 title_is "$demo_title" ||
  fail "no window titled $demo_title (last title: '$(xdotool getwindowname "$window" 2>/dev/null)')"
[ -f "$TOMELING_HOME/TOMELING.grp" ] || fail "the first start wrote no TOMELING.grp"
# Typed through the server (XTEST) into the window with the focus, as a
# keyboard types.
xdotool type --delay 20 cat
xdotool key Return
# The search takes milliseconds; the pause lets the first screen taken
# show its result.
sleep 1
wait_for 30 entry_on_clipboard || fail "the entry of 猫 never reached the clipboard; it held: $clip"
mkdir -p "$artefacts"
xwdtopnm "$tmp/screen.xwd" 2>/dev/null | pnmtopng >"$artefacts/marrit.png" 2>/dev/null ||
  fail "no screenshot"
stop

# What the shut-down stored: the Globals (the store is rewritten whole,
# so keys the test never wrote appear), the group naming the demo, the
# history word.
grep -q '^bFindAllDrv=0' "$store" || fail "the Globals store lost bFindAllDrv"
grep -q '^bottom=' "$store" || fail "the Globals store was not written: $(cat "$store")"
grep -q 'demo' "$TOMELING_HOME/TOMELING.grp" ||
  fail "TOMELING.grp does not name the demo: $(cat "$TOMELING_HOME/TOMELING.grp")"
grep -qx 'cat' "$TOMELING_HOME/history.txt" 2>/dev/null ||
  fail "history.txt lacks the word: $(cat "$TOMELING_HOME/history.txt" 2>&1)"
# Files are written to a temporary name and renamed over the old one;
# none of those may be left.
left=$(find "$TOMELING_HOME" "$XDG_CONFIG_HOME" -type f | grep -E '\.(ini|grp|txt)[.-]')
[ -z "$left" ] || fail "temporary files left: $left"

# ---- run 2: the group file and the history from run 1
cp "$TOMELING_HOME/TOMELING.grp" "$tmp/group.before"
start 2
wait_for 60 title_is "$demo_title" || fail "the second start shows no window titled $demo_title"
stop
grep -qx 'cat' "$TOMELING_HOME/history.txt" || fail "the second run lost the history word"
cmp -s "$tmp/group.before" "$TOMELING_HOME/TOMELING.grp" || fail "the second run changed TOMELING.grp"

echo "marrit opened the demo dictionary, showed the entry of 猫, and closed cleanly twice"
exit 0
