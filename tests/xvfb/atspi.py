"""Reading a running copy through the AT-SPI bus, as a screen reader does.

A case runs its own session bus (with no services to activate) and the
accessibility bus launcher on it, and starts the program with Qt's
accessibility always on; pyatspi is imported only after
start_accessibility_bus, as it connects to the bus named in the environment."""

import os
import subprocess

from xsession import check, poll

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

SESSION_BUS_CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path={socket}</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
"""


def start_accessibility_bus(session):
    """A private session bus with the AT-SPI bus launcher on it."""
    config = os.path.join(session.root, "session-bus.conf")
    with open(config, "w") as text:
        text.write(SESSION_BUS_CONFIG.format(socket=os.path.join(session.root, "session-bus")))
    log = open(os.path.join(session.root, "buses.log"), "wb")
    daemon = session.start_helper(["dbus-daemon", "--config-file=" + config, "--nofork", "--print-address=1"],
                                  stdout=subprocess.PIPE, stderr=log)
    address = daemon.stdout.readline().decode().strip()
    check(address.startswith("unix:"), "the session bus did not start: %r" % address)
    session.extra_env["DBUS_SESSION_BUS_ADDRESS"] = address

    check(os.access(BUS_LAUNCHER, os.X_OK), BUS_LAUNCHER + " is missing (package at-spi2-core)")
    session.start_helper([BUS_LAUNCHER, "--launch-immediately"], stdout=log, stderr=log)

    def launcher_ready():
        reply = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                                "org.a11y.Bus.GetAddress"], env=session.env(), capture_output=True, text=True,
                               timeout=10)
        return reply.returncode == 0 and "unix:" in reply.stdout

    check(poll(launcher_ready, 20, interval=0.1), "the accessibility bus did not come up:\n"
          + open(log.name, errors="replace").read())
    log.close()
    session.extra_env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    # pyatspi reads these when it is imported.
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
    os.environ["DISPLAY"] = session.display
    os.environ.pop("AT_SPI_BUS_ADDRESS", None)


def descendants(node):
    found = []
    stack = [node]
    while stack:
        current = stack.pop()
        found.append(current)
        for index in range(current.childCount):
            child = current.getChildAtIndex(index)
            if child is not None:
                stack.append(child)
    return found


def frame_titled(pyatspi, pid, title):
    """The top-level window of process pid with this title, or None."""
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        application = desktop.getChildAtIndex(index)
        if application is None or application.get_process_id() != pid:
            continue
        for child in range(application.childCount):
            frame = application.getChildAtIndex(child)
            if frame is not None and frame.name == title:
                return frame
    return None
