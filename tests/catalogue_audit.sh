#!/usr/bin/env bash
# Every factor and every figure of a note against GNU units (Debian's units), in one run, by the
# rules atop data/catalogue_units.tsv and data/note_figures.tsv; without blank and '#' lines, as built.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
answers=$({ grep -hv '^#' data/note_figures.tsv | cut -f3-4; grep -v '^#' data/catalogue_units.tsv | cut -f2-5; } |
    awk -F'\t' '{ for (i = 1; i < NF; i += 2) printf "(%s)/(%s)\n\n", $i, $(i + 1) }' |
    UNITS_ENGLISH=US LC_ALL=C units --terse --quiet --digits 15) ||
    { echo "FAIL: GNU units did not answer" >&2 && exit 1; }
awk -F'\t' -v answers="$answers" '
function abs(x) { return x < 0 ? -x : x }
function fail(why) { print "FAIL: " ($0 == "" ? why : "row " $1 ": " why ": " $0 " = " today ", " reading); failed++ }
function value(s, q) { gsub(/,/, "", s); split(s, q, /[|\/]/); return q[2] == "" ? q[1] + 0 : q[1] / q[2] }
# Half a unit in the last digit that counts: not a zero ending a whole number, or any factor ("10.0").
function halfunit(s, figure, d, e) {
    d = s; gsub(/,|[eE].*/, "", d); if (!figure || d !~ /\./) sub(/[.0]*$/, "", d)
    gsub(/\./, "", d); sub(/^0+/, "", d); split(sprintf("%e", value(s)), e, "e")
    return s ~ /[|\/]/ ? value(s) * 1e-9 : 0.5000000001 * 10 ^ (e[2] - length(d) + 1)
}
BEGIN { lines = split(answers, answer, "\n") }
/^#/ || NF == 0 { next }
FILENAME ~ /figures/ { if ($1 == "words") words[$2]; else proof[$1, $2] = ++asked; next }
FILENAME ~ /conversion/ { factor[++size] = $4; note[size] = $5; next }
{
    f = factor[$1]; today = answer[++asked]; reading = NF > 3 ? answer[++asked] : ""
    if ($1 != ++n) { fail("the rows must be 1, 2, ... in order"); exit }
    half = halfunit(f); if (half > f / 100) half = f / 100
    numeric = today ~ /^[-+0-9.e]+$/; explained = reading ~ /^[-+0-9.e]+$/
    noted = (!numeric || abs(f / today - 1) > 1e-4) && (!numeric || abs(f - today) > half || (explained && abs(f - reading) < abs(f - today)))
    if (today !~ /^[0-9]/) fail("GNU units does not know the units")
    if ((note[$1] != "") != noted || (reading != "") != noted) fail("a note and a reading exactly where the factor needs one")
    if (noted && !(explained && (abs(f - reading) <= half || (reading > f && reading - f < 2 * half)))) fail("the reading does not explain the factor")
    if (NF > 5 && note[$1] != note[$6]) fail("the note of the row it repeats")
    # Each figure of a note, once, is its proof rounded to the digits shown, the factor, or in the reading.
    text = note[$1] in proved ? "" : note[$1]; proved[note[$1]]; for (w in words) gsub(w, "", text)
    while (match(text, /[0-9]+([,.][0-9]+)*(e[-+]?[0-9]+)?(\/[0-9]+)?/)) {
        figure = substr(text, RSTART, RLENGTH); text = substr(text, RSTART + RLENGTH); v = value(figure)
        got = ($1, figure) in proof ? answer[proof[$1, figure]] : ""
        ok = got == "" ? v == f + 0 : abs(got - v) <= halfunit(figure, 1)
        for (r = $4 " " $5; got == "" && !ok && match(r, /[0-9.]+(e[-+]?[0-9]+)?(\|[0-9]+)?/); r = substr(r, RSTART + RLENGTH))
            ok = substr(r, RSTART - 1, 1) != "^" && abs(value(substr(r, RSTART, RLENGTH)) / v - 1) < 1e-9
        if (ok) proven++; else fail("the figure " figure " is " (got == "" ? "not proven" : got " by its proof"))
    }
}
END {
    $0 = ""; if (n != size) fail("catalogue_units.tsv: " n " rows for " size " conversions")
    else if (asked != lines) fail("GNU units answered " lines " lines for " asked " questions")
    printf "%d rows audited, %d figures proven, %d failed\n", n, proven, failed; exit failed > 0
}' data/note_figures.tsv ../conversion/catalogue.tsv data/catalogue_units.tsv
