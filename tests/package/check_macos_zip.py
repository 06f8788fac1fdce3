#!/usr/bin/env python3
"""Checks a macOS package as a Mac user unpacks it: Orbelantrix-<version>-macOS.zip, or
Orbelantrix-<version>-all-platforms.zip, whose bundle also carries the Windows and Linux files.

The archive is unpacked with unzip (Info-ZIP, which restores each entry's Unix mode as the Mac's
Archive Utility does), then: every entry was stored with its Unix mode, the files are exactly the
expected ones and their contents those of the build, the bundle's code is executable and nothing
else is, and the folders can be entered.

Usage: check_macos_zip.py ZIP BUNDLE FONTS_DIR DOCUMENTS_DIR [WINDOWS_FMX64 LINUX_FMX]
(BUNDLE: the built bundle; DOCUMENTS_DIR: the project's folder, with README.md, LICENSE,
CHANGELOG.md and docs/functions.md; the two plug-in files for the all-platforms package.)
"""
import os
import stat
import subprocess
import sys
import tempfile
import zipfile

UNIX = 3  # the "made by" system of a zip entry that carries a Unix mode


def main():
    archive, bundle, fonts_dir, documents = sys.argv[1:5]
    others = sys.argv[5:7]
    top = os.path.basename(archive).removesuffix(".zip")
    problems = []

    # What the package must hold: its path in the archive, and the file it must equal.
    expected = {f"{top}/{name}": os.path.join(documents, name)
                for name in ("README.md", "LICENSE", "CHANGELOG.md", "docs/functions.md")}
    for font in sorted(os.listdir(fonts_dir)):
        if font.endswith(".ttf"):
            expected[f"{top}/fonts/{font}"] = os.path.join(fonts_dir, font)
    for name in ("Contents/Info.plist", "Contents/MacOS/Orbelantrix",
                 "Contents/Resources/LICENSE"):
        expected[f"{top}/Orbelantrix.fmplugin/{name}"] = os.path.join(bundle, name)
    if others:
        resources = f"{top}/Orbelantrix.fmplugin/Contents/Resources"
        expected[f"{resources}/Windows/Orbelantrix.fmx64"] = others[0]
        expected[f"{resources}/Linux/Orbelantrix.fmx"] = others[1]
    # The Mac code, and the Linux file, which FileMaker Server loads from the bundle as it is.
    executable = {f"{top}/Orbelantrix.fmplugin/Contents/MacOS/Orbelantrix",
                  f"{top}/Orbelantrix.fmplugin/Contents/Resources/Linux/Orbelantrix.fmx"}

    with zipfile.ZipFile(archive) as z:
        for info in z.infolist():
            if info.create_system != UNIX or (info.external_attr >> 16) == 0:
                problems.append(f"{info.filename} is stored without its Unix mode")

    with tempfile.TemporaryDirectory() as work:
        subprocess.run(["unzip", "-q", archive, "-d", work], check=True)
        found = set()
        for folder, folders, files in os.walk(work):
            for name in folders:
                path = os.path.join(folder, name)
                if stat.S_IMODE(os.stat(path).st_mode) != 0o755:
                    problems.append(f"{os.path.relpath(path, work)}/ is not mode 0755")
            for name in files:
                path = os.path.join(folder, name)
                relative = os.path.relpath(path, work)
                found.add(relative)
                mode = stat.S_IMODE(os.lstat(path).st_mode)
                wanted = 0o755 if relative in executable else 0o644
                if mode != wanted or not stat.S_ISREG(os.lstat(path).st_mode):
                    problems.append(f"{relative} is mode {mode:o}, not {wanted:o}")
                source = expected.get(relative)
                if source is not None:
                    with open(path, "rb") as a, open(source, "rb") as b:
                        if a.read() != b.read():
                            problems.append(f"{relative} differs from {source}")
        for missing in sorted(set(expected) - found):
            problems.append(f"the package lacks {missing}")
        for extra in sorted(found - set(expected)):
            problems.append(f"the package has {extra}, which it should not")

    for problem in problems:
        print(f"{archive}: {problem}", file=sys.stderr)
    if problems:
        sys.exit(1)
    print(f"{archive}: {len(found)} files, the bundle's code executable, every mode kept")


if __name__ == "__main__":
    main()
