#!/bin/sh
# The README's first command as a newcomer meets it: no display and no Wine
# prefix yet. It must print the path of a screenshot that shows the dialog.
root=$(cd "$(dirname "$0")/../.." && pwd)
rm -rf "$root"/build/demo-prefix-*
output=$(env -u DISPLAY "$root/scripts/open-dialog.sh" 2>&1) || {
    printf '%s\n' "$output"
    echo "open-dialog.sh failed"
    exit 1
}
shot=$(printf '%s\n' "$output" | tail -n 1)
[ -f "$shot" ] || { printf '%s\n' "$output"; echo "no screenshot at '$shot'"; exit 1; }
# The dialog sits at the virtual desktop's top left: its caption bar in one
# of Wine's caption colours, its face in Wine's button face colour.
caption=$(convert "$shot" -format '%[pixel:p{400,10}]' info:)
face=$(convert "$shot" -format '%[pixel:p{400,220}]' info:)
case "$caption" in
    "srgb(128,128,128)" | "srgb(50,150,250)") ;;
    *) echo "no caption bar in $shot: $caption"; exit 1 ;;
esac
[ "$face" = "srgb(245,245,245)" ] || { echo "no dialog face in $shot: $face"; exit 1; }
echo "$shot shows the dialog"
