#!/usr/bin/env bash
# Start-up and latency benchmark, on a private Xvfb without a window manager: measures the
# one-entry reference window and Mensurio alternately (after one warm-up run each), prints the
# medians of RUNS runs (default 10), their ratio and memory difference, then the time from a
# Down key press in the list to the input box being shown, and from a letter typed in the find
# box to its drop-down painted (bench/findwatch.cpp).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-10}
source "$root/scripts/common.sh"
ensure_packages "${build_packages[@]}" xvfb libx11-dev libxtst-dev
build_dir=$root/build-bench
build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DMENSURIO_BENCH=ON -DMENSURIO_ASSERTIONS=OFF

source "$root/scripts/xvfb.sh"
work=$(mktemp -d)
xvfb=
trap '[ -z "$xvfb" ] || kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
start_xvfb "$work" || { cat "$work/xvfb.log" >&2; exit 1; }
export QT_QPA_PLATFORM=xcb

watch() { "$build_dir/bench/startwatch" --title "$1" -- "$2"; }
reference=$build_dir/bench/reference_window
mensurio=$build_dir/mensurio
watch Reference "$reference" >/dev/null
watch Mensurio "$mensurio" >/dev/null
for _ in $(seq "$runs"); do
    watch Reference "$reference" | sed 's/^/reference /'
    watch Mensurio "$mensurio" | sed 's/^/mensurio /'
done >"$work/runs"

median() { # program key
    grep "^$1 " "$work/runs" | sed -E "s/.*$2=([0-9.]+).*/\1/" | sort -g |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
ref_ms=$(median reference startup_ms)
men_ms=$(median mensurio startup_ms)
ref_kib=$(median reference peak_kib)
men_kib=$(median mensurio peak_kib)
awk -v runs="$runs" -v rm="$ref_ms" -v mm="$men_ms" -v rk="$ref_kib" -v mk="$men_kib" 'BEGIN {
    printf "start-up to window mapped, median of %d runs:\n", runs
    printf "  reference window %7.2f ms  %6.2f MiB\n", rm, rk / 1024
    printf "  mensurio         %7.2f ms  %6.2f MiB\n", mm, mk / 1024
    printf "  ratio %.3f, memory difference %+.2f MiB\n", mm / rm, (mk - rk) / 1024
}'
echo "Down key in the list to input box mapped, 20 presses:"
"$build_dir/bench/startwatch" --title Mensurio --latency 20 -- "$mensurio" |
    sed -E 's/.*latency_median_ms=([0-9.]+) latency_max_ms=([0-9.]+)/  median \1 ms, slowest \2 ms/'
echo "Find box (Ctrl+F), in process:"
"$build_dir/bench/findwatch" | sed 's/^/  /'
