#!/usr/bin/env python3
"""Drives a program through its accessibility interface (AT-SPI), where no X
display lets xdotool type and click (Wayland).

  waylanddriver.py PID wait              waits until the program's window shows
  waylanddriver.py PID texts             prints "role: name" of everything shown
  waylanddriver.py PID type LABEL TEXT   types TEXT into the field after LABEL
  waylanddriver.py PID press NAME        presses the button named NAME
  waylanddriver.py PID rows              prints the results table, a row a line,
                                       cells separated by tabs
  waylanddriver.py PID table-size        prints the results table's width and height
  waylanddriver.py PID value NAME        prints the text (a box's: the entry) named NAME
  waylanddriver.py PID pane-line         prints the number of the line of the file
                                       pane's text shown at the pane's middle

PID is the program's process. The session bus of DBUS_SESSION_BUS_ADDRESS
starts the accessibility bus; the program is run with
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
import pyatspi  # noqa: E402

WAIT_SECONDS = 20


def application(pid):
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == pid:
                for window in app:
                    if window.getState().contains(pyatspi.STATE_SHOWING):
                        return app
        time.sleep(0.2)
    sys.exit("no window of process %d" % pid)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def shown(app):
    return [node for node in walk(app) if node.getState().contains(pyatspi.STATE_SHOWING)]


def field_after(app, label):
    """The editable text of the first combo box or field that follows the label."""
    nodes = shown(app)
    for i, node in enumerate(nodes):
        if node.getRole() == pyatspi.ROLE_LABEL and node.name == label:
            for later in nodes[i + 1:]:
                try:
                    later.queryEditableText()
                    return later
                except NotImplementedError:
                    continue
    sys.exit("no field after the label %r" % label)


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    pid, command, args = int(sys.argv[1]), sys.argv[2], sys.argv[3:]
    app = application(pid)
    if command == "wait" and not args:
        return 0
    if command == "texts" and not args:
        for node in shown(app):
            print("%s: %s" % (node.getRoleName(), node.name))
        return 0
    if command == "type" and len(args) == 2:
        field = field_after(app, args[0])
        field.queryEditableText().setTextContents(args[1])
        return 0
    if command == "press" and len(args) == 1:
        for node in shown(app):
            if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and node.name == args[0]:
                node.queryAction().doAction(0)
                return 0
        sys.exit("no button %r" % args[0])
    if command == "table-size" and not args:
        for node in shown(app):
            if node.getRole() == pyatspi.ROLE_TABLE:
                extents = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                print(extents.width, extents.height)
                return 0
        sys.exit("no table")
    if command == "rows" and not args:
        for node in shown(app):
            if node.getRole() == pyatspi.ROLE_TABLE:
                table = node.queryTable()
                for row in range(table.nRows):
                    print("\t".join(table.getAccessibleAt(row, column).name for column in range(table.nColumns)))
                return 0
        sys.exit("no table")
    if command == "value" and len(args) == 1:
        node = next(n for n in shown(app) if n.name == args[0] and n.getRole() != pyatspi.ROLE_LABEL)
        try:
            print(node.queryText().getText(0, -1))
        except NotImplementedError:  # a box: its selected entry
            print("\n".join(i.name for i in walk(node) if i.getState().contains(pyatspi.STATE_SELECTED)))
        return 0
    if command == "pane-line" and not args:
        panes = [node for node in shown(app) if node.getRole() == pyatspi.ROLE_TEXT
                 and not node.getState().contains(pyatspi.STATE_EDITABLE)]
        pane = max(panes, key=lambda node: node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).height)
        box = pane.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        text = pane.queryText()
        offset = text.getOffsetAtPoint(box.x + 20, box.y + box.height // 2, pyatspi.DESKTOP_COORDS)
        print(text.getText(0, offset).count("\n") + 1)
        return 0
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(main())
