#!/usr/bin/env python3
"""veltara-reading.exe under Wine against the Linux build: the same bytes on
standard output and standard error and the same exit status, for a table of
readings, refusals and usage errors, and for a random batch in CSV with LF
and with CRLF line ends, as JSON lines and as CSV columns; the same for the
numerology chart."""
import argparse
import random
import subprocess
import sys
import tempfile
from pathlib import Path

from winesession import WineSession

# The cross-check table: inputs as the window takes them, ISO dates, what the
# window refuses, text that is not ASCII, and wrong arguments.
CASES = [
    ["John Smith", "1999-09-29"],
    ["--json", "John Smith", "1999-09-29"],
    ["Ann", "5", "January", "1980"],
    ["--json", "Ann", "05", "January", "1980"],
    ["Smith, John", "29", "September", "1999"],
    ["Ann", "1999-02-30"],
    ["Ann", "29", "February", "1999"],
    ["Ann", "30", "February", "2000"],
    ["Ann", "31", "April", "2001"],
    ["Ann", "1", "january", "1980"],
    ["Ann", "0 1", "January", "1980"],
    ["Ann", "00", "January", "1980"],
    ["Ann", "ab", "January", "1980"],
    ["Ann", "05", "January", "80"],
    ["Ann", "05", "January", "123456789"],
    ["Ann", "05/01/1980"],
    ["", "1980-01-05"],
    ["--json", "", "1980-01-05"],
    ["Zoë Ångström", "1985-12-24"],
    ["--json", "Zoë Ångström", "1985-12-24"],
    ["--json", "Éé", "1985-12-24"],
    ["--json", "Ann \U0001F600", "1980-01-05"],
    ["--json", "O'Brien-Smith", "1970-07-23"],
    ["--json", "ABCDEFGHIJKLMNOPQRSTUVWXYZ" * 8, "2010-12-31"],
    ["Ann", "20", "January", "1985"],
    ["Ann", "21", "January", "1985"],
    ["--help"],
    ["--version"],
    [],
    ["--bogus"],
    ["Ann"],
    ["--batch"],
    ["--batch", "no such file.csv"],
    # The numerology chart: both date forms, its refusals, letters beyond ASCII.
    ["--chart", "Ada Lovelace", "1815-12-10"],
    ["--chart", "--json", "Ann", "22", "NOVEMBER", "1992"],
    ["--chart", "--json", "Jean-Pierre Dupre\u0301 Straße", "12", "10", "1936"],
    ["--chart", "--json", "Łukasz Ørsted Þór Æsa Œuvre Yvy", "2000-02-29"],
    ["--chart", "Nguyễn Thị Ánh \U0001F600 Пётр", "1", "1", "2001"],
    ["--chart", "Пётр", "2000-01-01"],
    ["--chart", "Ann", "1900-02-29"],
    ["--chart", "Ann", "1", "13", "2000"],
    ["--chart", "Ann"],
    # The cycles on a reading date, its refusals.
    ["--chart", "--on", "2020-10-07", "William Henry Gates III", "1950-10-16"],
    ["--chart", "--json", "--on=2020-10-07", "Ann Lee Jr.", "23", "April", "1980"],
    ["--chart", "--on", "1950-10-15", "Ann", "1950-10-16"],
    ["--on", "2020-10-07", "Ann", "1950-10-16"],
    # The name in use and the years ahead.
    ["--chart", "--on", "1982-07-02", "--current", "Tom Cruise", "--years", "12", "Thomas Cruise Mapother IV",
     "1962-07-03"],
    ["--chart", "--json", "--current=Zoë Ångström", "--years=3", "Ann", "2000-02-29"],
    ["--csv", "Ann", "1980-01-05"],
    ["--steps", "--batch", "-"],
]

MONTHS = ["January", "February", "March", "April", "May", "June", "July", "August",
          "September", "October", "November", "December"]


