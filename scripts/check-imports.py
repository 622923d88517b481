#!/usr/bin/env python3
"""check-imports.py PROGRAM NAME...: fails when the Windows program imports any of the named
functions, or anything at all from a named library (a NAME ending in .dll). setup.exe must start
on a Windows 7 without its loader update, which lacks the functions it added; an import of one
stops the program before its first line runs. A library the program does not use is not loaded
into the elevated process either."""
import struct
import sys


def imported_names(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    sections = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    wide = struct.unpack_from("<H", data, optional)[0] == 0x20B
    directories = optional + (112 if wide else 96)
    import_rva = struct.unpack_from("<I", data, directories + 8)[0]
    table = []
    for i in range(sections):
        entry = optional + optional_size + 40 * i
        size, rva, _, offset = struct.unpack_from("<IIII", data, entry + 8)
        table.append((rva, max(size, struct.unpack_from("<I", data, entry + 16)[0]), offset))

    def at(rva):
        for start, size, offset in table:
            if start <= rva < start + size:
                return rva - start + offset
        raise ValueError("address outside every section")

    def text(rva):
        begin = at(rva)
        return data[begin:data.index(b"\0", begin)].decode("ascii")

    names = []
    descriptor = at(import_rva)
    while True:
        lookup, _, _, dll_rva, thunks = struct.unpack_from("<IIIII", data, descriptor)
        if dll_rva == 0:
            break
        dll = text(dll_rva).lower()
        position = at(lookup or thunks)
        step, flag = (8, 1 << 63) if wide else (4, 1 << 31)
        while True:
            value = struct.unpack_from("<Q" if wide else "<I", data, position)[0]
            if value == 0:
                break
            if not value & flag:
                names.append((dll, text((value & 0x7FFFFFFF) + 2)))
            position += step
        descriptor += 20
    return names


def main():
    program, forbidden = sys.argv[1], set(sys.argv[2:])
    with open(program, "rb") as handle:
        names = imported_names(handle.read())
    if not any(dll == "kernel32.dll" for dll, _ in names):
        print("the import table was not read: nothing from kernel32.dll")
        return 1
    libraries = {name.lower() for name in forbidden if name.lower().endswith(".dll")}
    found = sorted(f"{dll}!{name}" for dll, name in names
                   if name in forbidden or dll in libraries)
    for item in found:
        print(f"{program} imports {item}")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
