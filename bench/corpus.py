#!/usr/bin/env python3
"""Writes a fixed corpus of calculations for `orbx --batch`: every function on short, long and
random parameters (digits, mixed text, tilde escapes, options, bytes 1 to 255). Running the
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


if __name__ == "__main__":
    main()
