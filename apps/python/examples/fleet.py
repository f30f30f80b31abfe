"""A host's fleet on the map: 1,000 vehicles as map items with labels and
symbols (a 24-bit marker and a 40 x 20 picture-with-mask strip, written here
as bitmap files), then moved, turned and partly deleted, and the map written
as a PNG file.

    PYTHONPATH=build/python python3 apps/python/examples/fleet.py fleet.png [TREE]
"""
import os
import struct
import sys
import tempfile

import quelmar

COUNT = 1000
RED = (200, 30, 40)      # the marker's colour
BLUE = (20, 60, 200)     # the strip's picture colour


def bmp24(path, width, height, colour_at):
    """A 24-bit bitmap file, rows bottom first, blue green red."""
    stride = (width * 3 + 3) & ~3
    rows = bytearray()
    for row in range(height):
        y = height - 1 - row
        line = bytearray()
        for x in range(width):
            r, g, b = colour_at(x, y)
            line += bytes((b, g, r))
        rows += line + bytes(stride - len(line))
    header = b"BM" + struct.pack("<IHHI", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + rows)


def write_symbols(folder):
    """An arrow-like marker (white, its bottom-left colour, is transparent) and
    a strip whose right half masks a disc of its left half."""
    marker = os.path.join(folder, "marker.bmp")
    bmp24(marker, 15, 15, lambda x, y: RED if abs(x - 7) <= y // 2 and y < 14 else (255, 255, 255))
    strip = os.path.join(folder, "strip.bmp")
    bmp24(strip, 40, 20, lambda x, y: BLUE if x < 20 else
          ((0, 0, 0) if (x - 30) ** 2 + (y - 10) ** 2 < 64 else (255, 255, 255)))
    return marker, strip


def place(m, i, step=0):
    """Vehicle i's position on a grid over Chicago, moved east by step."""
    lon = -87.99 + 0.68 * (i % 40) / 40 + 0.004 * step
    lat = 41.68 + 0.46 * (i // 40) / (COUNT // 40)
    m.SetItem(i, lon, lat)


def run(path, tree=None, width=1024, height=768):
    m = quelmar.Tarvo(width=width, height=height, data=tree)
    m.ZoomWindow(-88.0, 42.15, -87.3, 41.65)
    with tempfile.TemporaryDirectory() as folder:
        marker, strip = write_symbols(folder)
        for i in range(1, COUNT + 1):
            place(m, i)
            m.SetItemLocalBitmap(i, marker if i % 2 else strip)
            m.SetItemString(i, str(i))
    m.Refresh()
    for i in range(1, COUNT + 1):
        place(m, i, step=1)
        if i % 3 == 0:
            m.SetItemAngle(i, (i * 10) % 360)
    m.Redirty()
    m.DeleteItemRange(901, 1000)
    m.DeleteItem(1)
    m.Refresh()
    m.render_png(path)
    return m


if __name__ == "__main__":
    run(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else None)
