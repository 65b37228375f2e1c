#!/bin/bash
# Runs one end-to-end suite under Wine: `run-suite.sh <suite.exe> [gtest arguments]`.
# The suite gets a Wine prefix and a medium folder of its own beside its executable, drive M:
# mapped to that folder, Xvfb when there is no display, and the Chinese locale. The suite lays
# the medium out itself. Started as root, it runs as the unprivileged test account.
set -u
suite="$(readlink -f "$1")"
shift
. "$(dirname "$(readlink -f "$0")")/../../scripts/wine-env.sh"

wine_can_run "$suite" || exit 1

work="${suite%.exe}.wine"
wine_leave_root "$work" -- bash "$0" "$suite" "$@"
mkdir -p "$work/medium"
export WINEPREFIX="$work/prefix"

# One run per suite at a time; the lock's descriptor is closed for every Wine process so that
# a Wine server outliving this run cannot hold it.
exec 8>"$work/run.lock"
flock -w 900 8 || { echo "run-suite: $work is busy" >&2; exit 1; }
{
    wine_kill  # whatever an earlier run left in the prefix
    wine_prefix_ensure || exit 1
    wine_display_ensure || exit 1
    trap 'wine_kill; wine_display_stop' EXIT
    wine_map_drive m: "$work/medium"
    cd "$work" && env LC_ALL=zh_CN.UTF-8 "$WINE_LOADER_BIN" "$suite" "$@"
} 8>&-
