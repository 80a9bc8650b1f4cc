#!/usr/bin/env python3
"""Checks the resources and the machine type of a built program file: the icon group
DEFAULT_ICON (language-neutral, the twelve images of the icon file, in order), the version
block 1.0.0.0 with its string table 080404B0, and no manifest.

Also, with --carries FILE..., that the program holds each file as a byte array: a 32-bit
count 1, the 32-bit length, the bytes.

Usage: check_program_file.py PROGRAM ICON MACHINE [--carries FILE...]   (MACHINE: i386, amd64)
"""

import struct
import sys

from icon_format import EXPECTED_IMAGES, read_icon_file

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
MACHINES = {"i386": 0x14C, "amd64": 0x8664}


class PortableExecutable:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe : pe + 4] != b"PE\0\0":
            raise ValueError("no PE header")
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.resource_rva, self.resource_size = struct.unpack_from("<II", data, directories + 2 * 8)
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            _, vsize, rva, raw_size, raw_ptr = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((rva, max(vsize, raw_size), raw_ptr))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError(f"RVA {rva:#x} in no section")

    def resources(self):
        """{(type, name, language): bytes}; names are numbers or texts."""
        if not self.resource_rva:
            return {}
        base = self.offset(self.resource_rva)
        out = {}

        def name_of(field):
            if field & 0x80000000:
                at = base + (field & 0x7FFFFFFF)
                n = struct.unpack_from("<H", self.data, at)[0]
                return self.data[at + 2 : at + 2 + 2 * n].decode("utf-16-le")
            return field

        def walk(at, path):
            named, ids = struct.unpack_from("<HH", self.data, at + 12)
            for i in range(named + ids):
                field, target = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
                key = path + (name_of(field),)
                if target & 0x80000000:
                    walk(base + (target & 0x7FFFFFFF), key)
                else:
                    rva, size = struct.unpack_from("<II", self.data, base + target)
                    start = self.offset(rva)
                    out[key] = self.data[start : start + size]

        walk(base, ())
        return out


def read_version_node(data, at):
    """(key, value bytes, value type, children, end) of one node of a version resource."""
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    end = at + length
    pos = at + 6
    key_end = pos
    while data[key_end : key_end + 2] != b"\0\0":
        key_end += 2
    key = data[pos:key_end].decode("utf-16-le")
    pos = (key_end + 2 + 3) & ~3
    value_bytes = value_length * 2 if kind == 1 else value_length
    value = data[pos : pos + value_bytes]
    pos = (pos + value_bytes + 3) & ~3
    children = []
    while pos < end:
        child = read_version_node(data, pos)
        children.append(child)
        pos = (child[4] + 3) & ~3
    return key, value, kind, children, end


def text_value(value):
    return value.decode("utf-16-le").rstrip("\0")


def has_chinese(text):
    return any("\u4e00" <= ch <= "\u9fff" for ch in text)


