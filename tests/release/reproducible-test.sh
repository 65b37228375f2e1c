#!/bin/bash
# Setup.exe and the demo input method built again from a copy of the checkout, in source and
# build folders of other names, are byte for byte the ones given.
#   reproducible-test.sh <work folder> <Setup.exe> <input method module>
set -eu
work=$1 setup=$2 ime=$3
rm -rf "$work" && mkdir -p "$work/source"
cd "$(dirname "$0")/../.."
git ls-files -z -co --exclude-standard | xargs -0 cp --parents -t "$work/source"
cd "$work/source" && cmake --preset i686 -B "$work/build" >/dev/null
cmake --build "$work/build" --target Setup lcdemo_ime >/dev/null
cmp "$setup" "$work/build/Setup.exe" && cmp "$ime" "$work/build/demo/lcdemo_ime.dll" && rm -rf "$work"
