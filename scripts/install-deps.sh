#!/bin/sh
# Installs what the build and the tests need on Debian 12: CMake and g++,
# mingw-w64 for 32- and 64-bit Windows, Wine with both its parts, NSIS, Info-ZIP
# and wixl for the packages (faketime holds wixl's clock still), osslsigncode
# and openssl for signing, reuse for the licence check, the locales that
# the packages are checked under, Xvfb, and the fonts Wine draws dialogs in:
# its own (MS Sans Serif and the caption buttons) and a Japanese one; from
# npm, with the machine's Node.js (20 or later), the CycloneDX library and
# its JSON schema validator, which check the bill of materials.
set -e
packages="cmake make g++ googletest mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
    wine wine32 wine64 nsis zip unzip wixl msitools faketime osslsigncode openssl reuse locales
    xvfb xauth x11-utils imagemagick fonts-wine fonts-ipafont-gothic"
sbom_validator="@cyclonedx/cyclonedx-library@10.3.0 ajv@8.20.0 ajv-formats@3.0.1 ajv-formats-draft2019@1.6.1"
if ! NODE_PATH="$(npm root -g)" node -e "require('@cyclonedx/cyclonedx-library'); require('ajv-formats-draft2019')" 2>/dev/null; then
    echo "Installing from npm: $sbom_validator"
    npm install -g --no-fund --no-audit $sbom_validator >/dev/null
fi
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
