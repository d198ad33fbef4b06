#!/usr/bin/env python3
"""Writes engine/letters_table.inc, the tables behind veltara::FoldLetter and
the chart's reading of names, from the Unicode Character Database:

  LetterFolds     every code point beyond ASCII whose full canonical
                  decomposition is one of A-Z or a-z, alone or followed by
                  combining marks only (so the Kelvin sign too), with its
                  uppercase letter; the few letters kept by hand below (sharp
                  s, ligatures, letters with a stroke, eth, thorn) and the
                  code points that decompose into one of them plus marks.
  CombiningMarks  the ranges of general category Mn, Mc and Me.
  Letters         the ranges of general category L (Lu, Ll, Lt, Lm, Lo)
                  beyond ASCII.
  WhiteSpace      the ranges of the White_Space property.

Usage: make_letters_table.py [--unicode-dir DIR] [--output FILE] [--check]
The data is read from DIR (default /usr/share/unicode, Debian's unicode-data
package: UnicodeData.txt and PropList.txt). With --check nothing is written:
the exit status is 0 when FILE holds exactly what would be written, 1 when it
differs, and 77 when the Unicode data is not installed.
"""

import argparse
import os
import re
import sys

# Letters that do not decompose but are read as Latin letters all the same.
HAND_KEPT = {
    0x00DF: "SS",  # LATIN SMALL LETTER SHARP S
    0x1E9E: "SS",  # LATIN CAPITAL LETTER SHARP S
    0x00C6: "AE",  # LATIN CAPITAL LETTER AE
    0x00E6: "AE",  # LATIN SMALL LETTER AE
    0x0152: "OE",  # LATIN CAPITAL LIGATURE OE
    0x0153: "OE",  # LATIN SMALL LIGATURE OE
    0x00D8: "O",   # LATIN CAPITAL LETTER O WITH STROKE
    0x00F8: "O",   # LATIN SMALL LETTER O WITH STROKE
    0x0141: "L",   # LATIN CAPITAL LETTER L WITH STROKE
    0x0142: "L",   # LATIN SMALL LETTER L WITH STROKE
    0x0110: "D",   # LATIN CAPITAL LETTER D WITH STROKE
    0x0111: "D",   # LATIN SMALL LETTER D WITH STROKE
    0x00D0: "D",   # LATIN CAPITAL LETTER ETH
    0x00F0: "D",   # LATIN SMALL LETTER ETH
    0x00DE: "TH",  # LATIN CAPITAL LETTER THORN
    0x00FE: "TH",  # LATIN SMALL LETTER THORN
}

MARK_CATEGORIES = ("Mn", "Mc", "Me")
LETTER_CATEGORIES = ("Lu", "Ll", "Lt", "Lm", "Lo")


def read_unicode_data(path):
    """Code point -> (name, general category, canonical decomposition)."""
    entries = {}
    first = None
    with open(path, encoding="utf-8") as data:
        for line in data:
            fields = line.rstrip("\n").split(";")
            code = int(fields[0], 16)
            name, category, decomposition = fields[1], fields[2], fields[5]
            canonical = []
            if decomposition and not decomposition.startswith("<"):
                canonical = [int(part, 16) for part in decomposition.split()]
            if name.endswith(", First>"):
                first = code
                continue
            if name.endswith(", Last>"):
                # A range of code points listed by its ends (ideographs,
                # Hangul syllables ...): same category, no decomposition here.
                for c in range(first, code + 1):
                    entries[c] = (name, category, [])
                continue
            entries[code] = (name, category, canonical)
    return entries


def full_decomposition(entries, code):
    mapping = entries.get(code, (None, None, []))[2]
    if not mapping:
        return [code]
    out = []
    for part in mapping:
        out.extend(full_decomposition(entries, part))
    return out


def ranges(codes):
    out = []
    for code in sorted(codes):
        if out and out[-1][1] == code - 1:
            out[-1][1] = code
        else:
            out.append([code, code])
    return out


