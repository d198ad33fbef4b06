"""Runs the real program on a private X server and drives it as a user would.

Every case gets its own Xvfb (a free display number chosen by the server),
its own settings folder (XDG_CONFIG_HOME, which also holds the instance lock)
and runtime folder (XDG_RUNTIME_DIR), and a stand-in web browser that only
records what it was asked to open.
Everything a case starts is killed when the case ends, and also when this
script itself dies (the children carry a parent-death signal).

Waiting is always a bounded poll for a condition, never a fixed sleep.
"""

import argparse
import ctypes
import ctypes.util
import datetime
import os
import pathlib
import pwd
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

MAIN_TITLE = "Veltara Numerology Software v1.40"
APP_TITLE = "Veltara Numerology Software"
REINSTALL_TITLE = "Please Reinstall The Software"

# The pictures the program reads from its folder "pu", as the engine's tables name them.
_ENGINE = pathlib.Path(__file__).resolve().parents[2] / "engine"
PICTURE_NAMES = tuple(dict.fromkeys(re.findall(r'u"([A-Za-z]+\.jpg)"', "".join(
    (_ENGINE / table).read_text(encoding="utf-8") for table in ("profiles.cpp", "zodiac.h")))))

# Designed window sizes in twips and the parts of them that are not client
# area below the menu bar (frame and title bar belong to a window manager).
TWIPS_PER_INCH = 1440
COMPACT_CLIENT_TWIPS = (4020 - 75, 3480 - 740)
EXPANDED_CLIENT_TWIPS = (8160 - 75, 5750 - 740)
DPI = 96

SKIP = 77  # CTest's SKIP_RETURN_CODE for a machine without the X tools

_REQUIRED_TOOLS = ("Xvfb", "xdotool", "xwininfo", "xprop", "import", "convert", "compare")


class Failure(AssertionError):
    """A check of a case did not hold."""


class Skipped(Exception):
    """A case cannot run here (a facility such as mount or runuser is refused)."""


# The users the cases that run copies as other users start them as.
OTHER_USERS = ("nobody", "daemon")


def other_users_or_skip():
    """The accounts of OTHER_USERS, when this process can start programs as them.

    Skipped, with the reason, where there is no other user to run as: only
    root can switch users, and in a user namespace (a normal user's fault
    cases) no other user is mapped."""
    if os.geteuid() != 0:
        raise Skipped("starting copies as other users needs root; this user is not (uid %d)" % os.geteuid())
    if os.environ.get(_NAMESPACE_MARK):
        raise Skipped("starting copies as other users needs real root; this is a user namespace of uid %s,"
                      " which maps no other user" % os.environ[_NAMESPACE_MARK])
    if shutil.which("runuser") is None:
        raise Skipped("no runuser command")
    try:
        accounts = {name: pwd.getpwnam(name) for name in OTHER_USERS}
    except KeyError as missing:
        raise Skipped("no user %s" % missing)
    for name in OTHER_USERS:
        probe = subprocess.run(["runuser", "-u", name, "--", "true"], capture_output=True, text=True, timeout=15)
        if probe.returncode != 0:
            raise Skipped("runuser -u %s refused: %s" % (name, probe.stderr.strip()))
    return accounts


def reachable_by_everyone(path):
    """True when every user can enter path and each folder above it."""
    path = os.path.abspath(path)
    while True:
        if not os.stat(path).st_mode & 0o001:
            return False
        parent = os.path.dirname(path)
        if parent == path:
            return True
        path = parent


def check(condition, message):
    if not condition:
        raise Failure(message)


