"""The chart window as a screen reader sees it, against the command line's chart.

The window is opened from the main window's File menu with the keyboard;
seeded random names (plain, accented, hyphenated, with a suffix) and dates
are typed into its fields, and every value the window names through AT-SPI
must be the one `veltara-reading --chart --json --on` of the same build
gives for the same inputs. Every tile, band and row says its meaning as its
description (the lists of characters none), and each date field the date
it read."""

import ctypes
import ctypes.util
import datetime
import json
import random
import subprocess
import sys

from atspi import descendants, frame_titled, start_accessibility_bus
from xsession import MAIN_TITLE, Failure, MainWindow, Session, arguments, check, poll, run_cases

args = arguments()

CHART_TITLE = "Numerology Chart"
SEED = 30

# Parts of names by kind; each case takes one of each kind it names.
PARTS = {
    "plain": ["Ann", "Robert", "Lee", "Maxwell", "Quincy", "Ida"],
    "accented": ["Zoë", "José", "Renée", "Björn", "Núñez", "Chloé"],
    "hyphenated": ["Mary-Ann", "Smith-Jones", "Jean-Luc", "Ortiz-Vega"],
    "suffix": ["III", "Jr.", "II"],
}
NAME_SHAPES = [("plain", "plain"), ("accented", "accented"), ("hyphenated", "plain"),
               ("plain", "plain", "suffix"), ("accented", "hyphenated", "suffix"), ("plain", "accented", "plain")]

# The window's core tiles, cycle values and the rest's single values by
# their place names, as the JSON keys them.
CORE = {"lifePath": "Life path", "birthday": "Birthday", "expression": "Expression", "soulUrge": "Soul urge",
        "personality": "Personality", "maturity": "Maturity"}
CYCLES = {"universalYear": "Universal year", "personalYear": "Personal year", "personalMonth": "Personal month",
          "personalDay": "Personal day"}
NUMBERS = {"balance": "Balance", "rationalThought": "Rational thought"}
LETTERS = {"cornerstone": "Cornerstone", "capstone": "Capstone", "firstVowel": "First vowel"}
LISTS = {"karmicLessons": "Karmic lessons", "hiddenPassion": "Hidden passion", "karmicDebts": "Karmic debts"}
SPANS = {"pinnacles": "Pinnacle", "challenges": "Challenge", "periods": "Period"}
TRANSITS = {"physical": "Physical", "mental": "Mental", "spiritual": "Spiritual"}
BRIDGES = {"lifePathExpression": "Life path\u2013expression", "soulUrgePersonality": "Soul urge\u2013personality"}
MINOR = {"minorExpression": "Minor expression", "minorSoulUrge": "Minor soul urge",
         "minorPersonality": "Minor personality"}
FORECAST = {"year": "year", "age": "age", "universalYear": "universal year", "personalYear": "personal year",
            "pinnacle": "pinnacle", "challenge": "challenge", "period": "period", "physical": "physical",
            "mental": "mental", "spiritual": "spiritual", "essence": "essence"}
PLANES = {"physical": "Physical", "mental": "Mental", "emotional": "Emotional", "intuitive": "Intuitive"}

# Date formats the locale may give the fields, as (Qt pattern, Python rendering).
MONTHS = "January February March April May June July August September October November December".split()
DAYS = "Monday Tuesday Wednesday Thursday Friday Saturday Sunday".split()
DATE_FORMATS = [
    ("d MMM yyyy", lambda d: "%d %s %d" % (d.day, MONTHS[d.month - 1][:3], d.year)),
    ("d/M/yyyy", lambda d: "%d/%d/%d" % (d.day, d.month, d.year)),
    ("M/d/yyyy", lambda d: "%d/%d/%d" % (d.month, d.day, d.year)),
    ("dd/MM/yyyy", lambda d: d.strftime("%d/%m/") + str(d.year)),
    ("yyyy-MM-dd", lambda d: d.isoformat()),
    ("dd.MM.yyyy", lambda d: d.strftime("%d.%m.") + str(d.year)),
]
# What people type, whatever the locale: one form a case, in turn.
TYPED_FORMS = [
    lambda d: d.isoformat(),
    lambda d: "%d %s %d" % (d.day, MONTHS[d.month - 1], d.year),
    lambda d: "%s %d, %d" % (MONTHS[d.month - 1], d.day, d.year),
    lambda d: "%d %s %d" % (d.day, MONTHS[d.month - 1][:3].lower(), d.year),
]


