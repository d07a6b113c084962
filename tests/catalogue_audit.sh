#!/usr/bin/env bash
# Every factor against GNU units (Debian's units), asked once for each (from)/(to) of
# data/catalogue_units.tsv. A factor differs where it is off by more than one part in 10,000 and
# by more than half a unit in its last significant digit (at most 1 % of it). Rows that differ
# have a note, and rows whose rounding alone hides that they follow a note's reading may; GNU
# units agrees with the factor on that reading, rounded to the factor's digits or cut off there.
# A row that follows an earlier row's reading repeats its note word for word.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
answers=$(grep -v '^#' data/catalogue_units.tsv | cut -f2-5 |
    awk -F'\t' '{ for (i = 1; i < NF; i += 2) printf "(%s)/(%s)\n\n", $i, $(i + 1) }' |
    UNITS_ENGLISH=US LC_ALL=C units --terse --quiet --digits 15) ||
    { echo "FAIL: GNU units did not answer" >&2 && exit 1; }
awk -F'\t' -v answers="$answers" '
function abs(x) { return x < 0 ? -x : x }
function fail(why) { print "FAIL: " ($0 == "" ? why : "row " $1 ": " why ": " $0 " = " today ", " reading); failed++ }
BEGIN { lines = split(answers, answer, "\n") }
/^#/ { next }
FNR == NR { factor[++size] = $4; note[size] = $5; next }
{
    f = factor[$1]; today = answer[++asked]; reading = NF > 3 ? answer[++asked] : ""
    if ($1 != ++n) { fail("the rows must be 1, 2, ... in order"); exit }
    digits = f; sub(/[eE].*/, "", digits); gsub(/\./, "", digits); sub(/^0+/, "", digits); sub(/0+$/, "", digits)
    split(sprintf("%e", f), power, "e")
    half = 0.5000000001 * 10 ^ (power[2] - length(digits) + 1); if (half > f / 100) half = f / 100
    numeric = today ~ /^[-+0-9.e]+$/; explained = reading ~ /^[-+0-9.e]+$/
    far = !numeric || abs(f / today - 1) > 1e-4
    noted = far && (!numeric || abs(f - today) > half || (explained && abs(f - reading) < abs(f - today)))
    if (today !~ /^[0-9]/) fail("GNU units does not know the units")
    if ((note[$1] != "") != noted || (reading != "") != noted) fail("a note and a reading exactly where the factor needs one")
    if (noted && !(explained && (abs(f - reading) <= half || (reading > f && reading - f < 2 * half)))) fail("the reading does not explain the factor")
    if (NF > 5 && note[$1] != note[$6]) fail("the note of the row it repeats")
}
END {
    $0 = ""; if (n != size) fail("catalogue_units.tsv: " n " rows for " size " conversions")
    else if (asked != lines) fail("GNU units answered " lines " lines for " asked " questions")
    printf "%d rows audited, %d failed\n", n, failed; exit failed > 0
}' ../conversion/catalogue.tsv data/catalogue_units.tsv
