#!/bin/bash
# The i686 Setup.exe and demo input method built again from a copy of this checkout, in source
# and build folders of other names, come out byte for byte the same as the ones given.
#   reproducible-test.sh <work folder> <Setup.exe> <input method module>
set -eu
work=$1 setup=$2 ime=$3
repo="$(cd "$(dirname "$0")/../.." && pwd)"
rm -rf "$work" && mkdir -p "$work/source-elsewhere"
git -C "$repo" ls-files -z -co --exclude-standard | (cd "$repo" && xargs -0 cp --parents -t "$work/source-elsewhere")
cd "$work/source-elsewhere"
cmake --preset i686 -B "$work/build-elsewhere" >/dev/null
cmake --build "$work/build-elsewhere" --target Setup lcdemo_ime >/dev/null
cmp "$setup" "$work/build-elsewhere/Setup.exe"
cmp "$ime" "$work/build-elsewhere/demo/lcdemo_ime.dll"
rm -rf "$work"
