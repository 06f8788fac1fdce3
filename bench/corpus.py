#!/usr/bin/env python3
"""Writes a fixed corpus of calculations for `orbx --batch`: every function on short, long and
random parameters (digits, mixed text, tilde escapes, options, bytes 1 to 255), then the 2D
functions on data of every kind with their settings, and their pictures. Running the
corpus before and after a performance change and comparing the results shows that the change
kept every result byte for byte:

    bench/corpus.py | build/host/orbx --batch > before.txt
    ... change, rebuild ...
    bench/corpus.py | build/host/orbx --batch > after.txt && cmp before.txt after.txt
"""
import pathlib
import random
import re

# The functions in ID order, from the plug-in's function rows, without "Orbx_".
ROWS = pathlib.Path(__file__).resolve().parent.parent / "plugin" / "function_rows.h"
FUNCTIONS = re.findall(r'ROW\(\d+, \w+,[\s\\]*"Orbx_(\w+)\(', ROWS.read_text())
assert len(FUNCTIONS) == 36, FUNCTIONS

FIXED = [
    "", "0", "1", "12", "123", "1234", "12345", "123456", "1234567", "12345678", "123456789012",
    "1234567890123", "12345678901234", "09501101530003", "0425261", "04210000526",
    "400638133393", "400638133393+12", "40063813339312345", "03600029145", "9638507",
    "12345-6789", "0123456709498765432101234567891", "01234567094987654321", "INV-2024/0815 ab Q17",
    "CODE39 PART-1234/X", "40156-123456", "ABC|0", "ABC|", "X|3|1", "X|3", "X||1", "123|2|CX|D",
    "123|2.5|B|C", "~202011234567890123~m14", "~~~~~", "~m05", "12~m02", "~2021710ABC",
    "~212011234", "\\u00CA0109501101530003", "~031abc~197~000", "long", "short", "platform",
    "autoupdate", "x", "0109501101530003310300012315231231",
    "01095011015300031725010110ABC123",
]

CLASSES = {
    "digits": "0123456789",
    "mixed": "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 -./$+%:~|",
    "escapes": "0123456789~m|",
}


def escape(text):
    out = []
    for ch in text:
        code = ord(ch)
        if ch == "\\":
            out.append("\\\\")
        elif code < 32 or code > 126:
            out.append("\\u%04X" % code)
        else:
            out.append(ch)
    return "".join(out)


def main():
    rng = random.Random(11)
    params = list(FIXED)
    for length in (16, 127, 128, 511, 512, 513, 2047, 2048, 2049):
        params.append(("1234567890" * 205)[:length])
        params.append(("INV-2024/0815 ab Q17" * 103)[:length])
    for _ in range(40):
        for alphabet in CLASSES.values():
            n = rng.choice([1, 2, 3, 5, 8, 13, 20, 31, 64, 200, 600])
            params.append("".join(rng.choice(alphabet) for _ in range(n)))
        n = rng.choice([1, 4, 9, 30, 100, 700])
        params.append("".join(chr(rng.randint(1, 255)) for _ in range(n)))
    for name in FUNCTIONS:
        for p in params:
            print("%s\t%s" % (name, escape(p)))
    matrix_lines(random.Random(38))


# The 2D functions, after the lines above (which stay as they are): their data is Unicode text,
# with its settings as a second parameter.
MATRIX = re.findall(r'MATRIX\(\d+, \w+, "Orbx_(\w+)\(', ROWS.read_text())
assert MATRIX == ["QRCode", "DataMatrix", "PDF417"], MATRIX

MATRIX_DATA = [
    "", "A", "HELLO", "Hello, world!", "01234567", "https://example.org/item?id=1234567890",
    "(01)09501101530003(17)140704(10)AB-123", "(01)09501101530003(10)AB%1(21)12",
    "Gr\u00fc\u00dfe aus K\u00f6ln \u20ac 12,50", "\U0001F600 smile", "\u4e2d\u6587",
    "Line 1\r\nLine\t2", "|~202|1", "\ud800 lone", "\x00\x01\xff",
]
MATRIX_SETTINGS = {
    "QRCode": ["", "ecc=L", "ecc=Q; version=7", "ECC = h", "version=40", "gs1=on",
               "ecc=X", "version=41", "dpi=600; module=0.5mm", "version=1"],
    "DataMatrix": ["", "size=square", "size=rectangle", "size=16x48", "size=144x144", "gs1=on",
                   "size=7x7", "size=10x10", "size=18x8", "ecc=H"],
    "PDF417": ["", "ecc=0", "ecc=8", "columns=1", "columns=30; ecc=4", "ecc=auto; columns=auto",
               "ecc=9", "columns=0", "gs1=on", "columns=2; ecc=6"],
}


def escape_units(text):
    """The batch escapes of a text's UTF-16 units (a character beyond U+FFFF is two)."""
    units = text.encode("utf-16-le", "surrogatepass")
    out = []
    for i in range(0, len(units), 2):
        code = units[i] | units[i + 1] << 8
        if code == 0x5C:
            out.append("\\\\")
        elif code < 32 or code > 126:
            out.append("\\u%04X" % code)
        else:
            out.append(chr(code))
    return "".join(out)


def matrix_lines(rng):
    foreign = "\u00e9\u00df\u20ac\u4e2d\u0416\U0001F600"
    data = list(MATRIX_DATA)
    for n in (1, 10, 100, 1000, 2000):
        data.append("".join(rng.choice("0123456789") for _ in range(n)))
        data.append("".join(chr(rng.randint(32, 126)) for _ in range(n)))
        data.append("".join(chr(rng.randint(1, 255)) for _ in range(n)))
        data.append("".join(rng.choice(foreign) if rng.random() < 0.3 else
                            chr(rng.randint(32, 126)) for _ in range(n // 2 + 1)))
    for name in MATRIX:
        for d in data:
            print("%s\t%s" % (name, escape_units(d)))
        for d in data[:8]:
            for settings in MATRIX_SETTINGS[name]:
                print("%s\t%s\t%s" % (name, escape_units(d), escape_units(settings)))
        print("%s\t%s" % (name, "1" * 8193))
    # Their pictures: the container of each, its streams and their sizes.
    for name in MATRIX:
        for settings in ("", "format=pdf", "dpi=600; quiet=off", "ecc=X"):
            print("Image\t%s\t%s\t%s" % (name, escape_units(MATRIX_DATA[5]), settings))


if __name__ == "__main__":
    main()
