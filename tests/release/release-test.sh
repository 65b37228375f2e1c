#!/bin/bash
# scripts/make-release on the demo editions, as a maker would run it.
# Faulty editions (a file missing, one in the wrong letter case, a 64-bit DLL and a DLL that is
# no input method under .IME names, an empty code table): refused, each fault named once, nothing
# written. Good editions, signed with a certificate made here and thrown away: the signature of
# Setup.exe read back from the ISO image verifies, the image (read through its Joliet names, as
# Windows reads it) and the zip hold the medium byte for byte under exact names, the sums hold
# for every file, and that Setup.exe passes the executable check.
#   release-test.sh <i686 build> <input method module> <stand-in> <executable check...>
set -eu
build=$1 ime=$2 standin=$3
shift 3
repo="$(cd "$(dirname "$0")/../.." && pwd)"
work="$build/release-test"
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "release-test: $*"; exit 1; }
release() { LCIME_RELEASE_BUILD="$build" "$repo/scripts/make-release" "$@" >release.log 2>&1; }

(cd "$repo" && cmake --preset host >/dev/null && cmake --build --preset host --target make-medium >/dev/null)
make_medium="$repo/build/host/demo/make-medium"
"$make_medium" --editions editions "$ime" "$standin"
mapfile -t files < <("$make_medium" --files | cut -d/ -f2-)
mapfile -t imes < <(printf '%s\n' "${files[@]}" | grep '\.IME$')
mapfile -t tables < <(printf '%s\n' "${files[@]}" | grep '\.MB$')

cp -R editions faulty
rm "faulty/${tables[0]}"
: >"faulty/${tables[1]}"
mv "faulty/${imes[0]}" "faulty/${imes[0],,}"
echo 'int unused;' | x86_64-w64-mingw32-gcc-win32 -shared -x c - -o "faulty/${imes[1]}"
echo 'int unused;' | i686-w64-mingw32-gcc-win32 -shared -x c - -o "faulty/${imes[2]}"
! release faulty refused || fail "faulty editions accepted"
[ ! -e refused ] || fail "faulty editions: something written"
for name in "${tables[0]}" "${tables[1]}" "${imes[0]}" "${imes[1]}" "${imes[2]}"; do
    [ "$(grep -cF "/faulty/$name:" release.log)" = 1 ] || { cat release.log; fail "$name not named once"; }
done
[ "$(grep -c '/faulty/' release.log)" = 5 ] || { cat release.log; fail "more problems named than made"; }

openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=LCIme release test" \
    -keyout key.pem -out cert.pem 2>/dev/null
openssl rand -hex 16 >password
openssl pkcs12 -export -inkey key.pem -in cert.pem -passout file:password -out signer.p12
LCIME_SIGN_PKCS12=signer.p12 LCIME_SIGN_PASSWORD_FILE=password release editions out ||
    { cat release.log; fail "good editions refused"; }
xorriso -read_fs norock -osirrox on -indev out/lcime-medium.iso -extract / iso >/dev/null 2>&1
chmod -R u+w iso
python3 -m zipfile -e out/lcime-medium.zip zip
diff -r editions iso/IMEData
diff -r out/medium iso
diff -r out/medium zip
osslsigncode verify -in iso/Setup.exe -CAfile cert.pem >/dev/null || fail "the signature does not verify"
(cd out && sha256sum --quiet -c SHA256SUMS &&
    diff <(cut -c67- SHA256SUMS) <(find medium lcime-medium.* -type f | LC_ALL=C sort))
"$@" iso/Setup.exe
