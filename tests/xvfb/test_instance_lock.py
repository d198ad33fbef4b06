"""The single-instance guard never locks a user out.

Whatever a killed or foreign copy left in the lock file, a lone start
proceeds; a copy that runs is never taken over; a store that is read-only or
full lets the program start with the guard off; every user has a lock of
their own, and one store has one copy whatever the runtime folder.
"""

import os
import signal
import subprocess
import sys
import time

from xsession import (APP_TITLE, MAIN_TITLE, OTHER_USERS, MainWindow, Session, arguments, check, days_from_today,
                      expect_proceeds, fill, mount_tmpfs, needs_mounts, other_users_or_skip, poll, remount_read_only,
                      run_cases, unmount)

args = arguments()

GUARD_OFF = "guard is off"


def expect_refused(session, process, what):
    message = session.wait_window(APP_TITLE, pid=process.pid, timeout=20, process=process)
    check(session.windows(MAIN_TITLE, pid=process.pid) == [], "%s showed a main window" % what)
    session.keys(message, "Return")
    session.expect_exit_zero(process, 5, what)


def guard_off_lines(session, process):
    return [line for line in session.errors_of(process).splitlines() if GUARD_OFF in line]


def ended_pid():
    finished = subprocess.run(["sh", "-c", "echo $$"], capture_output=True, text=True, check=True)
    return int(finished.stdout)


def leftover_locks_taken_over():
    leftovers = [
        ("empty", b""),
        ("garbled", b"\xff\xfe\x00\x01garbage"),
        ("cut off", b"12"),
        ("from another host", b"4242\nveltara\nanother-host.example\n"),
        ("naming a dead process", b"%d\nveltara\n" % ended_pid()),
    ]
    with Session(args.program, "leftover-locks") as session:
        os.makedirs(os.path.dirname(session.lock_file), exist_ok=True)
        # The same in the runtime folder, where locks are often kept: nothing
        # left there may stand in the way either.
        places = [session.lock_file, os.path.join(session.runtime_dir, "veltara.lock")]
        for what, content in leftovers:
            for place in places:
                with open(place, "wb") as lock:
                    lock.write(content)
                os.utime(place, (time.time() - 86400, time.time() - 86400))
            program = session.start(split_output=True)
            window = expect_proceeds(session, program, "a start over a lock %s" % what)
            check(guard_off_lines(session, program) == [], "the guard was off over a lock %s" % what)
            # And the lock is held: a second copy is refused.
            expect_refused(session, session.start(), "a second copy over a lock %s" % what)
            window.exit_and_expect_status_zero()


def live_copy_never_taken_over():
    with Session(args.program, "live-copy") as session:
        first = session.start()
        first_window = MainWindow(session, first)
        # However old its lock looks, and whatever it holds, the holder runs.
        with open(session.lock_file, "wb") as lock:
            lock.write(b"garbage")
        os.utime(session.lock_file, (time.time() - 30 * 86400, time.time() - 30 * 86400))
        expect_refused(session, session.start(), "a copy started beside a month-old live copy")
        session.expect_alive(first, "the first copy")
        first_window.exit_and_expect_status_zero()
        expect_proceeds(session, session.start(), "the start after the first copy ended").exit_and_expect_status_zero()


@needs_mounts
def read_only_store():
    with Session(args.program, "read-only-store") as session:
        try:
            # The runtime folder read-only too: the guard does not depend on it.
            for folder, mode in ((session.config_home, "0755"), (session.runtime_dir, "0700")):
                mount_tmpfs(folder, mode=mode)
                remount_read_only(folder)
            program = session.start(split_output=True)
            window = expect_proceeds(session, program, "a lone copy on a read-only store")
            lines = session.errors_of(program).splitlines()
            check(len(guard_off_lines(session, program)) == 1 and len(lines) == 1,
                  "expected one line saying the guard is off, got:\n" + "\n".join(lines))
            check(os.listdir(session.config_home) == [], "something was written to the read-only store")
            window.exit_and_expect_status_zero()
        finally:
            unmount(session.runtime_dir)
            unmount(session.config_home)


@needs_mounts
def read_only_store_with_its_lock():
    # A store that became read-only after the lock file was made still guards.
    with Session(args.program, "read-only-with-lock") as session:
        try:
            mount_tmpfs(session.config_home)
            MainWindow(session, session.start()).exit_and_expect_status_zero()
            check(os.path.exists(session.lock_file), "the first start made no lock file")
            remount_read_only(session.config_home)
            first = session.start(split_output=True)
            window = expect_proceeds(session, first, "a lone copy on a read-only store with its lock")
            check(guard_off_lines(session, first) == [], "the guard is off although the lock file exists")
            expect_refused(session, session.start(), "a second copy on the read-only store")
            window.exit_and_expect_status_zero()
        finally:
            unmount(session.config_home)