def random_batch(rows: int, seed: int) -> list:
    pick = random.Random(seed)
    letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ éåüß'-,\"łøЖ\u0301\U0001F600"
    lines = []
    for _ in range(rows):
        name = "".join(pick.choice(letters) for _ in range(pick.randint(0, 24)))
        field = '"' + name.replace('"', '""') + '"'
        kind = pick.random()
        iso = f"{pick.randint(1890, 2030):04d}-{pick.randint(0, 13):02d}-{pick.randint(0, 32):02d}"
        if kind < 0.35:
            lines.append(f"{field},{iso}")
        elif kind < 0.45:  # a name in use, the chart's third field
            lines.append(f"{field},{iso},{field[::-1]}")
        elif kind < 0.9:
            lines.append(f"{field},{pick.randint(0, 33)},{pick.choice(MONTHS + ['june', '', '7', 'MAY'])},{pick.randint(0, 3000)}")
        else:
            lines.append(pick.choice([f"{field}", f"{field},1,2,3,4,5", '"unclosed,1980-01-05', f"{field},05/01/1980"]))
    return lines


def run(command, data=None):
    done = subprocess.run(command, input=data, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)
    return done.returncode, done.stdout, done.stderr


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--linux", required=True, type=Path)
    parser.add_argument("--windows", required=True, type=Path)
    parser.add_argument("--wine", required=True, type=Path)
    parser.add_argument("--rows", type=int, default=2000)
    args = parser.parse_args()

    failures = []
    with WineSession(args.wine) as wine, tempfile.TemporaryDirectory() as work:
        env_runs = 0

        def compare(label, arguments, data=None, windows_arguments=None):
            nonlocal env_runs
            linux = run([str(args.linux), *arguments], data)
            windows = subprocess.run(wine.command(args.windows, *(windows_arguments or arguments)), input=data,
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=wine.env, timeout=120)
            env_runs += 1
            got = (windows.returncode, windows.stdout, windows.stderr)
            if got != linux:
                failures.append(f"{label}: Linux {linux!r}\n    Windows {got!r}")

        for case in CASES:
            compare(" ".join(case) or "(no arguments)", case)

        lines = random_batch(args.rows, 20261208)
        for ending in ("\n", "\r\n"):
            data = (ending.join(lines) + ending).encode()
            label = "CRLF" if ending == "\r\n" else "LF"
            compare(f"random batch of {args.rows} rows, {label}, standard input", ["--batch", "-"], data)
            compare(f"random chart batch of {args.rows} rows, {label}, standard input",
                    ["--chart", "--on", "2026-06-30", "--batch", "-"], data)
            compare(f"random chart batch of {args.rows} rows with the years ahead, {label}, standard input",
                    ["--chart", "--on", "2026-06-30", "--years", "3", "--batch", "-"], data)
            # The CSV columns: the same bytes, CRLF line ends and all, with and without the steps.
            compare(f"random CSV batch of {args.rows} rows, {label}", ["--csv", "--batch", "-"], data)
            compare(f"random chart CSV batch of {args.rows} rows, {label}",
                    ["--chart", "--on", "2026-06-30", "--years", "2", "--csv", "--batch", "-"], data)
            compare(f"random chart CSV batch with steps of {args.rows} rows, {label}, 3 jobs",
                    ["--chart", "--on", "2026-06-30", "--csv", "--steps", "--jobs", "3", "--batch", "-"], data)
            csv = Path(work) / f"batch {label}.csv"
            csv.write_bytes(data)
            compare(f"random batch of {args.rows} rows, {label}, file", ["--batch", str(csv)],
                    windows_arguments=["--batch", wine.windows_path(csv)])
        # The Windows program reads CRLF as the Linux one reads LF.
        lf = run([str(args.linux), "--batch", "-"], ("\n".join(lines) + "\n").encode())
        crlf = subprocess.run(wine.command(args.windows, "--batch", "-"), input=("\r\n".join(lines) + "\r\n").encode(),
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=wine.env, timeout=120)
        if (crlf.returncode, crlf.stdout) != lf[:2]:
            failures.append("a CRLF batch on Windows differs from the LF batch on Linux")

        print(f"{len(CASES)} readings and {env_runs - len(CASES)} batches compared")
    for failure in failures:
        print("DIFFERENT " + failure, file=sys.stderr)
    if failures:
        return 1
    print("veltara-reading.exe gives the Linux build's bytes and exit statuses")
    return 0


if __name__ == "__main__":
    sys.exit(main())
