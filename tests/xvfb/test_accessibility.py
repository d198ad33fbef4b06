"""The main window as a screen reader sees it, through the AT-SPI bus.

The case runs its own session bus (with no services to activate) and the
accessibility bus launcher on it, starts the program with Qt's accessibility
always on, and reads the window's accessible tree with pyatspi."""

import os
import subprocess
import sys

from xsession import MAIN_TITLE, Failure, MainWindow, Session, arguments, check, poll, run_cases

args = arguments()

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


def main_frame(pyatspi, pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        application = desktop.getChildAtIndex(index)
        if application is None or application.get_process_id() != pid:
            continue
        for child in range(application.childCount):
            frame = application.getChildAtIndex(child)
            if frame is not None and frame.name == MAIN_TITLE:
                return frame
    return None


def named(nodes, name, roles=None):
    return [node for node in nodes if node.name == name and (roles is None or node.getRole() in roles)]


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def tree_as_text(nodes):
    return "\n".join("%s %r %r" % (node.getRoleName(), node.name, node.description) for node in nodes
                     if node.getRoleName() != "list item")


def main_window_tree():
    with Session(args.program, "accessibility") as session:
        start_accessibility_bus(session)
        import pyatspi  # only now: it connects to the bus named in the environment

        program = session.start()
        window = MainWindow(session, program)
        frame = poll(lambda: main_frame(pyatspi, program.pid), 20, interval=0.2)
        check(frame, "the program's window is not on the accessibility bus:\n%s" % session.output_of(program))
        nodes = descendants(frame)
        tree = tree_as_text(nodes)
        texts = (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY)

        name_fields = named(nodes, "Your Full Name", texts)
        check(len(name_fields) == 1, "no single text field 'Your Full Name':\n" + tree)
        name_field = name_fields[0]
        check(name_field.description == "Enter letters and spaces only.",
              "the name field's description is %r" % name_field.description)
        name_states = name_field.getState()
        check(name_states.contains(pyatspi.STATE_EDITABLE) and not name_states.contains(pyatspi.STATE_READ_ONLY),
              "the name field is not editable")

        for name in ("Day", "Month", "Year"):
            check(len(named(nodes, name, (pyatspi.ROLE_COMBO_BOX,))) == 1, "no combo box %r:\n%s" % (name, tree))
        for name in ("Name Number", "Birth Number"):
            boxes = named(nodes, name, texts)
            check(len(boxes) == 1, "no number box %r:\n%s" % (name, tree))
            check(boxes[0].getState().contains(pyatspi.STATE_READ_ONLY), "the %r box is not read-only" % name)
            check(text_of(boxes[0]) == "", "the %r box is not empty at start-up" % name)
        for name in ("Planet picture", "Zodiac picture"):
            check(len(named(nodes, name)) == 1, "no picture %r:\n%s" % (name, tree))

        window.calculate("Ann", "05", "January", "1980")
        window.wait_expanded(10)

        def reading():
            """(whether the reading is shown, the two numbers, the tree as text)"""
            frame_now = main_frame(pyatspi, program.pid)
            nodes_now = descendants(frame_now) if frame_now is not None else []
            numbers = {}
            for name in ("Name Number", "Birth Number"):
                boxes = named(nodes_now, name, texts)
                numbers[name] = text_of(boxes[0]) if len(boxes) == 1 else None
            labels = [len(named(nodes_now, name, (pyatspi.ROLE_LABEL,))) for name in ("Moon", "Capricorn")]
            shown = numbers == {"Name Number": "2", "Birth Number": "6"} and labels == [1, 1]
            return shown, numbers, tree_as_text(nodes_now)

        if not poll(lambda: reading()[0], 10, interval=0.2):
            _, numbers, tree = reading()
            raise Failure("after Calculate expected name number 2, birth number 6 and the labels 'Moon' and "
                          "'Capricorn'; numbers %r, tree:\n%s" % (numbers, tree))
        session.expect_alive(program, "the program after Calculate")
        window.exit_and_expect_status_zero()


sys.exit(run_cases([
    ("main window tree: names, description, reading of Ann 05 January 1980", main_window_tree),
]))
