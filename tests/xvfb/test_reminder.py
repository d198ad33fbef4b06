"""The update reminder at start-up, with the settings file in various states."""

import os
import sys

from xsession import (APP_TITLE, MAIN_TITLE, MainWindow, Session, arguments, check, days_from_today, poll, run_cases,
                      todays)

args = arguments()


def reminder_before_main_window(session, program):
    """Waits for the reminder; while it is shown, no main window exists."""
    message = session.wait_window(APP_TITLE, pid=program.pid, process=program)
    check(session.windows(MAIN_TITLE) == [], "the main window is shown together with the reminder")
    check("_NET_WM_WINDOW_TYPE_DIALOG" in session.window_types(message), "the reminder is not a message window")
    return message


def no_reminder_then_main_window(session, program):
    """Polls until the main window: no message may show at any time."""
    messages = []

    def main_window_shown():
        messages.extend(session.dialogs(program.pid))
        return program.poll() is not None or session.windows(MAIN_TITLE, pid=program.pid)

    check(poll(main_window_shown, 20), "the main window did not appear")
    check(messages == [], "a message was shown: %r" % messages)
    window = MainWindow(session, program)
    check(session.dialogs(program.pid) == [], "a message was shown: %r" % session.dialogs(program.pid))
    return window


def reminder_due_answer_no():
    with Session(args.program, "reminder-no") as session:
        session.write_settings("[Settings]\nDuration=%s\n" % days_from_today(-20))
        program = session.start()
        message = reminder_before_main_window(session, program)
        # Yes is the default button; Escape answers No.
        session.keys(message, "Escape")
        window = MainWindow(session, program)
        check(session.read_setting() in todays(), "the stored date is %r, not today" % session.read_setting())
        check(session.browser_calls() == "", "answering No opened a page:\n" + session.browser_calls())
        window.exit_and_expect_status_zero()


def reminder_due_ahead_answer_yes():
    with Session(args.program, "reminder-yes") as session:
        session.write_settings("[Settings]\nDuration=%s\n" % days_from_today(20))
        program = session.start()
        message = reminder_before_main_window(session, program)
        session.keys(message, "Return")  # the default button, Yes
        window = MainWindow(session, program)
        check(session.read_setting() in todays(), "the stored date is %r, not today" % session.read_setting())
        calls = poll(session.browser_calls, 10)
        urls = [line[4:] for line in calls.splitlines() if line.startswith("url ")]
        check(len(urls) == 1 and "page=download-web-page" in urls[0], "Yes did not open the download page: %r" % calls)
        # The date was written before the page was opened.
        check(any(line.startswith("conf Duration=") and line[len("conf Duration="):] in todays()
                  for line in calls.splitlines()),
              "the date was not stored when the page opened:\n" + calls)
        window.exit_and_expect_status_zero()


def first_start_no_reminder():
    with Session(args.program, "reminder-first") as session:
        program = session.start()
        window = no_reminder_then_main_window(session, program)
        check(session.read_setting() in todays(), "the first start stored %r" % session.read_setting())
        window.exit_and_expect_status_zero()


def fourteen_days_ago_no_reminder():
    with Session(args.program, "reminder-14") as session:
        stored = days_from_today(-14)
        session.write_settings("[Settings]\nDuration=%s\n" % stored)
        program = session.start()
        window = no_reminder_then_main_window(session, program)
        check(session.read_setting() == stored, "the stored date changed to %r" % session.read_setting())
        window.exit_and_expect_status_zero()


def garbage_value_no_reminder():
    with Session(args.program, "reminder-garbage") as session:
        session.write_settings("[Settings]\nDuration=garbage\n")
        program = session.start()
        window = no_reminder_then_main_window(session, program)
        check(session.read_setting() in todays(), "garbage was not replaced by today: %r" % session.read_setting())
        window.exit_and_expect_status_zero()


def unreadable_settings_no_reminder():
    with Session(args.program, "reminder-unreadable") as session:
        # A folder where the file should be cannot be read, even by root.
        os.makedirs(session.settings_file)
        program = session.start()
        window = no_reminder_then_main_window(session, program)
        check(os.path.isdir(session.settings_file), "the settings folder was replaced")
        window.exit_and_expect_status_zero()


sys.exit(run_cases([
    ("stored 20 days ago: reminder before the window, No stores today", reminder_due_answer_no),
    ("stored 20 days ahead: reminder, Yes stores today then opens the download page", reminder_due_ahead_answer_yes),
    ("no stored value: no reminder, today stored", first_start_no_reminder),
    ("stored 14 days ago: no reminder, unchanged", fourteen_days_ago_no_reminder),
    ("stored garbage: no reminder, today stored", garbage_value_no_reminder),
    ("settings file is a folder: no reminder, window shown", unreadable_settings_no_reminder),
]))
