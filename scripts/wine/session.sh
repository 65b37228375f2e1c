# A Wine session for the project's scripts and test suites; source this file, then
#   wine_session [--shared] <prefix> [<letter>:=<folder>]
# makes the prefix ready and current (prefix.sh), runs on the X display in DISPLAY or, when it
# is unset, on an Xvfb of its own (display.sh), and maps the drive letter to the folder. Programs
# then run with wine_zh (loader.sh). The session owns the prefix: it waits for the prefix's run
# lock, kills what an earlier run left in it and, when the shell exits, kills the Wine server and
# stops its Xvfb. With --shared, runs on the display in DISPLAY share the lock and may overlap
# with each other; they kill nothing. Started as root, a script hands its folders to the test
# account first (account.sh).

WINE_SESSION_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$WINE_SESSION_DIR/loader.sh"
source "$WINE_SESSION_DIR/prefix.sh"
source "$WINE_SESSION_DIR/display.sh"
source "$WINE_SESSION_DIR/account.sh"

wine_session() {
    local mode=-x lock
    [ "$1" != --shared ] || { mode=-s; shift; }
    export WINEPREFIX="$1"
    wine_env

    lock="$(wine_prefix_lock run)"
    # Held on descriptor 8 until the shell exits; loader.sh and display.sh keep it out of Wine's
    # processes and Xvfb.
    exec 8>"$lock"
    flock -w 900 "$mode" 8 || { echo "wine-session: timed out waiting for $lock" >&2; return 1; }
    if [ "$mode" = -x ]; then
        trap _wine_session_end EXIT
        # A server left by an earlier run may still hold a desktop on a display now gone.
        wine_kill
        [ -n "${DISPLAY:-}" ] || wine_display_start || return 1
    fi
    wine_prefix_ensure || return 1
    [ -z "${2:-}" ] || _wine_map_drive "${2%%=*}" "${2#*=}"
}

_wine_session_end() {
    wine_kill
    wine_display_stop
}

_wine_map_drive() {
    local letter folder="$2"
    letter="$(printf '%s' "${1%:}" | tr 'A-Z' 'a-z'):"
    [ -d "$folder" ] || { echo "wine-session: no folder $folder" >&2; return 1; }
    mkdir -p "$WINEPREFIX/dosdevices"
    ln -sfn "$(cd "$folder" && pwd)" "$WINEPREFIX/dosdevices/$letter"
}
