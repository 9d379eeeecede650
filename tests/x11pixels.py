#!/usr/bin/env python3
"""Prints a checksum of the pixels of an area of a window, to tell whether
what a window shows there changed; or how many separate patches of one
colour it shows there (a highlighted word is one patch of its background).

  x11pixels.py WINDOW WxH+X+Y
  x11pixels.py WINDOW WxH+X+Y RRGGBB
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


def patches(pixels, image, colour):
    """The number of separate patches of the colour (BGR, 32 bits a pixel) of
    4 pixels square or more: pixels that touch, and the pieces a glyph cuts
    out of one, are one."""
    width, height, line = image.width, image.height, image.bytes_per_line
    inside = {(x, y) for y in range(height) for x in range(width)
              if pixels[y * line + 4 * x:y * line + 4 * x + 3] == colour}
    boxes = []
    while inside:
        todo = [inside.pop()]
        box = [todo[0][0], todo[0][1], todo[0][0], todo[0][1]]
        while todo:
            x, y = todo.pop()
            box = [min(box[0], x), min(box[1], y), max(box[2], x), max(box[3], y)]
            for neighbour in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                if neighbour in inside:
                    inside.remove(neighbour)
                    todo.append(neighbour)
        boxes.append(box)
    # Pieces whose boxes overlap, or lie side by side closer than a blank, make one patch.
    merged = True
    while merged:
        merged = False
        for i in range(len(boxes)):
            for j in range(i + 1, len(boxes)):
                a, b = boxes[i], boxes[j]
                if a[0] <= b[2] + 3 and b[0] <= a[2] + 3 and a[1] <= b[3] + 1 and b[1] <= a[3] + 1:
                    boxes[i] = [min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3])]
                    del boxes[j]
                    merged = True
                    break
            if merged:
                break
    # A lone pixel of the colour at the edge of a glyph is no patch.
    return sum(1 for box in boxes if box[2] - box[0] >= 3 and box[3] - box[1] >= 3)


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
        size = image.contents.bytes_per_line * image.contents.height
        pixels = ctypes.string_at(image.contents.data, size)
        if len(sys.argv) == 4:
            print(patches(pixels, image.contents, bytes.fromhex(sys.argv[3])[::-1]))
        else:
            print(hashlib.md5(pixels).hexdigest())
    finally:
        x.XCloseDisplay(display)


if __name__ == "__main__":
    main()