@needs_mounts
def full_store():
    with Session(args.program, "full-store") as session:
        try:
            for folder, mode in ((session.config_home, "0755"), (session.runtime_dir, "0700")):
                mount_tmpfs(folder, mode=mode)
            session.write_settings("[Settings]\nDuration=%s\n" % days_from_today(-20))
            for folder in (session.config_home, session.runtime_dir):
                fill(folder)
            program = session.start(split_output=True)
            # The reminder is due; Yes opens the page although the date
            # cannot be stored.
            message = session.wait_window(APP_TITLE, pid=program.pid, process=program)
            session.keys(message, "Return")
            window = expect_proceeds(session, program, "a lone copy on a full store")
            calls = poll(session.browser_calls, 10)
            check("page=download-web-page" in calls, "Yes opened no page on a full store: %r" % calls)
            check(len(session.errors_of(program).splitlines()) <= 1,
                  "more than one line on the standard error:\n" + session.errors_of(program))
            window.exit_and_expect_status_zero()
        finally:
            unmount(session.runtime_dir)
            unmount(session.config_home)


def one_store_one_copy_whatever_the_runtime_folder():
    with Session(args.program, "runtime-folders") as session:
        other_runtime = os.path.join(session.root, "other-runtime")
        os.mkdir(other_runtime, 0o700)
        first = session.start()
        window = MainWindow(session, first)
        expect_refused(session, session.start(env={"XDG_RUNTIME_DIR": other_runtime}),
                       "a copy with another runtime folder")
        expect_refused(session, session.start(unset=("XDG_RUNTIME_DIR",)), "a copy without a runtime folder")
        session.expect_alive(first, "the first copy")
        window.exit_and_expect_status_zero()


def process_uid(pid):
    """The owner of a process; None when it is unknown or already gone."""
    if pid is None:
        return None
    try:
        with open("/proc/%d/status" % pid) as status:
            for line in status:
                if line.startswith("Uid:"):
                    return int(line.split()[1])
    except FileNotFoundError:
        pass
    return None


def two_users_never_share():
    accounts = other_users_or_skip()
    users = list(OTHER_USERS)
    shared = "/tmp/veltara.lock"
    shared_before = os.path.exists(shared)

    with Session(args.program, "two-users", shared=True) as session:
        # A copy the other users can reach, wherever the build lies.
        program, _ = session.installed_copy(args.pictures)
        homes = {}
        for name, account in accounts.items():
            homes[name] = os.path.join(session.root, "home-" + name)
            os.mkdir(homes[name], 0o700)
            os.chown(homes[name], account.pw_uid, account.pw_gid)

        def start_as(name):
            # runuser sets HOME from the password database; env sets it back.
            return session.start(program, prefix=["runuser", "-u", name, "--", "env", "HOME=" + homes[name]],
                                 unset=("XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"), split_output=True)

        def main_windows():
            # A window that is being destroyed may have lost its process id.
            owners = {}
            for window in session.windows(MAIN_TITLE):
                uid = process_uid(session.window_pid(window))
                if uid is not None:
                    owners[uid] = window
            return owners

        copies = {name: start_as(name) for name in users}
        uids = {accounts[name].pw_uid for name in users}
        check(poll(lambda: set(main_windows()) == uids, 30),
              "expected a main window of each user; visible: %r"
              % [(session.window_name(w), session.window_pid(w)) for w in session.visible_windows()])
        check(session.dialogs() == [], "a message was shown: %r" % session.dialogs())
        for name in users:
            check(guard_off_lines(session, copies[name]) == [], "the guard of %s is off:\n%s"
                  % (name, session.errors_of(copies[name])))

        for name in users:
            lock = os.path.join(homes[name], ".config", "veltara", "veltara.lock")
            check(os.path.exists(lock), "no lock in the settings folder of %s" % name)
            status = os.stat(lock)
            check(status.st_uid == accounts[name].pw_uid and status.st_mode & 0o022 == 0,
                  "the lock of %s is not %s's own (uid %d, mode %o)" % (name, name, status.st_uid, status.st_mode))
        check(os.path.exists(shared) == shared_before, "a shared lock %s appeared" % shared)

        # One user's copy killed: the other goes on, and the first user starts again.
        killed_pid = session.window_pid(main_windows()[accounts[users[0]].pw_uid])
        os.kill(killed_pid, signal.SIGKILL)
        check(poll(lambda: accounts[users[0]].pw_uid not in main_windows(), 10), "the killed copy's window stayed")
        again = start_as(users[0])
        check(poll(lambda: set(main_windows()) == uids, 30), "the user whose copy was killed cannot start again")
        check(session.dialogs() == [], "a message was shown: %r" % session.dialogs())
        for process in [copies[users[1]], again]:
            session.expect_alive(process, "a copy of another user")


sys.exit(run_cases([
    ("a lock that names no live copy is taken over", leftover_locks_taken_over),
    ("a live copy is never taken over, however old its lock", live_copy_never_taken_over),
    ("one store, one copy: another or no runtime folder is refused", one_store_one_copy_whatever_the_runtime_folder),
    ("read-only store: a lone copy starts, one line says the guard is off", read_only_store),
    ("read-only store that holds its lock still guards", read_only_store_with_its_lock),
    ("full store: a lone copy starts", full_store),
    ("two users: a lock each, never shared, never in /tmp", two_users_never_share),
]))
