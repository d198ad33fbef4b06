#!/usr/bin/env python3
"""The CSV batches of veltara-reading against its JSON batches: for a random
batch, read back with Python's csv module, every row has the header's
fields, ends in CRLF, and holds the JSON line's values field for field (the
JSON flattened the way the CSV names its columns, whatever the keys); the
output is the same bytes on 1, 2 and 7 jobs. With --soffice, a small batch
goes through LibreOffice to .ods and back, keeping every name and number.

Usage: check_csv.py PROGRAM [--rows N] [--soffice]. Exits 77 (skipped)
for --soffice where LibreOffice is not installed."""
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


def random_rows(count, seed):
    """CSV rows (bytes) and the line each starts on: names with quotes,
    commas, line breaks, letters beyond ASCII and formula characters in
    front; dates in both forms, some that do not exist or come after the
    reading date, and rows that cannot be read."""
    pick = random.Random(seed)
    letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ   éåüß'-,\"łøЖ\u0301\U0001F600\n"
    rows, lines, line = [], [], 1
    for _ in range(count):
        name = "".join(pick.choice(letters) for _ in range(pick.randint(0, 20)))
        if pick.random() < 0.1:
            name = pick.choice(FORMULA_STARTS) + name
        field = '"' + name.replace('"', '""') + '"'
        kind = pick.random()
        if kind < 0.45:
            row = f"{field},{pick.randint(1890, 2030):04d}-{pick.randint(0, 13):02d}-{pick.randint(0, 32):02d}"
        elif kind < 0.93:
            row = f"{field},{pick.randint(0, 32)},{pick.choice(MONTHS + ['june', '13', '7'])},{pick.randint(1890, 2030)}"
        else:
            # One column, not blank: a blank row is skipped, not answered.
            alone = '"x' + name.replace('"', '""') + '"'
            row = pick.choice([alone, f"{field},1,2,3,4", f"{field},05/01/1980", "Ann,=1+2"])
        data = row.encode()
        if pick.random() < 0.01:
            data = b"Ann \xff,1980-01-05"
        rows.append(data + b"\n")
        lines.append(line)
        line += len(re.findall(rb"\r\n|\r|\n", data)) + 1  # as the reader counts line breaks
    return b"".join(rows), lines


def run(program, arguments, data):
    done = subprocess.run([program, *arguments], input=data, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          timeout=600)
    if done.returncode not in (0, 1):
        sys.exit(f"{' '.join(arguments)}: status {done.returncode}: {done.stderr.decode(errors='replace')}")
    return done.stdout


def guarded(text):
    """A field as the CSV writes it: after an apostrophe when a spreadsheet
    would take it for a formula."""
    return "'" + text if text[:1] and text[0] in FORMULA_STARTS else text


def plain(value):
    if value is None:
        return ""
    if value is True or value is False:
        return "true" if value else "false"
    if isinstance(value, list):
        return " ".join(plain(item) for item in value)
    return str(value)


def flatten(value, key, header, out):
    """The JSON value under `key` as columns: nested members after a dot, a
    member "value" under the key itself, arrays of objects numbered from 1,
    arrays of plain values numbered where the header numbers them and
    otherwise one field, null empty."""
    if isinstance(value, dict):
        for member, item in value.items():
            flatten(item, key if member == "value" and key else f"{key}.{member}" if key else member, header, out)
    elif isinstance(value, list) and value and (isinstance(value[0], dict) or f"{key}.1" in header):
        for index, item in enumerate(value, 1):
            flatten(item, f"{key}.{index}", header, out)
    else:
        out[key] = guarded(plain(value))


def compare(label, json_lines, csv_text, lines, steps, failures):
    records = list(csv.reader(io.StringIO(csv_text, newline="")))
    header, rows = records[0], records[1:]
    if header[:2] != ["row", "line"] or header[-1] != "error" or len(set(header)) != len(header):
        failures.append(f"{label}: header {header[:3]} ... {header[-1]}")
    if len(rows) != len(json_lines):
        failures.append(f"{label}: {len(rows)} CSV rows for {len(json_lines)} JSON lines")
        return
    for number, (line, row) in enumerate(zip(json_lines, rows), 1):
        if len(row) != len(header):
            failures.append(f"{label} row {number}: {len(row)} fields for {len(header)} columns")
            continue
        expected = {"row": str(number), "line": str(lines[number - 1]), "error": ""}
        flatten(json.loads(line), "", header, expected)
        if not steps:
            expected = {k: v for k, v in expected.items() if not k.endswith(".steps") and k != "breakdown"
                        and not k.startswith("breakdown.")}
        got = dict(zip(header, row))
        unknown = set(expected) - set(got)
        wrong = {k: (got[k], v) for k, v in expected.items() if k in got and got[k] != v}
        # The columns the JSON line has not (the chart of a refused row) are empty.
        filled = {k: v for k, v in got.items() if k not in expected and v != ""}
        if unknown or wrong or filled:
            failures.append(f"{label} row {number}: no column {sorted(unknown)[:3]}, differs {list(wrong.items())[:3]}, "
                            f"filled {list(filled.items())[:3]}")
        if len(failures) > 20:
            return


