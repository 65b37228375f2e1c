# The project's Wine prefixes: made on first use with the settings of prefix.reg, imported again
# when that file changes, made again when another Wine (or wine32 added or removed) would find
# them broken. Sourced by session.sh.
#   wine_prefix_ensure     makes WINEPREFIX ready; a ready prefix is reused without rebooting it
#   wine_prefix_lock <name>
#                          prints the path of a lock file kept in WINEPREFIX across rebuilds
#   wine_log_pixels <dpi>  sets the display density (LogPixels) that programs started from now on
#                          draw for: 96 is 100 %, 192 is 200 %

WINE_PREFIX_SETTINGS="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/prefix.reg"

wine_prefix_lock() {
    mkdir -p "$WINEPREFIX"
    printf '%s\n' "$WINEPREFIX/.lc-$1.lock"
}

wine_log_pixels() {
    wine_zh reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

# A prefix made by another Wine or without (or before) wine32 cannot be reused: every program
# would end with "could not load kernel32.dll". The stamp is written once wineboot has finished,
# so a prefix whose making was cut short is made again too.
_wine_prefix_made_here() {
    [ -f "$WINEPREFIX/system.reg" ] &&
        [ "$(cat "$WINEPREFIX/.lc-prefix-made" 2>/dev/null)" = "$(wine_made_with)" ]
}

_wine_prefix_settings_stamp() { md5sum < "$WINE_PREFIX_SETTINGS" | cut -c1-32; }

_wine_prefix_ready() {
    _wine_prefix_made_here &&
        [ "$(cat "$WINEPREFIX/.lc-settings" 2>/dev/null)" = "$(_wine_prefix_settings_stamp)" ]
}

_wine_prefix_make() {
    find "$WINEPREFIX" -mindepth 1 -maxdepth 1 ! -name '.lc-*.lock' -exec rm -rf {} +
    echo "wine-session: creating Wine prefix $WINEPREFIX" >&2
    wine_zh wineboot.exe -i >/dev/null 2>&1 || { echo "wine-session: wineboot failed" >&2; return 1; }
    wineserver -w
    wine_made_with > "$WINEPREFIX/.lc-prefix-made"
}

# One regedit run, then the stamp; Wine writes its registry files once the server has ended.
_wine_prefix_apply_settings() {
    local reg="$WINEPREFIX/drive_c/lc-settings.reg"
    sed 's/$/\r/' "$WINE_PREFIX_SETTINGS" | iconv -f UTF-8 -t UTF-16 > "$reg"
    wine_zh regedit /S 'C:\lc-settings.reg' || return 1
    rm -f "$reg"
    wineserver -w
    _wine_prefix_settings_stamp > "$WINEPREFIX/.lc-settings"
}

wine_prefix_ensure() {
    _wine_prefix_ready && return 0
    local lock
    lock="$(wine_prefix_lock make)"
    # The lock's descriptor stays out of Wine's processes: a Wine server outliving this call
    # would hold it.
    (
        flock -w 300 9 || { echo "wine-session: timed out waiting for $lock" >&2; exit 1; }
        {
            _wine_prefix_ready && exit 0
            _wine_prefix_made_here || _wine_prefix_make || exit 1
            _wine_prefix_apply_settings
        } 9>&-
    ) 9>"$lock"
}
