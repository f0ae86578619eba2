#!/usr/bin/python3
"""Drives the real program through the accessibility bus (AT-SPI), where no X server lets
xdotool find windows and click: on Wayland, a client cannot see the others' windows.

    atspi_control.py size                 prints the main window's size, WIDTHxHEIGHT
    atspi_control.py press NAME           presses the push button whose accessible name is NAME
    atspi_control.py answer TEXT SECONDS  waits for a message box whose text begins with TEXT
                                          and presses its OK button; prints the message

Each command waits up to 20 s (SECONDS for answer) for the program "Мирельта" to appear on the
bus and for what it looks for; it ends 1 with the reason when it is not found.
"""

import sys
import time

import pyatspi

PROGRAM = "Мирельта"


def fail(message):
    print(message, file=sys.stderr)
    sys.exit(1)


def waiting(seconds, look):
    """Calls look() every 0.1 s until it returns something, for at most SECONDS."""
    deadline = time.monotonic() + seconds
    while True:
        found = look()
        if found is not None:
            return found
        if time.monotonic() > deadline:
            return None
        time.sleep(0.1)


def program():
    for application in pyatspi.Registry.getDesktop(0):
        if application is not None and application.name == PROGRAM:
            return application
    return None


def descendants(node, depth=0):
    # The program's widget tree is a few levels deep; the bound keeps a broken tree from looping.
    if node is None or depth > 12:
        return
    yield node
    for child in node:
        yield from descendants(child, depth + 1)


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:  # a widget that went away while the tree was read
        return False


def find(predicate, seconds=20):
    def look():
        application = program()
        if application is None:
            return None
        for node in descendants(application):
            try:
                if predicate(node):
                    return node
            except Exception:  # the tree changes under the reader when a window is rebuilt
                continue
        return None

    return waiting(seconds, look)


def press(node, what):
    action = node.queryAction()
    for index in range(action.nActions):
        if action.getName(index) == "Press":
            action.doAction(index)
            return
    fail(f"{what} has no press action")


def main_window():
    # The main window is the program's frame that holds the "Старт" button.
    start = find(lambda n: n.getRoleName() == "push button" and n.name == "Старт")
    if start is None:
        fail(f"no push button \"Старт\" in {PROGRAM} on the accessibility bus")
    node = start
    while node.parent is not None and node.parent.getRoleName() != "application":
        node = node.parent
    return node


def command_size():
    window = main_window()
    extents = window.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    print(f"{extents.width}x{extents.height}")


def command_press(name):
    button = find(lambda n: n.getRoleName() == "push button" and n.name == name and showing(n))
    if button is None:
        fail(f"no push button \"{name}\" showing in {PROGRAM}")
    press(button, f"the button \"{name}\"")


def command_answer(text, seconds):
    def is_message(node):
        if node.getRoleName() not in ("dialog", "alert") or not showing(node):
            return False
        return any(n.getRoleName() == "label" and n.name.startswith(text) for n in descendants(node))

    box = find(is_message, seconds)
    if box is None:
        fail(f"no message \"{text}…\" within {seconds} s")
    label = next(n for n in descendants(box) if n.getRoleName() == "label" and n.name.startswith(text))
    button = next((n for n in descendants(box) if n.getRoleName() == "push button"), None)
    if button is None:
        fail("the message box has no button")
    print(label.name.replace("\n", " "))
    press(button, "the message box's button")


def main(arguments):
    if arguments[:1] == ["size"] and len(arguments) == 1:
        command_size()
    elif arguments[:1] == ["press"] and len(arguments) == 2:
        command_press(arguments[1])
    elif arguments[:1] == ["answer"] and len(arguments) == 3:
        command_answer(arguments[1], float(arguments[2]))
    else:
        fail(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
