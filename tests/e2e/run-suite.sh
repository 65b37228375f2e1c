#!/bin/bash
# Runs one end-to-end suite under Wine: `run-suite.sh <suite.exe> [gtest arguments]`.
# The suite gets a Wine session of its own beside its executable: a prefix, drive M: mapped to a
# medium folder that the suite lays out itself, and its folder as the current one. Started as
# root, it runs as the unprivileged test account.
set -u
suite="$(readlink -f "$1")"
shift
. "$(dirname "$(readlink -f "$0")")/../../scripts/wine/session.sh"

wine_can_run "$suite" || exit 1
work="${suite%.exe}.wine"
wine_leave_root "$work" -- bash "$0" "$suite" "$@"
mkdir -p "$work/medium"
wine_session "$work/prefix" "m:=$work/medium" || exit 1
cd "$work" && wine_zh "$suite" "$@"