def in_words(d):
    """The date as the C locale's long format writes it: dddd, d MMMM yyyy."""
    return "%s, %d %s %04d" % (DAYS[d.weekday()], d.day, MONTHS[d.month - 1], d.year)


def random_cases():
    """(name, birth, reading date, name in use) for each shape; every other
    case has a name in use."""
    rng = random.Random(SEED)
    cases = []
    for shape in NAME_SHAPES:
        name = " ".join(rng.choice(PARTS[kind]) for kind in shape)
        birth = datetime.date(rng.randint(1900, 2015), rng.randint(1, 12), rng.randint(1, 28))
        reading = datetime.date(rng.randint(birth.year + 1, birth.year + 95), rng.randint(1, 12), rng.randint(1, 28))
        current = "%s %s" % (rng.choice(PARTS["plain"]), rng.choice(PARTS["hyphenated"])) if len(cases) % 2 else ""
        cases.append((name, birth, reading, current))
    return cases


def compound(total, value):
    return str(value) if total == value else "%d/%d" % (total, value)


def listed(numbers):
    return ", ".join(str(n) for n in numbers) if numbers else "none"


def letters(count):
    return "%d letter%s" % (count, "" if count == 1 else "s")


def expected_names(chart):
    """The accessible names the window must give a chart in JSON, by place:
    a place is what a name starts with, followed by a space and a value
    without a colon, so a line of steps ("Life path 4: month 3; ...",
    "Pinnacle 1, 8: ...") is none."""
    names = {}
    for key, place in CORE.items():
        number = chart[key]
        names[place] = {"%s %d" % (place, number["value"]),
                        "%s %s" % (place, compound(number["total"], number["value"]))}
    for key, place in list(CYCLES.items()) + list(NUMBERS.items()):
        names[place] = {"%s %d" % (place, chart[key]["value"])}
    for key, place in LETTERS.items():
        letter = chart[key]
        names[place] = {"%s %s %d" % (place, letter["letter"], letter["value"]) if letter else place + " none"}
    for key, place in LISTS.items():
        names[place] = {"%s %s" % (place, listed(chart[key]))}
    for key, place in (("uncounted", "Characters not counted"), ("leftOut", "Parts left out")):
        # Each in quotes; the names typed here hold no character written otherwise.
        names[place] = {"%s %s" % (place, ", ".join('"%s"' % part for part in chart[key]) or "none")}
    names["Subconscious self"] = {"Subconscious self %d" % chart["subconsciousSelf"]}
    names["Chaldean"] = {"Chaldean " + compound(chart["chaldean"]["compound"], chart["chaldean"]["root"])}
    for key, label in SPANS.items():
        for index, span in enumerate(chart[key]):
            place = "%s %d:" % (label, index + 1)
            ages = ("from age %d" % span["fromAge"] if span["toAge"] is None
                    else "ages %d to %d" % (span["fromAge"], span["toAge"]))
            names[place] = {"%s %d, %s%s" % (place, span["value"], ages, ", now" if span["current"] else "")}
    for key, label in TRANSITS.items():
        transit = chart["transits"][key]
        names[label + " transit"] = {"%s transit %s %d, ages %d to %d" % (
            label, transit["letter"], transit["value"], transit["fromAge"], transit["toAge"])
            if transit["letter"] else label + " transit none"}
    names["Essence"] = {"Essence %d" % chart["essence"]["value"]}
    for key, place in MINOR.items():
        if chart[key]:
            names[place] = {"%s %s" % (place, compound(chart[key]["total"], chart[key]["value"]))}
    # The years ahead: a cell a name, "2027, personal year 3, changed".
    previous = None
    for year in chart["forecast"]:
        place = "%d," % year["year"]
        reading = ", the reading year" if year["year"] == int(chart["on"][:4]) else ""
        names[place] = set()
        for key, heading in FORECAST.items():
            value = str(year[key]) if year[key] != "" else "none"
            changed = previous is not None and key not in ("year", "age") and previous[key] != year[key]
            names[place].add("%s%s, %s %s%s" % (year["year"], reading, heading, value, ", changed" if changed else ""))
        previous = year
    for key, label in BRIDGES.items():
        names[label + " bridge"] = {"%s bridge %d" % (label, chart["bridges"][key]["value"])}
    for index, count in enumerate(chart["inclusion"]):
        place = "Inclusion %d:" % (index + 1)
        mark = (", karmic lesson" if index + 1 in chart["karmicLessons"]
                else ", hidden passion" if index + 1 in chart["hiddenPassion"] else "")
        names[place] = {"%s %s%s" % (place, letters(count), mark)}
    for key, label in PLANES.items():
        plane = chart["planes"][key]
        names[label + " plane"] = {"%s plane %s, value %d" % (label, letters(plane["count"]), plane["value"])}
    return names


