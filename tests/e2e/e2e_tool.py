#!/usr/bin/env python3
"""Helpers for the e2e scripts: read the demo's state dump and the pixels
of a screenshot (binary PPM as written by `import -window root ppm:FILE`).

  e2e_tool.py state FILE KEY          print one value of the JSON dump
  e2e_tool.py check FILE EXPR         exit 0 when EXPR holds (names = keys)
  e2e_tool.py pixel PPM X Y           print the pixel as RRGGBB
  e2e_tool.py size PPM                print WIDTHxHEIGHT
  e2e_tool.py changed PPM1 PPM2 X Y W H
                                      print the share (0..1) of the pixels
                                      of that rectangle that differ
  e2e_tool.py blocks PPM X Y W H      print "SPLIT INKED": of the 2x2 pixel
                                      blocks of that rectangle (from X, Y)
                                      that are not all background (its most
                                      common colour), how many are not of
                                      one colour (a pixel-doubled picture
                                      has none)
"""
import json
import sys


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            while data[pos:pos + 1] not in (b"\n", b""):
                pos += 1
            continue
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    if fields[0] != b"P6":
        raise SystemExit("not a binary PPM: %r" % fields[0])
    width, height, maxval = int(fields[1]), int(fields[2]), int(fields[3])
    if maxval != 255:
        raise SystemExit("unexpected PPM depth %d" % maxval)
    return width, height, data[pos + 1:]


def changed(first, second, x, y, w, h):
    width, height, a = read_ppm(first)
    if read_ppm(second)[:2] != (width, height):
        raise SystemExit("screenshots of different sizes")
    b = read_ppm(second)[2]
    x0, y0 = max(x, 0), max(y, 0)
    x1, y1 = min(x + w, width), min(y + h, height)
    total = max((x1 - x0) * (y1 - y0), 0)
    differ = 0
    for row in range(y0, y1):
        start, end = (row * width + x0) * 3, (row * width + x1) * 3
        ra, rb = a[start:end], b[start:end]
        if ra != rb:
            differ += sum(1 for i in range(0, end - start, 3) if ra[i:i + 3] != rb[i:i + 3])
    print("%.3f" % (differ / total if total else 0.0))
    return 0


def blocks(path, x, y, w, h):
    width, height, pixels = read_ppm(path)

    def at(px, py):
        i = (py * width + px) * 3
        return pixels[i:i + 3]

    cells = []
    counts = {}
    for by in range(max(y, 0), min(y + h, height) - 1, 2):
        for bx in range(max(x, 0), min(x + w, width) - 1, 2):
            cell = [at(bx, by), at(bx + 1, by), at(bx, by + 1), at(bx + 1, by + 1)]
            cells.append(cell)
            for c in cell:
                counts[c] = counts.get(c, 0) + 1
    background = max(counts, key=counts.get) if counts else b""
    inked = [c for c in cells if any(p != background for p in c)]
    split = sum(1 for c in inked if len(set(c)) > 1)
    print("%d %d" % (split, len(inked)))
    return 0


def main(argv):
    if len(argv) < 3:
        raise SystemExit(__doc__)
    command = argv[1]
    if command in ("state", "check"):
        with open(argv[2], encoding="utf-8") as f:
            state = json.load(f)
        if command == "state":
            value = state[argv[3]]
            print(json.dumps(value, ensure_ascii=False) if not isinstance(value, str) else value)
            return 0
        return 0 if eval(argv[3], {}, state) else 1
    if command == "changed":
        return changed(argv[2], argv[3], *map(int, argv[4:8]))
    if command == "blocks":
        return blocks(argv[2], *map(int, argv[3:7]))
    width, height, pixels = read_ppm(argv[2])
    if command == "size":
        print("%dx%d" % (width, height))
        return 0
    if command == "pixel":
        x, y = int(argv[3]), int(argv[4])
        if not (0 <= x < width and 0 <= y < height):
            print("outside")
            return 0
        i = (y * width + x) * 3
        print("%02X%02X%02X" % (pixels[i], pixels[i + 1], pixels[i + 2]))
        return 0
    raise SystemExit("unknown command " + command)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
