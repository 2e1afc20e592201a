#!/usr/bin/env python3
"""stamp_load_config.py IMAGE MAP

Points the load-configuration entry of a linked PE image's data directory at
the symbol _load_config_used, whose address the linker's map file gives. GNU ld
before 2.43 leaves that entry empty; a linker that already filled it in is
checked instead. The structure's own first field is its size."""
import re
import struct
import sys

LOAD_CONFIG = 10


def main(image_path, map_path):
    text = open(map_path, encoding="latin-1").read()
    found = re.findall(r"^\s+0x([0-9a-fA-F]+)\s+_?_load_config_used\s*$", text, re.M)
    if len(found) != 1:
        sys.exit("%s: _load_config_used appears %d times in %s" % (image_path, len(found), map_path))
    image = bytearray(open(image_path, "rb").read())
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    optional = pe + 24
    pe64 = struct.unpack_from("<H", image, optional)[0] == 0x20B
    base = struct.unpack_from("<Q" if pe64 else "<I", image, optional + (24 if pe64 else 28))[0]
    rva = int(found[0], 16) - base
    entry = optional + (112 if pe64 else 96) + 8 * LOAD_CONFIG

    sections = struct.unpack_from("<H", image, pe + 6)[0]
    table = optional + struct.unpack_from("<H", image, pe + 20)[0]
    offset = None
    for i in range(sections):
        virtual_size, address, raw_size, raw = struct.unpack_from("<IIII", image, table + 40 * i + 8)
        if address <= rva < address + min(virtual_size, raw_size):
            offset = raw + rva - address
    if offset is None:
        sys.exit("%s: _load_config_used at %#x lies in no section" % (image_path, rva))
    size = struct.unpack_from("<I", image, offset)[0]

    present = struct.unpack_from("<II", image, entry)
    if present == (rva, size):
        return
    if present != (0, 0):
        sys.exit("%s: the load configuration entry is already %#x,%#x" % ((image_path,) + present))
    struct.pack_into("<II", image, entry, rva, size)
    # The checksum, where the linker set one, covers the header just changed.
    checksum_at = optional + 64
    if struct.unpack_from("<I", image, checksum_at)[0]:
        struct.pack_into("<I", image, checksum_at, 0)
        total = 0
        padded = bytes(image) + b"\0" * (len(image) % 2)
        for (word,) in struct.iter_unpack("<H", padded):
            total += word
            total = (total & 0xFFFF) + (total >> 16)
        struct.pack_into("<I", image, checksum_at, ((total & 0xFFFF) + len(image)) & 0xFFFFFFFF)
    open(image_path, "wb").write(image)


if __name__ == "__main__":
    main(*sys.argv[1:])
