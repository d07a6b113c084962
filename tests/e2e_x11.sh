#!/usr/bin/env bash
# The program under Xvfb and openbox with real clicks and keys: the boxes of a conversion open
# beside the main window, measured with the window manager's frames; a result copied; then Exit.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xvfb.sh"
type -P Xvfb xdotool xclip openbox xprop xwininfo >/dev/null ||
    fail "needs Xvfb, xdotool, xclip, openbox, xprop and xwininfo (./scripts/test installs them)"
work=$(mktemp -d) pid= xvfb=
trap 'kill $pid $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT # either may have ended
start_xvfb "$work" 1280x1024 || fail "Xvfb did not start"
openbox >"$work/openbox.log" 2>&1 &
xvfb="$xvfb $!"
timeout 30 bash -c 'until xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "# 0x"; do sleep 0.05; done' ||
    fail "openbox did not start"
QT_QPA_PLATFORM=xcb "$1" & pid=$!
main=$(window '^Mensurio$') || fail "no main window"

# The frame of window $1 on the screen, left top right bottom: its place, grown by its extents.
frame() {
    local x y width height left right top bottom
    read -r x y width height < <(xwininfo -id "$1" | awk '/Absolute upper-left|Width|Height/ { v = v $NF " " } END { print v }')
    IFS=', ' read -r left right top bottom < <(xprop -id "$1" _NET_FRAME_EXTENTS | cut -d= -f2)
    echo $((x - left)) $((y - top)) $((x + width + right - 1)) $((y + height + bottom - 1))
}
# The box titled $2 touches the main window's frame on side $1 (below, above), centred within a
# pixel; the window manager may take a moment to frame it.
placed() {
    local box main_frame box_frame
    box=$(window "$2") || fail "no box titled $2"
    for _ in $(seq 50); do
        read -r left top right bottom < <(frame "$main")
        read -r box_left box_top box_right box_bottom < <(frame "$box")
        main_frame="$left,$top $right,$bottom" box_frame="$box_left,$box_top $box_right,$box_bottom"
        edge=$([ "$1" = below ] && echo $((box_top - bottom - 1)) || echo $((top - box_bottom - 1)))
        off=$((box_left + box_right - left - right)) # twice the distance of the centres
        [ "$edge" -eq 0 ] && [ "${off#-}" -le 2 ] && return 0
        sleep 0.1
    done
    fail "the box $2 has its frame at $box_frame, not $1 the main window's at $main_frame"
}
# A conversion of the first entry with the boxes on side $1: a refused text, then 2, copied.
convert() {
    xdotool windowfocus --sync "$main" mousemove --window "$main" 40 6 click 1
    placed "$1" '^Mensurio input box$'
    xdotool type x && xdotool key Return
    placed "$1" '^Calvero1$'
    xdotool key Return && sleep 0.2 && placed "$1" '^Mensurio input box$'
    xdotool type 2 && xdotool key Return
    placed "$1" '^abampere  to  ampere$'
    xdotool key ctrl+c # the copy lands once the program has the keys
    timeout 10 bash -c 'until [ "$(xclip -o -selection clipboard 2>/dev/null)" = 20 ]; do sleep 0.05; done' ||
        fail "2 abamperes showed '$(xclip -o -selection clipboard)', not 20 amperes"
    xdotool key Return
}
convert below
xdotool windowmove --sync "$main" 256 700 # no room below
convert above
xdotool mousemove --window "$main" 272 248 click 1 # Exit
timeout 20 tail --pid="$pid" -f /dev/null || fail "the program did not end after Exit"
wait "$pid" && pid= || fail "the program ended with status $?"
