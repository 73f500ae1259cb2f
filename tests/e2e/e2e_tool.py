#!/usr/bin/env python3
"""Helpers for the e2e scripts: read the demo's state dump and the pixels
of a screenshot (binary PPM as written by `import -window root ppm:FILE`).

  e2e_tool.py state FILE KEY          print one value of the JSON dump
  e2e_tool.py check FILE EXPR         exit 0 when EXPR holds (names = keys)
  e2e_tool.py pixel PPM X Y           print the pixel as RRGGBB
  e2e_tool.py size PPM                print WIDTHxHEIGHT
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
