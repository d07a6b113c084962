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
SIGNS = "+-−"
failures = []


def fail(where, why):
    failures.append(where)
    print(f"FAIL: {where}: {why}")


def table(name, widths):
    """A table's rows as (file:line, fields). Blank and '#' lines are skipped, as the build skips
    them; any other line that is not a row of one of the widths fails once, by its line."""
    path = Path(__file__).parent / name
    for line_number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        fields, where = line.split("\t"), f"{path.name}:{line_number}"
        if line and not line.startswith("#"):
            if len(fields) in widths and (fields[0].isdigit() or fields[0] == "words"):
                yield where, fields
            else:
                fail(where, f"not a row of {' or '.join(map(str, widths))} fields: {line!r}")


def number(text):
    """A number as written (1,054.15 or 6.624e-27 or 22|7), exactly; None for anything else."""
    try:
        return Fraction(text.replace(",", "").replace("|", "/").replace("−", "-"))
    except (ValueError, ZeroDivisionError):
        return None


def last_digit(shown):
    """The place value of a number's last counted digit: zeros that end a whole number do not
    count, nor does the ".0" that the catalogue writes after a whole factor."""
    mantissa, _, exponent = shown.replace(",", "").lower().partition("e")
    whole, _, decimals = mantissa.removesuffix(".0").partition(".")
    places = -len(decimals) if decimals else len(whole) - len(whole.rstrip("0"))
    return Fraction(10) ** (places + int(exponent or 0))


def factor_agrees(factor, value):
    """A factor agrees with a value that, rounded or cut off at the factor's last counted digit,
    gives the factor, and is within 1 % of it."""
    if value is None:
        return False
    off, step = value - number(factor), last_digit(factor)
    return abs(off) <= number(factor) / 100 and (abs(off) <= step / 2 or 0 <= off < step)


def reading_explains(where, factor, answer):
    """A reading explains its factor: GNU units' answer to it agrees with the factor."""
    if not factor_agrees(factor, number(answer)):
        fail(where, f"the reading gives {answer}, which does not explain the factor {factor}")


def repeated_note_matches(catalogue, first, repeats):
    """A note that rows repeat is theirs word for word; a difference fails once, naming them."""
    if first not in catalogue:
        return fail(f"catalogue_units.tsv: rows {', '.join(repeats)}", f"no row {first} to repeat")
    differing = [f"row {row} ({catalogue[row][0]})" for row in repeats
                 if catalogue[row][2] != catalogue[first][2]]
    if differing:
        fail(f"{catalogue[first][0]}: row {first}",
             "its note differs from the one repeated by " + ", ".join(differing))


def figure_proven(where, figure, proof, factor, reading):
    """A figure, sign included, is its proof's answer rounded to the figure's last counted digit,
    a fraction exactly; without a proof, it is the factor or a number of the reading."""
    value = number(figure)
    if proof is not None:
        got = number(proof)
        allowed = abs(value) / 10**12 if "/" in figure else last_digit(figure) / 2
        if got is None or abs(got - value) > allowed:
            return fail(where, f"the figure {figure} is {proof} by its proof")
    elif value != number(factor) and value not in map(number, READING_NUMBER.findall(reading)):
        return fail(where, f"the figure {figure} is not proven")
    return True


def ask_gnu_units(questions):
    """GNU units' answer to each question, all asked in one run, one line an answer (the caret
    that points into an expression it cannot read is left out)."""
    questions = list(dict.fromkeys(questions))
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


def main():
    catalogue = {f[0]: (where, f[3], f[4] if len(f) > 4 else "")
                 for where, f in table("../conversion/catalogue.tsv", (4, 5))}
    conversions = list(table("data/catalogue_units.tsv", (3, 5, 6)))
    words, proofs = [], {}
    for where, f in table("data/note_figures.tsv", (2, 4)):
        if len(f) == 2 and f[0] == "words":
            words.append(f[1])
        elif len(f) == 4 and f[0].isdigit():
            proofs[f[0], f[1].lstrip(SIGNS)] = f"({f[2]})/({f[3]})"
        else:
            fail(where, "neither words nor a proof (row, figure, expression, unit)")
    today = {f[0]: f"({f[1]})/({f[2]})" for _, f in conversions}
    reading = {f[0]: f"({f[3]})/({f[4]})" for _, f in conversions if len(f) > 3}
    answers = ask_gnu_units([*today.values(), *reading.values(), *proofs.values()])
    repeats, proven = {}, 0
    for expected, (where, f) in enumerate(conversions, 1):
        row, where = f[0], f"{where}: row {f[0]}"
        if row != str(expected) or row not in catalogue:
            fail(where, f"expected row {expected} of the catalogue's {len(catalogue)}")
            break
        at_row, factor, note = catalogue[row]
        at_row += f": row {row}"
        value = answers[today[row]]
        if not value[:1].isdigit():
            fail(where, f"GNU units does not know the units: {value}")
        elif not factor_agrees(factor, number(value)) and not note:
            fail(at_row, f"the factor {factor} is not {value} rounded or cut off, and has no note")
        elif bool(note) != (row in reading):
            fail(where, "a note and a reading go together")
        elif note:
            reading_explains(where, factor, answers[reading[row]])
        if len(f) == 6:
            repeats.setdefault(f[5], []).append(row)
            continue
        for word in words:
            note = note.replace(word, "")
        for figure in FIGURE.findall(note):
            proof = answers.get(proofs.get((row, figure.lstrip(SIGNS))))
            proven += bool(figure_proven(at_row, figure, proof, factor, " ".join(f[3:5])))
    else:  # every row in its place, but are all there?
        if len(conversions) != len(catalogue):
            fail("catalogue_units.tsv", f"{len(conversions)} rows for {len(catalogue)} conversions")
    for first, rows in repeats.items():
        repeated_note_matches(catalogue, first, rows)
    print(f"{len(conversions)} rows audited, {proven} figures proven, {len(failures)} failed")
    return 1 if failures else 0


sys.exit(main())
