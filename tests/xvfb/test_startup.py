"""Start-up and closing of the real program on a real X display."""

import os
import sys

from xsession import APP_TITLE, EXPANDED_CLIENT_TWIPS, MainWindow, Session, arguments, check, px, run_cases, todays

args = arguments()


def compact_window_then_close_box():
    with Session(args.program, "startup") as session:
        program = session.start()
        window = MainWindow(session, program)

        width, height = window.size()
        # 4020 x 3480 twips outer size: about 263 x 200 pixels at 96 DPI.
        check(250 <= width <= 275 and 185 <= height <= 225, "compact size expected about 263 x 200, got %d x %d"
              % (width, height))
        check(width < height * 1.6, "the window is not compact: %d x %d" % (width, height))
        check(width < px(EXPANDED_CLIENT_TWIPS[0]) and height < px(EXPANDED_CLIENT_TWIPS[1]),
              "the window is not smaller than the expanded size: %d x %d" % (width, height))
        check(session.dialogs(program.pid) == [], "a message was shown at start-up: %r" % session.dialogs())
        check(session.windows(APP_TITLE) == [], "the update reminder appeared at a first start")
        check(session.read_setting() in todays(), "the first start did not store today's date: %r"
              % session.read_setting())

        shot = window.painted_screenshot(os.path.join(args.out, "xvfb_startup.png"))
        x, y, _, _ = session.geometry(window.id)
        check(os.path.getsize(shot) > 0, "empty screenshot")
        # The client area is white: a painted window is mostly bright.
        menu = window.menu_bar_height()
        brightness = session.brightness(shot, x, y + menu, width, height - menu)
        check(brightness > 0.7, "the window does not look painted (mean brightness %.2f)" % brightness)
        print("screenshot: " + shot)
        session.expect_alive(program, "the program with its window shown")

        # The title bar's close box sends WM_DELETE_WINDOW.
        session.close_box(window.id)
        session.expect_exit_zero(program, 5, "the program after its close box")


def exit_from_menu_while_reading_shown():
    with Session(args.program, "startup-exit") as session:
        program = session.start()
        window = MainWindow(session, program)
        window.calculate("Ann", "05", "January", "1980")
        window.wait_expanded(10)
        window.exit_and_expect_status_zero()


def second_run_after_a_clean_exit_starts_normally():
    with Session(args.program, "startup-again") as session:
        first = session.start()
        window = MainWindow(session, first)
        window.exit_and_expect_status_zero()
        second = session.start()
        second_window = MainWindow(session, second)
        check(session.dialogs() == [], "the second run showed a message: %r" % session.dialogs())
        second_window.exit_and_expect_status_zero()


sys.exit(run_cases([
    ("compact window, close box ends with status 0", compact_window_then_close_box),
    ("File Exit with a reading shown ends with status 0", exit_from_menu_while_reading_shown),
    ("second run after a clean exit starts normally", second_run_after_a_clean_exit_starts_normally),
]))
