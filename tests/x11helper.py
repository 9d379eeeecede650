#!/usr/bin/env python3
"""Small X11 requests the shell tests need and no installed tool makes.

  x11helper.py close WINDOW   asks the window to close, as a window manager's
                              close button does (WM_DELETE_WINDOW)
  x11helper.py tray-ready     exits 0 when a system tray host owns the tray
                              selection of screen 0, else 1
"""
import ctypes
import sys

x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XGetSelectionOwner.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XFlush.argtypes = [ctypes.c_void_p]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]

CLIENT_MESSAGE = 33


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]  # the size of XEvent


def close(display, window):
    event = Event()
    event.xclient.type = CLIENT_MESSAGE
    event.xclient.window = window
    event.xclient.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    x.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    x.XFlush(display)
    return 0


def tray_ready(display):
    selection = x.XInternAtom(display, b"_NET_SYSTEM_TRAY_S0", 0)
    return 0 if x.XGetSelectionOwner(display, selection) else 1


def main():
    display = x.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the display")
    try:
        if sys.argv[1:2] == ["close"] and len(sys.argv) == 3:
            return close(display, int(sys.argv[2], 0))
        if sys.argv[1:] == ["tray-ready"]:
            return tray_ready(display)
        sys.exit(__doc__)
    finally:
        x.XCloseDisplay(display)


if __name__ == "__main__":
    sys.exit(main())