def check_random(program, count, failures):
    data, lines = random_rows(count, 20261209)
    for label, mode in (("reading", []), ("chart", ["--chart", "--on", ON])):
        json_lines = run(program, [*mode, "--batch", "-"], data).decode().splitlines()
        for steps in (False, True):
            extra = ["--steps"] if steps else []
            outputs = {jobs: run(program, [*mode, "--csv", *extra, "--jobs", jobs, "--batch", "-"], data)
                       for jobs in ("1", "2", "7")}
            name = f"{label} CSV{' with steps' if steps else ''}"
            if len(set(outputs.values())) != 1:
                failures.append(f"{name}: the output differs between 1, 2 and 7 jobs")
            out = outputs["1"]
            if out.startswith(b"\xef\xbb\xbf") or out.count(b"\r\n") < count + 1 or not out.endswith(b"\r\n"):
                failures.append(f"{name}: not UTF-8 without a byte order mark, CRLF after every row")
            compare(name, json_lines, out.decode(), lines, steps, failures)
    if not failures:
        print(f"{count} rows: the reading's and the chart's CSV hold the JSON's values; 1, 2 and 7 jobs the same")


def check_soffice(program, failures):
    soffice = shutil.which("soffice") or shutil.which("libreoffice")
    if not soffice:
        print("Skipped: LibreOffice (soffice) is not installed")
        return 77
    data, _ = random_rows(40, 7)
    with tempfile.TemporaryDirectory() as work:
        profile = "-env:UserInstallation=file://" + os.path.join(work, "profile")
        for label, mode in (("reading", []), ("chart", ["--chart", "--on", ON])):
            original = os.path.join(work, f"{label}.csv")
            with open(original, "wb") as out:
                out.write(run(program, [*mode, "--csv", "--batch", "-"], data))
            # Opened as UTF-8 (76), separated by commas (44), quoted with " (34).
            for source, target, folder in ((original, "ods", work), (original[:-4] + ".ods", "csv", "back")):
                subprocess.run([soffice, profile, "--headless", "--infilter=CSV:44,34,76,1", "--convert-to",
                                target if target == "ods" else "csv:Text - txt - csv (StarCalc):44,34,76,1",
                                "--outdir", os.path.join(work, folder), source],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300, check=True)
            with open(original, newline="", encoding="utf-8") as before, \
                    open(os.path.join(work, "back", f"{label}.csv"), newline="", encoding="utf-8") as after:
                written, back = list(csv.reader(before)), list(csv.reader(after))
            header = written[0]
            # The number fields: the columns of plain numbers, without zeros in front.
            kept = [header.index("name")] + [i for i, column in enumerate(header) if all(
                r[i] == "" or (r[i].isdigit() and str(int(r[i])) == r[i]) for r in written[1:])]
            if len(back) != len(written):
                failures.append(f"LibreOffice, {label}: {len(back)} rows back for {len(written)}")
            for number, (a, b) in enumerate(zip(written, back)):
                lost = [(header[i], a[i], b[i] if i < len(b) else None) for i in kept if i >= len(b) or a[i] != b[i]]
                if lost:
                    failures.append(f"LibreOffice, {label} row {number}: {lost[:3]}")
    if not failures:
        print("LibreOffice keeps every name and number field through .ods and back")
    return 0


def main():
    arguments = sys.argv[1:]
    program = arguments.pop(0)
    count = 20000
    if "--rows" in arguments:
        count = int(arguments[arguments.index("--rows") + 1])
    failures = []
    status = check_soffice(program, failures) if "--soffice" in arguments else check_random(program, count, failures)
    for failure in failures:
        print("FAIL: " + failure)
    return 1 if failures else status or 0


if __name__ == "__main__":
    sys.exit(main())
