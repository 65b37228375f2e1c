#!/usr/bin/python3
"""Checks a maker's edition files before they go into a release, all at once: every file named
is there under exactly that name (letter case included, as the installer looks it up) and under
no other spelling of it; each .IME is a 32-bit DLL whose version information says input-method
driver; each .MB holds something; each other file (the tutorial setups) is a 32-bit program.
Prints one line per problem, naming the file, and fails if there is any.

    check-editions.py <editions folder> <file>...     (files relative to the folder, '/' between)
"""
import os
import sys

import pefile  # Debian's python3-pefile, hence /usr/bin/python3 above

I386 = pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"]
IS_DLL = pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_DLL"]
VFT_DRV, VFT2_DRV_INPUTMETHOD = 3, 11


def case_problem(folder, name):
    """Why `name` is not found in `folder` under exactly that name, or None if it is."""
    path = folder
    for part in name.split("/"):
        entries = os.listdir(path) if os.path.isdir(path) else []
        others = [entry for entry in entries if entry.lower() == part.lower() and entry != part]
        if part not in entries:
            return f"letter case differs: found {others[0]}" if others else "missing"
        if others:  # Windows, Joliet and zip extraction there keep only one of them
            return f"also there as {others[0]}, which Windows cannot tell apart"
        path = os.path.join(path, part)
    return None if os.path.isfile(path) else "not a file"


def program_problem(path, want_dll):
    """The parsed file, and what keeps it from being a 32-bit DLL (or program) or None."""
    try:
        pe = pefile.PE(path)
    except pefile.PEFormatError:
        return None, "not a Windows program or DLL"
    if pe.FILE_HEADER.Machine != I386:
        machine = pefile.MACHINE_TYPE.get(pe.FILE_HEADER.Machine, hex(pe.FILE_HEADER.Machine))
        return pe, f"not 32-bit ({machine.removeprefix('IMAGE_FILE_MACHINE_')})"
    if bool(pe.FILE_HEADER.Characteristics & IS_DLL) != want_dll:
        return pe, "a program, not a DLL" if want_dll else "a DLL, not a program"
    return pe, None


def problem(folder, name):
    if (found := case_problem(folder, name)):
        return found
    path = os.path.join(folder, name)
    if name.upper().endswith(".MB"):
        return "empty" if os.path.getsize(path) == 0 else None
    pe, found = program_problem(path, want_dll=name.upper().endswith(".IME"))
    if found or not name.upper().endswith(".IME"):
        return found
    versions = getattr(pe, "VS_FIXEDFILEINFO", [])
    if not any(v.FileType == VFT_DRV and v.FileSubtype == VFT2_DRV_INPUTMETHOD for v in versions):
        return "no input-method version information (VFT_DRV, VFT2_DRV_INPUTMETHOD)"
    return None


def main(folder, names):
    problems = [(name, found) for name in names if (found := problem(folder, name))]
    for name, found in problems:
        print(f"{os.path.join(folder, name)}: {found}")
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2:]))
