#!/usr/bin/python3
"""A stand-in desktop file manager on the session bus: it offers
org.freedesktop.FileManager1 and appends each request it gets to a file,
one JSON object a line ({"method": ..., "uris": [...], "startup_id": ...}),
and does nothing else. With --refuse it answers every request with an
error, as a file manager that cannot show the file does.

  filemanager1.py [--refuse] RECORD
"""
import json
import os
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.FileManager1"


class FileManager(dbus.service.Object):
    def __init__(self, bus, record, refuse):
        super().__init__(bus, "/org/freedesktop/FileManager1")
        self.record = record
        self.refuse = refuse

    def note(self, method, uris, startup_id):
        with open(self.record, "a", encoding="utf-8") as out:
            out.write(json.dumps({"method": method, "uris": [str(u) for u in uris],
                                  "startup_id": str(startup_id)}) + "\n")
        if self.refuse:
            raise dbus.exceptions.DBusException("cannot show the items", name="org.freedesktop.DBus.Error.Failed")

    @dbus.service.method(NAME, in_signature="ass")
    def ShowFolders(self, uris, startup_id):
        self.note("ShowFolders", uris, startup_id)

    @dbus.service.method(NAME, in_signature="ass")
    def ShowItems(self, uris, startup_id):
        self.note("ShowItems", uris, startup_id)

    @dbus.service.method(NAME, in_signature="ass")
    def ShowItemProperties(self, uris, startup_id):
        self.note("ShowItemProperties", uris, startup_id)


def main():
    refuse = sys.argv[1:2] == ["--refuse"]
    record = sys.argv[-1]
    with open(record + ".pid", "w") as out:
        out.write("%d\n" % os.getpid())
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    service = FileManager(bus, record, refuse)
    name = dbus.service.BusName(NAME, bus, do_not_queue=True)
    loop = GLib.MainLoop()
    # Ends with the test's bus.
    bus.call_on_disconnection(lambda connection: loop.quit())
    bus.set_exit_on_disconnect(False)
    loop.run()
    del service, name


if __name__ == "__main__":
    main()
