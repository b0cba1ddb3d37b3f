#!/bin/bash
# Builds PelmoraConfig and opens its configuration dialog under Wine, in a
# prefix of its own with three sample modems registered. Without a display
# it opens the dialog on a virtual one, saves a screenshot and prints the
# screenshot's path.
set -uo pipefail
. "$(dirname "$0")/lib/prelude.sh"

fail() { echo "open-dialog: $*" >&2; exit 1; }

# A machine that runs 64-bit code only cannot start the 32-bit program; it
# shows the 64-bit build of the same sources instead.
preset=$arch
cmake --preset "$preset" >/dev/null || fail "CMake could not configure the $preset build"
cmake --build --preset "$preset" -j"$(nproc)" --target PelmoraConfig >/dev/null \
    || fail "the $preset build failed (run: cmake --build --preset $preset)"
exe="$root/build/$preset/bin/PelmoraConfig.exe"

use_wine_prefix "$root/build/demo-prefix-$arch" "$arch"
xvfb_pid=""
cleanup() {
    wineserver -k 2>/dev/null
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    start_virtual_display || fail "could not start a virtual display (Xvfb)"
    headless=1
else
    headless=0
fi

boot_wine_prefix || fail "could not create the Wine prefix $WINEPREFIX"
# The serial port map lives only while the Wine server runs: keep one up.
wineserver -p || fail "could not start the Wine server"
"$wine" regedit /S "$root/scripts/lib/sample-modems.reg" || fail "could not register the sample modems"

if [ "$headless" -eq 0 ]; then
    "$wine" "$exe" || fail "PelmoraConfig ended with status $?"
    exit 0
fi

# A virtual desktop gives the dialog a frame for the screenshot.
"$wine" explorer /desktop=Pelmora,800x500 "$exe" >/dev/null 2>&1 &
shown=0
for _ in $(seq 1 60); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Ostrevan Pelmora Configuration"' && { shown=1; break; }
    sleep 0.5
done
[ "$shown" -eq 1 ] || fail "the dialog did not appear within 30 seconds"
sleep 2
shot="$root/build/pelmora-dialog.png"
import -window root -crop 800x500+0+0 "$shot" || fail "could not take the screenshot"
echo "$shot"
