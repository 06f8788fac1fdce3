#!/usr/bin/env python3
"""Checks the macOS plug-in bundle as FileMaker and macOS read it:

- the layout: Contents/Info.plist, Contents/MacOS/Orbelantrix (executable), Contents/Resources/
  with the license, nothing else;
- Info.plist, read with plistlib: every key and its value;
- the code: a universal file of an x86_64 and an arm64 slice, each a Mach-O bundle for macOS 11.0
  or later that exports only _FMExternCallProc, needs only libSystem and FMWrapper, and imports
  from FMWrapper only names the host's framework exports (llvm-nm, llvm-objdump);
- each slice's ad-hoc code signature: its code directory's page hashes (SHA-256) match the
  slice's bytes, page by page, up to the signature itself, which ends the slice.

Usage: check_macos_bundle.py BUNDLE FMWRAPPER_EXPORTS VERSION LICENSE
"""
import hashlib
import os
import plistlib
import re
import stat
import struct
import subprocess
import sys

LLVM_NM, LLVM_OBJDUMP, LLVM_LIPO = "llvm-nm-14", "llvm-objdump-14", "llvm-lipo-14"
SLICES = {"x86_64": 0x01000007, "arm64": 0x0100000C}
LIBRARIES = ["/usr/lib/libSystem.B.dylib", "@rpath/FMWrapper.framework/Versions/A/FMWrapper"]
MINIMUM_MACOS = "11.0"

problems = []


def fail(what):
    problems.append(what)


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def check_layout(bundle, license_path):
    files = sorted(os.path.relpath(os.path.join(d, f), bundle)
                   for d, _, names in os.walk(bundle) for f in names)
    expected = ["Contents/Info.plist", "Contents/MacOS/Orbelantrix", "Contents/Resources/LICENSE"]
    if files != expected:
        fail(f"the bundle holds {files}, not {expected}")
    code = os.path.join(bundle, "Contents/MacOS/Orbelantrix")
    if os.path.exists(code) and not os.stat(code).st_mode & stat.S_IXUSR:
        fail("Contents/MacOS/Orbelantrix is not executable")
    resource = os.path.join(bundle, "Contents/Resources/LICENSE")
    if os.path.exists(resource):
        with open(resource, "rb") as a, open(license_path, "rb") as b:
            if a.read() != b.read():
                fail("Contents/Resources/LICENSE is not the project's license")


def check_info_plist(bundle, version):
    with open(os.path.join(bundle, "Contents/Info.plist"), "rb") as f:
        info = plistlib.load(f)
    expected = {
        "CFBundleDevelopmentRegion": "en",
        "CFBundleExecutable": "Orbelantrix",
        "CFBundleGetInfoString": f"Orbelantrix {version}",
        "CFBundleIdentifier": "com.orbelantrix.plugin",
        "CFBundleInfoDictionaryVersion": "6.0",
        "CFBundleName": "Orbelantrix",
        "CFBundlePackageType": "FMXT",  # what FileMaker loads as a plug-in
        "CFBundleShortVersionString": version,
        "CFBundleSignature": "Orbx",  # the plug-in's four-character ID
        "CFBundleVersion": version,
        "LSMinimumSystemVersion": MINIMUM_MACOS,
        "NSHumanReadableCopyright": "Copyright (c) 2026 Orbelantrix. All rights reserved.",
    }
    for key in sorted(set(info) | set(expected)):
        if info.get(key) != expected.get(key):
            fail(f"Info.plist {key}: {info.get(key)!r}, expected {expected.get(key)!r}")
    if not re.fullmatch(r"[a-z][a-z0-9-]*(\.[a-z][a-z0-9-]*)+", info.get("CFBundleIdentifier", "")):
        fail("CFBundleIdentifier is not a reverse-DNS name")


def slices(code):
    """The (processor, offset, size) of each slice of a universal file (fat_header, fat_arch)."""
    with open(code, "rb") as f:
        data = f.read()
    magic, count = struct.unpack_from(">II", data, 0)
    if magic != 0xCAFEBABE:
        fail("Contents/MacOS/Orbelantrix is not a universal file")
        return data, []
    found = []
    for i in range(count):
        cpu, _, offset, size, _ = struct.unpack_from(">iiIII", data, 8 + 20 * i)
        found.append((cpu, offset, size))
    return data, found


def load_commands(code):
    ncmds = struct.unpack_from("<I", code, 16)[0]
    at = 32
    for _ in range(ncmds):
        cmd, size = struct.unpack_from("<II", code, at)
        yield cmd, code[at:at + size]
        at += size


