#!/usr/bin/env python3
# The CSV batches of veltara-reading against its JSON batches: for a random
# batch, read back with Python's csv module, every row has the header's
# fields, ends in CRLF and holds the JSON line's values field for field (the
# JSON flattened as the CSV names its columns, whatever the keys); the output
# is the same bytes on 1, 2 and 7 jobs. The chart's CSV without its steps is
# made without them: the same numbers as the JSON's show that it loses none.
# With --soffice, a small batch goes through LibreOffice to .ods and back,
# keeping every name and number field (77, skipped, without LibreOffice).
# Usage: check_csv.py PROGRAM [--rows N] [--soffice]
import csv
import io
import json
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile

ON = "2026-06-30"
FORMULA_STARTS = "=+-@\t\r"
MONTHS = ["January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
          "November", "December"]


# CSV rows and the line each starts on: names with quotes, commas, line
# breaks, letters beyond ASCII and formula characters in front; dates in
# both forms, some that do not exist or come after the reading date, some
# with a name in use; rows
# that cannot be read.
def random_rows(count, seed):
    pick = random.Random(seed)
    letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ   éåüß'-,\"łøЖ\u0301\U0001F600\n"
    rows, lines, line = [], [], 1
    for _ in range(count):
        name = "".join(pick.choice(letters) for _ in range(pick.randint(0, 20)))
        name = pick.choice(FORMULA_STARTS) + name if pick.random() < 0.1 else name
        field = '"' + name.replace('"', '""') + '"'
        kind = pick.random()
        if kind < 0.45:
            row = f"{field},{pick.randint(1890, 2030):04d}-{pick.randint(0, 13):02d}-{pick.randint(0, 32):02d}"
            if pick.random() < 0.4:  # a name in use, some without a letter A to Z
                row += "," + pick.choice(["Al", "Tom Cruise", "", "Ђорђе", "Mary-Jo O'Neil", "=x"])
        elif kind < 0.93:
            row = f"{field},{pick.randint(0, 32)},{pick.choice(MONTHS + ['june', '13', '7'])},{pick.randint(1890, 2030)}"
        else:  # one column is not blank (a blank row is skipped, not answered)
            row = pick.choice(['"x' + field[1:], f"{field},1,2,3,4", f"{field},05/01/1980", "Ann,=1+2"])
        data = b"Ann \xff,1980-01-05" if pick.random() < 0.01 else row.encode()
        rows.append(data + b"\n")
        lines.append(line)
        line += len(re.findall(rb"\r\n|\r|\n", data)) + 1  # as the reader counts line breaks
    return b"".join(rows), lines


def run(program, arguments, data):
    done = subprocess.run([program, *arguments], input=data, capture_output=True, timeout=600)
    if done.returncode not in (0, 1):
        sys.exit(f"{' '.join(arguments)}: status {done.returncode}: {done.stderr.decode(errors='replace')}")
    return done.stdout


def plain(value):
    if isinstance(value, list):
        return " ".join(plain(item) for item in value)
    return "" if value is None else ("true" if value else "false") if isinstance(value, bool) else str(value)


# The JSON value under `key` as the CSV's fields: nested members after a dot,
# a member "value" under the key itself, arrays of objects numbered from 1
# (arrays of plain values too where the header numbers them), other arrays
# one field, null empty; after an apostrophe where a spreadsheet would see a
# formula.
def flatten(value, key, header, out):
    if isinstance(value, dict):
        for member, item in value.items():
            flatten(item, key if member == "value" and key else f"{key}.{member}".lstrip("."), header, out)
    elif isinstance(value, list) and value and (isinstance(value[0], dict) or f"{key}.1" in header):
        for index, item in enumerate(value, 1):
            flatten(item, f"{key}.{index}", header, out)
    else:
        text = plain(value)
        out[key] = "'" + text if text[:1] and text[0] in FORMULA_STARTS else text


