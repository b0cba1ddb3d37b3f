#!/bin/bash
# Builds the program and its benchmark and prints the figures of
# docs/performance.md as Markdown: sizes, start-up against a bare dialog and
# the floors of listing the modems, working set, enumeration, a write and the
# keypad round trip, measured under Wine in a prefix of the benchmark's own.
# Usage: run-benchmarks.sh [ROUNDS]
set -euo pipefail
. "$(dirname "$0")/lib/prelude.sh"
# Where the machine runs 64-bit code only, the timings are of the 64-bit
# build of the same sources; the sizes are always the shipped 32-bit ones.
for preset in win32 $arch; do
    cmake --preset $preset >/dev/null
    cmake --build --preset $preset -j"$(nproc)" >/dev/null
done

echo "## Figures"
echo
echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') with $(wine --version 2>/dev/null || /usr/lib/wine/wine64 --version),"
echo "on $(nproc) cores of $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1),"
echo "$(free -g | awk '/^Mem:/ {print $2}') GiB, $(uname -sr); timings of the $arch build."
echo
echo "### Sizes of the shipped 32-bit release binaries"
echo
echo "| file | bytes |"
echo "|---|---|"
for file in PelmoraConfig.exe OvMohReg.dll; do
    echo "| $file | $(stat -c %s "build/win32/bin/$file") |"
done
echo

use_wine_prefix "$root/build/$arch/benchmark-prefix" $arch
xvfb_pid=""
trap 'wineserver -k 2>/dev/null || true; [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true' EXIT
[ -n "${DISPLAY:-}" ] || start_virtual_display
boot_wine_prefix
# Unmanaged windows: a virtual display, like the tests', has no window
# manager, and its absence should add nothing to a start.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
wineserver -w
"$wine" "build/$arch/bin/pelmora_benchmark.exe" "${1:-15}"

# The same starts again under a Wine server that traces every request: the
# count of a program's requests until its list answers measures its work and
# barely moves between runs, where the times above move by several percent.
echo
echo "### Wine server requests until the list holds every modem (warm start)"
echo
echo "| modems | ports | PelmoraConfig | bare dialog | bare + library | fewest calls | PelmoraConfig / fewest calls | PelmoraConfig / bare |"
echo "|---|---|---|---|---|---|---|---|"
trace="build/$arch/start-requests.trace"
for row in "0 0" "3 3" "10 10" "10 64"; do
    read -r modems ports <<<"$row"
    wineserver -k 2>/dev/null || true
    wineserver -w
    wineserver -p -d1 2>"$trace"
    "$wine" "build/$arch/bin/pelmora_benchmark.exe" --starts "$modems" "$ports"
    wineserver -k
    wineserver -w
    # The program and its three references, twice: the second four are warm.
    awk -f scripts/lib/count-start-requests.awk "$trace" | sed -n 5,8p | tr '\n' ' ' \
        | awk -v modems="$modems" -v ports="$ports" '{ printf "| %d | %d | %d | %d | %d | %d | %.3f | %.3f |\n",
                                               modems, ports, $1, $2, $3, $4, $1 / $4, $1 / $2 }'
done
rm -f "$trace"
