#!/bin/bash
# Takes the pictures in docs/: the dialog in use, and its About box, each on
# a virtual display in a Wine prefix of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/virtual-display.sh
scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$(nproc)" --target screenshot_driver PelmoraConfig >/dev/null

export WINEPREFIX="$root/build/screenshot-prefix" WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
start_virtual_display
trap 'wineserver -k 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true' EXIT
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1

for pose in dialog about; do
    wine explorer /desktop=Pelmora,820x420 "$root/build/win32/bin/screenshot_driver.exe" "$pose" &
    sleep 8
    import -window root -crop 820x420+0+0 "$root/docs/$([ $pose = dialog ] && echo config-dialog || echo about-box).png"
    wait
done
ls -l docs/*.png
