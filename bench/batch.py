#!/usr/bin/env python3
"""Whole-process throughput of `orbx --batch` against `zint --batch -i - --dump` on the same data:
for Code 128, EAN-13, DataBar and Intelligent Mail, LINES typical parameters each (the same
numbers and texts for both programs, in the form each expects), every program run three times
in turn, the best run counted. Prints lines per second of CPU time (user + system, which a busy
neighbour disturbs least) and of wall-clock time, and orbx/zint: orbx's lines per second over
zint's (3 means orbx handles three times as many lines per second).

    bench/batch.py ORBX [LINES]
"""
import os
import random
import subprocess
import sys
import tempfile
import time

CODE128_CHARS = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 -/."


def gtin14(rng):
    body = [rng.randrange(10) for _ in range(13)]
    # GS1 check digit: weights 3 and 1 from the right.
    total = sum(d * (3 if i % 2 == 0 else 1) for i, d in enumerate(reversed(body)))
    return "".join(map(str, body)) + str((10 - total % 10) % 10)


def digits(rng, n):
    return "".join(str(rng.randrange(10)) for _ in range(n))


def imb(rng):
    # Barcode identifier (second digit 0 to 4), service type, mailer and serial; an 11-digit
    # routing code.
    tracking = str(rng.randrange(10)) + str(rng.randrange(5)) + digits(rng, 18)
    return tracking, digits(rng, 11)


def cases(rng, lines):
    """(label, orbx function, zint symbology, [(orbx parameter, zint data)])."""
    code128 = []
    for _ in range(lines):
        text = "".join(rng.choice(CODE128_CHARS) for _ in range(20))
        code128.append((text, text))
    ean13 = [(d, d) for d in (digits(rng, 12) for _ in range(lines))]
    databar = [(g, g[:13]) for g in (gtin14(rng) for _ in range(lines))]
    mail = [(t + r, t + "-" + r) for t, r in (imb(rng) for _ in range(lines))]
    return [
        ("Code 128", "Code128", 20, code128),
        ("EAN-13", "EAN13", 13, ean13),
        ("DataBar", "DataBar", 29, databar),
        ("Intelligent Mail", "USPS_IntelligentMail", 85, mail),
    ]


def run(command, input_path):
    """CPU seconds (user + system) and wall-clock seconds of one run of `command`."""
    with open(input_path, "rb") as stdin, open(os.devnull, "wb") as stdout:
        start = time.perf_counter()
        process = subprocess.Popen(command, stdin=stdin, stdout=stdout)
        _, status, usage = os.wait4(process.pid, 0)
        wall = time.perf_counter() - start
    if status != 0:
        sys.exit(f"{command[0]} failed with status {status}")
    return usage.ru_utime + usage.ru_stime, wall


def main():
    orbx = sys.argv[1]
    lines = int(sys.argv[2]) if len(sys.argv) > 2 else 200000
    rng = random.Random(18)
    print(f"{lines} lines per function; best of three runs; machine load "
          f"{' '.join(open('/proc/loadavg').read().split()[:3])}")
    print("| Function | orbx lines/s (CPU) | zint lines/s (CPU) | orbx/zint (CPU) "
          "| orbx lines/s (wall) | zint lines/s (wall) | orbx/zint (wall) |")
    print("|---|---|---|---|---|---|---|")
    with tempfile.TemporaryDirectory() as tmp:
        for label, function, symbology, rows in cases(rng, lines):
            ours_in = os.path.join(tmp, "orbx.txt")
            zint_in = os.path.join(tmp, "zint.txt")
            with open(ours_in, "w") as f:
                f.writelines(f"{function}\t{p}\n" for p, _ in rows)
            with open(zint_in, "w") as f:
                f.writelines(f"{z}\n" for _, z in rows)
            commands = {
                "orbx": ([orbx, "--batch"], ours_in),
                "zint": (["zint", "--batch", "-i", "-", "--dump", "-b", str(symbology)], zint_in),
            }
            best = {name: [float("inf"), float("inf")] for name in commands}
            for _ in range(3):
                for name, (command, path) in commands.items():
                    cpu, wall = run(command, path)
                    best[name] = [min(best[name][0], cpu), min(best[name][1], wall)]
            o, z = best["orbx"], best["zint"]
            print(f"| {label} | {lines / o[0]:,.0f} | {lines / z[0]:,.0f} | {z[0] / o[0]:.2f} "
                  f"| {lines / o[1]:,.0f} | {lines / z[1]:,.0f} | {z[1] / o[1]:.2f} |")


if __name__ == "__main__":
    main()
