#!/usr/bin/env python3
"""check-imports.py PROGRAM NAME... [--delayed LIBRARY...]: fails when the Windows program imports
any of the named functions, or anything at all from a named library (a NAME ending in .dll),
whether at start or delayed (loaded at the first call). setup.exe must start on a Windows 7
without its loader update, which lacks the functions it added; an import of one stops the program
before its first line runs. A library the program does not use is not loaded into the elevated
process either. A library after --delayed may be imported only delayed: the first page does not
wait for it."""
import struct
import sys


def delay_descriptors(data, delay_rva, table, at):
    """The file offsets of the delay-load descriptors. GNU ld leaves the data directory entry
    empty, so without one the sections are searched for them: eight words, the first 1 (relative
    addresses), the next four inside the image with the first naming a .dll, the last three 0."""
    if delay_rva:
        position = at(delay_rva)
        while struct.unpack_from("<I", data, position + 4)[0] != 0:
            yield position
            position += 32
        return

    def inside(rva):
        return any(start <= rva < start + size for start, size, _ in table)

    for start, size, offset in table:
        for position in range(offset, offset + size - 32 + 1, 4):
            words = struct.unpack_from("<8I", data, position)
            if words[0] != 1 or words[5] or words[6] or words[7]:
                continue
            if not all(inside(word) for word in words[1:5]):
                continue
            name = at(words[1])
            end = data.find(b"\0", name, name + 64)
            if end > name and data[name:end].lower().endswith(b".dll"):
                yield position


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
    delay_rva = struct.unpack_from("<I", data, directories + 13 * 8)[0]
    image_base = struct.unpack_from("<Q" if wide else "<I", data, optional + (24 if wide else 28))[0]
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

    def lookup_names(dll, position, base=0):
        found = []
        step, flag = (8, 1 << 63) if wide else (4, 1 << 31)
        while True:
            value = struct.unpack_from("<Q" if wide else "<I", data, position)[0]
            if value == 0:
                return found
            if not value & flag:
                found.append((dll, text((value & 0x7FFFFFFF) - base + 2)))
            position += step

    names = []
    descriptor = at(import_rva)
    while True:
        lookup, _, _, dll_rva, thunks = struct.unpack_from("<IIIII", data, descriptor)
        if dll_rva == 0:
            break
        dll = text(dll_rva).lower()
        names += [(dll, name, False) for _, name in lookup_names(dll, at(lookup or thunks))]
        descriptor += 20
    for descriptor in delay_descriptors(data, delay_rva, table, at):
        attributes, dll_rva, _, _, name_table = struct.unpack_from("<IIIII", data, descriptor)
        # Addresses are relative when bit 0 of the attributes is set, else virtual addresses.
        base = 0 if attributes & 1 else image_base
        dll = text(dll_rva - base).lower()
        found = lookup_names(dll, at(name_table - base), base)
        names += [(dll, name, True) for _, name in found]
    return names


def main():
    arguments = sys.argv[2:]
    split = arguments.index("--delayed") if "--delayed" in arguments else len(arguments)
    program, forbidden = sys.argv[1], set(arguments[:split])
    delayed = {name.lower() for name in arguments[split + 1:]}
    with open(program, "rb") as handle:
        names = imported_names(handle.read())
    if not any(dll == "kernel32.dll" for dll, _, _ in names):
        print("the import table was not read: nothing from kernel32.dll")
        return 1
    libraries = {name.lower() for name in forbidden if name.lower().endswith(".dll")}
    found = sorted(f"{dll}!{name}" + (" (delayed)" if late else "")
                   for dll, name, late in names if name in forbidden or dll in libraries)
    found += sorted(f"{dll}!{name} at start" for dll, name, late in names
                    if dll in delayed and not late)
    missing = delayed - {dll for dll, _, late in names if late}
    for item in found:
        print(f"{program} imports {item}")
    for dll in sorted(missing):
        print(f"{program} imports nothing delayed from {dll}: was the delay-import list read?")
    return 1 if found or missing else 0


if __name__ == "__main__":
    sys.exit(main())
