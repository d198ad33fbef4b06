"""The end-of-run list of skipped cases, read from CTest's JUnit reports as
they come: whole tests skipped through SKIP_RETURN_CODE, Qt Test skips inside
a passing test, the scripts' skipped cases, and parts that did not run."""

import os
import subprocess
import sys
import tempfile
import unittest
from xml.sax.saxutils import escape, quoteattr

TOOL = os.path.join(os.path.dirname(os.path.abspath(__file__)), "skipped_cases.py")


def report(folder, tests):
    """A JUnit report as ctest --output-junit writes it: (name, status, skipped message or None, output)."""
    cases = []
    for name, status, skipped, output in tests:
        inner = "<skipped message=%s/>" % quoteattr(skipped) if skipped is not None else ""
        cases.append('<testcase name=%s classname=%s time="1" status="%s">%s<system-out>%s</system-out></testcase>'
                     % (quoteattr(name), quoteattr(name), status, inner, escape(output)))
    path = os.path.join(folder, "ctest-junit.xml")
    with open(path, "w") as file:
        file.write('<?xml version="1.0" encoding="UTF-8"?>\n<testsuite name="x" tests="%d">%s</testsuite>\n'
                   % (len(tests), "".join(cases)))
    return path


QT_OUTPUT = """********* Start testing of TestSingleInstance *********
PASS   : TestSingleInstance::initTestCase()
SKIP   : TestSingleInstance::foreignLock() giving a file to another user needs root
   Loc: [tst_singleinstance.cpp(373)]
SKIP   : TestLook::sizes(Tahoma 8) the Tahoma twin is not installed (package fonts-wine)
   Loc: [tst_look.cpp(112)]
Totals: 9 passed, 0 failed, 2 skipped, 0 blacklisted, 12ms
"""

SCRIPT_OUTPUT = """PASS a lock that names no live copy is taken over (1.2 s)
SKIP read-only store: a lone copy starts -- mounting needs root, and unshare: Operation not permitted
SKIP two users: a lock each -- starting copies as other users needs root; this user is not (uid 1000)
2 of 7 cases skipped: read-only store: a lone copy starts, two users: a lock each
"""

# (what, tests of one report, expected lines after the label)
CASES = [
    ("nothing skipped",
     [("tst_engine", "run", None, "PASS   : TestEngine::sums()\nTotals: 1 passed, 0 failed, 0 skipped\n")],
     []),
    ("Qt Test skips inside a passing test",
     [("tst_singleinstance", "run", None, QT_OUTPUT)],
     ["tst_singleinstance: TestSingleInstance::foreignLock(): giving a file to another user needs root",
      "tst_singleinstance: TestLook::sizes(Tahoma 8): the Tahoma twin is not installed (package fonts-wine)"]),
    ("a script's skipped cases, whose names hold colons",
     [("xvfb_instance_lock", "notrun", "SKIP_RETURN_CODE=77", SCRIPT_OUTPUT)],
     ["xvfb_instance_lock: read-only store: a lone copy starts: mounting needs root, and unshare: "
      "Operation not permitted",
      "xvfb_instance_lock: two users: a lock each: starting copies as other users needs root; "
      "this user is not (uid 1000)"]),
    ("a whole test skipped with its reason",
     [("packaging_deb", "notrun", "SKIP_RETURN_CODE=77", "SKIP: no package at /a b/x.deb; scripts/package builds it\n")],
     ["packaging_deb: no package at /a b/x.deb; scripts/package builds it"]),
    ("a whole test skipped without a word: CTest's reason",
     [("reading_manpage", "notrun", "SKIP_RETURN_CODE=77", "")],
     ["reading_manpage: SKIP_RETURN_CODE=77"]),
    ("a Windows stand-in",
     [("tst_look_on_windows", "notrun", "SKIP_REGULAR_EXPRESSION_MATCHED",
       "Skipped on Windows, Linux only: the Tahoma twin is Linux's\n")],
     ["tst_look_on_windows: Skipped on Windows, Linux only: the Tahoma twin is Linux's"]),
    ("a disabled test",
     [("tst_look", "disabled", None, "")],
     ["tst_look: not run"]),
    ("a suite disabled on Windows is named once, by its stand-in",
     [("tst_look", "disabled", "Disabled", ""),
      ("tst_look_on_windows", "notrun", "SKIP_REGULAR_EXPRESSION_MATCHED",
       "Skipped on Windows, Linux only: the Tahoma twin is Linux's\n")],
     ["tst_look_on_windows: Skipped on Windows, Linux only: the Tahoma twin is Linux's"]),
    ("a failing test's skip lines still count; its failure is ctest's to show",
     [("xvfb_fitting", "fail", None, "FAIL x (1 s)\nSKIP y -- the Tahoma twin is not installed\n")],
     ["xvfb_fitting: y: the Tahoma twin is not installed"]),
]


def listed(*arguments):
    result = subprocess.run([sys.executable, TOOL, *arguments], capture_output=True, text=True, timeout=60)
    if result.returncode != 0:
        raise AssertionError("skipped_cases.py ended with %d:\n%s" % (result.returncode, result.stderr))
    return [line.strip() for line in result.stdout.splitlines()[1:]] if "Nothing" not in result.stdout else []


class SkippedCases(unittest.TestCase):
    def test_reports(self):
        for what, tests, expected in CASES:
            with self.subTest(what), tempfile.TemporaryDirectory() as folder:
                path = report(folder, tests)
                self.assertEqual(listed("build=" + path), ["build: " + line for line in expected])

    def test_notes_first_and_missing_reports_named(self):
        with tempfile.TemporaryDirectory() as folder:
            path = report(folder, [("packaging_deb", "notrun", "SKIP_RETURN_CODE=77", "SKIP: no package\n")])
            missing = os.path.join(folder, "build-windows", "ctest-junit.xml")
            self.assertEqual(listed("--note", "scripts/windows: no Qt for Windows", "build=" + path,
                                    "build-windows=" + missing),
                             ["scripts/windows: no Qt for Windows", "build: packaging_deb: no package",
                              "build-windows: not run (no report %s)" % missing])

    def test_report_cut_off_is_named(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "ctest-junit.xml")
            with open(path, "w") as file:
                file.write("<testsuite><testcase name=")
            lines = listed("build-asan=" + path)
            self.assertEqual(len(lines), 1)
            self.assertTrue(lines[0].startswith("build-asan: the report %s cannot be read" % path), lines)


if __name__ == "__main__":
    unittest.main()
