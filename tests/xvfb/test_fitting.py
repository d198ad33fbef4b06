"""No text of any of the nine readings is cut off, at scale factor 1 and 2,
with the Tahoma twin installed and without it (fallback faces).

A text that does not fit its box runs into the box's edge: so the ring of
pixels just inside each bordered box, the last column of each caption and
the row of the character text just above the banners must show only their
ground. The fallback cases hide the twin's folder from the program in a
private mount namespace."""

import os
import subprocess
import sys

from xsession import MainWindow, Picture, Session, Skipped, arguments, check, distance, needs_mounts, run_cases

args = arguments()

TWIN_FOLDER = "/usr/share/wine/fonts"

# A name of each name number (A = 1 ... I = 9), each with a birth date, so
# that the long sign names come up too.
READINGS = (
    ("A", "05", "January", "1980"),
    ("B", "01", "December", "1980"),
    ("C", "15", "August", "1975"),
    ("D", "10", "October", "1990"),
    ("E", "25", "March", "1985"),
    ("F", "20", "February", "1970"),
    ("G", "30", "June", "1960"),
    ("H", "01", "December", "1999"),
    ("I", "15", "September", "2000"),
)

# Bordered boxes of the reading: twips rectangles.
BOXES = (
    ("planet", (4200, 240, 1275, 255)),
    ("zodiac", (6600, 240, 1275, 255)),
    ("elements", (5640, 840, 855, 255)),
    ("letters", (5640, 1680, 855, 255)),
    ("pcolors", (4200, 2520, 1755, 495)),
    ("scolors", (6120, 2520, 1755, 495)),
    ("Label12", (6480, 4320, 1455, 615)),
)
# Captions: twips rectangles; centred ones may run out on both sides.
CAPTIONS = (
    ("Label13", (120, 550, 1455, 255), False),
    ("Label7", (240, 1200, 495, 255), False),
    ("Label4", (1320, 1200, 615, 255), False),
    ("Label8", (2880, 1200, 615, 255), False),
    ("Label1", (120, 1920, 1215, 255), False),
    ("Label5", (2160, 1920, 1215, 255), False),
    ("Label3", (5640, 480, 855, 255), True),
    ("Label6", (5640, 1320, 855, 255), True),
    ("Label9", (4200, 2160, 1695, 255), False),
    ("Label11", (6120, 2160, 1755, 255), True),
)
CHARACTER_TEXT = (120, 3120, 7815, 1200)  # the part above the banners
BANNER = (0, 4320, 6345, 615)


def inked(picture, pixels, ground):
    """Pixels of a line that stand out from the ground (text running into it)."""
    return [colour for colour in pixels if distance(colour, ground) > 64]


def check_reading(window, picture, label):
    scale = window.scale
    problems = []
    for name, twips in BOXES:
        x, y, width, height = window.screen_rect(*twips)
        ground = picture.background((x + 2 * scale, y + 2 * scale, width - 4 * scale, height - 4 * scale))
        inner = scale  # the border is one layout pixel wide
        top, bottom = y + inner, y + height - 1 - inner
        left, right = x + inner, x + width - 1 - inner
        ring = ([(column, top) for column in range(left, right + 1)] +
                [(column, bottom) for column in range(left, right + 1)] +
                [(left, row) for row in range(top, bottom + 1)] +
                [(right, row) for row in range(top, bottom + 1)])
        if inked(picture, [picture.pixel(*point) for point in ring], ground):
            problems.append("%s: text reaches the inside of its border" % name)
    for name, twips, centred in CAPTIONS:
        x, y, width, height = window.screen_rect(*twips)
        columns = [x, x + width - 1] if centred else [x + width - 1]
        for column in columns:
            if inked(picture, picture.pixels((column, y, 1, height)), (255, 255, 255)):
                problems.append("%s: text reaches the edge of its caption" % name)
    x, y, width, height = window.screen_rect(*CHARACTER_TEXT)
    if inked(picture, picture.pixels((x, y + height - 1, width, 1)), (255, 255, 255)):
        problems.append("Label2: the character text runs under the banners")
    x, y, width, height = window.screen_rect(*BANNER)
    ground = picture.background((x, y, width, height))
    if inked(picture, picture.pixels((x, y + height - 1, width, 1)) + picture.pixels((x, y, width, 1)), ground):
        problems.append("lblCobrand: the banner's text reaches its edge")
    check(not problems, "%s:\n  %s" % (label, "\n  ".join(problems)))


def hidden_twin_command(session):
    """The program started in a private mount namespace where the twin's folder is empty."""
    if not os.path.isdir(TWIN_FOLDER):
        return None  # nothing to hide
    probe = subprocess.run(["unshare", "--mount", "--propagation", "private", "sh", "-c",
                            "mount -t tmpfs -o size=64k none %s" % TWIN_FOLDER],
                           capture_output=True, text=True, timeout=30)
    if probe.returncode != 0:
        raise Skipped("cannot hide the font folder in a private mount namespace: " + probe.stderr.strip())
    return ["sh", "-c", 'mount -t tmpfs -o size=64k none %s && exec "$0"' % TWIN_FOLDER, args.program]


def fitting_case(scale, twin):
    def case():
        if twin and not os.path.isfile(os.path.join(TWIN_FOLDER, "tahoma.ttf")):
            raise Skipped("the Tahoma twin is not installed (package fonts-wine)")
        with Session(args.program, "fitting") as session:
            session.extra_env["QT_SCALE_FACTOR"] = str(scale)
            if twin:
                program = session.start()
            else:
                command = hidden_twin_command(session)
                program = session.start("unshare", ["--mount", "--propagation", "private"] + command) \
                    if command else session.start()
            window = MainWindow(session, program, scale=scale)
            failures = []
            for number, (name, day, month, year) in enumerate(READINGS, start=1):
                window.calculate(name, day, month, year)
                window.wait_expanded(10)
                session.xdo("mousemove", "1270", "1010")
                shot = os.path.join(args.out, "xvfb_fitting_x%d_%s_%d.png" % (scale, "twin" if twin else "fallback",
                                                                              number))
                window.painted_screenshot(shot)
                try:
                    check_reading(window, Picture(shot), "name number %d" % number)
                except AssertionError as failure:
                    failures.append(str(failure))
                session.keys(window.id, "alt+f", "l")
                window.wait_compact(10)
            check(not failures, "\n".join(failures))
            window.exit_and_expect_status_zero()
    return case


sys.exit(run_cases([
    ("nine readings, scale factor 1, Tahoma twin", fitting_case(1, True)),
    ("nine readings, scale factor 2, Tahoma twin", fitting_case(2, True)),
    ("nine readings, scale factor 1, fallback faces", needs_mounts(fitting_case(1, False))),
    ("nine readings, scale factor 2, fallback faces", needs_mounts(fitting_case(2, False))),
]))
