#!/bin/bash
# make-release on demo editions with five faults: refused, each faulty file named once, nothing
# written. Signed with a throwaway certificate: the ISO image (read through its Joliet names, as
# Windows does) and the zip hold the medium byte for byte, the sums cover every file, and
# Setup.exe from the image verifies and passes the executable check (the arguments after three).
set -eu
build=$1 ime=$2 standin=$3
shift 3
repo="$(cd "$(dirname "$0")/../.." && pwd)"
rm -rf "$build/release-test" && mkdir -p "$build/release-test" && cd "$build/release-test"
fail() { cat release.log; echo "release-test: $*"; exit 1; }
release() { LCIME_RELEASE_BUILD="$build" "$repo/scripts/make-release" "$@" >release.log 2>&1; }

(cd "$repo" && cmake --preset host >/dev/null && cmake --build --preset host --target make-medium >/dev/null)
"$repo/build/host/demo/make-medium" --editions editions "$ime" "$standin"
mapfile -t imes < <(cd editions && ls *.IME)
mapfile -t tables < <(cd editions && ls *.MB)
cp -R editions faulty
rm "faulty/${tables[0]}"
: >"faulty/${tables[1]}"
mv "faulty/${imes[0]}" "faulty/${imes[0],,}"
echo 'int unused;' | x86_64-w64-mingw32-gcc-win32 -shared -x c - -o "faulty/${imes[1]}"
echo 'int unused;' | i686-w64-mingw32-gcc-win32 -shared -x c - -o "faulty/${imes[2]}"
! release faulty refused && [ ! -e refused ] || fail "faulty editions accepted"
diff <(grep -o '/faulty/[^:]*' release.log | sort) <(printf '/faulty/%s\n' "${tables[@]:0:2}" "${imes[@]:0:3}" | sort) ||
    fail "not each fault named once"

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
