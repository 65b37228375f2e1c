#!/usr/bin/python3
# Checks a built or released Setup.exe: run-from-swap, ASLR, DEP and terminal-server flags; the
# oldest Windows it runs on as OS and subsystem version; no link time; a checksum true to the
# file, signed or not; exactly the listed imports.  check-executable.py <list> <5.1> <Setup.exe>
import sys

import pefile

listing, version, exe = sys.argv[1:]
pe = pefile.PE(exe)
header, optional = pe.FILE_HEADER, pe.OPTIONAL_HEADER
flags = [(header.Characteristics, pefile.IMAGE_CHARACTERISTICS, "IMAGE_FILE_" + f)
         for f in ("REMOVABLE_RUN_FROM_SWAP", "NET_RUN_FROM_SWAP")]
flags += [(optional.DllCharacteristics, pefile.DLL_CHARACTERISTICS, "IMAGE_DLLCHARACTERISTICS_" + f)
          for f in ("DYNAMIC_BASE", "NX_COMPAT", "TERMINAL_SERVER_AWARE")]
problems = [f"flag missing: {name}" for value, table, name in flags if not value & table[name]]
for field in ("OperatingSystemVersion", "SubsystemVersion"):
    found = f"{getattr(optional, 'Major' + field)}.{getattr(optional, 'Minor' + field)}"
    problems += [f"{field} {found}, expected {version}"] if found != version else []
problems += [f"link time stamp {header.TimeDateStamp:#x}"] if header.TimeDateStamp else []
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
