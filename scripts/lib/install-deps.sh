#!/bin/sh
# Installs what the build and the tests need on Debian 12, from Debian's own
# archive: CMake and g++, mingw-w64 for 32- and 64-bit Windows, Wine with both
# its parts, NSIS, Info-ZIP and wixl for the packages (faketime holds wixl's
# clock still; xz reads the uninstaller out of the setup program), osslsigncode
# and openssl for signing, reuse for the licence check, the locales that the
# packages are checked under, Xvfb, the fonts Wine draws dialogs in (its own,
# for MS Sans Serif and the caption buttons, and a Japanese one), and Node.js
# with npm where the machine has none. Then, from npm, the CycloneDX library
# and its JSON schema validator, which check the bill of materials, in
# versions that run on Debian 12's Node.js 18.
set -e
packages="cmake make g++ googletest mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
    wine wine32 wine64 nsis zip unzip xz-utils wixl msitools faketime osslsigncode openssl reuse locales
    xvfb xauth x11-utils imagemagick fonts-wine fonts-ipafont-gothic"
command -v npm >/dev/null || packages="$packages nodejs npm"
validator=tests/win32/package/sbom-validator

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo_cmd dpkg --add-architecture i386
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

# The validator's versions are pinned in its package-lock.json; the library's
# optional parts (an XML parser built from source among them) are left out.
if ! npm ls --prefix "$validator" >/dev/null 2>&1; then
    echo "Installing from npm: the bill of materials' validator ($validator)"
    npm ci --prefix "$validator" --omit=optional --no-fund --no-audit >/dev/null
fi
