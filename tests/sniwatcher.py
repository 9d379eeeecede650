#!/usr/bin/env python3
"""A D-Bus system tray as panels other than GNOME's offer it, and the panel's
side of talking to the tray entries (StatusNotifierItem, com.canonical.dbusmenu).

  sniwatcher.py watch LOGFILE       owns org.kde.StatusNotifierWatcher with a
                                    host registered, and logs "ready", then
                                    "registered SERVICE" and "gone SERVICE"
                                    as entries come and go; runs until killed
  sniwatcher.py menu SERVICE        prints the labels of the entry's menu
  sniwatcher.py activate SERVICE    activates the entry (a click on it)
  sniwatcher.py click SERVICE LABEL clicks the menu item with that label

All on the session bus of DBUS_SESSION_BUS_ADDRESS.
"""
import sys

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

WATCHER = "org.kde.StatusNotifierWatcher"
WATCHER_XML = """
<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
  </interface>
</node>
"""
ITEM_PATH = "/StatusNotifierItem"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
TIMEOUT_MS = 10000


def watch(log_file):
    items = {}  # service -> name watch id
    log = open(log_file, "a", buffering=1)

    def method_call(connection, sender, path, interface, method, parameters, invocation):
        if method == "RegisterStatusNotifierItem":
            service = parameters.unpack()[0]
            if service.startswith("/"):  # an object path: the entry is the sender itself
                service = sender
            if service not in items:
                items[service] = Gio.bus_watch_name_on_connection(
                    connection, service, Gio.BusNameWatcherFlags.NONE, None, vanished)
            log.write("registered %s\n" % service)
            connection.emit_signal(None, "/StatusNotifierWatcher", WATCHER, "StatusNotifierItemRegistered",
                                   GLib.Variant("(s)", (service,)))
        invocation.return_value(None)

    def vanished(connection, service):
        Gio.bus_unwatch_name(items.pop(service))
        log.write("gone %s\n" % service)
        connection.emit_signal(None, "/StatusNotifierWatcher", WATCHER, "StatusNotifierItemUnregistered",
                               GLib.Variant("(s)", (service,)))

    def get_property(connection, sender, path, interface, name):
        if name == "RegisteredStatusNotifierItems":
            return GLib.Variant("as", list(items))
        if name == "IsStatusNotifierHostRegistered":
            return GLib.Variant("b", True)
        return GLib.Variant("i", 0)

    def bus_acquired(connection, name):
        node = Gio.DBusNodeInfo.new_for_xml(WATCHER_XML)
        connection.register_object("/StatusNotifierWatcher", node.interfaces[0], method_call, get_property, None)

    def name_acquired(connection, name):
        log.write("ready\n")

    def name_lost(connection, name):
        sys.exit("lost or could not own %s" % name)

    Gio.bus_own_name(Gio.BusType.SESSION, WATCHER, Gio.BusNameOwnerFlags.NONE, bus_acquired, name_acquired,
                     name_lost)
    GLib.MainLoop().run()


def call(bus, service, path, interface, method, args, reply_type):
    return bus.call_sync(service, path, interface, method, args, GLib.VariantType(reply_type),
                         Gio.DBusCallFlags.NONE, TIMEOUT_MS, None).unpack()


def menu_items(bus, service):
    menu_path = call(bus, service, ITEM_PATH, "org.freedesktop.DBus.Properties", "Get",
                     GLib.Variant("(ss)", (ITEM, "Menu")), "(v)")[0]
    layout = call(bus, service, menu_path, MENU, "GetLayout", GLib.Variant("(iias)", (0, -1, [])),
                  "(u(ia{sv}av))")[1]
    children = layout[2]
    return menu_path, [(child[0], child[1].get("label", "")) for child in children
                       if child[1].get("visible", True) and child[1].get("type", "standard") != "separator"]


def main():
    args = sys.argv[1:]
    if args[:1] == ["watch"] and len(args) == 2:
        return watch(args[1])
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    if args[:1] == ["menu"] and len(args) == 2:
        for _, label in menu_items(bus, args[1])[1]:
            print(label)
        return 0
    if args[:1] == ["activate"] and len(args) == 2:
        call(bus, args[1], ITEM_PATH, ITEM, "Activate", GLib.Variant("(ii)", (0, 0)), "()")
        return 0
    if args[:1] == ["click"] and len(args) == 3:
        menu_path, items = menu_items(bus, args[1])
        ids = [item_id for item_id, label in items if label == args[2]]
        if not ids:
            sys.exit("no menu item %r" % args[2])
        call(bus, args[1], menu_path, MENU, "Event",
             GLib.Variant("(isvu)", (ids[0], "clicked", GLib.Variant("i", 0), 0)), "()")
        return 0
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(main())
