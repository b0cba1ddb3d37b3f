#!/bin/bash
# Takes the pictures in docs/: the dialog in use, and its About box, each on
# a virtual display in a Wine prefix of its own; then the dialog in each of
# its other languages.
set -euo pipefail
. "$(dirname "$0")/lib/prelude.sh"
cmake --preset $arch >/dev/null
cmake --build --preset $arch -j"$(nproc)" --target screenshot_driver PelmoraConfig >/dev/null

use_wine_prefix "$root/build/screenshot-prefix-$arch" $arch
start_virtual_display
trap 'wineserver -k 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true' EXIT
boot_wine_prefix
# The sample modems of README's first command; the serial port map lives
# only while the Wine server runs: keep one up.
wineserver -p
"$wine" regedit /S scripts/lib/sample-modems.reg

# shot LOCALE POSE PICTURE WIDTH: the dialog as a user of that locale sees it.
shot() {
    LC_ALL=$1 "$wine" explorer /desktop=Pelmora,"$4"x420 "$root/build/$arch/bin/screenshot_driver.exe" "$2" &
    sleep 8
    import -window root -crop "$4"x420+0+0 "$root/docs/$3.png"
    wait
}
shot en_US.UTF-8 dialog config-dialog 820
shot en_US.UTF-8 about about-box 820
# The translations, whose dialog is wider, as resources/languages/languages.txt
# lists them.
grep -v '^#' resources/languages/languages.txt | while read -r _ locale; do
    shot "$locale.UTF-8" dialog "config-dialog-${locale%_*}" 920
done
ls -l docs/*.png
