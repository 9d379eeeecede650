#!/usr/bin/python3
"""What a screen reader learns of the program, read over AT-SPI.

Run with the system's python3 (it needs pyatspi), on the session bus and
display of the program under test.

  atspihelper.py unnamed            lists the shown, focusable controls of the
                                    window that have no name; exits 1 if any
  atspihelper.py focus WINDOW N     presses Tab N times in the window and
                                    prints each control that gets the focus,
                                    as "role: name", in order
  atspihelper.py tab-to WINDOW C   presses Tab in the window until the control
                                    C ("role: name") has the focus
  atspihelper.py labels             prints "label -> role: name" for each
                                    control that names its label
  atspihelper.py descriptions       prints "role: name = description" for
                                    each shown control with a description
  atspihelper.py extents C          prints the screen rectangle "x y w h" of
                                    the control C ("role: name")
  atspihelper.py cell ROW COLUMN    prints the screen centre "x y" of a cell
                                    of the window's table, once it exists
  atspihelper.py watch-status FILE  appends each new name of the window's
                                    status bar to FILE, one a line, until killed
  atspihelper.py probe SECONDS      asks the window for its place every 100 ms
                                    for that long; prints the longest wait in ms
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

APP = "Lintra"
# Parts of a control that are not controls of their own: the lists behind
# combo boxes, their entries, and the cells and headers of tables.
PARTS = {"list", "list item", "table cell", "table column header", "table row header", "scroll bar", "filler",
         "panel"}


def application(seconds=20):
    for _ in range(seconds * 10):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == APP:
                return app
        time.sleep(0.1)
    sys.exit("the program is not on the accessibility bus")


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        yield child
        if child.getRoleName() not in ("list", "table"):
            yield from descendants(child)


def describe(node):
    return "%s: %s" % (node.getRoleName(), node.name)


def unnamed():
    missing = []
    for node in descendants(application()):
        state = node.getState()
        if node.getRoleName() in PARTS or not state.contains(pyatspi.STATE_SHOWING):
            continue
        if state.contains(pyatspi.STATE_FOCUSABLE) and not node.name.strip():
            missing.append(describe(node))
    for line in missing:
        print(line)
    return 1 if missing else 0


def labels():
    for node in descendants(application()):
        for relation in node.getRelationSet():
            if relation.getRelationType() != pyatspi.RELATION_LABELLED_BY:
                continue
            for i in range(relation.getNTargets()):
                print("%s -> %s" % (relation.getTarget(i).name, describe(node)))
    return 0


def descriptions():
    for node in descendants(application()):
        if node.description and node.getState().contains(pyatspi.STATE_SHOWING):
            print("%s = %s" % (describe(node), node.description.replace("\n", " ")))
    return 0


def extents(wanted):
    for node in descendants(application()):
        if describe(node) == wanted:
            box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            print(box.x, box.y, box.width, box.height)
            return 0
    sys.exit("no " + wanted)


def focus(window, presses):
    """Presses Tab once the focus has moved after the last press (or after a
    while: Tab also moves between the links inside a text), so that a slow
    program loses no step."""
    application()
    seen = []
    clock = {"event": time.monotonic(), "press": 0.0, "left": presses, "moved": True}

    def on_focus(event):
        if event.detail1 and event.host_application.name == APP:
            clock["event"] = time.monotonic()
            clock["moved"] = True
            text = describe(event.source)
            if not seen or seen[-1] != text:
                seen.append(text)

    def tick():
        now = time.monotonic()
        if clock["left"] and (clock["moved"] or now - clock["press"] > 2):
            subprocess.run(["xdotool", "key", "Tab"], check=True)
            clock.update(press=now, moved=False, left=clock["left"] - 1)
        elif not clock["left"] and now - max(clock["press"], clock["event"]) > 2:
            pyatspi.Registry.stop()
            return False
        return True

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    subprocess.run(["xdotool", "windowfocus", window], check=True)
    GLib.timeout_add(500, lambda: GLib.timeout_add(100, tick) and False)
    pyatspi.Registry.start()
    for text in seen:
        print(text)
    return 0


def tab_to(window, wanted):
    application()
    subprocess.run(["xdotool", "windowfocus", window], check=True)
    for _ in range(40):
        for node in descendants(application()):
            state = node.getState()
            if state.contains(pyatspi.STATE_FOCUSED) and describe(node) == wanted:
                return 0
        subprocess.run(["xdotool", "key", "Tab"], check=True)
        time.sleep(0.3)
    sys.exit("Tab never reached " + wanted)


def cell(row, column):
    for _ in range(200):
        for node in descendants(application()):
            if node.getRoleName() == "table":
                table = node.queryTable()
                if table.nRows > row:
                    extents = table.getAccessibleAt(row, column).queryComponent().getExtents(
                        pyatspi.DESKTOP_COORDS)
                    print(extents.x + extents.width // 2, extents.y + extents.height // 2)
                    return 0
        time.sleep(0.1)
    sys.exit("no row %d in the results table" % row)


def watch_status(path):
    application()

    def on_name(event):
        if event.host_application.name == APP and event.source.getRoleName() == "status bar":
            with open(path, "a", encoding="utf-8") as out:
                out.write(event.source.name + "\n")

    pyatspi.Registry.registerEventListener(on_name, "object:property-change:accessible-name")
    # Tells the test it listens.
    with open(path, "a", encoding="utf-8"):
        pass
    pyatspi.Registry.start()
    return 0


def probe(seconds):
    """Each question goes to the program's window thread (the extents are
    never cached), so a window that does not answer shows as a long wait."""
    window = application().getChildAtIndex(0)
    longest = 0.0
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        asked = time.monotonic()
        window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        longest = max(longest, time.monotonic() - asked)
        time.sleep(0.1)
    print(int(longest * 1000))
    return 0


def main():
    args = sys.argv[1:]
    if args == ["unnamed"]:
        return unnamed()
    if args == ["labels"]:
        return labels()
    if args == ["descriptions"]:
        return descriptions()
    if len(args) == 2 and args[0] == "extents":
        return extents(args[1])
    if len(args) == 3 and args[0] == "focus":
        return focus(args[1], int(args[2]))
    if len(args) == 3 and args[0] == "tab-to":
        return tab_to(args[1], args[2])
    if len(args) == 3 and args[0] == "cell":
        return cell(int(args[1]), int(args[2]))
    if len(args) == 2 and args[0] == "probe":
        return probe(float(args[1]))
    if len(args) == 2 and args[0] == "watch-status":
        return watch_status(args[1])
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(main())
