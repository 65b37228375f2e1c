# Shell functions for running the project's Windows programs under Wine; source this file.
# It sets up the project's own Wine prefix (virtual desktop, dialog font, CJK font link), starts
# Xvfb when there is no X display, maps a drive letter to a folder, runs programs with the Chinese
# locale and shuts the Wine server down. Every function is safe to call again; a complete prefix is
# reused without rebooting it.
#
#   wine_env               exports WINEPREFIX (default $REPO/build/wine-prefix), WINEDEBUG,
#                          WINEDLLOVERRIDES; picks the Wine loader that runs on this machine
#   wine, wine_zh          run that loader (wine_zh under LC_ALL=zh_CN.UTF-8)
#   wine_runs_32bit        succeeds when this machine runs Wine's 32-bit loader
#   wine_made_with         prints Wine's version and whether 32-bit programs run
#   wine_can_run <file>    fails, saying why, for a 32-bit program Wine cannot run here
#   wine_prefix_ensure     creates the prefix on first use, re-applies the settings if they changed
#   wine_prefix_refresh    re-applies the settings to an existing prefix
#   wine_display_ensure [--new]
#                          starts Xvfb on a free display (:99 upwards) if DISPLAY is unset, or
#                          always with --new; exports DISPLAY and WINE_XVFB_PID
#   wine_display_stop      stops the Xvfb started by wine_display_ensure
#   wine_map_drive <letter:> <folder>
#   wine_run_in <folder> <program> [args...]
#                          runs the program with that folder current under LC_ALL=zh_CN.UTF-8
#   wine_wait              waits until the Wine server has ended (all programs finished)
#   wine_kill              kills the Wine server and every program in the prefix
#   wine_lock_file <name>  prints the path of a lock file beside the prefix
#   wine_user_ensure       creates the unprivileged account the tests run Wine as, if missing
#   wine_user_can_read <path>
#                          fails, saying why, when that account cannot read the path
#   wine_leave_root <path>... -- <command>...
#                          as root: hands the paths (folders, or files made empty) to that
#                          account and runs the command as it, never returning; otherwise returns

WINE_ENV_REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# The account the test scripts run Wine as when started as root. Wine run as root replaces
# read-only files that Windows refuses to touch, so tests run as root would miss such faults.
WINE_TEST_USER="${LCIME_WINE_USER:-lcime-wine}"

# Bump when the registry settings below change, so existing prefixes get them again.
WINE_ENV_SETTINGS_VERSION=3

