#!/bin/bash
# Takes the pictures in docs/: the dialog in use, and its About box, each on
# a virtual display in a Wine prefix of its own.
set -euo pipefail
. "$(dirname "$0")/prelude.sh"
cmake --preset $arch >/dev/null
cmake --build --preset $arch -j"$(nproc)" --target screenshot_driver PelmoraConfig >/dev/null

use_wine_prefix "$root/build/screenshot-prefix-$arch" $arch
start_virtual_display
trap 'wineserver -k 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true' EXIT
boot_wine_prefix

for pose in dialog about; do
    "$wine" explorer /desktop=Pelmora,820x420 "$root/build/$arch/bin/screenshot_driver.exe" "$pose" &
    sleep 8
    import -window root -crop 820x420+0+0 "$root/docs/$([ $pose = dialog ] && echo config-dialog || echo about-box).png"
    wait
done
ls -l docs/*.png
