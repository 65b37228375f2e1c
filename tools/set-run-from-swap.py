#!/usr/bin/python3
"""Sets the "removable run from swap" and "net run from swap" flags in a PE executable's file
header, so that Windows copies the whole image into the page file before running it: the
installer keeps running when its medium is ejected or its network share goes away. The header's
checksum is then computed again, so that it stays true to the edited file.

    set-run-from-swap.py Setup.exe
"""
import sys

import pefile  # Debian's python3-pefile, hence /usr/bin/python3 above

RUN_FROM_SWAP = (pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP"]
                 | pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_NET_RUN_FROM_SWAP"])


def main(path):
    pe = pefile.PE(path)
    pe.FILE_HEADER.Characteristics |= RUN_FROM_SWAP
    # The checksum is computed over the file's bytes, so over the edited header.
    pe = pefile.PE(data=pe.write())
    pe.OPTIONAL_HEADER.CheckSum = pe.generate_checksum()
    edited = pe.write()
    with open(path, "wb") as exe:
        exe.write(edited)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
