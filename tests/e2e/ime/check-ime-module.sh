#!/bin/sh
# Checks that each file is an input method the way Windows loads one: a PE DLL of the given
# format (pei-i386 or pei-x86-64) exporting, by their plain names, the sixteen functions the
# input-method manager calls, with the version information of an input-method driver
# (VFT_DRV, VFT2_DRV_INPUTMETHOD) in Simplified Chinese.
#   check-ime-module.sh <objdump> <windres> <format> <file>...
set -u
objdump=$1 windres=$2 format=$3
shift 3
status=0
fail() { echo "$file: $1"; status=1; }
for file in "$@"; do
    headers="$("$objdump" -p "$file")" || { fail "unreadable"; continue; }
    echo "$headers" | grep -q "file format $format\$" || fail "not $format"
    echo "$headers" | grep -qx "	DLL" || fail "not a DLL"
    exports=$(echo "$headers" | sed -n 's/^[[:space:]]*\[ *[0-9]*\] \([A-Za-z_][A-Za-z_0-9]*\)$/\1/p' | sort | tr '\n' ' ')
    expected=$(printf '%s\n' ImeConfigure ImeConversionList ImeDestroy ImeEnumRegisterWord ImeEscape \
        ImeGetImeMenuItems ImeGetRegisterWordStyle ImeInquire ImeProcessKey ImeRegisterWord ImeSelect \
        ImeSetActiveContext ImeSetCompositionString ImeToAsciiEx ImeUnregisterWord NotifyIME | sort | tr '\n' ' ')
    [ "$exports" = "$expected" ] || fail "exports [$exports]"
    resources="$("$windres" -J coff -i "$file" -O rc)" || { fail "no resources"; continue; }
    for line in "LANGUAGE 4, 2" "FILETYPE 0x3" "FILESUBTYPE 0xb" 'VALUE "Translation", 0x804, 1200'; do
        echo "$resources" | grep -qF -- "$line" || fail "version information lacks $line"
    done
done
exit $status