def check_version(resources):
    found = [(k, v) for k, v in resources.items() if k[0] == RT_VERSION]
    if len(found) != 1:
        return [f"{len(found)} version resources"]
    data = found[0][1]
    key, fixed, _, children, _ = read_version_node(data, 0)
    problems = []
    if key != "VS_VERSION_INFO":
        problems.append(f"version resource key {key!r}")
    fields = struct.unpack_from("<13I", fixed)
    signature, _, file_ms, file_ls, product_ms, product_ls = fields[:6]
    mask, flags, os_kind, file_type, subtype, date_ms, date_ls = fields[6:]
    if signature != 0xFEEF04BD:
        problems.append("no fixed version part")
    if (file_ms, file_ls, product_ms, product_ls) != (0x10000, 0, 0x10000, 0):
        problems.append("file or product version is not 1.0.0.0")
    if (mask, flags, os_kind, file_type, subtype, date_ms, date_ls) != (0, 0, 4, 1, 0, 0, 0):
        problems.append(f"fixed part: mask {mask}, flags {flags}, os {os_kind:#x}, type "
                        f"{file_type}, subtype {subtype}, date {date_ms}/{date_ls}")
    blocks = {c[0]: c for c in children}
    tables = blocks.get("StringFileInfo", (None, None, None, []))[3]
    if [t[0] for t in tables] != ["080404B0"]:
        problems.append(f"string tables {[t[0] for t in tables]}, not ['080404B0']")
    else:
        strings = [(s[0], text_value(s[1])) for s in tables[0][3]]
        keys = [k for k, _ in strings]
        want = ["FileVersion", "FileDescription", "ProductName", "ProductVersion", "CompanyName",
                "LegalCopyright"]
        if keys != want:
            problems.append(f"strings {keys}, not {want}")
        values = dict(strings)
        for k, v in (("FileVersion", "1.0.0.0"), ("ProductName", "Wavoro"),
                     ("ProductVersion", "1.0.0.0"), ("CompanyName", "Tesmin")):
            if values.get(k) != v:
                problems.append(f"{k} is {values.get(k)!r}, not {v!r}")
        for k in ("FileDescription", "LegalCopyright"):
            v = values.get(k, "")
            if not ("Wavoro" in v and "Tesmin" in v and has_chinese(v)):
                problems.append(f"{k} {v!r} is not Chinese naming Wavoro and Tesmin")
    variables = blocks.get("VarFileInfo", (None, None, None, []))[3]
    translation = [v[1] for v in variables if v[0] == "Translation"]
    if translation != [struct.pack("<HH", 0x0804, 0x04B0)]:
        problems.append(f"translation {translation}, not 0x0804 0x04B0")
    return problems


def check_icon_group(resources, icon_file):
    groups = [k for k in resources if k[0] == RT_GROUP_ICON and k[1] == "DEFAULT_ICON"]
    if [k[2] for k in groups] != [0]:
        return [f"icon group DEFAULT_ICON in languages {[k[2] for k in groups]}, not neutral only"]
    group = resources[groups[0]]
    _, kind, count = struct.unpack_from("<HHH", group)
    entries, images = read_icon_file(icon_file)
    if kind != 1 or count != len(EXPECTED_IMAGES):
        return [f"icon group of kind {kind} with {count} images"]
    problems = []
    for i in range(count):
        w, h, colours, _, planes, bits, size, ident = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
        ew, eh, eb, es = EXPECTED_IMAGES[i]
        if (w or 256, h or 256, bits, size) != (ew, eh, eb, es):
            problems.append(f"group entry {i + 1}: {w}x{h}, {bits} bits, {size} bytes; "
                            f"wanted {ew}x{eh}, {eb} bits, {es} bytes")
        image = resources.get((RT_ICON, ident, 0))
        if image != images[i]:
            problems.append(f"group entry {i + 1}: icon {ident} is not image {i + 1} of the icon file")
    return problems


def check_carried(program_bytes, path):
    payload = open(path, "rb").read()
    blob = struct.pack("<II", 1, len(payload)) + payload
    if program_bytes.find(blob) < 0:
        return [f"{path} ({len(payload)} bytes) is not carried as a byte array"]
    return []


def main():
    program, icon, machine = sys.argv[1:4]
    carried = sys.argv[5:] if sys.argv[4:5] == ["--carries"] else []
    data = open(program, "rb").read()
    exe = PortableExecutable(data)
    problems = []
    if exe.machine != MACHINES[machine]:
        problems.append(f"machine type {exe.machine:#x}, not {machine}")
    resources = exe.resources()
    problems += check_icon_group(resources, open(icon, "rb").read())
    problems += check_version(resources)
    for path in carried:
        problems += check_carried(data, path)
    manifests = [k for k in resources if k[0] == RT_MANIFEST]
    if manifests:
        problems.append(f"manifest resources {manifests}")
    for p in problems:
        print(p)
    print(f"{program}: " + ("FAILED" if problems else "ok"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
