#!/usr/bin/env bash
# Runs the built program as a user does: a real X server (Xvfb), real key presses and mouse
# clicks (xdotool), a value typed into the input box, Help, then Exit. The program must end by
# itself with status 0.
set -euo pipefail
program=$1

fail() {
    echo "FAIL: $*" >&2
    [ -n "${MENSURIO_E2E_SHOT:-}" ] && import -window root "$MENSURIO_E2E_SHOT"
    exit 1
}

# Xvfb picks a free display and writes its number once it accepts clients.
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(cat "$work/display")

# Waits up to five seconds for a visible window whose title matches the regular expression $1.
wait_window() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.05
    done
    fail "no window titled like '$1'"
}
wait_gone() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.05
    done
    fail "window '$1' stayed open"
}

# Types $2 into the input box and presses Enter; then the result box titled like $1 must appear,
# and Enter closes it.
answer() {
    local box result
    box=$(wait_window '^Mensurio input box$')
    xdotool windowfocus --sync "$box"
    xdotool type --delay 20 "$2"
    xdotool key Return
    result=$(wait_window "$1")
    xdotool windowfocus --sync "$result"
    xdotool key Return
    wait_gone "$1"
}

QT_QPA_PLATFORM=xcb "$program" &
pid=$!
main=$(wait_window '^Mensurio$')
xdotool windowfocus --sync "$main"

# The mouse: a left click on the first entry, near the top of the list.
xdotool mousemove --window "$main" 40 6 click 1
answer '^abampere  to  ampere$' 2

# The keyboard: Tab from Exit to the list, then End selects the last entry.
xdotool windowfocus --sync "$main"
xdotool key End
answer '^year \(mean of 4 year period\)  to  week$' 1.5

# Help opens its window; Exit (on the main window) ends the program and closes both.
xdotool mousemove --window "$main" 184 248 click 1
wait_window '^Help/About$' >/dev/null
xdotool mousemove --window "$main" 272 248 click 1
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after Exit"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "1 passed, 0 failed"
