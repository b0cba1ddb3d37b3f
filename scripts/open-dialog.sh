#!/bin/bash
# Builds PelmoraConfig and opens its configuration dialog under Wine, in a
# prefix of its own with three sample modems registered. Without a display
# it opens the dialog on a virtual one, saves a screenshot and prints the
# screenshot's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/virtual-display.sh
scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$(nproc)" --target PelmoraConfig

export WINEPREFIX="$root/build/demo-prefix" WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml="
exe="$root/build/win32/bin/PelmoraConfig.exe"

xvfb_pid=""
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    start_virtual_display
    headless=1
else
    headless=0
fi

[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
# The serial port map lives only while the Wine server runs: keep it up.
wineserver -p
wine regedit /S "$root/scripts/sample-modems.reg"

if [ "$headless" -eq 0 ]; then
    wine "$exe"
    exit 0
fi

# A virtual desktop gives the dialog a frame for the screenshot.
wine explorer /desktop=Pelmora,800x500 "$exe" >/dev/null 2>&1 &
for _ in $(seq 1 60); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Pelmora' && break
    sleep 0.5
done
sleep 3
shot="$root/build/pelmora-dialog.png"
import -window root -crop 800x500+0+0 "$shot"
echo "$shot"
