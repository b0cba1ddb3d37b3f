#!/bin/sh
# Installs what the build and the tests need on Debian 12: CMake and g++,
# mingw-w64 for 32- and 64-bit Windows, Wine with both its parts, NSIS, Info-ZIP
# and wixl for the packages (faketime holds wixl's clock still), osslsigncode
# and openssl for signing, Xvfb, and the fonts Wine draws dialogs in: its own
# (MS Sans Serif and the caption buttons) and a Japanese one.
set -e
packages="cmake make g++ googletest mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
    wine wine32 wine64 nsis zip unzip wixl msitools faketime osslsigncode openssl
    xvfb xauth x11-utils imagemagick fonts-wine fonts-ipafont-gothic"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
dpkg --print-foreign-architectures | grep -qx i386 || $sudo_cmd dpkg --add-architecture i386
$sudo_cmd apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends $missing >/dev/null
