#!/usr/bin/env python3
"""Prints a checksum of the pixels of an area of a window, to tell whether
what a window shows there changed; or, given a colour, on how many text
lines it shows that colour (rows with 8 pixels of it side by side, less than
24 rows apart, make one line).

  x11pixels.py WINDOW WxH+X+Y [RRGGBB]
"""
import ctypes
import hashlib
import re
import sys

x = ctypes.CDLL("libX11.so.6")


class XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage, up to the ones read here.
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_char)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XGetImage.restype = ctypes.POINTER(XImage)
x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                        ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
Z_PIXMAP = 2


def main():
    match = re.fullmatch(r"(\d+)x(\d+)\+(\d+)\+(\d+)", sys.argv[2] if len(sys.argv) in (3, 4) else "")
    if not match:
        sys.exit(__doc__)
    width, height, left, top = (int(v) for v in match.groups())
    display = x.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the display")
    try:
        image = x.XGetImage(display, int(sys.argv[1], 0), left, top, width, height, 0xFFFFFFFF, Z_PIXMAP)
        if not image:
            sys.exit("no image of the window")
        line = image.contents.bytes_per_line
        pixels = ctypes.string_at(image.contents.data, line * height)
        if len(sys.argv) == 3:
            print(hashlib.md5(pixels).hexdigest())
            return
        colour = bytes.fromhex(sys.argv[3])[::-1]  # stored blue, green, red
        rows = ["x" * 8 in "".join("x" if pixels[y * line + 4 * x:y * line + 4 * x + 3] == colour else " "
                                   for x in range(width))
                for y in range(height)]
        # Glyphs cut a highlight's rows apart; a highlight two lines down is further.
        print(sum(1 for y in range(height) if rows[y] and not any(rows[max(0, y - 24):y])))
    finally:
        x.XCloseDisplay(display)


if __name__ == "__main__":
    main()