# The places that carry no meaning: the lists of characters; nor does a
# value that is "none" (no karmic debt, no first vowel).
NO_MEANING = ("Characters not counted", "Parts left out")


def without_meaning(nodes, want):
    """The names of nodes that give a value but say no meaning as their
    description, and of those that say one where none belongs."""
    wrong = set()
    for node in nodes:
        name = node.name or ""
        for place, names in want.items():
            if place.endswith(","):
                continue  # the years ahead: the year and the age mean nothing of their own
            if name in names and bool(node.description) == (place in NO_MEANING or name.endswith(" none")):
                wrong.add(name)
    return wrong


def shown_names(nodes, places):
    """The names of nodes that give a value of one of the places, by place."""
    shown = {place: set() for place in places}
    for node in nodes:
        name = node.name or ""
        for place in places:
            if name.startswith(place + " ") and ":" not in name[len(place) + 1:]:
                shown[place].add(name)
    return shown


def map_keys(display, text):
    """Gives each letter of text beyond ASCII a spare keycode of the X
    keyboard map, before the program starts. Otherwise xdotool maps a
    keycode for each such letter only while it types it, and a program that
    reads the changed map late takes the key for another letter or none."""
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
    xlib.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int, ctypes.POINTER(ctypes.c_int)]
    xlib.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                            ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
    xlib.XDisplayKeycodes.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
    xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xlib.XCloseDisplay.argtypes = xlib.XFree.argtypes = [ctypes.c_void_p]
    connection = xlib.XOpenDisplay(display.encode())
    check(connection, "cannot open display " + display)
    try:
        low, high, per = ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
        xlib.XDisplayKeycodes(connection, ctypes.byref(low), ctypes.byref(high))
        count = high.value - low.value + 1
        symbols = xlib.XGetKeyboardMapping(connection, low.value, count, ctypes.byref(per))
        spare = [low.value + code for code in range(count)
                 if not any(symbols[code * per.value + index] for index in range(per.value))]
        xlib.XFree(symbols)
        letters = sorted(set(c for c in text + text.upper() if ord(c) > 0x7e))
        check(len(spare) >= len(letters), "the keyboard map has %d spare keycodes for %d letters"
              % (len(spare), len(letters)))
        for code, letter in zip(spare, letters):
            # Latin-1 keysyms are the code points; the rest are 0x1000000 + it.
            keysym = ord(letter) if ord(letter) <= 0xff else 0x1000000 + ord(letter)
            xlib.XChangeKeyboardMapping(connection, code, 1, (ctypes.c_ulong * 1)(keysym), 1)
        xlib.XSync(connection, 0)
    finally:
        xlib.XCloseDisplay(connection)


