"""The main window as a screen reader sees it, through the AT-SPI bus.

The case runs its own session bus (with no services to activate) and the
accessibility bus launcher on it, starts the program with Qt's accessibility
always on, and reads the window's accessible tree with pyatspi."""

import sys

from atspi import descendants, frame_titled, start_accessibility_bus
from xsession import MAIN_TITLE, Failure, MainWindow, Session, arguments, check, poll, run_cases

args = arguments()


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
        frame = poll(lambda: frame_titled(pyatspi, program.pid, MAIN_TITLE), 20, interval=0.2)
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
            frame_now = frame_titled(pyatspi, program.pid, MAIN_TITLE)
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
