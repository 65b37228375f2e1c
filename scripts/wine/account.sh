# The unprivileged account the test scripts run Wine as when started as root: Wine run as root
# replaces read-only files that Windows refuses to touch, so tests run as root would miss such
# faults. Sourced by session.sh and run-tests.
#   wine_user_ensure       creates the account if missing
#   wine_user_can_read <path>
#                          succeeds when the account can read the path
#   wine_leave_root <path>... -- <command>...
#                          as root: hands the paths (folders, made if missing) to the account and
#                          runs the command as it, never returning; otherwise returns

WINE_TEST_USER="${LCIME_WINE_USER:-lcime-wine}"

wine_user_ensure() {
    id -u "$WINE_TEST_USER" >/dev/null 2>&1 ||
        useradd --system --create-home --home-dir "/var/lib/$WINE_TEST_USER" --shell /usr/sbin/nologin \
            "$WINE_TEST_USER"
}

_wine_as_user() {
    setpriv --reuid="$WINE_TEST_USER" --regid="$WINE_TEST_USER" --init-groups \
        env -u XDG_RUNTIME_DIR HOME="$(getent passwd "$WINE_TEST_USER" | cut -d: -f6)" \
        USER="$WINE_TEST_USER" LOGNAME="$WINE_TEST_USER" "$@"
}

wine_user_can_read() { _wine_as_user test -r "$1"; }

wine_leave_root() {
    local paths=() path
    while [ "$1" != -- ]; do paths+=("$1"); shift; done
    shift
    [ "$(id -u)" = 0 ] || return 0
    wine_user_ensure || exit 1
    for path in "${paths[@]}"; do
        mkdir -p "$path"
        # Debian's Wine records in the prefix the temporary folder of the account that used it
        # last; another account's cannot be entered.
        find "$path" -maxdepth 2 -type f -name wineserver ! -user "$WINE_TEST_USER" -delete
        find "$path" ! -user "$WINE_TEST_USER" -exec chown -h "$WINE_TEST_USER:" {} +
    done
    _wine_as_user "$@"
    exit $?
}
