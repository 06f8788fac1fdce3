#!/usr/bin/env python3
"""Decodes the pictures' PNG files with Pillow, an independent PNG reader: each must be a
one-bit image; it is written beside itself as an 8-bit PGM (0 dark, 255 light) for the test to
read, and one line "PATH WIDTH HEIGHT DPI" is printed for it.

    decode_pictures.py FILE.png...
"""
import pathlib
import sys

from PIL import Image


def main(paths):
    for path in paths:
        with Image.open(path) as image:
            image.load()
            if image.mode != "1":
                sys.exit(f"{path}: mode {image.mode}, not one bit a pixel")
            dpi = image.info.get("dpi", (0, 0))[0]
            grey = image.convert("L")
        with open(pathlib.Path(path).with_suffix(".pgm"), "wb") as out:
            out.write(b"P5\n%d %d\n255\n" % grey.size)
            out.write(grey.tobytes())
        print(path, grey.size[0], grey.size[1], round(dpi))


if __name__ == "__main__":
    main(sys.argv[1:])
