#!/bin/bash
# make-release on demo editions with five faults, and five more in the folder of 64-bit builds:
# refused, each faulty file named once, nothing written. The good editions, with their 64-bit
# builds, signed with a throwaway certificate: the ISO image (read through its Joliet names, as
# Windows does) and the zip hold the medium byte for byte, the sums cover every file, and
# Setup.exe from the image verifies, passes the executable check (the arguments after four) and
# carries the sums of exactly the medium's files, which Setup.exe of a plain build lacks. Two
# releases of the same files are the same; a changed file changes Setup.exe.
set -eu
build=$1 ime=$2 ime64=$3 standin=$4
shift 4
repo="$(cd "$(dirname "$0")/../.." && pwd)"
rm -rf "$build/release-test" && mkdir -p "$build/release-test" && cd "$build/release-test"
fail() { cat release.log; echo "release-test: $*"; exit 1; }
# The list of a medium's files that an executable carries (the resource IDR_RELEASE_SUMS), if any.
sums_in() {
    /usr/bin/python3 -c 'import sys, pefile; pe = pefile.PE(sys.argv[1]); sys.stdout.buffer.write(b"".join(pe.get_data(
        d.OffsetToData, d.Size) for d in (e.directory.entries[0].data.struct for k in pe.DIRECTORY_ENTRY_RESOURCE.entries
        if k.id == 10 for e in k.directory.entries if e.id == int(sys.argv[2]))))' \
        "$1" "$(sed -n 's/#define IDR_RELEASE_SUMS //p' "$repo/resources/resource.h")"
}
release() { LCIME_RELEASE_BUILD="$build" "$repo/scripts/make-release" "$@" >release.log 2>&1; }

(cd "$repo" && cmake --preset host >/dev/null && cmake --build --preset host --target make-medium >/dev/null)
"$repo/build/host/demo/make-medium" --editions editions "$ime" "$standin" "$ime64"
mapfile -t imes < <(cd editions && ls *.IME)
mapfile -t tables < <(cd editions && ls *.MB)
mapfile -t imes64 < <(cd editions && ls x64/*.IME)
no64=$(printf '%s\n' "${imes[@]}" | grep -vxFf <(printf '%s\n' "${imes64[@]#*/}") | head -1)
dll64=$(mktemp -u --suffix=.dll) dll32=$(mktemp -u --suffix=.dll)
echo 'int unused;' | x86_64-w64-mingw32-gcc-win32 -shared -x c - -o "$dll64"
echo 'int unused;' | i686-w64-mingw32-gcc-win32 -shared -x c - -o "$dll32"
cp -R editions faulty
rm "faulty/${tables[0]}"
: >"faulty/${tables[1]}"
mv "faulty/${imes[0]}" "faulty/${imes[0],,}"
cp "$dll64" "faulty/${imes[1]}"
cp "$dll32" "faulty/${imes[2]}"
cp "editions/${imes[3]}" "faulty/${imes64[0]}"  # a 32-bit build
mv "faulty/${imes64[1]}" "faulty/${imes64[1],,}"
cp "editions/${imes64[2]}" "faulty/x64/$no64"  # a name without an NT-family build
cp "editions/${tables[2]}" faulty/x64/
cp "$dll64" "faulty/${imes64[3]}"
rm "$dll64" "$dll32"
! release faulty refused && [ ! -e refused ] || fail "faulty editions accepted"
diff <(grep -o '/faulty/[^:]*' release.log | sort) <(printf '/faulty/%s\n' "${tables[@]:0:2}" "${imes[@]:0:3}" \
    "${imes64[0]}" "${imes64[1],,}" "x64/$no64" "x64/${tables[2]}" "${imes64[3]}" | sort) || fail "not each fault named once"

openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=test -keyout key.pem -out cert.pem 2>/dev/null
openssl rand -hex 16 >password
openssl pkcs12 -export -inkey key.pem -in cert.pem -passout file:password -out signer.p12
LCIME_SIGN_PKCS12=signer.p12 LCIME_SIGN_PASSWORD_FILE=password release editions out || fail "refused"
xorriso -read_fs norock -osirrox on -indev out/lcime-medium.iso -extract / iso >/dev/null 2>&1
chmod -R u+w iso
python3 -m zipfile -e out/lcime-medium.zip zip
diff -r editions iso/IMEData
diff -r out/medium iso
diff -r out/medium zip
osslsigncode verify -in iso/Setup.exe -CAfile cert.pem >/dev/null
(cd out && sha256sum --quiet -c SHA256SUMS && diff <(cut -c67- SHA256SUMS) <(find medium lcime-medium.* -type f | LC_ALL=C sort))
"$@" iso/Setup.exe
sums_in iso/Setup.exe >sums
(cd iso/IMEData && sha256sum --quiet -c ../../sums) && [ "$(wc -l <sums)" = "$(find iso/IMEData -type f | wc -l)" ] ||
    fail "Setup.exe does not carry the sums of its medium"
[ -z "$(sums_in "$build/Setup.exe")" ] || fail "a build not made by make-release carries sums"
cp -R editions changed
echo >>"changed/${tables[0]}"
release editions same && release changed other && release editions again || fail "refused"
diff -r same again && ! cmp -s same/medium/Setup.exe other/medium/Setup.exe || fail "not the same files, the same release"