def poll(condition, timeout, interval=0.05):
    """Calls condition until it returns a true value or timeout seconds pass.

    Returns the last value of condition (false on timeout)."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(interval)


def px(twips):
    return round(twips * DPI / TWIPS_PER_INCH)


def today_iso():
    return datetime.date.today().isoformat()


def days_from_today(days):
    return (datetime.date.today() + datetime.timedelta(days=days)).isoformat()


def todays():
    """Today's ISO date, and yesterday's in case a midnight passed during the case."""
    return {today_iso(), days_from_today(-1)}


# --- child processes -------------------------------------------------------

_libc = ctypes.CDLL(None, use_errno=True)
_PR_SET_PDEATHSIG = 1
_PR_SET_CHILD_SUBREAPER = 36

# Processes that our children leave behind (a bus daemon started by a bus
# launcher, say) become our children, so a case can end them too.
_libc.prctl(_PR_SET_CHILD_SUBREAPER, 1)


def _die_with_parent():
    # Runs in the child before exec: if this script is killed (a CTest
    # timeout), the child gets SIGKILL instead of living on.
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL)


def _own_children():
    """Process ids whose parent is this script."""
    me = str(os.getpid())
    children = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as status:
                fields = status.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        if fields[1] == me:
            children.append(int(entry))
    return children


def _end_leftovers():
    """Kills and reaps whatever child processes remain (all started by this case)."""
    deadline = time.monotonic() + 5
    while time.monotonic() < deadline:
        children = _own_children()
        if not children:
            return
        for pid in children:
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        try:
            while os.waitpid(-1, os.WNOHANG)[0] != 0:
                pass
        except ChildProcessError:
            return
        time.sleep(0.05)


def _stop(process, grace=3.0):
    """Ends a child started by this script: SIGTERM, then SIGKILL."""
    if process.poll() is None:
        try:
            process.terminate()
            process.wait(timeout=grace)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait(timeout=grace)
        except ProcessLookupError:
            pass


# --- the X server ------------------------------------------------------------

class XServer:
    """An Xvfb on the first free display number, at 96 DPI."""

    def __init__(self, folder):
        self.log_path = os.path.join(folder, "xvfb.log")
        read_end, write_end = os.pipe()
        with open(self.log_path, "wb") as log:
            self.process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-noreset", "-nolisten", "tcp",
                 "-screen", "0", "1280x1024x24", "-dpi", str(DPI)],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                preexec_fn=_die_with_parent)
        os.close(write_end)
        try:
            number = self._read_display_number(read_end, timeout=20)
        finally:
            os.close(read_end)
        if number is None:
            _stop(self.process)
            with open(self.log_path, errors="replace") as log:
                raise Failure("Xvfb did not report a display number:\n" + log.read())
        self.display = ":" + number

    def _read_display_number(self, fd, timeout):
        data = b""
        deadline = time.monotonic() + timeout
        while not data.endswith(b"\n"):
            remaining = deadline - time.monotonic()
            if remaining <= 0 or self.process.poll() is not None:
                return None
            ready, _, _ = select.select([fd], [], [], remaining)
            if ready:
                chunk = os.read(fd, 64)
                if not chunk:
                    return None
                data += chunk
        return data.decode().strip()

    def stop(self):
        _stop(self.process)


# --- closing a window as a window manager's close box does --------------------

class _XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _XClientMessageEvent), ("pad", ctypes.c_long * 24)]


def _xlib():
    lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    lib.XOpenDisplay.restype = ctypes.c_void_p
    lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    lib.XInternAtom.restype = ctypes.c_ulong
    lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    lib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(_XEvent)]
    lib.XFlush.argtypes = [ctypes.c_void_p]
    lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return lib


def send_close_request(display, window):
    """Sends WM_DELETE_WINDOW, the message a title bar's close box sends."""
    xlib = _xlib()
    connection = xlib.XOpenDisplay(display.encode())
    check(connection, "cannot open display " + display)
    try:
        event = _XEvent()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = window
        event.xclient.message_type = xlib.XInternAtom(connection, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = xlib.XInternAtom(connection, b"WM_DELETE_WINDOW", 0)
        event.xclient.data[1] = 0  # CurrentTime
        check(xlib.XSendEvent(connection, window, 0, 0, ctypes.byref(event)) != 0, "XSendEvent failed")
        xlib.XFlush(connection)
    finally:
        xlib.XCloseDisplay(connection)


# --- one case's world ----------------------------------------------------------

_BROWSER = """#!/bin/sh
# Stands in for the desktop's web browser: records the address it was asked
# to open and the settings file as it was at that moment.
{{
  printf 'url %s\\n' "$*"
  if [ -f "$XDG_CONFIG_HOME/veltara/veltara.conf" ]; then
    sed 's/^/conf /' "$XDG_CONFIG_HOME/veltara/veltara.conf"
  fi
}} >> '{log}'
"""


class Session:
    """An X server, a settings folder, a lock folder and the programs started."""

    def __init__(self, program, name="case", shared=False):
        """shared: the case folder is one other users can reach (see installed_copy)."""
        self.program = program
        base = tempfile.gettempdir()
        if shared and not reachable_by_everyone(base):
            # A private TMPDIR (inside a home folder, say): the copies that
            # other users start must be where they can reach them.
            base = "/tmp"
            check(reachable_by_everyone(base), "neither the temporary folder nor /tmp can be reached by other users")
        self.root = tempfile.mkdtemp(prefix="veltara-xvfb-%s-" % re.sub(r"\W", "_", name), dir=base)
        if shared:
            os.chmod(self.root, 0o755)
        self.config_home = os.path.join(self.root, "config")
        self.runtime_dir = os.path.join(self.root, "runtime")
        self.bin_dir = os.path.join(self.root, "bin")
        self.browser_log = os.path.join(self.root, "browser.log")
        os.mkdir(self.config_home)
        os.mkdir(self.runtime_dir, 0o700)
        os.chmod(self.runtime_dir, 0o700)
        os.mkdir(self.bin_dir)
        # The programs' own temporary files (the toolkit's runtime folder when
        # XDG_RUNTIME_DIR is unset, say) stay in the case folder, which goes
        # with the case; shared by the users of a case, as /tmp is.
        self.tmp_dir = os.path.join(self.root, "tmp")
        os.mkdir(self.tmp_dir)
        os.chmod(self.tmp_dir, 0o1777)
        browser = os.path.join(self.bin_dir, "xdg-open")
        with open(browser, "w") as script:
            script.write(_BROWSER.format(log=self.browser_log))
        os.chmod(browser, 0o755)
        self.processes = []
        self.helpers = []
        try:
            self.server = XServer(self.root)
        except BaseException:
            shutil.rmtree(self.root, ignore_errors=True)
            raise
        self.display = self.server.display
        self.extra_env = {}

    # context management: cleanup on every way out
    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def close(self):
        # SIGTERM first: runuser hands it on to the program it started as
        # another user and waits for it, where SIGKILL would leave that
        # program running on its own until the X server goes, and then end
        # it from its X connection's thread while its leak check runs.
        for process in self.processes:
            _stop(process, grace=5.0)
        # Helpers may have children of their own: let them end those first.
        for process in reversed(self.helpers):
            _stop(process)
        if self.server:
            self.server.stop()
        _end_leftovers()
        shutil.rmtree(self.root, ignore_errors=True)

    def installed_copy(self, pictures, program=None):
        """The program and its 21 pictures copied into the case folder, where
        the program looks for "pu" beside its own file; returns (program, pu).

        Every user can read and run the copy wherever the build lies (a
        checkout in a folder only its owner may enter), as long as the case
        folder is reachable (Session(shared=True))."""
        program = program or self.program
        folder = os.path.join(self.root, "app")
        copied_pictures = os.path.join(folder, "pu")
        os.makedirs(copied_pictures)
        copied = os.path.join(folder, os.path.basename(program))
        shutil.copy2(program, copied)
        for name in PICTURE_NAMES:
            shutil.copy2(os.path.join(pictures, name),
                         os.path.join(copied_pictures, name))
        for path in [folder, copied_pictures, copied]:
            os.chmod(path, 0o755)
        for name in PICTURE_NAMES:
            os.chmod(os.path.join(copied_pictures, name), 0o644)
        return copied, copied_pictures

    @property
    def settings_file(self):
        return os.path.join(self.config_home, "veltara", "veltara.conf")

    @property
    def lock_file(self):
        return os.path.join(self.config_home, "veltara", "veltara.lock")

    def env(self):
        env = {key: value for key, value in os.environ.items()
               if not key.startswith(("QT_", "WAYLAND_", "DBUS_", "AT_SPI_", "XDG_"))}
        env.update({
            "DISPLAY": self.display,
            "QT_QPA_PLATFORM": "xcb",
            "XDG_CONFIG_HOME": self.config_home,
            "XDG_RUNTIME_DIR": self.runtime_dir,
            "PATH": self.bin_dir + os.pathsep + os.environ.get("PATH", "/usr/bin:/bin"),
            # No session bus: without this, D-Bus would autolaunch one per
            # program on the X display, and it would outlive the case.
            "DBUS_SESSION_BUS_ADDRESS": "unix:path=" + os.path.join(self.root, "no-session-bus"),
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
            "TMPDIR": self.tmp_dir,
        })
        env.pop("XAUTHORITY", None)
        env.update(self.extra_env)
        return env

    def write_settings(self, text):
        os.makedirs(os.path.dirname(self.settings_file), exist_ok=True)
        with open(self.settings_file, "w") as store:
            store.write(text)

    def read_setting(self, key="Duration", section="Settings"):
        """The stored text of a key, None when absent (plain INI, as written)."""
        try:
            with open(self.settings_file) as store:
                lines = store.read().splitlines()
        except OSError:
            return None
        current = None
        for line in lines:
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                current = line[1:-1]
            elif current == section and "=" in line:
                name, value = line.split("=", 1)
                if name.strip() == key:
                    return value.strip()
        return None

    def browser_calls(self):
        try:
            with open(self.browser_log) as log:
                return log.read()
        except FileNotFoundError:
            return ""

    # processes
    def start(self, program=None, args=(), env=None, unset=(), prefix=(), split_output=False):
        """Starts a copy of the program; its output goes to a log in the case folder.

        args follow the program; env adds to the case's environment and unset
        takes names out of it; prefix goes before the program (runuser, say).
        With split_output the standard error has a log of its own (err_path)."""
        index = len(self.processes)
        log = open(os.path.join(self.root, "program-%d.log" % index), "wb")
        err = open(os.path.join(self.root, "program-%d.err" % index), "wb") if split_output else log
        environment = self.env()
        environment.update(env or {})
        for name in unset:
            environment.pop(name, None)
        process = subprocess.Popen(list(prefix) + [program or self.program] + list(args), env=environment,
                                   cwd=self.root, stdin=subprocess.DEVNULL, stdout=log, stderr=err,
                                   preexec_fn=_die_with_parent)
        log.close()
        err.close()
        process.log_path = log.name
        process.err_path = err.name
        self.processes.append(process)
        return process

    def start_helper(self, argv, **kwargs):
        process = subprocess.Popen(argv, env=self.env(), cwd=self.root, preexec_fn=_die_with_parent, **kwargs)
        self.helpers.append(process)
        return process

    def output_of(self, process):
        with open(process.log_path, errors="replace") as log:
            return log.read()

    def errors_of(self, process):
        """The standard error of a copy started with split_output."""
        with open(process.err_path, errors="replace") as log:
            return log.read()

    def wait_exit(self, process, timeout):
        """The exit status, or None when the process still runs after timeout."""
        try:
            return process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def expect_exit_zero(self, process, timeout, what):
        status = self.wait_exit(process, timeout)
        check(status is not None, "%s did not end within %g s" % (what, timeout))
        check(status == 0, "%s ended with status %s%s\n%s" % (
            what, status, " (signal %s)" % signal.Signals(-status).name if status < 0 else "",
            self.output_of(process)))

    def expect_alive(self, process, what):
        status = process.poll()
        check(status is None, "%s is no longer running (status %s)\n%s" % (what, status, self.output_of(process)))

    # X tools
    def run(self, *argv, timeout=15, check_status=True):
        result = subprocess.run(argv, env=self.env(), capture_output=True, text=True, timeout=timeout)
        if check_status and result.returncode != 0:
            raise Failure("%s failed (%d): %s" % (" ".join(argv), result.returncode, result.stderr.strip()))
        return result.stdout

    def xdo(self, *args, timeout=15):
        return self.run("xdotool", *args, timeout=timeout)

    def visible_windows(self):
        """Ids of all mapped, viewable windows."""
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", ""], env=self.env(),
                                capture_output=True, text=True, timeout=15)
        return [int(line) for line in result.stdout.split()]

    def window_name(self, window):
        result = subprocess.run(["xdotool", "getwindowname", str(window)], env=self.env(),
                                capture_output=True, text=True, timeout=15)
        return result.stdout.rstrip("\n") if result.returncode == 0 else None

    def window_pid(self, window):
        result = subprocess.run(["xdotool", "getwindowpid", str(window)], env=self.env(),
                                capture_output=True, text=True, timeout=15)
        return int(result.stdout) if result.returncode == 0 and result.stdout.strip() else None

    def window_types(self, window):
        result = subprocess.run(["xprop", "-id", str(window), "_NET_WM_WINDOW_TYPE"], env=self.env(),
                                capture_output=True, text=True, timeout=15)
        return result.stdout

    def windows(self, title=None, pid=None):
        """Visible windows with exactly this title (any title when None) of this process."""
        found = []
        for window in self.visible_windows():
            if title is not None and self.window_name(window) != title:
                continue
            if pid is not None and self.window_pid(window) != pid:
                continue
            found.append(window)
        return found

    def dialogs(self, pid=None):
        """Visible dialog windows (message boxes) as (id, title) pairs."""
        return [(window, self.window_name(window)) for window in self.windows(pid=pid)
                if "_NET_WM_WINDOW_TYPE_DIALOG" in self.window_types(window)]

    def wait_window(self, title, pid=None, timeout=20, process=None):
        """Waits for exactly one visible window with this title; returns its id."""
        def found():
            if process is not None and process.poll() is not None:
                return "ended"
            windows = self.windows(title, pid)
            return windows[0] if len(windows) == 1 else None

        window = poll(found, timeout)
        if window == "ended":
            raise Failure("the program ended (status %s) before a window %r appeared\n%s"
                          % (process.returncode, title, self.output_of(process)))
        check(window, "no window %r appeared within %g s (visible: %r)"
              % (title, timeout, [self.window_name(w) for w in self.visible_windows()]))
        return window

    def geometry(self, window):
        """(x, y, width, height) of a window from xwininfo."""
        info = self.run("xwininfo", "-id", str(window))
        values = {}
        for key, name in (("x", "Absolute upper-left X"), ("y", "Absolute upper-left Y"),
                          ("width", "Width"), ("height", "Height")):
            match = re.search(r"^\s*%s:\s*(-?\d+)" % re.escape(name), info, re.MULTILINE)
            check(match, "xwininfo gave no %s:\n%s" % (name, info))
            values[key] = int(match.group(1))
        return values["x"], values["y"], values["width"], values["height"]

    def focus(self, window):
        self.xdo("windowfocus", "--sync", str(window))

    def keys(self, window, *keys):
        """Gives the window the keyboard focus and presses keys (xdotool names)."""
        self.focus(window)
        self.xdo("key", "--delay", "30", *keys)

    def type_text(self, window, text):
        self.focus(window)
        self.xdo("type", "--delay", "20", text)

    def click(self, window, x, y):
        self.xdo("mousemove", "--window", str(window), str(x), str(y), "click", "1")
        # Park the pointer off the window, so no tooltip opens over it.
        self.xdo("mousemove", "1270", "1010")

    def close_box(self, window):
        send_close_request(self.display, window)

    def screenshot(self, path):
        self.run("import", "-window", "root", path, timeout=30)

    def brightness(self, path, x, y, width, height, statistic="mean"):
        """Mean (or minimum: "minima") brightness 0..1 of a rectangle of a saved screenshot."""
        out = self.run("convert", path, "-crop", "%dx%d+%d+%d" % (width, height, x, y), "+repage",
                       "-colorspace", "Gray", "-format", "%%[fx:%s]" % statistic, "info:")
        return float(out)

    def differing_pixels(self, first, second, rect):
        """How many pixels of a rectangle differ between two screenshots."""
        crop = "%dx%d+%d+%d" % (rect[2], rect[3], rect[0], rect[1])
        result = subprocess.run(["compare", "-metric", "AE", "(", first, "-crop", crop, "+repage", ")",
                                 "(", second, "-crop", crop, "+repage", ")", "null:"],
                                env=self.env(), capture_output=True, text=True, timeout=30)
        check(result.returncode in (0, 1), "compare failed: " + result.stderr)
        return int(float(result.stderr.split()[0]))


