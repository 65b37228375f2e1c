#!/usr/bin/python3
"""Checks a built or released Setup.exe, read back with pefile: both run-from-swap flags; ASLR,
DEP and terminal-server awareness; the oldest Windows it runs on (major.minor) as both its OS
and its subsystem version; no link time; a checksum true to the file (signed or not); and an
import table that is exactly the one listed (each line "DLL function").

    check-executable.py <imports list> <major.minor> <Setup.exe>
"""
import sys

import pefile

listing, version, exe = sys.argv[1:]
pe = pefile.PE(exe)
header, optional = pe.FILE_HEADER, pe.OPTIONAL_HEADER
problems = []

for flag in ("IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP", "IMAGE_FILE_NET_RUN_FROM_SWAP"):
    if not header.Characteristics & pefile.IMAGE_CHARACTERISTICS[flag]:
        problems.append(f"flag missing: {flag}")
for flag in ("DYNAMIC_BASE", "NX_COMPAT", "TERMINAL_SERVER_AWARE"):
    if not optional.DllCharacteristics & pefile.DLL_CHARACTERISTICS["IMAGE_DLLCHARACTERISTICS_" + flag]:
        problems.append(f"flag missing: {flag}")
for field in ("OperatingSystemVersion", "SubsystemVersion"):
    found = f"{getattr(optional, 'Major' + field)}.{getattr(optional, 'Minor' + field)}"
    if found != version:
        problems.append(f"{field} {found}, expected {version}")
if header.TimeDateStamp:
    problems.append(f"link time stamp {header.TimeDateStamp:#x}, expected none")
if optional.CheckSum != pe.generate_checksum():
    problems.append(f"checksum {optional.CheckSum:#x}, the file's is {pe.generate_checksum():#x}")

imports = {f"{entry.dll.decode()} {(item.name or b'#%d' % item.ordinal).decode()}"
           for entry in pe.DIRECTORY_ENTRY_IMPORT for item in entry.imports}
with open(listing) as lines:
    expected = {line.strip() for line in lines if line.strip() and not line.startswith("#")}
problems += [f"unexpected import: {name}" for name in sorted(imports - expected)]
problems += [f"import missing: {name}" for name in sorted(expected - imports)]

for problem in problems:
    print(f"{exe}: {problem}")
sys.exit(1 if problems else 0)
