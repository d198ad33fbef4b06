"""A damaged picture folder: start-up refuses without the probe picture, and a
reading whose pictures are broken still comes without a crash.

Each case copies the program file and the picture folder into a case folder
(the program looks for "pu" beside its own file) and damages the copy."""

import os
import shutil
import subprocess
import sys

from xsession import (MAIN_TITLE, REINSTALL_TITLE, MainWindow, Session, arguments, check, poll,
                      run_cases)

args = arguments()

# Ann, 05 January 1980 shows the Moon and Capricorn.
READING_PICTURES = ("moon.jpg", "capricorn.jpg")

# Designed twips rectangles of the reading's boxes.
PLANET_NAME = (4200, 240, 1275, 255)
PLANET_PICTURE = (4200, 480, 1275, 1605)
ELEMENT = (5640, 840, 855, 255)
LETTERS = (5640, 1680, 855, 255)
ZODIAC_NAME = (6600, 240, 1275, 255)
ZODIAC_PICTURE = (6600, 480, 1275, 1605)
PRIMARY_COLOURS = (4200, 2520, 1755, 495)


def leave_intact(_pictures, _names):
    pass


def remove_folder(pictures, _names):
    shutil.rmtree(pictures)


def remove(pictures, names):
    for name in names:
        os.remove(os.path.join(pictures, name))


def empty(pictures, names):
    for name in names:
        open(os.path.join(pictures, name), "wb").close()


def truncate(pictures, names):
    for name in names:
        path = os.path.join(pictures, name)
        with open(path, "rb") as picture:
            head = picture.read(200)
        with open(path, "wb") as picture:
            picture.write(head)


def save_as_png(pictures, names):
    for name in names:
        path = os.path.join(pictures, name)
        subprocess.run(["convert", path, "png:" + path], check=True, timeout=30)
        with open(path, "rb") as picture:
            check(picture.read(8) == b"\x89PNG\r\n\x1a\n", "%s was not rewritten as PNG" % name)


def refused_start(damage, names):
    def case():
        with Session(args.program, "pictures-refused") as session:
            program_file, pictures = session.installed_copy(args.pictures)
            damage(pictures, names)
            program = session.start(program_file)
            message = session.wait_window(REINSTALL_TITLE, pid=program.pid, process=program)
            check("_NET_WM_WINDOW_TYPE_DIALOG" in session.window_types(message), "the message is not a dialog")
            check(session.windows(MAIN_TITLE) == [], "the main window is shown with the message")
            session.keys(message, "Return")

            main_windows = []

            def ended():
                main_windows.extend(session.windows(MAIN_TITLE))
                return program.poll() is not None

            check(poll(ended, 5), "the program did not end after the message was answered")
            check(main_windows == [], "the main window appeared after the message")
            session.expect_exit_zero(program, 0, "the program after the reinstall message")
    return case


def reading_with_broken_pictures(damage, names, pictures_readable=False):
    """A broken planet picture abandons the rest of the planet step (no planet
    name, element or letters); a broken zodiac picture leaves its box empty but
    the sign is still named; the colours come either way."""
    def case():
        with Session(args.program, "pictures-reading") as session:
            program_file, pictures = session.installed_copy(args.pictures)
            damage(pictures, names)
            program = session.start(program_file)
            window = MainWindow(session, program)
            check(session.dialogs() == [], "a message at start-up: %r" % session.dialogs())
            check(window.is_compact(), "the window did not start compact: %r" % (window.size(),))

            window.calculate("Ann", "05", "January", "1980")
            window.wait_expanded(10)
            check(session.dialogs() == [], "a message after Calculate: %r" % session.dialogs())

            shot = window.painted_screenshot(os.path.join(session.root, "reading.png"))
            shown = {
                "planet picture": window.shows_picture(shot, PLANET_PICTURE),
                "zodiac picture": window.shows_picture(shot, ZODIAC_PICTURE),
                "planet name": window.shows_text(shot, PLANET_NAME),
                "element": window.shows_text(shot, ELEMENT),
                "letters": window.shows_text(shot, LETTERS),
                "zodiac name": window.shows_text(shot, ZODIAC_NAME),
                "primary colours": window.shows_text(shot, PRIMARY_COLOURS),
            }
            expected = {name: pictures_readable for name in ("planet picture", "zodiac picture", "planet name",
                                                              "element", "letters")}
            expected.update({"zodiac name": True, "primary colours": True})
            if shown != expected:
                kept = os.path.join(args.out, "xvfb_pictures_%s.png" % damage.__name__)
                shutil.copy(shot, kept)
                raise AssertionError("the reading shows %r, expected %r (screenshot %s)" % (shown, expected, kept))
            # Still responsive: Clear shrinks the window back.
            window.click_clear()
            window.wait_compact(10)
            window.exit_and_expect_status_zero()
    return case


sys.exit(run_cases([
    ("picture folder missing: reinstall message, no window", refused_start(remove_folder, [])),
    ("sun.jpg missing: reinstall message, no window", refused_start(remove, ["sun.jpg"])),
    ("sun.jpg empty: reinstall message, no window", refused_start(empty, ["sun.jpg"])),
    ("moon and capricorn missing: sign and colours, no planet part",
     reading_with_broken_pictures(remove, READING_PICTURES)),
    ("moon and capricorn empty: sign and colours, no planet part",
     reading_with_broken_pictures(empty, READING_PICTURES)),
    ("moon and capricorn cut to 200 bytes: sign and colours, no planet part",
     reading_with_broken_pictures(truncate, READING_PICTURES)),
    ("moon and capricorn PNG under .jpg name: full reading with pictures",
     reading_with_broken_pictures(save_as_png, READING_PICTURES, pictures_readable=True)),
    ("pictures intact: full reading with pictures",
     reading_with_broken_pictures(leave_intact, READING_PICTURES, pictures_readable=True)),
]))
