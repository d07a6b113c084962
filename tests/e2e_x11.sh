#!/usr/bin/env bash
# The program under Xvfb and openbox with real clicks and keys: where the boxes of a conversion
# open, measured with the window manager's own frames; a result copied; a formula found by
# Ctrl+F and converted; then Exit.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xvfb.sh"
type -P Xvfb xdotool xclip openbox xprop xwininfo >/dev/null ||
    fail "needs Xvfb, xdotool, xclip, openbox, xprop and xwininfo (./scripts/test installs them)"
work=$(mktemp -d) pid= xvfb=
trap 'kill $pid $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT # either may have ended
start_xvfb "$work" 1280x1024 || fail "Xvfb did not start"
openbox >"$work/openbox.log" 2>&1 & xvfb="$xvfb $!"
timeout 30 bash -c 'until xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 0x; do sleep 0.1; done' ||
    fail "openbox did not start"
QT_QPA_PLATFORM=xcb "$1" & pid=$!
main=$(window '^Mensurio$') || fail "no main window"

# The frame of window $1: left, top, right, bottom; its place grown by the frame's extents.
frame() {
    local at=($(xwininfo -id "$1" | awk '/Absolute upper-left|Width|Height/ { print $NF }'))
    local by=($(xprop -id "$1" _NET_FRAME_EXTENTS | cut -d= -f2 | tr , ' ')) # left right top bottom
    echo $((at[0] - by[0])) $((at[1] - by[2])) \
        $((at[0] + at[2] + by[1] - 1)) $((at[1] + at[3] + by[3] - 1))
}
# The box titled $2 touches the main window's frame on side $1, below or above, centred within a
# pixel, once the window manager has framed and placed it.
placed() {
    box=$(window "$2") || fail "no box titled $2"
    for _ in $(seq 20); do
        window=($(frame "$main")) opened=($(frame "$box"))
        gap=$((opened[1] - window[3])) # below; above:
        [ "$1" = above ] && gap=$((window[1] - opened[3]))
        off=$((opened[0] + opened[2] - window[0] - window[2])) # twice the centres' distance
        [ "$gap" -eq 1 ] && [ "${off#-}" -le 2 ] && return 0 || sleep 0.1
    done
    fail "$2 has its frame at ${opened[*]}, not just $1 the main window's at ${window[*]}"
}
# The first entry with a refused text, then 2, whose result Ctrl+C copies; boxes on side $1.
convert() {
    xdotool windowfocus --sync "$main" mousemove --window "$main" 40 6 click 1
    placed "$1" '^Mensurio input box$' && xdotool type x && xdotool key Return
    placed "$1" '^Calvero1$' && xdotool key Return && sleep 0.2
    placed "$1" '^Mensurio input box$' && xdotool type 2 && xdotool key Return
    placed "$1" '^abampere  to  ampere$' && xdotool key ctrl+c # once the program has the keys
    timeout 10 bash -c 'until [ "$(xclip -o -selection clipboard)" = 20 ]; do sleep 0.05; done' ||
        fail "2 abamperes showed '$(xclip -o -selection clipboard)', not 20 amperes"
    xdotool key Return
}
convert below
xdotool windowmove --sync "$main" 256 700 # no room below
convert above
timeout 9 sh -c 'until [ $(xdotool getwindowfocus) = $0 ]; do sleep 0.05; done' "$main"
xdotool key ctrl+f && placed above '^Find a formula$' # beside the window, as every box
xdotool windowfocus --sync "$box" type 'light-year to miles' && xdotool key Return # its one match
box=$(window 'input box$') && xdotool windowfocus --sync "$box" type 2 && xdotool key Return &&
    xdotool windowfocus --sync "$(window '^light-year  to  miles$')" || fail "no result box for 509"
xdotool key Return mousemove --window "$main" 272 248 click 1 # Exit
timeout 20 tail --pid="$pid" -f /dev/null || fail "the program did not end after Exit"
wait "$pid" && pid= || fail "the program ended with status $?"
