# Sourced by the end-to-end test, CI and the benchmark. start_xvfb DIR starts a private Xvfb
# without a window manager, sets $xvfb to its process and exports DISPLAY; its log goes to
# DIR/xvfb.log.
start_xvfb() {
    # Xvfb picks a free display and writes its number once it takes clients. Without -noreset
    # it resets whenever its last client leaves, dropping any client that connects meanwhile:
    # a short-lived xdotool or xprop could then cost the program under test its connection.
    : >"$1/display"
    Xvfb -displayfd 3 -noreset -screen 0 "${2:-1024x768}x24" -nolisten tcp 3>"$1/display" >"$1/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 600); do # up to 30 s, for the number and its newline
        [ "$(wc -l <"$1/display")" -ge 1 ] && break
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.05
    done
    [ "$(wc -l <"$1/display")" -ge 1 ] || return 1
    export DISPLAY=:$(head -n 1 "$1/display")
}

# fail MESSAGE ends the script with a FAIL line; window TITLE prints the first visible window whose
# name matches the regular expression TITLE, waiting up to 30 seconds for it.
fail() { echo "FAIL: $*" >&2 && exit 1; }
window() { timeout 30 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