# --- pixels of a screenshot ------------------------------------------------------

class Picture:
    """The pixels of a saved screenshot, read once through ImageMagick."""

    def __init__(self, path):
        data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True, check=True,
                              timeout=60).stdout
        fields = []
        position = 0
        while len(fields) < 4:  # magic, width, height, maximum; then one whitespace byte
            while data[position:position + 1].isspace():
                position += 1
            start = position
            while not data[position:position + 1].isspace():
                position += 1
            fields.append(data[start:position])
        check(fields[0] == b"P6" and fields[3] == b"255", "unexpected picture format %r" % fields)
        self.width, self.height = int(fields[1]), int(fields[2])
        self.data = data[position + 1:]

    def pixel(self, x, y):
        offset = 3 * (y * self.width + x)
        return tuple(self.data[offset:offset + 3])

    def pixels(self, rect):
        """The pixels of an (x, y, width, height) rectangle, row by row."""
        x, y, width, height = rect
        return [self.pixel(column, row) for row in range(y, y + height) for column in range(x, x + width)]

    def background(self, rect):
        """The most common colour of a rectangle; shades of a gradient count as one."""
        shades = {}
        for colour in self.pixels(rect):
            shades.setdefault(tuple(channel // 24 for channel in colour), []).append(colour)
        common = max(shades.values(), key=len)
        return tuple(round(sum(channel) / len(common)) for channel in zip(*common))

    def most_distinct(self, rect, background):
        """The pixel of a rectangle that differs most from the background (a text's core)."""
        return max(self.pixels(rect), key=lambda colour: distance(colour, background))


def distance(first, second):
    return max(abs(a - b) for a, b in zip(first, second))


def luminance(colour):
    def linear(channel):
        channel /= 255.0
        return channel / 12.92 if channel <= 0.04045 else ((channel + 0.055) / 1.055) ** 2.4
    red, green, blue = (linear(channel) for channel in colour)
    return 0.2126 * red + 0.7152 * green + 0.0722 * blue


def contrast(first, second):
    """The contrast ratio of two colours, 1 (none) to 21 (black on white)."""
    lighter, darker = sorted((luminance(first), luminance(second)), reverse=True)
    return (lighter + 0.05) / (darker + 0.05)


# --- the main window as the user sees it ----------------------------------------

class MainWindow:
    """The main window of one running copy, addressed by positions of its controls.

    scale is the program's QT_SCALE_FACTOR: screen pixels per layout pixel."""

    def __init__(self, session, process, timeout=20, scale=1):
        self.session = session
        self.process = process
        self.scale = scale
        self.id = session.wait_window(MAIN_TITLE, pid=process.pid, timeout=timeout, process=process)

    def px(self, twips):
        return px(twips) * self.scale

    def size(self):
        return self.session.geometry(self.id)[2:]

    def menu_bar_height(self):
        # The client area below the menu bar keeps its designed height.
        width, height = self.size()
        return height - self.px(self.client_twips()[1])

    def client_twips(self):
        width, _ = self.size()
        middle = (self.px(COMPACT_CLIENT_TWIPS[0]) + self.px(EXPANDED_CLIENT_TWIPS[0])) // 2
        return EXPANDED_CLIENT_TWIPS if width >= middle else COMPACT_CLIENT_TWIPS

    def is_compact(self):
        width, height = self.size()
        return abs(width - self.px(COMPACT_CLIENT_TWIPS[0])) <= 2 and height < self.px(EXPANDED_CLIENT_TWIPS[1])

    def is_expanded(self):
        width, height = self.size()
        return abs(width - self.px(EXPANDED_CLIENT_TWIPS[0])) <= 2 and height > self.px(EXPANDED_CLIENT_TWIPS[1])

    def click_control(self, left, top, width, height):
        """Clicks the middle of a control given by its designed twips rectangle."""
        self.session.click(self.id, self.px(left + width // 2), self.menu_bar_height() + self.px(top + height // 2))

    def click_name_field(self):
        self.click_control(120, 810, 3735, 360)

    def click_clear(self):
        self.click_control(1560, 2280, 975, 375)

    def enter_date_and_calculate(self, day, month, year):
        """From the name field: Tab to day, month and year, type each, Tab to Calculate, Space."""
        s = self.session
        s.keys(self.id, "Tab")
        s.type_text(self.id, day)
        s.keys(self.id, "Tab")
        s.type_text(self.id, month)
        s.keys(self.id, "Tab")
        s.type_text(self.id, year)
        s.keys(self.id, "Tab", "space")

    def calculate(self, name, day, month, year):
        self.click_name_field()
        self.session.type_text(self.id, name)
        self.enter_date_and_calculate(day, month, year)

    def screen_rect(self, left, top, width, height, inset=0):
        """A control's designed twips rectangle on the screen, shrunk by inset pixels."""
        x, y, _, _ = self.session.geometry(self.id)
        x0, y0 = self.px(left), self.px(top)
        x1, y1 = self.px(left + width), self.px(top + height)
        return (x + x0 + inset, y + self.menu_bar_height() + y0 + inset, x1 - x0 - 2 * inset, y1 - y0 - 2 * inset)

    def painted_screenshot(self, path, timeout=30):
        """A screenshot taken once the window has painted its current size.

        After a resize the new part stays black (the root window) until the
        program paints; Qt then flushes the whole window at once, so a bright
        bottom edge (white client area, grey banners) means all of it is drawn."""
        def painted():
            self.session.screenshot(path)
            x, y, width, height = self.session.geometry(self.id)
            return self.session.brightness(path, x, y + height - 20, width, 20) > 0.5

        check(poll(painted, timeout, interval=0.1), "the window was not painted within %g s" % timeout)
        return path

    def shows_text(self, shot, rect):
        """True when the inside of a bordered box holds dark pixels (text)."""
        return self.session.brightness(shot, *self.screen_rect(*rect, inset=3), statistic="minima") < 0.5

    def shows_picture(self, shot, rect):
        """True when a picture box is not blank white (the pictures are dark)."""
        return self.session.brightness(shot, *self.screen_rect(*rect, inset=2)) < 0.85

    def exit_from_menu(self):
        """File, E&xit through the access keys."""
        self.session.keys(self.id, "alt+f", "x")

    def exit_and_expect_status_zero(self, timeout=5):
        self.exit_from_menu()
        self.session.expect_exit_zero(self.process, timeout, "the program after File, Exit")

    def wait_expanded(self, timeout):
        check(poll(lambda: self.process.poll() is not None or self.is_expanded(), timeout),
              "the window did not grow to its expanded size within %g s (size %r)" % (timeout, self.size()))
        self.session.expect_alive(self.process, "the program after Calculate")

    def wait_compact(self, timeout):
        check(poll(lambda: self.process.poll() is not None or self.is_compact(), timeout),
              "the window did not shrink to its compact size within %g s (size %r)" % (timeout, self.size()))
        self.session.expect_alive(self.process, "the program after Clear")


def expect_proceeds(session, process, what):
    """The copy shows its main window and no refusal; returns the window."""
    shown = poll(lambda: process.poll() is not None or session.windows(APP_TITLE, pid=process.pid)
                 or session.windows(MAIN_TITLE, pid=process.pid), 20)
    check(shown, "%s showed no window" % what)
    check(session.windows(APP_TITLE, pid=process.pid) == [], "%s was refused" % what)
    window = MainWindow(session, process)
    session.expect_alive(process, what)
    return window


# --- running a script's cases ------------------------------------------------------

# Set in a case run in a user namespace of its own: the uid outside it.
_NAMESPACE_MARK = "VELTARA_XVFB_NAMESPACE_OF"
_NAMESPACE = ["unshare", "--user", "--map-root-user", "--mount", "--propagation", "private"]


def needs_mounts(function):
    """Marks a case that mounts file systems (or starts a copy in a mount
    namespace of its own). Root runs it as it is; a normal user runs it as
    root of an unprivileged user namespace with a mount namespace of its own,
    where the kernel allows one, and otherwise it is skipped with the reason."""
    function.needs_mounts = True
    return function


def arguments():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True, help="the built program file")
    parser.add_argument("--pictures", required=True, help="the built picture folder")
    parser.add_argument("--out", default=os.getcwd(), help="folder for screenshots")
    parser.add_argument("--helper", help="a helper program some scripts need")
    parser.add_argument("--case", type=int, help=argparse.SUPPRESS)  # one case, in a user namespace
    return parser.parse_args()


_namespace_refusal = []


def _user_namespace_refused():
    """None where an unprivileged user and mount namespace can be made, else why not."""
    if not _namespace_refusal:
        if shutil.which("unshare") is None:
            _namespace_refusal.append("no unshare command")
        else:
            probe = subprocess.run(_NAMESPACE + ["mount", "-t", "tmpfs", "-o", "size=16k", "tmpfs",
                                                 os.path.abspath(tempfile.gettempdir())],
                                   stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=30)
            _namespace_refusal.append(None if probe.returncode == 0 else
                                      "this kernel refuses an unprivileged user namespace with its own mounts: "
                                      + (probe.stderr.strip() or "status %d" % probe.returncode))
    return _namespace_refusal[0]


def _run_in_user_namespace(index):
    """Runs case index of this script as root of a user namespace; its status."""
    refused = _user_namespace_refused()
    if refused:
        raise Skipped("mounting needs root, and " + refused)
    env = dict(os.environ)
    env[_NAMESPACE_MARK] = str(os.geteuid())
    sys.stdout.flush()
    return subprocess.run(_NAMESPACE + [sys.executable] + sys.argv + ["--case", str(index)], env=env,
                          stdin=subprocess.DEVNULL, preexec_fn=_die_with_parent).returncode


def _run_case(name, function):
    """Runs one case in this process; "pass", "skip" or "fail", with its line printed."""
    started = time.monotonic()
    try:
        function()
    except Skipped as reason:
        print("SKIP %s -- %s" % (name, reason))
        return "skip"
    except Exception:  # report every case, then fail the whole test
        print("FAIL %s (%.1f s)" % (name, time.monotonic() - started))
        traceback.print_exc(file=sys.stdout)
        return "fail"
    finally:
        sys.stdout.flush()
    print("PASS %s (%.1f s)%s" % (name, time.monotonic() - started,
                                  " in a user namespace" if os.environ.get(_NAMESPACE_MARK) else ""))
    sys.stdout.flush()
    return "pass"


def run_cases(cases):
    """Runs (name, function) pairs; each gets its own session from the function.

    Returns the exit status for CTest: 0 when every case passed."""
    missing = [tool for tool in _REQUIRED_TOOLS if shutil.which(tool) is None]
    if missing:
        print("SKIP: missing tools: " + ", ".join(missing))
        return SKIP
    chosen = sys.argv.index("--case") if "--case" in sys.argv else None
    if chosen is not None:
        # The one case a normal user's run hands to a user namespace.
        index = int(sys.argv[chosen + 1])
        return {"pass": 0, "skip": SKIP, "fail": 1}[_run_case(*cases[index])]
    failed = []
    skipped = []
    for index, (name, function) in enumerate(cases):
        if getattr(function, "needs_mounts", False) and os.geteuid() != 0:
            try:
                status = _run_in_user_namespace(index)
            except Skipped as reason:
                print("SKIP %s -- %s" % (name, reason))
                status = SKIP
            result = {0: "pass", SKIP: "skip"}.get(status, "fail")
            if result == "fail":
                print("FAIL %s: the case in a user namespace ended with status %d" % (name, status))
        else:
            result = _run_case(name, function)
        {"fail": failed, "skip": skipped}.get(result, []).append(name)
        sys.stdout.flush()
    if failed:
        print("%d of %d cases failed: %s" % (len(failed), len(cases), ", ".join(failed)))
        return 1
    if skipped:
        # The whole test shows as skipped, so a refused facility never passes silently.
        print("%d of %d cases skipped: %s" % (len(skipped), len(cases), ", ".join(skipped)))
        return SKIP
    return 0


# --- small file systems, for a full or read-only settings store -------------------

def mount_tmpfs(path, size="16k", mode="0755"):
    """Mounts a small tmpfs on path; Skipped when mounting is refused."""
    os.makedirs(path, exist_ok=True)
    if shutil.which("mount") is None:
        raise Skipped("no mount command")
    result = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=%s,mode=%s" % (size, mode), "tmpfs", path],
                            capture_output=True, text=True, timeout=15)
    if result.returncode != 0:
        raise Skipped("mount refused: " + result.stderr.strip())


def remount_read_only(path):
    result = subprocess.run(["mount", "-o", "remount,ro", path], capture_output=True, text=True, timeout=15)
    if result.returncode != 0:
        # In a user namespace the file system itself cannot be made
        # read-only; its mount can, which is what the program sees.
        again = subprocess.run(["mount", "-o", "remount,bind,ro", path], capture_output=True, text=True, timeout=15)
        check(again.returncode == 0, "remounting %s read-only failed: %s; %s"
              % (path, result.stderr.strip(), again.stderr.strip()))


def unmount(path):
    # Lazily, as a copy that is still being ended may hold a file open.
    subprocess.run(["umount", "-l", path], capture_output=True, timeout=15)


def fill(folder):
    """Writes into folder until its file system is full."""
    with open(os.path.join(folder, "filler"), "wb", buffering=0) as filler:
        try:
            while True:
                filler.write(b"\0" * 1024)
                filler.flush()
        except OSError:
            pass
