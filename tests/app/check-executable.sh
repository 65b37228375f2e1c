#!/bin/sh
# Checks the built Setup.exe: both run-from-swap flags are set, it imports only DLLs that
# Windows loads from its protected known-DLL list, never from the program's own folder, and it
# does not import SetDllDirectoryW, which older systems lack (it is looked up at run time).
#   check-executable.sh <objdump> <Setup.exe>
set -u
objdump="$1" exe="$2"
headers="$("$objdump" -p "$exe")" || exit 1
status=0
for flag in "copy to swap file if on removable media" "copy to swap file if on network media"; do
    echo "$headers" | grep -q "$flag" || { echo "missing header flag: $flag"; status=1; }
done
known="kernel32.dll user32.dll gdi32.dll imm32.dll ole32.dll msvcrt.dll advapi32.dll shell32.dll"
for dll in $(echo "$headers" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z'); do
    case " $known " in
        *" $dll "*) ;;
        *) echo "imports a DLL that is not a known DLL: $dll"; status=1 ;;
    esac
done
echo "$headers" | grep -qw SetDllDirectoryW && { echo "imports SetDllDirectoryW"; status=1; }
exit $status
