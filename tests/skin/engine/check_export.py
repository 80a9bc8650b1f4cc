#!/usr/bin/env python3
"""Checks the export of a built jedata.dll from its bytes: the PE export table names
SkinH_AttachEx (undecorated, the only export the program looks up), and in a 32-bit build the
exported code returns with `ret $0x8`, removing its two pointer arguments (stdcall).

usage: check_export.py JEDATA.DLL OBJDUMP
"""

import re
import struct
import subprocess
import sys

NAME = b"SkinH_AttachEx"


def fail(message):
    print(f"check_export: {message}")
    sys.exit(1)


def read_exports(data):
    """(machine, image base, {name: rva}) of a PE file."""
    if data[:2] != b"MZ":
        fail("not an MZ file")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        fail("no PE header")
    machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    if magic == 0x10B:  # PE32
        image_base = struct.unpack_from("<I", data, optional + 28)[0]
        directories = optional + 96
    elif magic == 0x20B:  # PE32+
        image_base = struct.unpack_from("<Q", data, optional + 24)[0]
        directories = optional + 112
    else:
        fail(f"unknown optional header magic {magic:#x}")
    export_rva, export_size = struct.unpack_from("<II", data, directories)
    if export_rva == 0:
        fail("no export directory")

    table = optional + optional_size
    section_list = [struct.unpack_from("<8sIIII", data, table + 40 * i) for i in range(sections)]

    def offset(rva):
        for _, vsize, vaddr, rawsize, rawptr in section_list:
            if vaddr <= rva < vaddr + max(vsize, rawsize):
                return rawptr + rva - vaddr
        fail(f"rva {rva:#x} is in no section")

    e = offset(export_rva)
    (_, _, _, _, _, _, functions, names, address_table, name_table,
     ordinal_table) = struct.unpack_from("<IIHHIIIIIII", data, e)
    exports = {}
    for i in range(names):
        name_rva = struct.unpack_from("<I", data, offset(name_table) + 4 * i)[0]
        at = offset(name_rva)
        name = data[at:data.index(b"\0", at)]
        ordinal = struct.unpack_from("<H", data, offset(ordinal_table) + 2 * i)[0]
        if ordinal >= functions:
            fail(f"ordinal {ordinal} of {name!r} outside the address table")
        exports[name] = struct.unpack_from("<I", data, offset(address_table) + 4 * ordinal)[0]
    return machine, image_base, exports


def main():
    if len(sys.argv) != 3:
        fail("usage: check_export.py JEDATA.DLL OBJDUMP")
    path, objdump = sys.argv[1], sys.argv[2]
    with open(path, "rb") as f:
        data = f.read()
    machine, image_base, exports = read_exports(data)
    names = sorted(n.decode("latin-1") for n in exports)
    print(f"{path}: machine {machine:#x}, exports {names}")
    if NAME not in exports:
        fail(f"no export named {NAME.decode()} (decorated or missing?)")

    if machine != 0x14C:  # only the 32-bit build has a calling convention to check
        print("check_export: ok")
        return
    start = image_base + exports[NAME]
    listing = subprocess.run(
        [objdump, "-d", "--no-show-raw-insn", f"--start-address={start:#x}",
         f"--stop-address={start + 512:#x}", path],
        check=True, capture_output=True, text=True).stdout
    returns = []
    for line in listing.splitlines():
        m = re.match(r"\s*[0-9a-f]+:\s+(ret[lw]?)\s*(\S*)", line)
        if m:
            returns.append((m.group(1), m.group(2)))
            break
    print(f"first return of {NAME.decode()}: {returns}")
    if not returns or returns[0][1] != "$0x8":
        fail("the 32-bit export does not return with ret $0x8")
    print("check_export: ok")


if __name__ == "__main__":
    main()
