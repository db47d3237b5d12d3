#!/usr/bin/env python3
"""Reads Windows executables as Windows does, for the shell tests.

pe.py manifest FILE    prints resource 1 of type RT_MANIFEST (the application manifest)
pe.py unstripped FILE… prints each file that still carries a COFF symbol table
"""
import struct
import sys


def headers(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        sys.exit("kein PE-Format")
    # COFF header: machine, sections, time, symbol table, symbols, optional header's size.
    sections, symbols, optional_size = struct.unpack_from("<2xH8xIH", data, pe + 4)
    optional = pe + 24
    directories = optional + (112 if struct.unpack_from("<H", data, optional)[0] == 0x20B else 96)
    resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = [struct.unpack_from("<8xIIII", data, optional + optional_size + 40 * i)
             for i in range(sections)]
    return symbols, resource_rva, table


def offset(table, rva):
    for size, address, raw_size, raw in table:
        if address <= rva < address + max(size, raw_size):
            return rva - address + raw
    sys.exit(f"RVA {rva:#x} in keinem Abschnitt")


def entry(data, directory, wanted):
    """The entry of a resource directory with the numeric id wanted (None: the first)."""
    named, numbered = struct.unpack_from("<12xHH", data, directory)
    for i in range(named + numbered):
        name, target = struct.unpack_from("<II", data, directory + 16 + 8 * i)
        if wanted is None or (not name & 0x80000000 and name == wanted):
            return target
    return None


def manifest(path):
    data = open(path, "rb").read()
    _, rva, table = headers(data)
    root = offset(table, rva)
    node = root
    for wanted in (24, 1, None):  # RT_MANIFEST, id 1, any language
        target = entry(data, node, wanted)
        if target is None:
            sys.exit(f"{path}: kein Manifest (Ressource 1 vom Typ RT_MANIFEST)")
        node = root + (target & 0x7FFFFFFF)
    data_rva, size = struct.unpack_from("<II", data, node)
    start = offset(table, data_rva)
    sys.stdout.buffer.write(data[start:start + size])


def unstripped(paths):
    for path in paths:
        if headers(open(path, "rb").read())[0]:
            print(path)


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "manifest":
        manifest(sys.argv[2])
    elif len(sys.argv) >= 2 and sys.argv[1] == "unstripped":
        unstripped(sys.argv[2:])
    else:
        sys.exit(__doc__)