def command_line_chart(name, birth, reading, current):
    result = subprocess.run([args.helper, "--chart", "--json", "--on", reading.isoformat(), "--current", current,
                             "--years", "10", name, birth.isoformat()],
                            capture_output=True, text=True, timeout=30)
    check(result.returncode == 0, "veltara-reading refused %r %s: %s" % (name, birth, result.stderr))
    return json.loads(result.stdout)


def type_date(session, window, mnemonic, text):
    """Types a date into the field its label's mnemonic reaches, over the
    text it holds."""
    session.keys(window, mnemonic, "ctrl+a")
    session.type_text(window, text)


def field_text(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def chart_against_command_line():
    check(args.helper, "--helper must name veltara-reading")
    with Session(args.program, "chartwindow") as session:
        start_accessibility_bus(session)
        import pyatspi  # only now: it connects to the bus named in the environment

        map_keys(session.display, "".join(PARTS["accented"]))
        program = session.start()
        main = MainWindow(session, program)
        session.keys(main.id, "alt+f", "h")
        chart_window = session.wait_window(CHART_TITLE, pid=program.pid, process=program)
        frame = poll(lambda: frame_titled(pyatspi, program.pid, CHART_TITLE), 20, interval=0.2)
        check(frame, "the chart window is not on the accessibility bus:\n%s" % session.output_of(program))

        def fields():
            nodes = descendants(frame)
            found = {}
            for label in ("Full name", "Birth date", "Reading date"):
                matches = [node for node in nodes if node.name == label]
                check(len(matches) == 1, "no single field %r in the chart window" % label)
                found[label] = matches[0]
            return found

        today = field_text(fields()["Reading date"])
        formats = [render for pattern, render in DATE_FORMATS if render(datetime.date.today()) == today]
        check(formats, "the reading date shows %r, today in none of the formats %r"
              % (today, [pattern for pattern, _ in DATE_FORMATS]))
        render = formats[0]

        for index, (name, birth, reading, current) in enumerate(random_cases()):
            # The birth date in each typed form in turn, the reading date as the locale writes it.
            typed = {"Full name": name, "Birth date": TYPED_FORMS[index % len(TYPED_FORMS)](birth),
                     "Reading date": render(reading)}
            read = {"Birth date": in_words(birth), "Reading date": in_words(reading)}
            session.keys(chart_window, "alt+n", "ctrl+a")
            session.type_text(chart_window, name)
            type_date(session, chart_window, "alt+b", typed["Birth date"])
            type_date(session, chart_window, "alt+r", typed["Reading date"])
            session.keys(chart_window, "alt+u", "ctrl+a", "BackSpace")
            if current:
                session.type_text(chart_window, current)
            want = expected_names(command_line_chart(name, birth, reading, current))

            def state():
                found = fields()
                shown = {label: field_text(node) for label, node in found.items()}
                said = {label: found[label].description for label in read}
                nodes = descendants(frame)
                return shown, said, shown_names(nodes, want), without_meaning(nodes, want)

            if not poll(lambda: state() == (typed, read, want, set()), 15, interval=0.2):
                shown, said, names, unmeant = state()
                wrong = {place: (sorted(want[place]), sorted(names[place])) for place in want
                         if names[place] != want[place]}
                raise Failure("for %r born %s read on %s:\nfields typed %r, shown %r\nread %r, said %r\n"
                              "places (wanted, shown): %r\nmeaning missing or out of place: %r"
                              % (name, birth, reading, typed, shown, read, said, wrong, sorted(unmeant)))
            print("  %s, %s, on %s: %d places agree" % (name, birth, reading, len(want)))
            session.expect_alive(program, "the program after typing %r" % name)
        main.exit_and_expect_status_zero()


sys.exit(run_cases([
    ("chart window: seeded random names and dates against veltara-reading --chart --json", chart_against_command_line),
]))
