#!/usr/bin/python3
"""Checks a maker's edition files before they go into a release, all at once: every file named
is there under exactly that name (letter case included, as the installer looks it up) and under
no other spelling of it; each .IME is a 32-bit DLL whose version information says input-method
driver; each .MB holds something; each other file (the tutorial setups) is a 32-bit program.
The folder of 64-bit builds, where there is one, holds only files of the names given after
--64-bit, each a 64-bit (AMD64) DLL whose version information says input-method driver.
Prints one line per problem, naming the file, and fails if there is any.

    check-editions.py <editions folder> <file>... --64-bit <file>...
                                                  (files relative to the folder, '/' between)
"""
import os
import sys

import pefile  # Debian's python3-pefile, hence /usr/bin/python3 above

I386 = pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"]
AMD64 = pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"]
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


def program_problem(path, want_dll, machine=I386):
    """The parsed file, and what keeps it from being a DLL (or program) for `machine` or None."""
    try:
        pe = pefile.PE(path)
    except pefile.PEFormatError:
        return None, "not a Windows program or DLL"
    if pe.FILE_HEADER.Machine != machine:
        found = pefile.MACHINE_TYPE.get(pe.FILE_HEADER.Machine, hex(pe.FILE_HEADER.Machine))
        return pe, f"not {'64' if machine == AMD64 else '32'}-bit ({found.removeprefix('IMAGE_FILE_MACHINE_')})"
    if bool(pe.FILE_HEADER.Characteristics & IS_DLL) != want_dll:
        return pe, "a program, not a DLL" if want_dll else "a DLL, not a program"
    return pe, None


def ime_problem(path, machine):
    """What keeps the file from being an input method for `machine`, or None."""
    pe, found = program_problem(path, want_dll=True, machine=machine)
    if found:
        return found
    versions = getattr(pe, "VS_FIXEDFILEINFO", [])
    if not any(v.FileType == VFT_DRV and v.FileSubtype == VFT2_DRV_INPUTMETHOD for v in versions):
        return "no input-method version information (VFT_DRV, VFT2_DRV_INPUTMETHOD)"
    return None


def problem(folder, name):
    if (found := case_problem(folder, name)):
        return found
    path = os.path.join(folder, name)
    if name.upper().endswith(".MB"):
        return "empty" if os.path.getsize(path) == 0 else None
    if name.upper().endswith(".IME"):
        return ime_problem(path, I386)
    return program_problem(path, want_dll=False)[1]


def problems_64bit(folder, names):
    """(file, problem) for each file in or instead of the folder of 64-bit builds that is not one
    of `names` (relative to `folder`, all in that one folder) or not a 64-bit input method."""
    sub = names[0].split("/")[0]
    found = []
    for entry in sorted(os.listdir(folder)):
        if entry.lower() == sub.lower() and (entry != sub or not os.path.isdir(os.path.join(folder, entry))):
            found.append((entry, f"not the folder {sub} of 64-bit builds"))
    if not os.path.isdir(os.path.join(folder, sub)):
        return found
    by_lower = {name.lower(): name for name in names}
    for root, _, files in os.walk(os.path.join(folder, sub)):
        for file in sorted(files):
            name = os.path.relpath(os.path.join(root, file), folder).replace(os.sep, "/")
            if name in names:
                problem_found = ime_problem(os.path.join(folder, name), AMD64)
            elif name.lower() in by_lower:
                problem_found = f"letter case differs: the catalogue names it {by_lower[name.lower()]}"
            else:
                problem_found = "not a 64-bit build of an NT-family input method of the catalogue"
            if problem_found:
                found.append((name, problem_found))
    return found


def main(folder, names, names_64bit):
    problems = [(name, found) for name in names if (found := problem(folder, name))]
    problems += problems_64bit(folder, names_64bit)
    for name, found in problems:
        print(f"{os.path.join(folder, name)}: {found}")
    return 1 if problems else 0


if __name__ == "__main__":
    if "--64-bit" not in sys.argv[3:] or sys.argv[-1] == "--64-bit":
        sys.exit(__doc__)
    split = sys.argv.index("--64-bit")
    sys.exit(main(sys.argv[1], sys.argv[2:split], sys.argv[split + 1:]))
