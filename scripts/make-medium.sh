#!/bin/bash
# Lays out a demo installation medium for trying and testing the installer:
#   make-medium.sh <folder> <Setup.exe> <standin.exe>
#   make-medium.sh --list          prints the IME file names placed in IMEData, one a line
# The folder gets Setup.exe at its root, IMEData/ with a small placeholder file for each IME
# file of the catalogue (names in their exact letter case; each file's content names the file,
# so a copy can be told from another), and the stand-in tutorial setup program as
# IMEData/lcsetup/Setup.exe and IMEData/plsetup/Setup.exe. Files from an earlier layout are
# overwritten and the stand-ins' logs removed; nothing else in the folder is touched.
# The end-to-end harness (tests/e2e/harness.py) calls this script, so both share one layout.
set -eu

# The IME files of the six editions in src/install/Catalogue.cpp (9x and NT files per edition).
IME_FILES="lc669.IME lc669.MB lc662.IME lc662.MB
LCGB18J.IME LCGB18J.MB
LCGB18F.IME LCGB18F.MB
ftlc9.IME ftlc9.MB ftlc2.IME ftlc2.MB
pjlc9.IME pjlc9.MB pjlc2.IME pjlc2.MB
gaft9.IME gaft9.MB gaft2.IME gaft2.MB"

if [ "${1:-}" = "--list" ]; then
    printf '%s\n' $IME_FILES
    exit 0
fi
if [ $# -ne 3 ]; then
    echo "usage: make-medium.sh <folder> <Setup.exe> <standin.exe> | --list" >&2
    exit 2
fi
folder="$1" setup="$2" standin="$3"
for f in "$setup" "$standin"; do
    [ -f "$f" ] || { echo "make-medium: no file $f" >&2; exit 1; }
done

mkdir -p "$folder/IMEData/lcsetup" "$folder/IMEData/plsetup"
cp -f "$setup" "$folder/Setup.exe"
for name in $IME_FILES; do
    printf 'LCIme placeholder %s\r\n' "$name" > "$folder/IMEData/$name"
done
for tutorial in lcsetup plsetup; do
    cp -f "$standin" "$folder/IMEData/$tutorial/Setup.exe"
    rm -f "$folder/IMEData/$tutorial/standin.log"
done
