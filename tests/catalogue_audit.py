#!/usr/bin/env python3
# Every factor and every figure of a note against GNU units (Debian's units), asked in one run,
# by the rules atop data/catalogue_units.tsv and data/note_figures.tsv.
import os
import re
import subprocess
import sys
from fractions import Fraction
from pathlib import Path

# A figure as a note writes it, its sign included: 1,054.15, -6.62607e-27, 1/3600.
FIGURE = re.compile(r"[-+−]?[0-9]+(?:[,.][0-9]+)*(?:e[-+]?[0-9]+)?(?:/[0-9]+)?")
# A number in a reading, where 22|7 is a fraction and the 3 of m^3 is no number.
READING_NUMBER = re.compile(r"(?<![\^0-9.])[0-9]+(?:\.[0-9]+)?(?:e[-+]?[0-9]+)?(?:\|[0-9]+)?")
failures = []


def fail(where, why):
    failures.append(where)
    print(f"FAIL: {where}: {why}")


def table(name, widths):
    """A table's lines as (file:line, fields), each as wide as widths allows its first field: "row"
    (a row number) or a word. Blank and '#' lines are skipped, as the build skips them."""
    path = Path(__file__).parent / name
    for line_number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        fields, where = line.split("\t"), f"{path.name}:{line_number}"
        kind = "row" if fields[0].isdigit() else fields[0]
        if len(fields) in widths.get(kind, ()):
            yield where, fields
        elif line and not line.startswith("#"):
            fail(where, f"not a line of this table: {line!r}")


def number(text):
    """A number as written (1,054.15 or 6.624e-27 or 22|7), exactly; None for anything else."""
    try:
        return Fraction(text.replace(",", "").replace("|", "/").replace("−", "-"))
    except (ValueError, ZeroDivisionError):
        return None


def last_digit(shown):
    """The place value of a number's last digit, less a whole number's end zeros and a ".0"."""
    mantissa, _, exponent = shown.replace(",", "").lower().partition("e")
    whole, _, decimals = mantissa.removesuffix(".0").partition(".")
    places = -len(decimals) if decimals else len(whole) - len(whole.rstrip("0"))
    return Fraction(10) ** (places + int(exponent or 0))


def factor_agrees(factor, value):
    """A factor agrees with a value that gives it rounded or cut off, and is within 1 % of it."""
    off, step = value - number(factor), last_digit(factor)
    return abs(off) <= number(factor) / 100 and (abs(off) <= step / 2 or 0 <= off < step)


def reading_explains(where, factor, answer):
    """A reading explains its factor: GNU units' answer to it agrees with the factor."""
    if number(answer) is None or not factor_agrees(factor, number(answer)):
        fail(where, f"the reading gives {answer}, which does not explain the factor {factor}")


def repeated_note_matches(catalogue, first, repeats):
    """Rows that repeat a row's note have it word for word; a difference fails once, naming them."""
    at_first, _, note = catalogue.get(first, (f"catalogue.tsv: no row {first}", "", None))
    differing = [catalogue[row][0] for row in repeats if catalogue[row][2] != note]
    if differing:
        fail(at_first, "its note differs from the one repeated at " + ", ".join(differing))


def figure_proven(where, figure, proof, factor, reading):
    """A figure, sign included, is its proof's answer rounded (a fraction exactly), or else is the
    factor or a number of the reading."""
    value = number(figure)
    if proof is not None:
        allowed = abs(value) / 10**12 if "/" in figure else last_digit(figure) / 2
        if number(proof) is None or abs(number(proof) - value) > allowed:
            return fail(where, f"the figure {figure} is {proof} by its proof")
    elif value != number(factor) and value not in map(number, READING_NUMBER.findall(reading)):
        return fail(where, f"the figure {figure} is not proven")
    return True


def ask_gnu_units(questions):
    """GNU units' answer to each question, asked in one run (less carets under bad input)."""
    try:
        output = subprocess.run(["units", "--terse", "--quiet", "--digits", "15"], text=True,
                                input="".join(f"{q}\n\n" for q in questions), capture_output=True,
                                env=dict(os.environ, UNITS_ENGLISH="US", LC_ALL="C")).stdout
    except FileNotFoundError:
        sys.exit("FAIL: GNU units is not installed (Debian's units)")
    answers = [line for line in output.splitlines() if line.strip() != "^"]
    if len(answers) != len(questions):
        sys.exit(f"FAIL: GNU units answered {len(answers)} lines for {len(questions)} questions")
    return dict(zip(questions, answers))


catalogue = {f[0]: (f"{where}: row {f[0]}", f[3], f[4] if len(f) > 4 else "")
             for where, f in table("../conversion/catalogue.tsv", {"row": (4, 5)})}
conversions = list(table("data/catalogue_units.tsv", {"row": (3, 5, 6)}))
note_figures = list(table("data/note_figures.tsv", {"row": (4,), "words": (2,)}))
words = re.compile("|".join(re.escape(f[1]) for _, f in note_figures if f[0] == "words"))
proofs = {(f[0], f[1]): f"({f[2]})/({f[3]})" for _, f in note_figures if f[0] != "words"}
today = {f[0]: f"({f[1]})/({f[2]})" for _, f in conversions}
reading = {f[0]: f"({f[3]})/({f[4]})" for _, f in conversions if len(f) > 3}
answers = ask_gnu_units([*today.values(), *reading.values(), *proofs.values()])
repeats, proven = {}, 0
for expected, (where, f) in enumerate(conversions, 1):
    if f[0] != str(expected) or f[0] not in catalogue:
        sys.exit(f"FAIL: {where}: expected row {expected} of the catalogue's {len(catalogue)}")
    row, (at_row, factor, note) = f[0], catalogue[f[0]]
    value = answers[today[row]]
    if not value[:1].isdigit():
        fail(where, f"GNU units does not know the units: {value}")
    elif not note and (number(value) is None or not factor_agrees(factor, number(value))):
        fail(at_row, f"the factor {factor} is not {value} rounded or cut off, and has no note")
    elif bool(note) != (row in reading):
        fail(where, "a note and a reading go together")
    elif note:
        reading_explains(where, factor, answers[reading[row]])
    if len(f) == 6:  # a repeated note's figures are proven at its first row
        repeats.setdefault(f[5], []).append(row)
        continue
    for figure in FIGURE.findall(words.sub("", note)):
        proof = answers.get(proofs.get((row, figure)))
        proven += bool(figure_proven(at_row, figure, proof, factor, " ".join(f[3:5])))
if len(conversions) != len(catalogue):
    fail("catalogue_units.tsv", f"{len(conversions)} rows for {len(catalogue)} conversions")
for first, rows in repeats.items():
    repeated_note_matches(catalogue, first, rows)
print(f"{len(conversions)} rows audited, {proven} figures proven, {len(failures)} failed")
sys.exit(1 if failures else 0)
