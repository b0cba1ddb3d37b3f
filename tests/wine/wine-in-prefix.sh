#!/bin/sh
# Runs a Windows program under Wine in the given prefix, booting the prefix on
# first use. Usage: wine-in-prefix.sh PREFIX win32|win64 [PROGRAM [ARGS]]
. "$(dirname "$0")/../../scripts/lib/wine.sh"
use_wine_prefix "$1" "$2"
shift 2
boot_wine_prefix || { echo "wineboot failed for $WINEPREFIX" >&2; exit 1; }
[ $# -gt 0 ] || exit 0
exec "$wine" "$@"
