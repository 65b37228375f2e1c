# An Xvfb display for Wine where there is no X display; sourced by session.sh.
#   wine_display_start     starts Xvfb on a free display (:99 upwards), its screen
#                          WINE_DISPLAY_SIZE (default 1280x1024); exports DISPLAY and WINE_XVFB_PID
#   wine_display_stop      stops it

# Prints the first display number from 99 up that has neither a socket nor a lock file.
_wine_free_display() {
    local n=99
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    echo "$n"
}

wine_display_start() {
    local n i tries=0
    while :; do
        n="$(_wine_free_display)"
        # -nolisten tcp: only the local socket; 24-bit colour so pixel reads are exact.
        Xvfb ":$n" -screen 0 "${WINE_DISPLAY_SIZE:-1280x1024}x24" -nolisten tcp >/dev/null 2>&1 8>&- &
        WINE_XVFB_PID=$!
        for i in $(seq 1 100); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            kill -0 "$WINE_XVFB_PID" 2>/dev/null || break
            sleep 0.05
        done
        if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$WINE_XVFB_PID" 2>/dev/null; then break; fi
        # Another Xvfb took the number first: try the next one.
        kill "$WINE_XVFB_PID" 2>/dev/null || true
        tries=$((tries + 1))
        [ "$tries" -lt 5 ] || { echo "wine-session: cannot start Xvfb" >&2; return 1; }
    done
    export DISPLAY=":$n" WINE_XVFB_PID
}

wine_display_stop() {
    [ -n "${WINE_XVFB_PID:-}" ] || return 0
    kill "$WINE_XVFB_PID" 2>/dev/null || true
    wait "$WINE_XVFB_PID" 2>/dev/null || true
    unset WINE_XVFB_PID
}