def compare(label, json_lines, csv_text, lines, steps, failures):
    header, *rows = list(csv.reader(io.StringIO(csv_text, newline="")))
    if header[:2] != ["row", "line"] or header[-1] != "error" or len(set(header)) != len(header):
        failures.append(f"{label}: header {header[:3]} ... {header[-1]}")
    if len(rows) != len(json_lines):
        failures.append(f"{label}: {len(rows)} CSV rows for {len(json_lines)} JSON lines")
    for number, (line, row) in enumerate(zip(json_lines, rows), 1):
        want = {"row": str(number), "line": str(lines[number - 1]), "error": ""}
        flatten(json.loads(line), "", header, want)
        if not steps:
            want = {k: v for k, v in want.items() if not k.endswith(".steps") and k.split(".")[0] != "breakdown"}
        # A column the JSON line has not (the chart of a refused row) is empty.
        got = dict(zip(header, row))
        wrong = [(k, got.get(k), want.get(k, "")) for k in set(want) | set(got) if got.get(k) != want.get(k, "")]
        if len(row) != len(header) or wrong:
            failures.append(f"{label} row {number}: {len(row)} fields for {len(header)}; {wrong[:3]}")
        if len(failures) > 20:
            return


def check_random(program, count, failures):
    data, lines = random_rows(count, 20261209)
    for label, mode in (("reading", []), ("chart", ["--chart", "--on", ON, "--years", "3"])):
        json_lines = run(program, [*mode, "--batch", "-"], data).decode().splitlines()
        for steps in ([], ["--steps"]):
            name = f"{label} CSV {' '.join(steps)}"
            outputs = {run(program, [*mode, "--csv", *steps, "--jobs", jobs, "--batch", "-"], data)
                       for jobs in ("1", "2", "7")}
            if len(outputs) != 1:
                failures.append(f"{name}: the output differs between 1, 2 and 7 jobs")
            out = outputs.pop()
            if out.startswith(b"\xef\xbb\xbf") or out.count(b"\r\n") < count + 1 or not out.endswith(b"\r\n"):
                failures.append(f"{name}: not UTF-8 without a byte order mark, CRLF after every row")
            compare(name, json_lines, out.decode(), lines, bool(steps), failures)
    return f"{count} rows: the reading's and the chart's CSV hold the JSON's values; 1, 2 and 7 jobs the same"


def check_soffice(program, failures):
    soffice = shutil.which("soffice") or shutil.which("libreoffice")
    if not soffice:
        print("Skipped: LibreOffice (soffice) is not installed")
        sys.exit(77)
    data, _ = random_rows(40, 7)
    with tempfile.TemporaryDirectory() as work:
        profile = "-env:UserInstallation=file://" + os.path.join(work, "profile")
        for label, mode in (("reading", []), ("chart", ["--chart", "--on", ON])):
            original = os.path.join(work, f"{label}.csv")
            with open(original, "wb") as out:
                out.write(run(program, [*mode, "--csv", "--batch", "-"], data))
            # Opened as UTF-8 (76), separated by commas (44), quoted with " (34).
            for source, target, folder in ((original, "ods", work),
                                           (original[:-4] + ".ods", "csv:Text - txt - csv (StarCalc):44,34,76,1", "back")):
                subprocess.run([soffice, profile, "--headless", "--infilter=CSV:44,34,76,1", "--convert-to", target,
                                "--outdir", os.path.join(work, folder), source],
                               capture_output=True, timeout=300, check=True)
            with open(original, newline="", encoding="utf-8") as before, \
                    open(os.path.join(work, "back", f"{label}.csv"), newline="", encoding="utf-8") as after:
                written, back = list(csv.reader(before)), list(csv.reader(after))
            # The name, and the columns of plain numbers (without zeros in front).
            kept = [written[0].index("name")] + [i for i in range(len(written[0])) if all(
                r[i] == "" or (r[i].isdigit() and str(int(r[i])) == r[i]) for r in written[1:])]
            # LibreOffice's own CSV export drops a tab inside a field: not ours to keep.
            lost = [(n, i) for n, (a, b) in enumerate(zip(written, back)) for i in kept
                    if [f.replace("\t", "") for f in a[i:i + 1]] != b[i:i + 1]]
            if lost or len(back) != len(written):
                failures.append(f"LibreOffice, {label}: {len(back)} rows back for {len(written)}; lost {lost[:3]}")
    return "LibreOffice keeps every name and number field through .ods and back"


def main():
    program, *arguments = sys.argv[1:]
    count = int(arguments[arguments.index("--rows") + 1]) if "--rows" in arguments else 20000
    failures = []
    done = check_soffice(program, failures) if "--soffice" in arguments else check_random(program, count, failures)
    for failure in failures:
        print("FAIL: " + failure)
    print(done if not failures else f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
