# The Wine loader that runs on this machine, and `wine` run with it; sourced by session.sh.
#   wine_env               exports WINEDEBUG and WINEDLLOVERRIDES, picks the loader
#   wine, wine_zh          run that loader (wine_zh under LC_ALL=zh_CN.UTF-8, as every program in
#                          a project prefix runs: see prefix.reg)
#   wine_runs_32bit        succeeds when this machine runs Wine's 32-bit loader
#   wine_can_run <file>    fails, saying why, for a 32-bit program Wine cannot run here
#   wine_made_with         prints Wine's version and whether 32-bit programs run
#   wine_kill              kills the Wine server and every program in WINEPREFIX
# None of them hands descriptor 8, a session's run lock, to a Wine process: a Wine server
# outliving the session would hold the lock.

wine_env() {
    export WINEDEBUG="${WINEDEBUG:--all}"
    export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
    # Debian's `wine` starts the 32-bit loader whenever wine32 is installed, which fails on a
    # kernel that cannot execute 32-bit code; the 64-bit loader is used directly there.
    if [ -z "${WINE_LOADER_BIN:-}" ]; then
        if [ -x /usr/lib/wine/wine64 ] && ! wine_runs_32bit; then
            WINE_LOADER_BIN=/usr/lib/wine/wine64
            export WINELOADER=$WINE_LOADER_BIN
        else
            WINE_LOADER_BIN=wine
        fi
    fi
}

wine_runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

wine() {
    wine_env
    command "$WINE_LOADER_BIN" "$@" 8>&-
}

# Through env: bash itself has no such locale to switch to.
wine_zh() {
    wine_env
    env LC_ALL=zh_CN.UTF-8 "$WINE_LOADER_BIN" "$@" 8>&-
}

# Fails with a message when the file is a 32-bit Windows program (PE machine 014c) and Wine
# cannot run 32-bit code on this machine.
wine_can_run() {
    wine_env
    [ -f "$1" ] || return 0
    local header
    header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    if [ "$(od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' ')" = 014c ] && [ "$WINE_LOADER_BIN" != wine ]; then
        echo "wine-session: this machine cannot run 32-bit programs under Wine: $1" >&2
        return 1
    fi
}

wine_made_with() {
    wine_env
    local wow64=absent
    [ -x /usr/lib/wine/wine ] && wow64=present
    [ "$WINE_LOADER_BIN" = wine ] || wow64="$wow64-cannot-run"
    printf '%s wine32 %s\n' "$(wine --version)" "$wow64"
}

# Both fail, harmlessly, when no server runs.
wine_kill() {
    wineserver -k 8>&- 2>/dev/null || true
    wineserver -w 8>&- 2>/dev/null || true
}
