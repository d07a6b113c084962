#!/usr/bin/env bash
# The program under Xvfb with real clicks and keys: a conversion, its result copied, then Exit.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xvfb.sh"
type -P Xvfb xdotool xclip >/dev/null || fail "needs Xvfb, xdotool and xclip (./scripts/test installs them)"
work=$(mktemp -d) pid= xvfb=
trap 'kill $pid $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT # either may have ended
start_xvfb "$work" || fail "Xvfb did not start"
QT_QPA_PLATFORM=xcb "$1" & pid=$!
main=$(window '^Mensurio$') || fail "no main window"
xdotool windowfocus --sync "$main" mousemove --window "$main" 40 6 click 1 # the first entry
box=$(window '^Mensurio input box$') || fail "a click on the first entry opened no input box"
xdotool windowfocus --sync "$box" type 2 && xdotool key Return
result=$(window '^abampere  to  ampere$') || fail "2 for the first entry showed no result"
xdotool windowfocus --sync "$result" key ctrl+c # the copy lands once the program has the keys
timeout 10 bash -c 'until [ "$(xclip -o -selection clipboard 2>/dev/null)" = 20 ]; do sleep 0.05; done' ||
    fail "2 abamperes showed '$(xclip -o -selection clipboard)', not 20 amperes"
xdotool key Return && timeout 9 sh -c 'until [ $(xdotool getwindowfocus) = $0 ]; do :; done' $main
xdotool key ctrl+f && find=$(window '^Find a formula$') || fail "Ctrl+F opened no find box"
xdotool windowfocus --sync "$find" type 'light-year to miles' && xdotool key Return # its one match
box=$(window 'input box$') && xdotool windowfocus --sync "$box" type 2 && xdotool key Return &&
    xdotool windowfocus --sync "$(window '^light-year  to  miles$')" || fail "no result box for 509"
xdotool key Return mousemove --window "$main" 272 248 click 1 # Exit
timeout 20 tail --pid="$pid" -f /dev/null || fail "the program did not end after Exit"
wait "$pid" && pid= || fail "the program ended with status $?"
