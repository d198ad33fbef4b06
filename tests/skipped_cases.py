#!/usr/bin/env python3
"""Lists what a test run did not check, and why, from CTest's JUnit reports.

Each report is given as LABEL=FILE (ctest --output-junit FILE, with the
output of passed tests kept whole: --test-output-size-passed). Listed are
the tests CTest skipped or did not run, with the reason their output gives,
and the skipped cases inside tests that ran:
  Qt Test        "SKIP   : TestClass::function(row) reason"
  the scripts    "SKIP case -- reason" and "SKIP: reason"
  Windows stand-ins "Skipped on Windows, ...: reason"
Lines given with --note (a part of the run left out as a whole) come first.
A report that is missing is named: that part of the run did not get as far.

Prints "Nothing was skipped." when the list is empty; the exit status is 0
either way, as skips are no failure.
"""

import argparse
import re
import sys
import xml.etree.ElementTree as ElementTree

QT_SKIP = re.compile(r"^SKIP\s+:\s+(?P<case>\S+\(.*?\))\s+(?P<reason>.*)$")
SCRIPT_SKIP = re.compile(r"^SKIP(?::|\s+(?P<case>.+?) --)\s*(?P<reason>.*)$")
WINDOWS_SKIP = re.compile(r"^(?P<reason>Skipped on Windows.*)$")


def skip_lines(output):
    """(case, reason) pairs of the skip lines in a test's output, in order."""
    found = []
    for line in output.splitlines():
        line = line.strip()
        for pattern in (QT_SKIP, SCRIPT_SKIP, WINDOWS_SKIP):
            match = pattern.match(line)
            if match:
                found.append((match.groupdict().get("case"), match.group("reason").strip()))
                break
    return found


def skipped_in(report):
    """Lines for one JUnit report: a test's own skip first, then its skipped cases."""
    lines = []
    tests = list(ElementTree.parse(report).getroot().iter("testcase"))
    # A suite disabled on Windows has a stand-in that gives the reason.
    stand_ins = {test.get("name") for test in tests if test.get("name", "").endswith("_on_windows")}
    for test in tests:
        name = test.get("name")
        if test.get("status") == "disabled" and name + "_on_windows" in stand_ins:
            continue
        output = "".join(test.findtext(tag) or "" for tag in ("system-out", "system-err"))
        cases = skip_lines(output)
        skipped = test.find("skipped")
        whole = skipped is not None or test.get("status") in ("notrun", "disabled")
        if whole and not [case for case, _ in cases if case]:
            # Skipped as a whole: its own reason, else what CTest says.
            reasons = [reason for _, reason in cases]
            if not reasons and skipped is not None:
                reasons = [skipped.get("message") or "skipped"]
            lines.append("%s: %s" % (name, "; ".join(reasons) or "not run"))
            continue
        for case, reason in cases:
            lines.append("%s: %s%s" % (name, case + ": " if case else "", reason))
    return lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("reports", nargs="*", metavar="LABEL=FILE")
    parser.add_argument("--note", action="append", default=[], help="a line to list first")
    args = parser.parse_args()

    lines = list(args.note)
    for given in args.reports:
        label, _, path = given.partition("=")
        try:
            found = skipped_in(path)
        except FileNotFoundError:
            lines.append("%s: not run (no report %s)" % (label, path))
            continue
        except ElementTree.ParseError as error:
            lines.append("%s: the report %s cannot be read (%s)" % (label, path, error))
            continue
        lines += ["%s: %s" % (label, line) for line in found]
    if not lines:
        print("Nothing was skipped.")
        return 0
    print("Not checked in this run (%d):" % len(lines))
    for line in lines:
        print("  " + line)
    return 0


if __name__ == "__main__":
    sys.exit(main())
