#!/usr/bin/env bash
# The built program as a user runs it: a real X server (Xvfb), real clicks and key presses
# (xdotool), values typed into the input box, Help, then Exit, after which the program must end
# by itself with status 0. MENSURIO_E2E_SHOT=file.png keeps a screenshot of a failure.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xvfb.sh"
work=$(mktemp -d)
pid=
xvfb=
fail() {
    echo "FAIL: $*" >&2
    [ -z "${MENSURIO_E2E_SHOT:-}" ] || import -window root "$MENSURIO_E2E_SHOT" || true
    [ ! -s "$work/xvfb.log" ] || sed 's/^/Xvfb: /' "$work/xvfb.log" >&2
    exit 1
}
# Also runs after a failure, so no step of it may fail (set -e would end it early).
cleanup() {
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    [ -z "$xvfb" ] || { kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null; } || true
    rm -rf "$work"
}
trap cleanup EXIT

start_xvfb "$work" || fail "Xvfb did not start"
xdotool getdisplaygeometry >/dev/null || fail "Xvfb did not answer on display '$DISPLAY'"

# Waits up to 20 s (a sanitized build on a busy machine starts slowly) for a visible window titled
# like the pattern $1, or with $2 = gone for none; the program must still be running.
window() {
    for _ in $(seq 400); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        if [ "${2:-}" = gone ]; then [ -z "$id" ] && return 0; elif [ -n "$id" ]; then echo "$id" && return 0; fi
        [ "${2:-}" = gone ] || kill -0 "$pid" 2>/dev/null || fail "the program ended before '$1' showed"
        sleep 0.05
    done
    fail "window '$1' ${2:-not shown}"
}
# Types $2 into the input box, then the box titled like $1 must show; Enter closes it.
convert() {
    xdotool windowfocus --sync "$(window '^Mensurio input box$')" type --delay 20 "$2"
    xdotool key Return
    xdotool windowfocus --sync "$(window "$1")" key Return
    window "$1" gone
}

QT_QPA_PLATFORM=xcb "$1" &
pid=$!
main=$(window '^Mensurio$')
xdotool windowfocus --sync "$main" mousemove --window "$main" 40 6 click 1 # the first entry
convert '^abampere  to  ampere$' 2
xdotool windowfocus --sync "$main" key End # the click left the focus in the list
convert '^year \(mean of 4 year period\)  to  week$' 1.5
xdotool mousemove --window "$main" 184 248 click 1 # Help
window '^Help/About$' >/dev/null
xdotool mousemove --window "$main" 272 248 click 1 # Exit
for _ in $(seq 400); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
! kill -0 "$pid" 2>/dev/null || fail "the program did not end after Exit"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "1 passed, 0 failed"
