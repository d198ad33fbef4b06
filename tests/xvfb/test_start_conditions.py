"""Start-up under conditions a tidy desktop does not have.

The command line (--help, --version, unknown options, the toolkit's own
options), no display or one that cannot be opened, no HOME, and a settings
store that cannot be written when the user asks for the download page.
"""

import os
import shutil
import subprocess
import sys

from xsession import (APP_TITLE, MAIN_TITLE, OTHER_USERS, MainWindow, Session, Skipped, arguments, check,
                      days_from_today, mount_tmpfs, needs_mounts, other_users_or_skip, poll, remount_read_only,
                      run_cases, todays, unmount)

args = arguments()

VERSION = "Veltara Numerology Software 1.40\n"
NO_DISPLAY = ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")


def run(session, argv, unset=(), env=None, timeout=20):
    """Runs the program to its end; returns (status, stdout, stderr)."""
    environment = session.env()
    environment.update(env or {})
    for name in unset:
        environment.pop(name, None)
    result = subprocess.run([session.program] + list(argv), env=environment, cwd=session.root,
                            stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=timeout)
    return result.returncode, result.stdout, result.stderr


def written(session):
    """Every file and folder the program made in the case's settings and runtime folders."""
    found = []
    for top in (session.config_home, session.runtime_dir):
        for folder, folders, files in os.walk(top):
            found += [os.path.join(folder, name) for name in folders + files]
    return found


def unused_display():
    """An X display number with no server behind it."""
    for number in range(4000, 4100):
        if not os.path.exists("/tmp/.X11-unix/X%d" % number) and not os.path.exists("/tmp/.X%d-lock" % number):
            return ":%d" % number
    raise Skipped("no free display number")


def command_line_without_display():
    with Session(args.program, "command-line") as session:
        # Both need no display at all.
        status, out, err = run(session, ["--version"], unset=NO_DISPLAY)
        check((status, out, err) == (0, VERSION, ""), "--version gave %r" % ((status, out, err),))
        status, out, err = run(session, ["--help"], unset=NO_DISPLAY)
        check(status == 0 and out.startswith("Usage: veltara") and "--version" in out and err == "",
              "--help gave %r" % ((status, out, err),))
        for option, named in (("--frobnicate", "frobnicate"), ("-x", "'x'"), ("-platform", "platform")):
            status, out, err = run(session, [option])
            check(status == 2 and out == "" and len(err.splitlines()) == 1 and named in err,
                  "%s gave %r" % (option, (status, out, err)))
        # With a display they open no window either.
        status, out, _ = run(session, ["--version"])
        check(status == 0 and out == VERSION, "--version on a display gave %r" % out)
        check(session.windows(MAIN_TITLE) == [] and session.windows(APP_TITLE) == [], "a window was opened")
        check(written(session) == [], "the command line left files behind: %r" % written(session))


def no_display():
    with Session(args.program, "no-display") as session:
        status, out, err = run(session, [], unset=NO_DISPLAY)
        lines = err.splitlines()
        check(status == 1, "without a display the status is %d (negative: a signal)\n%s" % (status, err))
        check(len(lines) == 1 and "DISPLAY" in lines[0] and "WAYLAND_DISPLAY" in lines[0],
              "expected one line naming DISPLAY and WAYLAND_DISPLAY:\n" + err)
        check("Reinstalling" not in err, "the toolkit's own abort message shows")

        display = unused_display()
        status, out, err = run(session, [], env={"DISPLAY": display})
        lines = err.splitlines()
        check(status == 1 and len(lines) == 1 and display in lines[0],
              "a display that cannot be opened gave status %d and:\n%s" % (status, err))
        status, out, err = run(session, ["-display", display], unset=NO_DISPLAY)
        check(status == 1 and len(err.splitlines()) == 1 and display in err,
              "-display with one that cannot be opened gave status %d and:\n%s" % (status, err))
        check(written(session) == [], "a start without a display left files behind: %r" % written(session))


def toolkit_options_keep_working():
    with Session(args.program, "toolkit-options") as session:
        # -platform and -display name the display instead of the environment.
        program = session.start(args=["-platform", "xcb", "-display", session.display, "-style", "Fusion"],
                                unset=NO_DISPLAY)
        MainWindow(session, program).exit_and_expect_status_zero()

        # The headless platform needs no display: the start goes on to the
        # reminder's first write.
        os.remove(session.settings_file)
        for how in (dict(args=["-platform", "offscreen"], unset=NO_DISPLAY),
                    dict(env={"QT_QPA_PLATFORM": "offscreen"}, unset=("DISPLAY",))):
            program = session.start(**how)
            check(poll(lambda: program.poll() is not None or session.read_setting() in todays(), 20),
                  "the headless start did not get to the reminder (%r)" % how)
            session.expect_alive(program, "the headless copy")
            check(os.path.exists(session.lock_file), "the headless copy holds no lock")
            program.kill()
            program.wait(timeout=5)
            os.remove(session.settings_file)


