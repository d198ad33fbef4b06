"""The keyboard on a real display: where the focus goes through Calculate and
Clear, the empty lists, Enter on the buttons, and the real message boxes.

Where the focus is shows in what typing does: a few wide letters change the
pixels of the control that has the focus and of no other."""

import os
import sys

from xsession import (APP_TITLE, MainWindow, Picture, Session, arguments, check, distance, poll, run_cases)

args = arguments()

# Designed twips rectangles; for the lists only their text part.
CONTROLS = {
    "Text1": (120, 810, 3735, 360),
    "myday": (120, 1470, 420, 360),
    "Combo1": (840, 1470, 1100, 360),
    "myyear": (2520, 1470, 900, 360),
    "option1": (2640, 2280, 1215, 375),
}
HIGHLIGHT = (10, 36, 106)  # the classic highlight of a list's current item


class Screen:
    """Numbered screenshots of one case."""

    def __init__(self, session, window, name):
        self.session, self.window, self.name, self.count = session, window, name, 0

    def shot(self):
        self.count += 1
        path = os.path.join(args.out, "xvfb_keyboard_%s_%d.png" % (self.name, self.count))
        self.window.painted_screenshot(path)
        return path

    def settled_shot(self):
        """A screenshot once the window has stopped changing (a focus frame
        is drawn a moment after the window gets the focus back)."""
        previous = [self.shot()]

        def settled():
            current = self.shot()
            same = self.session.differing_pixels(previous[0], current, self.session.geometry(self.window.id)) == 0
            previous[0] = current
            return same

        poll(settled, 5, interval=0.1)
        return previous[0]

    def typed_into(self, text="WW"):
        """Names of the controls whose pixels typing text changed."""
        self.session.focus(self.window.id)  # as typing does: the window active
        before = self.settled_shot()
        self.session.type_text(self.window.id, text)
        after = self.shot()
        # A blinking caret changes a line of a dozen pixels at most.
        return sorted(name for name, rect in CONTROLS.items()
                      if self.session.differing_pixels(before, after, self.window.screen_rect(*rect)) > 40)


def one_dialog(session, pid):
    dialogs = poll(lambda: session.dialogs(pid), 10)
    check(len(dialogs) == 1, "expected one message box, found %r" % dialogs)
    return dialogs[0]


def close_dialog(session, pid, box):
    session.keys(box, "Return")
    check(poll(lambda: not session.dialogs(pid), 10), "the message box did not close")


def check_message_box(session, pid, screen, title, icon):
    """The one message box shown: its title, whether it has an icon, and its single button."""
    box, shown = one_dialog(session, pid)
    check(shown == title, "message box title %r, expected %r" % (shown, title))
    x, y, width, height = session.geometry(box)
    first = os.path.join(args.out, "xvfb_keyboard_%s_box.png" % screen.name)
    session.screenshot(first)
    picture = Picture(first)
    # The icon sits left of the text: the information icon is blue, the
    # box's ground and text are grey and black.
    colourful = [colour for colour in picture.pixels((x, y, min(width, 64), height))
                 if max(colour) - min(colour) > 80]
    check(bool(colourful) == icon, "message box %r %s an icon" % (title, "lacks" if icon else "shows"))
    # Tab moves the focus from button to button: with a single button the
    # box looks the same after it.
    session.keys(box, "Tab")
    second = os.path.join(args.out, "xvfb_keyboard_%s_box_tab.png" % screen.name)
    session.screenshot(second)
    check(session.differing_pixels(first, second, (x, y, width, height)) == 0,
          "message box %r has more than one button" % title)
    close_dialog(session, pid, box)


def failed_check_returns_focus_to_the_name():
    with Session(args.program, "focus-failed") as session:
        program = session.start()
        window = MainWindow(session, program)
        screen = Screen(session, window, "failed")
        window.click_name_field()
        session.type_text(window.id, "Ann")
        session.keys(window.id, "alt+f", "c")  # no date: the check fails
        check_message_box(session, program.pid, screen, APP_TITLE, icon=True)
        changed = screen.typed_into()
        check(changed == ["Text1"], "after the failed check typing changed %r, not the name field" % changed)
        window.exit_and_expect_status_zero()


def missing_name_box_and_focus_on_calculate():
    with Session(args.program, "focus-calculate") as session:
        program = session.start()
        window = MainWindow(session, program)
        screen = Screen(session, window, "calculate")
        window.click_name_field()
        # A date but no name, then Calculate by Space: the focus is on it.
        window.enter_date_and_calculate("05", "January", "1980")
        check_message_box(session, program.pid, screen, "Missing Information", icon=False)
        changed = screen.typed_into()
        check(changed == [], "typing after the failed check changed %r: the focus left Calculate" % changed)
        session.keys(window.id, "space")  # Calculate still has the focus: the check runs again
        box, title = one_dialog(session, program.pid)
        check(title == APP_TITLE, "Space on Calculate gave %r" % title)
        close_dialog(session, program.pid, box)
        window.exit_and_expect_status_zero()


def rejected_date_returns_focus_to_the_year():
    with Session(args.program, "focus-rejected") as session:
        program = session.start()
        window = MainWindow(session, program)
        screen = Screen(session, window, "rejected")
        window.click_name_field()
        session.type_text(window.id, "Ann")
        session.keys(window.id, "Tab", "Tab")  # the day stays empty: the date no sign covers
        session.type_text(window.id, "January")
        session.keys(window.id, "Tab")
        session.type_text(window.id, "1980")
        session.keys(window.id, "alt+f", "c")
        box, title = one_dialog(session, program.pid)
        check(title == "Invalid Birthday", "expected the zodiac step's message, got %r" % title)
        close_dialog(session, program.pid, box)
        window.wait_expanded(10)
        changed = screen.typed_into()
        check(changed == ["myyear"], "after the rejected date typing changed %r, not the year" % changed)
        window.exit_and_expect_status_zero()


