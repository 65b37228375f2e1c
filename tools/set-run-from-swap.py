#!/usr/bin/env python3
"""Sets the "removable run from swap" and "net run from swap" flags in a PE executable's file
header, so that Windows copies the whole image into the page file before running it: the
installer keeps running when its medium is ejected or its network share goes away.

    set-run-from-swap.py Setup.exe
"""
import struct
import sys

IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP = 0x0400
IMAGE_FILE_NET_RUN_FROM_SWAP = 0x0800


def main(path):
    with open(path, "r+b") as exe:
        header = exe.read(0x40)
        if header[:2] != b"MZ":
            sys.exit(f"{path}: not an executable")
        (pe_offset,) = struct.unpack_from("<I", header, 0x3C)
        exe.seek(pe_offset)
        if exe.read(4) != b"PE\0\0":
            sys.exit(f"{path}: no PE header")
        characteristics_at = pe_offset + 4 + 18  # after Machine .. SizeOfOptionalHeader
        exe.seek(characteristics_at)
        (flags,) = struct.unpack("<H", exe.read(2))
        flags |= IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP | IMAGE_FILE_NET_RUN_FROM_SWAP
        exe.seek(characteristics_at)
        exe.write(struct.pack("<H", flags))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
