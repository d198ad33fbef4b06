"""Only one copy runs: later starts are refused with a message and end."""

import os
import signal
import sys

from xsession import (APP_TITLE, MAIN_TITLE, Failure, MainWindow, Session, arguments, check, days_from_today, expect_proceeds, poll,
                      run_cases)

args = arguments()


def refusal_of(session, process, timeout=20):
    """The refusal message of a second copy; the copy shows nothing else."""
    message = session.wait_window(APP_TITLE, pid=process.pid, timeout=timeout, process=process)
    check(session.windows(MAIN_TITLE, pid=process.pid) == [], "a refused copy showed a main window")
    return message


def answer(session, message):
    session.keys(message, "Return")


def settings_snapshot(session):
    with open(session.settings_file, "rb") as store:
        content = store.read()
    return content, os.stat(session.settings_file).st_mtime_ns


def second_copy_refused_then_stale_lock_taken_over():
    with Session(args.program, "second-copy") as session:
        session.write_settings("[Settings]\nDuration=%s\n" % days_from_today(-3))
        first = session.start()
        first_window = MainWindow(session, first)

        # A value the reminder would replace: a refused copy that ran the
        # reminder, or wrote the store at all, would change the file.
        session.write_settings("[Settings]\nDuration=garbage\n")
        before = settings_snapshot(session)

        second = session.start()
        message = refusal_of(session, second)
        check(session.windows(APP_TITLE, pid=first.pid) == [], "the first copy shows a message window")
        answer(session, message)
        session.expect_exit_zero(second, 5, "the refused copy")

        session.expect_alive(first, "the first copy after the refused start")
        check(session.windows(MAIN_TITLE, pid=first.pid) == [first_window.id], "the first copy's window is gone")
        check(session.dialogs() == [], "a message is left on screen: %r" % session.dialogs())
        check(settings_snapshot(session) == before, "the refused start changed the settings file")

        # A copy that dies without cleaning up leaves its lock file behind.
        first.send_signal(signal.SIGKILL)
        check(session.wait_exit(first, 5) == -signal.SIGKILL, "the first copy did not die of SIGKILL")
        check(os.path.exists(session.lock_file), "no lock file left by the killed copy: the takeover is not tested")

        third = session.start()
        expect_proceeds(session, third, "the start after the killed copy").exit_and_expect_status_zero()


def second_copy_refused_while_first_shows_reminder():
    with Session(args.program, "during-reminder") as session:
        session.write_settings("[Settings]\nDuration=%s\n" % days_from_today(-20))
        first = session.start()
        reminder = session.wait_window(APP_TITLE, pid=first.pid, process=first)

        second = session.start()
        message = refusal_of(session, second)
        answer(session, message)
        session.expect_exit_zero(second, 5, "the copy refused during the reminder")

        session.expect_alive(first, "the first copy")
        check(session.windows(APP_TITLE, pid=first.pid) == [reminder], "the first copy's reminder is gone")
        session.keys(reminder, "Escape")  # No
        MainWindow(session, first).exit_and_expect_status_zero()
        check(session.browser_calls() == "", "a page was opened:\n" + session.browser_calls())


def eight_copies_at_once():
    with Session(args.program, "eight-copies") as session:
        copies = [session.start() for _ in range(8)]
        pids = {copy.pid for copy in copies}

        def settled():
            mains = [w for w in session.windows(MAIN_TITLE) if session.window_pid(w) in pids]
            if len(mains) > 1:
                return "several", mains
            refusals = [w for w in session.windows(APP_TITLE) if session.window_pid(w) in pids]
            return (mains, refusals) if len(mains) == 1 and len(refusals) == 7 else None

        state = poll(settled, 45, interval=0.2)
        if state and state[0] == "several":
            raise Failure("%d main windows at once: several copies got past the guard" % len(state[1]))
        check(state, "expected one main window and seven refusals; visible: %r"
              % [(session.window_name(w), session.window_pid(w)) for w in session.visible_windows()])
        mains, refusals = state
        winner_pid = session.window_pid(mains[0])
        winner = next(copy for copy in copies if copy.pid == winner_pid)
        refused = [copy for copy in copies if copy is not winner]
        check({session.window_pid(w) for w in refusals} == {copy.pid for copy in refused},
              "the refusals do not come from the seven other copies")

        for message in refusals:
            answer(session, message)
        for copy in refused:
            session.expect_exit_zero(copy, 10, "refused copy %d" % copy.pid)
        check(session.windows(APP_TITLE) == [], "a refusal message is still shown")

        session.expect_alive(winner, "the copy that started")
        MainWindow(session, winner).exit_and_expect_status_zero()

        # No lock is left held: the next start proceeds to its window.
        again = session.start()
        expect_proceeds(session, again, "the start after all copies ended").exit_and_expect_status_zero()


sys.exit(run_cases([
    ("second copy refused, first untouched; stale lock of a killed copy taken over",
     second_copy_refused_then_stale_lock_taken_over),
    ("second copy refused while the first shows its reminder", second_copy_refused_while_first_shows_reminder),
    ("eight copies at once: one window, seven refusals", eight_copies_at_once),
]))
