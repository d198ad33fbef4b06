"""A name of a million characters, pasted into the name field, still gives a
reading in bounded time, and the window keeps responding."""

import os
import select
import shutil
import subprocess
import sys

from xsession import MainWindow, Session, arguments, check, run_cases

args = arguments()

NAME_LENGTH = 1_000_000
# "Ann Marie " counts 1+5+5+4+1+9+9+5 = 39; a million characters are 100,000
# of them: letter sum 3,900,000, digit sums 12 and then 3. "C" alone has the
# name number 3 as well, so both names give the same reading on the same date.
NAME_PATTERN = "Ann Marie "
SAME_NUMBER_NAME = "C"

# The reading's area: everything right of the inputs, and the character text.
RESULT_AREA = (4200, 0, 8085 - 4200, 3120)
CHARACTER_TEXT = (120, 3120, 7815, 1575)
NAME_NUMBER = (1440, 1920, 255, 285)


def clipboard_with(session, length, pattern):
    """Starts the test's clipboard owner and waits until it serves the text."""
    check(args.helper and os.access(args.helper, os.X_OK),
          "the clipboard owner %r is not built (target xvfb_clipboardowner)" % args.helper)
    owner = session.start_helper([args.helper, str(length), pattern], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                 stderr=subprocess.STDOUT, text=True)
    ready, _, _ = select.select([owner.stdout], [], [], 30)
    line = owner.stdout.readline() if ready else ""
    check(line.strip() == "ready %d" % length, "the clipboard owner did not start: %r" % line)
    return owner


def million_character_name_pasted():
    with Session(args.program, "longname") as session:
        owner = clipboard_with(session, NAME_LENGTH, NAME_PATTERN)
        program = session.start()
        window = MainWindow(session, program)

        window.click_name_field()
        session.keys(window.id, "ctrl+v")
        window.enter_date_and_calculate("05", "January", "1980")
        # An empty name would bring the "Missing Information" message instead.
        window.wait_expanded(60)
        check(session.dialogs() == [], "a message after Calculate: %r" % session.dialogs())
        long_shot = window.painted_screenshot(os.path.join(session.root, "long.png"), 60)

        window.click_clear()
        window.wait_compact(60)
        check(session.dialogs() == [], "a message after Clear: %r" % session.dialogs())

        # The whole name arrived: the reading equals that of a name with the
        # same name number (a cut-off paste would almost surely differ).
        window.calculate(SAME_NUMBER_NAME, "05", "January", "1980")
        window.wait_expanded(10)
        short_shot = window.painted_screenshot(os.path.join(session.root, "short.png"))
        for what, rect in (("reading", RESULT_AREA), ("character text", CHARACTER_TEXT),
                           ("name number", NAME_NUMBER)):
            differing = session.differing_pixels(long_shot, short_shot, window.screen_rect(*rect))
            if differing:
                for shot in (long_shot, short_shot):
                    shutil.copy(shot, os.path.join(args.out, "xvfb_longname_" + os.path.basename(shot)))
                raise AssertionError("the %s of the pasted name differs from that of %r in %d pixels"
                                     % (what, SAME_NUMBER_NAME, differing))

        window.exit_and_expect_status_zero(30)
        owner.stdin.close()
        check(session.wait_exit(owner, 10) == 0, "the clipboard owner lost the clipboard or failed")


sys.exit(run_cases([
    ("name of 1,000,000 characters pasted: reading comes, Clear still works", million_character_name_pasted),
]))
