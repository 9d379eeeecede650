#!/usr/bin/python3
"""Drives a search of the real program over AT-SPI and measures, from
outside, how long the window takes to answer.

  searchprobe.py PID search DIR KEYWORDS [BUTTON]
                                           types both and presses Full Text Search
                                           (or BUTTON)
  searchprobe.py PID probe SECONDS         asks the window for its status text
                                           every 100 ms for SECONDS; prints the
                                           longest wait for an answer (ms)
  searchprobe.py PID cancel                presses Cancel; prints the ms until
                                           a new summary is shown
  searchprobe.py PID summary SECONDS [OLD] waits for a summary (other than OLD)
                                           and prints it
  searchprobe.py PID unread                prints the text beside the summary
  searchprobe.py PID hold NAME             holds the mouse button down on the
                                           button NAME (xdotool mouseup 1 clicks)

Run with the system's python3 (pyatspi), on the program's session bus with
the accessibility bus started.
"""
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

SUMMARY = re.compile(r"^(\d+ of the \d+ searched files|The search was cancelled at file)")


def application(pid):
    for _ in range(200):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == pid:
                return app
        time.sleep(0.1)
    sys.exit("no process %d on the accessibility bus" % pid)


def walk(node):
    """The controls, without the rows of tables and lists (many, and slow to ask)."""
    yield node
    if node.getRoleName() in ("table", "list"):
        return
    for child in node:
        if child is not None:
            yield from walk(child)


def find(app, role, name=None):
    for node in walk(app):
        if node.getRoleName() == role and (name is None or node.name == name):
            return node
    sys.exit("no %s %s" % (role, name or ""))


def text(node):
    node.clearCache()
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:
        return node.name


def ask(node):
    """One call the window's thread must answer (never from a cache)."""
    node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


def status(app):
    return find(app, "status bar")


def set_field(app, label, value):
    nodes = list(walk(app))
    for i, node in enumerate(nodes):
        if node.getRoleName() == "label" and node.name == label:
            for later in nodes[i + 1:]:
                try:
                    later.queryEditableText().setTextContents(value)
                    return
                except NotImplementedError:
                    continue
    sys.exit("no field " + label)


def press(app, name):
    find(app, "push button", name).queryAction().doAction(0)


def hold(app, name):
    """As a user clicks (the accessible action animates a click of 100 ms): the
    pointer on the button, pressed; the caller releases it."""
    box = find(app, "push button", name).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2)],
                   check=True)
    subprocess.run(["xdotool", "mousedown", "1"], check=True)


def probe(node, seconds):
    """The longest time the window left the probe without an answer; after a
    time-out the bus gives up on later calls sooner, so a stall lasts until
    the next answer."""
    longest = 0.0
    unanswered = None
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        start = time.monotonic()
        try:
            ask(node)
            unanswered = None
        except (GLib.GError, NotImplementedError):  # no answer: no interface either
            unanswered = unanswered or start
        longest = max(longest, time.monotonic() - (unanswered or start))
        time.sleep(0.1)
    return "%.1f" % (longest * 1000)


def main():
    pid, command, args = int(sys.argv[1]), sys.argv[2], sys.argv[3:]
    app = application(pid)
    if command == "search":
        set_field(app, "Directory", args[0])
        set_field(app, "Keyword(s)", args[1])
        press(app, args[2] if len(args) > 2 else "Full Text Search")
    elif command == "probe":
        print(probe(status(app), float(args[0])))
    elif command == "cancel":
        line = status(app)
        hold(app, "Cancel the Search")
        before = text(line)
        start = time.monotonic()
        subprocess.run(["xdotool", "mouseup", "1"], check=True)
        pressed = time.monotonic() - start
        while time.monotonic() - start < 30:
            shown = text(line)
            if shown != before and SUMMARY.match(shown):
                break
            time.sleep(0.002)
        print("%.1f" % ((time.monotonic() - start) * 1000), "(the release itself %.1f)" % (pressed * 1000))
    elif command == "summary":
        line = status(app)
        end = time.monotonic() + float(args[0])
        while time.monotonic() < end:
            shown = text(line)
            if SUMMARY.match(shown) and shown not in args[1:]:
                print(shown)
                return 0
            time.sleep(0.05)
        print(text(line))
        return 1
    elif command == "unread":
        for node in walk(app):
            if node.getRoleName() == "label" and "could not be read" in text(node):
                print(text(node))
        return 0
    elif command == "hold":
        hold(app, args[0])
    return 0


if __name__ == "__main__":
    sys.exit(main())
