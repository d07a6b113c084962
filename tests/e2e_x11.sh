#!/usr/bin/env bash
# The program under Xvfb, real clicks and keys: a conversion, Help, Exit; any failing step fails.
set -euo pipefail
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || exit 77
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xvfb.sh"
work=$(mktemp -d) pid= xvfb=
trap 'kill $pid $xvfb 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2 && exit 1; }
window() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
start_xvfb "$work"
QT_QPA_PLATFORM=xcb "$1" & pid=$!
main=$(window '^Mensurio$') || fail "no main window"
xdotool windowfocus --sync "$main" mousemove --window "$main" 40 6 click 1 # the first entry
box=$(window '^Mensurio input box$') || fail "a click on the first entry opened no input box"
xdotool windowfocus --sync "$box" type 2 && xdotool key Return
result=$(window '^abampere  to  ampere$') || fail "2 for the first entry showed no result"
xdotool windowfocus --sync "$result" key Return
xdotool mousemove --window "$main" 184 248 click 1 # Help
window '^Help/About$' || fail "Help showed no help window"
xdotool mousemove --window "$main" 272 248 click 1 # Exit
timeout 20 tail --pid="$pid" -f /dev/null || fail "the program did not end after Exit"
wait "$pid" && pid= || fail "the program ended with status $?"
