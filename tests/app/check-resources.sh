#!/bin/sh
# Checks the resources built into Setup.exe, read back with windres: the icon, the thirty
# pictures and their thirty twice-size forms, the notice dialog, the manifest with its density
# awareness and the version information in Simplified Chinese.
#   check-resources.sh <windres> <Setup.exe>
set -u
dump="$("$1" -J coff -i "$2" -O rc)" || exit 1
status=0
expect() {
    echo "$dump" | grep -qF -- "$1" || { echo "missing from the resources: $1"; status=1; }
}
expect "Type: icon"
expect "requireAdministrator"
expect "Microsoft.Windows.Common-Controls"
expect "PerMonitorV2, System</dpiAwareness>"
expect "LANGUAGE 4, 2"
for type in rcdata TWICE; do
    count=$(echo "$dump" | sed -n "/Type: \"\?$type\"\?\$/,/Type: /p" | grep -c "Name: ")
    [ "$count" = 30 ] || { echo "expected 30 pictures of type $type, found $count"; status=1; }
done
expect 'BLOCK "080404B0"'
expect 'VALUE "Translation", 0x804, 1200'
# The maker's name, 北京市岚辰星河软件有限公司, as windres prints UTF-16: the script was read as UTF-8.
expect 'VALUE "CompanyName", L"\x5317\x4eac\x5e02\x5c9a\x8fb0\x661f\x6cb3\x8f6f\x4ef6\x6709\x9650\x516c\x53f8"'
exit $status
