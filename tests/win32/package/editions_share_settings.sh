#!/bin/sh
# Both editions keep one set of settings, in the 64-bit registry view: what
# one edition's PelmoraCtl stores, the other's lists, in a fresh 64-bit
# prefix with the sample modems. The 32-bit edition runs under WoW64 there,
# so this needs a machine that runs 32-bit code.
# Usage: editions_share_settings.sh WINE-IN-PREFIX PREFIX SAMPLE-MODEMS CTL-32 CTL-64
run=$1 prefix=$2 modems=$3 ctl32=$4 ctl64=$5
rm -rf "$prefix"
"$run" "$prefix" win64 regedit /S "$modems" || exit 1

# stored_shown STORING LISTING SEQUENCE
stored_shown() {
    "$run" "$prefix" win64 "$1" set 0000 accept "$3" || exit 1
    "$run" "$prefix" win64 "$2" list | grep '^0000 ' | grep -qF "accept=$3 " ||
        { echo "$2 does not list the accept sequence $3 that $1 stored" >&2; exit 1; }
}
stored_shown "$ctl32" "$ctl64" '*9#'
stored_shown "$ctl64" "$ctl32" '#7'