def check_signature(name, code):
    """The ad-hoc signature's code directory (Apple's cs_blobs.h; blobs are big-endian)."""
    commands = [body for cmd, body in load_commands(code) if cmd == 0x1D]  # LC_CODE_SIGNATURE
    if len(commands) != 1:
        fail(f"{name}: {len(commands)} code signatures")
        return
    dataoff, datasize = struct.unpack_from("<II", commands[0], 8)
    if dataoff + datasize != len(code):
        fail(f"{name}: the signature ({dataoff} + {datasize}) does not end the slice "
             f"({len(code)} bytes)")
    magic, _, count = struct.unpack_from(">III", code, dataoff)
    if magic != 0xFADE0CC0:  # CSMAGIC_EMBEDDED_SIGNATURE
        fail(f"{name}: no embedded signature at the signature's offset")
        return
    directories = []
    for i in range(count):
        kind, offset = struct.unpack_from(">II", code, dataoff + 12 + 8 * i)
        if kind == 0:  # CSSLOT_CODEDIRECTORY
            directories.append(dataoff + offset)
    if len(directories) != 1:
        fail(f"{name}: {len(directories)} code directories")
        return
    cd = directories[0]
    (magic, _, version, flags, hash_offset, ident_offset, _, code_slots, code_limit, hash_size,
     hash_type, _, page_log2) = struct.unpack_from(">IIIIIIIIIBBBB", code, cd)
    if magic != 0xFADE0C02:  # CSMAGIC_CODEDIRECTORY
        fail(f"{name}: the code directory's magic is {magic:#x}")
        return
    if not flags & 0x2:  # CS_ADHOC
        fail(f"{name}: the signature is not ad hoc (flags {flags:#x})")
    if code_limit != dataoff:
        fail(f"{name}: the signature covers {code_limit} bytes, the code before it is {dataoff}")
    if hash_type != 2 or hash_size != 32:  # CS_HASHTYPE_SHA256
        fail(f"{name}: hash type {hash_type} of {hash_size} bytes, not SHA-256")
        return
    page = 1 << page_log2
    if code_slots != (code_limit + page - 1) // page:
        fail(f"{name}: {code_slots} page hashes for {code_limit} bytes of {page}-byte pages")
    for slot in range(code_slots):
        stored = code[cd + hash_offset + 32 * slot:cd + hash_offset + 32 * (slot + 1)]
        start = slot * page
        actual = hashlib.sha256(code[start:min(start + page, code_limit)]).digest()
        if stored != actual:
            fail(f"{name}: page {slot} does not match its hash")
            break
    identifier = code[cd + ident_offset:code.index(b"\0", cd + ident_offset)].decode()
    print(f"{name}: ad-hoc signature \"{identifier}\", code directory version {version:#x}, "
          f"{code_slots} SHA-256 page hashes of {page} bytes covering {code_limit} bytes")


def check_slice(code_path, arch, published):
    exported = run(LLVM_NM, f"--arch={arch}", "-g", "--defined-only", "-j", code_path).split()
    if exported != ["_FMExternCallProc"]:
        fail(f"{arch}: exports {exported}")
    dylibs = run(LLVM_OBJDUMP, "--macho", f"--arch={arch}", "--dylibs-used", code_path)
    used = [line.split(" (compatibility")[0].strip() for line in dylibs.splitlines()[1:]]
    if used != LIBRARIES:
        fail(f"{arch}: needs {used}")
    # "(undefined) external _FM_Text_GetSize (from FMWrapper)"
    imports = {}
    for line in run(LLVM_NM, f"--arch={arch}", "-m", "-u", code_path).splitlines():
        match = re.search(r"external (\S+) \(from (\S+)\)", line)
        if not match:
            fail(f"{arch}: an import of no library: {line.strip()}")
            continue
        imports[match.group(1)] = match.group(2)
    from_host = sorted(name for name, library in imports.items() if library == "FMWrapper")
    for name in from_host:
        if not name.startswith("_") or name[1:] not in published:
            fail(f"{arch}: imports {name} from FMWrapper, which the host's framework lacks")
    for name, library in imports.items():
        if name.startswith("_FM_") and library != "FMWrapper":
            fail(f"{arch}: imports {name} from {library}")
    headers = run(LLVM_OBJDUMP, "--macho", f"--arch={arch}", "--private-headers", code_path)
    minos = re.findall(r"minos (\S+)", headers)
    if minos != [MINIMUM_MACOS]:
        fail(f"{arch}: minimum macOS {minos}, expected {MINIMUM_MACOS}")
    print(f"{arch}: exports {' '.join(exported)}; needs {', '.join(used)}; imports "
          f"{len(from_host)} FM_ functions and {len(imports) - len(from_host)} libSystem names; "
          f"minimum macOS {' '.join(minos)}")


def main():
    bundle, exports_path, version, license_path = sys.argv[1:5]
    with open(exports_path) as f:
        published = {line.strip() for line in f if line.startswith("FM_")}
    check_layout(bundle, license_path)
    check_info_plist(bundle, version)
    code_path = os.path.join(bundle, "Contents/MacOS/Orbelantrix")
    if os.path.exists(code_path):
        archs = run(LLVM_LIPO, "-archs", code_path).split()
        if sorted(archs) != sorted(SLICES):
            fail(f"the code holds the slices {archs}, not {sorted(SLICES)}")
        data, found = slices(code_path)
        for arch, cpu in SLICES.items():
            matching = [(offset, size) for c, offset, size in found if c == cpu]
            if len(matching) != 1:
                continue
            offset, size = matching[0]
            magic, _, _, filetype = struct.unpack_from("<IiII", data, offset)
            if magic != 0xFEEDFACF or filetype != 8:  # MH_MAGIC_64, MH_BUNDLE
                fail(f"{arch}: not a 64-bit Mach-O bundle (magic {magic:#x}, type {filetype})")
            check_slice(code_path, arch, published)
            check_signature(arch, data[offset:offset + size])
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        sys.exit(1)
    print(f"{bundle}: layout, Info.plist, both slices and their signatures as FileMaker and "
          "macOS need them")


if __name__ == "__main__":
    main()
