#!/usr/bin/python3
"""The Windows executables as a user's system meets them: each imports only DLLs that Windows
itself ships, and each version record, which Explorer shows, holds the project's version and the
holder's copyright.

    exe_check.py imports OBJDUMP EXE...     every imported DLL is on the list below
    exe_check.py version VERSION EXE...     fixed and string versions both say VERSION (e.g. 1.00),
                                            and LegalCopyright names the year and Vantrel
"""

import re
import struct
import subprocess
import sys

# DLLs that are part of every Windows the program runs on. A DLL of a compiler's run time
# (libstdc++-6.dll, libgcc_s_*.dll, libwinpthread-1.dll) is not, and would be missing.
SYSTEM_DLLS = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "imm32.dll", "kernel32.dll",
    "msvcrt.dll", "ole32.dll", "oleaut32.dll", "shell32.dll", "shlwapi.dll", "user32.dll",
    "uxtheme.dll", "version.dll",
}

RT_VERSION = 16
RESOURCE_DIRECTORY = 2  # index in the optional header's data directories


def check_imports(objdump, exes):
    failures = 0
    for exe in exes:
        dump = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
        dlls = [line.split(":", 1)[1].strip() for line in dump.splitlines() if "DLL Name:" in line]
        foreign = [dll for dll in dlls if dll.lower() not in SYSTEM_DLLS]
        print(f"{exe}: imports {', '.join(dlls)}")
        if not dlls or foreign:
            print(f"FAIL {exe}: not part of Windows: {', '.join(foreign) or 'no imports found'}")
            failures += 1
    return failures


class PeFile:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        sections, optional_size = struct.unpack_from("<2xH12xH", data, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (96 if magic == 0x10B else 112)  # PE32 or PE32+
        self.resources = struct.unpack_from("<I", data, directories + 8 * RESOURCE_DIRECTORY)[0]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<8xII4xI", data, table + 40 * i) for i in range(sections)]

    def offset(self, rva):
        for size, address, raw in self.sections:
            if address <= rva < address + size:
                return rva - address + raw
        raise ValueError(f"address {rva:#x} is in no section")

    def first_entry(self, directory, wanted_id=None):
        """The first entry of a resource directory (with the id wanted_id, if given)."""
        names, ids = struct.unpack_from("<12xHH", self.data, directory)
        for i in range(names + ids):
            entry_id, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
            if wanted_id is None or (i >= names and entry_id == wanted_id):
                return target
        raise ValueError(f"no resource {wanted_id}")

    def version_resource(self):
        root = self.offset(self.resources)
        below = lambda target: root + (target & 0x7FFFFFFF)
        names = below(self.first_entry(root, RT_VERSION))
        languages = below(self.first_entry(names))
        data = below(self.first_entry(languages))
        rva, size = struct.unpack_from("<II", self.data, data)
        start = self.offset(rva)
        return self.data[start:start + size]


def version_nodes(block, start=0, path=""):
    """Every node of a VS_VERSIONINFO block as (path, value): the value as bytes, or as text."""
    length, value_length, kind = struct.unpack_from("<HHH", block, start)
    end = start + length
    key_end = start + 6
    while block[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = block[start + 6:key_end].decode("utf-16-le")
    value_start = (key_end + 2 + 3) & ~3
    value_size = value_length * 2 if kind == 1 else value_length
    value = block[value_start:value_start + value_size]
    if kind == 1:
        value = value.decode("utf-16-le").rstrip("\0")
    here = f"{path}/{key}"
    yield here, value
    child = (value_start + value_size + 3) & ~3
    while child < end:
        child_length = struct.unpack_from("<H", block, child)[0]
        if child_length == 0:
            break
        yield from version_nodes(block, child, here)
        child = (child + child_length + 3) & ~3


def check_version(expected, exe):
    try:
        with open(exe, "rb") as file:
            block = PeFile(file.read()).version_resource()
    except ValueError as error:
        print(f"FAIL {exe}: no version record ({error})")
        return 1
    nodes = list(version_nodes(block))
    failures = 0

    fixed = nodes[0][1]
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
    major, minor = (int(part) for part in expected.split("."))
    want = ((major << 16) | minor, 0)
    for what, found in (("file version", (file_ms, file_ls)), ("product version", (product_ms, product_ls))):
        shown = f"{found[0] >> 16}.{found[0] & 0xFFFF}.{found[1] >> 16}.{found[1] & 0xFFFF}"
        print(f"{exe}: fixed {what} {shown}")
        if signature != 0xFEEF04BD or found != want:
            print(f"FAIL {exe}: fixed {what} {shown}, expected {major}.{minor}.0.0")
            failures += 1

    strings = lambda key: [value for path, value in nodes
                           if path.startswith("/VS_VERSION_INFO/StringFileInfo/") and path.endswith("/" + key)]
    for key in ("FileVersion", "ProductVersion"):
        values = strings(key)
        print(f"{exe}: {key} {values}")
        if values != [expected]:
            print(f"FAIL {exe}: {key} is {values}, expected ['{expected}']")
            failures += 1
    copyright = strings("LegalCopyright")
    print(f"{exe}: LegalCopyright {copyright}")
    if len(copyright) != 1 or not re.fullmatch(r"Copyright 20\d\d Vantrel", copyright[0]):
        print(f"FAIL {exe}: LegalCopyright is {copyright}, expected ['Copyright YEAR Vantrel']")
        failures += 1
    return failures


def main(argv):
    if len(argv) >= 4 and argv[1] == "imports":
        return 1 if check_imports(argv[2], argv[3:]) else 0
    if len(argv) >= 4 and argv[1] == "version":
        return 1 if sum(check_version(argv[2], exe) for exe in argv[3:]) else 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
