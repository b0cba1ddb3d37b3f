#!/bin/sh
# Runs a Windows program under Wine in the given prefix (32-bit, quiet),
# booting the prefix on first use. Usage: wine-in-prefix.sh PREFIX PROGRAM [ARGS]
prefix=$1
shift
export WINEPREFIX="$prefix" WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko: nothing here needs them, and their installers would prompt.
# No debugger either: a crash must end the process, not wait for one.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
if [ ! -f "$prefix/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || { echo "wineboot failed for $prefix" >&2; exit 1; }
fi
[ $# -gt 0 ] || exit 0
exec wine "$@"
