#!/bin/bash
# Installs the Debian packages the build and the tests need, only those that are missing.
# 32-bit Wine (wine32:i386) comes along so that the shipped i686 Setup.exe runs under WoW64.
# Source it or run it; it uses sudo when not run as root.
set -eu

LCIME_PACKAGES=(
    cmake make g++ pkg-config libgtest-dev googletest python3
    g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 binutils-mingw-w64 mingw-w64-tools
    wine wine64 wine32:i386 xvfb xdotool x11-utils imagemagick nsis
    fonts-wqy-zenhei fonts-arphic-uming fonts-noto-cjk fonts-wine
    libcairo2-dev libpango1.0-dev libgif-dev libjpeg-dev libpng-dev libstb-dev locales
    osslsigncode openssl python3-pefile xorriso zip
)

sudo=""
[ "$(id -u)" = 0 ] || sudo=sudo

missing=()
for package in "${LCIME_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "install-deps: installing ${missing[*]}" >&2
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes code page 936 from LC_ALL=zh_CN.UTF-8 even without that locale, but passes file
# names in any script to and from the Unix side only when the locale exists.
locale -a 2>/dev/null | grep -qix 'zh_CN.utf8' || $sudo localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
