#!/usr/bin/env python3
"""Joins .ico files into one that holds every drawing of each, so the
program's file carries its icon at each size Windows shows it (Explorer and
the taskbar take the nearest, and a 64-pixel drawing reads better shrunk to
48 than a 32-pixel one blown up).

Usage: join_icons.py <out.ico> <in.ico>...
"""
import struct
import sys


def drawings(path):
    with open(path, "rb") as f:
        data = f.read()
    reserved, kind, count = struct.unpack_from("<HHH", data)
    if reserved != 0 or kind != 1 or count == 0:
        raise SystemExit(f"{path} is not an icon file")
    for n in range(count):
        entry = data[6 + 16 * n:6 + 16 * n + 16]
        size, offset = struct.unpack_from("<II", entry, 8)
        if offset + size > len(data):
            raise SystemExit(f"{path}: drawing {n + 1} runs past the end of the file")
        yield entry[:8], data[offset:offset + size]


def main():
    out, sources = sys.argv[1], sys.argv[2:]
    found = [d for path in sources for d in drawings(path)]
    offset = 6 + 16 * len(found)
    header = struct.pack("<HHH", 0, 1, len(found))
    entries, images = b"", b""
    for head, image in found:
        entries += head + struct.pack("<II", len(image), offset + len(images))
        images += image
    with open(out, "wb") as f:
        f.write(header + entries + images)


if __name__ == "__main__":
    main()