@needs_mounts
def home_unset_uses_the_password_database():
    if os.geteuid() != 0:
        raise Skipped("a private /root needs root")
    if shutil.which("unshare") is None:
        raise Skipped("no unshare command")
    root_config_before = os.path.exists("/.config")
    # The copy runs from a folder every user can enter, so never from inside
    # /root, which the private mount hides (a checkout in root's home).
    with Session(args.program, "no-home", shared=True) as session:
        program_file, _ = session.installed_copy(args.pictures)
        # A private, empty /root for this copy alone, so the real one is
        # never touched; its files are read through /proc while it runs.
        script = 'mount -t tmpfs -o size=256k,mode=0700 tmpfs /root && exec "$@"'
        program = session.start(program_file,
                                prefix=["unshare", "--mount", "--propagation", "private", "sh", "-c", script, "sh"],
                                unset=("HOME", "XDG_CONFIG_HOME"), split_output=True)
        shown = poll(lambda: program.poll() is not None or session.windows(MAIN_TITLE, pid=program.pid), 20)
        # In a chroot (a build or CI jail) the root is no mount point, and
        # unshare cannot make the namespace private.
        if program.poll() is not None and any(word in session.errors_of(program) for word in ("mount", "unshare:")):
            raise Skipped("a private mount was refused: " + session.errors_of(program).strip())
        check(shown, "the program showed no window without HOME")
        window = MainWindow(session, program)
        private_root = "/proc/%d/root/root" % program.pid
        store = os.path.join(private_root, ".config", "veltara", "veltara.conf")
        check(poll(lambda: os.path.exists(store), 5), "no settings file in root's home folder from the password database")
        with open(store) as text:
            check(any(line.strip()[len("Duration="):] in todays() for line in text if line.startswith("Duration=")),
                  "the settings file holds no date of today")
        check(os.path.exists(os.path.join(private_root, ".config", "veltara", "veltara.lock")),
              "no lock beside the settings file")
        check(session.errors_of(program) == "", "unexpected output:\n" + session.errors_of(program))
        window.exit_and_expect_status_zero()
    check(os.path.exists("/.config") == root_config_before, "/.config was created")


def user_without_a_home_folder():
    """A user whose home folder does not exist: no store, the guard off, and
    the program runs all the same."""
    accounts = other_users_or_skip()
    name = OTHER_USERS[0]
    home = accounts[name].pw_dir
    home_before = os.path.exists(home)
    with Session(args.program, "no-home-folder", shared=True) as session:
        # A copy the other user can reach, wherever the build lies.
        program_file, _ = session.installed_copy(args.pictures)
        program = session.start(program_file, prefix=["runuser", "-u", name, "--", "env", "-u", "HOME"],
                                unset=("HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"), split_output=True)
        check(poll(lambda: program.poll() is not None or session.windows(MAIN_TITLE), 20),
              "no window for a user without a home folder:\n" + session.errors_of(program))
        session.expect_alive(program, "the copy of a user without a home folder")
        # (The toolkit may add its own notes on the runtime folder.)
        lines = [line for line in session.errors_of(program).splitlines() if line.startswith("veltara:")]
        check(len(lines) == 1 and "guard is off" in lines[0],
              "expected one line:\n" + session.errors_of(program))
    check(os.path.exists(home) == home_before, "the missing home folder %s was made" % home)


@needs_mounts
def read_only_store_yes_still_opens_the_page():
    with Session(args.program, "read-only-yes") as session:
        try:
            mount_tmpfs(session.config_home)
            session.write_settings("[Settings]\nDuration=%s\n" % days_from_today(-20))
            remount_read_only(session.config_home)
            for start in range(2):
                program = session.start()
                message = session.wait_window(APP_TITLE, pid=program.pid, process=program)
                check(session.windows(MAIN_TITLE) == [], "the main window shows together with the reminder")
                session.keys(message, "Return")  # Yes, the default
                calls = poll(lambda: [line for line in session.browser_calls().splitlines()
                                      if line.startswith("url ")][start:], 10)
                check(calls and "page=download-web-page" in calls[0],
                      "Yes did not open the download page (start %d): %r" % (start + 1, session.browser_calls()))
                # The date could not be stored: the next start reminds again.
                check(session.read_setting() == days_from_today(-20), "the read-only store changed")
                MainWindow(session, program).exit_and_expect_status_zero()
        finally:
            unmount(session.config_home)


sys.exit(run_cases([
    ("--help, --version and unknown options, without a display", command_line_without_display),
    ("no display: one line, status 1, nothing left behind", no_display),
    ("-platform, -display, -style and QT_QPA_PLATFORM keep working", toolkit_options_keep_working),
    ("HOME unset: the home folder from the password database", home_unset_uses_the_password_database),
    ("HOME unset, a user whose home folder does not exist: the guard is off", user_without_a_home_folder),
    ("read-only store: Yes opens the page, the reminder comes again", read_only_store_yes_still_opens_the_page),
]))