wine_env() {
    export WINEPREFIX="${WINEPREFIX:-$WINE_ENV_REPO/build/wine-prefix}"
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

# `wine` for every script that sources this file: the loader that runs on this machine.
wine() {
    wine_env
    command "$WINE_LOADER_BIN" "$@"
}

# `wine` under the Chinese locale (through env: bash itself has no such locale to switch to).
wine_zh() {
    wine_env
    env LC_ALL=zh_CN.UTF-8 "$WINE_LOADER_BIN" "$@"
}

# Fails with a message when the file is a 32-bit Windows program (PE machine 014c) and Wine
# cannot run 32-bit code on this machine.
wine_can_run() {
    wine_env
    [ -f "$1" ] || return 0
    local header
    header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    if [ "$(od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' ')" = 014c ] && [ "$WINE_LOADER_BIN" != wine ]; then
        echo "wine-env: this machine cannot run 32-bit programs under Wine: $1" >&2
        return 1
    fi
}

# What the prefix was made with: Wine's version and whether 32-bit programs run in it.
wine_made_with() {
    wine_env
    local wow64=absent
    [ -x /usr/lib/wine/wine ] && wow64=present
    [ "$WINE_LOADER_BIN" = wine ] || wow64="$wow64-cannot-run"
    printf '%s wine32 %s\n' "$(wine --version)" "$wow64"
}

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

wine_user_can_read() {
    _wine_as_user test -r "$1" && return 0
    echo "wine-env: the account $WINE_TEST_USER cannot read $1; put the project where every account can" >&2
    return 1
}

wine_leave_root() {
    local paths=() path
    while [ "$1" != -- ]; do paths+=("$1"); shift; done
    shift
    [ "$(id -u)" = 0 ] || return 0
    wine_user_ensure || exit 1
    for path in "${paths[@]}"; do
        [ -e "$path" ] || mkdir -p "$path"
        # Debian's Wine records in the prefix the temporary folder of the account that used it
        # last; another account's cannot be entered.
        find "$path" -maxdepth 2 -type f -name wineserver ! -user "$WINE_TEST_USER" -delete
        find "$path" ! -user "$WINE_TEST_USER" -exec chown -h "$WINE_TEST_USER:" {} +
    done
    _wine_as_user "$@"
    exit $?
}

wine_lock_file() {
    wine_env
    mkdir -p "$(dirname "$WINEPREFIX")"
    printf '%s\n' "${WINEPREFIX%/}.$1.lock"
}

# The prefix's settings as a registry file: the virtual desktop (without a window manager each
# hidden window would otherwise wait for one), the dialog font, the link from the dialog fonts
# to a CJK font (without it Chinese text in message boxes shows as boxes) and Wine's symbol font
# for the title bars' buttons (Debian's fonts-wine puts it where Debian's Wine does not look, so
# the close box would show the letter "r").
# The dialog font: "MS Shell Dlg" (dialog templates and, under the Chinese locale, every font of
# the window metrics: message boxes, captions) and "MS Shell Dlg 2" become WenQuanYi Zen Hei
# Sharp, drawn at 12 pixels from its own bitmaps as a Chinese Windows draws its Song face at
# 9 points. Wine draws a face's bitmaps only when it does not smooth it, and with fontconfig it
# smooths every face whose gasp table allows it, whatever the desktop's smoothing setting: this
# face forbids it from 9 to 16 pixels; AR PL UMing allows it (its bitmaps go unused, its text
# comes out grey); through the link to WenQuanYi Zen Hei, which has no bitmaps, strokes and
# hyphens drop out.
# Wine rewrites the FontLink values and the "MS Shell Dlg" substitute with its own defaults
# whenever a program starts under a different ANSI code page than the previous one, so every
# Wine program in this prefix must run under the same locale, LC_ALL=zh_CN.UTF-8 (code page 936),
# the settings import included.
_wine_settings_reg() {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
    printf '"MS Shell Dlg"="WenQuanYi Zen Hei Sharp"\r\n"MS Shell Dlg 2"="WenQuanYi Zen Hei Sharp"\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\r\n'
    printf '"Marlett (TrueType)"="Z:\\\\usr\\\\share\\\\wine\\\\fonts\\\\marlett.ttf"\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
    local font
    for font in Tahoma "Microsoft Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI" SimSun \
                "Lucida Sans Unicode"; do
        # REG_MULTI_SZ as UTF-16LE hex: "wqy-zenhei.ttc,WenQuanYi Zen Hei" NUL NUL.
        printf '"%s"=hex(7):%s\r\n' "$font" \
            "$(printf 'wqy-zenhei.ttc,WenQuanYi Zen Hei\0\0' | iconv -f UTF-8 -t UTF-16LE |
               od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//; s/,$//')"
    done
    printf '\r\n'
}

_wine_settings_stamp() {
    printf 'settings %s %s\n' "$WINE_ENV_SETTINGS_VERSION" "$(_wine_settings_reg | md5sum | cut -c1-32)"
}

# Applies the settings file to the prefix (one regedit run) and records the stamp.
_wine_apply_settings() {
    local reg="$WINEPREFIX/drive_c/lc-settings.reg"
    _wine_settings_reg | iconv -f UTF-8 -t UTF-16 > "$reg"
    wine_zh regedit /S 'C:\lc-settings.reg' || return 1
    rm -f "$reg"
    wineserver -w
    _wine_settings_stamp > "$WINEPREFIX/.lc-prefix-complete"
}

_wine_prefix_ready() {
    [ -f "$WINEPREFIX/system.reg" ] && [ -f "$WINEPREFIX/.lc-prefix-complete" ] &&
        [ "$(cat "$WINEPREFIX/.lc-prefix-complete")" = "$(_wine_settings_stamp)" ]
}

# A prefix made by another Wine or without (or before) wine32 cannot be reused: every program
# would end with "could not load kernel32.dll".
_wine_prefix_made_here() {
    [ "$(cat "$WINEPREFIX/.lc-prefix-made" 2>/dev/null)" = "$(wine_made_with)" ]
}

wine_prefix_ensure() {
    wine_env
    _wine_prefix_ready && _wine_prefix_made_here && return 0
    local lock
    lock="$(wine_lock_file prefix)"
    # Wine's processes never get the lock's descriptor: a Wine server outliving this call
    # would hold the lock.
    (
        flock -w 300 9 || { echo "wine-env: timed out waiting for $lock" >&2; exit 1; }
        {
            _wine_prefix_ready && _wine_prefix_made_here && exit 0
            _wine_prefix_made_here || rm -rf "$WINEPREFIX"
            if [ ! -f "$WINEPREFIX/system.reg" ] || [ ! -f "$WINEPREFIX/.lc-prefix-complete" ]; then
                # A prefix without the stamp was interrupted while being built: start again.
                [ -f "$WINEPREFIX/.lc-prefix-complete" ] || rm -rf "$WINEPREFIX"
                mkdir -p "$WINEPREFIX"
                echo "wine-env: creating Wine prefix $WINEPREFIX" >&2
                wine_zh wineboot.exe -i >/dev/null 2>&1 ||
                    { echo "wine-env: wineboot failed" >&2; exit 1; }
                wineserver -w
                wine_made_with > "$WINEPREFIX/.lc-prefix-made"
            fi
            _wine_apply_settings
        } 9>&-
    ) 9>"$lock"
}

wine_prefix_refresh() {
    wine_env
    if [ -f "$WINEPREFIX/system.reg" ]; then
        local lock
        lock="$(wine_lock_file prefix)"
        ( flock -w 300 9 && { _wine_apply_settings; } 9>&- ) 9>"$lock"
    else
        wine_prefix_ensure
    fi
}

# Prints the first display number from 99 up that has neither a socket nor a lock file.
_wine_free_display() {
    local n=99
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    echo "$n"
}

wine_display_ensure() {
    if [ "${1:-}" != "--new" ] && [ -n "${DISPLAY:-}" ]; then return 0; fi
    local n tries=0
    while :; do
        n="$(_wine_free_display)"
        # -nolisten tcp: only the local socket; 24-bit colour so pixel reads are exact.
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        WINE_XVFB_PID=$!
        local i
        for i in $(seq 1 100); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            kill -0 "$WINE_XVFB_PID" 2>/dev/null || break
            sleep 0.05
        done
        if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$WINE_XVFB_PID" 2>/dev/null; then break; fi
        # Another Xvfb took the number first: try the next one.
        kill "$WINE_XVFB_PID" 2>/dev/null
        tries=$((tries + 1))
        [ "$tries" -lt 5 ] || { echo "wine-env: cannot start Xvfb" >&2; return 1; }
    done
    export DISPLAY=":$n" WINE_XVFB_PID
}

wine_display_stop() {
    if [ -n "${WINE_XVFB_PID:-}" ]; then
        kill "$WINE_XVFB_PID" 2>/dev/null
        wait "$WINE_XVFB_PID" 2>/dev/null
        unset WINE_XVFB_PID
    fi
}

wine_map_drive() {
    wine_env
    local letter="${1:-m:}" folder="$2"
    letter="$(printf '%s' "${letter%:}" | tr 'A-Z' 'a-z'):"
    [ -d "$folder" ] || { echo "wine-env: no folder $folder" >&2; return 1; }
    mkdir -p "$WINEPREFIX/dosdevices"
    ln -sfn "$(cd "$folder" && pwd)" "$WINEPREFIX/dosdevices/$letter"
}

wine_run_in() {
    wine_env
    local dir="$1"
    shift
    ( cd "$dir" && wine_zh "$@" )
}

wine_wait() {
    wine_env
    wineserver -w
}

wine_kill() {
    wine_env
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    return 0
}