def clear_from_menu_returns_focus_to_the_month():
    with Session(args.program, "focus-clear") as session:
        program = session.start()
        window = MainWindow(session, program)
        screen = Screen(session, window, "clear")
        window.click_name_field()
        session.type_text(window.id, "Ann")
        session.keys(window.id, "Tab")
        session.type_text(window.id, "05")
        session.keys(window.id, "Tab")
        session.type_text(window.id, "January")
        session.keys(window.id, "Tab")
        session.type_text(window.id, "1980")
        session.keys(window.id, "shift+Tab")  # back to the month
        session.keys(window.id, "alt+f", "c")
        window.wait_expanded(10)
        changed = screen.typed_into()
        check(changed == [], "typing into the frozen reading changed %r" % changed)
        check(not session.dialogs(program.pid), "typing into the frozen reading showed a message")
        session.keys(window.id, "alt+f", "l")
        window.wait_compact(10)
        changed = screen.typed_into()
        check(changed == ["Combo1"], "after Clear typing changed %r, not the month" % changed)
        window.exit_and_expect_status_zero()


def highlighted(window, picture, name):
    """Pixels in the highlight colour in and below a list (its opened list)."""
    x, y, width, _ = window.screen_rect(*CONTROLS[name])
    return [colour for colour in picture.pixels((x, y, width, 400)) if distance(colour, HIGHLIGHT) < 24]


def lists_pick_nothing_when_empty():
    with Session(args.program, "lists") as session:
        program = session.start()
        window = MainWindow(session, program)
        screen = Screen(session, window, "lists")
        lists = ("myday", "Combo1", "myyear")

        def open_list_highlight(name):
            window.click_control(*CONTROLS[name])
            session.keys(window.id, "alt+Down")
            found = highlighted(window, Picture(screen.shot()), name)
            session.keys(window.id, "Escape")
            return found

        def down_in_each():
            window.click_control(*CONTROLS["myday"])
            for _ in lists:
                session.keys(window.id, "Down", "Tab")

        check(not open_list_highlight("myday"), "at start-up the opened day list marks an item")
        # Down in each empty list, then the texts typed: the same pictures.
        down_in_each()
        by_down = screen.shot()
        session.keys(window.id, "alt+f", "l")
        window.click_control(*CONTROLS["myday"])
        for text in ("01", "January", "1900"):
            session.type_text(window.id, text)
            session.keys(window.id, "Tab")
        typed = screen.shot()
        for name in lists:
            check(session.differing_pixels(by_down, typed, window.screen_rect(*CONTROLS[name])) == 0,
                  "at start-up Down in %s does not give its first item" % name)

        # A reading from items further down, then Clear.
        window.click_control(*CONTROLS["myday"])
        session.keys(window.id, "ctrl+a", "BackSpace", "Down", "Down", "Down")
        check(open_list_highlight("myday"), "an opened list with a picked item shows no highlight")
        window.click_name_field()
        session.type_text(window.id, "Ann")
        session.keys(window.id, "alt+f", "c")
        window.wait_expanded(10)
        session.keys(window.id, "alt+f", "l")
        window.wait_compact(10)
        for name in lists:
            check(not open_list_highlight(name), "after Clear the opened %s marks an item" % name)
        down_in_each()
        after_clear = screen.shot()
        for name in lists:
            check(session.differing_pixels(after_clear, typed, window.screen_rect(*CONTROLS[name])) == 0,
                  "after Clear Down in %s does not give its first item" % name)
        window.exit_and_expect_status_zero()


def enter_presses_the_focused_button():
    with Session(args.program, "enter") as session:
        program = session.start()
        window = MainWindow(session, program)
        window.click_name_field()
        session.type_text(window.id, "Ann")
        for text in ("05", "January", "1980"):
            session.keys(window.id, "Tab")
            session.type_text(window.id, text)
        session.keys(window.id, "Tab", "Return")  # Calculate
        window.wait_expanded(10)
        session.keys(window.id, "Tab", "KP_Enter")  # Clear, with the keypad's Enter
        window.wait_compact(10)
        check(not session.dialogs(program.pid), "a message box appeared")
        window.click_name_field()
        session.keys(window.id, "Tab", "Tab", "Tab", "Tab", "KP_Enter")  # Calculate, every field empty
        box, title = one_dialog(session, program.pid)
        check(title == APP_TITLE, "Enter on Calculate with empty fields gave %r" % title)
        close_dialog(session, program.pid, box)
        window.exit_and_expect_status_zero()


def name_filter_box():
    with Session(args.program, "filter") as session:
        program = session.start()
        window = MainWindow(session, program)
        screen = Screen(session, window, "filter")
        window.click_name_field()
        session.type_text(window.id, "5")
        check_message_box(session, program.pid, screen, APP_TITLE, icon=False)
        changed = screen.typed_into()
        check(changed == ["Text1"], "after the filter's message typing changed %r, not the name field" % changed)
        window.exit_and_expect_status_zero()


sys.exit(run_cases([
    ("failed check: the box, and the focus back in the name field", failed_check_returns_focus_to_the_name),
    ("missing name: the box, and the focus stays on Calculate", missing_name_box_and_focus_on_calculate),
    ("rejected date: the focus back in the year list", rejected_date_returns_focus_to_the_year),
    ("Clear from the menu: the focus back in the month list", clear_from_menu_returns_focus_to_the_month),
    ("empty lists: Down gives the first item, the opened list marks none", lists_pick_nothing_when_empty),
    ("Return and keypad Enter press the focused button", enter_presses_the_focused_button),
    ("name filter: the box, and the focus back in the name field", name_filter_box),
]))