def read_white_space(path):
    codes = set()
    version = None
    with open(path, encoding="utf-8") as data:
        for line in data:
            if version is None:
                match = re.match(r"#\s*PropList-([0-9.]+)\.txt", line)
                if match:
                    version = match.group(1)
            content = line.split("#", 1)[0].strip()
            if not content:
                continue
            span, prop = (part.strip() for part in content.split(";"))
            if prop != "White_Space":
                continue
            low, _, high = span.partition("..")
            codes.update(range(int(low, 16), int(high or low, 16) + 1))
    return codes, version


def letter_folds(entries):
    marks = {c for c, (_, category, _) in entries.items() if category in MARK_CATEGORIES}
    folds = dict(HAND_KEPT)
    for code in entries:
        decomposition = full_decomposition(entries, code)
        base, rest = decomposition[0], decomposition[1:]
        if code in HAND_KEPT or not all(c in marks for c in rest):
            continue
        if (0x41 <= base <= 0x5A or 0x61 <= base <= 0x7A) and code >= 0x80:
            folds[code] = chr(base).upper()
        elif base in HAND_KEPT and rest:
            folds[code] = HAND_KEPT[base]
    return folds, marks


def range_rows(codes):
    """The ranges of the code points, four to a line."""
    row = ["{0x%04X, 0x%04X}," % (low, high) for low, high in ranges(codes)]
    return ["    " + " ".join(row[i:i + 4]) for i in range(0, len(row), 4)]


def c_char(letter):
    return "'%s'" % letter


def render(entries, white_space, version, data_files):
    folds, marks = letter_folds(entries)
    lines = [
        "// Generated by engine/unicode/make_letters_table.py from the Unicode",
        "// Character Database %s (%s). Do not edit: run" % (version, ", ".join(data_files)),
        "//   python3 engine/unicode/make_letters_table.py --output engine/letters_table.inc",
        "// Included by letters.cpp inside its own namespace. The Unicode data files'",
        "// copyright and permission notice is in engine/unicode/LICENSE.",
        "",
        "// Code points beyond ASCII read as one or two letters A-Z, in code point order.",
        "inline constexpr LetterFold LetterFolds[] = {",
    ]
    for code in sorted(folds):
        letters = folds[code]
        second = c_char(letters[1]) if len(letters) > 1 else "0"
        lines.append("    {0x%04X, %s, %s}, // %s" % (code, c_char(letters[0]), second, entries[code][0]))
    lines += ["};", "", "// General categories Mn, Mc and Me.", "inline constexpr CodePointRange CombiningMarks[] = {"]
    lines += range_rows(marks)
    letters = {c for c, (_, category, _) in entries.items() if category in LETTER_CATEGORIES and c >= 0x80}
    lines += ["};", "", "// General category L beyond ASCII.", "inline constexpr CodePointRange Letters[] = {"]
    lines += range_rows(letters)
    lines += ["};", "", "// The White_Space property.", "inline constexpr CodePointRange WhiteSpace[] = {"]
    for low, high in ranges(white_space):
        lines.append("    {0x%04X, 0x%04X}," % (low, high))
    lines += ["};", ""]
    return "\n".join(lines)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--unicode-dir", default="/usr/share/unicode")
    parser.add_argument("--output", default=os.path.normpath(os.path.join(here, "..", "letters_table.inc")))
    parser.add_argument("--check", action="store_true",
                        help="compare with the file instead of writing it")
    args = parser.parse_args()

    unicode_data = os.path.join(args.unicode_dir, "UnicodeData.txt")
    prop_list = os.path.join(args.unicode_dir, "PropList.txt")
    if not (os.path.isfile(unicode_data) and os.path.isfile(prop_list)):
        print("No Unicode data in %s (install unicode-data): not checked" % args.unicode_dir)
        return 77 if args.check else 2
    white_space, version = read_white_space(prop_list)
    text = render(read_unicode_data(unicode_data), white_space, version or "unknown",
                  ["UnicodeData.txt", "PropList.txt"])

    if args.check:
        try:
            with open(args.output, encoding="utf-8") as existing:
                current = existing.read()
        except OSError as error:
            print("Cannot read %s: %s" % (args.output, error))
            return 1
        if current != text:
            print("%s differs from what Unicode %s gives: run %s --output %s"
                  % (args.output, version, sys.argv[0], args.output))
            return 1
        print("%s matches Unicode %s" % (args.output, version))
        return 0
    with open(args.output, "w", encoding="utf-8") as out:
        out.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
